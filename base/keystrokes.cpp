#include "base/keystrokes.h"

#include <cstddef>

#include "base/error.h"
#include "base/text.h"

namespace base {

namespace {

const char kSource[] = "SendKeys";

struct NamedKey {
  const char* name;
  std::uint16_t vk;
};

// Every name the token menus insert, and the short forms users know.
const NamedKey kNamedKeys[] = {
    {"BACKSPACE", kVkBack}, {"BS", kVkBack},         {"BKSP", kVkBack},
    {"BREAK", kVkCancel},   {"CAPSLOCK", kVkCapital}, {"DELETE", kVkDelete},
    {"DEL", kVkDelete},     {"DOWN", kVkDown},       {"END", kVkEnd},
    {"ENTER", kVkReturn},   {"ESC", kVkEscape},      {"HELP", kVkHelp},
    {"HOME", kVkHome},      {"INSERT", kVkInsert},   {"INS", kVkInsert},
    {"LEFT", kVkLeft},      {"NUMLOCK", kVkNumLock}, {"PGDN", kVkNext},
    {"PGUP", kVkPrior},     {"PRTSC", kVkSnapshot},  {"RIGHT", kVkRight},
    {"SCROLLLOCK", kVkScroll}, {"TAB", kVkTab},      {"UP", kVkUp},
    {"ADD", kVkAdd},        {"SUBTRACT", kVkSubtract}, {"MULTIPLY", kVkMultiply},
    {"DIVIDE", kVkDivide},
};

[[noreturn]] void Malformed(const std::string& what) {
  RaiseError(kErrInvalidCall, kSource, "Invalid keystroke notation: " + what);
}

bool KeyByName(const std::string& name, std::uint16_t& vk) {
  std::string upper = UCase(name);
  for (const NamedKey& k : kNamedKeys)
    if (upper == k.name) {
      vk = k.vk;
      return true;
    }
  // F1 to F16.
  if (upper.size() >= 2 && upper.size() <= 3 && upper[0] == 'F') {
    int n = 0;
    for (size_t i = 1; i < upper.size(); ++i) {
      if (upper[i] < '0' || upper[i] > '9') return false;
      n = n * 10 + (upper[i] - '0');
    }
    if (upper[1] != '0' && n >= 1 && n <= 16) {
      vk = static_cast<std::uint16_t>(kVkF1 + n - 1);
      return true;
    }
  }
  return false;
}

KeyStroke Key(std::uint16_t vk, unsigned modifiers) {
  KeyStroke k;
  k.vk = vk;
  k.modifiers = modifiers;
  return k;
}

// A character of the text: line breaks and tabs are the keys of the same
// meaning, everything else types itself.
KeyStroke Char(char c, unsigned modifiers) {
  if (c == '\r' || c == '\n') return Key(kVkReturn, modifiers);
  if (c == '\t') return Key(kVkTab, modifiers);
  KeyStroke k;
  k.isChar = true;
  k.ch = c;
  k.modifiers = modifiers;
  return k;
}

class Parser {
 public:
  explicit Parser(std::string_view text) : m_text(text) {}

  std::vector<KeyStroke> Run() {
    Sequence(0, false);
    return std::move(m_out);
  }

 private:
  // Reads keys up to the end, or up to the ")" that closes a group.
  void Sequence(unsigned held, bool inGroup) {
    unsigned pending = 0;  // modifiers typed for the next key
    while (m_pos < m_text.size()) {
      char c = m_text[m_pos];
      if (c == '+' || c == '^' || c == '%') {
        pending |= c == '+' ? kModShift : c == '^' ? kModCtrl : kModAlt;
        ++m_pos;
        continue;
      }
      if (c == ')') {
        if (!inGroup) Malformed("\")\" without \"(\"");
        if (pending) Malformed("a modifier before \")\"");
        ++m_pos;
        return;
      }
      unsigned mods = held | pending;
      pending = 0;
      if (c == '(') {
        ++m_pos;
        Sequence(mods, true);
        continue;
      }
      if (c == '{') {
        Braced(mods);
        continue;
      }
      if (c == '}') Malformed("\"}\" without \"{\"");
      if (c == '~') {
        m_out.push_back(Key(kVkReturn, mods));
      } else if (c == '\r' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '\n') {
        m_out.push_back(Key(kVkReturn, mods));  // one line break, one Enter
        ++m_pos;
      } else {
        m_out.push_back(Char(c, mods));
      }
      ++m_pos;
    }
    if (pending) Malformed("a modifier with no key after it");
    if (inGroup) Malformed("\"(\" without \")\"");
  }

  // "{NAME}", "{NAME n}", "{c}" and "{c n}"; m_pos is at the "{".
  void Braced(unsigned mods) {
    size_t start = m_pos + 1;
    // "{}}" types a closing brace: the name may begin with "}".
    size_t close = m_text.find('}', start < m_text.size() && m_text[start] == '}' ? start + 1 : start);
    if (close == std::string_view::npos) Malformed("\"{\" without \"}\"");
    std::string inner(m_text.substr(start, close - start));
    m_pos = close + 1;
    if (inner.empty()) Malformed("\"{}\"");

    std::string name = inner;
    long count = 1;
    size_t blank = inner.rfind(' ');
    if (blank != std::string::npos && blank > 0 && blank + 1 < inner.size()) {
      std::string digits = inner.substr(blank + 1);
      bool allDigits = digits.size() <= 5;
      for (char d : digits) allDigits = allDigits && d >= '0' && d <= '9';
      if (allDigits) {
        count = std::stol(digits);
        name = inner.substr(0, blank);
      }
    }
    if (count > kMaxKeyRepeat) Malformed("a repeat count above " + std::to_string(kMaxKeyRepeat));

    KeyStroke stroke;
    std::uint16_t vk = 0;
    if (name.size() == 1) {
      stroke = Char(name[0], mods);
    } else if (KeyByName(name, vk)) {
      stroke = Key(vk, mods);
    } else {
      Malformed("unknown key {" + inner + "}");
    }
    m_out.insert(m_out.end(), static_cast<size_t>(count), stroke);
  }

  std::string_view m_text;
  size_t m_pos = 0;
  std::vector<KeyStroke> m_out;
};

}  // namespace

std::vector<KeyStroke> ParseKeystrokes(std::string_view notation) { return Parser(notation).Run(); }

std::vector<KeyStroke> LiteralKeystrokes(std::string_view text) {
  std::vector<KeyStroke> out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out.push_back(Char(text[i], 0));
  }
  return out;
}

}  // namespace base
