// Owner-drawn menu entries measured and painted into a real memory context,
// checked pixel by pixel.
#include "shellext/modMenuItems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/handles.h"
#include "shellext/clsQuickGDI.h"
#include "shellext/tests/dib_surface.h"

namespace {

using testing_support::DibSurface;
using testing_support::SolidBitmap;

// The handler's side: captions and pictures by identifier.
class FakeEntries : public shellext::OwnerDrawSource {
 public:
  std::map<std::int32_t, std::string> captions;
  std::map<std::int32_t, HBITMAP> pictures;
  bool fails = false;

  std::string OwnerDrawMenu_GetCaption(std::int32_t lID) override {
    if (fails) base::RaiseError(base::kErrInvalidCall, "FakeEntries");
    auto it = captions.find(lID);
    return it == captions.end() ? std::string() : it->second;
  }
  HBITMAP OwnerDrawMenu_HasBitmap(std::int32_t lID) override {
    if (fails) base::RaiseError(base::kErrInvalidCall, "FakeEntries");
    auto it = pictures.find(lID);
    return it == pictures.end() ? nullptr : it->second;
  }
};

const COLORREF kUntouched = RGB(255, 0, 255);
const COLORREF kGreen = RGB(0, 255, 0);
const COLORREF kRed = RGB(255, 0, 0);
// The entry stands away from the context's origin, so that a layout not
// measured from the item rectangle shows.
const RECT kItem{30, 10, 170, 10 + shellext::kMenuItemHeight};
const int kSurfaceWidth = 200, kSurfaceHeight = 40;

COLORREF Sys(int index) { return GetSysColor(index); }

// The menu font of the user's settings, made the way a menu makes it.
base::UniqueHFont MenuFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  return base::UniqueHFont(CreateFontIndirectA(&metrics.lfMenuFont));
}

int MenuTextWidth(const std::string& text) {
  base::UniqueHdc dc(CreateCompatibleDC(nullptr));
  base::UniqueHFont font = MenuFont();
  base::SelectObjectScope use(dc.get(), font.get());
  SIZE size{};
  GetTextExtentPoint32A(dc.get(), text.data(), static_cast<int>(text.size()), &size);
  return size.cx;
}

MEASUREITEMSTRUCT Measure(FakeEntries& entries, UINT id) {
  MEASUREITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = id;
  item.itemWidth = item.itemHeight = 0xdeadbeef;
  EXPECT_TRUE(shellext::HandleOwnerDrawMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&item), entries));
  return item;
}

void Draw(DibSurface& surface, FakeEntries& entries, UINT id, UINT state) {
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_MENU;
  item.itemID = id;
  item.itemAction = ODA_DRAWENTIRE;
  item.itemState = state;
  item.hDC = surface.dc();
  item.rcItem = kItem;
  EXPECT_TRUE(shellext::HandleOwnerDrawMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), entries));
}

// Nothing outside the item rectangle was painted.
void ExpectOutsideUntouched(const DibSurface& s) {
  const int inside = (kItem.right - kItem.left) * (kItem.bottom - kItem.top);
  EXPECT_EQ(s.Count(0, 0, s.Width(), s.Height(), kUntouched) -
                s.Count(kItem.left, kItem.top, kItem.right, kItem.bottom, kUntouched),
            s.Width() * s.Height() - inside);
}

// The text area shows the caption exactly as DrawText draws it in the menu
// font at the entry's text position, in the colour, over the background.
void ExpectTextAsDrawn(const DibSurface& s, const std::string& caption, COLORREF background, COLORREF colour) {
  DibSurface expected(kSurfaceWidth, kSurfaceHeight, background);
  base::UniqueHFont font = MenuFont();
  base::SelectObjectScope use(expected.dc(), font.get());
  SetBkMode(expected.dc(), TRANSPARENT);
  SetTextColor(expected.dc(), colour);
  RECT text{kItem.left + shellext::kMenuTextLeft, kItem.top + shellext::kMenuTextTop, kItem.right, kItem.bottom};
  DrawTextA(expected.dc(), caption.c_str(), -1, &text, 0);
  ASSERT_GT(expected.Count(text.left, text.top, text.right, text.bottom, colour), 0) << "the caption shows";
  int differing = 0;
  for (int y = text.top; y < text.bottom; ++y)
    for (int x = text.left; x < text.right; ++x) differing += s.Pixel(x, y) != expected.Pixel(x, y);
  EXPECT_EQ(differing, 0) << "pixels of the text area unlike \"" << caption << "\" drawn in the menu font";
}

