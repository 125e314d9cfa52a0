// Fuzzes the wildcard match: the input is a pattern, a line feed and a name
// (no line feed: all pattern, empty name). Besides not crashing and ending,
// the match must keep properties that hold for every pattern and name.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/wildcard.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

// A pattern that matches the name alone: each wildcard character in a list.
std::string Literal(std::string_view name) {
  std::string pattern;
  for (char c : name) {
    if (c == '*' || c == '?' || c == '#' || c == '[') {
      pattern += '[';
      pattern += c;
      pattern += ']';
    } else {
      pattern += c;
    }
  }
  return pattern;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const size_t cut = input.find('\n');
  const std::string_view pattern = input.substr(0, cut);
  const std::string_view name = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 1);

  const bool matches = common::WildcardMatch(name, pattern);
  // A "*" before or after can only widen what matches.
  if (matches) {
    Require(common::WildcardMatch(name, "*" + std::string(pattern)));
    Require(common::WildcardMatch(name, std::string(pattern) + "*"));
  }
  Require(common::WildcardMatch(name, Literal(name)));
  Require(common::WildcardMatch(name, "*"));

  // The filter form: one of its patterns is enough.
  bool any = false;
  for (std::string_view piece : common::SplitFilter(pattern)) {
    Require(!piece.empty() && piece.find(',') == std::string_view::npos);
    any = any || common::WildcardMatch(name, piece);
  }
  Require(common::FilterMatch(name, pattern) == any);
  common::FilterMatchNoCase(name, pattern);
  return 0;
}
