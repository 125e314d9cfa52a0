// Fennick.dll's entry points.
#include <windows.h>

#include <string>

#include "base/com.h"
#include "base/context.h"
#include "base/winstr.h"
#include "resources/identity.h"
#include "shellext/ConfigCache.h"
#include "shellext/FennickHandler.h"
#include "shellext/PictureCache.h"
#include "shellext/RegistrySnapshots.h"
#include "shellext/registration.h"

namespace {

HINSTANCE g_hInstance;

const base::ClassEntry kClasses[] = {
    {&identity::kFennickClsid, &shellext::CreateFennickHandler},
    {nullptr, nullptr},
};

std::string ModulePath() {
  char path[MAX_PATH * 2] = {};
  DWORD n = GetModuleFileNameA(g_hInstance, path, sizeof path);
  return std::string(path, n);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
  switch (reason) {
    case DLL_PROCESS_ATTACH:
      g_hInstance = instance;
      break;
    case DLL_PROCESS_DETACH:
      // Unloaded by FreeLibrary (reserved is null): no object of ours lives on
      // any thread, so every thread's state can go. At process exit the other
      // threads are already gone and nothing needs freeing.
      // The shared pictures and the parsed configuration go too, so that the
      // process's GDI count is back where it was before the library came.
      if (!reserved) {
        base::ThreadContext::DestroyAll();
        shellext::ReleasePictureCaches();
        shellext::ProcessConfigCache().Clear();
        shellext::ReleaseRegistrySnapshots();
        base::FreeThreadContextSlot();
      }
      break;
    default:
      break;
  }
  return TRUE;
}

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return base::GetClassObjectFromTable(kClasses, rclsid, riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return base::ModuleCanUnload() ? S_OK : S_FALSE; }

extern "C" HRESULT WINAPI DllRegisterServer() {
  return shellext::RegisterFennick(shellext::RegistrationScope::Machine, ModulePath());
}

extern "C" HRESULT WINAPI DllUnregisterServer() {
  return shellext::UnregisterFennick(shellext::RegistrationScope::Machine);
}

// regsvr32 /n /i:user registers for the current user alone (under
// HKCU\Software\Classes); without "user" it registers machine-wide.
extern "C" HRESULT WINAPI DllInstall(BOOL install, PCWSTR cmdLine) {
  bool user = cmdLine && lstrcmpiW(cmdLine, L"user") == 0;
  auto scope = user ? shellext::RegistrationScope::User : shellext::RegistrationScope::Machine;
  return install ? shellext::RegisterFennick(scope, ModulePath()) : shellext::UnregisterFennick(scope);
}
