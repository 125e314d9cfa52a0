// What the end-to-end tests of the whole menu add to the handler's test
// helpers: recent lists planted in the registry, and shellhost's menu as an
// outline to compare.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "config/clsCorvaneData.h"

namespace fennick_test {

// A Folder, File or CustomAction item for a recent list.
config::clsCorvaneData ListItem(std::int32_t type, const std::string& caption, const std::string& location);
// Writes the History or Quick Access list under its key, most recent first.
void WriteList(const char* key, const std::vector<config::clsCorvaneData>& entries);

// shellhost's output from "  menu" to the line before "  release", each
// line cut before its command strings (" verb", " help", " validate") and
// the folder `dir` written %T.
std::string MenuOutline(const std::string& output, const std::string& dir);

}  // namespace fennick_test
