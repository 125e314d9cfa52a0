// What opening a document starts: the document itself with its default
// verb, or, for an Internet shortcut that holds an address, the browser with
// that address. The starting itself is OpenFile's (modShellTools_win.cpp).
#pragma once
#include <functional>
#include <string>

namespace shellext {

struct OpenChoice {
  std::string file;        // what the shell is asked to start
  std::string parameters;  // "" for a document opened by itself
};

// Whether the path names an Internet shortcut: something before a ".url"
// ending in any case (the bare name ".url" is not one).
bool IsInternetShortcutPath(const std::string& path);

// The program that opens Internet addresses.
inline constexpr const char* kBrowserProgram = "iexplore";

// What opens the path. readAddress gives a shortcut file's address ("" when
// it has none) and is asked only for an Internet shortcut; a shortcut
// without an address opens as the file it is.
OpenChoice ChooseOpen(const std::string& path, const std::function<std::string(const std::string&)>& readAddress);

}  // namespace shellext
