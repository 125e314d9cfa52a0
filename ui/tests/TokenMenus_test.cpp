// The keystroke and token menus, filled into the item model.
#include "ui/TokenMenus.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "smartui/model.h"

namespace {

struct Shape {
  std::string key;
  std::string caption;
  int kind;
  bool operator==(const Shape&) const = default;
};

std::vector<Shape> ShapeOf(const sui::ItemList& list) {
  std::vector<Shape> out;
  for (const auto& item : list) out.push_back({item->key(), item->caption(), item->kind()});
  return out;
}

}  // namespace

TEST(TokenMenus, KeystrokeMenuHasTheTokensThenTheThreeKeyMenus) {
  for (bool withItem : {true, false}) {
    SCOPED_TRACE(withItem);
    sui::Control popup(sui::Style::PopupMenu);
    sui::ItemPtr menu = popup.items().add(0, "id_actiontokens", "", sui::kKindMenuEntry);
    std::vector<Shape> top = {{"[crv_pause]", "Pause", 203}, {"[crv_date]", "Date", 203},
                              {"", "", 204},                {"", "Modifiers", 203},
                              {"", "General", 203},         {"", "Function Keys", 203}};
    if (withItem) top.insert(top.begin(), {"[crv_item]", "Selected Item", 203});
    // Filling twice leaves one set, not two.
    ui::AddKeystrokeMenuItems(*menu, withItem);
    ui::AddKeystrokeMenuItems(*menu, withItem);
    EXPECT_EQ(ShapeOf(menu->subItems()), top);

    const size_t first = withItem ? 4 : 3;
    EXPECT_EQ(ShapeOf(menu->subItems().at(static_cast<int>(first) + 1)->subItems()),
              (std::vector<Shape>{{"+", "SHIFT", 200}, {"^", "CTRL", 200}, {"%", "ALT", 200}}));
    const sui::ItemList& general = menu->subItems().at(static_cast<int>(first) + 2)->subItems();
    ASSERT_EQ(general.count(), 20);
    EXPECT_EQ(ShapeOf(general)[0], (Shape{"{BACKSPACE}", "BACKSPACE", 200}));
    EXPECT_EQ(general.at("{CAPSLOCK}")->caption(), "CAPS LOCK");
    EXPECT_EQ(general.at("{PRTSC}")->caption(), "PRINT SCREEN");
    EXPECT_EQ(ShapeOf(general)[19], (Shape{"{UP}", "UP ARROW", 200}));
    const sui::ItemList& functions = menu->subItems().at(static_cast<int>(first) + 3)->subItems();
    ASSERT_EQ(functions.count(), 16);
    EXPECT_EQ(ShapeOf(functions)[0], (Shape{"{F1}", "F1", 200}));
    EXPECT_EQ(ShapeOf(functions)[15], (Shape{"{F16}", "F16", 200}));
  }
}

TEST(TokenMenus, BothTokenMenusOfOnePopupHoldTheDateTokenAndItsClickCarriesIt) {
  // The date token sits in both lists of the one popup control, and both
  // lists hold several entries without a key: keys are unique per list only.
  sui::Control popup(sui::Style::PopupMenu);
  sui::ItemPtr actions = popup.items().add(0, "id_actiontokens", "", sui::kKindMenuEntry, "customaction");
  sui::ItemPtr selection = popup.items().add(0, "id_selectiontokens", "", sui::kKindMenuEntry, "selectiontask");
  ui::AddKeystrokeMenuItems(*actions, true);
  ui::AddSelectionMenuItems(*selection);
  ui::AddKeystrokeMenuItems(*actions, true);  // refilled at load, after the other
  EXPECT_EQ(ShapeOf(selection->subItems()),
            (std::vector<Shape>{{"[crv_selection]", "Selection", 203}, {"[crv_date]", "Date", 203}}));
  ASSERT_TRUE(actions->subItems().find("[crv_date]"));
  ASSERT_TRUE(selection->subItems().find("[crv_date]"));

  std::vector<std::string> inserted;
  popup.handlers.itemClick = [&](const sui::ItemPtr& item) { inserted.push_back(item->key()); };
  popup.userClick(selection->subItems().at("[crv_date]"));
  popup.userClick(actions->subItems().at("[crv_date]"));
  popup.userClick(actions->subItems().at(7)->subItems().at("{F12}"));
  EXPECT_EQ(inserted, (std::vector<std::string>{"[crv_date]", "[crv_date]", "{F12}"}));
}
