#include <windows.h>
#include <objbase.h>

#include "base/error.h"
#include "base/handles.h"
#include "base/prompt.h"
#include "base/variant.h"
#include "base/winstr.h"
#include "common/clsOsInfo.h"
#include "common/registry_store.h"

namespace common {

namespace {

// Every property traps what goes wrong inside it, reports it under its own
// name and returns what it has.
template <class T, class F>
T Trapped(const char* procedure, T fallback, F f) noexcept {
  try {
    return f();
  } catch (...) {
    base::ReportTrappedError(procedure, base::CurrentError(procedure));
    return fallback;
  }
}

std::string TrimNulls(const char* buffer, size_t size) {
  std::string s(buffer, size);
  size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

// Text from a buffer the system filled, cut at its first NUL.
template <size_t N>
std::string BufferText(const char (&buffer)[N]) {
  return TrimNulls(buffer, N);
}

OSVERSIONINFOA Version() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;  // 148
  GetVersionExA(&info);
  return info;
}

// Text, bytes or number of one value under HKEY_CURRENT_USER; empty when
// the key or value is missing or of another kind.
base::Variant RegistryGetKeyValue(const std::string& path, const std::string& name) {
  return Trapped("RegistryGetKeyValue", base::Variant(), [&] {
    std::unique_ptr<registry_store::Key> key;
    if (registry_store::OpenKey(RegHive::CurrentUser, path, false, key)) return base::Variant();
    std::string bytes;
    unsigned long type = 0;
    if (key->Query(name, bytes, type)) return base::Variant();
    switch (type) {
      case registry_store::kTypeSz: return base::Variant(TrimNulls(bytes.data(), bytes.size()));
      case registry_store::kTypeBinary: return base::Variant(bytes);
      case registry_store::kTypeDword: {
        std::int32_t v = 0;
        memcpy(&v, bytes.data(), bytes.size() < 4 ? bytes.size() : 4);
        return base::Variant(v);
      }
      default: return base::Variant();
    }
  });
}

const char kSetupUserInfo[] = "Software\\Microsoft\\MS Setup (ACME)\\User Info";

// A name the system writes into a 100-character buffer with its size.
template <class Call>
std::string NameText(Call call) {
  char buffer[100] = {};
  DWORD size = sizeof buffer;
  call(buffer, &size);
  return BufferText(buffer);
}

std::int32_t SystemInt(UINT action) {
  UINT value = 0;
  SystemParametersInfoA(action, 0, &value, 0);
  return static_cast<std::int32_t>(value);
}

}  // namespace

bool clsOsInfo::Beep() const {
  return Trapped("Beep", false, [] { return SystemInt(SPI_GETBEEP) != 0; });
}

void clsOsInfo::SetBeep(bool value) const {
  Trapped("Beep", 0, [&] { return SystemParametersInfoA(SPI_SETBEEP, value ? 1 : 0, nullptr, SPIF_SENDCHANGE); });
}

std::string clsOsInfo::ComputerName() const {
  return Trapped("ComputerName", std::string(), [] { return NameText(GetComputerNameA); });
}

void clsOsInfo::SetComputerName(const std::string& value) const {
  Trapped("ComputerName", 0, [&] { return ::SetComputerNameA(value.c_str()); });
}

std::string clsOsInfo::CurrentHardwareProfile() const {
  return Trapped("CurrentHardwareProfile", std::string(), [] {
    HW_PROFILE_INFOA info{};
    if (!GetCurrentHwProfileA(&info)) return std::string();
    return BufferText(info.szHwProfileName);
  });
}

std::string clsOsInfo::DefaultCompanyName() const {
  return Trapped("DefaultCompanyName", std::string(),
                 [] { return RegistryGetKeyValue(kSetupUserInfo, "DefCompany").ToString(); });
}

std::string clsOsInfo::DefaultUserName() const {
  return Trapped("DefaultUserName", std::string(),
                 [] { return RegistryGetKeyValue(kSetupUserInfo, "DefName").ToString(); });
}

std::int32_t clsOsInfo::DisplayColors() const {
  return Trapped("DisplayColors", 0, []() -> std::int32_t {
    base::WindowDc screen(nullptr);
    int bits = GetDeviceCaps(screen.get(), BITSPIXEL) * GetDeviceCaps(screen.get(), PLANES);
    if (bits >= 32) return -1;
    if (bits <= 0) return 0;
    return static_cast<std::int32_t>(1u << bits);
  });
}

std::string clsOsInfo::GUID() const {
  return Trapped("GUID", std::string(), [] {
    ::GUID id;
    if (FAILED(CoCreateGuid(&id))) return std::string();
    wchar_t text[40] = {};
    int n = StringFromGUID2(id, text, 40);
    return n > 1 ? base::Narrow(std::wstring_view(text, static_cast<size_t>(n - 1))) : std::string();
  });
}

std::string clsOsInfo::Language() const {
  return Trapped("Language", std::string(), [] {
    char buffer[100] = {};
    GetLocaleInfoA(GetUserDefaultLCID(), LOCALE_SENGLANGUAGE, buffer, sizeof buffer);
    return BufferText(buffer);
  });
}

bool clsOsInfo::LargeFonts() const {
  return Trapped("LargeFonts", false, [] {
    base::WindowDc screen(nullptr);
    int dpi = GetDeviceCaps(screen.get(), LOGPIXELSX);
    return dpi == 120;
  });
}

std::string clsOsInfo::OSAdditional() const {
  return Trapped("OSAdditional", std::string(), [] { return BufferText(Version().szCSDVersion); });
}

std::int32_t clsOsInfo::OSBuild() const {
  return Trapped("OSBuild", 0, [] { return static_cast<std::int32_t>(Version().dwBuildNumber & 0x7FFF); });
}

std::int32_t clsOsInfo::OSMajorVersion() const {
  return Trapped("OSMajorVersion", 0, [] { return static_cast<std::int32_t>(Version().dwMajorVersion); });
}

std::int32_t clsOsInfo::IsNT() const {
  return Trapped("IsNT", 0, [] { return static_cast<std::int32_t>(Version().dwPlatformId & 2); });
}

std::int32_t clsOsInfo::IsWindows() const {
  return Trapped("IsWindows", 0, [] { return static_cast<std::int32_t>(Version().dwPlatformId & 1); });
}

std::int32_t clsOsInfo::OSMinorVersion() const {
  return Trapped("OSMinorVersion", 0, [] { return static_cast<std::int32_t>(Version().dwMinorVersion); });
}

bool clsOsInfo::ScreenSaverActive() const {
  return Trapped("ScreenSaverActive", false, [] { return SystemInt(SPI_GETSCREENSAVEACTIVE) != 0; });
}

void clsOsInfo::SetScreenSaverActive(bool value) const {
  Trapped("ScreenSaverActive", 0,
          [&] { return SystemParametersInfoA(SPI_SETSCREENSAVEACTIVE, value ? 1 : 0, nullptr, SPIF_SENDCHANGE); });
}

std::int32_t clsOsInfo::ScreenSaverTimeout() const {
  return Trapped("ScreenSaverTimeout", 0, [] { return SystemInt(SPI_GETSCREENSAVETIMEOUT); });
}

void clsOsInfo::SetScreenSaverTimeout(std::int32_t seconds) const {
  Trapped("ScreenSaverTimeout", 0, [&] {
    return SystemParametersInfoA(SPI_SETSCREENSAVETIMEOUT, static_cast<UINT>(seconds), nullptr, SPIF_SENDCHANGE);
  });
}

std::string clsOsInfo::SystemDirectory() const {
  return Trapped("SystemDirectory", std::string(), [] {
    char buffer[260] = {};
    GetSystemDirectoryA(buffer, sizeof buffer);
    return BufferText(buffer);
  });
}

std::string clsOsInfo::TempFile(const std::string& strPrefix) const {
  return Trapped("TempFile", std::string(), [&] {
    char folder[255] = {};
    GetTempPathA(sizeof folder, folder);
    // Unique number 1: the name is made, the file is not.
    char name[MAX_PATH] = {};
    GetTempFileNameA(folder, strPrefix.c_str(), 1, name);
    return BufferText(name);
  });
}

std::string clsOsInfo::TempPath() const {
  return Trapped("TempPath", std::string(), [] {
    char folder[255] = {};
    GetTempPathA(sizeof folder, folder);
    return BufferText(folder);
  });
}

std::string clsOsInfo::UserName() const {
  return Trapped("UserName", std::string(), [] { return NameText(GetUserNameA); });
}

std::string clsOsInfo::WindowsDirectory() const {
  return Trapped("WindowsDirectory", std::string(), [] {
    char buffer[260] = {};
    GetWindowsDirectoryA(buffer, sizeof buffer);
    return BufferText(buffer);
  });
}

std::int32_t clsOsInfo::WindowsType() const {
  return Trapped("WindowsType", 0, [] { return static_cast<std::int32_t>(Version().dwPlatformId); });
}

void clsOsInfo::GetWorkArea(std::int16_t& intLeft, std::int16_t& intTop, std::int16_t& intWidth,
                            std::int16_t& intHeight) const {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  const long values[] = {area.left, area.top, area.right - area.left, area.bottom - area.top};
  std::int16_t* outputs[] = {&intLeft, &intTop, &intWidth, &intHeight};
  // A number that does not fit is reported, and the others are still filled.
  for (int i = 0; i < 4; ++i) {
    Trapped("GetWorkArea", 0, [&] {
      *outputs[i] = base::Variant(static_cast<std::int32_t>(values[i])).ToInteger();
      return 0;
    });
  }
}

}  // namespace common
