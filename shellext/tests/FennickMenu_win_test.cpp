// The configured menu, built by handlers made inside the test the way the
// class factory makes them: settings planted in the real registry,
// configurations written by the project's writer, real menus read back.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <cstring>
#include <optional>
#include <string>

#include "base/tests/testing.h"
#include "base/winstr.h"
#include "common/appinfo.h"
#include "common/clsMRU.h"
#include "common/SpecialFolders.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/tests/failing_allocation.h"
#include "shellext/MenuBitmaps.h"
#include "shellext/tests/fennick_testing.h"
#include "shellext/tests/shellhost_menu.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using configbuilder::ConfigBuilder;
using fennick_test::DumpMenu;

shellext::FennickHandler& Of(const base::ComPtr<IContextMenu3>& h) { return *static_cast<shellext::FennickHandler*>(h.get()); }

// Whether two bitmaps hold the same picture.
bool SamePixels(HBITMAP a, HBITMAP b) {
  if (!a || !b) return false;
  BITMAP ia{}, ib{};
  GetObjectA(a, sizeof ia, &ia);
  GetObjectA(b, sizeof ib, &ib);
  if (ia.bmWidth != ib.bmWidth || ia.bmHeight != ib.bmHeight) return false;
  base::WindowDc screen(nullptr);
  base::UniqueHdc dca(CreateCompatibleDC(screen.get())), dcb(CreateCompatibleDC(screen.get()));
  base::SelectObjectScope sa(dca.get(), a), sb(dcb.get(), b);
  for (int y = 0; y < ia.bmHeight; ++y)
    for (int x = 0; x < ia.bmWidth; ++x)
      if (GetPixel(dca.get(), x, y) != GetPixel(dcb.get(), x, y)) return false;
  return true;
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

class FennickMenu : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::WriteFileBytes(dir.File("notes.txt"), "n");
    testing_support::WriteFileBytes(dir.File("todo.txt"), "t");
    CreateDirectoryA(dir.File("sub").c_str(), nullptr);
    Settings();
  }

  // Plain text entries with every picture the maximum level shows, unless
  // the test says otherwise.
  void Settings(const std::function<void(clsOptions&)>& change = {}) {
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = "";
      o.m_lShellShowIcons = clsOptions::OptionLevel_Maximum;
      o.m_bShellOwnerDraw = false;
      // The configured part alone: no recent lists or built-in commands.
      o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
      o.m_lShellShowFlags = 0;
      if (change) change(o);
    });
  }

  // A handler for a right-click in the folder: on its background (0), on
  // notes.txt (1) or on notes.txt and todo.txt (2), its menu queried with
  // this range.
  struct Built {
    base::ComPtr<IContextMenu3> handler;
    base::UniqueHMenu menu;
    HRESULT hr = E_FAIL;
    std::string dump;
  };
  Built Query(UINT first = 100, UINT last = 0x7fff, int selected = 1) {
    Built b;
    b.handler = fennick_test::NewHandler();
    base::ComPtr<IShellExtInit> init = b.handler.query<IShellExtInit>(IID_IShellExtInit);
    if (selected == 0) {
      EXPECT_EQ(init->Initialize(fennick_test::PidlOf(dir.Path()).get(), nullptr, nullptr), S_OK);
    } else {
      std::vector<std::string> names{dir.File("notes.txt")};
      if (selected == 2) names.push_back(dir.File("todo.txt"));
      fennick_test::ShellSelection s = fennick_test::SelectionOf(names);
      EXPECT_EQ(init->Initialize(s.folder.get(), s.dataObject.get(), nullptr), S_OK);
    }
    b.menu.reset(CreatePopupMenu());
    b.hr = b.handler->QueryContextMenu(b.menu.get(), 0, first, last, CMF_NORMAL);
    b.dump = DumpMenu(b.menu.get(), first, HRESULT_CODE(b.hr));
    return b;
  }

  // Every configured item type, nested.
  void WriteEveryType() {
    ConfigBuilder b("My Menu");
    b.Add(clsCorvaneData::TypeFolder, "Here", dir.Path());
    b.Add(clsCorvaneData::TypeFolder, "Elsewhere", dir.File("sub"));
    auto documents = configbuilder::MakeItem(clsCorvaneData::TypeFolder, "Not its name");
    documents->m_lOptions = clsCorvaneData::OptionsCSIDL | clsCorvaneData::OptionsBrowseAndOpen;
    documents->SetFolderCSIDL(5);
    b.Add(documents);
    b.Add(clsCorvaneData::TypeFile, "Notes", dir.File("notes.txt"));
    widgets::TreeNode& tools = b.Add(clsCorvaneData::TypePopupMenu, "Tools");
    b.Add(clsCorvaneData::TypeCustomAction, "Act", "", &tools);
    b.Add(clsCorvaneData::TypeSeparator, "", "", &tools);
    b.Add(clsCorvaneData::TypeFile, "Todo", dir.File("todo.txt"), &tools);
    auto task = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "Task");
    task->m_lSelection_Options = clsCorvaneData::SelectionOptions_ShowAlways;
    b.Add(task);
    b.Add(clsCorvaneData::TypeCopyToX, "Copy", dir.File("sub"));
    b.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.Path());
    b.Save(cfg);
  }

  std::string Documents() const { return common::GetSpecialFolderName(nullptr, 5, true) + "..."; }

  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  std::string cfg = dir.File("menu.cfg");
};

