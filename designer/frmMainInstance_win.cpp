// One Designer at a time: a second start finds the first by its named
// mutex and our own window class, brings it forward and hands it Ctrl+F15.
#include "designer/frmMain.h"

#include "base/keystrokes.h"

namespace designer {

namespace {

constexpr char kInstanceMutex[] = "Local\\CorvaneDesignerInstance";

struct Search {
  DWORD self;
  HWND found = nullptr;
};

BOOL CALLBACK FindMain(HWND hwnd, LPARAM param) {
  auto* search = reinterpret_cast<Search*>(param);
  char name[64] = {};
  GetClassNameA(hwnd, name, sizeof name);
  if (lstrcmpA(name, kMainWindowClass) != 0) return TRUE;
  DWORD process = 0;
  GetWindowThreadProcessId(hwnd, &process);
  if (process == search->self) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindRunningDesigner() {
  // The mutex lives as long as this process: the first start makes it.
  static HANDLE mutex = CreateMutexA(nullptr, FALSE, kInstanceMutex);
  const bool earlier = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
  static const bool first = !earlier;
  if (first) return nullptr;
  Search search{GetCurrentProcessId()};
  EnumWindows(&FindMain, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

void HandOverTo(HWND running) {
  if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
  SetForegroundWindow(running);
  try {
    base::SendKeys("^{F15}", true);
  } catch (...) {
    // The keystroke is a courtesy; the window is forward already.
  }
}

}  // namespace designer
