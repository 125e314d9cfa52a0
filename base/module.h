// The facts of the module that holds this code: Designer's program file, or
// Fennick's library inside the shell's process (never the host's program).
// Its instance (resources, window classes), its file and folder, and its
// version resource.
#pragma once
#ifdef _WIN32
#include "base/handles.h"  // first: it orders the Windows headers
#endif

#include <string>

namespace base {

#ifdef _WIN32
// The module's instance: where its resources and window classes live.
HINSTANCE ThisModule() noexcept;
#endif

// The module's full file name; "" when the system gives none.
std::string ModulePath();

// The module's folder, without a trailing backslash.
std::string ProgramFolder();

// One text of the module's version resource ("ProductName",
// "FileDescription", "LegalCopyright", ...), in its first listed language;
// empty when absent.
std::string ModuleVersionString(const std::string& field);

// The module's fixed file version (major, minor, revision); false when it
// has no version resource.
struct ModuleVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};
bool ModuleFileVersion(ModuleVersion& version);

}  // namespace base
