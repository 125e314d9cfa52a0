// Sashkit.dll's entry points: the two divider classes from one class table,
// registered machine-wide by regsvr32.
#include <windows.h>

#include <string>

#include "base/module.h"
#include "base/com.h"
#include "controls/Divider.h"
#include "controls/registration.h"
#include "resources/identity.h"
#include "widgets/form.h"

namespace {

const base::ClassEntry kClasses[] = {
    {&identity::kVertDividerClsid, &controls::CreateVertDivider},
    {&identity::kHorzDividerClsid, &controls::CreateHorzDivider},
    {nullptr, nullptr},
};

std::string ModulePath() {
  char path[MAX_PATH * 2] = {};
  DWORD n = GetModuleFileNameA(base::ThisModule(), path, sizeof path);
  return std::string(path, n);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // Unloaded by FreeLibrary (reserved is null): no divider is left, so its
  // window class can go with the code it names.
  if (reason == DLL_PROCESS_DETACH && !reserved) controls::UnregisterDividerWindowClass();
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return base::GetClassObjectFromTable(kClasses, rclsid, riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return base::ModuleCanUnload() ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
  return controls::RegisterSashkit(base::RegistrationScope::Machine, ModulePath());
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  return controls::UnregisterSashkit(base::RegistrationScope::Machine);
}
