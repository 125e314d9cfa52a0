// The native build has no shell: no special folder and no display name.
#include "common/SpecialFolders.h"

namespace common {

std::string GetSpecialFolderName(void*, std::int32_t, bool) { return ""; }

std::string GetFileDisplayName(const std::string&) { return ""; }

}  // namespace common
