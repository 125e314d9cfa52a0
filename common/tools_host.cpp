// The native build's side of the tools: POSIX files, and no resources.
#include <glob.h>
#include <sys/stat.h>

#include "base/error.h"
#include "common/tools_platform.h"

namespace common::platform {

PathKind KindOf(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return PathKind::Missing;
  return S_ISDIR(st.st_mode) ? PathKind::Folder : PathKind::File;
}

bool AnyFileMatches(const std::string& pattern) {
  glob_t g{};
  // GLOB_PERIOD: "*" takes dot files too, as it takes hidden files on Windows.
  if (glob(pattern.c_str(), GLOB_NOSORT | GLOB_PERIOD, nullptr, &g) != 0) {
    globfree(&g);
    return false;
  }
  bool found = false;
  for (size_t i = 0; i < g.gl_pathc && !found; ++i) found = KindOf(g.gl_pathv[i]) == PathKind::File;
  globfree(&g);
  return found;
}

bool IsSeparator(char c) { return c == '/'; }

std::string ResourceString(std::int32_t number) {
  // A native program carries no string table.
  base::RaiseError(326, "LoadResStringEx",
                   "Resource with identifier '" + std::to_string(number) + "' not found");
}

}  // namespace common::platform
