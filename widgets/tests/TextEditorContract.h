// What every text box must do, run against the fake natively and against the
// rich-text box on screen, so that logic tested on the one holds on the other.
#pragma once
#include <gtest/gtest.h>

#include "widgets/TextEditor.h"

namespace testing_support {

inline void CheckTextEditorContract(widgets::TextEditor& box) {
  int changes = 0;
  box.Change = [&] { ++changes; };

  // Every kind of line end is one paragraph mark, read back as CR LF.
  box.SetText("one\ntwo\r\nthree\rfour");
  EXPECT_EQ(box.Text(), "one\r\ntwo\r\nthree\r\nfour");
  EXPECT_EQ(changes, 1);  // the program's change is a change too
  EXPECT_EQ(box.SelStart(), 0);

  // Positions count a line end as one character.
  box.SetSelStart(4);
  box.SetSelLength(3);
  EXPECT_EQ(box.SelText(), "two");
  box.SetSelText("2\n2");
  EXPECT_EQ(box.Text(), "one\r\n2\r\n2\r\nthree\r\nfour");
  EXPECT_EQ(box.SelStart(), 7);  // after what was put in
  EXPECT_EQ(box.SelLength(), 0);
  EXPECT_EQ(changes, 2);

  // Nothing selected: the text goes in at the caret.
  box.SetSelStart(0);
  box.SetSelText("[crv_item]");
  EXPECT_EQ(box.Text().substr(0, 13), "[crv_item]one");

  // Read-only stops the user, not the program.
  box.SetLocked(true);
  EXPECT_TRUE(box.Locked());
  box.SetText("");
  EXPECT_EQ(box.Text(), "");
  box.SetLocked(false);
  EXPECT_FALSE(box.Locked());
  box.Change = nullptr;
}

}  // namespace testing_support
