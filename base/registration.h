// Registration of an in-process COM server as tables that register and
// unregister both read: the values written under ...\Software\Classes, the
// keys that are wholly the server's, its type library's version key, and
// machine-wide values outside the classes. Unregistering removes exactly what
// registering wrote, and the empty keys it had to make, never a key that was
// there before.
#pragma once
#include <windows.h>

#include <span>
#include <string>

namespace base {

enum class RegistrationScope { Machine, User };

// A value under a key; a null value makes the key alone, a null name is the
// key's default value. In keys and values %DLL% stands for the library's
// path, %DIR% for its folder, %WIN% for "win32" or "win64".
struct RegistryValue {
  const char* key;
  const char* name;
  const char* value;
};

struct ServerRegistration {
  std::span<const RegistryValue> classValues;  // relative to ...\Software\Classes
  std::span<const char* const> ownedKeys;      // removed with everything under them
  // "TypeLib\{...}\<version>", or null. The key is shared by the 32- and
  // 64-bit registrations: each removes only its own platform entry, and the
  // version's values go with the last platform.
  const char* typeLibVersionKey;
  const char* createdKeysKey;  // a key of ownedKeys, where made keys are noted
  // Written only for a machine-wide registration, absolute under
  // HKEY_LOCAL_MACHINE; unregistering removes the value, never its key.
  std::span<const RegistryValue> machineValues = {};
};

HRESULT RegisterServer(const ServerRegistration& recipe, RegistrationScope scope,
                       const std::string& dllPath) noexcept;
HRESULT UnregisterServer(const ServerRegistration& recipe, RegistrationScope scope) noexcept;

}  // namespace base
