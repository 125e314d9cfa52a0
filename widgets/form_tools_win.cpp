#include "widgets/form_tools.h"

#include <ole2.h>

#include "base/context.h"
#include "widgets/form.h"

namespace widgets {

namespace {

// OLE on one thread, undone on that thread only (a DLL that goes may tidy
// every thread's context from another).
struct OleOnThread {
  HRESULT hr = OleInitialize(nullptr);
  DWORD thread = GetCurrentThreadId();
  ~OleOnThread() {
    if (SUCCEEDED(hr) && GetCurrentThreadId() == thread) OleUninitialize();
  }
};

struct WaitCursors {
  int count = 0;
};

WaitCursors& Waits() { return base::ThreadContext::Current().Get<WaitCursors>(); }

}  // namespace

HRESULT EnsureOleOnThisThread() noexcept {
  try {
    return base::ThreadContext::Current().Get<OleOnThread>().hr;
  } catch (...) {
    return E_OUTOFMEMORY;
  }
}

WaitCursor::WaitCursor() noexcept : m_previous(SetCursor(LoadCursor(nullptr, IDC_WAIT))) {
  try {
    ++Waits().count;
  } catch (...) {
    // Without a context the cursor shows all the same, until it next moves.
  }
}

WaitCursor::~WaitCursor() {
  if (auto* context = base::ThreadContext::Peek(); context && context->Has<WaitCursors>())
    --context->Get<WaitCursors>().count;
  SetCursor(m_previous);
}

bool WaitCursor::Active() noexcept {
  auto* context = base::ThreadContext::Peek();
  return context && context->Has<WaitCursors>() && context->Get<WaitCursors>().count > 0;
}

int PumpMessages(int limit) {
  int handled = 0;
  MSG msg;
  while (handled < limit && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop that owns the thread
      break;
    }
    ++handled;
    if (!TranslateFormMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  return handled;
}

}  // namespace widgets
