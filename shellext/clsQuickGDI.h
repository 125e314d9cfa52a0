// Small drawing helpers over one target device context, used to paint the
// owner-drawn menu entries.
#pragma once
#include <windows.h>

#include <string>

#include "base/handles.h"

namespace shellext {

class clsQuickGDI {
 public:
  // Rectangle with the context's selected pen and brush.
  void DrawRect(int left, int top, int right, int bottom) const noexcept;
  // A solid pen; the caller owns it.
  base::UniqueGdiObject GetPen(int width, COLORREF colour) const noexcept;
  // Draws the text in the rectangle (x, y)-(right, bottom) in the colour, "&"
  // marking the underlined letter, over what is already there. The context's
  // text colour and background mode are put back. Returns the height of the
  // drawn text, 0 without a target.
  int hPrint(int x, int y, const std::string& text, COLORREF colour, int right, int bottom) const noexcept;

  HDC TargethDC() const noexcept { return m_hDC; }
  void SetTargethDC(HDC hdc) noexcept { m_hDC = hdc; }

  // A one-pixel 3-D frame: raised has its light edges left and top, sunken
  // right and bottom. The context's pen is put back.
  void ThreedBox(int left, int top, int right, int bottom, bool sunken) const noexcept;

 private:
  HDC m_hDC = nullptr;  // borrowed; nothing is drawn while it is null
};

// The thread's drawing helper.
clsQuickGDI& g_oQuickGDI();

}  // namespace shellext