// Gives system colour 0 another value for a while.
class SysColourScope {
 public:
  SysColourScope(int index, COLORREF colour) : m_index(index), m_old(GetSysColor(index)) {
    EXPECT_TRUE(SetSysColors(1, &m_index, &colour));
  }
  ~SysColourScope() { SetSysColors(1, &m_index, &m_old); }

 private:
  INT m_index;
  COLORREF m_old;
};

}  // namespace

TEST(OwnerDrawMeasure, MeasuresTheShownCaptionInTheMenuFont) {
  const struct {
    const char* caption;
    const char* shown;
  } cases[] = {
      {"&File", "File"},
      {"Save &As   ", "Save As"},  // trailing blanks do not count
      {"Tom && Jerry", "Tom & Jerry"},  // "&&" shows as one "&"
      {"Last&", "Last"},
      {"", ""},
  };
  FakeEntries entries;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    entries.captions[7] = c.caption;
    const MEASUREITEMSTRUCT item = Measure(entries, 7);
    EXPECT_EQ(item.itemWidth, static_cast<UINT>(MenuTextWidth(c.shown) + 25));
    EXPECT_EQ(item.itemHeight, 20u);
  }
  // An identifier that names no entry measures as an empty caption.
  EXPECT_EQ(Measure(entries, 99).itemWidth, 25u);
}

TEST(OwnerDrawPaint, PlainEntryIsPaintedInsideItsRectangle) {
  base::UniqueHBitmap picture = SolidBitmap(16, 16, kGreen);
  FakeEntries entries;
  entries.captions[3] = "Hill";
  entries.pictures[3] = picture.get();
  DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
  Draw(s, entries, 3, 0);

  ExpectOutsideUntouched(s);
  const COLORREF menu = Sys(COLOR_MENU);
  // The picture column, left + 0 to left + 21, in the menu colour ...
  EXPECT_EQ(s.Pixel(kItem.left, kItem.top), menu);
  EXPECT_EQ(s.Pixel(kItem.left + 21, kItem.bottom - 1), menu);
  EXPECT_EQ(s.Pixel(kItem.left + 3, kItem.top + 2), menu);
  // ... holding the 16 x 16 picture at (left + 4, top + 2).
  EXPECT_EQ(s.Count(kItem.left + 4, kItem.top + 2, kItem.left + 20, kItem.top + 18, kGreen), 256);
  EXPECT_EQ(s.Pixel(kItem.left + 20, kItem.top + 2), menu);
  // The text's background from left + 23 to the right edge.
  EXPECT_EQ(s.Pixel(kItem.left + 23, kItem.top), menu);
  EXPECT_EQ(s.Pixel(kItem.right - 1, kItem.bottom - 1), menu);
  ExpectTextAsDrawn(s, "Hill", menu, Sys(COLOR_MENUTEXT));
}

