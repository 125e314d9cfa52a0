// Fennick's registration: its COM class and its place among the shell's
// context-menu handlers, as tables that register and unregister both read.
#pragma once
#include <windows.h>

#include <string>

#include "base/registration.h"

namespace shellext {

using base::RegistrationScope;

// Writes the class and the shell keys for the DLL at dllPath.
HRESULT RegisterFennick(RegistrationScope scope, const std::string& dllPath) noexcept;
// Removes exactly what RegisterFennick writes (and the empty keys it made).
HRESULT UnregisterFennick(RegistrationScope scope) noexcept;

}  // namespace shellext
