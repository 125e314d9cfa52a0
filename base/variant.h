// The dynamic value: one value that carries its own kind.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <variant>
#include <vector>

namespace base {

// Base of everything a Variant can refer to as an object.
class Object {
 public:
  virtual ~Object() = default;
};

enum class VariantKind { Empty, Integer, Long, Double, String, Boolean, Object, Array };

class Variant {
 public:
  Variant() = default;
  Variant(std::int16_t v) : m_value(v) {}
  Variant(std::int32_t v) : m_value(v) {}
  Variant(double v) : m_value(v) {}
  Variant(bool v) : m_value(v) {}
  Variant(std::string v) : m_value(std::move(v)) {}
  Variant(const char* v) : m_value(std::string(v)) {}
  Variant(std::shared_ptr<Object> v) : m_value(std::move(v)) {}
  Variant(std::vector<Variant> v) : m_value(std::move(v)) {}

  VariantKind Kind() const noexcept { return static_cast<VariantKind>(m_value.index()); }
  bool IsEmpty() const noexcept { return Kind() == VariantKind::Empty; }
  bool IsNumeric() const noexcept;  // Integer, Long, Double (not Boolean or text)

  // Conversions; a value of the wrong kind throws error 13, one out of range 6.
  std::string ToString() const;     // the text form
  bool ToBool() const;              // the flag form
  std::int32_t ToLong() const;      // 32-bit, halves round to even
  std::int16_t ToInteger() const;   // 16-bit, halves round to even
  double ToDouble() const;
  const std::shared_ptr<Object>& ToObject() const;
  const std::vector<Variant>& ToArray() const;
  std::vector<Variant>& ToArray();

  template <class T>
  std::shared_ptr<T> As() const {
    if (auto p = std::get_if<std::shared_ptr<Object>>(&m_value)) return std::dynamic_pointer_cast<T>(*p);
    return nullptr;
  }

  // Equality of the find-by-tag rules: numbers (Empty 0, True -1) compare as
  // numbers, text only with text (and with Empty when it is ""), objects by identity.
  friend bool operator==(const Variant& a, const Variant& b);

 private:
  std::variant<std::monostate, std::int16_t, std::int32_t, double, std::string, bool,
               std::shared_ptr<Object>, std::vector<Variant>>
      m_value;
};

// A numeric text with surrounding blanks ("12", " -3.5 ", "&HFF"); false when
// the text is no number.
bool ParseNumber(const std::string& text, double& out);

// Rounds half to even, as every whole-number conversion does.
double RoundHalfEven(double v);

// The shortest decimal text that reads back as the same double: plain digits
// with "." and no exponent.
std::string FormatDouble(double v);

}  // namespace base
