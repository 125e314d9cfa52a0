#include "shellext/clsPaintEffects.h"

#include "base/handles.h"

namespace shellext {

namespace {

// D And Not S: clears the destination where the source is white.
constexpr DWORD kDestAndNotSource = 0x220326;

// A memory context with a bitmap of its own, freed with it.
class MemorySurface {
 public:
  MemorySurface(HDC like, int width, int height, bool monochrome) noexcept
      : m_dc(CreateCompatibleDC(like)),
        m_bitmap(monochrome ? CreateBitmap(width, height, 1, 1, nullptr) : CreateCompatibleBitmap(like, width, height)) {
    if (m_dc && m_bitmap) m_old = SelectObject(m_dc.get(), m_bitmap.get());
  }
  ~MemorySurface() {
    if (m_old) SelectObject(m_dc.get(), m_old);
  }
  MemorySurface(const MemorySurface&) = delete;
  MemorySurface& operator=(const MemorySurface&) = delete;

  HDC get() const noexcept { return m_dc.get(); }
  explicit operator bool() const noexcept { return m_old != nullptr && m_old != HGDI_ERROR; }

 private:
  base::UniqueHdc m_dc;
  base::UniqueHBitmap m_bitmap;
  HGDIOBJ m_old = nullptr;
};

// Selects and realizes a palette in a context for a while; no palette, no
// change.
class PaletteScope {
 public:
  PaletteScope(HDC dc, HPALETTE palette) noexcept : m_dc(dc) {
    if (palette) {
      m_old = SelectPalette(dc, palette, FALSE);
      RealizePalette(dc);
    }
  }
  ~PaletteScope() {
    if (m_old) {
      SelectPalette(m_dc, m_old, FALSE);
      RealizePalette(m_dc);
    }
  }
  PaletteScope(const PaletteScope&) = delete;
  PaletteScope& operator=(const PaletteScope&) = delete;

 private:
  HDC m_dc;
  HPALETTE m_old = nullptr;
};

// A picture's GDI handle: 32 significant bits on both architectures, widened
// the way Windows widens them.
template <class Handle>
Handle PictureHandle(IPicture* picture) noexcept {
  OLE_HANDLE handle = 0;
  if (FAILED(picture->get_Handle(&handle))) return nullptr;
  return reinterpret_cast<Handle>(static_cast<LONG_PTR>(static_cast<LONG>(handle)));
}

}  // namespace

void clsPaintEffects::PaintTransparentDC(HDC hdcDest, int x, int y, int width, int height, HDC hdcSrc, int xSrc,
                                         int ySrc, OLE_COLOR clrMask, HPALETTE hPal) const noexcept {
  if (!hdcDest || !hdcSrc || width <= 0 || height <= 0) return;
  const HPALETTE palette = hPal ? hPal : m_hPal;
  COLORREF transparent = 0;
  if (FAILED(OleTranslateColor(clrMask, palette, &transparent))) return;

  base::WindowDc screen(nullptr);
  if (!screen) return;
  MemorySurface destCopy(screen.get(), width, height, false);
  MemorySurface sourceCopy(screen.get(), width, height, false);
  MemorySurface mask(screen.get(), width, height, true);
  if (!destCopy || !sourceCopy || !mask) return;
  PaletteScope destPalette(hdcDest, palette), sourcePalette(hdcSrc, palette);
  PaletteScope destCopyPalette(destCopy.get(), palette), sourceCopyPalette(sourceCopy.get(), palette);

  BitBlt(destCopy.get(), 0, 0, width, height, hdcDest, x, y, SRCCOPY);
  // A monochrome source takes its colours from the context it is copied
  // into: give the copy the source's own.
  SetBkColor(sourceCopy.get(), GetBkColor(hdcSrc));
  SetTextColor(sourceCopy.get(), GetTextColor(hdcSrc));
  BitBlt(sourceCopy.get(), 0, 0, width, height, hdcSrc, xSrc, ySrc, SRCCOPY);

  // The mask: white where the source has the transparent colour.
  SetBkColor(sourceCopy.get(), transparent);
  SetTextColor(sourceCopy.get(), RGB(255, 255, 255));
  BitBlt(mask.get(), 0, 0, width, height, sourceCopy.get(), 0, 0, SRCCOPY);

  // Black out the transparent pixels of the source copy and the opaque ones
  // of the destination copy; then the two combine with Or.
  SetTextColor(sourceCopy.get(), RGB(0, 0, 0));
  SetBkColor(sourceCopy.get(), RGB(255, 255, 255));
  BitBlt(sourceCopy.get(), 0, 0, width, height, mask.get(), 0, 0, kDestAndNotSource);
  SetTextColor(destCopy.get(), RGB(0, 0, 0));
  SetBkColor(destCopy.get(), RGB(255, 255, 255));
  BitBlt(destCopy.get(), 0, 0, width, height, mask.get(), 0, 0, SRCAND);
  BitBlt(destCopy.get(), 0, 0, width, height, sourceCopy.get(), 0, 0, SRCPAINT);

  BitBlt(hdcDest, x, y, width, height, destCopy.get(), 0, 0, SRCCOPY);
}

void clsPaintEffects::PaintTransparentStdPic(HDC hdcDest, int x, int y, int width, int height,
                                             IPicture* picSource, int xSrc, int ySrc, OLE_COLOR clrMask,
                                             HPALETTE hPal) const noexcept {
  if (!hdcDest || !picSource || width <= 0 || height <= 0) return;
  SHORT type = PICTYPE_UNINITIALIZED;
  if (FAILED(picSource->get_Type(&type))) return;

  if (type == PICTYPE_BITMAP) {
    // A picture that has a context of its own keeps its bitmap selected there.
    HDC own = nullptr;
    if (SUCCEEDED(picSource->get_CurDC(&own)) && own) {
      PaintTransparentDC(hdcDest, x, y, width, height, own, xSrc, ySrc, clrMask, hPal);
      return;
    }
    const HBITMAP bitmap = PictureHandle<HBITMAP>(picSource);
    base::UniqueHdc source(CreateCompatibleDC(hdcDest));
    if (!bitmap || !source) return;
    base::SelectObjectScope useBitmap(source.get(), bitmap);
    if (GetCurrentObject(source.get(), OBJ_BITMAP) != bitmap) return;
    PaintTransparentDC(hdcDest, x, y, width, height, source.get(), xSrc, ySrc, clrMask, hPal);
  } else if (type == PICTYPE_ICON) {
    const HICON icon = PictureHandle<HICON>(picSource);
    COLORREF transparent = 0;
    if (!icon || FAILED(OleTranslateColor(clrMask, hPal ? hPal : m_hPal, &transparent))) return;
    // The icon at its own size, not stretched to the system's icon size.
    MemorySurface canvas(hdcDest, xSrc + width, ySrc + height, false);
    base::UniqueHBrush fill(CreateSolidBrush(transparent));
    if (!canvas || !fill) return;
    RECT all{0, 0, xSrc + width, ySrc + height};
    FillRect(canvas.get(), &all, fill.get());
    DrawIconEx(canvas.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    PaintTransparentDC(hdcDest, x, y, width, height, canvas.get(), xSrc, ySrc, clrMask, hPal);
  }
  // Any other kind of picture: nothing to draw.
}

}  // namespace shellext
