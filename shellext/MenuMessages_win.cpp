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
      const std::int32_t number = NumberOfMenu(reinterpret_cast<HMENU>(wParam));
      ItemPtr dynamic = number ? m_oDynamicMenus.ItemViaKey(number) : nullptr;
      if (dynamic) {
        m_lMenuCmdId = m_lDynamicCmdId;
        g_Debug().Output([&] { return "WM_INITMENUPOPUP - m_lMenuCmdId=" + std::to_string(m_lMenuCmdId); });
        // Filled once: opened again, it shows what it listed the first time.
        if (dynamic->m_lData == 0) {
          dynamic->m_lData = 1;
          CreateDynamicMenu(dynamic);
        }
        // The next folder's entries follow this one's.
        m_lDynamicCmdId = m_lMenuCmdId;
      }
    }
  } catch (...) {
    g_Debug().CheckForError();
  }
  if (result) *result = answer;
  return S_OK;
}

}  // namespace shellext
