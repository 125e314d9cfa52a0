#include "base/text.h"

#include <gtest/gtest.h>

TEST(Text, CaseFoldingCoversTheCodePage) {
  EXPECT_EQ(base::UCase("abc\xE9\xFF"), "ABC\xC9\x9F");
  EXPECT_EQ(base::LCase("ABC\xC9\x8A"), "abc\xE9\x9A");
  EXPECT_EQ(base::UCase("\xF7"), "\xF7");  // the division sign has no case
  EXPECT_TRUE(base::EqualsNoCase("C:\\Temp", "c:\\TEMP"));
  EXPECT_FALSE(base::EqualsNoCase("abc", "abd"));
}

TEST(Text, Utf16RoundTripAndDefaultCharacter) {
  std::string ansi = "A\x80\xE9";
  std::u16string wide = base::AnsiToUtf16(ansi);
  ASSERT_EQ(wide.size(), 3u);
  EXPECT_EQ(wide[1], u'\u20AC');
  EXPECT_EQ(base::Utf16ToAnsi(wide), ansi);
  EXPECT_EQ(base::Utf16ToAnsi(u"x\u4E2Dy"), "x?y");
}

TEST(Text, Trims) {
  EXPECT_EQ(base::Trim("  a b  "), "a b");
  EXPECT_EQ(base::LTrim("  a "), "a ");
  EXPECT_EQ(base::RTrim(" a  "), " a");
}

TEST(Text, ControlCharactersShowAsBlanksAndNothingElseChanges) {
  EXPECT_EQ(base::BlankControls(std::string("a\tb\r\nc\x7f\x01", 8)), "a b  c  ");
  EXPECT_EQ(base::BlankControls(std::string("\0x", 2)), " x");
  EXPECT_EQ(base::BlankControls("Caf\xE9 & \x80\xFF"), "Caf\xE9 & \x80\xFF");
}
