#include "common/clsStrTok.h"

#include <gtest/gtest.h>

#include "base/error.h"

using common::clsStrTok;

TEST(StrTok, ReadsRunsBetweenDelimiters) {
  struct Step {
    const char* delimiters;
    std::int16_t type;
    base::Variant expected;
  };
  struct Case {
    const char* name;
    const char* text;
    std::vector<Step> steps;
  } cases[] = {
      {"doubled delimiter skipped", "12,,34",
       {{",", 3, std::int32_t{12}}, {",", 3, std::int32_t{34}}, {",", 3, {}}}},
      {"blanks around", " abc ", {{" ", 8, "abc"}, {" ", 8, {}}}},
      {"delimiters only", ",,,", {{",", 8, {}}, {",", 8, {}}}},
      {"empty text", "", {{",", 8, {}}}},
      {"no delimiters at all", "a b", {{"", 8, "a b"}, {"", 8, {}}}},
      // The second call starts at the comma where the first stopped; it is
      // skipped only when it is a delimiter of that call too.
      {"changing delimiters", "a,b;c",
       {{",", 8, "a"}, {";", 8, ",b"}, {";", 8, "c"}}},
      {"changing delimiters, both", "a,b;c", {{",", 8, "a"}, {",;", 8, "b"}, {",;", 8, "c"}}},
      {"16-bit and Boolean", "7 true 0", {{" ", 2, std::int16_t{7}}, {" ", 11, true}, {" ", 11, false}}},
      {"codes without a type consume the run", "a b c",
       {{" ", 4, {}}, {" ", 10, {}}, {" ", 8, "c"}}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    clsStrTok tok;
    tok.SetValue(k.text);
    for (const auto& s : k.steps) {
      base::Variant got = tok.GetNextToken(s.delimiters, s.type);
      EXPECT_EQ(got.Kind(), s.expected.Kind());
      EXPECT_EQ(got.ToString(), s.expected.ToString());
    }
  }
}

TEST(StrTok, ConversionFailuresRaiseAfterConsumingTheRun) {
  clsStrTok tok;
  tok.SetValue("abc,40000,99999999999,5");
  EXPECT_THROW(tok.GetNextToken(",", clsStrTok::kLong), base::Error);
  try {
    tok.GetNextToken(",", clsStrTok::kInteger);
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), base::kErrOverflow);
  }
  EXPECT_THROW(tok.GetNextToken(",", clsStrTok::kLong), base::Error);
  EXPECT_EQ(tok.GetNextToken(",", clsStrTok::kLong).ToLong(), 5);
}

TEST(StrTok, ResetObjectReadsNothingUntilGivenANewValue) {
  clsStrTok tok;
  tok.SetValue("one two");
  EXPECT_EQ(tok.GetNextToken(" ", 8).ToString(), "one");
  EXPECT_TRUE(tok.Reset().IsEmpty());
  EXPECT_TRUE(tok.GetNextToken(" ", 8).IsEmpty());
  tok.SetValue("three");
  EXPECT_EQ(tok.GetNextToken(" ", 8).ToString(), "three");
}
