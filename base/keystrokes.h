// The keystroke sender: a text in the keystroke notation, or plain text,
// typed into the window that has the keyboard focus.
//
// The notation: plain characters type themselves; "+", "^" and "%" hold
// Shift, Ctrl and Alt for the next key or for a group in parentheses
// ("+(abc)"); "~" is Enter; a key name in braces ("{TAB}", "{F15}") presses
// that key and "{KEY n}" presses it n times; a single character in braces
// ("{+}", "{~}", "{{}", "{}}") types that character. A line break or a tab in
// the text presses Enter or Tab. Brackets have no meaning and type themselves.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace base {

enum KeyModifier : unsigned { kModShift = 1, kModCtrl = 2, kModAlt = 4 };

// Virtual-key codes of the named keys; the values are the platform's.
enum VirtualKey : std::uint16_t {
  kVkCancel = 0x03, kVkBack = 0x08, kVkTab = 0x09, kVkReturn = 0x0D, kVkShift = 0x10,
  kVkControl = 0x11, kVkMenu = 0x12, kVkPause = 0x13, kVkCapital = 0x14, kVkEscape = 0x1B,
  kVkPrior = 0x21, kVkNext = 0x22, kVkEnd = 0x23, kVkHome = 0x24, kVkLeft = 0x25,
  kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkSnapshot = 0x2C, kVkInsert = 0x2D,
  kVkDelete = 0x2E, kVkHelp = 0x2F, kVkMultiply = 0x6A, kVkAdd = 0x6B, kVkSubtract = 0x6D,
  kVkDivide = 0x6F, kVkF1 = 0x70, kVkF16 = 0x7F, kVkNumLock = 0x90, kVkScroll = 0x91,
};

// One key press (down and up) with the modifiers held around it: either a
// character, which the player maps onto the keyboard layout, or a key.
struct KeyStroke {
  bool isChar = false;
  char ch = 0;              // the ANSI character, when isChar
  std::uint16_t vk = 0;     // the virtual key, otherwise
  unsigned modifiers = 0;   // KeyModifier bits

  friend bool operator==(const KeyStroke&, const KeyStroke&) = default;
};

// The most a "{KEY n}" may repeat a key.
constexpr int kMaxKeyRepeat = 32767;

// Reads the notation. Malformed notation (an unknown key name, an unclosed
// brace or group, a modifier with no key after it, a repeat count out of
// range) raises error 5 naming the fault; nothing is typed of such a text.
std::vector<KeyStroke> ParseKeystrokes(std::string_view notation);

// Plain text as keystrokes: every character types itself (line breaks and
// tabs press Enter and Tab), nothing is notation.
std::vector<KeyStroke> LiteralKeystrokes(std::string_view text);

// Windows only. Types the notation (error 5 when it is malformed) or the
// plain text into the window that has the keyboard focus. With wait, returns
// once the focus window's thread has taken every keystroke from its queue:
// when that thread is the caller's, the caller's messages are pumped
// meanwhile. A wait gives up after a few seconds.
void SendKeys(std::string_view notation, bool wait);
void SendLiteralKeys(std::string_view text, bool wait);
void PlayKeystrokes(const std::vector<KeyStroke>& strokes, bool wait);

// Windows only. Waits the given milliseconds (none when negative), pumping
// the caller's messages meanwhile so that its windows stay alive. Returns
// false when a quit message arrived (it is posted again for the caller's
// loop).
bool PumpingSleep(long milliseconds);

}  // namespace base
