// What the forms need of the thread they run on: OLE made ready once, a wait
// cursor while work runs, and one bounded message pump. Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

namespace widgets {

// Initialises OLE on the calling thread once; it is undone when the thread's
// context goes, on that thread only. Forms call it when they load. Returns
// the result of OleInitialize (S_FALSE when the thread had it already).
HRESULT EnsureOleOnThisThread() noexcept;

// Shows the wait cursor over this thread's forms while an object lives;
// guards nest.
class WaitCursor {
 public:
  WaitCursor() noexcept;
  ~WaitCursor();
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

  // Whether a guard lives on this thread.
  static bool Active() noexcept;

 private:
  HCURSOR m_previous;
};

// Handles the messages already waiting for this thread, at most `limit` of
// them, each passed through its form's keyboard interface first, so that a
// long job can keep its windows painted and its Stop button alive without
// being trapped by a flood of messages. A WM_QUIT is put back and ends the
// pump. Returns how many were handled.
int PumpMessages(int limit = 256);

}  // namespace widgets
