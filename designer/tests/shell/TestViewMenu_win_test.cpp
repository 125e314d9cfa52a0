// The test view's right-click with Fennick registered in the test prefix: the
// menu on the screen is read back from its window and compared with what
// shellhost prints for the same selection, opened and driven with real
// input, and its command's result checked.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/tests/clipboard.h"
#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/testing.h"
#include "config/clsCorvaneData.h"
#include "designer/TestView.h"
#include "designer/tests/shell/shown_menu_win.h"
#include "tools/bench/configbuilder.h"
#include "widgets/form.h"
#include "widgets/form_tools.h"

namespace {

using config::clsCorvaneData;
using designer_shell_test::OutlineOf;
using designer_shell_test::OutlineOfShellHost;

using testing_support::ClipboardText;
using testing_support::SetClipboardText;

void Pump() {
  for (MSG msg; PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE);) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// A folder with two files and a folder of one, a configuration that shows
// the folder as a dynamic folder and names a file, and the settings that
// point Fennick at it; the test view on the folder, on the screen.
class TestViewMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    widgets::EnsureOleOnThisThread();
    testing_support::WriteFileBytes(dir.File("a.txt"), "a");
    testing_support::WriteFileBytes(dir.File("b.txt"), "b");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    testing_support::WriteFileBytes(dir.File("sub\\deep.txt"), "d");
    configbuilder::ConfigBuilder b("Corvane Test");
    b.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.File("sub"));
    b.Add(clsCorvaneData::TypeFile, "Notes", dir.File("a.txt"));
    b.Save(dir.File("menu.cfg"));

    form.Load();
    view = &form.Add<designer::TestView>("wbrTestMenu", 0, 0, 4000, 3000);
    view->Navigate(dir.Path());
    form.Show();
    SetForegroundWindow(form.Hwnd());
    SetFocus(view->Inner());
    Pump();
  }

  // The screen point in the middle of an entry, or below the last one.
  POINT EntryPoint(const std::string& name) const {
    const std::vector<std::string> entries = view->Entries();
    RECT r{};
    for (size_t i = 0; i < entries.size(); ++i)
      if (entries[i] == name) {
        r.left = LVIR_LABEL;
        SendMessageA(view->Inner(), LVM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
      }
    POINT p{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(view->Inner(), &p);
    return p;
  }
  POINT EmptySpace() const {
    RECT r{};
    GetClientRect(view->Inner(), &r);
    POINT p{r.right - 10, r.bottom - 10};
    ClientToScreen(view->Inner(), &p);
    return p;
  }
  void Select(const std::vector<std::string>& names) {
    ListView_SetItemState(view->Inner(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    const std::vector<std::string> entries = view->Entries();
    for (const std::string& name : names)
      for (size_t i = 0; i < entries.size(); ++i)
        if (entries[i] == name) {
          const UINT state = name == names.front() ? LVIS_SELECTED | LVIS_FOCUSED : LVIS_SELECTED;
          ListView_SetItemState(view->Inner(), static_cast<int>(i), state, state);
        }
  }

  testing_support::DesktopLock desktop;
  designer_shell_test::FennickRegistration fennick;
  testing_support::TempDir dir;
  designer_shell_test::FennickSettings settings{dir.File("menu.cfg")};
  widgets::Form form{"Test view", 4500, 3500};
  designer::TestView* view = nullptr;
};

// Waits for the submenu at index of menu to show; its handle.
HMENU OpenSubmenu(HMENU menu, int index) {
  designer_shell_test::ClickItem(menu, index);
  HMENU sub = GetSubMenu(menu, index);
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(20)) {
    const RECT r = designer_shell_test::ItemRect(sub, 0);
    if (r.bottom > r.top) return sub;
  }
  return nullptr;
}

TEST_F(TestViewMenu, ARightClickOnAnEntryShowsFennicksOwnMenuFillsItsFoldersAndRunsTheChosenCommand) {
  const std::string shut = OutlineOfShellHost(designer_shell_test::RunShellHost({dir.File("a.txt")}));
  const std::string opened =
      OutlineOfShellHost(designer_shell_test::RunShellHost({"--open-submenus", dir.File("a.txt")}));
  ASSERT_NE(shut.find("\"(Empty)\""), std::string::npos) << shut;
  ASSERT_NE(opened.find("\"deep.txt\""), std::string::npos) << opened;
  ASSERT_TRUE(SetClipboardText("before"));

  // All on the watcher's thread: the menu as first shown, then with Fennick's
  // popup and its dynamic folder opened by the mouse, then a click on the
  // built-in "Copy to Clipboard".
  std::string shownShut, shownOpened;
  RECT notesRect{};
  const std::string picture = testing_support::TestProgramFolder() + "\\testview_menu.png";
  designer_shell_test::MenuWatcher watcher([&](HMENU root) {
    shownShut = OutlineOf(root);
    HMENU fennick = OpenSubmenu(root, designer_shell_test::IndexOf(root, "Corvane Test"));
    if (!fennick) return;
    if (!OpenSubmenu(fennick, designer_shell_test::IndexOf(fennick, "Dyn"))) return;
    Sleep(200);
    shownOpened = OutlineOf(root);
    designer_shell_test::SaveScreenWithMenus(form.Hwnd(), 0, picture);
    notesRect = designer_shell_test::ItemRect(fennick, designer_shell_test::IndexOf(fennick, "Notes"));
    designer_shell_test::ClickItem(root, designer_shell_test::IndexOf(root, "Copy to Clipboard"));
  });
  designer_shell_test::RightClickAt(EntryPoint("a.txt"));
  watcher.PumpUntilDone();

  ASSERT_TRUE(watcher.SawMenu());
  EXPECT_EQ(watcher.BoxesClosed(), 0);
  EXPECT_EQ(shownShut, shut);
  EXPECT_EQ(shownOpened, opened);
  // Owner-drawn: the item is as large as Fennick measured it, not the
  // nothing a window that keeps WM_MEASUREITEM to itself leaves.
  EXPECT_GE(notesRect.bottom - notesRect.top, 16);
  EXPECT_GE(notesRect.right - notesRect.left, 60);
  EXPECT_EQ(ClipboardText(), dir.File("a.txt") + "\r\n");
  EXPECT_EQ(view->Selected(), std::vector<std::string>{"a.txt"});
}

TEST_F(TestViewMenu, TheKeyboardAndEmptySpaceOpenTheMenusTheShellSideSeesAndNothingIsLeftBehind) {
  struct Case {
    const char* what;
    std::vector<std::string> selected;  // empty: the right-click on empty space
    std::vector<WORD> keys;             // empty: the mouse
    std::vector<std::string> shellhost;
  };
  const Case cases[] = {
      {"the context-menu key on two files", {"b.txt", "a.txt"}, {VK_APPS}, {dir.File("b.txt"), dir.File("a.txt")}},
      {"Shift+F10 on a folder", {"sub"}, {VK_SHIFT, VK_F10}, {dir.File("sub")}},
      {"a right-click on empty space", {}, {}, {"--background", dir.Path()}},
  };
  auto open = [&](const Case& c, std::string* shown) {
    designer_shell_test::MenuWatcher watcher([&](HMENU root) {
      if (shown) *shown = OutlineOf(root);
      designer_shell_test::PressKeys({VK_ESCAPE});
    });
    Select(c.selected);
    SetFocus(view->Inner());
    if (c.keys.empty())
      designer_shell_test::RightClickAt(EmptySpace());
    else
      designer_shell_test::PressKeys(c.keys);
    watcher.PumpUntilDone();
    EXPECT_EQ(watcher.BoxesClosed(), 0);
    return watcher.SawMenu();
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string expected = OutlineOfShellHost(designer_shell_test::RunShellHost(c.shellhost));
    std::string shown;
    EXPECT_TRUE(open(c, &shown));
    EXPECT_EQ(shown, expected);
  }

  // Each menu's handler, menu and pictures go when it closes.
  testing_support::SettleGdi([&] { open(cases[2], nullptr); });
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(open(cases[2], nullptr));
  EXPECT_EQ(testing_support::GdiObjects(), gdi);
  EXPECT_EQ(testing_support::UserObjects(), user);
}

TEST(TestViewMenuWithoutFennick, ARightClickSaysFennickIsNotRegisteredAndShowsNoMenu) {
  testing_support::DesktopLock desktop;
  designer_shell_test::FennickRegistration unregistered(false);
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("a.txt"), "a");
  widgets::EnsureOleOnThisThread();
  widgets::Form form{"Test view", 4500, 3500};
  form.Load();
  auto& view = form.Add<designer::TestView>("wbrTestMenu", 0, 0, 4000, 3000);
  view.Navigate(dir.Path());
  form.Show();
  SetForegroundWindow(form.Hwnd());
  SetFocus(view.Inner());
  Pump();

  // Once for each way of asking, whatever the keys also make of it.
  const std::vector<std::vector<WORD>> asks = {{VK_APPS}, {VK_SHIFT, VK_F10}};
  for (const std::vector<WORD>& keys : asks) {
    SCOPED_TRACE(keys.back());
    testing_support::PromptRecorder prompts;
    designer_shell_test::MenuWatcher watcher([](HMENU) {}, 2000);
    designer_shell_test::PressKeys(keys);
    watcher.PumpUntilDone();
    EXPECT_FALSE(watcher.SawMenu());
    EXPECT_EQ(watcher.BoxesClosed(), 0);
    ASSERT_EQ(prompts.Prompts().size(), 1u);
    EXPECT_NE(prompts.Prompts()[0].text.find("Fennick is not registered"), std::string::npos)
        << prompts.Prompts()[0].text;
    EXPECT_EQ(prompts.Prompts()[0].flags, static_cast<unsigned>(base::kPromptExclamation));
  }
}

}  // namespace
