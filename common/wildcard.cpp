#include "common/wildcard.h"

#include <bitset>

#include "base/text.h"

namespace common {

namespace {

// A pattern read once into steps: a "*", or one character out of a set. A
// set per step keeps the matching loop free of pattern syntax.
struct Step {
  bool star = false;
  std::bitset<256> chars;
};

unsigned char Code(char c) { return static_cast<unsigned char>(c); }

// The characters of a list (the text between "[" or "[!" and "]").
std::bitset<256> ListChars(std::string_view list) {
  std::bitset<256> chars;
  size_t i = 0;
  while (i < list.size()) {
    if (i + 2 < list.size() && list[i + 1] == '-') {
      // A backwards range adds nothing.
      for (unsigned c = Code(list[i]); c <= Code(list[i + 2]); ++c) chars.set(c);
      i += 3;
    } else {
      chars.set(Code(list[i]));
      ++i;
    }
  }
  return chars;
}

std::vector<Step> ReadPattern(std::string_view pattern) {
  std::vector<Step> steps;
  steps.reserve(pattern.size());
  // Whether a "[" is closed is one look at the last "]", so that a pattern of
  // many unclosed "[" does not scan its rest once for each.
  const size_t lastClose = pattern.rfind(']');
  size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    Step step;
    if (c == '*') {
      ++i;
      if (steps.empty() || !steps.back().star) {
        step.star = true;
        steps.push_back(step);
      }
      continue;
    }
    if (c == '?') {
      step.chars.set();
    } else if (c == '#') {
      for (unsigned d = '0'; d <= '9'; ++d) step.chars.set(d);
    } else if (c == '[') {
      size_t start = i + 1;
      const bool negate = start < pattern.size() && pattern[start] == '!';
      if (negate) ++start;
      if (lastClose != std::string_view::npos && lastClose >= start) {
        const size_t close = pattern.find(']', start);
        step.chars = ListChars(pattern.substr(start, close - start));
        if (negate) step.chars.flip();
        steps.push_back(step);
        i = close + 1;
        continue;
      }
      step.chars.set(Code(c));  // unclosed: the "[" itself
    } else {
      step.chars.set(Code(c));
    }
    steps.push_back(step);
    ++i;
  }
  return steps;
}

}  // namespace

bool WildcardMatch(std::string_view name, std::string_view pattern) {
  const std::vector<Step> steps = ReadPattern(pattern);
  // Every step but "*" takes exactly one character, so on a mismatch only the
  // latest "*" needs to take one more: an earlier one could only take
  // characters that the latest one can take as well. One resume point, no
  // recursion.
  constexpr size_t kNone = static_cast<size_t>(-1);
  size_t s = 0, n = 0;
  size_t resumeStep = kNone, resumeName = 0;
  while (n < name.size()) {
    if (s < steps.size() && steps[s].star) {
      resumeStep = ++s;
      resumeName = n;
    } else if (s < steps.size() && steps[s].chars.test(Code(name[n]))) {
      ++s;
      ++n;
    } else if (resumeStep != kNone) {
      s = resumeStep;
      n = ++resumeName;
    } else {
      return false;
    }
  }
  while (s < steps.size() && steps[s].star) ++s;
  return s == steps.size();
}

std::vector<std::string_view> SplitFilter(std::string_view filter) {
  std::vector<std::string_view> patterns;
  size_t start = 0;
  while (start <= filter.size()) {
    size_t comma = filter.find(',', start);
    if (comma == std::string_view::npos) comma = filter.size();
    if (comma > start) patterns.push_back(filter.substr(start, comma - start));
    start = comma + 1;
  }
  return patterns;
}

bool FilterMatch(std::string_view name, std::string_view filter) {
  for (std::string_view pattern : SplitFilter(filter)) {
    if (WildcardMatch(name, pattern)) return true;
  }
  return false;
}

bool FilterMatchNoCase(std::string_view name, std::string_view filter) {
  return FilterMatch(base::LCase(name), base::LCase(filter));
}

}  // namespace common