TEST(OwnerDrawPaint, SelectedEntryIsHighlighted) {
  const COLORREF highlight = Sys(COLOR_HIGHLIGHT);
  FakeEntries entries;
  entries.captions[3] = "Hill";
  {
    SCOPED_TRACE("without a picture: the whole width");
    DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
    Draw(s, entries, 3, ODS_SELECTED);
    ExpectOutsideUntouched(s);
    EXPECT_EQ(s.Pixel(kItem.left, kItem.top), highlight);
    EXPECT_EQ(s.Pixel(kItem.left + 10, kItem.bottom - 1), highlight);
    EXPECT_EQ(s.Pixel(kItem.right - 1, kItem.top), highlight);
    ExpectTextAsDrawn(s, "Hill", highlight, Sys(COLOR_HIGHLIGHTTEXT));
  }
  {
    SCOPED_TRACE("with a picture: a raised frame in the column it leaves alone");
    base::UniqueHBitmap picture = SolidBitmap(16, 16, kGreen);
    entries.pictures[3] = picture.get();
    DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
    Draw(s, entries, 3, ODS_SELECTED);
    ExpectOutsideUntouched(s);
    EXPECT_EQ(s.Pixel(kItem.left, kItem.top + 5), kUntouched);
    EXPECT_EQ(s.Pixel(kItem.left + 2, kItem.top + 18), kUntouched);
    EXPECT_EQ(s.Count(kItem.left + 4, kItem.top + 2, kItem.left + 20, kItem.top + 18, kGreen), 256);
    // Light left and top edges, dark right and bottom ones.
    EXPECT_EQ(s.Pixel(kItem.left + 1, kItem.top + 10), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.Pixel(kItem.left + 10, kItem.top), Sys(COLOR_BTNHIGHLIGHT));
    EXPECT_EQ(s.Pixel(kItem.left + 21, kItem.top + 10), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(s.Pixel(kItem.left + 10, kItem.bottom - 1), Sys(COLOR_BTNSHADOW));
    EXPECT_EQ(s.Pixel(kItem.left + 23, kItem.top), highlight);
    ExpectTextAsDrawn(s, "Hill", highlight, Sys(COLOR_HIGHLIGHTTEXT));
  }
}

TEST(OwnerDrawPaint, DisabledEntryTextIsInSystemColourZero) {
  // Wine's scroll-bar colour is white like its menus, so a disabled entry's
  // text would not show; for this test colour 0 takes Windows' own default.
  SysColourScope scrollbar(COLOR_SCROLLBAR, RGB(200, 200, 200));
  const struct {
    const char* name;
    UINT state;
    int background;
  } cases[] = {
      {"disabled", ODS_DISABLED, COLOR_MENU},
      {"grayed", ODS_GRAYED, COLOR_MENU},
      {"grayed and selected", ODS_GRAYED | ODS_SELECTED, COLOR_HIGHLIGHT},
  };
  FakeEntries entries;
  entries.captions[4] = "Hill";
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
    Draw(s, entries, 4, c.state);
    ExpectTextAsDrawn(s, "Hill", Sys(c.background), RGB(200, 200, 200));
  }
}

TEST(OwnerDrawPaint, AcceleratorLetterIsUnderlinedAndTheAmpersandNotShown) {
  FakeEntries entries;
  entries.captions[1] = "&File";
  entries.captions[2] = "File";
  DibSurface marked(kSurfaceWidth, kSurfaceHeight, kUntouched), plain(kSurfaceWidth, kSurfaceHeight, kUntouched);
  Draw(marked, entries, 1, 0);
  Draw(plain, entries, 2, 0);
  // The two differ only by a line in the text colour under the "F".
  const int left = kItem.left + shellext::kMenuTextLeft, right = left + MenuTextWidth("F");
  int underline = 0, elsewhere = 0, firstRow = -1, lastRow = -1;
  for (int y = 0; y < kSurfaceHeight; ++y) {
    for (int x = 0; x < kSurfaceWidth; ++x) {
      if (marked.Pixel(x, y) == plain.Pixel(x, y)) continue;
      if (x >= left && x <= right && marked.Pixel(x, y) == Sys(COLOR_MENUTEXT)) {
        ++underline;
        if (firstRow < 0) firstRow = y;
        lastRow = y;
      } else {
        ++elsewhere;
      }
    }
  }
  EXPECT_EQ(elsewhere, 0);
  EXPECT_GE(underline, right - left - 1);
  EXPECT_LE(lastRow - firstRow, 1) << "a line, not a letter";
  EXPECT_GT(firstRow, kItem.top + shellext::kMenuTextTop + 5) << "under the letter";
}