TEST_F(FennickMenu, EveryItemTypeBecomesItsEntryInFileOrder) {
  WriteEveryType();
  Built b = Query();
  // The current folder and the pictures of the maximum level as check
  // marks; a configured popup takes no identifier while owner drawing is
  // off; every dynamic folder gets the one shared "(Empty)" placeholder; the
  // root popup sits between the leading separator and the closing one.
  EXPECT_EQ(b.dump, "separator\n"
                    "popup - \"My Menu\" checkmarks\n"
                    "  string 0 \"Here\" checkmarks\n"
                    "  string 1 \"Elsewhere\" checkmarks\n"
                    "  string 2 \"" + Documents() + "\" checkmarks\n"
                    "  string 3 \"Notes\" checkmarks\n"
                    "  popup - \"Tools\"\n"
                    "    string 4 \"Act\" checkmarks\n"
                    "    separator\n"
                    "    string 5 \"Todo\" checkmarks\n"
                    "  string 6 \"Task\" checkmarks\n"
                    "  string 7 \"Copy\" checkmarks\n"
                    "  popup - \"Dyn\" checkmarks\n"
                    "    string 8 \"(Empty)\" disabled grayed\n"
                    "  separator\n"
                    "  string 9 \"&Designer...\" checkmarks\n"
                    "separator\n");
  // Ten identifiers (the Designer entry last), then the block of 5000 kept
  // for dynamic folders; the count is one more than the identifiers handed
  // out.
  EXPECT_EQ(HRESULT_CODE(b.hr), 10 + 5000 + 1);

  // The folder the menu is for carries the current-folder arrow (the
  // test program carries the same pictures).
  base::UniqueHBitmap arrow = shellext::ReplaceBitmapColour(102, shellext::kMaskColour, GetSysColor(COLOR_MENU),
                                                            GetModuleHandleA(nullptr));
  EXPECT_TRUE(SamePixels(Of(b.handler).OwnerDrawMenu_HasBitmap(100), arrow.get()));
  EXPECT_FALSE(SamePixels(Of(b.handler).OwnerDrawMenu_HasBitmap(101), arrow.get()));
}

