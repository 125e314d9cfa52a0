// The events the forms receive, and who raises them: program changes raise
// what the user's do, once; unchanged values raise nothing.
#include <gtest/gtest.h>

#include <memory>

#include "smartui/tests/event_log.h"

using namespace sui;
using sui_testing::ErrorOf;
using sui_testing::EventLog;
using sui_testing::Lines;

namespace {

class EventsTest : public testing::Test {
 protected:
  ItemPtr row(const char* key, int kind, int indent = 0) {
    ItemPtr item = grid.items().add(0, key, key, kind);
    item->setIndent(indent);
    return item;
  }

  Control grid{Style::Grid};
  EventLog log{grid};
};

TEST_F(EventsTest, AValueRaisesOnceWhenItsTextFormChanges) {
  struct Row { Variant before, after; bool raises; } rows[] = {
      {Variant(), Variant(""), false},
      {Variant("5"), Variant(std::int32_t{5}), false},
      {Variant(std::int32_t{5}), Variant(5.0), false},
      {Variant(true), Variant("True"), false},
      {Variant(2.5), Variant("2.5"), false},
      {Variant("a"), Variant("a"), false},
      {Variant(), Variant(std::int32_t{0}), true},
      {Variant("a"), Variant("A"), true},
      {Variant("x"), Variant(), true},
      {Variant(false), Variant(std::int32_t{0}), true},
  };
  ItemPtr text = row("text", kKindText);
  for (const auto& r : rows) {
    SCOPED_TRACE(r.before.ToString() + " -> " + r.after.ToString());
    text->setValue(r.before);
    log.take();
    text->setValue(r.after);
    EXPECT_EQ(log.take(), r.raises ? Lines{"change text value"} : Lines{});
    EXPECT_EQ(text->value().Kind(), r.after.Kind());  // stored either way
  }
  EXPECT_EQ(ErrorOf([&] { text->setValue(Variant(std::make_shared<base::Object>())); }), 13);
}

TEST_F(EventsTest, TheHandlerSeesTheNewValue) {
  ItemPtr text = row("text", kKindText);
  std::string seen;
  grid.handlers.itemChange = [&](const ItemPtr& item, const std::string&) { seen = item->value().ToString(); };
  text->setValue("new");
  EXPECT_EQ(seen, "new");
}

TEST_F(EventsTest, CheckedRaisesOnlyOnTheOtherState) {
  ItemPtr box = row("box", kKindCheckBox);
  box->setChecked(false);
  EXPECT_EQ(log.take(), Lines{});
  box->setChecked(true);
  box->setChecked(true);
  box->setChecked(false);
  EXPECT_EQ(log.take(), (Lines{"change box checked", "change box checked"}));
}

TEST_F(EventsTest, OtherChangesRaiseNothing) {
  ItemPtr a = row("a", kKindText);
  a->subItems().add(0, "s", "", kKindEntry);
  a->setCaption("c");
  a->setEnabled(false);
  a->setVisible(false);
  a->setVisible(true);
  a->setTag("t");
  a->setIndent(2);
  a->setImage("i");
  a->setBold(true);
  a->setWidth(10);
  a->setForeColor(0xFF);
  a->setToolTip("tip");
  a->setShortcut("F8");
  a->setExpanded(true);
  a->setSelected(false);
  row("b", kKindText)->setIndex(1);
  grid.items().sort();
  grid.setRedraw(false);
  grid.setBorderStyle(0);
  grid.setCaption("Details");
  grid.setTag("id");
  grid.setEnabled(false);
  grid.setVisible(false);
  a->subItems().remove("s");
  grid.items().clear();
  EXPECT_EQ(log.take(), Lines{});
}

TEST_F(EventsTest, SelectingRaisesItemClickOnlyWhenItBecomesSelected) {
  ItemPtr a = row("a", kKindText);
  ItemPtr b = row("b", kKindText);
  bool seenSelected = false;
  grid.handlers.itemClick = [&, logged = grid.handlers.itemClick](const ItemPtr& item) {
    seenSelected = item->selected() && grid.current() == item;
    logged(item);
  };
  a->setSelected(true);
  EXPECT_TRUE(seenSelected);
  EXPECT_EQ(grid.current(), a);
  EXPECT_EQ(log.take(), Lines{"click a"});
  a->setSelected(true);
  EXPECT_EQ(log.take(), Lines{});
  b->setSelected(true);  // exclusive within the list
  EXPECT_EQ(log.take(), Lines{"click b"});
  EXPECT_FALSE(a->selected());
  grid.setCurrent(nullptr);
  EXPECT_EQ(grid.current(), nullptr);
  EXPECT_FALSE(b->selected());
  grid.setCurrent(a);
  EXPECT_EQ(log.take(), Lines{"click a"});
  // Hiding the current item clears it, silently.
  a->setVisible(false);
  EXPECT_EQ(grid.current(), nullptr);
  EXPECT_FALSE(a->selected());
  EXPECT_EQ(log.take(), Lines{});
  // Only a top-level item can be made current.
  ItemPtr child = b->subItems().add(0, "child", "", kKindEntry);
  EXPECT_EQ(ErrorOf([&] { grid.setCurrent(child); }), 5);
}

TEST_F(EventsTest, HeadingsSeparatorsSpacersAndHiddenItemsAreNeverSelected) {
  ItemPtr current = row("current", kKindText);
  current->setSelected(true);
  log.take();
  for (int kind : {kKindHeading, kKindCategory, kKindGroupHeading, kKindMenuSeparator, kKindToolbarSpacer}) {
    SCOPED_TRACE(kind);
    ItemPtr item = grid.items().add(0, "", "", kind);
    item->setSelected(true);
    grid.setCurrent(item);
    EXPECT_FALSE(item->selected());
  }
  ItemPtr hidden = row("hidden", kKindText);
  hidden->setVisible(false);
  hidden->setSelected(true);
  EXPECT_FALSE(hidden->selected());
  EXPECT_EQ(grid.current(), current);
  EXPECT_EQ(log.take(), Lines{});
}

TEST_F(EventsTest, CheckingAnOptionUnchecksTheRestOfItsGroupInListOrder) {
  ItemPtr other = row("other", kKindOptionButton, 0);  // another group: indent 0
  ItemPtr first = row("first", kKindOptionButton, 1);
  ItemPtr box = row("box", kKindCheckBox, 1);
  ItemPtr third = row("third", kKindOptionButton, 1);
  ItemPtr second = row("second", kKindOptionButton, 1);
  other->setChecked(true);
  first->setChecked(true);
  box->setChecked(true);
  // Checked while in a group of its own, then moved into the first's group:
  // two members of one group are checked now.
  third->setIndent(2);
  third->setChecked(true);
  third->setIndent(1);
  EXPECT_TRUE(first->checked() && third->checked());
  log.take();
  second->setChecked(true);
  EXPECT_EQ(log.take(), (Lines{"change second checked", "change first checked", "change third checked"}));
  EXPECT_TRUE(second->checked());
  EXPECT_FALSE(first->checked() || third->checked());
  EXPECT_TRUE(other->checked() && box->checked());
  // Unchecking by the program unchecks only that row.
  second->setChecked(false);
  EXPECT_EQ(log.take(), Lines{"change second checked"});
  EXPECT_FALSE(first->checked());
  // The user clicking a checked option does nothing; an unchecked one checks.
  grid.userToggle(other);
  EXPECT_EQ(log.take(), Lines{});
  grid.userToggle(third);
  EXPECT_EQ(log.take(), Lines{"change third checked"});
}

TEST_F(EventsTest, AnOptionGroupBelongsToOneList) {
  ItemPtr top = row("top", kKindOptionButton, 1);
  ItemPtr inner = row("holder", kKindMenuEntry)->subItems().add(0, "inner", "", kKindOptionButton);
  inner->setIndent(1);
  top->setChecked(true);
  inner->setChecked(true);
  EXPECT_TRUE(top->checked() && inner->checked());
}

// The combo row of the options page: its handler copies the chosen entry's
// tag, setting the same caption again on the way.
TEST_F(EventsTest, AComboHandlerThatSetsTheValueAgainEndsTheChain) {
  ItemPtr combo = row("combo", kKindList);
  combo->subItems().add(0, "", "None", kKindEntry)->setTag(std::int32_t{0});
  combo->subItems().add(0, "", "Maximum", kKindEntry)->setTag(std::int32_t{3});
  int calls = 0;
  grid.handlers.itemChange = [&](const ItemPtr& item, const std::string& property) {
    ++calls;
    EXPECT_EQ(property, "value");
    for (const auto& entry : item->subItems())
      if (entry->caption() == item->value().ToString()) {
        item->setValue(entry->caption());
        item->setTag(entry->tag());
      }
  };
  combo->setValue("Maximum");
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(combo->tag().ToLong(), 3);
}

// What the grid helper's Add does after add: tag, indent, initial value, flags.
TEST_F(EventsTest, TheRowSetUpOfTheGridHelperRaisesItsEvents) {
  ItemPtr box = grid.items().add(0, "box", "Box", kKindCheckBox);
  box->setTag("t");
  box->setIndent(1);
  box->setChecked(true);
  EXPECT_EQ(log.take(), Lines{"change box checked"});
  ItemPtr flagged = grid.items().add(0, "flagged", "Flagged", kKindText);
  flagged->setIndent(0);
  flagged->setSelected(true);  // flag 1
  flagged->setEnabled(false);  // flag 4
  EXPECT_EQ(log.take(), Lines{"click flagged"});
  EXPECT_TRUE(flagged->selected());
  EXPECT_FALSE(flagged->enabled());
}

TEST_F(EventsTest, DetachedItemsRaiseNothing) {
  ItemPtr gone = row("gone", kKindOptionButton);
  ItemPtr child = gone->subItems().add(0, "child", "", kKindText);
  grid.items().remove("gone");
  gone->setChecked(true);
  gone->setValue("v");
  gone->setSelected(true);
  child->setValue("v");
  grid.userClick(gone);
  grid.userEdit(child, "typed");
  EXPECT_EQ(log.take(), Lines{});
  EXPECT_EQ(child->value().ToString(), "v");
}

TEST_F(EventsTest, AHandlerErrorReachesWhoeverSetTheProperty) {
  ItemPtr text = row("text", kKindText);
  grid.handlers.itemChange = [](const ItemPtr&, const std::string&) {
    base::RaiseError(base::kErrInvalidCall, "handler");
  };
  EXPECT_EQ(ErrorOf([&] { text->setValue("v"); }), 5);
  EXPECT_EQ(text->value().ToString(), "v");
}

// Views keep their own subscription; they hear of every change, events or not.
TEST_F(EventsTest, ObserversHearOfStructureItemAndControlChanges) {
  struct Recorder : Observer {
    Lines lines;
    void structureChanged(ItemList& list) override { lines.push_back(list.parent() ? "list " + list.parent()->key() : "list"); }
    void itemChanged(const ItemPtr& item, ItemAspect aspect) override {
      lines.push_back(item->key() + " " + std::to_string(static_cast<int>(aspect)));
    }
    void controlChanged(ControlAspect aspect) override { lines.push_back("control " + std::to_string(static_cast<int>(aspect))); }
  } views;
  grid.observe(&views);
  ItemPtr a = row("a", kKindText);  // add, then indent 0 (no change)
  a->subItems().add(0, "s", "", kKindEntry);
  a->setCaption("new");
  grid.setRedraw(false);
  grid.unobserve(&views);
  a->setCaption("unheard");
  EXPECT_EQ(views.lines, (Lines{"list", "list a", "a 0", "control 5"}));
}

}  // namespace
