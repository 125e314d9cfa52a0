// Positions, keys, kinds, removal, moves and sorting of item lists.
#include <gtest/gtest.h>

#include "smartui/tests/event_log.h"

using namespace sui;
using sui_testing::ErrorOf;
using sui_testing::EventLog;
using sui_testing::Keys;

namespace {

// A grid with the rows a..e; every event is logged, and none may come.
class ItemListTest : public testing::Test {
 protected:
  ItemListTest() {
    for (const char* key : {"a", "b", "c", "d", "e"}) list.add(0, key, key, kKindText);
  }
  void TearDown() override { EXPECT_EQ(log.take(), sui_testing::Lines{}); }

  Control control{Style::Grid};
  EventLog log{control};
  ItemList& list = control.items();
};

TEST_F(ItemListTest, AddInsertsSoThatTheNewItemGetsThePosition) {
  struct Row { int position; const char* order; int index; } rows[] = {
      {0, "a,b,c,d,e,X", 6}, {1, "X,a,b,c,d,e", 1}, {3, "a,b,X,c,d,e", 3}, {6, "a,b,c,d,e,X", 6},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.position);
    ItemPtr item = list.add(r.position, "X", "X", kKindText);
    EXPECT_EQ(Keys(list), r.order);
    EXPECT_EQ(item->index(), r.index);
    for (int i = 1; i <= list.count(); ++i) EXPECT_EQ(list.at(i)->index(), i);
    list.remove("x");
  }
}

TEST_F(ItemListTest, PositionsOutsideTheListThrow9) {
  EXPECT_EQ(ErrorOf([&] { list.add(7, "X", "", kKindText); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.add(-1, "X", "", kKindText); }), 9);
  for (int position : {0, 6, -1}) {
    SCOPED_TRACE(position);
    EXPECT_EQ(ErrorOf([&] { list.at(position); }), 9);
    EXPECT_EQ(ErrorOf([&] { list.removeAt(position); }), 9);
  }
  EXPECT_EQ(Keys(list), "a,b,c,d,e");
}

TEST_F(ItemListTest, KeysAreFoundWithoutRegardToCase) {
  EXPECT_EQ(list.at("C"), list.at(3));
  EXPECT_EQ(list.find("E"), list.at(5));
  ItemPtr type = list.add(0, "TYPE", "Type", kKindList);
  EXPECT_EQ(list.at("type"), type);
  EXPECT_EQ(list.find("zz"), nullptr);
  EXPECT_EQ(ErrorOf([&] { list.at("zz"); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.remove("zz"); }), 5);
  // Only ASCII letters fold: an accented key is its own.
  list.add(0, "\xE9t\xE9", "", kKindText);
  EXPECT_EQ(list.find("\xC9T\xC9"), nullptr);
}

TEST_F(ItemListTest, EmptyKeysAreManyAndNeverFound) {
  ItemPtr first = list.add(0, "", "one", kKindEntry);
  ItemPtr second = list.add(2, "", "two", kKindEntry);
  EXPECT_EQ(list.count(), 7);
  EXPECT_EQ(list.find(""), nullptr);
  EXPECT_EQ(ErrorOf([&] { list.at(""); }), 5);
  EXPECT_EQ(ErrorOf([&] { list.remove(""); }), 5);
  EXPECT_EQ(second->index(), 2);
  EXPECT_EQ(first->index(), 7);
}

TEST_F(ItemListTest, AKeyIsUniqueInItsOwnListOnly) {
  EXPECT_EQ(ErrorOf([&] { list.add(0, "A", "", kKindText); }), 457);
  EXPECT_EQ(Keys(list), "a,b,c,d,e");
  // The same key in a sub-list, or in the sub-lists of two rows, is allowed.
  ItemPtr inner = list.at(1)->subItems().add(0, "a", "", kKindEntry);
  list.at(2)->subItems().add(0, "a", "", kKindEntry);
  EXPECT_EQ(ErrorOf([&] { list.at(1)->subItems().add(0, "a", "", kKindEntry); }), 457);
  // A hidden item still holds its key.
  list.at("b")->setVisible(false);
  EXPECT_EQ(ErrorOf([&] { list.add(0, "B", "", kKindText); }), 457);
  EXPECT_EQ(inner->parent(), list.at(1));
}

TEST_F(ItemListTest, OnlyTheKnownKindsAreAccepted) {
  for (int kind : {104, 200, 203, 204, 205, 400, 503, 603, 901, 903, 905, 1100, 1102, 1200, 1204, 1205,
                   1206, 1209, 1210, 1401, 1409, 1501}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(list.add(0, "", "", kind)->kind(), kind);
  }
  for (int kind : {0, 1, 201, 902, 1502, -200}) {
    SCOPED_TRACE(kind);
    EXPECT_EQ(ErrorOf([&] { list.add(0, "new", "", kind); }), 380);
  }
  EXPECT_EQ(list.find("new"), nullptr);
}

TEST_F(ItemListTest, ANewItemHasTheDefaults) {
  ItemPtr item = list.add(0, "k", "&Caption", kKindMenuCommand, "folder_open");
  EXPECT_EQ(item->key(), "k");
  EXPECT_EQ(item->caption(), "&Caption");
  EXPECT_EQ(item->image(), "folder_open");
  EXPECT_TRUE(item->value().IsEmpty());
  EXPECT_TRUE(item->tag().IsEmpty());
  EXPECT_FALSE(item->checked() || item->selected() || item->expanded() || item->bold());
  EXPECT_TRUE(item->enabled() && item->visible());
  EXPECT_EQ(item->indent(), 0);
  EXPECT_EQ(item->width(), 0.0f);
  EXPECT_EQ(item->foreColor(), 0x80000008u);
  EXPECT_EQ(item->toolTip(), "");
  EXPECT_EQ(item->shortcut(), "");
  EXPECT_EQ(item->subItems().count(), 0);
  EXPECT_EQ(item->parent(), nullptr);
  EXPECT_EQ(item->control(), &control);
  EXPECT_EQ(item->subItems().parent(), item);
  EXPECT_EQ(list.parent(), nullptr);
}

