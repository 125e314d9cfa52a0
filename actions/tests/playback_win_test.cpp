// Action strings played into real windows, and window matching against real
// windows: our own edit control, and Wine's notepad started for the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>

#include "actions/clsCustomActions.h"
#include "base/dateformat.h"
#include "base/tests/editwindow.h"
#include "base/tests/program.h"
#include "base/tests/testing.h"
#include "common/clsProcess.h"
#include "common/clsTrace.h"

using actions::clsCustomActions;
using testing_support::EditWindow;
using testing_support::StartedProgram;
using testing_support::TempDir;

namespace {

const char kNastyPath[] = "C:\\PROGRA~1\\a+b (x)\\{y}[z]^%~.txt";

long long Played(const std::string& actions, const std::string& item) {
  clsCustomActions a;
  a.m_szActions = actions;
  auto t0 = std::chrono::steady_clock::now();
  a.SendActions(item);
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
}

using Playback = testing_support::EditWindowTest;

}  // namespace

TEST_F(Playback, TheUsersTextIsNotationAndOutsideTextIsLiteral) {
  struct Row { const char* actions; const char* item; const char* text; } rows[] = {
      {"", "x", ""},
      {"+abc{LEFT}X~", "", "AbX\r\nc"},
      {"open [crv_item] now", kNastyPath, "open C:\\PROGRA~1\\a+b (x)\\{y}[z]^%~.txt now"},
      {"a[crv_selection]b", "", "ab"},
      {"x[crv_item", "item", ""},               // does not parse: nothing is sent
      {"x{NOPE}y[crv_item]z", "item", "itemz"},  // a failing part is passed over
      {"[crv_foo]", "", "[crv_foo]"},
      {"line1\r\nline2[crv_item]", "!", "line1\r\nline2!"},
  };
  for (const auto& r : rows) {
    SCOPED_TRACE(r.actions);
    s_window->Clear();
    Played(r.actions, r.item);
    EXPECT_EQ(s_window->Text(), r.text);
  }
}

TEST_F(Playback, PausesWaitTheirTimeAndNegativeOnesNone) {
  EXPECT_GE(Played("a[crv_pause 250]b", ""), 240);
  EXPECT_EQ(s_window->Text(), "ab");
  EXPECT_GE(Played("[crv_pause]", ""), 90);  // 100 by default
  EXPECT_LT(Played("[crv_pause -1][crv_pause -2147483648]", ""), 200);
}

TEST_F(Playback, EveryDateOfARunShowsTheSameTime) {
  Played("[crv_date hh:nn:ss]|[crv_pause 1100][crv_date hh:nn:ss]", "");
  std::string text = s_window->Text();
  ASSERT_EQ(text.size(), 17u) << text;
  EXPECT_EQ(text.substr(0, 8), text.substr(9));
}

TEST_F(Playback, ADateIsTypedAsItIsFormattedWhateverItHolds) {
  // Characters the keystroke notation would take for keys, standing for
  // themselves in the date format.
  const std::string format = "yyyy~+%^(){x}";
  const std::string expected = base::FormatDate(base::Now(), format);
  ASSERT_NE(expected.find("~+%^(){x}"), std::string::npos) << expected;
  Played("<[crv_date " + format + "]>", "");
  EXPECT_EQ(s_window->Text(), "<" + expected + ">");
}

TEST_F(Playback, MatchWindowLooksAtTheWindowItsParentsAndItsProgram) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  HWND edit = s_window->Edit();
  std::string exe = common::g_oProcess().GetExeViaHwnd(edit);
  ASSERT_FALSE(exe.empty());

  struct Row {
    const char* name;
    std::string exe; std::int32_t exeMatch;
    std::string caption; std::int32_t captionMatch;
    std::string cls; std::int32_t classMatch;
    bool match;
  } rows[] = {
      {"frame caption, exact", "", 0, "Corvane keystroke target", 2, "", 0, true},
      {"caption, wrong case", "", 0, "corvane keystroke target", 2, "", 0, false},
      {"frame class and program", exe, 2, "", 0, "CorvaneEditWindow", 2, true},
      {"own class, partial", "", 0, "", 0, "ed", 1, true},
      {"no criterion", "", 0, "", 0, "", 0, false},  // all modes 0: never
      {"mode 3 holds always", "nothing like it", 3, "", 0, "", 0, true},
      {"program elsewhere", "C:\\other.exe", 2, "Corvane keystroke target", 2, "", 0, false},
      // The edit control's caption (its text) is empty: it is no longer found
      // within every Anywhere pattern.
      {"empty caption, anywhere", "", 0, "zzz", 4, "", 0, false},
      {"caption within the pattern", "", 0, "[Corvane keystroke target] and more", 4, "", 0, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    clsCustomActions a;
    a.m_szId = "{row}";
    a.m_lType = clsCustomActions::TypeWindow;
    a.m_lOptions = clsCustomActions::OptionEnabled;
    a.m_szDescription = r.name;
    a.m_szExe = r.exe, a.m_lExeMatch = r.exeMatch;
    a.m_szCaption = r.caption, a.m_lCaptionMatch = r.captionMatch;
    a.m_szClass = r.cls, a.m_lClassMatch = r.classMatch;
    a.Save(file);
    clsCustomActions m;
    EXPECT_EQ(m.MatchWindow(edit, file), r.match ? edit : nullptr);
    EXPECT_EQ(m.m_szDescription, r.name);  // matched or the last one tried
  }
}

