// A second process for the single-instance test: shows one top-level window
// of the class and title given on its command line until it is closed (or
// for at most a minute, should the test that started it be gone).
#include <windows.h>

#include <cstring>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_DESTROY || (msg == WM_TIMER && wp == 1)) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  WNDCLASSA wc = {};
  wc.lpfnWndProc = Proc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = argv[1];
  if (!RegisterClassA(&wc)) return 3;
  HWND hwnd = CreateWindowExA(0, argv[1], argv[2], WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr,
                              nullptr, wc.hInstance, nullptr);
  if (!hwnd) return 4;
  SetTimer(hwnd, 1, 60000, nullptr);
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) DispatchMessageA(&msg);
  return 0;
}
