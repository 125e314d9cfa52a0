// The shell and file helpers against real files, folders and the shell.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/tests/desktoplock.h"
#include "base/tests/testing.h"
#include "common/tests/dialogs.h"
#include "base/text.h"
#include "shellext/modShellTools.h"
#include "shellext/tests/fake_tray.h"

namespace {

using namespace shellext;

TEST(FennickShellTools, FolderOfAPathIsTheFolderItselfOrItsParent) {
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("f.txt"), "f");
  struct Case {
    std::string path, folder;
  };
  const Case cases[] = {
      {dir.Path(), dir.Path()},                           // an existing folder
      {dir.File("f.txt"), dir.Path()},                    // a file
      {"Z:\\nowhere\\b.txt", "Z:\\nowhere"},              // what is not there: by its text
      {"C:\\file.txt", "C:\\"},                           // a drive's file: the drive with its backslash
      {"plain", "plain"},                                 // no backslash at all
  };
  for (const Case& c : cases) EXPECT_EQ(GetFolderOfPath(c.path), c.folder) << c.path;
  EXPECT_TRUE(IsDirectory(dir.Path()));
  EXPECT_FALSE(IsDirectory(dir.File("f.txt")));
  EXPECT_FALSE(IsDirectory(dir.File("missing")));
}

TEST(FennickShellTools, SmallConversions) {
  EXPECT_EQ(HiWord(0x80000000u), 32768u);
  EXPECT_EQ(HiWord(0x1234FFFFu), 0x1234u);
  EXPECT_EQ(StringFromAnsiPtr("abc\0def"), "abc");
  EXPECT_EQ(StringFromAnsiPtr(nullptr), "");
  std::vector<std::uint8_t> bytes;
  const void* address = nullptr;
  EXPECT_EQ(StringToUnicodeBytes("A\xe9", bytes, &address), 4);  // é in the ANSI code page
  EXPECT_EQ(bytes, (std::vector<std::uint8_t>{'A', 0, 0xe9, 0, 0, 0}));
  EXPECT_EQ(address, bytes.data());
  EXPECT_EQ(GetWindowClassName(GetDesktopWindow()), "#32769");
  EXPECT_EQ(GetWindowClassName(nullptr), "");
}

TEST(FennickShellTools, PathsAndItemListsConvertBothWays) {
  testing_support::TempDir dir;
  base::UniquePidl pidl = GetPidlFromPath(nullptr, dir.Path());
  ASSERT_TRUE(pidl);
  EXPECT_EQ(PidlToPath(pidl.get()), dir.Path());
  // A virtual folder has no path.
  base::UniquePidl drives;
  ASSERT_EQ(SHGetSpecialFolderLocation(nullptr, CSIDL_DRIVES, drives.put()), S_OK);
  EXPECT_EQ(PidlToPath(drives.get()), "");
  EXPECT_THROW(GetPidlFromPath(nullptr, dir.File("missing\\deeper")), base::Error);

  char windows[MAX_PATH] = {};
  GetWindowsDirectoryA(windows, MAX_PATH);
  EXPECT_TRUE(IsCurrentFolderCSIDL(nullptr, CSIDL_WINDOWS, windows));
  EXPECT_FALSE(IsCurrentFolderCSIDL(nullptr, CSIDL_WINDOWS, dir.Path()));
  EXPECT_FALSE(IsCurrentFolderCSIDL(nullptr, 0x7F, windows));  // no such folder
}

TEST(FennickShellTools, ARefusedStartReportsTheShellsError) {
  testing_support::TempDir dir;
  base::Error failure(0, "");
  EXPECT_FALSE(ShellExecuteChecked(dir.File("missing.exe"), 10, "", "", "", nullptr, &failure));
  EXPECT_EQ(failure.Number(), 53);
  EXPECT_EQ(failure.Description(), "File not found");
  EXPECT_EQ(failure.Source(), "shellext_tests");
}

TEST(FennickShellTools, AnInternetShortcutsAddressIsReadWholeAndFromTheCurrentFolder) {
  testing_support::TempDir dir;
  const std::string longAddress = "http://example.org/" + std::string(5000, 'q');
  testing_support::WriteFileBytes(dir.File("long.url"), "[InternetShortcut]\r\nURL=" + longAddress + "\r\n");
  testing_support::WriteFileBytes(dir.File("here.url"), "[InternetShortcut]\r\nURL=http://here/\r\n");
  testing_support::WriteFileBytes(dir.File("none.url"), "[InternetShortcut]\r\nIconIndex=1\r\n");
  EXPECT_EQ(ReadInternetShortcutAddress(dir.File("long.url")), longAddress);
  EXPECT_EQ(ReadInternetShortcutAddress(dir.File("none.url")), "");
  EXPECT_EQ(ReadInternetShortcutAddress(dir.File("missing.url")), "");
  // A bare name is the current folder's file, as the shell opens it, not
  // one in the Windows folder.
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  ASSERT_TRUE(SetCurrentDirectoryA(dir.Path().c_str()));
  const std::string relative = ReadInternetShortcutAddress("here.url");
  SetCurrentDirectoryA(before);
  EXPECT_EQ(relative, "http://here/");
}

