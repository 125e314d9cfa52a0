// Windows test helper: a window of the test's own with the taskbar's class
// ("Shell_TrayWnd"), recording the last command posted to it.
#pragma once
#include <windows.h>

#include "base/handles.h"

namespace fennick_test {

class FakeTray {
 public:
  FakeTray() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "Shell_TrayWnd";
    RegisterClassA(&wc);
    m_window.reset(CreateWindowA("Shell_TrayWnd", "", 0, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr));
  }
  HWND Window() const { return m_window.get(); }
  // The command of the last WM_COMMAND handled, 0 for none; Forget() clears it.
  LONG_PTR Command() const { return GetWindowLongPtrA(m_window.get(), GWLP_USERDATA); }
  void Forget() { SetWindowLongPtrA(m_window.get(), GWLP_USERDATA, 0); }
  // Handles what was posted to this thread.
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND) SetWindowLongPtrA(hwnd, GWLP_USERDATA, static_cast<LONG_PTR>(wParam));
    return DefWindowProcA(hwnd, msg, wParam, lParam);
  }

  base::UniqueHWnd m_window;
};

}  // namespace fennick_test
