#include <filesystem>
#include <system_error>

#include "config/PathChecks.h"

namespace config::detail {

bool IsExistingDirectory(const std::string& path) noexcept {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_directory(path, ec);
}

bool IsExistingFile(const std::string& path) noexcept {
  std::error_code ec;
  return !path.empty() && std::filesystem::is_regular_file(path, ec);
}

}  // namespace config::detail
