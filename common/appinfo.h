// Who we are: the program folder, the texts of our own version resource, and
// the per-thread message-box title.
//
// "Our own" is the module that holds this code: Designer's program file, or
// Fennick's library inside the shell's process (never the host's program).
#pragma once
#include <string>

namespace common {

// The folder of our module, without a trailing backslash.
std::string ProgramFolder();

// One text of our module's version resource ("ProductName", "FileDescription",
// "LegalCopyright", ...), in its first listed language; empty when absent.
std::string ModuleVersionString(const std::string& field);

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
