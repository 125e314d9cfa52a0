// Fennick.dll as the system sees it: registration, creation through COM, the
// interfaces a shell asks for, and unregistration that leaves nothing behind.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/handles.h"
#include "base/tests/testing.h"
#include "resources/identity.h"

namespace {

bool EqualsPath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

std::string DllPath() {
  std::string p = CORVANE_FENNICK_DLL;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

bool KeyExists(HKEY hive, const std::string& key) {
  base::UniqueHKey hk;
  return RegOpenKeyExA(hive, key.c_str(), 0, KEY_READ, hk.put()) == ERROR_SUCCESS;
}

std::string ReadString(HKEY hive, const std::string& key, const char* name) {
  char buf[1024] = {};
  DWORD size = sizeof buf, type = 0;
  if (RegGetValueA(hive, key.c_str(), name, RRF_RT_REG_SZ, &type, buf, &size) != ERROR_SUCCESS) return "<none>";
  return buf;
}

// Everything registration may write, relative to ...\Software\Classes.
const char* const kShellKeys[] = {
    "*\\shellex\\ContextMenuHandlers\\Corvane",
    "Directory\\shellex\\ContextMenuHandlers\\Corvane",
    "Directory\\Background\\shellex\\ContextMenuHandlers\\Corvane",
    "Drive\\shellex\\ContextMenuHandlers\\Corvane",
};
const char kClsidKey[] = "CLSID\\" CORVANE_FENNICK_CLSID_TEXT;
const char kApproved[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Shell Extensions\\Approved";

DWORD RunProgram(const std::string& commandLine) { return testing_support::RunProcess(commandLine).exitCode; }

void ExpectMachineRegistration(bool present) {
  std::string classes = "Software\\Classes\\";
  EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, classes + "TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT), present);
  EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, classes + kClsidKey), present);
  EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, classes + CORVANE_FENNICK_PROGID), present);
  for (const char* k : kShellKeys) EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, classes + k), present) << k;
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kApproved, CORVANE_FENNICK_CLSID_TEXT) != "<none>", present);
}

}  // namespace

TEST(Registration, Regsvr32RegistersAnApartmentClassWithTheShellAndRemovesItAgain) {
  std::string classes = "Software\\Classes\\";
  // Keys that were there before registration stay after it, even empty ones
  // (a fresh Wine prefix has an empty *\shellex\ContextMenuHandlers).
  const char* const parents[] = {"*\\shellex\\ContextMenuHandlers", "*\\shellex",
                                 "Directory\\shellex\\ContextMenuHandlers", "Directory\\shellex",
                                 "Directory\\Background\\shellex\\ContextMenuHandlers",
                                 "Directory\\Background\\shellex", "Directory\\Background",
                                 "Drive\\shellex\\ContextMenuHandlers", "Drive\\shellex"};
  base::UniqueHKey planted;
  bool plantedNew = !KeyExists(HKEY_LOCAL_MACHINE, classes + "Drive\\shellex\\ContextMenuHandlers");
  RegCreateKeyExA(HKEY_LOCAL_MACHINE, (classes + "Drive\\shellex\\ContextMenuHandlers").c_str(), 0, nullptr, 0,
                  KEY_READ, nullptr, planted.put(), nullptr);
  planted.reset();
  std::vector<bool> before;
  for (const char* k : parents) before.push_back(KeyExists(HKEY_LOCAL_MACHINE, classes + k));

  ASSERT_EQ(RunProgram("regsvr32.exe /s \"" + DllPath() + "\""), 0u);
  ExpectMachineRegistration(true);
  std::string server = classes + kClsidKey + "\\InprocServer32";
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, server, "ThreadingModel"), "Apartment");
  EXPECT_TRUE(EqualsPath(ReadString(HKEY_LOCAL_MACHINE, server, nullptr), DllPath()));
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, classes + CORVANE_FENNICK_PROGID "\\CLSID", nullptr),
            CORVANE_FENNICK_CLSID_TEXT);
  for (const char* k : kShellKeys)
    EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, classes + k, nullptr), CORVANE_FENNICK_CLSID_TEXT) << k;

  // The type library is embedded and registered: COM finds it by its id and
  // it describes the handler class.
  base::ComPtr<ITypeLib> lib;
  ASSERT_EQ(LoadRegTypeLib(identity::kFennickTypeLib, 1, 1, 0, lib.put()), S_OK);
  base::ComPtr<ITypeInfo> info;
  EXPECT_EQ(lib->GetTypeInfoOfGuid(identity::kFennickClsid, info.put()), S_OK);

  // The shell creates it by class through the registry and asks for every
  // interface of the context-menu protocol.
  base::ComPtr<IShellExtInit> init;
  ASSERT_EQ(CoCreateInstance(identity::kFennickClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                             init.put_void()),
            S_OK);
  for (const IID* iid : {&IID_IContextMenu, &IID_IContextMenu2, &IID_IContextMenu3}) {
    base::ComPtr<IUnknown> p;
    EXPECT_EQ(init->QueryInterface(*iid, p.put_void()), S_OK);
  }
  base::ComPtr<IUnknown> none;
  EXPECT_EQ(init->QueryInterface(IID_IShellFolder, none.put_void()), E_NOINTERFACE);
  init.reset();

  ASSERT_EQ(RunProgram("regsvr32.exe /s /u \"" + DllPath() + "\""), 0u);
  ExpectMachineRegistration(false);
  for (size_t i = 0; i < std::size(parents); ++i)
    EXPECT_EQ(KeyExists(HKEY_LOCAL_MACHINE, classes + parents[i]), before[i]) << parents[i];
  if (plantedNew) {
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (classes + "Drive\\shellex\\ContextMenuHandlers").c_str());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, (classes + "Drive\\shellex").c_str());
  }
}

