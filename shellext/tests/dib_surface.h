// A real memory device context over a 32-bit DIB section, for pixel probes.
#pragma once
#include <windows.h>

#include <cstdint>

#include "base/handles.h"

namespace testing_support {

class DibSurface {
 public:
  DibSurface(int width, int height, COLORREF fill) : m_width(width), m_height(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down: row y starts at y * width
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    m_dc.reset(CreateCompatibleDC(nullptr));
    void* bits = nullptr;
    m_bitmap.reset(CreateDIBSection(m_dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    m_bits = static_cast<std::uint32_t*>(bits);
    m_old = SelectObject(m_dc.get(), m_bitmap.get());
    Fill(fill);
  }
  ~DibSurface() { SelectObject(m_dc.get(), m_old); }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;

  HDC dc() const { return m_dc.get(); }
  int Width() const { return m_width; }
  int Height() const { return m_height; }

  COLORREF Pixel(int x, int y) const {
    GdiFlush();
    const std::uint32_t p = m_bits[y * m_width + x];  // 0x00RRGGBB
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
  }
  void Fill(COLORREF colour) {
    GdiFlush();
    const std::uint32_t p = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
    for (int i = 0; i < m_width * m_height; ++i) m_bits[i] = p;
  }
  // How many pixels of the rectangle [left, right) x [top, bottom) have the colour.
  int Count(int left, int top, int right, int bottom, COLORREF colour) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = left; x < right; ++x) n += Pixel(x, y) == colour;
    return n;
  }

 private:
  int m_width, m_height;
  base::UniqueHdc m_dc;
  base::UniqueHBitmap m_bitmap;
  std::uint32_t* m_bits = nullptr;
  HGDIOBJ m_old = nullptr;
};

// A bitmap of one colour, selected into no context.
inline base::UniqueHBitmap SolidBitmap(int width, int height, COLORREF colour) {
  base::WindowDc screen(nullptr);
  base::UniqueHBitmap bitmap(CreateCompatibleBitmap(screen.get(), width, height));
  base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
  HGDIOBJ old = SelectObject(dc.get(), bitmap.get());
  base::UniqueHBrush brush(CreateSolidBrush(colour));
  RECT all{0, 0, width, height};
  FillRect(dc.get(), &all, brush.get());
  SelectObject(dc.get(), old);
  return bitmap;
}

}  // namespace testing_support
