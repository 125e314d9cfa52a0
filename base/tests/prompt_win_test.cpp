// The one test that shows the real message box: a second thread finds it,
// reads its title and text, and answers it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "base/prompt.h"
#include "base/tests/desktoplock.h"

namespace {

struct Seen {
  DWORD thread = 0;
  HWND box = nullptr;
  std::string title, text;
};

BOOL CALLBACK FindBox(HWND hwnd, LPARAM lp) {
  auto* seen = reinterpret_cast<Seen*>(lp);
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
    seen->box = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

TEST(Prompt, RealBoxShowsTitleAndTextAndReturnsTheAnswer) {
  testing_support::DesktopLock desktop;  // keystrokes of other tests would answer the box
  base::PromptHandler saved = base::SetPromptHandler({});
  Seen seen;
  seen.thread = GetCurrentThreadId();
  std::thread answerer([&] {
    for (int i = 0; i < 500 && !seen.box; ++i) {
      EnumThreadWindows(seen.thread, FindBox, reinterpret_cast<LPARAM>(&seen));
      if (!seen.box) Sleep(10);
    }
    if (!seen.box) return;
    char buf[256] = {};
    GetWindowTextA(seen.box, buf, sizeof buf);
    seen.title = buf;
    GetDlgItemTextA(seen.box, 0xFFFF, buf, sizeof buf);  // the message's static control
    seen.text = buf;
    PostMessageA(seen.box, WM_COMMAND, IDNO, 0);
  });
  int answer = base::Prompt("Save changes?", base::kPromptYesNo | base::kPromptQuestion, "Corvane - Test");
  answerer.join();
  base::SetPromptHandler(std::move(saved));
  ASSERT_NE(seen.box, nullptr);
  EXPECT_EQ(seen.title, "Corvane - Test");
  EXPECT_EQ(seen.text, "Save changes?");
  EXPECT_EQ(answer, base::kAnswerNo);
}
