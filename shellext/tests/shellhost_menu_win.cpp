#include "shellext/tests/shellhost_menu.h"

#include <gtest/gtest.h>

#include "common/clsMRU.h"
#include "config/clsCorvaneDataTools.h"

namespace fennick_test {

config::clsCorvaneData ListItem(std::int32_t type, const std::string& caption, const std::string& location) {
  config::clsCorvaneData item;
  item.m_lType = type;
  item.SetCaption(caption);
  item.SetLocation(location);
  return item;
}

void WriteList(const char* key, const std::vector<config::clsCorvaneData>& entries) {
  common::clsMRU list;
  list.SetPath(key);
  list.SetExactMatch(true);
  ASSERT_TRUE(list.Load(10));
  list.Reset();
  config::clsCorvaneDataTools tools;
  // Added oldest first, so that the first entry ends up the most recent.
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) list.AddFile(tools.CreateHistoryMRU(*it));
  ASSERT_TRUE(list.Save());
}

std::string MenuOutline(const std::string& output, const std::string& dir) {
  std::string escaped;  // as shellhost prints it
  for (char c : dir) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
  const size_t from = output.find("\n  menu\n");
  const size_t to = output.find("\n  release", from == std::string::npos ? 0 : from);
  if (from == std::string::npos || to == std::string::npos) return "(no menu)\n" + output;
  const std::string menu = output.substr(from + 1, to - from);
  std::string outline;
  for (size_t start = 0; start < menu.size();) {
    size_t end = menu.find('\n', start);
    if (end == std::string::npos) end = menu.size();
    std::string line = menu.substr(start, end - start);
    for (const char* cut : {" verb", " help", " validate"})
      if (size_t at = line.find(cut); at != std::string::npos) line.resize(at);
    for (size_t at; (at = line.find(escaped)) != std::string::npos;) line.replace(at, escaped.size(), "%T");
    outline += line + "\n";
    start = end + 1;
  }
  return outline;
}

}  // namespace fennick_test
