// Windows test helper: finds the dialog a modal call on another thread is
// showing, so that a second thread can answer it.
#pragma once
#include <windows.h>

#include <gtest/gtest.h>

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

inline BOOL CALLBACK TakeVisibleEdit(HWND hwnd, LPARAM out) {
  char cls[32] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (_stricmp(cls, "Edit") == 0 && IsWindowVisible(hwnd)) {
    *reinterpret_cast<HWND*>(out) = hwnd;
    return FALSE;
  }
  return TRUE;
}

// Types a name into a file dialog's file-name box: found by its identifier
// in either dialog style, else the first edit box of the dialog.
inline void TypeFileName(HWND dialog, const std::string& name) {
  HWND edit = GetDlgItem(dialog, 0x480);  // edt1
  if (!edit) edit = FindWindowExA(GetDlgItem(dialog, 0x47c), nullptr, "Edit", nullptr);  // cmb13
  if (!edit) EnumChildWindows(dialog, TakeVisibleEdit, reinterpret_cast<LPARAM>(&edit));
  ASSERT_TRUE(edit);
  SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""));
  for (char c : name) SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// Presses one of the dialog's buttons (IDOK: Open or Save).
inline void PressButton(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace testing_support
