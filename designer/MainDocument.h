// The open configuration as a file on disk: the window title that names it,
// reading it whole (never creating it) and writing it safely (a temporary
// file in the same folder that replaces the old one only once it is all
// written). Portable.
#pragma once
#include <string>

namespace designer {

// "<title> - <path or Untitled>" with "*" when it has unsaved changes.
std::string MainTitle(const std::string& appTitle, const std::string& filename, bool dirty);

// The whole file into bytes. False, with the system's reason, when it cannot
// be opened or read; a missing file stays missing.
bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error);

// Writes bytes to a new file beside `path`, then puts it in place of `path`.
// False, with the reason, when any step fails: the old file is then as it
// was and the temporary file is gone.
bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& error);

}  // namespace designer
