// Shell shortcut files (.lnk), read and written through the shell's link
// object. The calling thread must have COM started. Windows only.
#pragma once
#include <cstdint>
#include <string>

namespace common {

class clsShellLink {
 public:
  // Writes a shortcut to ExeFile; false when LnkFile or ExeFile is empty or
  // the shell refuses. Empty WorkDir, ExeArgs and IconFile are left unset.
  bool CreateShellLink(const std::string& LnkFile, const std::string& ExeFile,
                       const std::string& WorkDir, const std::string& ExeArgs,
                       const std::string& IconFile, std::int32_t IconIdx, std::int32_t ShowCmd);
  // Reads a shortcut. Each output is optional (null: not wanted); each gets
  // its value, cut at its NUL, only once it has been read, so an output the
  // shell did not give keeps what the caller passed. False when szLnkFile is
  // empty or the shortcut cannot be read.
  bool GetShellLinkInfo(const std::string& szLnkFile, std::string* szDescription = nullptr,
                        std::string* szExeFile = nullptr, std::string* szWorkDir = nullptr,
                        std::string* szExeArgs = nullptr, std::string* szIconFile = nullptr,
                        std::int32_t* lIconIdx = nullptr, std::int32_t* lShowCmd = nullptr);
};

// The program's one instance.
clsShellLink& g_oShellLink();

}  // namespace common
