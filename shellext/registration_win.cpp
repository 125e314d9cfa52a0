#include "shellext/registration.h"

#include "resources/identity.h"

namespace shellext {

namespace {

// The shell finds context-menu handlers under these file classes: every
// file, folders, a folder's background and drives.
#define CORVANE_HANDLER_SUBKEY "\\shellex\\ContextMenuHandlers\\" CORVANE_SHELL_HANDLER_NAME

const base::RegistryValue kClassValues[] = {
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT, nullptr, CORVANE_FENNICK_PROGID},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\InprocServer32", nullptr, "%DLL%"},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\InprocServer32", "ThreadingModel", "Apartment"},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\ProgID", nullptr, CORVANE_FENNICK_PROGID},
    {CORVANE_FENNICK_PROGID, nullptr, CORVANE_FENNICK_PROGID},
    {CORVANE_FENNICK_PROGID "\\CLSID", nullptr, CORVANE_FENNICK_CLSID_TEXT},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\TypeLib", nullptr, CORVANE_FENNICK_TYPELIB_TEXT},
    {"CLSID\\" CORVANE_FENNICK_CLSID_TEXT "\\Version", nullptr, "1.1"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1", nullptr, "Corvane shell extension"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\0\\%WIN%", nullptr, "%DLL%"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\FLAGS", nullptr, "0"},
    {"TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1\\HELPDIR", nullptr, "%DIR%"},
    {"*" CORVANE_HANDLER_SUBKEY, nullptr, CORVANE_FENNICK_CLSID_TEXT},
    {"Directory" CORVANE_HANDLER_SUBKEY, nullptr, CORVANE_FENNICK_CLSID_TEXT},
    {"Directory\\Background" CORVANE_HANDLER_SUBKEY, nullptr, CORVANE_FENNICK_CLSID_TEXT},
    {"Drive" CORVANE_HANDLER_SUBKEY, nullptr, CORVANE_FENNICK_CLSID_TEXT},
};

// The keys that are wholly ours, removed with everything under them.
const char* const kOwnedKeys[] = {
    "CLSID\\" CORVANE_FENNICK_CLSID_TEXT,
    CORVANE_FENNICK_PROGID,
    "*" CORVANE_HANDLER_SUBKEY,
    "Directory" CORVANE_HANDLER_SUBKEY,
    "Directory\\Background" CORVANE_HANDLER_SUBKEY,
    "Drive" CORVANE_HANDLER_SUBKEY,
};

// Explorer runs only approved extensions when its policy asks for it; the
// list is machine-wide.
const base::RegistryValue kMachineValues[] = {
    {"Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved", CORVANE_FENNICK_CLSID_TEXT,
     "Corvane FennickHandler"},
};

const base::ServerRegistration kRecipe = {
    kClassValues, kOwnedKeys, "TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT "\\1.1",
    "CLSID\\" CORVANE_FENNICK_CLSID_TEXT, kMachineValues,
};

}  // namespace

HRESULT RegisterFennick(RegistrationScope scope, const std::string& dllPath) noexcept {
  return base::RegisterServer(kRecipe, scope, dllPath);
}

HRESULT UnregisterFennick(RegistrationScope scope) noexcept { return base::UnregisterServer(kRecipe, scope); }

}  // namespace shellext