TEST_F(Playback, MatchWindowTakesTheFirstInOrderAndNeedsAnEnabledAction) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  HWND edit = s_window->Edit();
  clsCustomActions m;
  m.m_szDescription = "untouched";
  EXPECT_EQ(m.MatchWindow(edit, file), nullptr);  // no file
  EXPECT_EQ(m.m_szDescription, "untouched");

  auto save = [&](const char* id, std::int32_t order, std::int32_t options) {
    clsCustomActions a;
    a.m_szId = id, a.m_lType = clsCustomActions::TypeWindow, a.m_lOrder = order, a.m_lOptions = options;
    a.m_szDescription = id, a.m_szClass = "Edit", a.m_lClassMatch = clsCustomActions::OptionMatchExact;
    a.m_szActions = std::string("actions of ") + id;
    a.Save(file);
  };
  save("disabled", 1, 0);
  EXPECT_EQ(m.MatchWindow(edit, file), nullptr);
  EXPECT_EQ(m.m_szDescription, "untouched");  // no candidate: nothing loaded
  save("second", 3, 1);
  save("first", 2, 1);
  EXPECT_EQ(m.MatchWindow(edit, file), edit);
  EXPECT_EQ(m.m_szId, "first");
  EXPECT_EQ(m.m_szActions, "actions of first");

  // A window that is gone has no class, caption or program: nothing fits.
  HWND gone = CreateWindowExA(0, "Edit", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(m.MatchWindow(gone, file), nullptr);
}

TEST_F(Playback, MatchWindowTracesItsSteps) {
  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  clsCustomActions a;
  a.m_szId = "one", a.m_lType = 1, a.m_lOptions = 1, a.m_szDescription = "By class";
  a.m_szClass = "Edit", a.m_lClassMatch = clsCustomActions::OptionMatchExact;
  a.Save(file);
  std::string traceFile = dir.File("Debug.dbg");
  ASSERT_TRUE(common::g_Debug().Initialize(traceFile, common::clsTrace::FlagAutoCommit));
  clsCustomActions m;
  HWND edit = s_window->Edit();
  ASSERT_EQ(m.MatchWindow(edit, file), edit);
  common::g_Debug().Terminate();
  std::string trace = testing_support::ReadFileBytes(traceFile);
  for (std::string line : {std::string("MatchWindow"), std::string("szClass=Edit  szCaption="),
                           std::string("szClass=CorvaneEditWindow  szCaption=Corvane keystroke target"),
                           std::string("m_szId=one  m_szDescription=By class"),
                           std::string("szSrc=Edit  szDest=Edit  lMode=2"), std::string("MatchString=True"),
                           std::string("MatchWindow_=True"),
                           "MatchWindow=" + common::clsTrace::ToHex(static_cast<std::int32_t>(
                                                reinterpret_cast<std::intptr_t>(edit)))}) {
    EXPECT_NE(trace.find(line), std::string::npos) << line << "\n" << trace;
  }
}

// The road of a window action through another program: Wine's notepad is
// matched by its program, class and caption from its edit control, and the
// action is played into it.
TEST(PlaybackNotepad, AnActionPlayedIntoNotepadLeavesExactlyTheText) {
  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  StartedProgram notepad(std::string(windows) + "\\system32\\notepad.exe", "Notepad");
  ASSERT_TRUE(notepad.Window());
  HWND edit = testing_support::FindChildOfClass(notepad.Window(), "Edit");
  ASSERT_TRUE(edit);

  TempDir dir;
  std::string file = dir.File("CustomActions.ini");
  clsCustomActions saved;
  saved.m_szId = "{5E1D2C4A-0000-4000-8000-000000000001}";
  saved.m_lType = clsCustomActions::TypeWindow;
  saved.m_lOptions = clsCustomActions::OptionEnabled;
  saved.m_szDescription = "Notepad";
  saved.m_szExe = std::string(windows) + "\\", saved.m_lExeMatch = clsCustomActions::OptionMatchPartial;
  saved.m_szClass = "Notepad", saved.m_lClassMatch = clsCustomActions::OptionMatchExact;
  saved.m_szCaption = "Untitled - Notepad - any file", saved.m_lCaptionMatch = clsCustomActions::OptionMatchAnywhere;
  saved.m_szActions = "Hello {+}[crv_item]~[crv_date yyyy-mm-dd][crv_pause 300]{TAB}done";
  saved.Save(file);

  clsCustomActions a;
  ASSERT_EQ(a.MatchWindow(edit, file), edit);
  EXPECT_EQ(a.m_szDescription, "Notepad");

  SetForegroundWindow(notepad.Window());
  std::string today = base::FormatDate(base::Now(), "yyyy-mm-dd");
  auto t0 = std::chrono::steady_clock::now();
  a.SendActions(kNastyPath);
  EXPECT_GE(std::chrono::steady_clock::now() - t0, std::chrono::milliseconds(290));
  EXPECT_EQ(testing_support::WindowText(edit), std::string("Hello +") + kNastyPath + "\r\n" + today + "\tdone");
}
