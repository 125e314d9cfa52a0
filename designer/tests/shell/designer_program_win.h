// Windows test helper: Designer.exe started as a person starts it, and its
// main window found among the desktop's windows.
#pragma once
#include <windows.h>

#include <string>

namespace designer_shell_test {

constexpr char kDesignerClass[] = "CorvaneDesignerMain";

struct Program {
  PROCESS_INFORMATION pi{};
  // In folder when one is given, else in the test's own folder.
  bool Start(const std::string& folder = {}) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    std::string line = std::string("\"") + CORVANE_DESIGNER_EXE + "\"";
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
  }
  bool Ended(DWORD ms) const { return WaitForSingleObject(pi.hProcess, ms) == WAIT_OBJECT_0; }
  ~Program() {
    if (!pi.hProcess) return;
    if (!Ended(0)) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
};

namespace program_detail {

struct Search {
  DWORD pid;
  HWND found = nullptr;
};

inline BOOL CALLBACK FindOf(HWND hwnd, LPARAM param) {
  auto* s = reinterpret_cast<Search*>(param);
  char name[64] = {};
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == s->pid && GetClassNameA(hwnd, name, sizeof name) && std::string(name) == kDesignerClass &&
      IsWindowVisible(hwnd)) {
    s->found = hwnd;
    return FALSE;
  }
  return TRUE;
}

}  // namespace program_detail

// The program's shown main window, waiting at most ms for it; null when it
// ended or showed none.
inline HWND MainWindowOf(const Program& p, DWORD ms) {
  for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(50)) {
    program_detail::Search s{p.pi.dwProcessId};
    EnumWindows(&program_detail::FindOf, reinterpret_cast<LPARAM>(&s));
    if (s.found) return s.found;
    if (p.Ended(0)) return nullptr;
  }
  return nullptr;
}

}  // namespace designer_shell_test
