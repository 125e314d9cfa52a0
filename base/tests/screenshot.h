// Windows test helper: a window's pixels read back, and pixels saved as a PNG
// file for a person to look at (stored, uncompressed deflate blocks: small
// code, large files any viewer reads).
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace testing_support {

struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> rgb;  // row by row, top down
  COLORREF At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

namespace screenshot_detail {

// Copies width x height pixels at (x, y) of a device context.
inline Pixels Copy(HDC source, int x, int y, int width, int height) {
  Pixels p;
  if (width <= 0 || height <= 0) return p;
  p.width = width;
  p.height = height;
  base::UniqueHdc mem(CreateCompatibleDC(source));
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  base::UniqueHBitmap dib(CreateDIBSection(source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!mem || !dib || !bits) return Pixels{};
  {
    base::SelectObjectScope select(mem.get(), dib.get());
    BitBlt(mem.get(), 0, 0, width, height, source, x, y, SRCCOPY);
  }
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  p.rgb.resize(static_cast<size_t>(width) * height);
  for (size_t i = 0; i < p.rgb.size(); ++i)
    p.rgb[i] = RGB((px[i] >> 16) & 0xff, (px[i] >> 8) & 0xff, px[i] & 0xff);
  return p;
}

inline void Be32(std::string& out, std::uint32_t v) {
  for (int s = 24; s >= 0; s -= 8) out += static_cast<char>((v >> s) & 0xff);
}

inline std::uint32_t Crc(const std::string& bytes) {
  std::uint32_t c = 0xffffffffu;
  for (unsigned char b : bytes) {
    c ^= b;
    for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
  }
  return c ^ 0xffffffffu;
}

}  // namespace screenshot_detail

// What the window shows, children included, through its own window DC.
inline Pixels CaptureWindowDc(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  HDC dc = GetWindowDC(hwnd);
  Pixels p = screenshot_detail::Copy(dc, 0, 0, r.right - r.left, r.bottom - r.top);
  ReleaseDC(hwnd, dc);
  return p;
}

// What the screen shows of the window's rectangle.
inline Pixels CaptureScreen(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  HDC screen = GetDC(nullptr);
  Pixels p = screenshot_detail::Copy(screen, r.left, r.top, r.right - r.left, r.bottom - r.top);
  ReleaseDC(nullptr, screen);
  return p;
}

// Writes the pixels as an 8-bit RGB PNG; false when the file could not be written.
inline bool WritePng(const Pixels& p, const std::string& path) {
  using namespace screenshot_detail;
  std::string raw;  // filter byte 0, then RGB per row
  raw.reserve(static_cast<size_t>(p.height) * (1 + 3 * static_cast<size_t>(p.width)));
  for (int y = 0; y < p.height; ++y) {
    raw += '\0';
    for (int x = 0; x < p.width; ++x) {
      const COLORREF c = p.At(x, y);
      raw += static_cast<char>(GetRValue(c));
      raw += static_cast<char>(GetGValue(c));
      raw += static_cast<char>(GetBValue(c));
    }
  }
  std::string z = "\x78\x01";
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    const size_t n = std::min<size_t>(65535, raw.size() - at);
    z += static_cast<char>(at + n >= raw.size() ? 1 : 0);
    z += static_cast<char>(n & 0xff);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xff);
    z += static_cast<char>((~n >> 8) & 0xff);
    z.append(raw, at, n);
    if (raw.empty()) break;
  }
  std::uint32_t a = 1, b = 0;
  for (unsigned char ch : raw) {
    a = (a + ch) % 65521;
    b = (b + a) % 65521;
  }
  Be32(z, (b << 16) | a);
  std::string png = "\x89PNG\r\n\x1a\n";
  auto chunk = [&](const char* type, const std::string& data) {
    Be32(png, static_cast<std::uint32_t>(data.size()));
    const std::string body = std::string(type, 4) + data;
    png += body;
    Be32(png, Crc(body));
  };
  std::string header;
  Be32(header, static_cast<std::uint32_t>(p.width));
  Be32(header, static_cast<std::uint32_t>(p.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);
  chunk("IHDR", header);
  chunk("IDAT", z);
  chunk("IEND", "");
  std::ofstream f(path, std::ios::binary);
  f.write(png.data(), static_cast<std::streamsize>(png.size()));
  return static_cast<bool>(f);
}

// Repaints the window and saves what the screen shows of it; false when it could not.
inline bool SaveWindowPng(HWND hwnd, const std::string& path) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
  // Controls hosted in their own sites paint on posted messages after the
  // synchronous repaint; let the calling thread's queue run a moment so the
  // picture shows what a person would see.
  const DWORD until = GetTickCount() + 150;
  for (bool quit = false; !quit && static_cast<LONG>(until - GetTickCount()) > 0;) {
    for (MSG m; !quit && PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE);) {
      if (m.message == WM_QUIT) {
        PostQuitMessage(static_cast<int>(m.wParam));  // left for the loop that waits for it
        quit = true;
      } else {
        TranslateMessage(&m);
        DispatchMessageA(&m);
      }
    }
    GdiFlush();
    Sleep(10);
  }
  const Pixels p = CaptureScreen(hwnd);
  return p.width > 0 && p.height > 0 && WritePng(p, path);
}

}  // namespace testing_support
