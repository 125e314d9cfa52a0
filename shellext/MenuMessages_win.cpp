// The menu messages the shell forwards while the menu is open.
#include "shellext/FennickHandler.h"

namespace shellext {

// IContextMenu3

STDMETHODIMP FennickHandler::HandleMenuMsg2(UINT /*msg*/, WPARAM /*wParam*/, LPARAM /*lParam*/,
                                            LRESULT* result) noexcept {
  if (result) *result = 0;
  return S_OK;
}

}  // namespace shellext
