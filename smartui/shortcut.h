// Shortcut texts as the menus show them ("F8", "Ctrl+F15", "Ctrl+Shift+S")
// and the keys they stand for. Portable: the key codes are the platform's
// virtual-key numbers, written out.
#pragma once
#include <optional>
#include <string>

namespace sui {

struct Shortcut {
  bool ctrl = false;
  bool shift = false;
  bool alt = false;
  int key = 0;  // a virtual-key code
  bool operator==(const Shortcut&) const = default;
};

// Modifiers ("Ctrl", "Shift", "Alt", any case) joined by "+" before one key:
// a letter or digit, F1 to F24, or a named key ("Del", "Ins", "Home", "End",
// "PgUp", "PgDn", "Tab", "Enter", "Esc", "Space", "Bksp", "Up", "Down",
// "Left", "Right"). Anything else gives none, and such an entry simply has
// no accelerator.
std::optional<Shortcut> parseShortcut(const std::string& text);

}  // namespace sui
