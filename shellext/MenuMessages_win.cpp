// The menu messages the shell forwards while the menu is open: owner-drawn
// entries are measured and painted, their marked letters answered, and a
// dynamic folder's submenu is filled the first time it opens.
#include "common/clsTrace.h"
#include "shellext/FennickHandler.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;

namespace {

std::string Hex(std::uintptr_t value) { return clsTrace::ToHex(static_cast<std::int32_t>(value)); }

}  // namespace

// IContextMenu3

STDMETHODIMP FennickHandler::HandleMenuMsg2(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept {
  LRESULT answer = 0;
  try {
    common::TraceScope scope("IFennick3_HandleMenuMsg2");
    g_Debug().Output([&] {
      return "uMsg=" + Hex(msg) + "  wParam=" + Hex(wParam) +
             "  lParam=" + Hex(static_cast<std::uintptr_t>(lParam));
    });
    if (msg == WM_MENUCHAR) {
      HandleMenuChar(wParam, lParam, *this, answer);
    } else if (HandleOwnerDrawMessage(msg, wParam, lParam, *this)) {
      answer = TRUE;  // what a window procedure answers for a message it handled
    } else if (msg == WM_INITMENUPOPUP) {
      // Filled once: opened again, it shows what it listed the first time.
      // The next folder's entries follow this one's inside the block.
      bool known = false;
      if (EntryPtr folder = m_oCommands.TakeDynamicToFill(reinterpret_cast<HMENU>(wParam), known)) {
        g_Debug().Output("WM_INITMENUPOPUP - " + Hex(reinterpret_cast<std::uintptr_t>(wParam)));
        CreateDynamicMenu(folder);
      }
    }
  } catch (...) {
    g_Debug().CheckForError();
  }
  if (result) *result = answer;
  return S_OK;
}

}  // namespace shellext
