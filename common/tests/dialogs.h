// Windows test helper: finds the dialog a modal call on another thread is
// showing, so that a second thread can answer it.
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

inline BOOL CALLBACK TakeVisibleDialog(HWND hwnd, LPARAM out) {
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (std::string(cls) == "#32770" && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// The visible dialog of the given thread, waited for up to twenty seconds;
// null when none came.
inline HWND FindDialogOf(DWORD thread) {
  for (int i = 0; i < 800; ++i) {
    HWND found = nullptr;
    EnumThreadWindows(thread, TakeVisibleDialog, reinterpret_cast<LPARAM>(&found));
    if (found) return found;
    Sleep(25);
  }
  return nullptr;
}

}  // namespace testing_support
