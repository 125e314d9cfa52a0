// Native stand-in for the Windows code-page calls: code page 1252.
#include "base/text.h"

namespace base {

namespace {

// Code page 1252 bytes 0x80..0x9F; 0 marks the five unassigned ones, which
// Windows maps to the C1 control of the same number.
const char16_t kHigh[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                            0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                            0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                            0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char16_t ToUnit(unsigned char c) {
  if (c >= 0x80 && c < 0xA0) return kHigh[c - 0x80] ? kHigh[c - 0x80] : c;
  return c;
}

unsigned char UpperByte(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  switch (c) {
    case 0x9A: return 0x8A;  // š
    case 0x9C: return 0x8C;  // œ
    case 0x9E: return 0x8E;  // ž
    case 0xFF: return 0x9F;  // ÿ
    default: return c;
  }
}

unsigned char LowerByte(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  switch (c) {
    case 0x8A: return 0x9A;
    case 0x8C: return 0x9C;
    case 0x8E: return 0x9E;
    case 0x9F: return 0xFF;
    default: return c;
  }
}

}  // namespace

std::u16string AnsiToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (unsigned char c : text) out.push_back(ToUnit(c));
  return out;
}

std::string Utf16ToAnsi(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char16_t u = text[i];
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
      out.push_back(static_cast<char>(u));
      continue;
    }
    char found = 0;
    for (int k = 0; k < 32; ++k)
      if (ToUnit(static_cast<unsigned char>(0x80 + k)) == u) found = static_cast<char>(0x80 + k);
    if (!found) {
      found = '?';
      if (u >= 0xD800 && u <= 0xDBFF && i + 1 < text.size()) ++i;  // one character, one "?"
    }
    out.push_back(found);
  }
  return out;
}

std::string UCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(UpperByte(static_cast<unsigned char>(c)));
  return out;
}

std::string LCase(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(LowerByte(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace base
