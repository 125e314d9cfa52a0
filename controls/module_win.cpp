// Sashkit.dll's entry points. The divider-line classes are served from the
// class table below; it is empty until the controls are here.
#include <windows.h>

#include "base/com.h"

namespace {
const base::ClassEntry kClasses[] = {
    {nullptr, nullptr},
};
}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
  return base::GetClassObjectFromTable(kClasses, rclsid, riid, ppv);
}

extern "C" HRESULT WINAPI DllCanUnloadNow() { return base::ModuleCanUnload() ? S_OK : S_FALSE; }
