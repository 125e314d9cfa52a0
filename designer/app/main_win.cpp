// Designer.exe: the main window is the program.
#include "designer/frmMain.h"  // first: it orders the Windows headers

#include <ole2.h>

#include "widgets/form.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  const HRESULT ole = OleInitialize(nullptr);
  int code = 0;
  try {
    designer::frmMain main;
    if (main.Start()) {
      main.ShowMain();
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (widgets::TranslateFormMessage(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      code = static_cast<int>(msg.wParam);
    }
  } catch (...) {
    code = 1;
  }
  if (SUCCEEDED(ole)) OleUninitialize();
  return code;
}