TEST_F(FennickMenu, LookupsNeverFindEntriesWithoutAnIdentifierWhateverTheRange) {
  WriteEveryType();
  struct Case {
    bool ownerDraw;
    UINT first;
    const char* toolsOffset;  // the configured popup's
  };
  for (const Case& c : {Case{false, 0, "-"}, Case{false, 100, "-"}, Case{true, 0, "4"}, Case{true, 100, "4"}}) {
    SCOPED_TRACE(std::to_string(c.ownerDraw) + " " + std::to_string(c.first));
    Settings([&](clsOptions& o) { o.m_bShellOwnerDraw = c.ownerDraw; });
    Built b = Query(c.first);
    EXPECT_NE(b.dump.find(std::string("  popup ") + c.toolsOffset + " \"Tools\""), std::string::npos) << b.dump;
    // Offset 0 is the first folder, never the root (nor a separator).
    EXPECT_TRUE(EndsWith(fennick_test::CommandString(b.handler.get(), 0, GCS_HELPTEXTA), "Folder - " + dir.Path()));
    const UINT act = c.ownerDraw ? 5 : 4;
    EXPECT_TRUE(EndsWith(fennick_test::CommandString(b.handler.get(), act, GCS_HELPTEXTW), "Custom Action - Act"));
    EXPECT_EQ(fennick_test::CommandString(b.handler.get(), act, GCS_VERBA), "Item" + std::to_string(act));
    if (c.ownerDraw) {
      // A popup that takes an identifier has no text: the shell hears so.
      EXPECT_EQ(fennick_test::CommandString(b.handler.get(), 4, GCS_HELPTEXTA), "<hr 0x80004005>");
      EXPECT_EQ(b.handler->GetCommandString(4, GCS_VALIDATEA, nullptr, nullptr, 0), S_FALSE);
    }
    EXPECT_EQ(Of(b.handler).OwnerDrawMenu_GetCaption(-1), "");
    // Owner-drawn entries learn their captions and pictures by identifier.
    EXPECT_EQ(Of(b.handler).OwnerDrawMenu_GetCaption(static_cast<std::int32_t>(c.first) + 3), "Notes");
    EXPECT_NE(Of(b.handler).OwnerDrawMenu_HasBitmap(static_cast<std::int32_t>(c.first) + 3), nullptr);
  }
}

TEST_F(FennickMenu, SelectionTasksAndCopyDestinationsFollowTheSelection) {
  struct Case {
    std::int32_t options;
    int selected;
    bool shown;
  };
  const Case cases[] = {
      {clsCorvaneData::SelectionOptions_ShowAlways, 0, false}, {clsCorvaneData::SelectionOptions_ShowAlways, 2, true},
      {clsCorvaneData::SelectionOptions_ShowSingle, 1, true},  {clsCorvaneData::SelectionOptions_ShowSingle, 2, false},
      {clsCorvaneData::SelectionOptions_ShowMultiple, 2, true}, {clsCorvaneData::SelectionOptions_ShowMultiple, 1, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.options) + " " + std::to_string(c.selected));
    ConfigBuilder b("Root");
    auto task = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "Task");
    task->m_lSelection_Options = c.options;
    b.Add(task);
    b.Add(clsCorvaneData::TypeCopyToX, "Copy", dir.Path());
    b.Add(clsCorvaneData::TypeFile, "After", dir.File("notes.txt"));
    b.Save(cfg);
    Built built = Query(100, 0x7fff, c.selected);
    // Hidden entries use no identifier: "After" follows at once.
    std::string expected = c.shown ? "  string 0 \"Task\" checkmarks\n" : "";
    if (c.selected > 0) expected += "  string " + std::to_string(c.shown ? 1 : 0) + " \"Copy\" checkmarks\n";
    const int after = (c.shown ? 1 : 0) + (c.selected > 0 ? 1 : 0);
    expected += "  string " + std::to_string(after) + " \"After\" checkmarks\n";
    EXPECT_NE(built.dump.find("popup - \"Root\" checkmarks\n" + expected), std::string::npos) << built.dump;
  }
}

// Files damaged in the ways that matter, made record by record with the
// project's own writing operations.
class DamagedFile {
 public:
  DamagedFile& Version(int v) {
    tools.File_WriteVersion(file, v);
    return *this;
  }
  DamagedFile& Header(int nodes) {
    config::clsFileHeader h;
    h.m_lNumNodes = nodes;
    tools.File_WriteHeader(file, h);
    return *this;
  }
  DamagedFile& Item(int parent, std::int32_t type, const std::string& caption, const std::string& location = "") {
    auto item = configbuilder::MakeItem(type, caption, location);
    tools.File_WriteItemHeader(file, parent, *item);
    tools.WriteData(file, *item);
    return *this;
  }
  DamagedFile& Text(const std::string& text) {
    tools.File_WriteString(file, text);
    return *this;
  }
  std::string Bytes() const { return file.Bytes(); }

 private:
  config::clsCorvaneDataTools tools;
  config::MemoryFile file;
};

