// Designer.exe itself, started as a person starts it: the placement it finds
// in the registry, the one it leaves there, and a second start handing over
// to the first.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "base/tests/desktoplock.h"
#include "designer/tests/shell/designer_program_win.h"

namespace {

constexpr char kKey[] = "Software\\Brindlewick\\Corvane\\";

void SetDword(const char* name, std::int32_t value) {
  DWORD data = static_cast<DWORD>(value);
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, kKey, name, REG_DWORD, &data, sizeof data), ERROR_SUCCESS);
}

std::int32_t GetDword(const char* name) {
  DWORD data = 0, size = sizeof data;
  if (RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &data, &size) != ERROR_SUCCESS)
    return -1;
  return static_cast<std::int32_t>(data);
}

using designer_shell_test::MainWindowOf;
using designer_shell_test::Program;

// It plants the shared settings key: this program takes turns with the
// shell extension's tests, which rewrite it.
TEST(DesignerProgram, StartsWhereItWasLeftHandsASecondStartOverAndKeepsWhereItIsLeft) {
  testing_support::DesktopLock desktop;  // no other Designer window is on the screen meanwhile
  SetDword("GeneralSaveWindowPos", 1);
  SetDword("GeneralAllowMultipleInstances", 0);
  const int tx = 15, ty = 15;  // twips per pixel at the screen's 96 dots per inch
  SetDword("WindowState", 1);  // closed minimised: comes back normal
  SetDword("WindowLeft", 100 * tx);
  SetDword("WindowTop", 80 * ty);
  SetDword("WindowWidth", 600 * tx);
  SetDword("WindowHeight", 480 * ty);

  Program first;
  ASSERT_TRUE(first.Start());
  HWND main = MainWindowOf(first, 30000);
  ASSERT_NE(main, nullptr) << "Designer showed no main window";
  RECT r{};
  GetWindowRect(main, &r);
  EXPECT_EQ(r.left, 100);
  EXPECT_EQ(r.top, 80);
  EXPECT_EQ(r.right - r.left, 600);
  EXPECT_EQ(r.bottom - r.top, 480);
  EXPECT_FALSE(IsIconic(main));

  // A second start finds the first, brings it back and ends without a window of its own.
  ShowWindow(main, SW_MINIMIZE);
  Program second;
  ASSERT_TRUE(second.Start());
  EXPECT_TRUE(second.Ended(30000)) << "the second Designer kept running";
  EXPECT_EQ(MainWindowOf(second, 0), nullptr);
  for (DWORD start = GetTickCount(); IsIconic(main) && GetTickCount() - start < 5000;) Sleep(50);
  EXPECT_FALSE(IsIconic(main)) << "the first Designer was not restored";
  EXPECT_FALSE(first.Ended(0));

  // Moved and closed: the normal rectangle is what the next start finds.
  SetWindowPos(main, nullptr, 120, 90, 640, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  PostMessageA(main, WM_CLOSE, 0, 0);
  ASSERT_TRUE(first.Ended(30000)) << "Designer did not end on close";
  EXPECT_EQ(GetDword("WindowState"), 0);
  EXPECT_EQ(GetDword("WindowLeft"), 120 * tx);
  EXPECT_EQ(GetDword("WindowTop"), 90 * ty);
  EXPECT_EQ(GetDword("WindowWidth"), 640 * tx);
  EXPECT_EQ(GetDword("WindowHeight"), 500 * ty);
}

}  // namespace
