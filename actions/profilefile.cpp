#include "actions/profilefile.h"

namespace actions {

namespace {

constexpr std::string_view kMarker = "=?";

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsQuote(char c) { return c == '"' || c == '\''; }

bool NeedsEncoding(std::string_view v) {
  if (v.empty()) return false;
  if (IsBlank(v.front()) || IsBlank(v.back()) || IsQuote(v.front()) || IsQuote(v.back())) return true;
  if (v.substr(0, kMarker.size()) == kMarker) return true;
  for (char c : v)
    if (IsControl(c)) return true;
  return false;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::string EncodeProfileValue(std::string_view value) {
  if (!NeedsEncoding(value)) return std::string(value);
  static const char kHex[] = "0123456789ABCDEF";
  std::string out(kMarker);
  for (size_t i = 0; i < value.size(); ++i) {
    char c = value[i];
    if (c == '=' || IsControl(c) || (c == ' ' && i + 1 == value.size())) {
      unsigned char b = static_cast<unsigned char>(c);
      out += '=';
      out += kHex[b >> 4];
      out += kHex[b & 15];
    } else {
      out += c;
    }
  }
  return out;
}

std::string DecodeProfileValue(std::string_view stored) {
  if (stored.substr(0, kMarker.size()) != kMarker) return std::string(stored);
  std::string out;
  for (size_t i = kMarker.size(); i < stored.size(); ++i) {
    if (stored[i] == '=' && i + 2 < stored.size() && HexValue(stored[i + 1]) >= 0 &&
        HexValue(stored[i + 2]) >= 0) {
      out += static_cast<char>(HexValue(stored[i + 1]) * 16 + HexValue(stored[i + 2]));
      i += 2;
    } else {
      out += stored[i];  // not one of ours: kept as it stands
    }
  }
  return out;
}

bool IsValidSectionName(std::string_view name) {
  if (name.empty() || IsBlank(name.front()) || IsBlank(name.back())) return false;
  for (char c : name)
    if (IsControl(c) || c == ']') return false;
  return true;
}

}  // namespace actions
