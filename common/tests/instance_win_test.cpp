// Designer's single-instance search against windows of a second process
// (tests/helper/instance_window_win.cpp) and of this one, and the window
// functions it stands on.
#include <gtest/gtest.h>

#include "base/tests/desktoplock.h"
#include "common/shelltools.h"

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

// A plain top-level window of this process, of the given class, shown.
class OwnWindow {
 public:
  OwnWindow(const char* windowClass, const std::string& title) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = windowClass;
    RegisterClassA(&wc);  // a second registration fails, and the first serves
    m_hwnd = CreateWindowExA(0, windowClass, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                             nullptr, wc.hInstance, nullptr);
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
  }
  ~OwnWindow() { Destroy(); }
  OwnWindow(const OwnWindow&) = delete;
  OwnWindow& operator=(const OwnWindow&) = delete;
  HWND Hwnd() const { return m_hwnd; }
  void Destroy() {
    if (m_hwnd) DestroyWindow(m_hwnd);
    m_hwnd = nullptr;
  }

 private:
  HWND m_hwnd = nullptr;
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
  OwnWindow own(kDesignerWindowClass, title);

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

TEST(WindowTools, RedrawSwitchAndWindowTexts) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  OwnWindow form("CorvaneTestClass", "Window text 1");
  std::string className = "x", text = "x";
  GetWindowClassAndText(form.Hwnd(), className, text);
  EXPECT_EQ(className, "CorvaneTestClass");
  EXPECT_EQ(text, "Window text 1");

  // Windows answer WM_SETREDRAW with 0; it clears the visible style while off.
  SetRedraw(form.Hwnd(), false);
  EXPECT_FALSE(GetWindowLongA(form.Hwnd(), GWL_STYLE) & WS_VISIBLE);
  SetRedraw(form.Hwnd(), true);
  EXPECT_TRUE(GetWindowLongA(form.Hwnd(), GWL_STYLE) & WS_VISIBLE);

  SetWindowTextA(form.Hwnd(), "");
  GetWindowClassAndText(form.Hwnd(), className, text);
  EXPECT_EQ(text, "");
  HWND gone = form.Hwnd();
  form.Destroy();
  GetWindowClassAndText(gone, className, text);  // a window that is no more
  EXPECT_EQ(className, "");
  EXPECT_EQ(text, "");
}
