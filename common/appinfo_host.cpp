// The native build has no version resource: the product texts are fixed
// stand-ins, and the program folder is the test program's own.
#include <unistd.h>

#include <climits>

#include "common/appinfo.h"

namespace common {

std::string ProgramFolder() {
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0) return {};
  std::string path(buffer, static_cast<size_t>(n));
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ModuleVersionString(const std::string& field) {
  if (field == "ProductName") return "Corvane";
  if (field == "FileDescription") return "Native Build";
  return {};
}

}  // namespace common
