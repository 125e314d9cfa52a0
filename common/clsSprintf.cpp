#include "common/clsSprintf.h"

#include <cmath>
#include <cstdio>

#include "base/error.h"
#include "base/text.h"

namespace common {

namespace {

const char kSource[] = "clsSprintf";

// Widths and precisions beyond this are no formatting anybody means; they
// are refused rather than turned into texts of any size.
constexpr std::int32_t kMaxField = 4096;

struct Conversion {
  char letter;
  std::int16_t kind;
  bool upper;
};

const Conversion kConversions[] = {
    {'s', clsSprintf::kKindText, false}, {'S', clsSprintf::kKindText, true},
    {'d', clsSprintf::kKindInteger, false}, {'i', clsSprintf::kKindInteger, false},
    {'u', clsSprintf::kKindInteger, false}, {'f', clsSprintf::kKindReal, false},
    {'e', clsSprintf::kKindReal, false}, {'g', clsSprintf::kKindReal, false},
    {'E', clsSprintf::kKindReal, false}, {'G', clsSprintf::kKindReal, false},
    {'x', clsSprintf::kKindHex, false}, {'X', clsSprintf::kKindHex, true},
};

const Conversion* FindConversion(char c) {
  for (const auto& k : kConversions)
    if (k.letter == c) return &k;
  return nullptr;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// The leading run of digits of text from pos (0 for none); pos moves past it.
std::int32_t DigitRun(const std::string& text, size_t& pos) {
  std::int32_t n = 0;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    n = n * 10 + (text[pos] - '0');
    if (n > kMaxField) base::RaiseError(base::kErrInvalidCall, kSource);
  }
  return n;
}

std::string PadLeft(const std::string& s, size_t width, char fill = ' ') {
  return s.size() >= width ? s : std::string(width - s.size(), fill) + s;
}

std::string PadRight(const std::string& s, size_t width) {
  return s.size() >= width ? s : s + std::string(width - s.size(), ' ');
}

// A rendered field: padded to the width, or all "#" when it does not fit.
std::string Fit(const std::string& s, size_t width) {
  if (s.size() > width) return std::string(width, '#');
  return PadLeft(s, width);
}

// |v| rounded to p decimals (halves away from zero), always with the point.
std::string FixedDecimals(double magnitude, std::int32_t p) {
  double scaled = std::round(magnitude * std::pow(10.0, p));
  char buf[512];
  std::snprintf(buf, sizeof buf, "%.0f", scaled);
  std::string digits = buf;
  if (p == 0) return digits + ".";
  if (digits.size() <= static_cast<size_t>(p)) digits.insert(0, static_cast<size_t>(p) + 1 - digits.size(), '0');
  digits.insert(digits.size() - static_cast<size_t>(p), ".");
  return digits;
}

std::string HexDigits(const base::Variant& value) {
  static const char kDigits[] = "0123456789ABCDEF";
  // A 16-bit value shows its 16-bit pattern, anything else its 32-bit one.
  std::uint32_t bits = value.Kind() == base::VariantKind::Integer
                           ? static_cast<std::uint16_t>(value.ToInteger())
                           : static_cast<std::uint32_t>(value.ToLong());
  std::string s;
  do {
    s.insert(s.begin(), kDigits[bits & 0xF]);
    bits >>= 4;
  } while (bits);
  return s;
}

}  // namespace

std::string clsSprintf::BuildFormat(const std::string& directive, std::int16_t kind,
                                    bool upperCase, const base::Variant& value) {
  if (directive.size() < 2) return {};

  // Only the character right after "%" can be a flag.
  bool leftAligned = false, zeroFill = false;
  size_t bodyStart = 1;
  switch (directive[1]) {
    case '-': leftAligned = true; bodyStart = 2; break;
    case '0': zeroFill = true; bodyStart = 2; break;
    case '+': case ' ': case '#': bodyStart = 2; break;
    default: break;
  }
  size_t letters = kind == kKindLong ? 2 : 1;
  std::string body = directive.size() >= bodyStart + letters
                         ? directive.substr(bodyStart, directive.size() - bodyStart - letters)
                         : std::string();
  size_t pos = 0;
  std::int32_t width = DigitRun(body, pos);
  bool hasPrecision = false;
  std::int32_t precision = 0;
  size_t dot = body.find('.');
  if (dot != std::string::npos) {
    hasPrecision = true;
    pos = dot + 1;
    precision = DigitRun(body, pos);
    if (precision > width) width = precision;
  }
  const size_t w = static_cast<size_t>(width);
  auto caseOf = [&](std::string s) { return upperCase ? base::UCase(s) : base::LCase(s); };

  if (kind == kKindText) {
    std::string text = value.ToString();
    if (hasPrecision) {
      // No defined meaning was ever given to this; it takes printf's: at most
      // that many characters.
      text = text.substr(0, static_cast<size_t>(precision));
      return leftAligned ? PadRight(text, w) : PadLeft(text, w);
    }
    if (leftAligned) return PadRight(text, w);
    return w == 0 ? text : Fit(text, w);
  }

  if (kind == kKindHex) {
    std::string digits = HexDigits(value);
    if (leftAligned) return caseOf(PadRight(digits, w));
    if (digits.size() > w) return caseOf(digits);  // longer than the field: shown whole
    if (hasPrecision)  // the field's blanks, then mandatory zeros
      return caseOf(PadLeft(PadLeft(digits, static_cast<size_t>(precision), '0'), w));
    return caseOf(PadLeft(digits, w, zeroFill ? '0' : ' '));
  }

  // The number kinds.
  double number = 0;
  std::string plain;
  switch (kind) {
    case kKindInteger: number = value.ToInteger(); plain = std::to_string(value.ToInteger()); break;
    case kKindLong: number = value.ToLong(); plain = std::to_string(value.ToLong()); break;
    case kKindReal: number = value.ToDouble(); plain = base::FormatDouble(number); break;
    default: plain = value.ToString(); break;
  }
  plain = caseOf(plain);
  const std::string sign = number < 0 ? "-" : "";
  const std::string magnitude = sign.empty() ? plain : plain.substr(1);

  if (hasPrecision) {
    if (kind == kKindReal) {
      if (width < precision + 2) base::RaiseError(base::kErrInvalidCall, kSource);
      return Fit(sign + FixedDecimals(std::fabs(number), precision), w);
    }
    return Fit(sign + PadLeft(magnitude, static_cast<size_t>(precision), '0'), w);
  }
  if (leftAligned) return PadRight(plain, w);
  if (w == 0) return plain;
  if (zeroFill && w > sign.size()) return Fit(sign + PadLeft(magnitude, w - sign.size(), '0'), w);
  return Fit(plain, w);
}

std::string clsSprintf::Sprintf(const std::string& pattern, const std::vector<base::Variant>& values) {
  const std::vector<base::Variant>& list =
      !values.empty() && values[0].Kind() == base::VariantKind::Array ? values[0].ToArray() : values;

  // Every "%" is a directive except a doubled one.
  size_t expected = 0;
  for (size_t i = pattern.find('%'); i != std::string::npos;) {
    if (i + 1 < pattern.size() && pattern[i + 1] == '%') {
      i = pattern.find('%', i + 2);
    } else {
      ++expected;
      i = pattern.find('%', i + 1);
    }
  }
  auto mismatch = [&] {
    base::RaiseError(base::kErrArguments, kSource,
                     "Mismatch of parameters for string " + pattern + ".  Expected " +
                         std::to_string(expected) + " but received " +
                         std::to_string(list.size()) + ".");
  };
  if (expected != list.size()) mismatch();

  std::string out;
  size_t literal = 0;  // start of the text not yet written
  size_t next = 0;     // next value
  for (size_t at = pattern.find('%'); at != std::string::npos; at = pattern.find('%', literal)) {
    // Anything up to the conversion letter belongs to the directive: flags,
    // width, precision, or whatever else was written there.
    size_t j = at + 1;
    const Conversion* conversion = nullptr;
    std::int16_t kind = 0;
    bool upper = false;
    size_t end = 0;
    for (;; ++j) {
      if (j >= pattern.size())
        base::RaiseError(base::kErrInvalidPattern, kSource, "Invalid % format in <" + pattern + ">");
      char c = pattern[j];
      if (c == '%') {
        kind = kKindPercent;
        end = j + 1;
        break;
      }
      if (c == 'l') {
        if (j + 1 < pattern.size() && pattern[j + 1] == 'd') {
          kind = kKindLong;
          end = j + 2;
          break;
        }
        base::RaiseError(base::kErrInvalidPattern, kSource,
                         "Unrecognized pattern " + pattern.substr(j - 1, 3) + " in " + pattern);
      }
      if ((conversion = FindConversion(c))) {
        kind = conversion->kind;
        upper = conversion->upper;
        end = j + 1;
        break;
      }
    }
    out += pattern.substr(literal, at - literal);
    if (kind == kKindPercent) {
      out += '%';
    } else {
      if (next >= list.size()) mismatch();
      out += BuildFormat(pattern.substr(at, end - at), kind, upper, list[next++]);
    }
    literal = end;
  }
  out += pattern.substr(literal);
  return TreatBackSlash(out);
}

std::string clsSprintf::TreatBackSlash(std::string& text) {
  for (size_t i = text.find('\\'); i != std::string::npos; i = text.find('\\', i + 1)) {
    if (i + 1 >= text.size()) {  // a backslash at the very end is dropped
      text.erase(i, 1);
      break;
    }
    char c = text[i + 1];
    const char* simple = nullptr;
    switch (c) {
      case '\\': simple = "\\"; break;
      case 'a': simple = "\a"; break;
      case 'b': simple = "\b"; break;
      case 'f': simple = "\f"; break;
      case 'n': simple = "\r\n"; break;
      case 'r': simple = "\n"; break;
      case 't': simple = "\t"; break;
      case 'v': simple = "\v"; break;
      default: break;
    }
    if (simple) {
      text.replace(i, 2, simple);
      continue;
    }
    if (c == 'x') {
      // Up to two hexadecimal digits (one only at the end of the text). A
      // user's "\x" without them stays as it was typed, so a slip in a
      // prefix never stops the task that uses it.
      size_t available = std::min<size_t>(2, text.size() - (i + 2));
      bool ok = available > 0;
      for (size_t k = 0; k < available; ++k) ok = ok && IsHexDigit(text[i + 2 + k]);
      if (ok) {
        char code = static_cast<char>(std::stoi(text.substr(i + 2, available), nullptr, 16));
        text.replace(i, 2 + available, 1, code);
      }
      continue;
    }
    text.erase(i, 1);  // any other character stands for itself
  }
  return text;
}

}  // namespace common
