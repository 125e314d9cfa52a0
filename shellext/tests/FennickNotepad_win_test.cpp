// Custom actions played into another program: Wine's notepad is the window
// the menu was opened in, the entry is named by the verb one handler gave,
// and a second handler of the same right-click runs it, as shells do.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

#include "actions/clsCustomActions.h"
#include "base/tests/program.h"
#include "base/tests/testing.h"
#include "common/tests/dialogs.h"
#include "config/clsOptions.h"
#include "shellext/tests/fennick_testing.h"
#include "shellext/tests/right_click.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using fennick_test::RightClick;

// Answers every dialog the thread raises while it lives: each is left
// a moment, then closed and counted, so that a test fails instead of hanging.
class DialogWatch {
 public:
  DialogWatch()
      : m_done(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_thread([this, thread = GetCurrentThreadId()] {
          while (WaitForSingleObject(m_done, 100) == WAIT_TIMEOUT) {
            HWND dialog = nullptr;
            EnumThreadWindows(thread, testing_support::TakeVisibleDialog, reinterpret_cast<LPARAM>(&dialog));
            if (!dialog) continue;
            ++m_seen;
            Sleep(2000);
            PostMessageA(dialog, WM_CLOSE, 0, 0);
          }
        }) {}
  ~DialogWatch() {
    SetEvent(m_done);
    m_thread.join();
    CloseHandle(m_done);
  }
  DialogWatch(const DialogWatch&) = delete;
  DialogWatch& operator=(const DialogWatch&) = delete;
  int Seen() const { return m_seen; }

 private:
  HANDLE m_done;
  std::atomic<int> m_seen{0};
  std::thread m_thread;
};

void ClearText(HWND edit) {
  DWORD_PTR ignored = 0;
  SendMessageTimeoutA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_ABORTIFHUNG, 5000, &ignored);
}

TEST(FennickNotepad, AnEntryChosenByVerbInASecondHandlerIsTypedIntoTheWindowTheMenuWasFor) {
  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("a.txt"), "a");
  // Characters the keystroke notation would take for keys: typed as text.
  const std::string folder = dir.File("sub (1)+x~y");
  ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  testing_support::StartedProgram notepad(std::string(windows) + "\\system32\\notepad.exe", "Notepad");
  ASSERT_TRUE(notepad.Window());
  HWND edit = testing_support::FindChildOfClass(notepad.Window(), "Edit");
  ASSERT_TRUE(edit);

  // A window action for notepad's frame: a folder chosen in it is typed.
  const std::string actionsFile = dir.File("CustomActions.ini");
  actions::clsCustomActions action;
  action.m_szId = "{6A0C51D2-7E43-4F1B-9C3D-2B8E5F0A1C77}";
  action.m_lType = actions::clsCustomActions::TypeWindow;
  action.m_lOptions = actions::clsCustomActions::OptionEnabled;
  action.m_szDescription = "Notepad";
  action.m_szClass = "Notepad";
  action.m_lClassMatch = actions::clsCustomActions::OptionMatchExact;
  action.m_szActions = "Go to {(}[crv_item]{)}~";
  action.Save(actionsFile);

  const std::string cfg = dir.File("menu.cfg");
  configbuilder::ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeFolder, "Sub", folder);
  auto typed = configbuilder::MakeItem(clsCorvaneData::TypeCustomAction, "Typed");
  typed->m_szAction_Actions = "Hello {+} there{TAB}x";
  b.Add(typed);
  b.Save(cfg);
  fennick_test::PlantSettings([&](config::clsOptions& o) {
    o.m_szShellConfigFile = cfg;
    o.m_szShellCustomActionsFile = actionsFile;
    o.m_bShellOwnerDraw = false;
  });

  testing_support::PromptRecorder prompts;
  DialogWatch watch;
  struct Case {
    const char* entry;
    UINT verbType;
    std::string text;
  };
  const Case cases[] = {
      {"Sub", GCS_VERBA, "Go to (" + folder + ")\r\n"},
      {"Typed", GCS_VERBW, "Hello + there\tx"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.entry);
    ClearText(edit);
    RightClick shown({dir.File("a.txt")});
    const std::string verb = fennick_test::CommandString(shown.handler.get(), shown.Offset(c.entry), c.verbType);
    ASSERT_EQ(verb.rfind("Item", 0), 0u) << verb;
    // Another handler, its menu numbered elsewhere, as a shell makes one to
    // run a verb.
    RightClick running({dir.File("a.txt")}, 2000);
    EXPECT_EQ(running.ByVerb(verb, notepad.Window()), S_OK);
    EXPECT_EQ(testing_support::WindowText(edit), c.text);
  }
  EXPECT_EQ(watch.Seen(), 0);
  for (const auto& p : prompts.Prompts()) ADD_FAILURE() << p.text;
}

}  // namespace
