#include "common/menu_messenger_win.h"

#include "base/com.h"

namespace common {

MenuMessenger::MenuMessenger(IContextMenu* handler, bool olderInterface) {
  if (!handler) return;
  if (!olderInterface) handler->QueryInterface(IID_IContextMenu3, m_cm3.put_void());
  if (!m_cm3) handler->QueryInterface(IID_IContextMenu2, m_cm2.put_void());
}

HRESULT MenuMessenger::Send(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept {
  LRESULT answer = 0;
  HRESULT hr = base::ComBoundary([&] {
    if (m_cm3) return m_cm3->HandleMenuMsg2(msg, wParam, lParam, &answer);
    if (m_cm2) return m_cm2->HandleMenuMsg(msg, wParam, lParam);
    return E_NOINTERFACE;
  });
  if (result) *result = answer;
  return hr;
}

bool MenuMessenger::IsMenuMessage(UINT msg, WPARAM, LPARAM lParam) noexcept {
  switch (msg) {
    case WM_INITMENUPOPUP:
    case WM_MENUCHAR:
      return true;
    case WM_MEASUREITEM:
      return lParam && reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    case WM_DRAWITEM:
      return lParam && reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)->CtlType == ODT_MENU;
    default:
      return false;
  }
}

}  // namespace common
