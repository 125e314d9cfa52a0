// Windows test helper: real input through SendInput, and the messages it
// makes handed out on this thread.
#pragma once
#include <windows.h>

namespace testing_support {

// Hands out this thread's messages for a moment, so that input sent with
// SendInput reaches its windows.
inline void Pump() {
  for (int i = 0; i < 20; ++i) {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessageA(&m);
    }
    Sleep(10);
  }
}

// A key pressed and let go, to the window with the focus.
inline void PressKey(WORD vk) {
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_KEYBOARD;
  in[0].ki.wVk = in[1].ki.wVk = vk;
  in[1].ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(2, in, sizeof(INPUT));
  Pump();
}

// Each character's key, as typed.
inline void Type(const char* keys) {
  for (const char* k = keys; *k; ++k) PressKey(static_cast<WORD>(VkKeyScanA(*k) & 0xff));
}

// A click at a point of the screen: MOUSEEVENTF_LEFTDOWN or _RIGHTDOWN.
inline void ClickAt(POINT screen, DWORD down) {
  SetCursorPos(screen.x, screen.y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = down;
  in[1].mi.dwFlags = down << 1;  // the matching button-up
  SendInput(2, in, sizeof(INPUT));
  Pump();
}

}  // namespace testing_support
