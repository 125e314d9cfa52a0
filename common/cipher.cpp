#include "common/cipher.h"

#include <cstdint>
#include <vector>

#include "base/error.h"
#include "base/text.h"
#include "base/variant.h"

namespace common {

namespace {

// The key stream of one cipher call. The key is the password's UTF-16
// little-endian bytes; it evolves byte by byte, and the index runs 0, 1, ...,
// last, 1, ..., last, 1, ...: position 0 serves only the first byte.
// What a data byte is combined with depends only on the password and the
// byte's position, never on the data, so enciphering twice gives the text back.
class KeyStream {
 public:
  KeyStream(const std::string& password, const char* source) {
    if (password.empty()) base::RaiseError(base::kErrInvalidCall, source, "The password is empty");
    for (char16_t unit : base::AnsiToUtf16(password)) {
      m_key.push_back(static_cast<std::uint8_t>(unit & 0xFF));
      m_key.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
  }

  // One EncryptByte step: the value to XOR into the next data byte.
  std::uint8_t Next() {
    const size_t last = m_key.size() - 1;
    const std::uint8_t k = m_key[m_index];
    // Computed at full width: the original 16-bit product is what limited a
    // password to 64 characters.
    const auto mask = static_cast<std::uint8_t>(k ^ ((k * m_index) & 0xFF));
    if (m_index >= last) {
      m_key[m_index] = static_cast<std::uint8_t>(m_key[m_index] + m_key[1]);
      m_index = 1;
    } else {
      m_key[m_index] = static_cast<std::uint8_t>(m_key[m_index] + m_key[m_index + 1]);
      ++m_index;
    }
    return mask;
  }

 private:
  std::vector<std::uint8_t> m_key;
  size_t m_index = 0;
};

}  // namespace

std::string CipherBytes(const std::string& password, std::string bytes) {
  KeyStream key(password, "EncryptStringAscii");
  for (char& b : bytes) b = static_cast<char>(static_cast<std::uint8_t>(b) ^ key.Next());
  return bytes;
}

std::u16string CipherUtf16(const std::string& password, std::u16string text) {
  KeyStream key(password, "EncryptString");
  for (char16_t& unit : text) {
    const std::uint8_t low = static_cast<std::uint8_t>(unit & 0xFF) ^ key.Next();
    const std::uint8_t high = static_cast<std::uint8_t>(unit >> 8) ^ key.Next();
    unit = static_cast<char16_t>(low | (high << 8));
  }
  return text;
}

std::string PasswordToHex(const std::string& text) {
  std::string out = "~";
  for (char c : text) {
    const unsigned code = static_cast<std::uint8_t>(c);
    out += static_cast<char>('0' + code / 100);
    out += static_cast<char>('0' + code / 10 % 10);
    out += static_cast<char>('0' + code % 10);
  }
  return out;
}

std::string HexToPassword(const std::string& text) {
  const char kSource[] = "HexToPassword";
  std::string out;
  for (size_t at = 0; at < text.size(); at += 3) {
    std::int32_t code;
    try {
      code = base::Variant(text.substr(at, 3)).ToLong();
    } catch (const base::Error& e) {
      base::RaiseError(e.Number(), kSource);
    }
    if (code < 0 || code > 255) base::RaiseError(base::kErrInvalidCall, kSource);
    out += static_cast<char>(code);
  }
  return out;
}

}  // namespace common
