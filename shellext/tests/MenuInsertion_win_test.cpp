// Entry insertion and the menu pictures, one handler at a time: where an
// entry goes, which picture it gets at which icon level, when it is drawn by
// us, and which identifier it takes.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/tests/testing.h"
#include "config/clsOptions.h"
#include "shellext/CommandMap.h"
#include "shellext/MenuInsertion.h"
#include "shellext/tests/fennick_testing.h"

namespace {

using config::clsOptions;
using shellext::CommandMap;

COLORREF PixelOf(HBITMAP bitmap, int x, int y) {
  base::WindowDc screen(nullptr);
  base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
  base::SelectObjectScope select(dc.get(), bitmap);
  return GetPixel(dc.get(), x, y);
}

SIZE SizeOf(HBITMAP bitmap) {
  BITMAP b{};
  GetObjectA(bitmap, sizeof b, &b);
  return SIZE{b.bmWidth, b.bmHeight};
}

TEST(MenuBitmaps, ResourcesAreMappedToTheMenuColourAndTheFirstThreeScaledToTheFontCell) {
  shellext::clsMenuBitmaps bitmaps;
  bitmaps.LoadResourceBitmaps(GetModuleHandleA(nullptr));  // the test program carries them too
  ASSERT_EQ(bitmaps.Count(), 9);
  TEXTMETRICA tm{};
  base::UniqueHdc info(CreateICA("DISPLAY", nullptr, nullptr, nullptr));
  GetTextMetricsA(info.get(), &tm);
  for (std::int32_t key = 1; key <= 9; ++key) {
    SCOPED_TRACE(key);
    auto m = bitmaps.Find(key);
    ASSERT_TRUE(m);
    const SIZE full = SizeOf(m->m_lData2);
    EXPECT_EQ(full.cx, key == 6 ? 13 : 16);
    if (key <= 3) {
      EXPECT_NE(m->m_lData, m->m_lData2);
      const SIZE shown = SizeOf(m->m_lData);
      EXPECT_EQ(shown.cx, tm.tmMaxCharWidth);
      EXPECT_EQ(shown.cy, tm.tmHeight);
    } else {
      EXPECT_EQ(m->m_lData, m->m_lData2);
    }
  }
  // The blank picture is all background: the menu's own colour.
  EXPECT_EQ(PixelOf(bitmaps.Find(9)->m_lData2, 7, 7), GetSysColor(COLOR_MENU));
  EXPECT_EQ(bitmaps.Find(42), nullptr);
}

TEST(MenuBitmaps, IconsBecomeBitmapsOnTheWindowColour) {
  base::WindowDc screen(nullptr);
  base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
  base::UniqueHBitmap surface(CreateCompatibleBitmap(screen.get(), 16, 16));
  base::SelectObjectScope select(dc.get(), surface.get());
  HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
  base::UniqueHBitmap full = shellext::IconToBitmap(dc.get(), icon, COLOR_MENU, 16, 0);
  base::UniqueHBitmap small = shellext::IconToBitmap(dc.get(), icon, COLOR_MENU, 16, 1);
  ASSERT_TRUE(full && small);
  EXPECT_EQ(SizeOf(small.get()).cx, 16);
  // Drawn at 14 x 14: the last two rows and columns keep the fill.
  EXPECT_EQ(PixelOf(small.get(), 15, 15), GetSysColor(COLOR_WINDOW));
  EXPECT_NE(PixelOf(full.get(), 15, 15), RGB(0, 0, 0));
}

class Insertion : public ::testing::Test {
 protected:
  void SetUp() override {
    fennick_test::PlantSettings([](clsOptions& o) {
      o.m_szShellConfigFile = "";
      o.m_szShellCustomActionsFile = "";
    });
    handler = fennick_test::NewHandler();  // the thread's settings, loaded
    bitmaps.LoadResourceBitmaps(GetModuleHandleA(nullptr));  // the test program carries them too
    map.BeginQuery(shellMenu.get(), 10, 0x7fff);
  }

  // Inserts one entry; the record it made.
  CommandMap::EntryPtr Add(HMENU menu, const std::string& caption, std::int32_t& key, std::int32_t position = -1,
                           bool trim = false, bool ownerDraw = true, HMENU submenu = nullptr,
                           bool* inserted = nullptr) {
    auto item = std::make_shared<config::clsCorvaneData>();
    item->m_lType = config::clsCorvaneData::TypeDesigner;
    auto entry = map.Add(item, menu);
    HBITMAP fileBitmap = nullptr;
    bool in = shellext::AddMenuWithBitmap(map, *pictures, entry, menu, caption, key, fileBitmap, position, "", trim,
                                          ownerDraw, submenu);
    if (inserted) *inserted = in;
    return entry;
  }

  MENUITEMINFOA Info(HMENU menu, UINT position) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_ID | MIIM_CHECKMARKS | MIIM_SUBMENU;
    EXPECT_TRUE(GetMenuItemInfoA(menu, position, TRUE, &mii));
    return mii;
  }

