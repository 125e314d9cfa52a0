// Shortcut texts turned into keys for the accelerator table.
#include "smartui/shortcut.h"

#include <gtest/gtest.h>

using sui::parseShortcut;
using sui::Shortcut;

TEST(Shortcut, TextsBecomeModifiersAndAKey) {
  struct Case {
    const char* text;
    std::optional<Shortcut> expected;
  } cases[] = {
      {"F8", Shortcut{false, false, false, 0x77}},
      {"Ctrl+F15", Shortcut{true, false, false, 0x7E}},
      {"ctrl+shift+s", Shortcut{true, true, false, 'S'}},
      {"Alt+4", Shortcut{false, false, true, '4'}},
      {"Del", Shortcut{false, false, false, 0x2E}},
      {"Shift+PgDn", Shortcut{false, true, false, 0x22}},
      {"F24", Shortcut{false, false, false, 0x87}},
      {"", std::nullopt},
      {"F0", std::nullopt},
      {"F25", std::nullopt},
      {"F08", std::nullopt},
      {"Ctrl+", std::nullopt},
      {"Hyper+X", std::nullopt},
      {"Ctrl+Banana", std::nullopt},
      {"+", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(parseShortcut(c.text), c.expected);
  }
}