TEST(FennickShellTools, ATrayCommandIsPostedToTheTaskbarOnlyWhenThereIsOne) {
  // Wine's desktop may have a taskbar of its own; a new window of the class
  // is the one found first.
  if (!FindWindowA("Shell_TrayWnd", nullptr)) {
    EXPECT_FALSE(PostTrayCommand(420));
  }
  fennick_test::FakeTray tray;
  ASSERT_TRUE(tray.Window());
  EXPECT_TRUE(PostTrayCommand(420));
  EXPECT_EQ(tray.Command(), 0);  // posted, not sent
  fennick_test::FakeTray::Pump();
  EXPECT_EQ(tray.Command(), 420);
}

TEST(FennickShellTools, ActivationBringsForwardTheMatchedWindowsOwnTopLevelWindow) {
  testing_support::DesktopLock desktop;
  // Two top-level windows of one program: the one that holds the matched
  // window comes forward, whichever of them was in front.
  auto frame = [](const char* title) {
    return base::UniqueHWnd(CreateWindowA("STATIC", title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 200, 120,
                                          nullptr, nullptr, nullptr, nullptr));
  };
  base::UniqueHWnd first = frame("first"), second = frame("second");
  base::UniqueHWnd child(CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE, 0, 0, 100, 20, second.get(), nullptr,
                                       nullptr, nullptr));
  ASSERT_TRUE(first && second && child);
  auto settle = [] {
    MSG msg;
    for (int i = 0; i < 10; ++i) {
      while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
      Sleep(20);
    }
  };
  SetForegroundWindow(first.get());
  settle();
  ASSERT_EQ(GetForegroundWindow(), first.get());
  ActivateWindowProcess(child.get());
  settle();
  EXPECT_EQ(GetForegroundWindow(), second.get());
  EXPECT_EQ(GetFocus(), child.get());
  // A minimised one is restored first.
  ShowWindow(first.get(), SW_MINIMIZE);
  settle();
  ActivateWindowProcess(first.get());
  settle();
  EXPECT_FALSE(IsIconic(first.get()));
  EXPECT_EQ(GetForegroundWindow(), first.get());
  ActivateWindowProcess(nullptr);  // nothing to bring forward
}

TEST(FennickShellTools, ASpecialFolderWithoutAListOpensNothing) {
  EXPECT_FALSE(OpenSpecialFolderInExplorer(nullptr, 0x7F));  // no such folder
}

// The text of the selected item of the picker's folder tree.
std::string SelectedTreeText(HWND dialog) {
  HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
  for (HWND child = FindWindowExA(dialog, nullptr, nullptr, nullptr); !tree && child;
       child = FindWindowExA(dialog, child, nullptr, nullptr))
    tree = FindWindowExA(child, nullptr, WC_TREEVIEWA, nullptr);
  if (!tree) return "";
  char text[MAX_PATH] = {};
  TVITEMA item{};
  item.mask = TVIF_TEXT;
  item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  item.pszText = text;
  item.cchTextMax = sizeof text;
  if (!item.hItem || !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return "";
  return text;
}

TEST(FennickShellTools, ThePickerOpensOnItsStartPathAndGivesBackWhatIsChosen) {
  testing_support::DesktopLock desktop;
  testing_support::TempDir dir;
  const std::string start = dir.File("start here");
  CreateDirectoryA(start.c_str(), nullptr);
  struct Case {
    int button;
    bool chosen;
  };
  for (const Case c : {Case{IDOK, true}, Case{IDCANCEL, false}}) {
    SCOPED_TRACE(c.button);
    bool found = false;
    std::string shown;
    std::thread answer([&, me = GetCurrentThreadId()] {
      HWND dialog = testing_support::FindDialogOf(me);  // gives up after twenty seconds
      found = dialog != nullptr;
      if (!dialog) return;
      // The tree shows the start folder selected once the opening selection
      // is made.
      for (int i = 0; i < 400 && shown.find("start here") == std::string::npos; ++i) {
        Sleep(25);
        shown = SelectedTreeText(dialog);
      }
      SendMessageA(GetDlgItem(dialog, c.button), BM_CLICK, 0, 0);
    });
    base::UniquePidl pidl = BrowseForFolderPidl(nullptr, "Pick", start);
    answer.join();
    EXPECT_TRUE(found);
    EXPECT_NE(shown.find("start here"), std::string::npos) << shown;
    if (c.chosen) {
      ASSERT_TRUE(pidl);
      EXPECT_EQ(base::LCase(PidlToPath(pidl.get())), base::LCase(start));
    } else {
      EXPECT_FALSE(pidl);
    }
  }
}

}  // namespace
