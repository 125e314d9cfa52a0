// Windows test helper: another program (Wine's own notepad, say) started for
// a test, with its main window found, and ended when the object goes.
#pragma once
#include <windows.h>

#include "base/tests/desktoplock.h"

#include <string>

namespace testing_support {

class StartedProgram {
 public:
  // Starts the command line and waits up to ten seconds for a visible
  // top-level window of the new process (of windowClass, when given).
  explicit StartedProgram(const std::string& commandLine, const char* windowClass = nullptr)
      : m_class(windowClass ? windowClass : "") {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string cmd = commandLine;
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
      return;
    WaitForInputIdle(m_pi.hProcess, 10000);
    for (int i = 0; i < 500 && !m_window; ++i) {
      EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(this));
      if (!m_window) Sleep(20);
    }
  }

  ~StartedProgram() {
    if (m_pi.hProcess) {
      if (WaitForSingleObject(m_pi.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 1);
      WaitForSingleObject(m_pi.hProcess, 10000);
      CloseHandle(m_pi.hThread);
      CloseHandle(m_pi.hProcess);
    }
  }

  StartedProgram(const StartedProgram&) = delete;
  StartedProgram& operator=(const StartedProgram&) = delete;

  bool Started() const { return m_pi.hProcess != nullptr; }
  DWORD ProcessId() const { return m_pi.dwProcessId; }
  HANDLE Process() const { return m_pi.hProcess; }
  HWND Window() const { return m_window; }

  // Whether the process ends within the time.
  bool Ends(DWORD milliseconds) const {
    return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, milliseconds) == WAIT_OBJECT_0;
  }

 private:
  static BOOL CALLBACK FindWindowOf(HWND hwnd, LPARAM lp) {
    auto* self = reinterpret_cast<StartedProgram*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != self->m_pi.dwProcessId || !IsWindowVisible(hwnd)) return TRUE;
    char cls[256] = {};
    GetClassNameA(hwnd, cls, sizeof cls);
    if (!self->m_class.empty() && self->m_class != cls) return TRUE;
    self->m_window = hwnd;
    return FALSE;
  }

  DesktopLock m_lock;  // first made, last gone
  std::string m_class;
  PROCESS_INFORMATION m_pi{};
  HWND m_window = nullptr;
};

// The child window of a class (the edit control of notepad, say).
inline HWND FindChildOfClass(HWND parent, const char* windowClass) {
  return FindWindowExA(parent, nullptr, windowClass, nullptr);
}

// The text of any window, another process's included.
inline std::string WindowText(HWND hwnd) {
  DWORD_PTR n = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &n);
  std::string s(n + 1, '\0');
  DWORD_PTR got = 0;
  SendMessageTimeoutA(hwnd, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()), SMTO_ABORTIFHUNG,
                      5000, &got);
  s.resize(got);
  return s;
}

}  // namespace testing_support
