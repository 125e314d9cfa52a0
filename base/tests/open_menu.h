// Windows test helper: a menu's entries read back for their pictures, and
// the picture of a menu while it is open, for a person to look at.
#pragma once
#include "base/tests/screenshot.h"  // first: it orders the Windows headers

#include <atomic>
#include <string>
#include <thread>

#include "base/tests/testing.h"

namespace testing_support {

// The picture beside a menu entry (MIIM_BITMAP); null when it has none.
inline HBITMAP MenuPictureOf(HMENU menu, int position) {
  MENUITEMINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_BITMAP;
  GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
  return info.hbmpItem;
}

// While it lives, the next menu loop of this thread is photographed (a PNG
// of that name in the test program's folder) and closed with Esc from
// inside, once it has shown; a watcher posts Esc to the owner should that
// never come.
class OpenMenuShot {
 public:
  OpenMenuShot(const std::string& name, HWND owner) : m_owner(owner), m_watcher([this] { Watch(); }) {
    Path() = TestProgramFolder() + "\\" + name;
    SetTimer(nullptr, 0, 300, &Shoot);
  }
  ~OpenMenuShot() {
    m_closed = true;
    m_watcher.join();
  }
  OpenMenuShot(const OpenMenuShot&) = delete;
  OpenMenuShot& operator=(const OpenMenuShot&) = delete;

 private:
  static std::string& Path() {
    static std::string path;
    return path;
  }
  static void CALLBACK Shoot(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    if (HWND open = FindWindowA("#32768", nullptr); open && IsWindowVisible(open))
      WritePng(CaptureScreen(open), Path());
    keybd_event(VK_ESCAPE, 0, 0, 0);
    keybd_event(VK_ESCAPE, 0, KEYEVENTF_KEYUP, 0);
  }
  void Watch() {
    for (int i = 0; i < 100 && !m_closed; ++i) Sleep(50);
    if (m_closed) return;
    PostMessageA(m_owner, WM_KEYDOWN, VK_ESCAPE, 1);
    PostMessageA(m_owner, WM_KEYUP, VK_ESCAPE, 0xC0000001);
  }

  HWND m_owner;
  std::atomic<bool> m_closed{false};
  std::thread m_watcher;  // last: it starts once the rest is set
};

}  // namespace testing_support
