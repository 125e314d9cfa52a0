// The shell's folder picker, driven by a second thread that finds the dialog
// and presses its buttons while BrowseForFolder waits in it.
#include <gtest/gtest.h>

#include "base/tests/desktoplock.h"

#include <filesystem>
#include <functional>
#include <thread>

#include "base/tests/testing.h"
#include "common/shelltools.h"
#include "common/tests/dialogs.h"

using namespace common;
using testing_support::PromptRecorder;

namespace {

void Press(HWND dialog, int id) { SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// The picker's edit box shows the name of the selected folder; the wait
// ends once it shows this one (the selection is applied after the dialog
// appears).
bool WaitForSelection(HWND dialog, const std::string& name) {
  HWND edit = FindWindowExA(dialog, nullptr, "Edit", nullptr);
  for (int i = 0; i < 800; ++i) {  // a busy machine may take seconds
    char text[MAX_PATH] = {};
    GetWindowTextA(edit, text, sizeof text);
    if (_stricmp(text, name.c_str()) == 0) return true;
    Sleep(25);
  }
  return false;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && _stricmp(text.c_str() + text.size() - tail.size(), tail.c_str()) == 0;
}

// Runs the browse on this thread while the driver works the dialog.
std::string Browse(const std::string& initial, std::string* displayName,
                   const std::function<void(HWND)>& driver) {
  DWORD me = GetCurrentThreadId();
  bool found = false;
  std::thread worker([&] {
    HWND dialog = testing_support::FindDialogOf(me);
    found = dialog != nullptr;
    if (dialog) driver(dialog);
  });
  std::string result = BrowseForFolder(nullptr, "Choose a folder", initial, displayName);
  worker.join();
  EXPECT_TRUE(found) << "no dialog appeared";
  return result;
}

// A folder of the test's own right under C:\, away from the shared
// temporary folder, where other tests make and remove folders while the
// picker lists them.
class BrowseRoot {
 public:
  BrowseRoot() {
    static int counter = 0;
    m_path = "C:\\crvbrowse_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(counter++);
    CreateDirectoryA(m_path.c_str(), nullptr);
  }
  ~BrowseRoot() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  const std::string& Path() const { return m_path; }
  std::string File(const std::string& name) const { return m_path + "\\" + name; }

 private:
  std::string m_path;
};

std::string Lower(std::string s) {
  for (auto& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
  return s;
}

}  // namespace

TEST(BrowseForFolder, OpensOnTheInitialFolderAndReturnsTheChosenOne) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  BrowseRoot dir;
  const std::string start = dir.File("start");
  const std::string other = dir.File("other one");
  CreateDirectoryA(start.c_str(), nullptr);
  CreateDirectoryA(other.c_str(), nullptr);

  // OK at once: the initial folder was selected when the dialog opened.
  std::string display = "untouched";
  bool opened = false;
  EXPECT_EQ(Lower(Browse(start, &display, [&](HWND d) {
              opened = WaitForSelection(d, "start");
              Press(d, IDOK);
            })),
            Lower(start));
  EXPECT_TRUE(opened);
  // Windows gives the display name ("start"); Wine 8 gives the whole path.
  EXPECT_TRUE(EndsWithNoCase(display, "start")) << display;

  // Another folder chosen, then OK: its path and its display name.
  std::string chosen = Browse(start, &display, [&](HWND d) {
    WaitForSelection(d, "start");
    SendMessageA(d, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(other.c_str()));
    WaitForSelection(d, "other one");
    Press(d, IDOK);
  });
  EXPECT_EQ(Lower(chosen), Lower(other));
  EXPECT_TRUE(EndsWithNoCase(display, "other one")) << display;
}

TEST(BrowseForFolder, CancelGivesTheInitialFolderBackUnchanged) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  BrowseRoot dir;
  std::string display = "untouched";
  const std::string start = dir.Path();
  EXPECT_EQ(Browse(start, &display, [](HWND d) { Press(d, IDCANCEL); }), start);
  EXPECT_EQ(display, "untouched");
  // Without a display name asked for, and with no initial folder at all.
  EXPECT_EQ(Browse("", nullptr, [](HWND d) { Press(d, IDCANCEL); }), "");
}

// Wine 8's picker never asks its callback about a typed name that names
// nothing (it returns the selected folder), so the callback is asked
// directly, as Windows asks it.
TEST(BrowseForFolder, CallbackKeepsThePickerOpenOnANameThatNamesNothing) {
  testing_support::DesktopLock desktop;  // shows windows that take the focus
  PromptRecorder prompts;
  EXPECT_EQ(BrowseCallbackProc(nullptr, BFFM_VALIDATEFAILEDA,
                               reinterpret_cast<LPARAM>("no such folder"), 0),
            1);
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text, "Invalid entry specified!");
  EXPECT_EQ(prompts.Prompts()[0].flags, base::kPromptExclamation);
  // A selection without an item list, and an opening without a folder, are
  // passed over.
  EXPECT_EQ(BrowseCallbackProc(nullptr, BFFM_SELCHANGED, 0, 0), 0);
  EXPECT_EQ(BrowseCallbackProc(nullptr, BFFM_INITIALIZED, 0, 0), 0);
  EXPECT_EQ(prompts.Prompts().size(), 1u);
}
