// clsSprintf: printf-style formatting and the backslash escapes of user texts.
//
// TreatBackSlash is the dialect of what users type into an item's prefixes
// and suffixes ("\n" is CR LF, "\r" a lone LF, "\x41" a character by code).
// Program texts have their own dialect, ExpandEscapes in common/tools.h; the
// two are kept apart on purpose.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "base/variant.h"

namespace common {

class clsSprintf {
 public:
  // Conversion kinds, chosen by the conversion letters of a directive.
  enum Kind : std::int16_t {
    kKindText = 1,     // s S
    kKindInteger = 2,  // d i u (16-bit)
    kKindLong = 3,     // ld
    kKindReal = 4,     // f e g E G
    kKindPercent = 5,  // %%
    kKindHex = 6,      // x X
  };

  // Fills the pattern's directives with the values in order, then expands the
  // escapes of the whole result (those inside the values too). When the first
  // value is an array, its elements are the values. Raises 450 when the
  // number of directives and values differ, 93 for a bad directive.
  static std::string Sprintf(const std::string& pattern, const std::vector<base::Variant>& values);

  // Renders one value for one directive ("%" to the conversion letters).
  static std::string BuildFormat(const std::string& directive, std::int16_t kind, bool upperCase,
                                 const base::Variant& value);

  // Expands the escapes of a user's text in place and returns it. A "\x"
  // without hexadecimal digits after it is kept as typed.
  static std::string TreatBackSlash(std::string& text);
};

}  // namespace common
