// Windows test helper: a window's pixels as they stand on the screen, and
// those pixels written as a PNG file (stored, uncompressed deflate blocks:
// small code, files a person can open).
#pragma once
#include <windows.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace sui_testing {

struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> rgb;  // row by row, top down
  COLORREF at(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// What the window shows, children included, copied from its window DC.
inline Pixels Capture(HWND hwnd) {
  Pixels p;
  RECT rc;
  GetWindowRect(hwnd, &rc);
  p.width = rc.right - rc.left;
  p.height = rc.bottom - rc.top;
  HDC screen = GetWindowDC(hwnd);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  HBITMAP dib = CreateDIBSection(mem, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, dib);
  BitBlt(mem, 0, 0, p.width, p.height, screen, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  p.rgb.resize(static_cast<size_t>(p.width) * p.height);
  for (size_t i = 0; i < p.rgb.size(); ++i)
    p.rgb[i] = RGB((px[i] >> 16) & 0xff, (px[i] >> 8) & 0xff, px[i] & 0xff);
  SelectObject(mem, old);
  DeleteObject(dib);
  DeleteDC(mem);
  ReleaseDC(hwnd, screen);
  return p;
}

inline void WritePng(const Pixels& p, const std::string& path) {
  auto crcOf = [](const std::string& bytes) {
    std::uint32_t c = 0xffffffffu;
    for (unsigned char b : bytes) {
      c ^= b;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
    }
    return c ^ 0xffffffffu;
  };
  auto be32 = [](std::string& out, std::uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out += static_cast<char>((v >> s) & 0xff);
  };
  std::string raw;  // filter byte 0, then RGB per row
  for (int y = 0; y < p.height; ++y) {
    raw += '\0';
    for (int x = 0; x < p.width; ++x) {
      COLORREF c = p.at(x, y);
      raw += static_cast<char>(GetRValue(c));
      raw += static_cast<char>(GetGValue(c));
      raw += static_cast<char>(GetBValue(c));
    }
  }
  std::string z = "\x78\x01";
  std::uint32_t a = 1, b = 0;
  for (unsigned char ch : raw) {
    a = (a + ch) % 65521;
    b = (b + a) % 65521;
  }
  for (size_t at = 0; at < raw.size() || at == 0; at += 65535) {
    size_t n = std::min<size_t>(65535, raw.size() - at);
    z += static_cast<char>(at + n >= raw.size() ? 1 : 0);
    z += static_cast<char>(n & 0xff);
    z += static_cast<char>(n >> 8);
    z += static_cast<char>(~n & 0xff);
    z += static_cast<char>((~n >> 8) & 0xff);
    z.append(raw, at, n);
    if (raw.empty()) break;
  }
  be32(z, (b << 16) | a);
  std::string png = "\x89PNG\r\n\x1a\n";
  auto chunk = [&](const char* type, const std::string& data) {
    be32(png, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type, 4) + data;
    png += body;
    be32(png, crcOf(body));
  };
  std::string header;
  be32(header, static_cast<std::uint32_t>(p.width));
  be32(header, static_cast<std::uint32_t>(p.height));
  header += std::string("\x08\x02\x00\x00\x00", 5);
  chunk("IHDR", header);
  chunk("IDAT", z);
  chunk("IEND", "");
  std::ofstream(path, std::ios::binary) << png;
}

}  // namespace sui_testing
