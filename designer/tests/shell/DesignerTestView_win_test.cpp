// Designer.exe's test view with Fennick registered: switched to from the
// keyboard, an entry chosen by typing its name, Fennick's menu opened with
// the context-menu key and a command of it run, all with real input into
// the running program.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>

#include "base/tests/clipboard.h"
#include "base/tests/desktoplock.h"
#include "base/tests/testing.h"
#include "config/clsCorvaneData.h"
#include "designer/tests/shell/designer_program_win.h"
#include "designer/tests/shell/shown_menu_win.h"
#include "tools/bench/configbuilder.h"

namespace {

BOOL CALLBACK FindShownList(HWND hwnd, LPARAM lp) {
  char name[32] = {};
  if (IsWindowVisible(hwnd) && GetClassNameA(hwnd, name, sizeof name) && std::string(name) == WC_LISTVIEWA) {
    *reinterpret_cast<HWND*>(lp) = hwnd;
    return FALSE;
  }
  return TRUE;
}

HWND ShownList(HWND main, DWORD ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50)) {
    HWND list = nullptr;
    EnumChildWindows(main, &FindShownList, reinterpret_cast<LPARAM>(&list));
    if (list && SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0) return list;
  }
  return nullptr;
}

TEST(DesignerTestView, TheContextMenuKeyOnAnEntryShowsFennicksMenuAndItsCommandRuns) {
  testing_support::DesktopLock desktop;
  designer_shell_test::FennickRegistration fennick;
  testing_support::TempDir dir;
  configbuilder::ConfigBuilder b("Corvane Test");
  b.Add(config::clsCorvaneData::TypeFile, "Notes", dir.File("menu.cfg"));
  b.Save(dir.File("menu.cfg"));
  designer_shell_test::FennickSettings settings(dir.File("menu.cfg"));
  ASSERT_TRUE(testing_support::SetClipboardText("before"));

  // Started in the temporary folder, the test view shows the root of its
  // drive, where the Windows folder is.
  designer_shell_test::Program designer;
  ASSERT_TRUE(designer.Start(dir.Path()));
  HWND main = designer_shell_test::MainWindowOf(designer, 30000);
  ASSERT_NE(main, nullptr) << "Designer showed no main window";
  SetForegroundWindow(main);
  Sleep(300);
  designer_shell_test::PressKeys({VK_CONTROL, '2'});  // the Test Menu view
  HWND list = ShownList(main, 10000);
  ASSERT_NE(list, nullptr) << "the test view did not show its folder";
  SetForegroundWindow(main);
  for (char c : std::string("WINDOWS")) designer_shell_test::PressKeys({static_cast<WORD>(c)});
  Sleep(300);

  const std::string picture = testing_support::TestProgramFolder() + "\\designer_testview_menu.png";
  designer_shell_test::MenuWatcher watcher(
      // Observed (Wine 8.0): another process cannot read the menu's items
      // (GetMenuItemCount answers -1), so the items are compared with
      // shellhost's in the test view's own tests, and here the keys find the
      // command as a person would.
      [&](HMENU) {
        Sleep(200);
        designer_shell_test::SaveScreenWithMenus(main, designer.pi.dwProcessId, picture);
        // Past Fennick's own popup to its built-in command, and run it.
        designer_shell_test::PressKeys({VK_DOWN});
        designer_shell_test::PressKeys({VK_DOWN});
        designer_shell_test::PressKeys({VK_RETURN});
      },
      15000, designer.pi.dwProcessId);
  designer_shell_test::PressKeys({VK_APPS});
  watcher.PumpUntilDone();
  EXPECT_TRUE(watcher.SawMenu());
  EXPECT_EQ(watcher.BoxesClosed(), 0);
  std::string text;
  for (DWORD start = GetTickCount(); GetTickCount() - start < 5000; Sleep(50))
    if ((text = testing_support::ClipboardText()) != "before") break;
  // The folder as the list names it ("windows" under Wine, "Windows" on Windows).
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  std::string expected = std::string(windows) + "\r\n";
  CharLowerA(text.data());
  CharLowerA(expected.data());
  EXPECT_EQ(text, expected);

  PostMessageA(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(designer.Ended(30000)) << "Designer did not end on close";
}

}  // namespace
