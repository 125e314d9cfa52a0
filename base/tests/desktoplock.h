// Windows test helper: the one desktop is shared by every test program that
// CTest runs at once. Tests that show windows or type keystrokes hold this
// lock (a named mutex, so across processes) for as long as they need the
// focus.
#pragma once
#include <windows.h>

namespace testing_support {

class DesktopLock {
 public:
  DesktopLock() : m_mutex(CreateMutexA(nullptr, FALSE, "Corvane.Tests.Desktop")) {
    // An abandoned lock (a test that crashed) is ours all the same.
    if (m_mutex) WaitForSingleObject(m_mutex, 110000);
  }
  ~DesktopLock() {
    if (m_mutex) {
      ReleaseMutex(m_mutex);
      CloseHandle(m_mutex);
    }
  }
  DesktopLock(const DesktopLock&) = delete;
  DesktopLock& operator=(const DesktopLock&) = delete;

 private:
  HANDLE m_mutex;
};

}  // namespace testing_support
