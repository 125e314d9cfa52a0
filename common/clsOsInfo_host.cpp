// The native build answers as a system whose every call fails would: empty
// texts, 0 and false. Only the portable callers' paths run natively.
#include "common/clsOsInfo.h"

namespace common {

bool clsOsInfo::Beep() const { return false; }
void clsOsInfo::SetBeep(bool) const {}
std::string clsOsInfo::ComputerName() const { return {}; }
void clsOsInfo::SetComputerName(const std::string&) const {}
std::string clsOsInfo::CurrentHardwareProfile() const { return {}; }
std::string clsOsInfo::DefaultCompanyName() const { return {}; }
std::string clsOsInfo::DefaultUserName() const { return {}; }
std::int32_t clsOsInfo::DisplayColors() const { return 0; }
std::string clsOsInfo::GUID() const { return {}; }
std::string clsOsInfo::Language() const { return {}; }
bool clsOsInfo::LargeFonts() const { return false; }
std::string clsOsInfo::OSAdditional() const { return {}; }
std::int32_t clsOsInfo::OSBuild() const { return 0; }
std::int32_t clsOsInfo::OSMajorVersion() const { return 0; }
std::int32_t clsOsInfo::IsNT() const { return 0; }
std::int32_t clsOsInfo::IsWindows() const { return 0; }
std::int32_t clsOsInfo::OSMinorVersion() const { return 0; }
bool clsOsInfo::ScreenSaverActive() const { return false; }
void clsOsInfo::SetScreenSaverActive(bool) const {}
std::int32_t clsOsInfo::ScreenSaverTimeout() const { return 0; }
void clsOsInfo::SetScreenSaverTimeout(std::int32_t) const {}
std::string clsOsInfo::SystemDirectory() const { return {}; }
std::string clsOsInfo::TempFile(const std::string&) const { return {}; }
std::string clsOsInfo::TempPath() const { return {}; }
std::string clsOsInfo::UserName() const { return {}; }
std::string clsOsInfo::WindowsDirectory() const { return {}; }
std::int32_t clsOsInfo::WindowsType() const { return 0; }
void clsOsInfo::GetWorkArea(std::int16_t& l, std::int16_t& t, std::int16_t& w, std::int16_t& h) const {
  l = t = w = h = 0;
}

}  // namespace common
