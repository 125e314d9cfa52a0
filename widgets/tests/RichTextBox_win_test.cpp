// The rich-text box on a real window (under Xvfb), typed into for real.
#include "widgets/RichTextBox.h"

#include <gtest/gtest.h>

#include "base/tests/desktoplock.h"
#include "widgets/tests/TextEditorContract.h"
#include "widgets/tests/input.h"
#include "base/tests/screenshot.h"

using namespace widgets;

using testing_support::Type;

TEST(RichTextBox, KeepsTheContractOfTheFake) {
  Form form("Rich text", 6000, 3000);
  form.Load();
  auto& box = form.Add<RichTextBox>("txtActions", 0, 0, 5000, 2000);
  testing_support::CheckTextEditorContract(box);
}

TEST(RichTextBox, TheUsersTypingAndClicksAreReportedAndReadOnlyStopsThem) {
  testing_support::DesktopLock desktop;
  Form form("Rich text", 6000, 3000);
  form.Load();
  auto& box = form.Add<RichTextBox>("txtSelection_Parms", 150, 150, 5000, 1500);
  form.Show();
  int changes = 0;
  box.Change = [&] { ++changes; };
  std::vector<int> buttons;
  box.MouseDown = [&](int button, int, long x, long y) {
    buttons.push_back(button);
    EXPECT_GT(x, 0);
    EXPECT_GT(y, 0);
  };
  SetForegroundWindow(form.Hwnd());
  SetFocus(box.Inner());
  Type("ab");
  EXPECT_EQ(box.Text(), "ab");
  EXPECT_GE(changes, 2);

  box.SetLocked(true);
  Type("c");
  EXPECT_EQ(box.Text(), "ab");
  box.SetLocked(false);

  RECT r{};
  GetWindowRect(box.Inner(), &r);
  testing_support::ClickAt({r.left + 20, r.top + 10}, MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(buttons, std::vector<int>{1});

  // Without word wrap a long line stays one line however narrow the box.
  box.SetWordWrap(false);
  box.SetText(std::string(400, 'x') + " " + std::string(400, 'y'));
  EXPECT_EQ(SendMessageA(box.Inner(), EM_GETLINECOUNT, 0, 0), 1);
  box.SetWordWrap(true);
  EXPECT_GT(SendMessageA(box.Inner(), EM_GETLINECOUNT, 0, 0), 1);
  box.SetText("[crv_item] \"[crv_selection]\"\r\nsecond line");
  box.SetFont("Courier New", 10);
  testing_support::SaveWindowPng(form.Hwnd(), "richtextbox.png");
}
