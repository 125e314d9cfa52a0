// clsStrTok: cuts a text into runs of non-delimiter characters, with the
// delimiters given anew on every call, and hands each run back converted to
// a requested type.
#pragma once
#include <cstdint>
#include <string>

#include "base/variant.h"

namespace common {

class clsStrTok {
 public:
  // Type codes of GetNextToken.
  static constexpr std::int16_t kInteger = 2;  // 16-bit signed
  static constexpr std::int16_t kLong = 3;     // 32-bit signed
  static constexpr std::int16_t kString = 8;
  static constexpr std::int16_t kBoolean = 11;

  // Starts reading a new text from its first character.
  void SetValue(const std::string& text);
  // Forgets the text; nothing more is read until the next SetValue.
  base::Variant Reset();

  // The next run of characters not in delimiters, converted by the type code
  // (any other code gives Empty although the run is consumed); Empty when no
  // run is left. A run that does not convert raises 13 or 6, after the
  // position has moved past it.
  base::Variant GetNextToken(const std::string& delimiters, std::int16_t typeCode);

 private:
  std::string m_text;
  std::int32_t m_position = 0;  // 1-based index where the next scan starts
  std::int32_t m_length = 0;    // characters of the text, as of the last SetValue
};

}  // namespace common
