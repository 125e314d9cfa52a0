// Who we are: the product texts of our own version resource, and the
// per-thread message-box title. The module facts themselves (instance,
// folder, version resource) are base's.
#pragma once
#include <string>

#include "base/module.h"

namespace common {

using base::ModuleVersionString;
using base::ProgramFolder;

// The program's product name, title and legal notice, from the version
// resource. The title is its "FileDescription".
std::string ProductName();
std::string ApplicationTitle();
std::string LegalCopyright();

// Fennick's message-box title: the product name, " - " and the title.
std::string ShellAppTitle();

// The message-box title of this thread (empty until the program's start-up
// sets it: InitGlobals in Designer, the start routine in Fennick).
std::string& g_szAppTitle();

}  // namespace common
