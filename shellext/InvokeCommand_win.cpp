// Running the command the user chose.
#include "shellext/FennickHandler.h"

namespace shellext {

STDMETHODIMP FennickHandler::InvokeCommand(CMINVOKECOMMANDINFO* /*info*/) noexcept { return E_FAIL; }

}  // namespace shellext
