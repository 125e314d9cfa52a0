// The menu bar and the popup menu over real menus, read back with
// GetMenuItemInfo and chosen through WM_COMMAND and the keyboard.
#include "smartui/menu_view.h"

#include <gtest/gtest.h>

#include "smartui/tests/event_log.h"
#include "smartui/tests/viewhost.h"

using namespace sui;
using namespace sui_testing;

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