TEST_F(FennickMenu, ADamagedFileShowsWhatWasReadAndTellsTheUserAsTheReaderSays) {
  const std::string file1 = dir.File("notes.txt");
  std::string whole = DamagedFile().Version(1).Header(3).Item(0, 0, "R").Item(1, 6, "One", file1).Item(1, 6, "Two", file1).Bytes();
  struct Case {
    const char* what;
    std::string bytes;
    const char* prompt;  // "" for none
    unsigned flags;
    const char* entries;  // the root popup's, "" when there is none
  };
  const Case cases[] = {
      {"empty", "", "", 0, "popup - \"Corvane\" checkmarks\n  string 0 \"&Designer...\" checkmarks\n"},
      {"version 2", DamagedFile().Version(2).Header(1).Item(0, 0, "R").Bytes(), "Invalid file version!",
       base::kPromptExclamation, ""},
      // A header that announces no items is a sound one: nothing is read,
      // and the placeholder still takes its identifier.
      {"no items", DamagedFile().Version(1).Header(0).Bytes(), "", 0,
       "popup - \"Corvane\" checkmarks\n  string 1 \"&Designer...\" checkmarks\n"},
      {"a negative count", DamagedFile().Version(1).Header(-2).Bytes(), "", 0,
       "popup - \"Corvane\" checkmarks\n  string 1 \"&Designer...\" checkmarks\n"},
      {"bad item header", DamagedFile().Version(1).Header(2).Item(0, 0, "R").Text("1,6").Bytes(), "File is corrupt!",
       base::kPromptCritical, ""},
      {"parent not there yet", DamagedFile().Version(1).Header(3).Item(0, 0, "R").Item(1, 6, "One", file1).Item(9, 6, "x").Bytes(),
       "", 0, "popup - \"R\" checkmarks\n  string 0 \"One\" checkmarks\n"},
      {"truncated", whole.substr(0, whole.size() - 5), "", 0, "popup - \"R\" checkmarks\n  string 0 \"One\" checkmarks\n"},
      {"garbage", std::string(300, '\x5a'), "", 0, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    testing_support::WriteFileBytes(cfg, c.bytes);
    testing_support::PromptRecorder prompts;
    Built b = Query();
    ASSERT_EQ(prompts.Prompts().size(), *c.prompt ? 1u : 0u);
    if (*c.prompt) {
      EXPECT_EQ(prompts.Prompts()[0].text, c.prompt);
      EXPECT_EQ(prompts.Prompts()[0].flags, c.flags);
    }
    // A failed build keeps its leading separator; the root popup shows what
    // was made, and goes when nothing was.
    std::string expected = "separator\n" + std::string(c.entries);
    if (std::string(c.entries).find("string") != std::string::npos) expected += "separator\n";
    EXPECT_EQ(b.dump, expected);
    EXPECT_TRUE(SUCCEEDED(b.hr));
  }
  // No file at all: no message and the root with the Designer entry alone.
  DeleteFileA(cfg.c_str());
  testing_support::PromptRecorder prompts;
  EXPECT_EQ(Query().dump, "separator\npopup - \"Corvane\" checkmarks\n  string 0 \"&Designer...\" checkmarks\nseparator\n");
  EXPECT_TRUE(prompts.Prompts().empty());
}

TEST_F(FennickMenu, IdentifiersStayInsideTheGrantedRange) {
  ConfigBuilder five("Root");
  for (int i = 0; i < 5; ++i) five.Add(clsCorvaneData::TypeFile, "F" + std::to_string(i), dir.File("notes.txt"));
  five.Save(cfg);
  // Four identifiers granted: four files, the rest of the file dropped, and
  // the count never above the range.
  Built small = Query(100, 103);
  EXPECT_EQ(HRESULT_CODE(small.hr), 4);
  EXPECT_NE(small.dump.find("  string 3 \"F3\""), std::string::npos) << small.dump;
  EXPECT_EQ(small.dump.find("F4"), std::string::npos) << small.dump;

  // The dynamic-folder block: what is left after the entries decides it.
  ConfigBuilder dynamic("Root");
  dynamic.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.Path());
  dynamic.Save(cfg);  // the placeholder takes identifier 0, the Designer entry 1; 2 is next
  struct Case {
    UINT last;
    bool ignoreBounds;
    std::int32_t blockEnd;  // one past the block
    int count;
  };
  const Case cases[] = {{1501, false, 1002, 1003}, {601, false, 591, 592}, {9, false, 2, 3},
                        {20, true, 5002, 21}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.last);
    Settings([&](clsOptions& o) { o.m_bShellIgnoreBoundsCheck = c.ignoreBounds; });
    Built b = Query(0, c.last);
    EXPECT_EQ(HRESULT_CODE(b.hr), c.count);
    // The folder's four names are numbered from 2 when it opens, and only
    // inside the block.
    HMENU root = GetSubMenu(b.menu.get(), 1);
    HMENU dyn = GetSubMenu(root, 0);
    ASSERT_TRUE(dyn);
    LRESULT ignored = 0;
    b.handler->HandleMenuMsg2(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(dyn), 0, &ignored);
    const int listed = std::min(4, c.blockEnd - 2);
    if (listed == 0) {
      EXPECT_EQ(GetMenuItemCount(dyn), 1);  // "(Empty)"
      EXPECT_EQ(GetMenuItemID(dyn, 0), 0u);
    } else {
      // The sub-folder's popup takes none while owner drawing is off.
      ASSERT_EQ(GetMenuItemCount(dyn), listed);
      for (int i = 0; i < listed; ++i) {
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_ID | MIIM_SUBMENU;
        GetMenuItemInfoA(dyn, static_cast<UINT>(i), TRUE, &mii);
        if (mii.hSubMenu) EXPECT_EQ(mii.wID, static_cast<UINT>(-1));
        else EXPECT_TRUE(mii.wID >= 2u && mii.wID < static_cast<UINT>(c.blockEnd)) << mii.wID;
      }
    }
  }
}

