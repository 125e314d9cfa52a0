// A window's pixels read back from the screen, and saved as a PNG file for a
// person to look at (uncompressed deflate blocks keep the writer small).
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <string>
#include <vector>

namespace sashkit_testing {

struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> rgb;  // top-down
  COLORREF At(int x, int y) const { return rgb[static_cast<size_t>(y) * width + x]; }
};

// What the screen shows of the window's whole area.
inline Pixels Capture(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  Pixels p;
  p.width = r.right - r.left;
  p.height = r.bottom - r.top;
  if (p.width <= 0 || p.height <= 0) return p;
  HDC screen = GetDC(nullptr);
  base::UniqueHdc mem(CreateCompatibleDC(screen));
  BITMAPINFO bi = {};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = p.width;
  bi.bmiHeader.biHeight = -p.height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  base::UniqueHBitmap dib(CreateDIBSection(screen, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  {
    base::SelectObjectScope select(mem.get(), dib.get());
    BitBlt(mem.get(), 0, 0, p.width, p.height, screen, r.left, r.top, SRCCOPY);
  }
  ReleaseDC(nullptr, screen);
  GdiFlush();
  const auto* px = static_cast<const std::uint32_t*>(bits);
  p.rgb.resize(static_cast<size_t>(p.width) * p.height);
  for (size_t i = 0; i < p.rgb.size(); ++i)
    p.rgb[i] = RGB((px[i] >> 16) & 0xff, (px[i] >> 8) & 0xff, px[i] & 0xff);
  return p;
}

inline void SavePng(const Pixels& p, const std::string& path) {
  auto be32 = [](std::string& s, std::uint32_t v) {
    for (int sh = 24; sh >= 0; sh -= 8) s += static_cast<char>((v >> sh) & 0xff);
  };
  auto crc = [](const std::string& s) {
    std::uint32_t c = 0xffffffffu;
    for (unsigned char b : s) {
      c ^= b;
      for (int k = 0; k < 8; ++k) c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
    }
    return c ^ 0xffffffffu;
  };
  std::string out = "\x89PNG\r\n\x1a\n";
  auto chunk = [&](const char* type, const std::string& data) {
    be32(out, static_cast<std::uint32_t>(data.size()));
    std::string body = std::string(type) + data;
    out += body;
    be32(out, crc(body));
  };
  std::string header;
  be32(header, p.width);
  be32(header, p.height);
  header += std::string("\x08\x02\x00\x00\x00", 5);  // 8-bit RGB
  chunk("IHDR", header);
  std::string raw;
  for (int y = 0; y < p.height; ++y) {
    raw += '\0';
    for (int x = 0; x < p.width; ++x) {
      COLORREF c = p.At(x, y);
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
    z += raw.substr(at, n);
    if (raw.empty()) break;
  }
  std::uint32_t a = 1, b = 0;
  for (unsigned char ch : raw) {
    a = (a + ch) % 65521;
    b = (b + a) % 65521;
  }
  be32(z, (b << 16) | a);
  chunk("IDAT", z);
  chunk("IEND", "");
  HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (f == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(f, out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
  CloseHandle(f);
}

}  // namespace sashkit_testing
