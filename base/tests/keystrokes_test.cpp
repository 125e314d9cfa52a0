#include "base/keystrokes.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "base/error.h"

using base::KeyStroke;

namespace {

// A compact picture of strokes: characters as themselves, keys as <hex>,
// modifiers as a prefix of "S", "C" and "A".
std::string Show(const std::vector<KeyStroke>& strokes) {
  std::string out;
  for (const KeyStroke& k : strokes) {
    if (!out.empty()) out += ' ';
    if (k.modifiers & base::kModShift) out += 'S';
    if (k.modifiers & base::kModCtrl) out += 'C';
    if (k.modifiers & base::kModAlt) out += 'A';
    if (k.isChar) {
      out += k.ch;
    } else {
      char hex[8];
      std::snprintf(hex, sizeof hex, "<%02X>", k.vk);
      out += hex;
    }
  }
  return out;
}

}  // namespace

TEST(Keystrokes, NotationTable) {
  struct Row { const char* notation; const char* strokes; } rows[] = {
      {"", ""},
      {"ab", "a b"},
      {"~", "<0D>"},
      {"+a^b%c", "Sa Cb Ac"},
      {"+^a", "SCa"},
      {"+(ab)c", "Sa Sb c"},
      {"^(a+(b)c)", "Ca SCb Cc"},
      {"()x", "x"},
      {"{ENTER}{enter}{Tab}", "<0D> <0D> <09>"},
      {"{TAB 3}", "<09> <09> <09>"},
      {"{x 2}{ENTER 0}", "x x"},
      {"+{TAB}", "S<09>"},
      {"^{F15}", "C<7E>"},
      {"{F1}{F16}", "<70> <7F>"},
      {"{+}{^}{%}{~}{(}{)}{{}{}}{[}{]}", "+ ^ % ~ ( ) { } [ ]"},
      {"{} 2}", "} }"},
      {"{  2}", "   "},  // a blank, twice
      {"[a]", "[ a ]"},
      {"a\r\nb\nc\td", "a <0D> b <0D> c <09> d"},
      {"{BACKSPACE}{BS}{BKSP}{BREAK}{CAPSLOCK}{DELETE}{DEL}", "<08> <08> <08> <03> <14> <2E> <2E>"},
      {"{DOWN}{END}{ESC}{HELP}{HOME}{INSERT}{INS}{LEFT}", "<28> <23> <1B> <2F> <24> <2D> <2D> <25>"},
      {"{NUMLOCK}{PGDN}{PGUP}{PRTSC}{RIGHT}{SCROLLLOCK}{UP}", "<90> <22> <21> <2C> <27> <91> <26>"},
      {"{ADD}{SUBTRACT}{MULTIPLY}{DIVIDE}", "<6B> <6D> <6A> <6F>"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.notation);
    EXPECT_EQ(Show(base::ParseKeystrokes(r.notation)), r.strokes);
  }
}

TEST(Keystrokes, MalformedNotationRaisesErrorFive) {
  const char* rows[] = {"+",      "a^",     "(ab",   "ab)",     "+)",     "{ENTER", "{}",
                        "}",      "{FOO}",  "{F17}", "{F0}",    "{F01}",  "{TAB 32768}",
                        "{TAB x}", "{ab 3}"};
  for (const char* r : rows) {
    SCOPED_TRACE(r);
    try {
      base::ParseKeystrokes(r);
      ADD_FAILURE() << "no error";
    } catch (const base::Error& e) {
      EXPECT_EQ(e.Number(), 5);
      EXPECT_NE(e.Description().find("keystroke notation"), std::string::npos);
    }
  }
  EXPECT_EQ(base::ParseKeystrokes("{TAB 32767}").size(), 32767u);
}

TEST(Keystrokes, LiteralTextIsNeverNotation) {
  EXPECT_EQ(Show(base::LiteralKeystrokes("C:\\PROGRA~1\\a+b (x) {y} [z] 50% ^")),
            "C : \\ P R O G R A ~ 1 \\ a + b   ( x )   { y }   [ z ]   5 0 %   ^");
  EXPECT_EQ(Show(base::LiteralKeystrokes("a\r\nb\rc\n")), "a <0D> b <0D> c <0D>");
}
