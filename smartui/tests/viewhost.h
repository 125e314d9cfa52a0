// Windows test helper: a top-level frame for the views, which passes the
// menu messages to a menu-bar view and notes the popups it is told of.
#pragma once
#include <windows.h>

#include "base/tests/desktoplock.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace sui_testing {

class Frame {
 public:
  Frame(int width = 640, int height = 480) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &Frame::Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "SuiTestFrame";
    RegisterClassA(&wc);
    m_hwnd = CreateWindowExA(0, "SuiTestFrame", "views", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, width,
                             height, nullptr, nullptr, wc.hInstance, this);
    SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
  }
  ~Frame() {
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    DestroyWindow(m_hwnd);
  }
  Frame(const Frame&) = delete;
  Frame& operator=(const Frame&) = delete;

  HWND hwnd() const { return m_hwnd; }
  // Every message first goes here; true when it was used up.
  std::function<bool(UINT, WPARAM, LPARAM, LRESULT&)> forward;
  // The popup menus the frame was told of, as they were when they opened.
  std::vector<HMENU> popups;
  std::function<void(HMENU)> onPopup;

  void show() {
    ShowWindow(m_hwnd, SW_SHOWNORMAL);
    UpdateWindow(m_hwnd);
  }

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE)
      SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                        reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
    auto* self = reinterpret_cast<Frame*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (self) {
      if (msg == WM_SETFONT) self->m_font = wp;
      if (msg == WM_GETFONT) return static_cast<LRESULT>(self->m_font);
      if (msg == WM_INITMENUPOPUP) {
        self->popups.push_back(reinterpret_cast<HMENU>(wp));
        if (self->onPopup) self->onPopup(reinterpret_cast<HMENU>(wp));
      }
      LRESULT result = 0;
      if (self->forward && self->forward(msg, wp, lp, result)) return result;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  // Shown windows take the focus, which other test programs' windows need too.
  testing_support::DesktopLock m_desktop;
  HWND m_hwnd;
  WPARAM m_font = 0;
};

// A menu entry as read back with GetMenuItemInfo: its text ("-" for a
// separator, "> " before a submenu's text) and its state.
struct MenuLine {
  std::string text;
  bool grayed = false;
  bool checked = false;
  bool operator==(const MenuLine&) const = default;
  friend void PrintTo(const MenuLine& m, std::ostream* os) {
    *os << '"' << m.text << '"' << (m.grayed ? " grayed" : "") << (m.checked ? " checked" : "");
  }
};

inline std::vector<MenuLine> ReadMenu(HMENU menu) {
  std::vector<MenuLine> out;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char text[256] = "";
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
    info.dwTypeData = text;
    info.cch = sizeof text;
    GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &info);
    MenuLine line;
    line.text = (info.fType & MFT_SEPARATOR) ? "-" : (info.hSubMenu ? "> " : "") + std::string(text);
    if (!(info.fType & MFT_SEPARATOR)) {  // a separator's state means nothing
      line.grayed = (info.fState & MFS_GRAYED) != 0;
      line.checked = (info.fState & MFS_CHECKED) != 0;
    }
    out.push_back(line);
  }
  return out;
}

inline UINT MenuId(HMENU menu, int position) { return GetMenuItemID(menu, position); }

inline void PostKey(HWND hwnd, WPARAM key) {
  PostMessageA(hwnd, WM_KEYDOWN, key, 1);
  PostMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
}

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace sui_testing
