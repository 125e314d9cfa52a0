// Keystrokes typed into real edit controls and read back with WM_GETTEXT.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <climits>

#include "base/error.h"
#include "base/keystrokes.h"
#include "base/tests/editwindow.h"

using testing_support::EditWindow;

namespace {

long long MillisecondsOf(void (*f)(long), long arg) {
  auto t0 = std::chrono::steady_clock::now();
  f(arg);
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0)
      .count();
}

using KeystrokesWin = testing_support::EditWindowTest;

}  // namespace

// The target belongs to the calling thread, as the shell's windows do when a
// command runs: the wait must pump our own messages or nothing would arrive.
TEST_F(KeystrokesWin, WaitedNotationArrivesInAWindowOfTheCallingThread) {
  EditWindow& w = *s_window;
  struct Row { const char* notation; const char* text; } rows[] = {
      {"abc", "abc"},
      {"+abc", "Abc"},
      {"+(ab)c", "ABc"},
      {"AbC 1!", "AbC 1!"},
      {"{+}{^}{%}{~}{(}{)}{{}{}}[x]", "+^%~(){}[x]"},
      {"a~b{ENTER}c", "a\r\nb\r\nc"},
      {"line1\r\nline2", "line1\r\nline2"},
      {"abc{LEFT 2}{BACKSPACE}X{END}d", "Xbcd"},
      {"xy{HOME}{DELETE}", "y"},
      {"{a 3}", "aaa"},
      {"caf\xE9 \x80", "caf\xE9 \x80"},  // not on the keyboard: typed as characters
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.notation);
    w.Clear();
    base::SendKeys(r.notation, true);
    EXPECT_EQ(w.Text(), r.text);  // read at once: the wait has seen it all taken
  }
}

TEST_F(KeystrokesWin, LongTextsArriveWhole) {
  std::string text;
  for (int i = 0; i < 120; ++i) text += "line " + std::to_string(i) + "\r\n";
  base::SendLiteralKeys(text, true);
  EXPECT_EQ(s_window->Text(), text);
}

TEST_F(KeystrokesWin, LiteralTextTypesTheNotationCharacters) {
  EditWindow& w = *s_window;
  base::SendLiteralKeys("C:\\PROGRA~1\\a+b (x) {y} ^%", true);
  EXPECT_EQ(w.Text(), "C:\\PROGRA~1\\a+b (x) {y} ^%");
}

// Another thread's window, as another program's would be: the wait returns
// only after that thread has taken and handled every keystroke.
TEST(KeystrokesWinThread, WaitedKeystrokesArriveInAnotherThreadsWindow) {
  EditWindow w(true);
  w.Focus();
  std::string expected;
  for (int i = 0; i < 5; ++i) {
    base::SendKeys("hello{TAB}", true);
    expected += "hello\t";
    ASSERT_EQ(w.Text(), expected) << "batch " << i;
  }
}

TEST(KeystrokesWinThread, WaitForAHungWindowGivesUp) {
  EditWindow w(true);
  w.Focus();
  HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  w.BlockUntil(release);
  // Several batches, and one time-out for all of them.
  std::string text(250, 'x');
  auto t0 = std::chrono::steady_clock::now();
  base::SendKeys(text, true);
  auto waited = std::chrono::steady_clock::now() - t0;
  EXPECT_GE(waited, std::chrono::seconds(4));
  EXPECT_LT(waited, std::chrono::seconds(10));
  SetEvent(release);
  // Once it runs again the keystrokes are still there for it.
  for (int i = 0; i < 200 && w.Text().size() < text.size(); ++i) Sleep(20);
  EXPECT_EQ(w.Text(), text);
  CloseHandle(release);
}

TEST_F(KeystrokesWin, MalformedNotationTypesNothing) {
  EditWindow& w = *s_window;
  EXPECT_THROW(base::SendKeys("abc{NOSUCHKEY}", true), base::Error);
  base::PumpingSleep(50);
  EXPECT_EQ(w.Text(), "");
}

TEST_F(KeystrokesWin, PumpingSleepWaitsAndKeepsTheCallersWindowsAlive) {
  EXPECT_GE(MillisecondsOf([](long ms) { base::PumpingSleep(ms); }, 150), 140);
  EXPECT_LT(MillisecondsOf([](long ms) { base::PumpingSleep(ms); }, -1), 50);
  EXPECT_LT(MillisecondsOf([](long ms) { base::PumpingSleep(ms); }, LONG_MIN), 50);

  // A message posted to our own window is handled during the sleep.
  EditWindow& w = *s_window;
  PostMessageA(w.Edit(), WM_CHAR, 'p', 1);
  base::PumpingSleep(20);
  EXPECT_EQ(w.Text(), "p");
}

TEST(KeystrokesWinQuit, QuitMessageEndsTheSleepAndIsKeptForTheCaller) {
  PostQuitMessage(3);
  auto t0 = std::chrono::steady_clock::now();
  EXPECT_FALSE(base::PumpingSleep(5000));
  EXPECT_LT(std::chrono::steady_clock::now() - t0, std::chrono::seconds(2));
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}
