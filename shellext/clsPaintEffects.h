// Transparent copies: a rectangle of a source is painted onto a destination,
// except the pixels of one colour, which leave the destination as it was.
#pragma once
#include <windows.h>
#include <olectl.h>

namespace shellext {

class clsPaintEffects {
 public:
  // The palette (borrowed) to use when a call passes none; null for the
  // system's default palette.
  explicit clsPaintEffects(HPALETTE defaultPalette = nullptr) noexcept : m_hPal(defaultPalette) {}

  // The width x height rectangle at (xSrc, ySrc) of the source onto the
  // destination at (x, y), pixels of the transparent colour left out. The
  // colour is an OLE colour (a system-colour index with the high bit set is
  // read through the palette). Draws nothing when anything fails.
  void PaintTransparentDC(HDC hdcDest, int x, int y, int width, int height, HDC hdcSrc, int xSrc, int ySrc,
                          OLE_COLOR clrMask, HPALETTE hPal = nullptr) const noexcept;

  // The same from a picture object: a bitmap picture as it is; an icon
  // picture drawn at its own size on the transparent colour first, so that
  // the icon's own transparent parts stay out too. Other kinds of picture
  // draw nothing.
  void PaintTransparentStdPic(HDC hdcDest, int x, int y, int width, int height, IPicture* picSource, int xSrc,
                              int ySrc, OLE_COLOR clrMask, HPALETTE hPal = nullptr) const noexcept;

 private:
  HPALETTE m_hPal;
};

}  // namespace shellext
