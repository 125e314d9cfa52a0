#include "common/wildcard.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct MatchCase {
  const char* pattern;
  const char* name;
  bool matches;
};

void ExpectMatches(const std::vector<MatchCase>& cases) {
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("pattern \"") + c.pattern + "\", name \"" + c.name + "\"");
    EXPECT_EQ(common::WildcardMatch(c.name, c.pattern), c.matches);
  }
}

// The rules with nothing but recursion: exponential, fine for short texts.
bool SlowMatch(std::string_view name, std::string_view pattern) {
  if (pattern.empty()) return name.empty();
  if (pattern[0] == '*') {
    return SlowMatch(name, pattern.substr(1)) || (!name.empty() && SlowMatch(name.substr(1), pattern));
  }
  return !name.empty() && (pattern[0] == '?' || pattern[0] == name[0]) &&
         SlowMatch(name.substr(1), pattern.substr(1));
}

// Every text of up to maxLength characters from the alphabet.
std::vector<std::string> AllTexts(const std::string& alphabet, size_t maxLength) {
  std::vector<std::string> texts{""};
  for (size_t begin = 0; begin < texts.size(); ++begin) {
    if (texts[begin].size() == maxLength) continue;
    for (char c : alphabet) texts.push_back(texts[begin] + c);
  }
  return texts;
}

}  // namespace

TEST(Wildcard, MatchesTheWholeNameByTheRules) {
  ExpectMatches({
      {"", "", true},
      {"", "a", false},
      {"*", "", true},
      {"*", "any name.txt", true},
      {"**", "", true},
      {"?", "a", true},
      {"?", "", false},
      {"??", "a", false},
      {"*?", "", false},
      {"*?", "a", true},
      {"#", "7", true},
      {"#", "a", false},
      {"#", "", false},
      {"file##.txt", "file07.txt", true},
      {"file##.txt", "file7.txt", false},
      {"abc", "abc", true},
      {"abc", "abd", false},
      {"*.txt", "readme.txt", true},
      {"*.txt", "readme.txt.bak", false},
      {"a*", "ba", false},
      {"*a", "ab", false},
      {"a*c", "abbbc", true},
      {"a*c", "abbbd", false},
      {"*aab", "aaab", true},
      {"*a*b*c", "xaybzc", true},
      {"*a*b*c", "xaybz", false},
      {"c:\\*\\*.txt", "c:\\a\\b\\c.txt", true},  // "*" runs over path separators too
      {"caf\xe9.*", "caf\xe9.doc", true},         // bytes of the code page compare by code
      {"caf[\xe0-\xff]", "caf\xe9", true},
  });
}

TEST(Wildcard, ListsRangesAndNegation) {
  ExpectMatches({
      {"[abc]", "b", true},
      {"[abc]", "d", false},
      {"[abc]", "", false},
      {"[abc]", "ab", false},
      {"[a-c]x", "bx", true},
      {"[a-c]x", "dx", false},
      {"[a-cx-z]", "y", true},
      {"[0-9a-f][0-9a-f]", "3e", true},
      {"[!a-c]", "d", true},
      {"[!a-c]", "b", false},
      {"[!a-c]", "", false},
      {"[a!]", "!", true},       // "!" negates only first in the list
      {"[-a]", "-", true},       // "-" first or last stands for itself
      {"[a-]", "-", true},
      {"[a-]", "b", false},
      {"[!-]", "-", false},
      {"[*]", "*", true},        // the wildcards mean themselves in a list
      {"[*]", "a", false},
      {"[?]", "?", true},
      {"[#]", "#", true},
      {"[#]", "1", false},
      {"[[]*", "[draft] a", true},  // how a "[" is written as itself
      {"]", "]", true},             // outside a list "]" is itself
      {"x[[]1]", "x[1]", true},
  });
}

