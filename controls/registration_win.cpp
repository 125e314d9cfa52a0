#include "controls/registration.h"

#include "resources/identity.h"

namespace controls {

namespace {

// One class's keys under ...\Software\Classes. MiscStatus repeats what the
// object's GetMiscStatus answers, so that a container can ask before it
// makes one.
#define CORVANE_DIVIDER_VALUES(clsid, progid, name, bitmap)                                   \
  {"CLSID\\" clsid, nullptr, name},                                                          \
  {"CLSID\\" clsid "\\InprocServer32", nullptr, "%DLL%"},                                    \
  {"CLSID\\" clsid "\\InprocServer32", "ThreadingModel", "Apartment"},                       \
  {"CLSID\\" clsid "\\ProgID", nullptr, progid},                                             \
  {"CLSID\\" clsid "\\TypeLib", nullptr, CORVANE_SASHKIT_TYPELIB_TEXT},                      \
  {"CLSID\\" clsid "\\Version", nullptr, "1.0"},                                             \
  {"CLSID\\" clsid "\\Control", nullptr, nullptr},                                           \
  {"CLSID\\" clsid "\\MiscStatus", nullptr, "0"},                                            \
  {"CLSID\\" clsid "\\MiscStatus\\1", nullptr, "131473"},                                    \
  {"CLSID\\" clsid "\\ToolboxBitmap32", nullptr, "%DLL%, " bitmap},                          \
  {progid, nullptr, name},                                                                   \
  {progid "\\CLSID", nullptr, clsid}

const base::RegistryValue kClassValues[] = {
    CORVANE_DIVIDER_VALUES(CORVANE_VERTDIVIDER_CLSID_TEXT, CORVANE_VERTDIVIDER_PROGID, "VertDivider", "30001"),
    CORVANE_DIVIDER_VALUES(CORVANE_HORZDIVIDER_CLSID_TEXT, CORVANE_HORZDIVIDER_PROGID, "HorzDivider", "30000"),
    {"TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT "\\1.0", nullptr, "Sashkit divider-line controls"},
    {"TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT "\\1.0\\0\\%WIN%", nullptr, "%DLL%"},
    {"TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT "\\1.0\\FLAGS", nullptr, "2"},  // a library of controls
    {"TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT "\\1.0\\HELPDIR", nullptr, "%DIR%"},
};

#undef CORVANE_DIVIDER_VALUES

const char* const kOwnedKeys[] = {
    "CLSID\\" CORVANE_VERTDIVIDER_CLSID_TEXT,
    "CLSID\\" CORVANE_HORZDIVIDER_CLSID_TEXT,
    CORVANE_VERTDIVIDER_PROGID,
    CORVANE_HORZDIVIDER_PROGID,
};

const base::ServerRegistration kRecipe = {
    kClassValues, kOwnedKeys, "TypeLib\\" CORVANE_SASHKIT_TYPELIB_TEXT "\\1.0",
    "CLSID\\" CORVANE_VERTDIVIDER_CLSID_TEXT,
};

}  // namespace

HRESULT RegisterSashkit(base::RegistrationScope scope, const std::string& dllPath) noexcept {
  return base::RegisterServer(kRecipe, scope, dllPath);
}

HRESULT UnregisterSashkit(base::RegistrationScope scope) noexcept { return base::UnregisterServer(kRecipe, scope); }

}  // namespace controls
