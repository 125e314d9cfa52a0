// The user's actions as the views report them: clicks by style, toggles,
// edits and commits, picks, buttons, drop-downs, the edit query, and handlers
// that tear down what is being reported.
#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "smartui/tests/event_log.h"

using namespace sui;
using sui_testing::EventLog;
using sui_testing::Lines;

namespace {

TEST(UserClick, EachStyleRaisesOneClickAndOnlyGridsAndTheViewBarSelect) {
  struct Row { Style style; bool selects; } rows[] = {
      {Style::Grid, true}, {Style::ViewBar, true}, {Style::List, false}, {Style::MenuBar, false},
      {Style::PopupMenu, false}, {Style::Toolbar, false}, {Style::ButtonBar, false},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(static_cast<int>(r.style));
    Control control(r.style);
    ItemPtr a = control.items().add(0, "a", "A", kKindEntry);
    ItemPtr b = control.items().add(0, "b", "B", kKindEntry);
    a->setSelected(true);
    EventLog log(control);
    control.userClick(b);
    EXPECT_EQ(log.take(), Lines{"click b"});
    EXPECT_EQ(control.current(), r.selects ? b : a);
    // Clicking the current item again still reports the click, once.
    control.userClick(control.current());
    EXPECT_EQ(log.take().size(), 1u);
  }
}

TEST(UserClick, AHeadingIsClickedButNeverBecomesCurrent) {
  Control grid(Style::Grid);
  ItemPtr row = grid.items().add(0, "row", "", kKindText);
  ItemPtr heading = grid.items().add(0, "heading", "General", kKindHeading);
  ItemPtr separator = grid.items().add(0, "sep", "", kKindMenuSeparator);
  row->setSelected(true);
  EventLog log(grid);
  grid.userClick(heading);
  grid.userClick(separator);  // a line is not clickable
  EXPECT_EQ(log.take(), Lines{"click heading"});
  EXPECT_EQ(grid.current(), row);
}

// The actions editor: the click asks first, and the form selects the entry.
TEST(UserClick, AListLeavesTheSelectionToTheForm) {
  Control list(Style::List);
  ItemPtr a = list.items().add(0, "a", "A", kKindEntry);
  ItemPtr b = list.items().add(0, "b", "B", kKindEntry);
  a->setSelected(true);
  Lines lines;
  list.handlers.itemClick = [&](const ItemPtr& item) {
    lines.push_back("click " + item->key() + (a->selected() ? " a selected" : ""));
    item->setSelected(true);
  };
  list.userClick(b);
  EXPECT_EQ(lines, (Lines{"click b a selected", "click b"}));
  EXPECT_TRUE(b->selected());
  EXPECT_FALSE(a->selected());
}

TEST(UserActions, NothingHappensForAHiddenOrDisabledItemOrControl) {
  struct Row { const char* why; void (*spoil)(Control&, Item&); } rows[] = {
      {"item disabled", [](Control&, Item& i) { i.setEnabled(false); }},
      {"item hidden", [](Control&, Item& i) { i.setVisible(false); }},
      {"control disabled", [](Control& c, Item&) { c.setEnabled(false); }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.why);
    Control grid(Style::Grid);
    ItemPtr text = grid.items().add(0, "text", "", kKindTextButton);
    ItemPtr box = grid.items().add(0, "box", "", kKindCheckBox);
    ItemPtr combo = grid.items().add(0, "combo", "", kKindList);
    ItemPtr entry = combo->subItems().add(0, "", "Yes", kKindEntry);
    for (const ItemPtr& item : {text, box, combo}) r.spoil(grid, *item);
    EventLog log(grid);
    grid.userClick(text);
    grid.userToggle(box);
    grid.userEdit(text, "typed");
    grid.userCommit(text);
    grid.userPick(combo, entry);
    grid.userButton(text);
    grid.userDropDown(combo);
    EXPECT_EQ(log.take(), Lines{});
    EXPECT_EQ(text->value().ToString(), "");
    EXPECT_FALSE(box->checked() || text->selected());
  }
  // Items of another control, and no item at all, are refused too.
  Control grid(Style::Grid), other(Style::Grid);
  ItemPtr foreign = other.items().add(0, "foreign", "", kKindText);
  EventLog log(grid), otherLog(other);
  grid.userClick(foreign);
  grid.userEdit(foreign, "x");
  grid.userClick(nullptr);
  grid.userPick(nullptr, nullptr);
  EXPECT_EQ(log.take(), Lines{});
  EXPECT_EQ(otherLog.take(), Lines{});
}

TEST(UserToggle, ACheckBoxTogglesEachTime) {
  Control grid(Style::Grid);
  ItemPtr box = grid.items().add(0, "box", "", kKindCheckBox);
  ItemPtr text = grid.items().add(0, "text", "", kKindText);
  EventLog log(grid);
  grid.userToggle(box);
  grid.userToggle(box);
  grid.userToggle(text);
  EXPECT_EQ(log.take(), (Lines{"change box checked", "change box checked"}));
  EXPECT_FALSE(box->checked());
}

// The executable row of the actions editor: typed text, then leaving it.
TEST(UserEdit, EveryChangeRaisesAndLeavingCommitsOnce) {
  Control grid(Style::Grid);
  ItemPtr exe = grid.items().add(0, "id_exe", "", kKindEditableList);
  EventLog log(grid);
  for (const char* text : {"n", "no", "not"}) grid.userEdit(exe, text);
  grid.userCommit(exe);
  EXPECT_EQ(log.take(), (Lines{"change id_exe value", "change id_exe value", "change id_exe value", "commit id_exe"}));
  // A program change never commits, nor does leaving without an edit.
  exe->setValue("notepad.exe");
  grid.userCommit(exe);
  EXPECT_EQ(log.take(), Lines{"change id_exe value"});
  // An edit that ends where it began (Esc puts the old text back) commits nothing.
  grid.userEdit(exe, "notepad");
  grid.userEdit(exe, "notepad.exe");
  grid.userCommit(exe);
  EXPECT_EQ(log.take(), (Lines{"change id_exe value", "change id_exe value"}));
}

TEST(UserEdit, OnlyEditableKindsTakeText) {
  for (int kind : {kKindText, kKindTextRow, kKindPlainText, kKindTextButton, kKindTextButtonRow, kKindEditableList}) {
    SCOPED_TRACE(kind);
    Control grid(Style::Grid);
    ItemPtr item = grid.items().add(0, "", "", kind);
    grid.userEdit(item, "typed");
    EXPECT_EQ(item->value().ToString(), "typed");
  }
  for (int kind : {kKindList, kKindListRow, kKindReadOnlyText, kKindHeading, kKindCheckBox, kKindEntry}) {
    SCOPED_TRACE(kind);
    Control grid(Style::Grid);
    ItemPtr item = grid.items().add(0, "", "", kind);
    grid.userEdit(item, "typed");
    EXPECT_TRUE(item->value().IsEmpty());
  }
}

TEST(UserPick, APickSetsTheCaptionThenCommitsWhenItChanged) {
  Control grid(Style::Grid);
  ItemPtr combo = grid.items().add(0, "combo", "", kKindList);
  ItemPtr yes = combo->subItems().add(0, "", "Yes", kKindEntry);
  ItemPtr hidden = combo->subItems().add(0, "", "Hidden", kKindEntry);
  hidden->setVisible(false);
  ItemPtr foreign = grid.items().add(0, "other", "", kKindList)->subItems().add(0, "", "Other", kKindEntry);
  yes->setTag(true);
  EventLog log(grid);
  grid.userPick(combo, yes);
  EXPECT_EQ(log.take(), (Lines{"change combo value", "commit combo"}));
  EXPECT_EQ(combo->value().ToString(), "Yes");
  EXPECT_TRUE(combo->tag().IsEmpty());  // the form copies the tag, never the control
  grid.userPick(combo, yes);
  grid.userPick(combo, hidden);
  grid.userPick(combo, foreign);
  EXPECT_EQ(log.take(), Lines{});
  EXPECT_EQ(combo->value().ToString(), "Yes");
}

TEST(UserPick, EntriesOfOneCaptionStayApartAndTheLastPickedIsMarked) {
  Control grid(Style::Grid);
  ItemPtr combo = grid.items().add(0, "combo", "", kKindList);
  ItemPtr first = combo->subItems().add(0, "16", "Desktop", kKindEntry);
  ItemPtr second = combo->subItems().add(0, "0", "Desktop", kKindEntry);
  EventLog log(grid);
  grid.userPick(combo, second);
  EXPECT_EQ(log.take(), (Lines{"change combo value", "commit combo"}));
  EXPECT_TRUE(second->selected() && !first->selected());
  // The other entry of the same caption is a change the form must hear of.
  grid.userPick(combo, first);
  EXPECT_EQ(log.take(), (Lines{"change combo value", "commit combo"}));
  EXPECT_TRUE(first->selected() && !second->selected());
  grid.userPick(combo, first);
  EXPECT_EQ(log.take(), Lines{});
}

TEST(UserPick, APickEndsWhatWasTypedIntoAnEditableList) {
  Control grid(Style::Grid);
  ItemPtr exe = grid.items().add(0, "exe", "", kKindEditableList);
  ItemPtr notepad = exe->subItems().add(0, "", "notepad.exe", kKindEntry);
  EventLog log(grid);
  grid.userEdit(exe, "note");
  grid.userPick(exe, notepad);
  grid.userCommit(exe);  // the focus leaves afterwards
  EXPECT_EQ(log.take(), (Lines{"change exe value", "change exe value", "commit exe"}));
}

TEST(UserButton, TheRowBecomesCurrentBeforeTheButtonIsReported) {
  Control grid(Style::Grid);
  ItemPtr path = grid.items().add(0, "path", "", kKindTextButton);
  ItemPtr text = grid.items().add(0, "text", "", kKindText);
  EventLog log(grid);
  grid.userButton(path);
  EXPECT_EQ(log.take(), (Lines{"click path", "button path"}));
  EXPECT_EQ(grid.current(), path);
  grid.userButton(path);
  grid.userButton(text);  // no button on a plain text row
  EXPECT_EQ(log.take(), Lines{"button path"});
}

TEST(UserDropDown, TheHandlerMayRefillTheEntries) {
  Control grid(Style::Grid);
  ItemPtr exe = grid.items().add(0, "exe", "", kKindEditableList);
  exe->subItems().add(0, "", "old.exe", kKindEntry);
  grid.handlers.dropDown = [](const ItemPtr& item) {
    item->subItems().clear();
    item->subItems().add(0, "", "b.exe", kKindEntry);
    item->subItems().add(0, "", "a.exe", kKindEntry);
    item->subItems().sort();
  };
  grid.userDropDown(exe);
  EXPECT_EQ(sui_testing::Keys(exe->subItems()), "a.exe,b.exe");
}

TEST(UserControl, TheEditQueryStartsTrueAndClicksReachTheForm) {
  Control grid(Style::Grid);
  EXPECT_TRUE(grid.userQueryEdit());  // no handler means yes
  EventLog log(grid);
  EXPECT_TRUE(grid.userQueryEdit());
  grid.handlers.query = [](bool& answer) { answer = false; };
  EXPECT_FALSE(grid.userQueryEdit());
  grid.userClickControl();
  EXPECT_EQ(log.take(), (Lines{"query", "click"}));
  grid.setEnabled(false);
  grid.handlers.query = [](bool&) { ADD_FAILURE() << "asked while disabled"; };
  EXPECT_FALSE(grid.userQueryEdit());
  grid.userClickControl();
  EXPECT_EQ(log.take(), Lines{});
}

// A save in the actions editor reloads the whole list from inside a click.
TEST(Reentrancy, AClickHandlerMayClearTheListOfTheClickedItem) {
  Control list(Style::List);
  ItemPtr a = list.items().add(0, "a", "A", kKindEntry);
  list.handlers.itemClick = [&](const ItemPtr& item) {
    list.items().clear();
    EXPECT_EQ(item->caption(), "A");
    list.items().add(0, "a", "A again", kKindEntry);
  };
  std::weak_ptr<Item> watch = a;
  a.reset();
  list.userClick(list.items().at(1));
  EXPECT_TRUE(watch.expired());
  EXPECT_EQ(list.items().at(1)->caption(), "A again");
}

// Exit unloads every form from inside a menu click, and so destroys the
// control whose event is running. Nothing may touch it afterwards: the
// sanitizers see to that, and no second event may come.
TEST(Reentrancy, AHandlerMayDestroyTheControl) {
  struct Row { const char* what; void (*act)(Control&); } rows[] = {
      {"click before button", [](Control& c) { c.userButton(c.items().at("path")); }},
      {"own change before the group", [](Control& c) { c.items().at("second")->setChecked(true); }},
      {"change before commit", [](Control& c) {
         ItemPtr combo = c.items().at("combo");
         c.userPick(combo, combo->subItems().at(1));
       }},
      {"commit", [](Control& c) {
         ItemPtr text = c.items().at("text");
         auto change = std::exchange(c.handlers.itemChange, nullptr);
         c.userEdit(text, "typed");
         c.handlers.itemChange = change;
         c.userCommit(text);
       }},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.what);
    auto grid = std::make_unique<Control>(Style::Grid);
    grid->items().add(0, "path", "", kKindTextButton);
    grid->items().add(0, "text", "", kKindText);
    grid->items().add(0, "combo", "", kKindList)->subItems().add(0, "", "Entry", kKindEntry);
    grid->items().add(0, "first", "", kKindOptionButton)->setChecked(true);
    grid->items().add(0, "second", "", kKindOptionButton);
    int events = 0;
    auto destroy = [&](const ItemPtr& item) {
      ++events;
      grid.reset();
      EXPECT_EQ(item->control(), nullptr);
    };
    grid->handlers.itemClick = destroy;
    grid->handlers.buttonClick = destroy;
    grid->handlers.itemCommit = destroy;
    grid->handlers.itemChange = [destroy](const ItemPtr& item, const std::string&) { destroy(item); };
    r.act(*grid);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(grid, nullptr);
  }
}

}  // namespace