TEST(OwnerDrawPaint, PictureIsCopiedAtItsOwnSizeUpTo16) {
  const struct {
    const char* name;
    int side, copied;
    COLORREF colour;
  } cases[] = {
      // Observed (Wine 8.0): a copy reaching past the picture's edge leaves
      // the destination alone, so only Windows shows a 16 x 16 copy of the
      // warning triangle here.
      {"13 x 13 at its own size", 13, 13, kRed},
      {"20 x 20 cut to 16 x 16", 20, 16, kGreen},
  };
  const COLORREF menu = Sys(COLOR_MENU);
  const int x = kItem.left + 4, y = kItem.top + 2;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    base::UniqueHBitmap picture = SolidBitmap(c.side, c.side, c.colour);
    FakeEntries entries;
    entries.pictures[1] = picture.get();
    DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
    Draw(s, entries, 1, 0);
    EXPECT_EQ(s.Count(x, y, x + c.copied, y + c.copied, c.colour), c.copied * c.copied);
    EXPECT_EQ(s.Count(x, y, x + 16, y + 16, menu), 256 - c.copied * c.copied);
    EXPECT_EQ(s.Pixel(x + c.copied, y), menu);
    EXPECT_EQ(s.Pixel(x, y + c.copied), menu);
  }
}

// Collects the size of every copy from a picture that a metafile holds.
static int CALLBACK RecordPictureCopy(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  auto* copies = reinterpret_cast<std::vector<SIZE>*>(data);
  if (record->iType == EMR_BITBLT) {
    const auto* blt = reinterpret_cast<const EMRBITBLT*>(record);
    if (blt->dwRop == SRCCOPY && blt->offBmiSrc != 0) copies->push_back({blt->cxDest, blt->cyDest});
  } else if (record->iType == EMR_STRETCHBLT) {
    const auto* blt = reinterpret_cast<const EMRSTRETCHBLT*>(record);
    if (blt->dwRop == SRCCOPY && blt->offBmiSrc != 0) copies->push_back({blt->cxDest, blt->cyDest});
  }
  return 1;
}

// The copies of the picture an entry's painting asks for, recorded in a
// metafile: what a context does with a copy past the picture's edge differs
// (Observed (Wine 8.0): nothing beyond it is touched), what is asked for
// does not.
TEST(OwnerDrawPaint, APictureCopyNeverReachesPastThePicture) {
  for (int side : {9, 13, 16, 20}) {
    SCOPED_TRACE(side);
    base::UniqueHBitmap picture = SolidBitmap(side, side, kRed);
    FakeEntries entries;
    entries.pictures[1] = picture.get();
    entries.captions[1] = "Entry";
    HDC recorder = CreateEnhMetaFileA(nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(recorder, nullptr);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_MENU;
    item.itemID = 1;
    item.itemAction = ODA_DRAWENTIRE;
    item.hDC = recorder;
    item.rcItem = kItem;
    EXPECT_TRUE(shellext::HandleOwnerDrawMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item), entries));
    HENHMETAFILE recording = CloseEnhMetaFile(recorder);
    ASSERT_NE(recording, nullptr);
    std::vector<SIZE> copies;
    EnumEnhMetaFile(nullptr, recording, RecordPictureCopy, &copies, nullptr);
    DeleteEnhMetaFile(recording);
    ASSERT_EQ(copies.size(), 1u);
    const LONG copied = std::min(side, 16);
    EXPECT_EQ(copies[0].cx, copied);
    EXPECT_EQ(copies[0].cy, copied);
  }
}

TEST(OwnerDrawPaint, ContextGetsBackWhatItHad) {
  base::UniqueHFont font(CreateFontA(-20, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, "Courier New"));
  base::UniqueHBitmap picture = SolidBitmap(16, 16, kGreen);
  FakeEntries entries;
  entries.captions[5] = "&Open";
  entries.pictures[5] = picture.get();
  DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
  HDC dc = s.dc();
  SelectObject(dc, font.get());
  const HGDIOBJ pen = GetCurrentObject(dc, OBJ_PEN), brush = GetCurrentObject(dc, OBJ_BRUSH);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkMode(dc, OPAQUE);
  for (UINT state : {0u, static_cast<UINT>(ODS_SELECTED)}) {
    SCOPED_TRACE(state);
    Draw(s, entries, 5, state);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font.get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush);
    EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
    EXPECT_EQ(GetBkMode(dc), OPAQUE);
    EXPECT_EQ(shellext::g_oQuickGDI().TargethDC(), nullptr) << "no context kept past its message";
  }
}

