#include "shellext/clsQuickGDI.h"

#include "base/context.h"

namespace shellext {

void clsQuickGDI::DrawRect(int left, int top, int right, int bottom) const noexcept {
  if (!m_hDC) return;
  Rectangle(m_hDC, left, top, right, bottom);
}

base::UniqueGdiObject clsQuickGDI::GetPen(int width, COLORREF colour) const noexcept {
  return base::UniqueGdiObject(CreatePen(PS_SOLID, width, colour));
}

int clsQuickGDI::hPrint(int x, int y, const std::string& text, COLORREF colour, int right,
                        int bottom) const noexcept {
  if (!m_hDC) return 0;
  // The entry's background is painted before its text; drawing the text
  // transparently keeps that paint whatever mode the menu left in the context.
  const COLORREF oldColour = SetTextColor(m_hDC, colour);
  const int oldMode = SetBkMode(m_hDC, TRANSPARENT);
  RECT rect{x, y, right, bottom};
  const int height = DrawTextA(m_hDC, text.data(), static_cast<int>(text.size()), &rect, 0);
  if (oldMode) SetBkMode(m_hDC, oldMode);
  if (oldColour != CLR_INVALID) SetTextColor(m_hDC, oldColour);
  return height;
}

void clsQuickGDI::ThreedBox(int left, int top, int right, int bottom, bool sunken) const noexcept {
  if (!m_hDC) return;
  const COLORREF light = GetSysColor(COLOR_BTNHIGHLIGHT);
  const COLORREF dark = GetSysColor(COLOR_BTNSHADOW);
  {
    base::UniqueGdiObject pen = GetPen(1, sunken ? dark : light);
    base::SelectObjectScope use(m_hDC, pen.get());
    MoveToEx(m_hDC, left, bottom, nullptr);
    LineTo(m_hDC, left, top);
    LineTo(m_hDC, right, top);
  }
  base::UniqueGdiObject pen = GetPen(1, sunken ? light : dark);
  base::SelectObjectScope use(m_hDC, pen.get());
  MoveToEx(m_hDC, right, top, nullptr);
  LineTo(m_hDC, right, bottom);
  LineTo(m_hDC, left, bottom);
}

clsQuickGDI& g_oQuickGDI() { return base::ThreadContext::Current().Get<clsQuickGDI>(); }

}  // namespace shellext
