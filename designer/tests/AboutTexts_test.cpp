#include "designer/AboutTexts.h"

#include <gtest/gtest.h>

TEST(AboutTexts, TheProductNameStandsOneWordToALine) {
  struct Case {
    const char* name;
    const char* lines;
  } cases[] = {
      {"Corvane", "Corvane"},
      {"Corvane Menu Designer", "Corvane\r\nMenu\r\nDesigner"},
      {"  two   spaces ", "two\r\nspaces"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(designer::OneWordPerLine(c.name), c.lines);
  }
}
