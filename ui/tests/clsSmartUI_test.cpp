#include "ui/clsSmartUI.h"

#include <gtest/gtest.h>

#include "smartui/tests/event_log.h"

namespace {

using base::Variant;
using sui_testing::EventLog;
using sui_testing::ErrorOf;
using sui_testing::Lines;

struct Grid : ::testing::Test {
  sui::Control grid{sui::Style::Grid};
  const ui::clsSmartUI& helper = ui::SmartUI();
};

TEST_F(Grid, AddSetsTagIndentValueAndOptionsInThatOrderAsOrdinaryEvents) {
  EventLog log(grid);
  std::vector<std::string> seen;
  grid.handlers.itemChange = [&](const sui::ItemPtr& i, const std::string& p) {
    seen.push_back(p + " tag=" + i->tag().ToString() + " indent=" + std::to_string(i->indent()));
  };
  auto check = helper.Add(grid, 0, "move", "Move", sui::kKindCheckBox, "", true, 2, 0, Variant("t"));
  EXPECT_EQ(seen, (std::vector<std::string>{"checked tag=t indent=2"}));
  EXPECT_TRUE(check->checked());

  EventLog clicks(grid);
  auto row = helper.Add(grid, 0, "path", "Path", sui::kKindText, "folder_open", Variant("c:\\"), 1,
                        ui::kSuiOptionSelected | ui::kSuiOptionDisabled);
  EXPECT_EQ(clicks.take(), (Lines{"change path value", "click path"}));
  EXPECT_TRUE(row->selected());
  EXPECT_FALSE(row->enabled());
  EXPECT_EQ(row->image(), "folder_open");
  EXPECT_EQ(grid.current(), row);
}

TEST_F(Grid, AnInitialNumberChecksACheckRowAndIsTheValueOfOtherRows) {
  struct Case {
    int kind;
    Variant initial;
    bool checked;
    std::string value;
  } cases[] = {
      {sui::kKindCheckBox, std::int32_t{4}, true, ""},
      {sui::kKindCheckBox, std::int32_t{0}, false, ""},
      {sui::kKindOptionButton, 2.5, true, ""},
      {sui::kKindCheckBox, false, false, ""},
      {sui::kKindCheckBox, Variant("1"), false, "1"},  // a text is a value, even on a check row
      {sui::kKindText, std::int32_t{4}, false, "4"},
      {sui::kKindText, true, true, ""},  // a flag sets checked whatever the kind
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(n);
    auto row = helper.Add(grid, 0, "r" + std::to_string(n++), "Row", c.kind, "", c.initial);
    EXPECT_EQ(row->checked(), c.checked);
    EXPECT_EQ(row->value().ToString(), c.value);
  }
}

TEST_F(Grid, AddUnderAParentAndPassesTheControlsErrorsOn) {
  auto row = helper.Add(grid, 0, "type", "Type", sui::kKindList);
  auto entry = helper.Add(grid, 0, "", "Folder", sui::kKindEntry, "", std::nullopt, 0, 0, std::int32_t{1}, row);
  EXPECT_EQ(row->subItems().at(1), entry);
  EXPECT_EQ(grid.items().count(), 1);
  EXPECT_EQ(ErrorOf([&] { helper.Add(grid, 0, "TYPE", "Again", sui::kKindText); }), sui::kErrDuplicateKey);
  EXPECT_EQ(ErrorOf([&] { helper.Add(grid, 0, "x", "Bad", 999); }), sui::kErrInvalidPropertyValue);
  EXPECT_EQ(ErrorOf([&] { helper.Add(grid, 5, "y", "Far", sui::kKindText); }), base::kErrSubscript);
}

TEST_F(Grid, ComboFlagsFollowTheOneFlagRule) {
  auto row = helper.Add(grid, 0, "r", "Row", sui::kKindList);
  struct Case {
    Variant tag;
    long error;
    bool flag;
  } cases[] = {
      {Variant(), 0, false},          {true, 0, true},          {false, 0, false},
      {std::int32_t{0}, 0, false},    {std::int32_t{-1}, 0, true}, {std::int16_t{3}, 0, true},
      {0.25, 0, true},                {Variant("True"), 0, true}, {Variant("fALSE"), 0, false},
      {Variant("TRUE"), 0, true},     {Variant("0"), 0, false}, {Variant(" 2 "), 0, true},
      {Variant("maybe"), 13, false},  {Variant(""), 13, false}, {Variant("Yes"), 13, false},
  };
  int n = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(n++);
    row->setTag(c.tag);
    EXPECT_EQ(ErrorOf([&] { helper.Combo_IsTrue(row); }), c.error);
    EXPECT_EQ(ErrorOf([&] { helper.Combo_IsNo(row); }), c.error);
    if (c.error) continue;
    EXPECT_EQ(helper.Combo_IsTrue(row).ToBool(), c.flag);
    EXPECT_EQ(helper.Combo_IsYes(row).ToBool(), c.flag);
    EXPECT_EQ(helper.Combo_IsFalse(row).ToBool(), !c.flag);
    EXPECT_EQ(helper.Combo_IsNo(row).ToBool(), !c.flag);
    EXPECT_EQ(helper.Combo_IsTrue(row).Kind(), base::VariantKind::Boolean);
  }
}

