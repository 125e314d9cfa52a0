// Choosing an entry: handlers made as the class factory makes them, given
// the shell's own selection and a real menu, then InvokeCommand by offset or
// by verb. What each command does is read back from real things: files
// copied, the clipboard, the registry, windows of the test's own that answer
// as Explorer's and the taskbar's do, and a probe program's record.
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>
#include <string>
#include <vector>

#include "base/tests/clipboard.h"
#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/screenshot.h"
#include "base/tests/testing.h"
#include "common/clsMRU.h"
#include "base/winstr.h"
#include "config/clsOptions.h"
#include "shellext/tests/fake_tray.h"
#include "shellext/tests/fennick_testing.h"
#include "shellext/tests/right_click.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using configbuilder::ConfigBuilder;
using fennick_test::RightClick;

using testing_support::ClipboardText;

void SetClipboardText(const std::string& text) { ASSERT_TRUE(testing_support::SetClipboardText(text)); }

class FennickInvoke : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::WriteFileBytes(dir.File("a b.txt"), "a");
    testing_support::WriteFileBytes(dir.File("x~1.log"), "x");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    CreateDirectoryA(dir.File("dest").c_str(), nullptr);
    testing_support::WriteFileBytes(dir.File("sub\\deep 'q'.txt"), "d");
    Settings();
  }
  void Settings(const std::function<void(clsOptions&)>& change = {}) {
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = "";
      o.m_bShellOwnerDraw = false;
      o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
      o.m_lShellShowFlags = 4 | 16 | 128;  // copy names, command prompt, Task Manager
      if (change) change(o);
    });
  }

  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  std::string cfg = dir.File("menu.cfg");
};

TEST_F(FennickInvoke, CommandsAreFoundByOffsetOrVerbAndAnythingElseIsAnError) {
  ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeFile, "A", dir.File("a b.txt"));
  b.Add(clsCorvaneData::TypeSeparator, "", "");
  b.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.File("sub"));
  b.Save(cfg);

  fennick_test::FakeTray tray;
  ASSERT_TRUE(tray.Window());

  RightClick click({dir.File("a b.txt")});
  const UINT taskManager = click.Offset("Task Manager");
  const UINT empty = click.Offset("(Empty)");
  struct Case {
    std::string verb;
    HRESULT hr;
  };
  const Case cases[] = {
      {"Item" + std::to_string(taskManager), S_OK},
      {"item" + std::to_string(taskManager), S_OK},
      {"Item" + std::to_string(empty), E_INVALIDARG},  // the placeholder runs nothing
      {"Item60000", E_INVALIDARG},
      {"Item", E_INVALIDARG},
      {"Item-1", E_INVALIDARG},
      {"Item 1", E_INVALIDARG},
      {"Item1x", E_INVALIDARG},
      {"properties", E_INVALIDARG},
      {"Xtem" + std::to_string(taskManager), E_INVALIDARG},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.verb);
    tray.Forget();
    EXPECT_EQ(click.ByVerb(c.verb), c.hr);
    fennick_test::FakeTray::Pump();
    EXPECT_EQ(tray.Command(), c.hr == S_OK ? 420 : 0);
  }
  EXPECT_EQ(click.ByOffset(0x7fff), E_INVALIDARG);
  EXPECT_EQ(click.ByOffset(taskManager), S_OK);

  // A second handler of the same right-click, its menu numbered elsewhere,
  // runs the entry the first one named by its verb.
  SetClipboardText("before");
  wchar_t verb[64] = {};
  ASSERT_EQ(click.handler->GetCommandString(click.Offset("Copy to Clipboard"), GCS_VERBW, nullptr,
                                            reinterpret_cast<char*>(verb), 64),
            S_OK);
  RightClick second({dir.File("a b.txt")}, 3000);
  EXPECT_EQ(second.ByVerb(base::Narrow(verb)), S_OK);
  EXPECT_EQ(ClipboardText(), dir.File("a b.txt") + "\r\n");
}