TEST(Wildcard, MalformedPatternsMatchByTheirRule) {
  ExpectMatches({
      // An unclosed "[" is itself, and the rest reads as usual.
      {"[abc", "[abc", true},
      {"[abc", "a", false},
      {"*[1", "copy[1", true},
      {"[!", "[!", true},
      {"[*", "[anything", true},
      {"a[", "a[", true},
      {"a[", "a", false},
      // A list ends at its first "]".
      {"[]", "", false},
      {"[]", "a", false},
      {"[]]", "]", false},
      {"[!]", "x", true},
      {"[!]", "", false},
      {"[a]]", "a]", true},
      // A backwards range holds no character; the rest of the list counts.
      {"[z-a]", "m", false},
      {"[z-a]", "a", false},
      {"[z-a]", "z", false},
      {"[z-ax]", "x", true},
      {"[!z-a]", "q", true},
      {"[a-a]", "a", true},
  });
  EXPECT_NO_THROW(common::FilterMatchNoCase("[name", "[,[z-a],[!,]"));
}

TEST(Wildcard, AgreesWithPlainRecursionOnEveryShortCase) {
  // The one-resume-point loop is where a matcher goes wrong; compare it with
  // plain recursion on every pattern and name up to a length.
  const std::vector<std::string> patterns = AllTexts("ab*?", 5);
  const std::vector<std::string> names = AllTexts("ab", 6);
  int failures = 0;
  for (const std::string& pattern : patterns) {
    for (const std::string& name : names) {
      if (common::WildcardMatch(name, pattern) != SlowMatch(name, pattern) && ++failures <= 10) {
        ADD_FAILURE() << "pattern \"" << pattern << "\", name \"" << name << "\"";
      }
    }
  }
  EXPECT_EQ(failures, 0);
}

TEST(Wildcard, ManyStarsDoNotBacktrackExponentially) {
  const auto start = std::chrono::steady_clock::now();
  const std::string name(20000, 'a');
  EXPECT_FALSE(common::WildcardMatch(name, "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_TRUE(common::WildcardMatch(name + "b", "*a*a*a*a*a*a*a*a*a*a*a*a*b"));
  EXPECT_FALSE(common::WildcardMatch(name, "*?*?*?*?*?*?*?*?*?*?[!a]"));
  const std::string brackets(5000, '[');  // many unclosed lists
  EXPECT_TRUE(common::WildcardMatch(brackets, brackets));
  EXPECT_FALSE(common::WildcardMatch(brackets, "*" + brackets + "a"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

TEST(WildcardFilter, SplitsAtCommasWithoutEmptyOrTrimmedPatterns) {
  using Patterns = std::vector<std::string_view>;
  EXPECT_EQ(common::SplitFilter(""), Patterns{});
  EXPECT_EQ(common::SplitFilter(",,,"), Patterns{});
  EXPECT_EQ(common::SplitFilter("*.txt"), Patterns{"*.txt"});
  EXPECT_EQ(common::SplitFilter(",,*.txt,,, *.log ,"), (Patterns{"*.txt", " *.log "}));
}

TEST(WildcardFilter, OnePatternOfTheListIsEnough) {
  const struct {
    const char* filter;
    const char* name;
    bool matches;
  } cases[] = {
      {"*.txt,*.log", "Readme.TXT", true},  // both sides lower-cased
      {"*.txt,*.log", "server.log", true},
      {"*.txt,*.log", "a.doc", false},
      {"*.txt, *.log", "a.log", false},     // the second pattern starts with a blank
      {"*.txt, *.log", " a.log", true},
      {",,,", "a.txt", false},              // commas only: no pattern at all
      {"", "a.txt", false},
      {",,*.TXT,,", "a.txt", true},
      {"[A-C]*", "beta", true},             // the range is lower-cased too
      {"report #.doc", "Report 3.DOC", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string("filter \"") + c.filter + "\", name \"" + c.name + "\"");
    EXPECT_EQ(common::FilterMatchNoCase(c.name, c.filter), c.matches);
  }
  // FilterMatch itself compares as it is given.
  EXPECT_FALSE(common::FilterMatch("Readme.TXT", "*.txt"));
  EXPECT_TRUE(common::FilterMatch("readme.txt", "*.doc,*.txt"));
}
