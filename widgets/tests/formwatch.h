// Windows test helper: closes a form from another thread when a test has
// not ended its modal loop in time, so that a failing test fails instead of
// hanging.
#pragma once
#include <windows.h>

#include <atomic>
#include <thread>

namespace testing_support {

class ModalWatch {
 public:
  explicit ModalWatch(HWND form, DWORD timeoutMs = 10000)
      : m_done(CreateEventA(nullptr, TRUE, FALSE, nullptr)), m_thread([this, form, timeoutMs] {
          if (WaitForSingleObject(m_done, timeoutMs) == WAIT_TIMEOUT) {
            m_fired = true;
            PostMessageA(form, WM_CLOSE, 0, 0);
          }
        }) {}
  ~ModalWatch() {
    SetEvent(m_done);
    m_thread.join();
    CloseHandle(m_done);
  }
  ModalWatch(const ModalWatch&) = delete;
  ModalWatch& operator=(const ModalWatch&) = delete;
  bool Fired() const { return m_fired; }

 private:
  HANDLE m_done;
  std::atomic<bool> m_fired{false};
  std::thread m_thread;
};

}  // namespace testing_support