TEST_F(FennickMenu, CommandStringsWriteOnlyIntoTheBufferGiven) {
  WriteEveryType();
  Built b = Query();
  IContextMenu* h = b.handler.get();
  const std::wstring help = base::Wide(common::ProductName() + " Custom Action - Act");
  struct Case {
    UINT offset, type, cchMax;
    HRESULT hr;
    const char* ansi;                  // expected ANSI text, or null
    std::optional<std::wstring> wide;  // expected wide text
    size_t written;         // bytes that may change
  };
  const Case cases[] = {
      {4, GCS_VERBA, 3, S_OK, "It", std::nullopt, 3},
      {4, GCS_VERBA, 20, S_OK, "Item4", std::nullopt, 6},
      {4, GCS_HELPTEXTW, 5, S_OK, nullptr, help.substr(0, 4), 10},  // cut, and still a wide NUL inside cchMax
      {4, GCS_VERBW, 20, S_OK, nullptr, L"Item4", 12},  // the verb in either form
      {4, GCS_VERBW, 3, S_OK, nullptr, L"It", 6},
      {4, GCS_VALIDATEA, 20, S_OK, nullptr, std::nullopt, 0},
      {4, GCS_VALIDATEW, 20, S_OK, nullptr, std::nullopt, 0},
      {8, GCS_HELPTEXTA, 20, E_FAIL, nullptr, std::nullopt, 0},     // the placeholder: no text
      {8, GCS_VALIDATEW, 20, S_FALSE, nullptr, std::nullopt, 0},
      {4000, GCS_HELPTEXTA, 20, E_INVALIDARG, nullptr, std::nullopt, 0},  // nothing of ours
      {4, 0x14 /* an icon name */, 20, E_INVALIDARG, nullptr, std::nullopt, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.offset) + " " + std::to_string(c.type) + " " + std::to_string(c.cchMax));
    unsigned char buffer[64];
    std::memset(buffer, 0xCC, sizeof buffer);
    EXPECT_EQ(h->GetCommandString(c.offset, c.type, nullptr, reinterpret_cast<char*>(buffer), c.cchMax), c.hr);
    if (c.ansi) {
      EXPECT_STREQ(reinterpret_cast<char*>(buffer), c.ansi);
    }
    if (c.wide) {
      EXPECT_EQ(std::wstring(reinterpret_cast<wchar_t*>(buffer)), *c.wide);
    }
    for (size_t i = c.written; i < sizeof buffer; ++i) ASSERT_EQ(buffer[i], 0xCC) << i;
  }
  EXPECT_EQ(h->GetCommandString(4, GCS_HELPTEXTA, nullptr, nullptr, 20), E_INVALIDARG);
}

