// Internal to config/: whether a folder or a file exists, for validation.
// An empty path never exists, and any failure counts as "does not exist".
#pragma once
#include <string>

namespace config::detail {

bool IsExistingDirectory(const std::string& path) noexcept;
// Files only, hidden and system ones included; a folder is no file. A
// wildcard matches any such file.
bool IsExistingFile(const std::string& path) noexcept;

}  // namespace config::detail
