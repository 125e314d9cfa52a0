// The string cipher of the trace object: a symmetric, password-keyed byte
// cipher. One call both enciphers and deciphers.
#pragma once
#include <string>

namespace common {

// The password every trace object carries, so that a text enciphered in
// Designer deciphers in Fennick and the other way round.
inline constexpr char kDefaultPassword[] = "QMVTRKWZP";

// Enciphers or deciphers ANSI bytes (the EncryptStringAscii form). Every call
// starts the key afresh, so each text stands on its own. The result can hold
// any byte value, 0 included; whoever stores it stores its length too.
// An empty password raises error 5.
std::string CipherBytes(const std::string& password, std::string bytes);

// The same cipher over UTF-16 code units, low byte first (the EncryptString form).
std::u16string CipherUtf16(const std::string& password, std::u16string text);

// "~" and each character's code as three decimal digits ("A" gives "~065").
std::string PasswordToHex(const std::string& text);

// Reads groups of three digits from the first character (no "~") back into
// characters. A group that is no number raises error 13, one outside 0..255
// error 5.
std::string HexToPassword(const std::string& text);

}  // namespace common
