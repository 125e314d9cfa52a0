// Designer's single-instance search against windows of a second process
// (tests/helper/instance_window_win.cpp) and of this one.
#include <gtest/gtest.h>

#include "common/shelltools.h"
#include "widgets/form.h"

using namespace common;

namespace {

// A window of another process, shown by the helper program beside this test.
class OtherProcessWindow {
 public:
  OtherProcessWindow(const std::string& windowClass, const std::string& title) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string program(self);
    program = program.substr(0, program.find_last_of('\\') + 1) + "instance_window.exe";
    std::string command = "\"" + program + "\" \"" + windowClass + "\" \"" + title + "\"";
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &m_process))
      return;
    for (int i = 0; i < 200 && !m_window; ++i) {
      m_window = FindWindowA(windowClass.c_str(), title.c_str());
      if (!m_window) Sleep(25);
    }
  }
  ~OtherProcessWindow() { Close(); }
  HWND Window() const { return m_window; }
  void Close() {
    if (!m_process.hProcess) return;
    if (m_window) PostMessageA(m_window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(m_process.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(m_process.hProcess, 1);
    CloseHandle(m_process.hProcess);
    CloseHandle(m_process.hThread);
    m_process = {};
    m_window = nullptr;
  }

 private:
  PROCESS_INFORMATION m_process = {};
  HWND m_window = nullptr;
};

}  // namespace

TEST(InstanceSearch, FindsOnlyDesignerWindowsOfOtherProcesses) {
  const std::string title = "Corvane Designer " + std::to_string(GetCurrentProcessId());
  OtherProcessWindow designer(kDesignerWindowClass, title + " - Default.cfg");
  OtherProcessWindow stranger("Notepad", title + " - stranger");
  ASSERT_TRUE(designer.Window());
  ASSERT_TRUE(stranger.Window());
  // This process's own main window, made (as a starting Designer makes it)
  // before the search, and newer than the other's, so met first.
  widgets::Form own(title, 3000, 3000, kDesignerWindowClass);
  own.Load();
  own.Show();

  EXPECT_EQ(FindPreviousInstance(title), designer.Window());
  EXPECT_EQ(g_hPrevInstanceWnd(), designer.Window());
  EXPECT_EQ(g_szPrevInstanceTitle(), title + " - Default.cfg");

  // The title must begin with the program's title, exactly.
  EXPECT_EQ(FindPreviousInstance("corvane designer " + std::to_string(GetCurrentProcessId())), nullptr);
  EXPECT_EQ(g_szPrevInstanceTitle(), "");

  // Without the other Designer, neither this process nor a window of another
  // class counts.
  designer.Close();
  EXPECT_EQ(FindPreviousInstance(title), nullptr);
  EXPECT_EQ(g_hPrevInstanceWnd(), nullptr);
  // The callback itself, without a query, matches nothing.
  EXPECT_TRUE(FindInstanceWindowProc(stranger.Window(), 0));
}