TEST_F(Grid, FindingByTagTreatsAnAbsentTagAsZeroAndTrueAsMinusOne) {
  auto row = helper.Add(grid, 0, "r", "Row", sui::kKindList);
  auto none = row->subItems().add(0, "", "None", sui::kKindEntry);  // no tag at all
  auto yes = row->subItems().add(0, "", "On", sui::kKindEntry);
  yes->setTag(std::int32_t{-1});
  auto five = row->subItems().add(0, "", "Five", sui::kKindEntry);
  five->setTag(Variant("5"));
  EXPECT_EQ(helper.FindSubItemViaTag(row, std::int32_t{0}), none);
  EXPECT_EQ(helper.FindSubItemViaTag(row, false), none);
  EXPECT_EQ(helper.FindSubItemViaTag(row, true), yes);
  EXPECT_EQ(helper.FindSubItemViaTag(row, Variant("5")), five);
  EXPECT_EQ(helper.FindSubItemViaTag(row, std::int32_t{5}), nullptr);  // text never equals a number
  EXPECT_EQ(helper.FindSubItemViaCaption(row, "on"), nullptr);          // captions count case
  EXPECT_EQ(helper.FindSubItemViaCaption(row, "On"), yes);
}

TEST_F(Grid, YesNoComboChoosesByTagAndLeavesTheRowAloneWithoutADefault) {
  auto row = helper.Add(grid, 0, "r", "Row", sui::kKindListRow, "", Variant("old"), 0, 0, Variant("kept"));
  helper.Combo_SetAsYesNo(row);
  EXPECT_EQ(sui_testing::Keys(row->subItems()), "Yes,No");
  EXPECT_EQ(row->value().ToString(), "old");
  EXPECT_EQ(row->tag().ToString(), "kept");

  EventLog log(grid);
  helper.Combo_SetAsYesNo(row, false);
  EXPECT_EQ(row->subItems().count(), 2);  // refilled, not added to
  EXPECT_EQ(row->value().ToString(), "No");
  EXPECT_EQ(row->tag().Kind(), base::VariantKind::Boolean);
  EXPECT_FALSE(helper.Combo_IsYes(row).ToBool());
  EXPECT_EQ(log.take(), (Lines{"change r value"}));

  EXPECT_EQ(helper.SetParentViaCaption(row, "maybe"), nullptr);
  EXPECT_EQ(row->value().ToString(), "No");
  helper.Combo_SetYesNo(row, true);
  EXPECT_EQ(row->value().ToString(), "Yes");
  EXPECT_TRUE(helper.Combo_IsTrue(row).ToBool());

  helper.Combo_SetAsBoolean(row, Variant("False"));  // the default is read as a flag
  EXPECT_EQ(sui_testing::Keys(row->subItems()), "True,False");
  EXPECT_EQ(row->value().ToString(), "False");
  helper.Combo_SetBoolean(row, true);
  EXPECT_EQ(row->value().ToString(), "True");
}

// The options page copies the chosen entry's tag in its own itemChange handler
// and sets the value again: that must end the chain, with one event in all.
TEST_F(Grid, AHandlerThatChoosesTheSameEntryAgainRaisesNothingMore) {
  auto row = helper.Add(grid, 0, "level", "Level", sui::kKindList);
  helper.Add(grid, 0, "", "None", sui::kKindEntry, "", std::nullopt, 0, 0, std::int32_t{0}, row);
  helper.Add(grid, 0, "", "Maximum", sui::kKindEntry, "", std::nullopt, 0, 0, std::int32_t{3}, row);
  int changes = 0;
  grid.handlers.itemChange = [&](const sui::ItemPtr& item, const std::string&) {
    ++changes;
    helper.SetParentViaCaption(item, item->value().ToString());
  };
  EXPECT_EQ(helper.SetParentViaCaption(row, "Maximum")->caption(), "Maximum");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(row->tag().ToLong(), 3);
}

TEST_F(Grid, SetWidthReachesEveryDepthAndExpandAllOnlyTheTop) {
  auto top = grid.items().add(0, "a", "A", sui::kKindMenuEntry);
  auto mid = top->subItems().add(0, "b", "B", sui::kKindMenuEntry);
  auto deep = mid->subItems().add(0, "c", "C", sui::kKindMenuCommand);
  helper.SetWidth(grid.items(), 120);
  for (const auto& item : {top, mid, deep}) EXPECT_EQ(item->width(), 120.0f);
  helper.ExpandAll(grid, true);
  EXPECT_TRUE(top->expanded());
  EXPECT_FALSE(mid->expanded());
  helper.ExpandAll(grid, false);
  EXPECT_FALSE(top->expanded());
}

}  // namespace