TEST_F(FennickInvoke, CopyNamesWalksTheFoldersWithShiftAndGivesShortNamesWithCtrl) {
  ConfigBuilder("Root").Save(cfg);
  RightClick click({dir.File("sub"), dir.File("a b.txt")});
  const UINT copy = click.Offset("Copy to Clipboard");
  SetClipboardText("before");
  EXPECT_EQ(click.ByOffset(copy), S_OK);
  EXPECT_EQ(ClipboardText(), dir.File("sub") + "\r\n" + dir.File("a b.txt") + "\r\n");

  EXPECT_EQ(click.ByOffset(copy, nullptr, CMIC_MASK_SHIFT_DOWN), S_OK);
  const std::string walked = ClipboardText();
  EXPECT_NE(walked.find(dir.File("sub\\deep 'q'.txt") + "\r\n"), std::string::npos) << walked;
  EXPECT_EQ(click.ByOffset(copy, nullptr, CMIC_MASK_CONTROL_DOWN), S_OK);
  const std::string shortNames = ClipboardText();
  EXPECT_EQ(shortNames.find("a b.txt"), std::string::npos) << shortNames;
}

TEST_F(FennickInvoke, SelectionTasksFillTheClipboardAndTheFileAndTellWhenNothingQualified) {
  auto task = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "Task");
  task->m_lSelection_Options = clsCorvaneData::SelectionOptions_ShowAlways | clsCorvaneData::SelectionOptions_Clipboard |
                               clsCorvaneData::SelectionOptions_QIS | clsCorvaneData::SelectionOptions_Recurse;
  task->m_szSelection_FileSuffix = "\\n";
  task->m_szSelection_Filter = "*.txt";
  task->m_szSelection_File = dir.File("list.out");
  auto none = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "None");
  none->m_lSelection_Options = clsCorvaneData::SelectionOptions_ShowAlways;
  none->m_szSelection_Filter = "*.doc";
  none->m_szSelection_File = dir.File("none.out");
  auto missing = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "Missing");
  missing->m_lSelection_Options = clsCorvaneData::SelectionOptions_ShowAlways;
  missing->m_szSelection_File = dir.File("no such folder\\x.out");
  ConfigBuilder b("Root");
  b.Add(task);
  b.Add(none);
  b.Add(missing);
  b.Save(cfg);

  RightClick click({dir.Path()});
  testing_support::PromptRecorder prompts;
  EXPECT_EQ(click.ByOffset(click.Offset("Task")), S_OK);
  const std::string expected =
      "\"" + dir.File("a b.txt") + "\"\r\n\"" + dir.File("sub\\deep 'q'.txt") + "\"\r\n";
  EXPECT_EQ(ClipboardText(), expected);
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("list.out")), expected);
  EXPECT_TRUE(prompts.Prompts().empty());

  EXPECT_EQ(click.ByOffset(click.Offset("None")), S_OK);
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text, "Selection Task - None\r\n\r\nFilter (*.doc) qualified nothing!");
  EXPECT_EQ(GetFileAttributesA(dir.File("none.out").c_str()), INVALID_FILE_ATTRIBUTES);

  EXPECT_EQ(click.ByOffset(click.Offset("Missing")), S_OK);
  ASSERT_EQ(prompts.Prompts().size(), 2u);
  EXPECT_EQ(prompts.Prompts()[1].text.rfind("Could not open the selection file '" + dir.File("no such folder\\x.out") +
                                                "'\r\n\r\nError 76",
                                            0),
            0u)
      << prompts.Prompts()[1].text;
}

