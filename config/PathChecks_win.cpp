#include <windows.h>

#include "base/handles.h"
#include "config/PathChecks.h"

namespace config::detail {

bool IsExistingDirectory(const std::string& path) noexcept {
  if (path.empty()) return false;
  WIN32_FIND_DATAA found{};
  base::UniqueFind search(FindFirstFileA((path + "\\.").c_str(), &found));
  return search && (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsExistingFile(const std::string& path) noexcept {
  if (path.empty()) return false;
  WIN32_FIND_DATAA found{};
  base::UniqueFind search(FindFirstFileA(path.c_str(), &found));
  if (!search) return false;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  } while (FindNextFileA(search.get(), &found));
  return false;
}

}  // namespace config::detail
