// Facts about the machine and the user. No state: every property asks the
// system afresh. A failing system call gives empty text, 0 or false.
#pragma once
#include <cstdint>
#include <string>

// The Windows headers map this name to their own ANSI call; the member keeps
// its name wherever this header is included.
#ifdef SetComputerName
#undef SetComputerName
#endif

namespace common {

class clsOsInfo {
 public:
  bool Beep() const;
  void SetBeep(bool value) const;
  std::string ComputerName() const;
  void SetComputerName(const std::string& value) const;
  std::string CurrentHardwareProfile() const;
  std::string DefaultCompanyName() const;  // the setup's registered company
  std::string DefaultUserName() const;     // the setup's registered user
  std::int32_t DisplayColors() const;      // -1 on a 32-bit display
  std::string GUID() const;                // "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}"
  std::string Language() const;
  bool LargeFonts() const;
  std::string OSAdditional() const;
  std::int32_t OSBuild() const;
  std::int32_t OSMajorVersion() const;
  std::int32_t IsNT() const;       // 2 on the NT family, else 0
  std::int32_t IsWindows() const;  // 1 on the Windows 95 family, else 0
  std::int32_t OSMinorVersion() const;
  bool ScreenSaverActive() const;
  void SetScreenSaverActive(bool value) const;
  std::int32_t ScreenSaverTimeout() const;
  void SetScreenSaverTimeout(std::int32_t seconds) const;
  std::string SystemDirectory() const;
  std::string TempFile(const std::string& strPrefix) const;  // no file is made
  std::string TempPath() const;                              // with its final backslash
  std::string UserName() const;
  std::string WindowsDirectory() const;
  std::int32_t WindowsType() const;
  void GetWorkArea(std::int16_t& intLeft, std::int16_t& intTop, std::int16_t& intWidth,
                   std::int16_t& intHeight) const;
};

// This thread's system facts object, made on first use.
clsOsInfo& g_oOsInfo();

}  // namespace common
