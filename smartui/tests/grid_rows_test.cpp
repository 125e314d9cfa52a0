#include "smartui/grid_rows.h"

#include <gtest/gtest.h>

#include "smartui/tests/event_log.h"

namespace {

using namespace sui;

std::string Shown(const std::vector<GridRow>& rows) {
  std::string out;
  for (const auto& row : rows) {
    ItemPtr item = row.item.lock();
    out += (out.empty() ? "" : ",") + (item ? sui_testing::Name(item) : "?") +
           (row.depth ? ">" + std::to_string(row.depth) : "") + (row.units != 1 ? "*" + std::to_string(row.units) : "");
  }
  return out;
}

TEST(GridRows, VisibleRowsNestUnderExpandedRowsButNeverShowAListsEntries) {
  Control grid(Style::Grid);
  auto& items = grid.items();
  items.add(0, "head", "General", kKindHeading);
  auto parent = items.add(0, "parent", "Parent", kKindText);
  parent->subItems().add(0, "child", "Child", kKindCheckBox);
  auto list = items.add(0, "list", "Type", kKindList);
  list->subItems().add(0, "entry", "Folder", kKindEntry);
  items.add(0, "gone", "Hidden", kKindText)->setVisible(false);
  items.add(0, "box", "Preview", kKindHostedControl);
  EXPECT_EQ(Shown(visibleRows(grid)), "head,parent,list,box*5");
  parent->setExpanded(true);
  list->setExpanded(true);
  EXPECT_EQ(Shown(visibleRows(grid)), "head,parent,child>1,list,box*5");

  Control listControl(Style::List);
  auto entry = listControl.items().add(0, "a", "A", kKindEntry);
  entry->subItems().add(0, "sub", "Sub", kKindEntry);
  entry->setExpanded(true);
  listControl.items().add(0, "b", "B", kKindHostedControl);
  EXPECT_EQ(Shown(visibleRows(listControl)), "a,b");
}

TEST(GridRows, UpAndDownPassOverRowsTheUserCannotMakeCurrent) {
  Control grid(Style::Grid);
  auto& items = grid.items();
  items.add(0, "a", "A", kKindText);
  items.add(0, "head", "Heading", kKindHeading);
  items.add(0, "off", "Off", kKindText)->setEnabled(false);
  items.add(0, "b", "B", kKindCheckBox);
  items.add(0, "c", "C", kKindCategory);
  auto rows = visibleRows(grid);
  struct Case {
    int from, step, to;
  } cases[] = {{0, 1, 3}, {3, -1, 0}, {3, 1, -1}, {0, -1, -1}, {-1, 1, 0}, {-1, -1, 3}, {1, 1, 3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.from) + " by " + std::to_string(c.step));
    EXPECT_EQ(stepRow(rows, c.from, c.step), c.to);
  }
  items.clear();  // the rows held no item: a rebuilt list leaves nothing to walk to
  EXPECT_EQ(stepRow(rows, -1, 1), -1);
  EXPECT_EQ(rowOf(rows, nullptr), -1);
}

TEST(GridRows, EachKindTakesItsEditor) {
  struct Case {
    int kind;
    RowEditor editor;
  } cases[] = {
      {kKindText, RowEditor::Text},           {kKindTextRow, RowEditor::Text},
      {kKindPlainText, RowEditor::Text},      {kKindTextButton, RowEditor::TextButton},
      {kKindTextButtonRow, RowEditor::TextButton}, {kKindList, RowEditor::DropList},
      {kKindListRow, RowEditor::DropList},    {kKindEditableList, RowEditor::DropEdit},
      {kKindHostedControl, RowEditor::Hosted}, {kKindHostedRow, RowEditor::Hosted},
      {kKindReadOnlyText, RowEditor::None},   {kKindCheckBox, RowEditor::None},
      {kKindOptionButton, RowEditor::None},   {kKindHeading, RowEditor::None},
      {kKindEntry, RowEditor::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    EXPECT_EQ(editorFor(c.kind), c.editor);
    // Every kind the user types into takes a text editor, and only those.
    EXPECT_EQ(isEditableKind(c.kind), c.editor == RowEditor::Text || c.editor == RowEditor::TextButton ||
                                          c.editor == RowEditor::DropEdit);
  }
}

}  // namespace
