#include "base/variant.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>

#include "base/error.h"

namespace base {

namespace {

const char kSource[] = "Variant";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

template <class Int>
Int ToWhole(const Variant& v) {
  double d;
  switch (v.Kind()) {
    case VariantKind::Empty: return 0;
    case VariantKind::Boolean: return v.ToBool() ? -1 : 0;
    case VariantKind::Integer:
    case VariantKind::Long:
    case VariantKind::Double:
    case VariantKind::String: d = v.ToDouble(); break;
    default: RaiseError(kErrTypeMismatch, kSource);
  }
  d = RoundHalfEven(d);
  if (!(d >= static_cast<double>(std::numeric_limits<Int>::min()) &&
        d <= static_cast<double>(std::numeric_limits<Int>::max())))
    RaiseError(kErrOverflow, kSource);
  return static_cast<Int>(d);
}

}  // namespace

double RoundHalfEven(double v) {
  double r = std::nearbyint(v);  // the default rounding mode is to nearest, ties to even
  return r;
}

std::string FormatDouble(double v) {
  // Plain digits, never an exponent: a million reads "1000000", as users type it.
  // Negative zero reads "0", so that it never counts as a change of text.
  if (v == 0) return "0";
  char buf[400];  // the longest fixed form (the smallest denormal) is 326 characters
  auto res = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  if (res.ec != std::errc()) return "0";
  return std::string(buf, res.ptr);
}

bool ParseNumber(const std::string& text, double& out) {
  size_t b = 0, e = text.size();
  while (b < e && IsBlank(text[b])) ++b;
  while (e > b && IsBlank(text[e - 1])) --e;
  if (b == e) return false;
  std::string s = text.substr(b, e - b);
  if (s.size() > 2 && s[0] == '&' && (s[1] == 'H' || s[1] == 'h')) {
    unsigned long long x = 0;
    auto r = std::from_chars(s.data() + 2, s.data() + s.size(), x, 16);
    if (r.ec != std::errc() || r.ptr != s.data() + s.size() || x > 0xFFFFFFFFull) return false;
    // A hexadecimal literal is a 16- or 32-bit pattern, as typed.
    if (x <= 0xFFFF && s.size() <= 6)
      out = static_cast<std::int16_t>(static_cast<std::uint16_t>(x));
    else
      out = static_cast<std::int32_t>(static_cast<std::uint32_t>(x));
    return true;
  }
  const char* p = s.data();
  const char* end = p + s.size();
  bool plus = *p == '+';
  if (plus) ++p;
  // Only digits make a number: the parser below would also take "inf" and "nan".
  const char* first = p < end && *p == '-' && !plus ? p + 1 : p;
  if (first == end || !(std::isdigit(static_cast<unsigned char>(*first)) || *first == '.')) return false;
  double d = 0;
  auto r = std::from_chars(p, end, d);
  if (r.ec != std::errc() || r.ptr != end) return false;
  out = d;
  return true;
}

bool Variant::IsNumeric() const noexcept {
  auto k = Kind();
  return k == VariantKind::Integer || k == VariantKind::Long || k == VariantKind::Double;
}

std::string Variant::ToString() const {
  switch (Kind()) {
    case VariantKind::Empty: return {};
    case VariantKind::Integer: return std::to_string(std::get<std::int16_t>(m_value));
    case VariantKind::Long: return std::to_string(std::get<std::int32_t>(m_value));
    case VariantKind::Double: return FormatDouble(std::get<double>(m_value));
    case VariantKind::String: return std::get<std::string>(m_value);
    case VariantKind::Boolean: return std::get<bool>(m_value) ? "True" : "False";
    default: RaiseError(kErrTypeMismatch, kSource);
  }
}

bool Variant::ToBool() const {
  switch (Kind()) {
    case VariantKind::Empty: return false;
    case VariantKind::Boolean: return std::get<bool>(m_value);
    case VariantKind::Integer:
    case VariantKind::Long:
    case VariantKind::Double: return ToDouble() != 0;
    case VariantKind::String: {
      const std::string& s = std::get<std::string>(m_value);
      auto eq = [&](const char* w) {
        size_t n = std::char_traits<char>::length(w);
        if (s.size() != n) return false;
        for (size_t i = 0; i < n; ++i)
          if ((s[i] | 0x20) != w[i]) return false;
        return true;
      };
      if (eq("true")) return true;
      if (eq("false")) return false;
      double d;
      if (ParseNumber(s, d)) return d != 0;
      RaiseError(kErrTypeMismatch, kSource);
    }
    default: RaiseError(kErrTypeMismatch, kSource);
  }
}

std::int32_t Variant::ToLong() const { return ToWhole<std::int32_t>(*this); }
std::int16_t Variant::ToInteger() const { return ToWhole<std::int16_t>(*this); }

double Variant::ToDouble() const {
  switch (Kind()) {
    case VariantKind::Empty: return 0;
    case VariantKind::Integer: return std::get<std::int16_t>(m_value);
    case VariantKind::Long: return std::get<std::int32_t>(m_value);
    case VariantKind::Double: return std::get<double>(m_value);
    case VariantKind::Boolean: return std::get<bool>(m_value) ? -1 : 0;
    case VariantKind::String: {
      double d;
      if (ParseNumber(std::get<std::string>(m_value), d)) return d;
      RaiseError(kErrTypeMismatch, kSource);
    }
    default: RaiseError(kErrTypeMismatch, kSource);
  }
}

const std::shared_ptr<Object>& Variant::ToObject() const {
  if (auto p = std::get_if<std::shared_ptr<Object>>(&m_value)) return *p;
  RaiseError(kErrTypeMismatch, kSource);
}

const std::vector<Variant>& Variant::ToArray() const {
  if (auto p = std::get_if<std::vector<Variant>>(&m_value)) return *p;
  RaiseError(kErrTypeMismatch, kSource);
}

std::vector<Variant>& Variant::ToArray() {
  if (auto p = std::get_if<std::vector<Variant>>(&m_value)) return *p;
  RaiseError(kErrTypeMismatch, kSource);
}

bool operator==(const Variant& a, const Variant& b) {
  auto ka = a.Kind(), kb = b.Kind();
  auto numberLike = [](VariantKind k) {
    return k == VariantKind::Empty || k == VariantKind::Boolean || k == VariantKind::Integer ||
           k == VariantKind::Long || k == VariantKind::Double;
  };
  if (ka == VariantKind::String || kb == VariantKind::String) {
    if (ka == kb) return std::get<std::string>(a.m_value) == std::get<std::string>(b.m_value);
    if (ka == VariantKind::Empty) return std::get<std::string>(b.m_value).empty();
    if (kb == VariantKind::Empty) return std::get<std::string>(a.m_value).empty();
    return false;
  }
  if (numberLike(ka) && numberLike(kb)) return a.ToDouble() == b.ToDouble();
  if (ka == VariantKind::Object && kb == VariantKind::Object)
    return std::get<std::shared_ptr<Object>>(a.m_value) == std::get<std::shared_ptr<Object>>(b.m_value);
  if (ka == VariantKind::Array && kb == VariantKind::Array)
    return std::get<std::vector<Variant>>(a.m_value) == std::get<std::vector<Variant>>(b.m_value);
  return false;
}

}  // namespace base
