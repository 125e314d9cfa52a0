// The main window's merge through the real file dialog (answered from a
// helper thread, as a person would type a name and press Open), and its
// Help command in a build that ships no help file.
#include "designer/tests/shell/MainWindowFixture.h"

#include <string>
#include <thread>

#include "base/module.h"
#include "common/appinfo.h"
#include "common/tests/dialogs.h"

using config::clsCorvaneData;
using namespace designer_test;

namespace {

// Answers the next file dialog of the thread that makes it: types the path
// into its file-name box and presses Open (Cancel for no path). A dialog still up ten seconds
// later is cancelled, so that a failing run ends.
class FileDialogAnswer {
 public:
  explicit FileDialogAnswer(std::string path)
      : m_path(std::move(path)), m_owner(GetCurrentThreadId()), m_thread([this] { Run(); }) {}
  ~FileDialogAnswer() { Finish(); }
  FileDialogAnswer(const FileDialogAnswer&) = delete;
  FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

  // Waits for the helper; false when the dialog had to be cancelled.
  bool Finish() {
    if (m_thread.joinable()) m_thread.join();
    return !m_cancelled;
  }
  // The dialog's title ("" when none came).
  const std::string& DialogTitle() const { return m_title; }

 private:
  void Run() {
    HWND dialog = testing_support::FindDialogOf(m_owner);
    if (!dialog) return;
    Sleep(100);  // the dialog fills its lists after it shows
    m_title = Title(dialog);
    if (m_path.empty()) {
      testing_support::PressButton(dialog, IDCANCEL);
    } else {
      testing_support::TypeFileName(dialog, m_path);
      testing_support::PressButton(dialog, IDOK);
    }
    for (int i = 0; i < 200 && IsWindow(dialog); ++i) Sleep(50);
    if (IsWindow(dialog)) {
      m_cancelled = true;
      testing_support::PressButton(dialog, IDCANCEL);
    }
  }

  std::string m_path;
  DWORD m_owner;
  std::string m_title;
  bool m_cancelled = false;
  std::thread m_thread;  // last: it starts once the rest is set
};

TEST_F(MainWindow, MergeAddsTheChosenFilesItemsAndABadFileChangesNothing) {
  // Two configurations written by the window itself: the one to merge, and
  // the one open when the merge comes.
  const std::string other = dir.File("other.cfg"), mine = dir.File("mine.cfg"), bad = dir.File("bad.cfg");
  testing_support::WriteFileBytes(other, "");
  testing_support::WriteFileBytes(mine, "");
  ASSERT_TRUE(main->Action_Load(other));
  AddItem(*main, clsCorvaneData::TypeFolder, "Projects", "C:\\Projects");
  AddItem(*main, clsCorvaneData::TypeFile, "Notes", "C:\\notes.txt");
  ASSERT_TRUE(main->Action_Save(false));
  // Its last record spoilt: the reader has added items by the time it finds out.
  std::string spoilt = Slurp(other);
  size_t last = 0;
  for (size_t at = 0; at + 4 <= spoilt.size(); at += 4 + (static_cast<unsigned char>(spoilt[at + 2]) |
                                                         static_cast<unsigned char>(spoilt[at + 3]) << 8))
    last = at;
  spoilt[last] = '\x09';  // not a text record
  testing_support::WriteFileBytes(bad, spoilt);
  ASSERT_TRUE(main->Action_Load(mine));
  AddItem(*main, clsCorvaneData::TypeFolder, "Mine", "C:\\Mine");
  ASSERT_TRUE(main->Action_Save(false));
  prompts.Clear();

  {
    FileDialogAnswer answer(other);
    EXPECT_TRUE(main->Action_Merge());
    EXPECT_TRUE(answer.Finish()) << "the merge dialog did not take the name";
    EXPECT_EQ(answer.DialogTitle(), "Select Configuration File to Merge");
  }
  // The file's items come in under a popup of their own.
  EXPECT_EQ(Outline(main->Tree()), "Corvane\n Mine\n MERGED - Corvane\n  Projects\n  Notes\n");
  EXPECT_TRUE(main->Dirty());
  EXPECT_EQ(Title(main->Hwnd()), common::g_szAppTitle() + " - " + mine + "*");
  EXPECT_EQ(main->Filename(), mine);  // still the open file's name
  EXPECT_TRUE(prompts.Prompts().empty());

  // A file the reader rejects partway leaves every item where it was.
  const std::string before = WriterBytes(*main);
  {
    FileDialogAnswer answer(bad);
    EXPECT_FALSE(main->Action_Merge());
    EXPECT_TRUE(answer.Finish()) << "the merge dialog did not take the name";
  }
  EXPECT_EQ(Outline(main->Tree()), "Corvane\n Mine\n MERGED - Corvane\n  Projects\n  Notes\n");
  EXPECT_EQ(WriterBytes(*main), before);
  EXPECT_TRUE(main->Dirty());
  EXPECT_EQ(main->Filename(), mine);
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text.rfind("Encountered a serious error while processing:\r\n\r\n" + bad + "\r\n", 0),
            0u)
      << prompts.Prompts()[0].text;
  EXPECT_EQ(prompts.Prompts()[0].flags, static_cast<unsigned>(base::kPromptCritical));

  // Cancelling the dialog merges nothing.
  prompts.Clear();
  {
    FileDialogAnswer answer("");
    EXPECT_FALSE(main->Action_Merge());
    EXPECT_TRUE(answer.Finish());
    EXPECT_FALSE(answer.DialogTitle().empty());
  }
  EXPECT_EQ(WriterBytes(*main), before);
  EXPECT_TRUE(prompts.Prompts().empty());
}

TEST_F(MainWindow, HelpWithoutAHelpFileNamesTheLastPlaceLookedIn) {
  // Neither beside the program nor in the help folder next to its folder.
  main->SmartUI_ClickProcessing("id_help");
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text,
            "Path not found - " + base::ProgramFolder() + "\\..\\help\\corvane\\corvane.chm");
  EXPECT_EQ(prompts.Prompts()[0].flags, static_cast<unsigned>(base::kPromptExclamation));
  EXPECT_FALSE(main->Busy());
}

}  // namespace
