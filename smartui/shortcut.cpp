#include "smartui/shortcut.h"

#include <cctype>
#include <vector>

namespace sui {

namespace {

struct NamedKey {
  const char* name;
  int key;
};

// The platform's virtual-key numbers.
constexpr NamedKey kNamedKeys[] = {
    {"del", 0x2E},   {"delete", 0x2E}, {"ins", 0x2D},   {"insert", 0x2D}, {"home", 0x24},
    {"end", 0x23},   {"pgup", 0x21},   {"pgdn", 0x22},  {"tab", 0x09},    {"enter", 0x0D},
    {"esc", 0x1B},   {"space", 0x20},  {"bksp", 0x08},  {"backspace", 0x08}, {"up", 0x26},
    {"down", 0x28},  {"left", 0x25},   {"right", 0x27},
};
constexpr int kF1 = 0x70;

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::optional<int> keyOf(const std::string& name) {
  if (name.size() == 1) {
    const unsigned char c = static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(name[0])));
    if (std::isalnum(c)) return c;  // letters and digits are their own codes
    return std::nullopt;
  }
  const std::string n = lower(name);
  if (n.size() >= 2 && n.size() <= 3 && n[0] == 'f') {
    int number = 0;
    for (size_t i = 1; i < n.size(); ++i) {
      if (!std::isdigit(static_cast<unsigned char>(n[i]))) return std::nullopt;
      number = number * 10 + (n[i] - '0');
    }
    if (number >= 1 && number <= 24 && n[1] != '0') return kF1 + number - 1;
    return std::nullopt;
  }
  for (const NamedKey& k : kNamedKeys)
    if (n == k.name) return k.key;
  return std::nullopt;
}

}  // namespace

std::optional<Shortcut> parseShortcut(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t plus; (plus = text.find('+', start)) != std::string::npos; start = plus + 1)
    parts.push_back(text.substr(start, plus - start));
  parts.push_back(text.substr(start));
  Shortcut s;
  for (size_t i = 0; i + 1 < parts.size(); ++i) {
    const std::string m = lower(parts[i]);
    if (m == "ctrl") s.ctrl = true;
    else if (m == "shift") s.shift = true;
    else if (m == "alt") s.alt = true;
    else return std::nullopt;
  }
  const auto key = keyOf(parts.back());
  if (!key) return std::nullopt;
  s.key = *key;
  return s;
}

}  // namespace sui
