// Plays one step inside a dialog's modal loop (from a thread timer, once the
// loop runs) and keeps a watcher that closes the dialog when the step never
// ends it, so that no run hangs. Windows tests only.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace designer_test {

inline std::function<void()>& PendingStep() {
  static std::function<void()> pending;
  return pending;
}

inline void CALLBACK PlayPendingStep(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  auto run = std::move(PendingStep());
  if (run) run();
}

// show() runs the dialog's modal loop and returns its m_bOk.
template <class Dialog, class Show>
bool RunDialog(Dialog& dialog, std::function<void(Dialog&)> step, Show show) {
  PendingStep() = [&dialog, step] { step(dialog); };
  SetTimer(nullptr, 0, 50, PlayPendingStep);
  std::atomic<bool> done{false};
  std::thread watcher([&] {
    for (int i = 0; i < 200 && !done; ++i) Sleep(50);
    if (!done && dialog.Hwnd()) PostMessageA(dialog.Hwnd(), WM_CLOSE, 0, 0);
  });
  const bool ok = show();
  done = true;
  watcher.join();
  return ok;
}

}  // namespace designer_test