TEST_F(FennickInvoke, CopyAndMoveToAConfiguredDestinationTakeRelativePathsFromTheMenusFolder) {
  auto copy = configbuilder::MakeItem(clsCorvaneData::TypeCopyToX, "Copy", "dest");
  auto move = configbuilder::MakeItem(clsCorvaneData::TypeCopyToX, "Move", dir.File("dest"));
  move->m_lCopyToX_Options = clsCorvaneData::CopyToXOptions_Move;
  ConfigBuilder b("Root");
  b.Add(copy);
  b.Add(move);
  b.Save(cfg);
  {
    RightClick click({dir.File("a b.txt")});
    EXPECT_EQ(click.ByOffset(click.Offset("Copy")), S_OK);
  }
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("dest\\a b.txt")), "a");
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("a b.txt")), "a");
  {
    RightClick click({dir.File("x~1.log")});
    EXPECT_EQ(click.ByOffset(click.Offset("Move")), S_OK);
  }
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("dest\\x~1.log")), "x");
  EXPECT_EQ(GetFileAttributesA(dir.File("x~1.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(FennickInvoke, TheCommandPromptStartsInTheFolderAndLeavesOurOwnFolderAlone) {
  ConfigBuilder("Root").Save(cfg);
  const std::string record = dir.File("probe.out");
  SetEnvironmentVariableA("CORVANE_PROBE_OUT", record.c_str());
  struct Case {
    const char* comspec;
    bool started;
  };
  char before[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof before, before);
  {
    SetEnvironmentVariableA("COMSPEC", CORVANE_PROBE_EXE);
    RightClick click({dir.File("sub")});
    EXPECT_EQ(click.ByOffset(click.Offset("Command Prompt Here")), S_OK);
    std::string text;
    for (int i = 0; i < 250 && text.empty(); ++i) {
      Sleep(20);
      text = testing_support::ReadFileBytes(record);
    }
    // The interpreter's path quoted, " /k", and the folder the menu is for
    // (the one that holds the folder clicked).
    EXPECT_EQ(text, "\"" + std::string(CORVANE_PROBE_EXE) + "\" /k\n" + dir.Path() + "\n");
  }
  char after[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof after, after);
  EXPECT_STREQ(after, before);
  SetEnvironmentVariableA("COMSPEC", nullptr);
  SetEnvironmentVariableA("CORVANE_PROBE_OUT", nullptr);
}

// A folder browser of the test's own: a frame window that answers
// WM_USER+7 with its IShellBrowser, recording what it is asked to browse.
class FakeBrowser : public IShellBrowser {
 public:
  STDMETHODIMP QueryInterface(REFIID, void** ppv) override {
    *ppv = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return 2; }
  STDMETHODIMP_(ULONG) Release() override { return 1; }
  STDMETHODIMP GetWindow(HWND*) override { return E_NOTIMPL; }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP InsertMenusSB(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenuSB(HMENU, HOLEMENU, HWND) override { return E_NOTIMPL; }
  STDMETHODIMP RemoveMenusSB(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusTextSB(LPCWSTR) override { return E_NOTIMPL; }
  STDMETHODIMP EnableModelessSB(BOOL) override { return E_NOTIMPL; }
  STDMETHODIMP TranslateAcceleratorSB(MSG*, WORD) override { return E_NOTIMPL; }
  STDMETHODIMP BrowseObject(PCUIDLIST_RELATIVE pidl, UINT) override {
    char path[MAX_PATH] = {};
    SHGetPathFromIDListA(static_cast<PCIDLIST_ABSOLUTE>(pidl), path);
    browsed.push_back(path);
    return S_OK;
  }
  STDMETHODIMP GetViewStateStream(DWORD, IStream**) override { return E_NOTIMPL; }
  STDMETHODIMP GetControlWindow(UINT, HWND*) override { return E_NOTIMPL; }
  STDMETHODIMP SendControlMsg(UINT, UINT, WPARAM, LPARAM, LRESULT*) override { return E_NOTIMPL; }
  STDMETHODIMP QueryActiveShellView(IShellView**) override { return E_NOTIMPL; }
  STDMETHODIMP OnViewWindowActive(IShellView*) override { return E_NOTIMPL; }
  STDMETHODIMP SetToolbarItems(LPTBBUTTONSB, UINT, UINT) override { return E_NOTIMPL; }

  std::vector<std::string> browsed;
  int refreshes = 0;
};

LRESULT CALLBACK BrowserProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* browser = reinterpret_cast<FakeBrowser*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (browser && msg == WM_USER + 7) return reinterpret_cast<LRESULT>(static_cast<IShellBrowser*>(browser));
  if (browser && msg == WM_USER + 10) ++browser->refreshes;
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

base::UniqueHWnd BrowserWindow(const char* className, FakeBrowser* browser, HWND parent = nullptr) {
  WNDCLASSA wc{};
  wc.lpfnWndProc = BrowserProc;
  wc.hInstance = GetModuleHandleA(nullptr);
  wc.lpszClassName = className;
  RegisterClassA(&wc);
  base::UniqueHWnd w(CreateWindowA(className, "", parent ? WS_CHILD : WS_OVERLAPPED, 0, 0, 50, 50, parent, nullptr,
                                   wc.hInstance, nullptr));
  SetWindowLongPtrA(w.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(browser));
  return w;
}

TEST_F(FennickInvoke, AFolderOpensInTheSameWindowOnlyThroughABrowserWindowOfOurProcess) {
  ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeFolder, "Sub", dir.File("sub"));
  b.Save(cfg);
  FakeBrowser frameBrowser, decoy;
  base::UniqueHWnd frame = BrowserWindow("CabinetWClass", &frameBrowser);
  // A view inside the frame that also answers the message: not a browser
  // window, so its answer is never used.
  base::UniqueHWnd view = BrowserWindow("FakeDefView", &decoy, frame.get());
  ASSERT_TRUE(frame && view);

  RightClick click({dir.File("a b.txt")});
  EXPECT_EQ(click.ByOffset(click.Offset("Sub"), view.get()), S_OK);
  EXPECT_TRUE(decoy.browsed.empty());
  ASSERT_EQ(frameBrowser.browsed.size(), 1u);
  EXPECT_EQ(frameBrowser.browsed[0], dir.File("sub"));

  EXPECT_EQ(click.ByOffset(click.Offset("Sub"), frame.get()), S_OK);
  ASSERT_EQ(frameBrowser.browsed.size(), 2u);
  EXPECT_EQ(frameBrowser.refreshes, 1);  // the frame itself was invoked
}

}  // namespace

namespace {

// The copy/move dialog of this process, once it is shown (none after 5 s).
HWND FindCopyToDialog(const char* ending) {
  struct Search {
    const char* ending;
    HWND found = nullptr;
  } search{ending};
  for (int i = 0; i < 250 && !search.found; ++i) {
    struct Each {
      static BOOL CALLBACK Window(HWND hwnd, LPARAM data) {
          auto* s = reinterpret_cast<Search*>(data);
          DWORD pid = 0;
          GetWindowThreadProcessId(hwnd, &pid);
          char title[256] = {};
          GetWindowTextA(hwnd, title, sizeof title);
          const std::string t = title;
          const std::string e = s->ending;
          if (pid == GetCurrentProcessId() && IsWindowVisible(hwnd) && t.size() >= e.size() &&
              t.compare(t.size() - e.size(), e.size(), e) == 0) {
            s->found = hwnd;
            return FALSE;
          }
          return TRUE;
      }
    };
    EnumWindows(&Each::Window, reinterpret_cast<LPARAM>(&search));
    if (!search.found) Sleep(20);
  }
  return search.found;
}

// One step of the user's: an arrow key to the grid, a button pressed, or
// the close box (the Cancel path).
void Keys(HWND dialog, const std::vector<WORD>& keys) {
  const WORD vk = keys.back();
  if (vk == 'O') {
    SendMessageA(FindWindowExA(dialog, nullptr, "BUTTON", "&Ok"), BM_CLICK, 0, 0);
  } else if (vk == VK_ESCAPE) {
    PostMessageA(dialog, WM_CLOSE, 0, 0);
  } else {
    HWND grid = FindWindowExA(dialog, nullptr, "SuiHostGrid", nullptr);
    PostMessageA(grid, WM_KEYDOWN, vk, 1);
    PostMessageA(grid, WM_KEYUP, vk, 1 | (3u << 30));
  }
}

// Answers the dialog from a thread of its own: the keys are typed into it
// once it is in front; what stays open after the time-out is closed.
class CopyToAnswer {
 public:
  CopyToAnswer(const char* ending, std::vector<std::vector<WORD>> strokes, std::string png = "")
      : m_thread([this, ending, strokes, png] {
          HWND dialog = FindCopyToDialog(ending);
          if (!dialog) {
            // Whatever form did come up is closed, so that the test ends.
            if (HWND form = FindWindowA("CorvaneForm", nullptr)) PostMessageA(form, WM_CLOSE, 0, 0);
            return;
          }
          seen = true;
          SetForegroundWindow(dialog);
          Sleep(150);
          if (!png.empty()) testing_support::SaveWindowPng(dialog, png);
          for (const auto& keys : strokes) {
            Keys(dialog, keys);
            Sleep(100);
          }
          for (int i = 0; i < 150 && IsWindow(dialog) && IsWindowVisible(dialog); ++i) Sleep(20);
          if (IsWindow(dialog) && IsWindowVisible(dialog)) PostMessageA(dialog, WM_CLOSE, 0, 0);
        }) {}
  ~CopyToAnswer() { m_thread.join(); }
  std::atomic<bool> seen{false};

 private:
  std::thread m_thread;
};

std::vector<std::string> RememberedDestinations() {
  common::clsMRU list;
  list.SetPath("Software\\Brindlewick\\Corvane\\Fennick\\CopyTo\\");
  list.Load(7);
  std::vector<std::string> v;
  for (int i = 1; i <= list.FileCount(); ++i) v.push_back(list.File(i));
  return v;
}

}  // namespace

TEST_F(FennickInvoke, TheCopyToDialogPicksARememberedDestinationByKeyboardAndCancelMovesNothing) {
  testing_support::DesktopLock desktop;
  testing_support::PromptRecorder prompts;
  Settings([](clsOptions& o) { o.m_lShellShowFlags |= clsOptions::ShowFlag_CopyTo | clsOptions::ShowFlag_MoveTo; });
  ConfigBuilder("Root").Save(cfg);
  {
    common::clsMRU list;
    list.SetPath("Software\\Brindlewick\\Corvane\\Fennick\\CopyTo\\");
    list.Load(7);
    list.AddFile(dir.File("dest"));
    list.AddFile(dir.File("sub"));
    ASSERT_TRUE(list.Save());
  }
  {
    // Down twice: past the group to the second remembered folder; Alt+O.
    RightClick click({dir.File("a b.txt")});
    CopyToAnswer answer(" - Copy To", {{VK_DOWN}, {VK_DOWN}, {VK_MENU, 'O'}}, "copyto.png");
    EXPECT_EQ(click.ByOffset(click.Offset("Copy to...")), S_OK);
    EXPECT_TRUE(answer.seen);
  }
  for (const auto& p : prompts.Prompts()) ADD_FAILURE() << p.text;
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("dest\\a b.txt")), "a");
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("a b.txt")), "a");
  EXPECT_EQ(RememberedDestinations(), (std::vector<std::string>{dir.File("dest"), dir.File("sub")}));
  {
    // Cancelled: the file stays and the list is as it was.
    RightClick click({dir.File("x~1.log")});
    CopyToAnswer answer(" - Move To", {{VK_ESCAPE}});
    EXPECT_EQ(click.ByOffset(click.Offset("Move to...")), S_OK);
    EXPECT_TRUE(answer.seen);
  }
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("x~1.log")), "x");
  EXPECT_EQ(GetFileAttributesA(dir.File("dest\\x~1.log").c_str()), INVALID_FILE_ATTRIBUTES);
  {
    // OK takes the destination shown: the most recent one.
    RightClick click({dir.File("x~1.log")});
    CopyToAnswer answer(" - Move To", {{VK_MENU, 'O'}});
    EXPECT_EQ(click.ByOffset(click.Offset("Move to...")), S_OK);
  }
  EXPECT_EQ(testing_support::ReadFileBytes(dir.File("dest\\x~1.log")), "x");
  EXPECT_EQ(GetFileAttributesA(dir.File("x~1.log").c_str()), INVALID_FILE_ATTRIBUTES);

  // Opening and cancelling leaves no objects behind.
  long gdi = 0, user = 0;
  for (int round = 0; round < 4; ++round) {
    if (round == 1) {
      gdi = testing_support::GdiObjects();
      user = testing_support::UserObjects();
    }
    RightClick click({dir.File("a b.txt")});
    CopyToAnswer answer(" - Copy To", {{VK_ESCAPE}});
    EXPECT_EQ(click.ByOffset(click.Offset("Copy to...")), S_OK);
  }
  EXPECT_LE(testing_support::GdiObjects(), gdi);
  EXPECT_LE(testing_support::UserObjects(), user);
}
