#include "shellext/modMenuItems.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "base/handles.h"
#include "base/text.h"
#include "base/winstr.h"
#include "shellext/PictureCache.h"
#include "shellext/clsQuickGDI.h"

namespace shellext {

namespace {

// The menu font of the user's settings, made once and kept while the
// setting names the same font: measuring and painting agree with each other
// and with the rest of the menu, and a message costs no new font (a 5,000
// entry folder is measured 5,000 times). A font may be selected into several
// contexts at once, so every menu of the process shares it; a painter holds
// it while it paints, in case the setting changes meanwhile. The measuring
// context is the process's one, used under the lock.
class SharedMenuFont {
 public:
  using FontPtr = std::shared_ptr<base::UniqueHFont>;

  static SharedMenuFont& Process() {
    static SharedMenuFont shared;
    return shared;
  }

  FontPtr Current() {
    std::lock_guard<std::mutex> hold(m_lock);
    return CurrentLocked();
  }

  // The text's extent in the menu font.
  SIZE Measure(const std::string& text) {
    SIZE size{};
    std::lock_guard<std::mutex> hold(m_lock);
    FontPtr font = CurrentLocked();
    if (!m_measuring) m_measuring.reset(CreateCompatibleDC(nullptr));
    if (!m_measuring) return size;
    base::SelectObjectScope useFont(m_measuring.get(), Handle(font));
    GetTextExtentPoint32A(m_measuring.get(), text.data(), static_cast<int>(text.size()), &size);
    return size;
  }

  void Release() noexcept {
    std::lock_guard<std::mutex> hold(m_lock);
    m_measuring.reset();
    m_font.reset();
    m_known = false;
  }

  static HGDIOBJ Handle(const FontPtr& font) noexcept {
    return font && *font ? static_cast<HGDIOBJ>(font->get()) : GetStockObject(DEFAULT_GUI_FONT);
  }

 private:
  FontPtr CurrentLocked() {
    // Reading the setting costs far more than measuring a caption: it is
    // read again only once the last reading is a moment old, which a burst
    // of messages for one opening menu never is.
    const ULONGLONG now = GetTickCount64();
    if (m_known && now - m_checked < kRecheckMs) return m_font;
    m_checked = now;
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return m_font;
    if (!m_known || std::memcmp(&metrics.lfMenuFont, &m_logFont, sizeof m_logFont) != 0) {
      m_font = std::make_shared<base::UniqueHFont>(CreateFontIndirectA(&metrics.lfMenuFont));
      m_logFont = metrics.lfMenuFont;
      m_known = true;
    }
    return m_font;
  }

  static constexpr ULONGLONG kRecheckMs = 500;

  std::mutex m_lock;
  ULONGLONG m_checked = 0;
  LOGFONTA m_logFont{};
  bool m_known = false;
  FontPtr m_font;
  base::UniqueHdc m_measuring;
};

// A caption as DrawText shows it: "&&" stands for "&", any other "&" only
// marks the letter after it (the first such letter is the mnemonic).
struct ShownCaption {
  std::string text;
  char mnemonic = 0;
};

ShownCaption Shown(const std::string& caption) {
  const std::string text = base::RTrim(caption);
  ShownCaption shown;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '&') {
      if (++i == text.size()) break;  // a last "&" shows nothing
      if (text[i] != '&' && !shown.mnemonic) shown.mnemonic = text[i];
    }
    shown.text += text[i];  // after an "&" the letter it marks, or the second "&" of "&&"
  }
  return shown;
}

bool SameLetter(char a, char b) {
  return base::LCase(std::string(1, a)) == base::LCase(std::string(1, b));
}

// The character the shell sends, in the code page of our captions.
char TypedChar(WPARAM wParam) {
  const wchar_t typed = static_cast<wchar_t>(LOWORD(wParam));
  const std::string ansi = base::Narrow(std::wstring_view(&typed, 1));
  return ansi.size() == 1 ? ansi[0] : 0;
}

bool MenuChar(WPARAM wParam, HMENU menu, OwnerDrawSource& handler, LRESULT& result) {
  const char typed = TypedChar(wParam);
  const int count = menu ? GetMenuItemCount(menu) : 0;
  bool ownerDrawn = false;
  std::vector<int> matches;
  int highlighted = -1;
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (mii.fState & MFS_HILITE) highlighted = i;
    if (!(mii.fType & MFT_OWNERDRAW)) continue;
    ownerDrawn = true;
    if (!typed || (mii.fState & MFS_DISABLED)) continue;
    const char mnemonic = Shown(GetCaption(handler, static_cast<std::int32_t>(mii.wID))).mnemonic;
    if (mnemonic && SameLetter(mnemonic, typed)) matches.push_back(i);
  }
  if (!ownerDrawn || matches.empty()) return false;
  if (matches.size() == 1) {
    result = MAKELRESULT(matches.front(), MNC_EXECUTE);
    return true;
  }
  // Several entries share the letter: each press moves to the next one.
  int next = matches.front();
  for (int i : matches) {
    if (i > highlighted) {
      next = i;
      break;
    }
  }
  result = MAKELRESULT(next, MNC_SELECT);
  return true;
}

