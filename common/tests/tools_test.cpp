#include "common/tools.h"

#include <gtest/gtest.h>

#include "common/appinfo.h"

using namespace common;

TEST(Tools, ParseLeadingNumber) {
  struct Case {
    const char* text;
    bool ok;
    std::int32_t value;
  } cases[] = {
      {"0012abc", true, 12}, {"abc", false, -7}, {"", false, -7}, {"7", true, 7},
      {" 5", false, -7},     {"2147483647x", true, 2147483647}, {"-3", false, -7},
      {"00000000000000000001", true, 1},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.text);
    std::int32_t n = -7;
    EXPECT_EQ(ParseLeadingNumber(k.text, n), k.ok);
    EXPECT_EQ(n, k.value);
  }
  std::int32_t n = -7;
  try {
    ParseLeadingNumber("2147483648", n);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), base::kErrOverflow);
  }
  EXPECT_EQ(n, -7);
}

TEST(Tools, StripNullAndClearBits) {
  EXPECT_EQ(StripNull(std::string("ab\0cd", 5)), "ab");
  EXPECT_EQ(StripNull(std::string("\0cd", 3)), "");
  EXPECT_EQ(StripNull("abc"), "abc");
  EXPECT_EQ(ClearBits(0x0F, 0x05), 0x0A);
  EXPECT_EQ(ClearBits(-1, 1), -2);
}

TEST(Tools, TrimRightCharsTakesAnEscapedSet) {
  const std::string set = "\\n\\r\\t\\v ";
  EXPECT_EQ(TrimRightChars("abc \r\n", set), "abc");
  EXPECT_EQ(TrimRightChars(" \t\v\r\n", set), "");
  EXPECT_EQ(TrimRightChars(" a b\t", set), " a b");
  EXPECT_EQ(TrimRightChars("abc", set), "abc");
  EXPECT_EQ(TrimRightChars("abcn", set), "abcn");  // the set holds a line feed, not "n"
}

TEST(Tools, ReplaceString) {
  struct Case {
    const char* text;
    const char* searched;
    const char* replacement;
    std::uint8_t flags;
    const char* result;
  } cases[] = {
      {"aaaa", "aa", "a", 0, "a"},  // the inserted text is searched again
      {"aaaa", "aa", "a", kReplaceFirstOnly, "aaa"},
      {"xXx", "x", "y", kReplaceNoCase, "yyy"},
      {"xXx", "x", "y", 0, "yXy"},
      {"abc", "", "z", 0, "abc"},  // nothing to find
      // Replacements holding the searched text end, going on after them.
      {"a.b", ".", "..", 0, "a..b"},
      {"ab", "b", "bb", 0, "abb"},
      {"aXa", "x", "[X]", kReplaceNoCase, "a[X]a"},
      {"C:\\dir\\", "\\", "\\\\", 0, "C:\\\\dir\\\\"},
      {"hello", "l", "", 0, "heo"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.text) + " / " + k.searched + " / " + k.replacement);
    std::string text = k.text;
    EXPECT_EQ(ReplaceString(text, k.searched, k.replacement, k.flags), k.result);
    EXPECT_EQ(text, k.result);  // the argument itself is changed
  }
}

TEST(Tools, SplitTokens) {
  struct Case {
    const char* name;
    std::string text;
    bool quotes;
    const char* separators;
    const char* whiteSpace;
    std::vector<std::string> tokens;
  } cases[] = {
      {"three fields", "1,two,3", true, ",", "", {"1", "two", "3"}},
      {"empty fields", ",b,", true, ",", "", {"", "b"}},
      {"quoted separator", "1,\"a,b\",'c d'", true, ",", "", {"1", "a,b", "c d"}},
      {"quotes not honoured", "\"a,b\"", false, ",", "", {"\"a", "b\""}},
      {"escaped sets", "a\tb c", false, "", "\\t ", {"a", "b", "c"}},
      {"nothing", "", true, ",", "", {}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    std::vector<std::string> tokens = {"left over"};
    EXPECT_EQ(SplitTokens(k.text, tokens, k.quotes, k.separators, k.whiteSpace),
              static_cast<std::int32_t>(k.tokens.size()));
    EXPECT_EQ(tokens, k.tokens);
  }
  std::vector<std::string> tokens;
  EXPECT_EQ(SplitTokens(std::int32_t{42}, tokens, true, ",", ""), 1);  // any value as its text
  EXPECT_EQ(tokens[0], "42");
}

TEST(Tools, ExpandEscapesIsTheProgramDialect) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"a\\nb", "a\nb"},  // \n is a line feed here, not CR LF
      {"\\r\\t\\v\\a\\b\\f", "\r\t\v\a\b\f"},
      {"\\'\\\"\\?", "'\"?"},
      {"\\\\", "\\"},
      {"\\\\\\\\", "\\\\"},
      {"\\\\n", "\n"},    // backslash pairs collapse first
      {"\\x41\\q", "\\x41\\q"},  // no other escapes in this dialect
      {"end\\", "end\\"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.in);
    EXPECT_EQ(ExpandEscapes(k.in), k.out);
  }
  EXPECT_EQ(ExpandEscapes(2.5), "2.5");
  EXPECT_EQ(ExpandEscapes(true), "True");
}

TEST(Tools, FormatAppVersion) {
  EXPECT_EQ(FormatAppVersion(1, 4, 0, false), "1.04");
  EXPECT_EQ(FormatAppVersion(1, 4, 0, true), "1.04.000");
  EXPECT_EQ(FormatAppVersion(2, 15, 7, true), "2.15.007");
}

TEST(Tools, ShellExecuteErrorTable) {
  struct Case {
    long result, number;
    const char* description;
  } cases[] = {
      {0, 7, "Out of memory"},
      {2, 53, "File not found"},
      {3, 76, "Path not found"},
      {5, 75, "Path/file access error"},
      {8, 7, "Out of memory"},
      {11, base::kErrProgramBase + 11, "The executable file is invalid or corrupt"},
      {26, 75, "A sharing violation occurred."},
      {27, base::kErrProgramBase + 27, "This file type does not have a valid file association."},
      {28, 286, "The file could not be opened due to time out. Please try again in a moment."},
      {29, 285, "The file could not be opened because the DDE transaction failed. Please try again in a moment."},
      {30, 285, "The file could not be opened because the target application is busy. Please try again in a moment."},
      {31, base::kErrProgramBase + 31, "No application is associated with this file type."},
      {32, 48, "The specified dynamic-link library was not found."},
      {4, base::kErrProgramBase + 4, "An error occurred occurred whilst trying to open or print the selected file."},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.result);
    base::Error e = ShellExecuteError(k.result, "designer");
    EXPECT_EQ(e.Number(), k.number);
    EXPECT_EQ(e.Description(), k.description);
    EXPECT_EQ(e.Source(), "designer");
  }
}

TEST(Tools, InitGlobalsSetsTheTitleAndTheEmptyText) {
  g_szEmpty() = "";
  g_szAppTitle() = "";
  EXPECT_TRUE(InitGlobals());
  EXPECT_EQ(g_szEmpty(), "(Empty)");
  EXPECT_EQ(g_szAppTitle(), ApplicationTitle());
  EXPECT_FALSE(g_szAppTitle().empty());
}
