// The command map over real menus: records found by identifier, offset, verb
// and submenu, and menus told apart from whatever else comes to live at the
// same handle.
#include <windows.h>

#include <gtest/gtest.h>

#include "shellext/CommandMap.h"

namespace {

using shellext::CommandMap;

std::shared_ptr<config::clsCorvaneData> Item(std::int32_t type) {
  auto item = std::make_shared<config::clsCorvaneData>();
  item->m_lType = type;
  return item;
}

// What another program's menu looks like at a handle that was ours: the
// same number, other menu data.
void BecomeSomeoneElses(HMENU menu) {
  MENUINFO info{};
  info.cbSize = sizeof info;
  info.fMask = MIM_MENUDATA;
  info.dwMenuData = 0;
  SetMenuInfo(menu, &info);
}

TEST(CommandMap, RecordsAreFoundByIdentifierOffsetAndVerbOfTheLatestQueryOnly) {
  base::UniqueHMenu shell(CreatePopupMenu());
  CommandMap map;
  map.BeginQuery(shell.get(), 100, 200);
  auto none = map.Add(Item(config::clsCorvaneData::TypeSeparator), shell.get());
  auto a = map.Add(Item(config::clsCorvaneData::TypeFile), shell.get());
  map.SetId(a, map.Ids().Take());
  auto b = map.Add(Item(config::clsCorvaneData::TypeFolder), shell.get());
  map.SetId(b, map.Ids().Take());
  EXPECT_EQ(map.Count(), 3);
  EXPECT_EQ(map.At(1), none);
  EXPECT_EQ(map.At(4), nullptr);
  EXPECT_EQ(map.Find(shellext::kNoCommandId), nullptr);
  EXPECT_EQ(map.Find(101), b);
  EXPECT_EQ(map.FindByOffset(0), a);
  EXPECT_EQ(map.FindByOffset(2), nullptr);
  EXPECT_EQ(map.FindByOffset(0x100000000ull), nullptr);
  EXPECT_EQ(map.FindByVerb("Item1"), b);
  EXPECT_EQ(map.FindByVerb("item0"), a);
  for (const char* verb : {"Item", "Item2", "Item-1", "Item1 ", "open", "Item4294967296"}) {
    SCOPED_TRACE(verb);
    EXPECT_EQ(map.FindByVerb(verb), nullptr);
  }
  // A new query forgets the old records: their identifiers name nothing.
  map.BeginQuery(shell.get(), 100, 200);
  EXPECT_EQ(map.Find(100), nullptr);
  EXPECT_EQ(map.Count(), 0);
}

TEST(CommandMap, OnlyMenusItMadeAreOursAndOnlyThoseAreDestroyed) {
  CommandMap map;
  map.BeginQuery(nullptr, 1, 100);
  base::UniqueHMenu plain(CreatePopupMenu());
  base::UniqueHMenu made = map.CreateSubmenu();
  ASSERT_TRUE(made);
  EXPECT_TRUE(map.IsOurs(made.get()));
  EXPECT_FALSE(map.IsOurs(plain.get()));
  EXPECT_FALSE(map.IsOurs(nullptr));

  auto folder = map.Add(Item(config::clsCorvaneData::TypeDynamicFolder), nullptr);
  folder->submenu = made.get();
  map.AddDynamic(folder);
  // Filled once: the second opening is known but gets nothing to fill.
  bool known = false;
  EXPECT_EQ(map.TakeDynamicToFill(made.get(), known), folder);
  EXPECT_TRUE(known);
  EXPECT_EQ(map.TakeDynamicToFill(made.get(), known), nullptr);
  EXPECT_TRUE(known);
  EXPECT_EQ(map.TakeDynamicToFill(plain.get(), known), nullptr);
  EXPECT_FALSE(known);

  // The handle now carries a menu that is not ours: it is never filled,
  // found or destroyed as ours.
  auto other = map.Add(Item(config::clsCorvaneData::TypeDynamicFolder), nullptr);
  base::UniqueHMenu reused = map.CreateSubmenu();
  other->submenu = reused.get();
  map.AddDynamic(other);
  BecomeSomeoneElses(reused.get());
  EXPECT_FALSE(map.IsOurs(reused.get()));
  EXPECT_EQ(map.TakeDynamicToFill(reused.get(), known), nullptr);
  EXPECT_FALSE(known);
  EXPECT_EQ(map.FindBySubmenu(reused.get()), nullptr);

  HMENU ours = made.release();
  map.DestroyDynamicMenus();
  EXPECT_FALSE(IsMenu(ours));
  EXPECT_TRUE(IsMenu(reused.get()));
  // Destroyed once: a second pass (a later handler) finds nothing left.
  map.DestroyDynamicMenus();
  EXPECT_TRUE(IsMenu(reused.get()));
}

TEST(CommandMap, AFolderMenuDestroyedWithItsParentIsNotDestroyedAgain) {
  CommandMap map;
  map.BeginQuery(nullptr, 1, 100);
  base::UniqueHMenu parent = map.CreateSubmenu();
  base::UniqueHMenu child = map.CreateSubmenu();
  HMENU childHandle = child.get();
  AppendMenuA(parent.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(child.release()), "sub");
  auto a = map.Add(Item(config::clsCorvaneData::TypeDynamicFolder), nullptr);
  a->submenu = parent.get();
  map.AddDynamic(a);
  auto b = map.Add(Item(config::clsCorvaneData::TypeDynamicFolder), parent.get());
  b->submenu = childHandle;
  map.AddDynamic(b);
  HMENU parentHandle = parent.release();
  map.DestroyDynamicMenus();
  EXPECT_FALSE(IsMenu(parentHandle));
  EXPECT_FALSE(IsMenu(childHandle));
}

}  // namespace
