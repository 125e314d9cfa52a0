// The handler's life on the shell's threads: what Initialize records from
// the shell's own data object, the per-thread state and its end, handlers
// side by side on one thread and on several, and menus made and dropped in a
// loop without a leak.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "actions/clsCustomActions.h"
#include "base/context.h"
#include "base/tests/testing.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/PictureCache.h"
#include "shellext/tests/fennick_testing.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;

shellext::FennickHandler& Of(const base::ComPtr<IContextMenu3>& h) { return *static_cast<shellext::FennickHandler*>(h.get()); }

class FennickLife : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::WriteFileBytes(dir.File("a.txt"), "a");
    testing_support::WriteFileBytes(dir.File("b.txt"), "b");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    for (int i = 0; i < 3; ++i) {
      actions::clsCustomActions a;
      a.m_szId = "Action" + std::to_string(i);
      a.m_lType = i < 2 ? actions::clsCustomActions::TypeWindow : actions::clsCustomActions::TypeGeneral;
      a.m_szDescription = "Action " + std::to_string(i);
      a.m_lOptions = actions::clsCustomActions::OptionEnabled;
      a.Save(actionsFile);
    }
    configbuilder::ConfigBuilder b("Root");
    b.Add(clsCorvaneData::TypeFile, "A", dir.File("a.txt"));
    widgets::TreeNode& popup = b.Add(clsCorvaneData::TypePopupMenu, "Popup");
    b.Add(clsCorvaneData::TypeFile, "B", dir.File("b.txt"), &popup);
    b.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.Path());
    b.Save(cfg);
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = actionsFile;
    });
  }

  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  std::string cfg = dir.File("menu.cfg");
  std::string actionsFile = dir.File("CustomActions.ini");
};

TEST_F(FennickLife, InitializeRecordsTheShellsSelection) {
  const std::string folder = dir.Path(), a = dir.File("a.txt"), sub = dir.File("sub");
  struct Case {
    const char* what;
    std::vector<std::string> paths;  // empty: a background
    bool withFolder;
    int count;
    std::string firstPath, currentFile, currentFolder;
  };
  const Case cases[] = {
      {"one file", {a}, true, 1, a, a, folder},
      {"one file, no folder list", {a}, false, 1, a, a, folder},
      {"one folder", {sub}, true, 1, sub, "", folder},
      {"one folder, no folder list", {sub}, false, 1, sub, "", sub},
      {"two files", {a, dir.File("b.txt")}, true, 2, "", "", folder},
      {"two files, no folder list", {a, dir.File("b.txt")}, false, 2, "", "", folder},
      {"a background", {}, true, 0, "", "", sub},
  };
  auto h = fennick_test::NewHandler();
  base::ComPtr<IShellExtInit> init = h.query<IShellExtInit>(IID_IShellExtInit);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fennick_test::ShellSelection s;
    if (c.paths.empty()) s.folder = fennick_test::PidlOf(sub);
    else s = fennick_test::SelectionOf(c.paths);
    ASSERT_TRUE(s.folder);
    // One handler initialised again and again: each time the new selection only.
    ASSERT_EQ(init->Initialize(c.withFolder ? s.folder.get() : nullptr, s.dataObject.get(), nullptr), S_OK);
    const shellext::HandlerSelection& f = Of(h).Selection();
    EXPECT_EQ(f.m_lSelectionCount, c.count);
    EXPECT_EQ(f.m_szFirstPath, c.firstPath);
    EXPECT_EQ(f.m_szCurrentFile, c.currentFile);
    EXPECT_EQ(f.m_szCurrentFolder, c.currentFolder);
  }
}

