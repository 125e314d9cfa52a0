#include "base/variant.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "base/tests/testing.h"

using base::Variant;

using testing_support::ErrorNumberOf;

TEST(Variant, TextForm) {
  struct Row { Variant v; const char* text; } rows[] = {
      {Variant(), ""}, {Variant(true), "True"}, {Variant(false), "False"},
      {Variant(std::int32_t{-42}), "-42"}, {Variant(std::int16_t{7}), "7"},
      {Variant(2.5), "2.5"}, {Variant(0.1), "0.1"}, {Variant(3.0), "3"}, {Variant("abc"), "abc"},
  };
  for (const auto& r : rows) EXPECT_EQ(r.v.ToString(), r.text);
}

TEST(Variant, WholeNumbersRoundHalfToEvenAndCheckRange) {
  EXPECT_EQ(Variant(2.5).ToLong(), 2);
  EXPECT_EQ(Variant(3.5).ToLong(), 4);
  EXPECT_EQ(Variant(-2.5).ToLong(), -2);
  EXPECT_EQ(Variant(true).ToLong(), -1);
  EXPECT_EQ(Variant().ToLong(), 0);
  EXPECT_EQ(Variant(" 12 ").ToLong(), 12);
  EXPECT_EQ(Variant("&HFF").ToLong(), 255);
  EXPECT_EQ(ErrorNumberOf([] { Variant("abc").ToLong(); }), 13);
  EXPECT_EQ(ErrorNumberOf([] { Variant(3e10).ToLong(); }), 6);
  EXPECT_EQ(ErrorNumberOf([] { Variant(std::int32_t{40000}).ToInteger(); }), 6);
}

TEST(Variant, FlagForm) {
  EXPECT_TRUE(Variant("TRUE").ToBool());
  EXPECT_FALSE(Variant("false").ToBool());
  EXPECT_TRUE(Variant("-1").ToBool());
  EXPECT_FALSE(Variant("0").ToBool());
  EXPECT_FALSE(Variant().ToBool());
  EXPECT_TRUE(Variant(std::int32_t{3}).ToBool());
  EXPECT_EQ(ErrorNumberOf([] { Variant("yes").ToBool(); }), 13);
}

TEST(Variant, EqualityFollowsTheFindByTagRules) {
  EXPECT_TRUE(Variant() == Variant(std::int32_t{0}));
  EXPECT_TRUE(Variant(true) == Variant(std::int32_t{-1}));
  EXPECT_TRUE(Variant(std::int32_t{5}) == Variant(5.0));
  EXPECT_FALSE(Variant("5") == Variant(std::int32_t{5}));
  EXPECT_TRUE(Variant("") == Variant());
  EXPECT_FALSE(Variant("a") == Variant());
  EXPECT_FALSE(Variant("A") == Variant("a"));
  auto obj = std::make_shared<base::Object>();
  EXPECT_TRUE(Variant(obj) == Variant(obj));
  EXPECT_FALSE(Variant(obj) == Variant(std::make_shared<base::Object>()));
}

TEST(Variant, DoublesReadAsPlainDigitsWithoutAnExponent) {
  struct Row { double v; const char* text; } rows[] = {
      {1e6, "1000000"}, {1e20, "100000000000000000000"}, {1e-7, "0.0000001"},
      {-1234.5, "-1234.5"}, {-0.0, "0"}, {0.30000000000000004, "0.30000000000000004"},
  };
  for (const auto& r : rows) EXPECT_EQ(Variant(r.v).ToString(), r.text) << r.v;
  EXPECT_EQ(Variant(1e300).ToString().size(), 301u);
}

TEST(Variant, OnlyDigitsMakeANumericText) {
  for (const char* text : {"inf", "-inf", "nan", "infinity", "+-5", "-", "."}) {
    SCOPED_TRACE(text);
    EXPECT_EQ(ErrorNumberOf([&] { Variant(text).ToLong(); }), 13);
    EXPECT_EQ(ErrorNumberOf([&] { Variant(text).ToBool(); }), 13);
  }
  EXPECT_EQ(Variant(" -.5 ").ToDouble(), -0.5);
  EXPECT_EQ(Variant("+7").ToLong(), 7);
}
