// Windows test helper: runs a step on the test's own thread once the modal
// loop that the test starts next is running (a thread timer, which that
// loop dispatches), so that a test can read and drive a modal form from
// inside, as the user would.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>
#include <utility>

namespace designer_test {

// The step runs once the thread's active window is a shown, enabled window
// (the modal form), not while the form is still being made.
class InsideModal {
 public:
  explicit InsideModal(std::function<void()> step, UINT delayMs = 30) {
    Step() = std::move(step);
    m_timer = SetTimer(nullptr, 0, delayMs, &Fire);
  }
  ~InsideModal() {
    if (m_timer) KillTimer(nullptr, m_timer);
    Step() = nullptr;
  }
  InsideModal(const InsideModal&) = delete;
  InsideModal& operator=(const InsideModal&) = delete;

 private:
  static std::function<void()>& Step() {
    static std::function<void()> step;
    return step;
  }
  static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
    const HWND active = GetActiveWindow();
    if (!active || !IsWindowVisible(active) || !IsWindowEnabled(active)) return;  // not yet
    KillTimer(nullptr, id);
    // Once only: the step may open further loops of its own.
    std::function<void()> step = std::exchange(Step(), nullptr);
    if (step) step();
  }

  UINT_PTR m_timer = 0;
};

// Closes every window of the thread that made it when a test has not ended
// its modal loops in time, so that a failing test fails instead of hanging.
class Watchdog {
 public:
  explicit Watchdog(DWORD timeoutMs = 15000)
      : m_done(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
        m_thread([this, timeoutMs, thread = GetCurrentThreadId()] {
          while (WaitForSingleObject(m_done, m_fired ? 500 : timeoutMs) == WAIT_TIMEOUT) {
            m_fired = true;
            EnumThreadWindows(thread, &CloseOne, 0);
          }
        }) {}
  ~Watchdog() {
    SetEvent(m_done);
    m_thread.join();
    CloseHandle(m_done);
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  bool Fired() const { return m_fired; }

 private:
  static BOOL CALLBACK CloseOne(HWND hwnd, LPARAM) {
    if (IsWindowVisible(hwnd)) PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
  }
  HANDLE m_done;
  std::atomic<bool> m_fired{false};
  std::thread m_thread;
};

// Pumps what is waiting for this thread, so that windows paint.
inline void PumpWaiting() {
  MSG msg;
  for (int i = 0; i < 500 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

inline void PostKey(HWND hwnd, WPARAM key) {
  PostMessageA(hwnd, WM_KEYDOWN, key, 1);
  PostMessageA(hwnd, WM_KEYUP, key, 0xC0000001);
}

}  // namespace designer_test
