// The messages a shown context menu sends its owner window, forwarded to the
// handler that built the menu, as a shell's window procedure forwards them.
// Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <shlobj.h>

namespace common {

class MenuMessenger {
 public:
  // Through IContextMenu3 when the handler has it (and the older interface is
  // not asked for), else through IContextMenu2; a handler with neither gets
  // nothing.
  explicit MenuMessenger(IContextMenu* handler, bool olderInterface = false);

  // The handler's HRESULT; *result, when given, gets what the owner's window
  // procedure answers (HandleMenuMsg2's answer; 0 through IContextMenu2).
  // E_NOINTERFACE when the handler takes no menu messages. Never throws.
  HRESULT Send(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr) noexcept;

  // WM_INITMENUPOPUP and WM_MENUCHAR, and WM_MEASUREITEM and WM_DRAWITEM for
  // menu items: what an owner passes on while the handler's menu is shown.
  static bool IsMenuMessage(UINT msg, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  base::ComPtr<IContextMenu2> m_cm2;
  base::ComPtr<IContextMenu3> m_cm3;
};

}  // namespace common
