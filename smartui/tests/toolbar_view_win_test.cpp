// The toolbar and button bar over a real comctl32 toolbar.
#include "smartui/toolbar_view.h"

#include <gtest/gtest.h>

#include "smartui/tests/event_log.h"
#include "smartui/tests/viewhost.h"

using namespace sui;
using namespace sui_testing;

namespace {

TBBUTTON ButtonAt(HWND toolbar, int index) {
  TBBUTTON b = {};
  SendMessageA(toolbar, TB_GETBUTTON, index, reinterpret_cast<LPARAM>(&b));
  return b;
}

std::string TipOf(ToolbarView& view, int command) {
  char text[80] = "";
  NMTBGETINFOTIPA tip = {};
  tip.hdr.hwndFrom = view.toolbar();
  tip.hdr.code = TBN_GETINFOTIPA;
  tip.iItem = command;
  tip.pszText = text;
  tip.cchTextMax = sizeof text;
  SendMessageA(view.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&tip));
  return text;
}

}  // namespace

TEST(ToolbarView, ButtonsSplitButtonsAndTooltipsFollowTheModel) {
  Frame frame;
  frame.show();
  Control bar(Style::Toolbar);
  ItemPtr add = bar.items().add(0, "id_editadd", "&Add", kKindMenuEntry);
  add->subItems().add(0, "id_editadd_folder", "&Folder", kKindMenuCommand);
  add->subItems().add(0, "id_editadd_file", "F&ile", kKindMenuCommand);
  bar.items().add(0, "", "", kKindToolbarSpacer);
  ItemPtr del = bar.items().add(0, "id_editdelete", "&Remove", kKindMenuCommand);
  del->setEnabled(false);
  ItemPtr up = bar.items().add(0, "id_up", "", kKindMenuCommand);
  up->setToolTip("Move up");
  EventLog log(bar);
  ToolbarView view(bar, frame.hwnd(), RECT{0, 0, 400, 28});

  ASSERT_EQ(SendMessageA(view.toolbar(), TB_BUTTONCOUNT, 0, 0), 4);
  EXPECT_TRUE(ButtonAt(view.toolbar(), 0).fsStyle & BTNS_DROPDOWN);
  EXPECT_TRUE(ButtonAt(view.toolbar(), 1).fsStyle & BTNS_SEP);
  EXPECT_FALSE(SendMessageA(view.toolbar(), TB_ISBUTTONENABLED, ButtonAt(view.toolbar(), 2).idCommand, 0));
  EXPECT_EQ(TipOf(view, ButtonAt(view.toolbar(), 0).idCommand), "Add");  // the caption without its "&"
  EXPECT_EQ(TipOf(view, ButtonAt(view.toolbar(), 3).idCommand), "Move up");

  // A click on a button, then the split button's arrow: the handler refills
  // the drop-down, the menu shows what it holds then, and the pick comes last.
  SendMessageA(view.toolbar(), WM_COMMAND, 0, 0);  // not from the toolbar: ignored
  SendMessageA(view.hwnd(), WM_COMMAND, MAKEWPARAM(ButtonAt(view.toolbar(), 3).idCommand, BN_CLICKED),
               reinterpret_cast<LPARAM>(view.toolbar()));
  bar.handlers.dropDown = [&](const ItemPtr& item) {
    log.take();
    item->subItems().add(0, "id_editadd_qa", "&Quick", kKindMenuCommand);
  };
  std::vector<std::vector<MenuLine>> menus;
  frame.onPopup = [&](HMENU m) { menus.push_back(ReadMenu(m)); };
  std::vector<std::string> order;
  bar.handlers.itemClick = [&](const ItemPtr& item) { order.push_back("click " + item->key()); };
  for (WPARAM k : {VK_UP, VK_RETURN}) PostKey(view.hwnd(), k);  // the last entry
  NMTOOLBARA drop = {};
  drop.hdr.hwndFrom = view.toolbar();
  drop.hdr.code = TBN_DROPDOWN;
  drop.iItem = ButtonAt(view.toolbar(), 0).idCommand;
  EXPECT_EQ(SendMessageA(view.hwnd(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&drop)), TBDDRET_DEFAULT);
  ASSERT_FALSE(menus.empty());
  EXPECT_EQ(menus[0], (std::vector<MenuLine>{{"&Folder"}, {"F&ile"}, {"&Quick"}}));
  EXPECT_EQ(order, (std::vector<std::string>{"click id_editadd_qa"}));

  // Program changes show: enabled, hidden, a new button.
  del->setEnabled(true);
  up->setVisible(false);
  bar.items().add(0, "id_down", "", kKindMenuCommand);
  ASSERT_EQ(SendMessageA(view.toolbar(), TB_BUTTONCOUNT, 0, 0), 5);
  EXPECT_TRUE(SendMessageA(view.toolbar(), TB_ISBUTTONENABLED, ButtonAt(view.toolbar(), 2).idCommand, 0));
  EXPECT_TRUE(SendMessageA(view.toolbar(), TB_ISBUTTONHIDDEN, ButtonAt(view.toolbar(), 3).idCommand, 0));
  // A disabled control disables every button (the button bar's "modified").
  bar.setEnabled(false);
  EXPECT_FALSE(SendMessageA(view.toolbar(), TB_ISBUTTONENABLED, ButtonAt(view.toolbar(), 0).idCommand, 0));
  Pump();
}
