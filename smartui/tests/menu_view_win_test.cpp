// The menu bar and the popup menu over real menus, read back with
// GetMenuItemInfo and chosen through WM_COMMAND and the keyboard.
#include "smartui/menu_view.h"  // first: it orders the Windows headers

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "base/tests/gui_counts.h"
#include "base/tests/open_menu.h"
#include "smartui/tests/event_log.h"
#include "smartui/tests/viewhost.h"

using namespace sui;
using namespace sui_testing;
using testing_support::MenuPictureOf;

namespace {

// A main menu of the shape Designer's has.
void BuildMenu(Control& menu) {
  ItemPtr file = menu.items().add(0, "id_file", "&File", kKindMenuEntry);
  file->subItems().add(0, "id_filenew", "&New", kKindMenuCommand);
  file->subItems().add(0, "id_fileopen", "&Open...", kKindMenuCommand);
  file->subItems().add(0, "", "", kKindMenuSeparator);
  file->subItems().add(0, "id_fileexit", "E&xit", kKindMenuCommand);
  ItemPtr edit = menu.items().add(0, "id_edit", "&Edit", kKindMenuEntry);
  edit->subItems().add(0, "id_editdelete", "&Remove", kKindMenuCommand)->setEnabled(false);
  edit->subItems().add(0, "id_editcut", "Cu&t", kKindMenuCommand)->setVisible(false);
  ItemPtr more = edit->subItems().add(0, "id_editadd", "&Add", kKindMenuEntry);
  more->subItems().add(0, "id_editadd_folder", "&Folder", kKindMenuCommand)->setChecked(true);
  ItemPtr tools = menu.items().add(0, "id_tools", "&Tools", kKindMenuEntry);
  tools->subItems().add(0, "id_toolsvalidate", "&Validate", kKindMenuCommand)->setShortcut("F8");
  menu.items().add(0, "id_helpmenu", "&Help", kKindMenuEntry);  // no sub-items: a command
}

}  // namespace