TEST(Registration, PerUserInstallWritesOnlyTheCurrentUsersClasses) {
  ASSERT_EQ(RunProgram("regsvr32.exe /s /n /i:user \"" + DllPath() + "\""), 0u);
  std::string classes = "Software\\Classes\\";
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, classes + kClsidKey + "\\InprocServer32"));
  for (const char* k : kShellKeys) EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, classes + k)) << k;
  EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, classes + kClsidKey));
  // The approval list is machine-wide; a per-user install leaves it alone.
  EXPECT_EQ(ReadString(HKEY_LOCAL_MACHINE, kApproved, CORVANE_FENNICK_CLSID_TEXT), "<none>");

  ASSERT_EQ(RunProgram("regsvr32.exe /s /u /n /i:user \"" + DllPath() + "\""), 0u);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, classes + kClsidKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, classes + CORVANE_FENNICK_PROGID));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, classes + "TypeLib\\" CORVANE_FENNICK_TYPELIB_TEXT));
  for (const char* k : kShellKeys) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, classes + k)) << k;
}

TEST(Registration, TheLibraryUnloadsOnceItsObjectsAreGone) {
  HMODULE dll = LoadLibraryA(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  using CanUnloadFn = HRESULT(WINAPI*)();
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  auto canUnload = reinterpret_cast<CanUnloadFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllCanUnloadNow")));
  ASSERT_TRUE(getClassObject && canUnload);
  for (const char* name : {"DllRegisterServer", "DllUnregisterServer", "DllInstall"})
    EXPECT_NE(GetProcAddress(dll, name), nullptr) << name;
  EXPECT_EQ(canUnload(), S_OK);

  base::ComPtr<IClassFactory> factory;
  ASSERT_EQ(getClassObject(identity::kFennickClsid, IID_IClassFactory, factory.put_void()), S_OK);
  base::ComPtr<IContextMenu3> menu;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu3, menu.put_void()), S_OK);
  factory.reset();
  EXPECT_EQ(canUnload(), S_FALSE);

  base::UniqueHMenu popup(CreatePopupMenu());
  HRESULT hr = menu->QueryContextMenu(popup.get(), 0, 100, 200, CMF_NORMAL);
  EXPECT_TRUE(SUCCEEDED(hr)) << std::hex << hr;
  menu.reset();
  EXPECT_EQ(canUnload(), S_OK);
  FreeLibrary(dll);
}

// How many TLS slots the process could still take.
int FreeTlsSlots() {
  std::vector<DWORD> taken;
  for (DWORD slot; (slot = TlsAlloc()) != TLS_OUT_OF_INDEXES;) taken.push_back(slot);
  for (DWORD slot : taken) TlsFree(slot);
  return static_cast<int>(taken.size());
}

// One load of the library with a handler that builds a menu (and so takes
// the thread state), then the unload.
void LoadUseAndUnload() {
  HMODULE dll = LoadLibraryA(DllPath().c_str());
  ASSERT_NE(dll, nullptr);
  using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
  auto getClassObject = reinterpret_cast<GetClassObjectFn>(reinterpret_cast<void*>(GetProcAddress(dll, "DllGetClassObject")));
  ASSERT_NE(getClassObject, nullptr);
  {
    base::ComPtr<IClassFactory> factory;
    ASSERT_EQ(getClassObject(identity::kFennickClsid, IID_IClassFactory, factory.put_void()), S_OK);
    base::ComPtr<IContextMenu3> menu;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IContextMenu3, menu.put_void()), S_OK);
    base::UniqueHMenu popup(CreatePopupMenu());
    EXPECT_TRUE(SUCCEEDED(menu->QueryContextMenu(popup.get(), 0, 100, 200, CMF_NORMAL)));
  }
  FreeLibrary(dll);
}

TEST(Registration, LoadingAndUnloadingTheLibraryAgainAndAgainGivesItsTlsSlotBack) {
  LoadUseAndUnload();  // what the first load brings in of the system stays
  const int before = FreeTlsSlots();
  ASSERT_GT(before, 0);
  constexpr int kLoads = 20;
  for (int i = 0; i < kLoads; ++i) LoadUseAndUnload();
  // Observed (Wine 8.0, mingw-w64's posix runtime linked in statically):
  // the runtime's own thread support keeps one slot per load, which no code
  // of ours can give back; the thread state's slot is not among them.
  EXPECT_LE(before - FreeTlsSlots(), kLoads);
}

TEST(Registration, ShellhostFindsFennickThroughTheShellKeysAndPlaysTheWholeProtocol) {
  ASSERT_EQ(RunProgram("regsvr32.exe /s \"" + DllPath() + "\""), 0u);
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("a.txt"), "a");
  std::string shellhost = CORVANE_SHELLHOST_EXE;
  for (char& c : shellhost)
    if (c == '/') c = '\\';
  auto r = testing_support::RunProcess("\"" + shellhost + "\" --only " CORVANE_FENNICK_CLSID_TEXT " \"" +
                                       dir.File("a.txt") + "\"");
  RunProgram("regsvr32.exe /s /u \"" + DllPath() + "\"");
  EXPECT_EQ(r.exitCode, 0u) << r.output;
  for (const char* line : {"  create 0x00000000 S_OK", "  interfaces IShellExtInit IContextMenu IContextMenu2 IContextMenu3",
                           "  Initialize 0x00000000 S_OK", "  release 0"})
    EXPECT_NE(r.output.find(std::string("\n") + line + "\n"), std::string::npos) << line << "\n" << r.output;
  EXPECT_NE(r.output.find("DllCanUnloadNow 0x00000000 S_OK"), std::string::npos) << r.output;
}