  fennick_test::CleanSettings clean;
  base::UniqueHMenu shellMenu{CreatePopupMenu()};
  base::UniqueHMenu root{CreatePopupMenu()};
  base::ComPtr<IContextMenu3> handler;
  shellext::clsMenuBitmaps bitmaps;
  shellext::clsMenuBitmaps* pictures = &bitmaps;
  CommandMap map;
};

TEST_F(Insertion, PositionOwnerDrawingAndIdentifiers) {
  for (int i = 0; i < 5; ++i) AppendMenuA(root.get(), MF_STRING, 900 + static_cast<UINT>(i), "x");
  std::int32_t key = 0;
  auto appended = Add(root.get(), "Appended", key);
  EXPECT_EQ(Info(root.get(), 5).wID, 10u);  // -1 appends: position 5 of 5
  EXPECT_EQ(appended->id, 10);
  EXPECT_EQ(Info(root.get(), 5).fType & MFT_OWNERDRAW, static_cast<UINT>(MFT_OWNERDRAW));
  EXPECT_EQ(shellext::EntryCaption(map, 10), "Appended");
  EXPECT_EQ(map.Find(10), appended);

  // Straight in the shell's menu: never drawn by us.
  key = 0;
  Add(shellMenu.get(), "Shell", key, 0);
  EXPECT_EQ(Info(shellMenu.get(), 0).fType & MFT_OWNERDRAW, 0u);
  EXPECT_EQ(map.Ids().Next(), 12);

  // A popup takes an identifier only when its caller's flag says so; it is
  // found by its submenu only when that menu is one the map made.
  base::UniqueHMenu sub1 = map.CreateSubmenu();
  base::UniqueHMenu sub2(CreatePopupMenu());
  key = 0;
  auto none = Add(root.get(), "No id", key, -1, false, false, sub1.get());
  sub1.release();
  EXPECT_EQ(map.Ids().Next(), 12);
  EXPECT_EQ(none->id, shellext::kNoCommandId);
  EXPECT_EQ(Info(root.get(), 6).wID, static_cast<UINT>(-1));
  EXPECT_EQ(map.FindBySubmenu(Info(root.get(), 6).hSubMenu), none);
  key = 0;
  auto some = Add(root.get(), "Id", key, -1, false, true, sub2.release());
  EXPECT_EQ(map.Ids().Next(), 13);
  EXPECT_EQ(some->id, 12);
  EXPECT_EQ(map.FindBySubmenu(Info(root.get(), 7).hSubMenu), nullptr);  // not a menu of the map's
}

TEST_F(Insertion, PicturesFollowTheIconLevelAndAMissingOneLeavesTheEntryPlain) {
  struct Case {
    std::int32_t level, key;
    bool marks;
    std::int32_t keyAfter;
  };
  const Case cases[] = {
      {2, shellext::kBitmapMenuFromMedium, true, 1}, {1, shellext::kBitmapMenuFromMedium, false, 999998},
      {1, shellext::kBitmapCurrentFolder, true, 2},  {1, shellext::kBitmapFolder, false, 4},
      {2, shellext::kBitmapFolder, true, 4},         {3, shellext::kBitmapNoIcon, false, 6},
      {1, shellext::kBitmapBlank, true, 9},          {0, shellext::kBitmapMenu, false, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.level) + " " + std::to_string(c.key));
    config::g_oOptions().m_lShellShowIcons = c.level;
    std::int32_t key = c.key;
    Add(root.get(), "E", key);
    MENUITEMINFOA mii = Info(root.get(), static_cast<UINT>(GetMenuItemCount(root.get()) - 1));
    EXPECT_EQ(mii.hbmpChecked != nullptr, c.marks);
    EXPECT_EQ(key, c.keyAfter);
  }
  // The level says "picture" but there is none (pictures of a handler made
  // while icons were off): the entry goes in without one.
  shellext::clsMenuBitmaps none;
  pictures = &none;
  config::g_oOptions().m_lShellShowIcons = clsOptions::OptionLevel_Maximum;
  const int before = GetMenuItemCount(root.get());
  const std::int32_t id = map.Ids().Next();
  std::int32_t key = shellext::kBitmapCustomAction;
  bool inserted = false;
  auto plain = Add(root.get(), "Plain", key, -1, false, true, nullptr, &inserted);
  EXPECT_TRUE(inserted);
  ASSERT_EQ(GetMenuItemCount(root.get()), before + 1);
  EXPECT_EQ(Info(root.get(), static_cast<UINT>(before)).hbmpChecked, nullptr);
  EXPECT_EQ(plain->id, id);
  EXPECT_EQ(shellext::EntryPicture(map, *pictures, id), nullptr);
  pictures = &bitmaps;
}

TEST_F(Insertion, CaptionsAreShortenedOnlyWhenAsked) {
  config::g_oOptions().m_lShellMaxMenuText = 5;
  std::int32_t key = 0;
  Add(root.get(), "A long caption", key, -1, true);
  key = 0;
  Add(root.get(), "A long caption", key, -1, false);
  char text[64] = {};
  GetMenuStringA(root.get(), 0, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "A lon...");
  GetMenuStringA(root.get(), 1, text, sizeof text, MF_BYPOSITION);
  EXPECT_STREQ(text, "A long caption");
}

}  // namespace