TEST(MenuBarView, ShowsTheModelAndReportsTheChosenCommandOnce) {
  Frame frame;
  Control menu(Style::MenuBar);
  BuildMenu(menu);
  EventLog log(menu);
  MenuBarView view(menu, frame.hwnd());
  frame.forward = [&](UINT m, WPARAM w, LPARAM l, LRESULT& r) { return view.handle(m, w, l, r); };
  ASSERT_EQ(GetMenu(frame.hwnd()), view.menu());

  EXPECT_EQ(ReadMenu(view.menu()), (std::vector<MenuLine>{{"> &File"}, {"> &Edit"}, {"> &Tools"}, {"&Help"}}));
  HMENU file = GetSubMenu(view.menu(), 0);
  HMENU edit = GetSubMenu(view.menu(), 1);
  EXPECT_EQ(ReadMenu(file), (std::vector<MenuLine>{{"&New"}, {"&Open..."}, {"-"}, {"E&xit"}}));
  // Hidden entries are left out; grey and check marks as the items say.
  EXPECT_EQ(ReadMenu(edit), (std::vector<MenuLine>{{"&Remove", true}, {"> &Add"}}));
  EXPECT_EQ(ReadMenu(GetSubMenu(edit, 1)), (std::vector<MenuLine>{{"&Folder", false, true}}));
  EXPECT_EQ(ReadMenu(GetSubMenu(view.menu(), 2)), (std::vector<MenuLine>{{"&Validate\tF8"}}));

  const UINT openId = MenuId(file, 1);
  EXPECT_GE(openId, 0xA000u);
  EXPECT_LE(openId, 0xDFFFu);
  SendMessageA(frame.hwnd(), WM_COMMAND, MAKEWPARAM(openId, 0), 0);
  SendMessageA(frame.hwnd(), WM_COMMAND, MAKEWPARAM(MenuId(view.menu(), 3), 0), 0);
  // A disabled command chosen all the same (a stale identifier) does nothing.
  SendMessageA(frame.hwnd(), WM_COMMAND, MAKEWPARAM(MenuId(edit, 0), 0), 0);
  EXPECT_EQ(log.take(), (Lines{"click id_fileopen", "click id_helpmenu"}));

  // An item keeps its identifier; a change at the top shows at once, one
  // below when its submenu opens.
  menu.find("id_file")->subItems().add(1, "id_filemerge", "&Merge...", kKindMenuCommand);
  menu.find("id_edit")->setCaption("&Change");
  EXPECT_EQ(ReadMenu(view.menu())[1].text, "> &Change");
  file = GetSubMenu(view.menu(), 0);
  EXPECT_EQ(MenuId(file, 2), openId);
  menu.find("id_editadd_folder")->setChecked(false);
  menu.find("id_editdelete")->setEnabled(true);
  edit = GetSubMenu(view.menu(), 1);
  SendMessageA(frame.hwnd(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(edit), 1);
  EXPECT_EQ(ReadMenu(edit), (std::vector<MenuLine>{{"&Remove"}, {"> &Add"}}));
  EXPECT_EQ(ReadMenu(GetSubMenu(edit, 1)), (std::vector<MenuLine>{{"&Folder"}}));
  SendMessageA(frame.hwnd(), WM_COMMAND, MAKEWPARAM(MenuId(edit, 0), 0), 0);
  EXPECT_EQ(log.take(), (Lines{"change id_editadd_folder checked", "click id_editdelete"}));
}

TEST(MenuBarView, ShortcutsOfTheMenuAndOfAHiddenHolderBecomeAccelerators) {
  Frame frame;
  Control menu(Style::MenuBar);
  Control holder(Style::Hidden);
  BuildMenu(menu);
  holder.items().add(0, "id_foreground", "", kKindMenuCommand)->setShortcut("Ctrl+F15");
  EventLog log(menu);
  EventLog heldLog(holder);
  MenuBarView view(menu, frame.hwnd());
  view.merge(holder);
  frame.forward = [&](UINT m, WPARAM w, LPARAM l, LRESULT& r) { return view.handle(m, w, l, r); };

  ACCEL table[8] = {};
  ASSERT_EQ(CopyAcceleratorTableA(view.accelerators(), table, 8), 2);
  EXPECT_EQ(table[0].key, VK_F8);
  EXPECT_EQ(table[0].fVirt, FVIRTKEY);
  EXPECT_EQ(table[1].key, VK_F15);
  EXPECT_EQ(table[1].fVirt, FVIRTKEY | FCONTROL);

  // The frame's loop translates the key; the command reaches the model.
  MSG key = {frame.hwnd(), WM_KEYDOWN, VK_F8, 1, 0, {}};
  EXPECT_TRUE(TranslateAcceleratorA(frame.hwnd(), view.accelerators(), &key));
  EXPECT_EQ(log.take(), (Lines{"click id_toolsvalidate"}));
  SendMessageA(frame.hwnd(), WM_COMMAND, MAKEWPARAM(table[1].cmd, 1), 0);
  EXPECT_EQ(heldLog.take(), (Lines{"click id_foreground"}));

  menu.find("id_toolsvalidate")->setShortcut("");
  EXPECT_EQ(CopyAcceleratorTableA(view.accelerators(), nullptr, 0), 1);
}

TEST(PopupMenuView, ShowsTheVisibleSubItemsAndReportsTheChoiceAfterItCloses) {
  Frame frame;
  frame.show();
  Control popup(Style::PopupMenu);
  EventLog log(popup);
  ItemPtr holder = popup.items().add(0, "id_actiontokens", "", kKindMenuEntry);
  holder->subItems().add(0, "[crv_pause]", "Pause", kKindMenuEntry);
  holder->subItems().add(0, "hidden", "Hidden", kKindMenuCommand)->setVisible(false);
  holder->subItems().add(0, "", "", kKindMenuSeparator);
  ItemPtr keys = holder->subItems().add(0, "", "Modifiers", kKindMenuEntry);
  keys->subItems().add(0, "+", "SHIFT", kKindMenuCommand);
  holder->subItems().add(0, "[crv_date]", "Date", kKindMenuEntry);

  std::vector<std::vector<MenuLine>> seen;
  bool insideMenuLoop = false;
  frame.onPopup = [&](HMENU m) { seen.push_back(ReadMenu(m)); };
  popup.handlers.itemClick = [&](const ItemPtr& item) {
    // After the menu has closed: a new popup may open from here.
    insideMenuLoop = FindWindowA("#32768", nullptr) && IsWindowVisible(FindWindowA("#32768", nullptr));
    log.take();
    seen.push_back({{"chosen " + item->key()}});
  };
  // Down to "Modifiers", into it, and its first entry.
  for (WPARAM k : {VK_DOWN, VK_DOWN, VK_RIGHT, VK_RETURN}) PostKey(frame.hwnd(), k);
  ItemPtr chosen = PopupMenuView(frame.hwnd()).popup(holder, POINT{40, 40});
  ASSERT_TRUE(chosen);
  EXPECT_EQ(chosen->key(), "+");
  ASSERT_GE(seen.size(), 2u);
  EXPECT_EQ(seen[0], (std::vector<MenuLine>{{"Pause"}, {"-"}, {"> Modifiers"}, {"Date"}}));
  EXPECT_EQ(seen.back(), (std::vector<MenuLine>{{"chosen +"}}));
  EXPECT_FALSE(insideMenuLoop);

  // Esc chooses nothing and reports nothing; an entry with nothing visible
  // shows no menu at all.
  seen.clear();
  PostKey(frame.hwnd(), VK_ESCAPE);
  EXPECT_FALSE(PopupMenuView(frame.hwnd()).popup(holder, POINT{40, 40}));
  EXPECT_EQ(seen.size(), 1u);
  seen.clear();
  EXPECT_FALSE(PopupMenuView(frame.hwnd()).popup(holder->subItems().at(1), POINT{40, 40}));
  EXPECT_TRUE(seen.empty());
  Pump();
}

namespace {

// A 16 x 16 icon: opaque red on the left half, see-through on the right
// (by its mask), or one colour at one alpha throughout (by its alpha channel).
base::UniqueHIcon MaskIcon() {
  std::vector<std::uint32_t> colour(256, 0);
  for (int i = 0; i < 256; ++i)
    if (i % 16 < 8) colour[static_cast<size_t>(i)] = 0x00ff0000;
  // A set bit shows what is behind; each row's first byte holds its left half.
  std::vector<std::uint16_t> mask(16, 0xff00);
  base::UniqueHBitmap c(CreateBitmap(16, 16, 1, 32, colour.data())), m(CreateBitmap(16, 16, 1, 1, mask.data()));
  ICONINFO info{TRUE, 0, 0, m.get(), c.get()};
  return base::UniqueHIcon(CreateIconIndirect(&info));
}

base::UniqueHIcon AlphaIcon(std::uint32_t argb) {
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof bi.bmiHeader, 16, -16, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  base::UniqueHBitmap c(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0));
  std::fill_n(static_cast<std::uint32_t*>(bits), 256, argb);
  std::vector<std::uint16_t> mask(16, 0);
  base::UniqueHBitmap m(CreateBitmap(16, 16, 1, 1, mask.data()));
  ICONINFO info{TRUE, 0, 0, m.get(), c.get()};
  return base::UniqueHIcon(CreateIconIndirect(&info));
}

// A picture's pixel as premultiplied 0xAARRGGBB.
std::uint32_t PixelOf(HBITMAP picture, int x, int y) {
  BITMAP bm = {};
  if (!GetObjectA(picture, sizeof bm, &bm) || bm.bmBitsPixel != 32) return 0xdeadbeef;
  std::vector<std::uint32_t> px(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
  BITMAPINFO bi = {};
  bi.bmiHeader = {sizeof bi.bmiHeader, bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  HDC screen = GetDC(nullptr);
  GetDIBits(screen, picture, 0, static_cast<UINT>(bm.bmHeight), px.data(), &bi, DIB_RGB_COLORS);
  ReleaseDC(nullptr, screen);
  return px[static_cast<size_t>(y) * bm.bmWidth + x];
}

}  // namespace

TEST(MenuBarView, EntriesShowThePictureOfTheirImageKey) {
  Frame frame;
  Control menu(Style::MenuBar);
  BuildMenu(menu);
  menu.find("id_filenew")->setImage("new");
  menu.find("id_fileopen")->setImage("OPEN");  // keys in any case
  menu.find("id_fileexit")->setImage("gone");  // not in the store: no picture
  menu.find("id_editadd")->setImage("new");    // a submenu's entry too
  MenuBarView view(menu, frame.hwnd());
  base::UniqueHIcon red = MaskIcon(), blue = AlphaIcon(0x800000ff);
  view.images().add("new", red.get());
  view.images().add("open", blue.get());
  view.refreshImages();

  HMENU file = GetSubMenu(view.menu(), 0), edit = GetSubMenu(view.menu(), 1);
  const HBITMAP added = MenuPictureOf(edit, 1), made = MenuPictureOf(file, 0);
  ASSERT_TRUE(made);
  EXPECT_EQ(added, made);  // one picture per icon
  EXPECT_FALSE(MenuPictureOf(file, 3));
  EXPECT_FALSE(MenuPictureOf(edit, 0));  // no image key
  EXPECT_EQ(PixelOf(made, 2, 8), 0xffff0000u);
  EXPECT_EQ(PixelOf(made, 13, 8) >> 24, 0u);  // see-through where the mask says so
  const std::uint32_t half = PixelOf(MenuPictureOf(file, 1), 8, 8);
  EXPECT_NEAR(static_cast<int>(half >> 24), 0x80, 2);
  EXPECT_NEAR(static_cast<int>(half & 0xff), 0x80, 2);  // blue, multiplied by its alpha
  EXPECT_EQ(half >> 8 & 0xffff, 0u);

  // Pictures made again and again are let go again.
  view.refreshImages();
  const long before = testing_support::GdiObjects();
  for (int i = 0; i < 5; ++i) view.refreshImages();
  EXPECT_EQ(testing_support::GdiObjects(), before);
}


TEST(PopupMenuView, EntriesShowThePictureOfTheirImageKey) {
  Frame frame;
  frame.show();
  Control popup(Style::PopupMenu);
  ItemPtr holder = popup.items().add(0, "id_popup", "", kKindMenuEntry);
  holder->subItems().add(0, "id_new", "&New item", kKindMenuCommand, "new");
  holder->subItems().add(0, "id_plain", "&Plain item", kKindMenuCommand);
  ImageStore store;
  base::UniqueHIcon red = MaskIcon();
  store.add("new", red.get());
  std::vector<HBITMAP> seen;
  frame.onPopup = [&](HMENU m) { seen = {MenuPictureOf(m, 0), MenuPictureOf(m, 1)}; };
  {
    testing_support::OpenMenuShot shot("smartui_menu_pictures.png", frame.hwnd());
    EXPECT_FALSE(PopupMenuView(frame.hwnd(), &store).popup(holder, POINT{40, 40}));
  }
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_TRUE(seen[0]);
  EXPECT_FALSE(seen[1]);
  Pump();
}