TEST_F(FennickMenu, TheGatesLeaveTheMenuAlone) {
  WriteEveryType();
  // Switched off, or only the default verb wanted: nothing at all.
  Settings([](clsOptions& o) { o.m_bShellEnable = false; });
  Built off = Query();
  EXPECT_EQ(off.hr, S_OK);
  EXPECT_EQ(off.dump, "");
  Settings();
  {
    auto h = fennick_test::NewHandler();
    base::UniqueHMenu menu(CreatePopupMenu());
    EXPECT_EQ(h->QueryContextMenu(menu.get(), 0, 1, 100, CMF_DEFAULTONLY), S_OK);
    EXPECT_EQ(GetMenuItemCount(menu.get()), 0);
  }
  // No room at all: the user hears of it once per query.
  testing_support::PromptRecorder prompts;
  Built full = Query(5, 5);
  EXPECT_EQ(full.hr, S_OK);
  EXPECT_EQ(full.dump, "");
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text, "Windows reports that you cannot have any more menu items! (5 : 5)");
  // A second live handler whose menu holds our root already adds nothing.
  Built first = Query();
  auto second = fennick_test::NewHandler();
  EXPECT_EQ(second->QueryContextMenu(first.menu.get(), 0, 6000, 7000, CMF_NORMAL), S_OK);
  EXPECT_EQ(DumpMenu(first.menu.get(), 100, 5010), first.dump);
}

TEST_F(FennickMenu, IconsOffGivesPlainEntriesAndNoBitmaps) {
  WriteEveryType();
  Settings([](clsOptions& o) { o.m_lShellShowIcons = clsOptions::OptionLevel_None; });
  Built b = Query();
  EXPECT_EQ(b.dump.find("checkmarks"), std::string::npos) << b.dump;
  for (std::int32_t id = 100; id < 110; ++id) EXPECT_EQ(Of(b.handler).OwnerDrawMenu_HasBitmap(id), nullptr) << id;
  EXPECT_NE(b.dump.find("  string 3 \"Notes\"\n"), std::string::npos);
}

TEST_F(FennickMenu, PicturesFollowTheIconLevel) {
  ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeFolder, "Here", dir.Path());   // key 2: from the minimum level
  b.Add(clsCorvaneData::TypeFile, "Notes", dir.File("notes.txt"));  // its icon: from the medium level
  b.Add(clsCorvaneData::TypeCustomAction, "Act");           // key 7: from the medium level
  b.Save(cfg);
  for (std::int32_t level : {1, 2}) {
    SCOPED_TRACE(level);
    Settings([&](clsOptions& o) { o.m_lShellShowIcons = level; });
    const std::string mark = level >= 2 ? " checkmarks" : "";
    EXPECT_NE(Query().dump.find("  string 0 \"Here\" checkmarks\n  string 1 \"Notes\"" + mark +
                                "\n  string 2 \"Act\"" + mark + "\n"),
              std::string::npos);
  }
}

// The highest identifier of any entry in the menu and its submenus; -1 for none.
long HighestId(HMENU menu) {
  long highest = -1;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_SUBMENU | MIIM_FTYPE;
    if (!GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &mii)) continue;
    // A popup's own identifier field holds its submenu when it takes none.
    if (!(mii.fType & MFT_SEPARATOR) && !mii.hSubMenu && mii.wID != static_cast<UINT>(-1))
      highest = std::max(highest, static_cast<long>(mii.wID));
    if (mii.hSubMenu) highest = std::max(highest, HighestId(mii.hSubMenu));
  }
  return highest;
}

