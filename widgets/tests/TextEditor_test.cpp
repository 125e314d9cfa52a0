#include "widgets/TextEditor.h"

#include <gtest/gtest.h>

#include "widgets/tests/TextEditorContract.h"

using namespace widgets;

TEST(TextEditor, LineEndsBecomeOneParagraphMarkAndReadBackAsCrLf) {
  struct Case {
    const char* in;
    const char* paragraphs;
  } cases[] = {
      {"", ""},
      {"a\r\nb", "a\rb"},
      {"a\nb", "a\rb"},
      {"a\rb", "a\rb"},
      {"\n\r\n\r", "\r\r\r"},
      {"a\n\rb", "a\r\rb"},  // LF then CR: two line ends, not one
      {"end\r", "end\r"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ToParagraphs(c.in), c.paragraphs) << c.in;
    EXPECT_EQ(ToParagraphs(ToCrLf(ToParagraphs(c.in))), c.paragraphs) << c.in;
  }
  EXPECT_EQ(ToCrLf("a\rb\r"), "a\r\nb\r\n");
}

TEST(TextEditor, TheFakeKeepsTheContract) {
  MemoryTextEditor box;
  testing_support::CheckTextEditorContract(box);
  // A selection past the end is pulled inside the text.
  box.SetText("abc");
  box.SetSelStart(99);
  EXPECT_EQ(box.SelStart(), 3);
  box.SetSelStart(1);
  box.SetSelLength(99);
  EXPECT_EQ(box.SelText(), "bc");
  box.SetWordWrap(false);
  EXPECT_FALSE(box.WordWrap());
}
