// The native build has no version resource: the product texts are fixed
// stand-ins, and the module is the test program itself.
#include <unistd.h>

#include <climits>

#include "base/module.h"

namespace base {

std::string ModulePath() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0) return {};
  return std::string(buffer, static_cast<size_t>(n));
}

std::string ProgramFolder() {
  std::string path = ModulePath();
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ModuleVersionString(const std::string& field) {
  if (field == "ProductName") return "Corvane";
  if (field == "FileDescription") return "Native Build";
  return {};
}

bool ModuleFileVersion(ModuleVersion&) { return false; }

}  // namespace base