TEST_F(FennickMenu, AFailureAnywhereInTheQueryLeavesAStatusThatCoversWhatWasInserted) {
  ConfigBuilder b("A root caption longer than a short text");
  b.Add(clsCorvaneData::TypeFile, "A file caption longer than a short text", dir.File("notes.txt"));
  b.Add(clsCorvaneData::TypeDynamicFolder, "Dynamic", dir.File("sub"));
  b.Save(cfg);
  fennick_test::WriteList(shellext::kHistoryMRUKey,
                          {fennick_test::ListItem(clsCorvaneData::TypeFolder, "C:\\windows", "C:\\windows")});
  Settings([](clsOptions& o) {
    o.m_lShellShowIcons = clsOptions::OptionLevel_None;
    o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
    o.m_lShellShowFlags = clsOptions::ShowFlag_TaskManager;
  });
  testing_support::PromptRecorder prompts;  // the traps that report the failures
  base::ComPtr<IContextMenu3> h = Query().handler;
  long n = 0;
  for (;; ++n) {
    base::UniqueHMenu menu(CreatePopupMenu());
    HRESULT hr;
    bool failed;
    {
      fennick_test::FailingAllocation failing(n);
      hr = h->QueryContextMenu(menu.get(), 0, 100, 0x7000, CMF_NORMAL);
      failed = failing.Hit();
    }
    if (!failed) {
      // The whole query: the entries, then the dynamic-folder block.
      EXPECT_TRUE(SUCCEEDED(hr));
      EXPECT_GT(HRESULT_CODE(hr), 5000);
      break;
    }
    SCOPED_TRACE("allocation " + std::to_string(n) + " failed");
    // Whatever the shell finds in its menu is inside the identifiers the
    // status claims; a failure status leaves the menu as it was.
    if (FAILED(hr)) {
      EXPECT_EQ(GetMenuItemCount(menu.get()), 0) << DumpMenu(menu.get(), 100, 0);
    } else {
      EXPECT_LT(HighestId(menu.get()), 100 + HRESULT_CODE(hr)) << DumpMenu(menu.get(), 100, HRESULT_CODE(hr));
    }
  }
  EXPECT_GT(n, 20);
}

// The menus made from here on. A freed USER handle's slot goes to the next
// object made, and a handle without its generation (the high word) names
// whatever lives in its slot: menus made later are found by probing the
// slots of menus made and freed here first.
class MenusMadeLater {
 public:
  MenusMadeLater() {
    std::vector<HMENU> made;
    for (int i = 0; i < 64; ++i) made.push_back(CreatePopupMenu());
    for (HMENU m : made) {
      m_slots.push_back(LOWORD(reinterpret_cast<UINT_PTR>(m)));
      DestroyMenu(m);
    }
  }
  int Live() const {
    int live = 0;
    for (WORD slot : m_slots) live += IsMenu(reinterpret_cast<HMENU>(static_cast<UINT_PTR>(slot))) ? 1 : 0;
    return live;
  }

 private:
  std::vector<WORD> m_slots;
};

TEST_F(FennickMenu, ABuildThatFailsLeaksNoRootPopup) {
  ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeFile, "A file", dir.File("notes.txt"));
  b.Save(cfg);
  Settings([](clsOptions& o) { o.m_lShellShowIcons = clsOptions::OptionLevel_None; });
  testing_support::PromptRecorder prompts;
  base::ComPtr<IContextMenu3> h = Query().handler;
  long n = 0;
  for (bool failed = true; failed && n < 400; ++n) {
    SCOPED_TRACE("allocation " + std::to_string(n) + " failed");
    base::UniqueHMenu menu(CreatePopupMenu());
    MenusMadeLater later;
    {
      fennick_test::FailingAllocation failing(n);
      h->QueryContextMenu(menu.get(), 0, 100, 0x7000, CMF_NORMAL);
      failed = failing.Hit();
    }
    // Every popup made went into the shell's menu and goes with it.
    menu.reset();
    EXPECT_EQ(later.Live(), 0);
  }
  EXPECT_GT(n, 5);
}

TEST_F(FennickMenu, TheHistoryShowsNoMoreThanItsClampedMaximum) {
  ConfigBuilder("Root").Save(cfg);
  {
    // 120 entries stored, more than the list may ever show.
    common::clsMRU list;
    list.SetPath(shellext::kHistoryMRUKey);
    list.SetExactMatch(true);
    ASSERT_TRUE(list.Load(120));
    list.Reset();
    config::clsCorvaneDataTools tools;
    for (int i = 0; i < 120; ++i) {
      const std::string path = "C:\\Data " + std::to_string(i);
      list.AddFile(tools.CreateHistoryMRU(fennick_test::ListItem(clsCorvaneData::TypeFolder, path, path)));
    }
    ASSERT_EQ(list.FileCount(), 120);
    ASSERT_TRUE(list.Save());
  }
  Settings([](clsOptions& o) {
    o.m_lShellShowIcons = clsOptions::OptionLevel_None;
    o.m_lShellShowHistoryMRU = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
    o.m_lShellMaxHistoryMRU = 1000;
  });
  const std::string dump = Query().dump;
  int shown = 0;
  for (size_t at = dump.find("Data "); at != std::string::npos; at = dump.find("Data ", at + 1)) ++shown;
  EXPECT_EQ(shown, config::ClampListSize(1000)) << dump;
  EXPECT_LT(shown, 120);
}