TEST_F(ItemListTest, SettingTheIndexMovesTheItem) {
  struct Row { int from, to; const char* order; } rows[] = {
      {2, 1, "b,a,c,d,e"}, {1, 2, "b,a,c,d,e"}, {1, 5, "b,c,d,e,a"}, {5, 1, "e,a,b,c,d"},
      {3, 4, "a,b,d,c,e"}, {3, 3, "a,b,c,d,e"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.order);
    Control grid(Style::List);
    for (const char* key : {"a", "b", "c", "d", "e"}) grid.items().add(0, key, key, kKindEntry);
    ItemPtr moved = grid.items().at(r.from);
    moved->setIndex(r.to);
    EXPECT_EQ(Keys(grid.items()), r.order);
    EXPECT_EQ(moved->index(), r.to);
  }
  EXPECT_EQ(ErrorOf([&] { list.at(2)->setIndex(0); }), 9);
  EXPECT_EQ(ErrorOf([&] { list.at(2)->setIndex(6); }), 9);
  EXPECT_EQ(Keys(list), "a,b,c,d,e");
}

TEST_F(ItemListTest, ARemovedItemIsDetachedButStaysUsable) {
  ItemPtr c = list.at("c");
  ItemPtr child = c->subItems().add(0, "child", "", kKindEntry);
  c->setSelected(true);
  log.take();
  list.remove("C");
  EXPECT_EQ(Keys(list), "a,b,d,e");
  EXPECT_EQ(list.at(3)->index(), 3);
  EXPECT_EQ(control.current(), nullptr);
  EXPECT_EQ(c->index(), 0);
  EXPECT_EQ(c->control(), nullptr);
  EXPECT_EQ(c->parent(), nullptr);
  EXPECT_EQ(ErrorOf([&] { c->setIndex(1); }), 5);
  // Its subtree goes with it, out of the control.
  EXPECT_EQ(child->control(), nullptr);
  EXPECT_EQ(child->parent(), c);
  // Properties still read and write, and raise nothing.
  c->setValue("new");
  c->setChecked(true);
  child->setSelected(true);
  c->subItems().add(0, "more", "", kKindEntry);
  EXPECT_EQ(c->value().ToString(), "new");
  EXPECT_TRUE(c->checked() && child->selected());
  // A key freed by the removal may be used again.
  list.add(3, "c", "c", kKindText);
  EXPECT_EQ(Keys(list), "a,b,c,d,e");
}

TEST_F(ItemListTest, ClearDetachesEveryItem) {
  ItemPtr b = list.at(2);
  list.clear();
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(b->control(), nullptr);
  EXPECT_EQ(b->index(), 0);
  EXPECT_EQ(b->caption(), "b");
}

TEST_F(ItemListTest, SortIsStableByCaptionIgnoringCase) {
  Control combo(Style::Grid);
  ItemList& entries = combo.items().add(0, "row", "", kKindList)->subItems();
  ItemPtr b = entries.add(0, "1", "b", kKindEntry);
  ItemPtr upperA = entries.add(0, "2", "A", kKindEntry);
  ItemPtr lowerA = entries.add(0, "3", "a", kKindEntry);
  lowerA->setSelected(true);
  entries.sort();
  EXPECT_EQ(Keys(entries), "2,3,1");  // "A", "a", "b": the two a's keep their order
  EXPECT_EQ(b->index(), 3);
  EXPECT_TRUE(lowerA->selected());
  entries.sort(true);
  EXPECT_EQ(Keys(entries), "1,2,3");
  entries.sort(false, true);
  EXPECT_EQ(Keys(entries), "1,2,3");
  entries.sort(true, true);
  EXPECT_EQ(Keys(entries), "3,2,1");
}

TEST_F(ItemListTest, TheControlFindsKeysAtAnyDepthInPreOrder) {
  ItemPtr deep = list.at("a")->subItems().add(0, "", "", kKindMenuEntry)->subItems().add(0, "id_editdelete", "", kKindMenuCommand);
  list.add(0, "ID_EDITDELETE", "", kKindMenuCommand);
  EXPECT_EQ(control.find("Id_EditDelete"), deep);
  EXPECT_EQ(control.find("d"), list.at(4));
  EXPECT_EQ(control.find(""), nullptr);
  EXPECT_EQ(control.find("none"), nullptr);
}

TEST(ItemLifetime, ItemsOutliveTheirControlDetached) {
  ItemPtr row, entry;
  {
    Control grid(Style::Grid);
    row = grid.items().add(0, "row", "Row", kKindList);
    entry = row->subItems().add(0, "", "Entry", kKindEntry);
  }
  EXPECT_EQ(row->control(), nullptr);
  EXPECT_EQ(row->index(), 0);
  EXPECT_EQ(entry->control(), nullptr);
  EXPECT_EQ(entry->parent(), row);
  row->setValue("Entry");
  EXPECT_EQ(row->value().ToString(), "Entry");
  // And the other way round: a sub-item kept alone outlives its row.
  row.reset();
  EXPECT_EQ(entry->parent(), nullptr);
  EXPECT_EQ(entry->index(), 0);
}

}  // namespace
