#include "common/clsOpenSave.h"

#include <gtest/gtest.h>

#include "base/tests/testing.h"

using common::clsOpenSave;
using common::OpenSaveCall;
using testing_support::ErrorNumberOf;

TEST(clsOpenSave, FilterIsStoredInTheDialogsFormAndReadBackWithBars) {
  struct Case {
    const char* set;
    std::string stored;
    const char* read;
  } cases[] = {
      {"A|*.a", std::string("A\0*.a\0\0", 7), "A|*.a"},
      {"A|*.a|", std::string("A\0*.a\0\0", 7), "A|*.a"},  // the final bar is the first NUL
      {"A|*.a|B|*.b", std::string("A\0*.a\0B\0*.b\0\0", 13), "A|*.a|B|*.b"},
      {"", std::string("\0\0", 2), ""},
  };
  for (const Case& c : cases) {
    clsOpenSave dialog;
    dialog.SetFilter(c.set);
    EXPECT_EQ(dialog.Filter(), c.read) << c.set;
  }
  EXPECT_EQ(clsOpenSave().Filter(), "All Files (*.*)|*.*");
}

TEST(clsOpenSave, StripNullsCutsAtTheFirstNul) {
  EXPECT_EQ(clsOpenSave::StripNulls(std::string("a.cfg\0\0x", 8)), "a.cfg");
  EXPECT_EQ(clsOpenSave::StripNulls(std::string("\0a", 2)), "");
  EXPECT_EQ(clsOpenSave::StripNulls("whole"), "whole");
}

TEST(clsOpenSave, BuffersLeaveRoomForWhatTheDialogIsToldItMayWrite) {
  clsOpenSave dialog;
  dialog.SetMaxFileSize(8);
  dialog.SetFileName("1234567");  // seven characters and the NUL fit in eight
  OpenSaveCall call = dialog.Prepare(nullptr);
  EXPECT_EQ(call.file, std::string("1234567\0\0", 9));
  // The title buffer is never smaller than the 260 characters reported,
  // also when there is no preset title.
  EXPECT_GE(call.title.size(), 260u);
  dialog.SetFileTitle(std::string(300, 't'));
  EXPECT_GT(dialog.Prepare(nullptr).title.size(), 300u);
  EXPECT_EQ(dialog.Prepare(nullptr).flags, 0u);
  EXPECT_EQ(dialog.Prepare(reinterpret_cast<void*>(1)).flags, 0x80020u);  // a hook: explorer style too

  for (const char* tooLong : {"12345678", "123456789"}) {
    dialog.SetFileName(tooLong);
    EXPECT_EQ(ErrorNumberOf([&] { dialog.Prepare(nullptr); }), 5) << tooLong;
  }
  dialog.SetFileName("");
  dialog.SetMaxFileSize(0);
  EXPECT_EQ(ErrorNumberOf([&] { dialog.Prepare(nullptr); }), 5);
}

TEST(clsOpenSave, TheOutcomeIsCutAtItsNulsAndACancelEmptiesTheName) {
  clsOpenSave dialog;
  dialog.SetFileName("preset.cfg");
  OpenSaveCall call = dialog.Prepare(nullptr);
  call.file = std::string("C:\\cfg\\chosen.cfg\0\0\0", 20);
  call.title = std::string("chosen.cfg\0       ", 18);
  call.result = 1;
  call.flags = 0x381000;
  call.filterIndex = 2;
  call.fileExtension = 14;
  EXPECT_EQ(dialog.Finish(call, "ShowSave"), 1);
  EXPECT_EQ(dialog.FileName(), "C:\\cfg\\chosen.cfg");
  EXPECT_EQ(dialog.FileTitle(), "chosen.cfg");
  EXPECT_EQ(dialog.flags(), 0x381000u);
  EXPECT_EQ(dialog.FilterIndex(), 2);
  EXPECT_EQ(dialog.FileExt(), 14);

  call.result = 0;
  call.failure = 0x3002;  // a dialog that could not run answers as a cancel does
  EXPECT_EQ(dialog.Finish(call, "ShowOpen"), 0);
  EXPECT_EQ(dialog.FileName(), "");
  EXPECT_EQ(dialog.FileTitle(), "chosen.cfg");  // nothing else changes
  dialog.SetCancelError(true);
  try {
    dialog.Finish(call, "ShowOpen");
    ADD_FAILURE() << "no error";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), 32755);
    EXPECT_EQ(e.Source(), "Run-time error");
    EXPECT_EQ(e.Description(), "Cancel was selected");
  }
}
