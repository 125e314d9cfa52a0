// Sashkit's registration: both control classes, their ProgIDs and the type
// library, as tables that register and unregister both read.
#pragma once
#include <windows.h>

#include <string>

#include "base/registration.h"

namespace controls {

HRESULT RegisterSashkit(base::RegistrationScope scope, const std::string& dllPath) noexcept;
// Removes exactly what RegisterSashkit writes.
HRESULT UnregisterSashkit(base::RegistrationScope scope) noexcept;

}  // namespace controls
