#include "common/clsSprintf.h"

#include <gtest/gtest.h>

#include "base/error.h"

using common::clsSprintf;
using V = base::Variant;

TEST(TreatBackSlash, ExpandsTheUserDialect) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"plain", "plain"},
      {"end\\", "end"},                // a lone backslash at the end is dropped
      {"\\\\n", "\\n"},                // an escaped backslash is not looked at again
      {"a\\nb", "a\r\nb"},             // \n is CR LF
      {"a\\rb", "a\nb"},               // \r is LF alone
      {"\\a\\b\\f\\t\\v", "\a\b\f\t\v"},
      {"\\x41\\x20z", "A z"},
      {"\\x4", std::string(1, '\x04')},  // one digit at the very end
      {"\\x7e1", "~1"},                // at most two digits
      {"\\N\\q\\\"", "Nq\""},           // others stand for themselves, case counts
      // A malformed \x is kept as typed instead of failing the task.
      {"\\xZZ", "\\xZZ"},
      {"\\x4g", "\\x4g"},
      {"C:\\x", "C:\\x"},
      {"\\x\\n", "\\x\r\n"},
  };
  for (auto& k : cases) {
    SCOPED_TRACE(k.in);
    std::string arg = k.in;
    EXPECT_EQ(clsSprintf::TreatBackSlash(arg), k.out);
    EXPECT_EQ(arg, k.out);  // the argument itself is replaced
  }
}

TEST(Sprintf, FillsDirectivesInOrder) {
  struct Case {
    const char* pattern;
    std::vector<V> values;
    std::string out;
  } cases[] = {
      {"%%", {}, "%"},
      {"100%% of %s", {"x"}, "100% of x"},
      {"%s=%d", {"n", std::int32_t{42}}, "n=42"},
      {"[%5s]", {"abc"}, "[  abc]"},
      {"[%-5s]", {"abc"}, "[abc  ]"},
      {"[%-2s]", {"abcd"}, "[abcd]"},   // left-aligned fields grow
      {"[%2s]", {"abcd"}, "[##]"},      // others turn into "#"
      {"[%2d]", {std::int32_t{123}}, "[##]"},
      {"[%S]", {"MiXed"}, "[MiXed]"},   // no case change for text
      {"[%.2s]", {"abcd"}, "[ab]"},
      {"[%05d]", {std::int32_t{42}}, "[00042]"},
      {"[%05d]", {std::int32_t{-42}}, "[-0042]"},
      {"[%5.3d]", {std::int32_t{7}}, "[  007]"},
      {"[%ld]", {std::int32_t{100000}}, "[100000]"},
      {"[%6.2f]", {3.14159}, "[  3.14]"},
      {"[%6.1f]", {-2.25}, "[  -2.3]"},  // halves away from zero
      {"[%4.0f]", {2.5}, "[  3.]"},
      {"[%f]", {1e20}, "[1e+20]"},
      {"[%E]", {1e20}, "[1e+20]"},  // E and G carry no upper-case mark
      {"[%x|%X]", {std::int32_t{255}, std::int32_t{255}}, "[ff|FF]"},
      {"[%04x]", {std::int32_t{255}}, "[00ff]"},
      {"[%6.3x]", {std::int32_t{10}}, "[   00a]"},
      {"[%5x]", {std::int32_t{10}}, "[    a]"},
      {"[%2x]", {std::int32_t{0x12345}}, "[12345]"},  // hexadecimal is never cut
      {"[%x]", {std::int16_t{-1}}, "[ffff]"},
      {"[%x]", {std::int32_t{-1}}, "[ffffffff]"},
      {"[%hd]", {std::int32_t{9}}, "[9]"},            // 'h' is no letter: the scan goes on
      {"%s", {"a\\tb"}, "a\tb"},                      // escapes after substitution
  };
  for (auto& k : cases) {
    SCOPED_TRACE(k.pattern);
    EXPECT_EQ(clsSprintf::Sprintf(k.pattern, k.values), k.out);
  }
}

TEST(Sprintf, AnArrayAsFirstValueHoldsTheValues) {
  std::vector<V> list = {"a", std::int32_t{1}};
  EXPECT_EQ(clsSprintf::Sprintf("%s%d", {V(list)}), "a1");
}

TEST(Sprintf, Errors) {
  struct Case {
    const char* pattern;
    std::vector<V> values;
    long number;
    std::string description;  // empty: not checked
  } cases[] = {
      {"%s and %s", {"one"}, 450,
       "Mismatch of parameters for string %s and %s.  Expected 2 but received 1."},
      {"%s", {}, 450, ""},
      {"ab%5", {"x"}, 93, "Invalid % format in <ab%5>"},
      {"a%lx", {std::int32_t{1}}, 93, "Unrecognized pattern %lx in a%lx"},
      {"%.2f", {1.5}, 5, ""},      // a real field narrower than its decimals
      {"%d", {"abc"}, 13, ""},
      {"%d", {std::int32_t{100000}}, 6, ""},  // %d is a 16-bit field
      {"%99999999999d", {std::int32_t{1}}, 5, ""},
  };
  for (auto& k : cases) {
    SCOPED_TRACE(k.pattern);
    try {
      clsSprintf::Sprintf(k.pattern, k.values);
      ADD_FAILURE() << "no error";
    } catch (const base::Error& e) {
      EXPECT_EQ(e.Number(), k.number);
      if (!k.description.empty()) {
        EXPECT_EQ(e.Description(), k.description);
      }
    }
  }
}

TEST(BuildFormat, ShortDirectivesAndPlainValues) {
  EXPECT_EQ(clsSprintf::BuildFormat("%", clsSprintf::kKindText, false, "x"), "");
  EXPECT_EQ(clsSprintf::BuildFormat("%G", clsSprintf::kKindReal, false, 2.5e-7), "2.5e-07");
  EXPECT_EQ(clsSprintf::BuildFormat("%G", clsSprintf::kKindReal, true, 2.5e-7), "2.5E-07");
  EXPECT_EQ(clsSprintf::BuildFormat("%d", clsSprintf::kKindInteger, false, true), "-1");
}
