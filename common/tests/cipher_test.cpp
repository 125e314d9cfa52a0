#include "common/cipher.h"

#include <gtest/gtest.h>

#include <string>

#include "base/error.h"
#include "base/tests/testing.h"

using testing_support::ErrorNumberOf;

namespace {

std::string FromHex(const std::string& hex) {
  std::string bytes;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return bytes;
}

// A tagged text record: type 8 and the length, both 16-bit little-endian,
// then the enciphered text.
std::string Record(const std::string& text) {
  const std::string body = common::CipherBytes(common::kDefaultPassword, text);
  const size_t n = body.size();
  return std::string{8, 0, static_cast<char>(n & 0xFF), static_cast<char>(n >> 8)} + body;
}

}  // namespace

// A configuration holding only a root captioned "My Menu": the version, the
// header, the item header and the caption, each enciphered on its own.
TEST(Cipher, ReproducesTheRecordsOfAOneItemConfiguration) {
  const std::string file =
      FromHex("080001006008000500612ce62c3e08000500612ce72c3f080007001c79f74d6b6ed9");
  EXPECT_EQ(Record("1") + Record("0,1,0") + Record("0,0,1") + Record("My Menu"), file);

  const char* texts[] = {"1", "0,1,0", "0,0,1", "My Menu"};
  size_t at = 0;
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    ASSERT_LE(at + 4, file.size());
    const size_t n = static_cast<unsigned char>(file[at + 2]) | static_cast<unsigned char>(file[at + 3]) << 8;
    EXPECT_EQ(common::CipherBytes(common::kDefaultPassword, file.substr(at + 4, n)), text);
    at += 4 + n;
  }
  EXPECT_EQ(at, file.size());
}

// What the default password mixes into the first 40 bytes of any text. Byte 19
// is back at key position 1 with its evolved value; position 0 serves byte 1 only.
TEST(Cipher, DefaultKeyStreamRestartsEveryCall) {
  const std::string expected = FromHex(
      "5100d7000e00ac00c200a5004300b600500000d7540ef0ac6cc2e8a5ea43c8b6e0505000e5a802e0");
  const std::string zeros(40, '\0');
  EXPECT_EQ(common::CipherBytes(common::kDefaultPassword, zeros), expected);
  EXPECT_EQ(common::CipherBytes(common::kDefaultPassword, zeros), expected);
  EXPECT_EQ(common::CipherBytes(common::kDefaultPassword, ""), "");
}

TEST(Cipher, TwiceGivesTheTextBack) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::string longPassword(100, 'K');  // beyond the old 64-character limit
  const struct {
    std::string password, text;
  } cases[] = {
      {common::kDefaultPassword, "My Menu"},
      {common::kDefaultPassword, everyByte},
      {common::kDefaultPassword, std::string("line\r\nbreak\0zero", 16)},
      {"x", everyByte},
      {"\x80\xE9pass", everyByte},
      {longPassword, everyByte + everyByte},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.password);
    const std::string once = common::CipherBytes(c.password, c.text);
    EXPECT_EQ(once.size(), c.text.size());
    EXPECT_NE(once, c.text);
    EXPECT_EQ(common::CipherBytes(c.password, once), c.text);
  }
}

// The key is the password's UTF-16 little-endian bytes: the euro sign of the
// code page is U+20AC, so its first key byte is AC.
TEST(Cipher, KeyIsThePasswordInUtf16) {
  EXPECT_EQ(common::CipherBytes("\x80" "A", std::string(4, '\0')), FromHex("ac00c300"));
}

TEST(Cipher, Utf16FormCiphersEachCodeUnitLowByteFirst) {
  const std::u16string text = u"My \u20AC";
  const std::string bytes("M\0y\0 \0\xAC\x20", 8);
  const std::u16string once = common::CipherUtf16(common::kDefaultPassword, text);
  const std::string asBytes = common::CipherBytes(common::kDefaultPassword, bytes);
  ASSERT_EQ(once.size(), text.size());
  for (size_t i = 0; i < once.size(); ++i) {
    EXPECT_EQ(once[i] & 0xFF, static_cast<unsigned char>(asBytes[2 * i]));
    EXPECT_EQ(once[i] >> 8, static_cast<unsigned char>(asBytes[2 * i + 1]));
  }
  EXPECT_EQ(common::CipherUtf16(common::kDefaultPassword, once), text);
}

TEST(Cipher, EmptyPasswordIsRefused) {
  EXPECT_EQ(ErrorNumberOf([] { common::CipherBytes("", "abc"); }), base::kErrInvalidCall);
  EXPECT_EQ(ErrorNumberOf([] { common::CipherUtf16("", u"abc"); }), base::kErrInvalidCall);
}

TEST(Cipher, PasswordDigitForms) {
  EXPECT_EQ(common::PasswordToHex(""), "~");
  EXPECT_EQ(common::PasswordToHex("A"), "~065");
  EXPECT_EQ(common::PasswordToHex(std::string("\xFF\x01\0", 3)), std::string("~255001000"));
  EXPECT_EQ(common::HexToPassword(common::PasswordToHex(common::kDefaultPassword).substr(1)),
            common::kDefaultPassword);
  EXPECT_EQ(common::HexToPassword("065066"), "AB");
  EXPECT_EQ(common::HexToPassword(""), "");
  EXPECT_EQ(ErrorNumberOf([] { common::HexToPassword("065abc"); }), base::kErrTypeMismatch);
  EXPECT_EQ(ErrorNumberOf([] { common::HexToPassword("300"); }), base::kErrInvalidCall);
}