TEST(OwnerDrawPaint, FailingHandlerGivesAnEmptyEntryAndNothingEscapes) {
  FakeEntries entries;
  entries.captions[6] = "Hill";
  entries.fails = true;
  const MEASUREITEMSTRUCT item = Measure(entries, 6);
  EXPECT_EQ(item.itemWidth, 25u);
  EXPECT_EQ(item.itemHeight, 20u);
  DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
  Draw(s, entries, 6, 0);
  EXPECT_EQ(s.Count(kItem.left, kItem.top, kItem.right, kItem.bottom, Sys(COLOR_MENU)),
            (kItem.right - kItem.left) * (kItem.bottom - kItem.top));
}

TEST(OwnerDrawMessages, OnlyMeasureAndMenuDrawAreHandled) {
  FakeEntries entries;
  entries.captions[1] = "Hill";
  EXPECT_FALSE(shellext::HandleOwnerDrawMessage(WM_INITMENUPOPUP, 0, 0, entries));
  EXPECT_FALSE(shellext::HandleOwnerDrawMessage(WM_COMMAND, 1, 0, entries));
  // A control's draw message (wParam its identifier) is answered, not drawn.
  DibSurface s(kSurfaceWidth, kSurfaceHeight, kUntouched);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.itemID = 1;
  item.hDC = s.dc();
  item.rcItem = kItem;
  EXPECT_TRUE(shellext::HandleOwnerDrawMessage(WM_DRAWITEM, 1, reinterpret_cast<LPARAM>(&item), entries));
  EXPECT_EQ(s.Count(0, 0, kSurfaceWidth, kSurfaceHeight, kUntouched), kSurfaceWidth * kSurfaceHeight);
  // No record: nothing to do, and no fault.
  EXPECT_TRUE(shellext::HandleOwnerDrawMessage(WM_MEASUREITEM, 0, 0, entries));
  EXPECT_TRUE(shellext::HandleOwnerDrawMessage(WM_DRAWITEM, 0, 0, entries));
}

TEST(OwnerDrawMessages, MenuCharPicksTheEntryByItsMarkedLetter) {
  FakeEntries entries;
  entries.captions[1] = "&Open";
  entries.captions[2] = "Tom && Jerry";  // "&&" marks no letter
  entries.captions[3] = "&Designer...";
  entries.captions[4] = "&Dynamic";
  entries.captions[5] = "&Xray";  // disabled below
  base::UniqueHMenu menu(CreatePopupMenu());
  for (UINT id = 1; id <= 5; ++id) AppendMenuA(menu.get(), MF_OWNERDRAW | (id == 5 ? MF_GRAYED : 0), id, nullptr);
  auto press = [&](wchar_t c, LRESULT& result) {
    result = -1;
    return shellext::HandleMenuChar(MAKEWPARAM(c, MF_POPUP), reinterpret_cast<LPARAM>(menu.get()), entries, result);
  };
  LRESULT result = 0;
  ASSERT_TRUE(press(L'o', result));
  EXPECT_EQ(result, MAKELRESULT(0, MNC_EXECUTE));
  ASSERT_TRUE(press(L'O', result));
  EXPECT_EQ(result, MAKELRESULT(0, MNC_EXECUTE));
  // Two entries with "d": the first, then the next after the highlighted one.
  ASSERT_TRUE(press(L'd', result));
  EXPECT_EQ(result, MAKELRESULT(2, MNC_SELECT));
  MENUITEMINFOA hilite{};
  hilite.cbSize = sizeof hilite;
  hilite.fMask = MIIM_STATE;
  hilite.fState = MFS_HILITE;
  ASSERT_TRUE(SetMenuItemInfoA(menu.get(), 2, TRUE, &hilite));
  ASSERT_TRUE(press(L'd', result));
  EXPECT_EQ(result, MAKELRESULT(3, MNC_SELECT));
  EXPECT_FALSE(press(L'x', result));
  EXPECT_FALSE(press(L'j', result));
  EXPECT_FALSE(press(L'&', result));
  // A menu of plain entries keeps its own mnemonics.
  base::UniqueHMenu plain(CreatePopupMenu());
  AppendMenuA(plain.get(), MF_STRING, 1, "&Open");
  EXPECT_FALSE(shellext::HandleMenuChar(MAKEWPARAM(L'o', MF_POPUP), reinterpret_cast<LPARAM>(plain.get()), entries,
                                        result));
}
