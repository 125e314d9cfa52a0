#include "common/SpecialFolders.h"

namespace common {

const char* SpecialFolderQualifier(std::int32_t csidl) noexcept {
  switch (csidl) {
    case 28: return "Local ";  // LOCAL_APPDATA
    case 22: case 23: case 24: case 25:  // COMMON_STARTMENU, _PROGRAMS, _STARTUP, _DESKTOPDIRECTORY
    case 35:                             // COMMON_APPDATA
    case 43:                             // PROGRAM_FILES_COMMON
    case 45: case 46: case 47:           // COMMON_TEMPLATES, _DOCUMENTS, _ADMINTOOLS
    case 48:                             // ADMINTOOLS
    case 49:                             // CONNECTIONS
    case 53: case 54: case 55:           // COMMON_MUSIC, _PICTURES, _VIDEO
    case 58:                             // COMMON_OEM_LINKS
      return "Common ";
    default: return "";
  }
}

bool IsSpecialFolderCandidate(std::int32_t csidl) noexcept {
  switch (csidl) {
    // The desktop and the Internet, the alternative startup folders, the
    // common favorites and the x86 folders of a 64-bit system.
    case 0: case 1: case 29: case 30: case 31: case 41: case 42: case 44: return false;
    default: return csidl > 0 && csidl <= kLastSpecialFolder;
  }
}

std::vector<std::pair<std::int32_t, std::string>> ListSpecialFolders(void* hwndOwner) {
  std::vector<std::pair<std::int32_t, std::string>> folders;
  for (std::int32_t csidl = 0; csidl <= kLastSpecialFolder; ++csidl) {
    if (!IsSpecialFolderCandidate(csidl)) continue;
    std::string name = GetSpecialFolderName(hwndOwner, csidl, true);
    if (!name.empty()) folders.emplace_back(csidl, std::move(name));
  }
  return folders;
}

std::string CutAtNull(const std::string& text) { return text.substr(0, text.find('\0')); }

}  // namespace common
