// The real common dialogs, answered by a second thread that finds the
// dialog, types a name into it and presses its buttons.
#include "common/clsOpenSave.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <functional>
#include <thread>

#include "base/tests/desktoplock.h"
#include "base/tests/testing.h"
#include "common/tests/dialogs.h"

using common::clsOpenSave;

namespace {

// Waits up to twenty seconds for the dialog of `thread`, then does `answer`
// on it; the test fails when none came.
std::thread Answer(DWORD thread, std::function<void(HWND)> answer, bool* found) {
  return std::thread([=] {
    if (HWND dialog = testing_support::FindDialogOf(thread)) {
      Sleep(100);  // the dialog fills its lists after it shows
      *found = true;
      answer(dialog);
    }
  });
}

class FileDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(dir.File("pick.cfg")) << "x";
    dialog.SetInitDir(dir.Path());
    dialog.SetFilter("Configuration files (*.cfg)|*.cfg|All files (*.*)|*.*");
  }
  std::int32_t Run(bool save, std::function<void(HWND)> answer) {
    bool found = false;
    std::thread helper = Answer(GetCurrentThreadId(), std::move(answer), &found);
    std::int32_t result = 0;
    long error = testing_support::ErrorNumberOf([&] { result = save ? dialog.ShowSave() : dialog.ShowOpen(); });
    helper.join();
    EXPECT_TRUE(found) << "no dialog appeared";
    lastError = error;
    return result;
  }
  testing_support::DesktopLock desktop;
  testing_support::TempDir dir;
  clsOpenSave dialog;
  long lastError = 0;
};

}  // namespace

TEST_F(FileDialog, OpenGivesThePathAndTitleOfTheChosenFile) {
  dialog.SetDialogTitle("Open Configuration");
  dialog.Setflags(0x381000);  // must exist, explorer style, long names, links as themselves
  const std::int32_t result = Run(false, [](HWND d) {
    testing_support::TypeFileName(d, "pick.cfg");
    testing_support::PressButton(d, IDOK);
  });
  EXPECT_NE(result, 0);
  EXPECT_EQ(_stricmp(dialog.FileName().c_str(), dir.File("pick.cfg").c_str()), 0) << dialog.FileName();
  EXPECT_EQ(dialog.FileName().find('\0'), std::string::npos);
  EXPECT_EQ(dialog.FileTitle(), "pick.cfg");
  EXPECT_EQ(dialog.FileName().substr(static_cast<size_t>(dialog.FileExt())), "cfg");
}

TEST_F(FileDialog, SaveAppendsTheDefaultExtensionAndHoldsNoNuls) {
  dialog.SetDialogTitle("Save Configuration");
  dialog.SetDefaultExt("cfg");
  dialog.Setflags(0x80000 | 0x4);  // explorer style, no read-only box
  const std::int32_t result = Run(true, [](HWND d) {
    testing_support::TypeFileName(d, "saved");
    testing_support::PressButton(d, IDOK);
  });
  EXPECT_NE(result, 0);
  EXPECT_EQ(_stricmp(dialog.FileName().c_str(), dir.File("saved.cfg").c_str()), 0) << dialog.FileName();
  EXPECT_EQ(dialog.FileTitle(), "saved.cfg");
}

TEST_F(FileDialog, CancelEmptiesTheNameAndRaisesWhenAskedTo) {
  dialog.SetDialogTitle("Cancelled");
  dialog.SetFileName("preset.cfg");
  dialog.SetCancelError(true);
  const std::int32_t result = Run(false, [](HWND d) { testing_support::PressButton(d, IDCANCEL); });
  EXPECT_EQ(result, 0);
  EXPECT_EQ(lastError, 32755);
  EXPECT_EQ(dialog.FileName(), "");

  // A name longer than the buffer never opens a window.
  dialog.SetMaxFileSize(10);
  dialog.SetFileName(std::string(10, 'n'));
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { dialog.ShowSave(); }), 5);
}
