// Windows test helper: a real top-level window with a multi-line edit control
// that keystrokes can be typed into, on the calling thread or on a thread of
// its own (as another program's window would be).
#pragma once
#include <windows.h>

#include "base/tests/desktoplock.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

class EditWindow {
 public:
  // With ownThread, the window lives on a thread that runs its own message
  // loop until the object goes.
  explicit EditWindow(bool ownThread = false, const char* caption = "Corvane keystroke target") {
    if (!ownThread) {
      Create(caption);
      return;
    }
    m_thread = std::thread([this, caption] {
      Create(caption);
      {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_ready = true;
      }
      m_cv.notify_all();
      MSG msg;
      while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
      }
      DestroyWindow(m_frame);
    });
    std::unique_lock<std::mutex> lock(m_mutex);
    m_cv.wait(lock, [this] { return m_ready; });
  }

  ~EditWindow() {
    if (m_thread.joinable()) {
      PostThreadMessageA(m_threadId, WM_QUIT, 0, 0);
      m_thread.join();
    } else if (m_frame) {
      DestroyWindow(m_frame);
    }
  }

  EditWindow(const EditWindow&) = delete;
  EditWindow& operator=(const EditWindow&) = delete;

  HWND Frame() const { return m_frame; }
  HWND Edit() const { return m_edit; }

  // Brings the frame to the front with the focus in the edit control. There
  // is no window manager under Xvfb: our own windows take the focus as asked.
  void Focus() const {
    SetForegroundWindow(m_frame);
    if (m_thread.joinable()) {
      // SetFocus works on the window's own thread only.
      SendMessageA(m_frame, WM_APP, 0, 0);
    } else {
      SetFocus(m_edit);
    }
  }

  std::string Text() const {
    LRESULT n = SendMessageA(m_edit, WM_GETTEXTLENGTH, 0, 0);
    std::string s(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(m_edit, WM_GETTEXT, s.size(), reinterpret_cast<LPARAM>(s.data()));
    s.resize(static_cast<size_t>(n));
    return s;
  }

  // Keeps the window's own thread busy until the event is set: it answers
  // messages sent to it (so that other windows can still be activated) but
  // takes no input, as a program deep in work would.
  void BlockUntil(HANDLE event) const { PostMessageA(m_frame, WM_APP + 1, 0, reinterpret_cast<LPARAM>(event)); }

  void Clear() const { SendMessageA(m_edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("")); }

 private:
  static LRESULT CALLBACK FrameProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_APP) {
      SetFocus(GetDlgItem(hwnd, 1));
      return 0;
    }
    if (msg == WM_APP + 1) {
      HANDLE event = reinterpret_cast<HANDLE>(lp);
      MSG m;
      while (MsgWaitForMultipleObjects(1, &event, FALSE, INFINITE, QS_SENDMESSAGE) != WAIT_OBJECT_0)
        PeekMessageA(&m, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
      return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  void Create(const char* caption) {
    static const char kClass[] = "CorvaneEditWindow";
    WNDCLASSA wc{};
    wc.lpfnWndProc = FrameProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);  // fails harmlessly when already registered
    m_threadId = GetCurrentThreadId();
    m_frame = CreateWindowExA(0, kClass, caption, WS_POPUP | WS_VISIBLE, 10, 10, 400,
                              300, nullptr, nullptr, wc.hInstance, nullptr);
    m_edit = CreateWindowExA(0, "EDIT", "",
                             WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                             0, 0, 380, 260, m_frame, reinterpret_cast<HMENU>(1), wc.hInstance,
                             nullptr);
  }

  DesktopLock m_lock;  // first made, last gone
  HWND m_frame = nullptr;
  HWND m_edit = nullptr;
  DWORD m_threadId = 0;
  std::thread m_thread;
  std::mutex m_mutex;
  std::condition_variable m_cv;
  bool m_ready = false;
};

// A test suite that shares one edit window on the test's thread, focused and
// emptied before each test: under Xvfb with no window manager, Wine waits two
// seconds for every visible window it takes down.
class EditWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { s_window = new EditWindow; }
  static void TearDownTestSuite() {
    delete s_window;
    s_window = nullptr;
  }
  void SetUp() override {
    s_window->Focus();
    s_window->Clear();
  }
  static inline EditWindow* s_window = nullptr;
};

}  // namespace testing_support