TEST_F(FennickLife, TheThreadsFirstHandlerCountsWindowActionsAndItsLastFreesTheThreadsState) {
  const std::string history = std::string(shellext::kHistoryMRUKey);
  auto listSaved = [&] {
    base::UniqueHKey key;
    return RegOpenKeyExA(HKEY_CURRENT_USER, history.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
  };
  auto first = fennick_test::NewHandler();
  auto second = fennick_test::NewHandler();
  // Counted once, by the first; every handler of the thread sees the count.
  EXPECT_EQ(shellext::FennickThread().m_lNumWindowActions, 2);
  EXPECT_EQ(shellext::FennickThread().g_lReferenceCount, 2);
  ASSERT_GT(shellext::g_oHistoryMRU().MaxFileCount(), 0);
  shellext::g_oHistoryMRU().AddFile("entry");  // as a command run from the menu does
  first.reset();
  EXPECT_FALSE(listSaved());
  EXPECT_NE(base::ThreadContext::Peek(), nullptr);
  second.reset();
  // The last one saves the lists that changed and takes the thread's state
  // with it.
  EXPECT_TRUE(listSaved());
  EXPECT_EQ(base::ThreadContext::Peek(), nullptr);
  auto again = fennick_test::NewHandler();
  EXPECT_EQ(shellext::FennickThread().m_lNumWindowActions, 2);
}

std::string BuildOnce(UINT first) {
  auto h = fennick_test::NewHandler();
  base::UniqueHMenu menu(CreatePopupMenu());
  HRESULT hr = h->QueryContextMenu(menu.get(), 0, first, 0x7fff, CMF_NORMAL);
  return fennick_test::DumpMenu(menu.get(), first, HRESULT_CODE(hr));
}

TEST_F(FennickLife, HandlersSideBySideOnOneThreadAndOnSeveralBuildTheSameMenu) {
  const std::string expected = BuildOnce(1);
  ASSERT_NE(expected.find("  string 0 \"A\""), std::string::npos) << expected;
  // Several at once on this thread, each with its own menu.
  {
    std::vector<base::ComPtr<IContextMenu3>> live;
    std::vector<base::UniqueHMenu> menus;
    for (int i = 0; i < 5; ++i) {
      live.push_back(fennick_test::NewHandler());
      menus.emplace_back(CreatePopupMenu());
      HRESULT hr = live.back()->QueryContextMenu(menus.back().get(), 0, 1, 0x7fff, CMF_NORMAL);
      EXPECT_EQ(fennick_test::DumpMenu(menus.back().get(), 1, HRESULT_CODE(hr)), expected) << i;
    }
  }
  // And on other threads while one lives here: every thread counts its own
  // handlers, so each thread's first one counts the window actions.
  auto here = fennick_test::NewHandler();
  std::vector<std::thread> threads;
  std::vector<std::string> dumps(4);
  std::vector<int> actions(4, -1), remaining(4, -1);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      base::ComInit com;
      {
        auto mine = fennick_test::NewHandler();
        actions[static_cast<size_t>(t)] = shellext::FennickThread().m_lNumWindowActions;
        for (int i = 0; i < 3; ++i) dumps[static_cast<size_t>(t)] = BuildOnce(1);
      }
      remaining[static_cast<size_t>(t)] = base::ThreadContext::Peek() == nullptr ? 0 : 1;
    });
  for (auto& t : threads) t.join();
  for (size_t t = 0; t < 4; ++t) {
    EXPECT_EQ(dumps[t], expected) << t;
    EXPECT_EQ(actions[t], 2) << t;
    EXPECT_EQ(remaining[t], 0) << t;
  }
  EXPECT_EQ(shellext::FennickThread().g_lReferenceCount, 1);
}

// Handles of our own that a menu shows: the check-mark bitmaps and submenus.
void CollectHandles(HMENU menu, std::vector<HBITMAP>& bitmaps, std::vector<HMENU>& submenus) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_SUBMENU | MIIM_CHECKMARKS;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    if (mii.hbmpChecked) bitmaps.push_back(mii.hbmpChecked);
    if (mii.hSubMenu) {
      submenus.push_back(mii.hSubMenu);
      CollectHandles(mii.hSubMenu, bitmaps, submenus);
    }
  }
}

TEST_F(FennickLife, MenusMadeAndDroppedInALoopLeakNothing) {
  auto cycle = [&](std::vector<HBITMAP>* bitmaps, std::vector<HMENU>* submenus) {
    fennick_test::ShellSelection s = fennick_test::SelectionOf({dir.File("a.txt")});
    auto h = fennick_test::NewHandler();
    h.query<IShellExtInit>(IID_IShellExtInit)->Initialize(s.folder.get(), s.dataObject.get(), nullptr);
    base::UniqueHMenu menu(CreatePopupMenu());
    EXPECT_TRUE(SUCCEEDED(h->QueryContextMenu(menu.get(), 0, 1, 0x7fff, CMF_NORMAL)));
    if (bitmaps) CollectHandles(menu.get(), *bitmaps, *submenus);
    // Like the shell: the menu goes first, then the handler.
    menu.reset();
  };
  cycle(nullptr, nullptr);  // the shell's and the system's own first-use allocations
  const DWORD gdiBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  const DWORD userBefore = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  for (int i = 0; i < 60; ++i) cycle(nullptr, nullptr);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), gdiBefore);
  EXPECT_LE(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS), userBefore);
  // Observed (Wine 8.0): GetGuiResources answers 0, so the handles of one
  // menu are also followed to their end.
  std::vector<HBITMAP> bitmaps;
  std::vector<HMENU> submenus;
  cycle(&bitmaps, &submenus);
  EXPECT_GE(bitmaps.size(), 3u);
  EXPECT_GE(submenus.size(), 3u);
  // Owner-drawn entries show the process's own pictures, kept for the next
  // right-click until the library goes (which frees them as this does).
  shellext::ReleasePictureCaches();
  for (HBITMAP b : bitmaps) EXPECT_EQ(GetObjectType(b), 0u);
  for (HMENU m : submenus) EXPECT_FALSE(IsMenu(m));
}

}  // namespace
