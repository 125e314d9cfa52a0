#include "base/text.h"

namespace base {

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && UCase(a) == UCase(b);
}

std::string LTrim(std::string_view text) {
  size_t b = 0;
  while (b < text.size() && text[b] == ' ') ++b;
  return std::string(text.substr(b));
}

std::string RTrim(std::string_view text) {
  size_t e = text.size();
  while (e > 0 && text[e - 1] == ' ') --e;
  return std::string(text.substr(0, e));
}

std::string Trim(std::string_view text) { return LTrim(RTrim(text)); }

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && EqualsNoCase(text.substr(0, prefix.size()), prefix);
}

std::string BlankControls(std::string_view text) {
  std::string shown(text);
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
  return shown;
}

}  // namespace base