TEST_F(FennickMenu, TheStatusNeverCountsMoreIdentifiersThanItCanCarry) {
  // More entries than a status can count, in submenus of a thousand.
  ConfigBuilder b("Root");
  for (int p = 0; p < 66; ++p) {
    widgets::TreeNode& popup = b.Add(clsCorvaneData::TypePopupMenu, "P");
    for (int i = 0; i < 1000; ++i) b.Add(clsCorvaneData::TypeFile, "F", "", &popup);
  }
  b.Save(cfg);
  for (bool ignoreBounds : {false, true}) {
    SCOPED_TRACE(ignoreBounds);
    Settings([&](clsOptions& o) {
      o.m_bShellIgnoreBoundsCheck = ignoreBounds;
      o.m_lShellShowIcons = clsOptions::OptionLevel_None;
    });
    base::ComPtr<IContextMenu3> h = fennick_test::NewHandler();
    base::UniqueHMenu menu(CreatePopupMenu());
    const HRESULT hr = h->QueryContextMenu(menu.get(), 0, 0, 0xFFFFFFFF, CMF_NORMAL);
    EXPECT_EQ(hr, 0xFFFF);
    EXPECT_LE(HighestId(menu.get()), 0xFFFE);
  }
}

TEST_F(FennickMenu, ATruncatedFileGivesNoPlaceholdersAndAFolderOpenedLaterKeepsEveryEntry) {
  for (const char* name : {"a1.txt", "a2.txt"}) testing_support::WriteFileBytes(dir.File("sub\\" + std::string(name)), "x");
  ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.File("sub"));
  b.Add(clsCorvaneData::TypeFile, "Lost", dir.File("notes.txt"));
  const std::string whole = b.Bytes();
  testing_support::WriteFileBytes(cfg, whole.substr(0, whole.size() - 5));
  base::ComPtr<IContextMenu3> h = Query().handler;
  base::UniqueHMenu menu(CreatePopupMenu());
  ASSERT_TRUE(SUCCEEDED(h->QueryContextMenu(menu.get(), 0, 100, 0x7000, CMF_NORMAL)));
  HMENU root = GetSubMenu(menu.get(), 1);
  ASSERT_NE(root, nullptr) << DumpMenu(menu.get(), 100, 0x7000);
  HMENU dynamic = GetSubMenu(root, 0);
  ASSERT_NE(dynamic, nullptr) << DumpMenu(menu.get(), 100, 0x7000);
  EXPECT_EQ(GetMenuItemCount(dynamic), 0);  // no "(Empty)" from a file read only in part
  LRESULT result = 0;
  h->HandleMenuMsg2(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(dynamic), 0, &result);
  const std::string dump = DumpMenu(dynamic, 0, 0x8000);
  EXPECT_NE(dump.find("\"a1.txt\""), std::string::npos) << dump;
  EXPECT_NE(dump.find("\"a2.txt\""), std::string::npos) << dump;
}

TEST_F(FennickMenu, TheHandlerLoadsItsListsWithinTheirBoundsAndKeepsEncipheredEntriesApart) {
  ConfigBuilder("Root").Save(cfg);
  const struct {
    std::int32_t stored, used;
  } cases[] = {{1000, 99}, {-5, 0}, {7, 7}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    Settings([&](clsOptions& o) { o.m_lShellMaxHistoryMRU = o.m_lShellMaxQuickAccessMRU = c.stored; });
    base::ComPtr<IContextMenu3> h = Query().handler;
    EXPECT_EQ(shellext::g_oHistoryMRU().MaxFileCount(), c.used);
  }
  // Two enciphered entries that differ only where case folding would merge
  // them stay two entries.
  Settings([](clsOptions& o) { o.m_lShellMaxHistoryMRU = o.m_lShellMaxQuickAccessMRU = 5; });
  base::ComPtr<IContextMenu3> h = Query().handler;
  for (common::clsMRU* list : {&shellext::g_oHistoryMRU(), &shellext::g_oQuickAccessMRU()}) {
    list->SetMaxFileCount(5);
    list->Reset();
    list->AddFile("\x10\xE9k");
    list->AddFile("\x10\xC9K");
    EXPECT_EQ(list->FileCount(), 2);
  }
}

}  // namespace