void MeasureItem(MEASUREITEMSTRUCT& item, OwnerDrawSource& handler) {
  const std::string text = Shown(GetCaption(handler, static_cast<std::int32_t>(item.itemID))).text;
  const SIZE size = SharedMenuFont::Process().Measure(text);
  item.itemWidth = static_cast<UINT>(size.cx + kMenuTextLeft);
  item.itemHeight = kMenuItemHeight;
}

// Copies the entry's picture at its own size, 16 x 16 at the most: the
// smaller warning triangle would otherwise bring what lies beyond its edge.
void CopyPicture(HDC target, HBITMAP picture, int x, int y) {
  BITMAP info{};
  if (!GetObjectA(picture, sizeof info, &info)) return;
  base::UniqueHdc source(CreateCompatibleDC(target));
  if (!source) return;
  // Pictures are shared by every menu of the process, and a bitmap can be
  // selected into one context at a time.
  std::lock_guard<std::mutex> hold(SharedPictureLock());
  base::SelectObjectScope usePicture(source.get(), picture);
  // A picture still selected into another context cannot be selected here.
  if (GetCurrentObject(source.get(), OBJ_BITMAP) != picture) return;
  BitBlt(target, x, y, std::min<int>(info.bmWidth, kMenuPictureSize),
         std::min<int>(std::abs(info.bmHeight), kMenuPictureSize), source.get(), 0, 0, SRCCOPY);
}

// Gives the thread's drawing helper back the target it had once the entry is
// painted: the menu's context is valid only during its message.
class TargetScope {
 public:
  TargetScope(clsQuickGDI& gdi, HDC dc) noexcept : m_gdi(gdi), m_old(gdi.TargethDC()) { gdi.SetTargethDC(dc); }
  ~TargetScope() { m_gdi.SetTargethDC(m_old); }
  TargetScope(const TargetScope&) = delete;
  TargetScope& operator=(const TargetScope&) = delete;

 private:
  clsQuickGDI& m_gdi;
  HDC m_old;
};

void DrawItem(const DRAWITEMSTRUCT& item, OwnerDrawSource& handler) {
  HDC dc = item.hDC;
  if (!dc) return;
  const std::int32_t id = static_cast<std::int32_t>(item.itemID);
  const RECT& r = item.rcItem;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  const bool disabled = (item.itemState & (ODS_GRAYED | ODS_DISABLED)) != 0;
  const COLORREF back = GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_MENU);
  const COLORREF fore = GetSysColor(disabled ? COLOR_SCROLLBAR : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT);

  const SharedMenuFont::FontPtr font = SharedMenuFont::Process().Current();
  base::SelectObjectScope useFont(dc, SharedMenuFont::Handle(font));  // the context gets its own font back
  clsQuickGDI& gdi = g_oQuickGDI();
  base::UniqueHBrush brush(CreateSolidBrush(back));
  base::UniqueGdiObject pen = gdi.GetPen(1, back);
  const HBITMAP picture = HasBitmap(handler, id);
  const std::string caption = GetCaption(handler, id);
  TargetScope target(gdi, dc);
  {
    base::SelectObjectScope useBrush(dc, brush.get());
    base::SelectObjectScope usePen(dc, pen.get());
    // A selected entry leaves its picture column as the last plain paint
    // left it; the frame below marks the selection there.
    if (!selected) gdi.DrawRect(r.left, r.top, r.left + kMenuPictureColumn, r.bottom);
    gdi.DrawRect(picture ? r.left + kMenuPictureColumn + 1 : r.left, r.top, r.right, r.bottom);
    gdi.hPrint(r.left + kMenuTextLeft, r.top + kMenuTextTop, caption, fore, r.right, r.bottom);
  }
  if (picture) {
    CopyPicture(dc, picture, r.left + kMenuPictureLeft, r.top + kMenuPictureTop);
    if (selected) gdi.ThreedBox(r.left + 1, r.top, r.left + kMenuPictureColumn - 1, r.bottom - 1, false);
  }
}

}  // namespace

bool HandleOwnerDrawMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, OwnerDrawSource& handler) noexcept {
  if (uMsg != WM_MEASUREITEM && uMsg != WM_DRAWITEM) return false;
  try {
    if (uMsg == WM_MEASUREITEM) {
      if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)) MeasureItem(*item, handler);
    } else if (wParam == 0) {  // sent for a menu, not a control
      if (auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) DrawItem(*item, handler);
    }
  } catch (...) {
    // The menu belongs to the shell: a failed paint stays unpainted.
  }
  return true;
}

bool HandleMenuChar(WPARAM wParam, LPARAM lParam, OwnerDrawSource& handler, LRESULT& result) noexcept {
  try {
    return MenuChar(wParam, reinterpret_cast<HMENU>(lParam), handler, result);
  } catch (...) {
    return false;
  }
}

std::string GetCaption(OwnerDrawSource& handler, std::int32_t lID) noexcept {
  try {
    return handler.OwnerDrawMenu_GetCaption(lID);
  } catch (...) {
    return std::string();
  }
}

HBITMAP HasBitmap(OwnerDrawSource& handler, std::int32_t lID) noexcept {
  try {
    return handler.OwnerDrawMenu_HasBitmap(lID);
  } catch (...) {
    return nullptr;
  }
}

void ReleaseSharedMenuFont() noexcept { SharedMenuFont::Process().Release(); }

}  // namespace shellext
