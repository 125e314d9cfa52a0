// The whole menu through shellhost: the recent lists and built-in
// commands for the settings, owner drawing into a real memory context, and
// dynamic folders over real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "config/clsCorvaneData.h"
#include "shellext/FennickThread.h"
#include "shellext/FolderListing.h"
#include "base/tests/testing.h"
#include "shellext/tests/fennick_testing.h"
#include "shellext/tests/shellhost_menu.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using fennick_test::ListItem;
using fennick_test::MenuOutline;
using testing_support::WriteFileBytes;

// A right-click through shellhost, with the settings of a fresh
// installation, enabled, without icons, lists or built-ins, reading the
// configuration file `cfg`, as `change` adjusts them.
class ShellhostMenu : public ::testing::Test {
 protected:
  void Settings(const std::string& cfg, const std::function<void(clsOptions&)>& change = {}) {
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_bShellEnable = true;
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = "";
      o.m_lShellShowIcons = clsOptions::OptionLevel_None;
      o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
      o.m_lShellMaxHistoryMRU = o.m_lShellMaxQuickAccessMRU = 10;
      o.m_lShellShowFlags = 0;
      o.m_bShellOwnerDraw = false;
      if (change) change(o);
    });
  }
  std::string Run(const std::vector<std::string>& args) {
    unsigned long exitCode = 0;
    std::string output = fennick_test::RunShellHostWithFennick(args, &exitCode);
    EXPECT_EQ(exitCode, 0u) << output;
    return output;
  }

  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
};

TEST_F(ShellhostMenu, RecentListsAndBuiltInCommandsAsTheSettingsSay) {
  WriteFileBytes(dir.File("notes.txt"), "n");
  configbuilder::ConfigBuilder cfg("Tools");
  cfg.Add(clsCorvaneData::TypeFile, "Notes", dir.File("notes.txt"));
  cfg.Save(dir.File("menu.cfg"));
  const std::string system = "C:\\windows\\system32";
  fennick_test::WriteList(shellext::kHistoryMRUKey, {ListItem(clsCorvaneData::TypeFolder, system, system),
                                         ListItem(clsCorvaneData::TypeFile, "Tom & Jerry.txt", dir.File("Tom & Jerry.txt"))});
  const std::string deep = "C:\\archive\\2019\\projects\\corvane\\drafts\\old";
  fennick_test::WriteList(shellext::kQuickAccessMRUKey, {ListItem(clsCorvaneData::TypeFolder, deep, deep)});

  const struct {
    const char* what;
    std::function<void(clsOptions&)> settings;
    std::string menu;
  } cases[] = {
      {"lists and built-ins off: the resets still show", [](clsOptions&) {}, R"(  menu
    separator - disabled
    popup - "Tools"
      string 0 "Notes"
      separator - disabled
      string 2 "&Designer..."
      separator - disabled
      string 3 "&Reset History MRU"
      string 4 "Rese&t Quick Access MRU"
    separator - disabled
)"},
      // The root popup stays where it was to go before the lists were
      // added; the built-ins' closing separator and the root's own would
      // meet, and one of them goes.
      {"both lists and two built-ins in the shell's menu", [](clsOptions& o) {
         o.m_lShellShowHistoryMRU = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
         o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_ShowInMainMenu;
         o.m_lShellShowFlags = clsOptions::ShowFlag_OpenInNewWindow | clsOptions::ShowFlag_TaskManager;
       }, R"(  menu
    separator - disabled
    popup - "Tools"
      string 0 "Notes"
      separator - disabled
      string 6 "&Designer..."
      separator - disabled
      string 7 "&Reset History MRU"
      string 8 "Rese&t Quick Access MRU"
    string 2 "&1 C:\\windows\\system32"
    string 3 "&2 Tom && Jerry.txt"
    separator - disabled
    string 4 "&3 ...\\2019\\projects\\corvane\\drafts\\old"
    string 5 "&Add To Quick Access"
    separator - disabled
    string 9 "Open in New Window"
    string 10 "Task Manager"
    separator - disabled
)"},
      {"both lists and every built-in in submenus", [](clsOptions& o) {
         o.m_lShellShowHistoryMRU = clsOptions::OptionsMenuDisplay_ShowInSubMenu;
         o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_ShowInSubMenu;
         o.m_lShellShowFlags = 0x1ff;
       }, R"(  menu
    separator - disabled
    popup - "Tools"
      string 0 "Notes"
      separator - disabled
      popup - "&History"
        string 2 "&1 C:\\windows\\system32"
        string 3 "&2 Tom && Jerry.txt"
      separator - disabled
      popup - "&Quick Access"
        string 4 "&1 ...\\2019\\projects\\corvane\\drafts\\old"
        string 5 "&Add To Quick Access"
      separator - disabled
      string 6 "&Designer..."
      separator - disabled
      string 7 "&Reset History MRU"
      string 8 "Rese&t Quick Access MRU"
      separator - disabled
      string 9 "Open in New Window"
      string 10 "Copy to Clipboard"
      string 11 "Copy to Run Dialog..."
      string 12 "Copy to..."
      string 13 "Move to..."
      string 14 "Command Prompt Here"
      string 15 "Task Manager"
    separator - disabled
)"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Settings(dir.File("menu.cfg"), c.settings);
    const std::string menu = MenuOutline(Run({dir.File("notes.txt")}), dir.Path());
    EXPECT_EQ(menu, c.menu);
  }
}

TEST_F(ShellhostMenu, DynamicFoldersListTheirFolderWhenFirstOpened) {
  for (const char* sub : {"a", "a\\b", "a\\A", "empty"}) ASSERT_TRUE(CreateDirectoryA(dir.File(sub).c_str(), nullptr));
  for (const char* file : {"a\\Readme.TXT", "a\\notes.log", "a\\image.png", "a\\Tom & Jerry.txt", "a\\x[1].txt",
                           "a\\#3.txt", "a\\secret.txt", "a\\A\\inner.txt", "a\\A\\inner.png"})
    WriteFileBytes(dir.File(file), "x");
  SetFileAttributesA(dir.File("a\\secret.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);  // listed like the others
  WriteFileBytes(dir.File("notes.txt"), "n");
  configbuilder::ConfigBuilder cfg("Tools");
  auto dynamic = [&](const char* caption, const std::string& location, const char* filter) {
    auto item = configbuilder::MakeItem(clsCorvaneData::TypeDynamicFolder, caption, location);
    item->m_szDFolder_Filter = filter;
    cfg.Add(item);
  };
  dynamic("Texts", dir.File("a"), "*.TXT,*.log");
  dynamic("Empty", dir.File("empty") + "\\", "");
  dynamic("Nowhere", "", "");
  dynamic("Inner", dir.File("a\\A"), "");
  cfg.Save(dir.File("menu.cfg"));
  Settings(dir.File("menu.cfg"));

  // Sub-folders first, then the files the filter lets through, each by
  // lower-cased name; "&" shows as itself. Identifiers follow the order in
  // which the folders first open, from the block after the other entries,
  // and a folder opened again is not listed again. Folders that list
  // nothing (an empty one, an empty location) keep their "(Empty)".
  const std::string menu = R"menu(    separator - disabled
    popup - "Tools" opened
      popup - "Texts" opened
        popup - "A" opened
          string 10 "inner.txt"
        popup - "b" opened
          string 0 "(Empty)" disabled
        string 2 "#3.txt"
        string 5 "notes.log"
        string 6 "Readme.TXT"
        string 7 "secret.txt"
        string 8 "Tom && Jerry.txt"
        string 9 "x[1].txt"
      popup - "Empty" opened
        string 0 "(Empty)" disabled
      popup - "Nowhere" opened
        string 0 "(Empty)" disabled
      popup - "Inner" opened
        string 11 "inner.png"
        string 12 "inner.txt"
      separator - disabled
      string 1 "&Designer..."
    separator - disabled
)menu";
  // The same through the older interface's HandleMenuMsg.
  for (const char* messages : {"--open-twice", "--menu2"}) {
    SCOPED_TRACE(messages);
    const std::string r = Run({"--open-twice", messages, dir.File("notes.txt")});
    EXPECT_EQ(MenuOutline(r, dir.Path()), "  menu\n" + menu + "  menu again\n" + menu);
    // The block reserved for dynamic folders lies inside the count claimed.
    EXPECT_NE(r.find("\n  QueryContextMenu 0x0000138b code 5003\n"), std::string::npos) << r;
  }
}

}  // namespace

namespace {

// A picture shellhost kept of a drawn entry: 32-bit, top-down.
struct Picture {
  int width = 0, height = 0;
  std::vector<COLORREF> pixels;
  COLORREF At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

Picture ReadPicture(const std::string& path) {
  const std::string bytes = testing_support::ReadFileBytes(path);
  Picture p;
  if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) {
    ADD_FAILURE() << "no picture " << path;
    return p;
  }
  BITMAPFILEHEADER file;
  BITMAPINFOHEADER info;
  std::memcpy(&file, bytes.data(), sizeof file);
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  p.width = info.biWidth;
  p.height = -info.biHeight;
  for (int i = 0; i < p.width * p.height; ++i) {
    DWORD q;
    std::memcpy(&q, bytes.data() + file.bfOffBits + 4 * i, 4);
    p.pixels.push_back(RGB((q >> 16) & 0xff, (q >> 8) & 0xff, q & 0xff));
  }
  return p;
}

int CountOf(const Picture& p, int left, int top, int right, int bottom, COLORREF colour) {
  int n = 0;
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) n += p.At(x, y) == colour;
  return n;
}

}  // namespace

TEST_F(ShellhostMenu, OwnerDrawnEntriesArePaintedInsideTheirRectangle) {
  WriteFileBytes(dir.File("notes.txt"), "n");
  configbuilder::ConfigBuilder cfg("Tools");
  cfg.Add(clsCorvaneData::TypeFile, "&Notes", dir.File("notes.txt"));
  cfg.Add(clsCorvaneData::TypeFile, "Notes", dir.File("notes.txt"));
  cfg.Save(dir.File("menu.cfg"));
  Settings(dir.File("menu.cfg"), [](clsOptions& o) {
    o.m_lShellShowIcons = clsOptions::OptionLevel_Maximum;
    o.m_bShellOwnerDraw = true;
  });
  const std::string pictures = dir.File("drawn");
  ASSERT_TRUE(CreateDirectoryA(pictures.c_str(), nullptr));
  const std::string r = Run({"--draw-dir", pictures, dir.File("notes.txt")});
  // Measured alike: the "&" only marks a letter.
  auto measured = [&](const std::string& entry) {
    const std::string line = entry + " data 0x0 checkbitmaps measure ";
    const size_t at = r.find(line);
    return at == std::string::npos ? std::string("?") : r.substr(at + line.size(), r.find(' ', at + line.size()) - at - line.size());
  };
  EXPECT_EQ(measured("ownerdraw 0 \"&Notes\""), measured("ownerdraw 1 \"Notes\"")) << r;
  EXPECT_NE(measured("ownerdraw 0 \"&Notes\"").find("x20"), std::string::npos) << r;

  // shellhost draws the entry 4 pixels in from the picture's edges, on white.
  const int left = 4, top = 4;
  const Picture shown = ReadPicture(pictures + "\\1.bmp");
  const Picture selected = ReadPicture(pictures + "\\1-selected.bmp");
  const Picture unmarked = ReadPicture(pictures + "\\2.bmp");
  ASSERT_EQ(shown.height, 20 + 8);
  ASSERT_EQ(shown.width, unmarked.width);
  const int right = shown.width - 4, bottom = shown.height - 4;
  const COLORREF white = RGB(255, 255, 255), menu = GetSysColor(COLOR_MENU);
  // Nothing outside the item rectangle.
  const int all = shown.width * shown.height, inside = (right - left) * (bottom - top);
  EXPECT_EQ(CountOf(shown, 0, 0, shown.width, shown.height, white) -
                CountOf(shown, left, top, right, bottom, white),
            all - inside);
  // The picture column in the menu colour around the file's icon, the
  // text's background from left + 23 on.
  EXPECT_EQ(shown.At(left, top), menu);
  EXPECT_EQ(shown.At(left + 21, bottom - 1), menu);
  EXPECT_EQ(shown.At(left + 23, top), menu);
  EXPECT_EQ(shown.At(right - 1, bottom - 1), menu);
  EXPECT_LT(CountOf(shown, left + 4, top + 2, left + 20, top + 18, menu), 16 * 16) << "the icon shows";
  EXPECT_EQ(CountOf(shown, left, top, left + 4, bottom, menu), 4 * 20);
  // Selected: the text part in the highlight colour, the picture column
  // left as it was with a raised frame, the icon still there.
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  EXPECT_EQ(selected.At(left + 23, top), highlight);
  EXPECT_EQ(selected.At(right - 1, bottom - 1), highlight);
  EXPECT_EQ(selected.At(left, top + 5), white);
  EXPECT_EQ(selected.At(left + 1, top + 10), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(selected.At(left + 21, top + 10), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_LT(CountOf(selected, left + 4, top + 2, left + 20, top + 18, white), 16 * 16);
  // "&Notes" and "Notes" differ only by a line under the "N".
  const COLORREF text = GetSysColor(COLOR_MENUTEXT);
  int underline = 0, elsewhere = 0, firstRow = -1, lastRow = -1, firstColumn = shown.width, lastColumn = -1;
  for (int y = 0; y < shown.height; ++y) {
    for (int x = 0; x < shown.width; ++x) {
      if (shown.At(x, y) == unmarked.At(x, y)) continue;
      if (shown.At(x, y) != text) {
        ++elsewhere;
        continue;
      }
      ++underline;
      if (firstRow < 0) firstRow = y;
      lastRow = y;
      firstColumn = std::min(firstColumn, x);
      lastColumn = std::max(lastColumn, x);
    }
  }
  EXPECT_EQ(elsewhere, 0);
  EXPECT_GE(underline, 5);
  EXPECT_LE(lastRow - firstRow, 1) << "a line, not a letter";
  EXPECT_GT(firstRow, top + 3 + 8) << "under the letter";
  EXPECT_GE(firstColumn, left + 25);
  EXPECT_LT(lastColumn, left + 25 + 16) << "under the first letter only";
}

TEST_F(ShellhostMenu, AFolderOfThousandsOfFilesListsInOrderAndGivesBackItsGdiObjects) {
  const std::string big = dir.File("big");
  ASSERT_TRUE(CreateDirectoryA(big.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((big + "\\Zeta").c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryA((big + "\\alpha").c_str(), nullptr));
  // 3,000 files of mixed case, with "&", "[" and "#"; a quarter of them
  // outside the filter.
  const char* const patterns[] = {"Report & Notes %04d.TXT", "[draft] %04d.txt", "#%04d.Log", "data %04d.bin"};
  std::vector<std::string> files;
  for (int i = 0; i < 3000; ++i) {
    char name[64];
    std::snprintf(name, sizeof name, patterns[i % 4], i);
    WriteFileBytes(big + "\\" + name, "");
    if (i % 4 != 3) files.push_back(name);
  }
  // Sub-folders first, then the files by lower-cased name ("#" before "["
  // before "r"), each "&" shown as itself.
  std::sort(files.begin(), files.end(), [](const std::string& a, const std::string& b) {
    std::string la = a, lb = b;
    for (char& c : la) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (char& c : lb) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return la < lb;
  });
  std::vector<std::string> expected{"alpha", "Zeta"};
  for (const std::string& f : files) expected.push_back(shellext::MenuTextOf(f));
  configbuilder::ConfigBuilder cfg("Tools");
  auto item = configbuilder::MakeItem(clsCorvaneData::TypeDynamicFolder, "Big", big);
  item->m_szDFolder_Filter = "*.txt,,*.LOG";
  cfg.Add(item);
  cfg.Save(dir.File("menu.cfg"));
  Settings(dir.File("menu.cfg"), [](clsOptions& o) {
    o.m_lShellShowIcons = clsOptions::OptionLevel_Maximum;
    o.m_bShellOwnerDraw = true;
  });
  WriteFileBytes(dir.File("notes.txt"), "n");
  const std::string r = Run({"--gdi", "--owner-draw", "--open-submenus", dir.File("notes.txt")});

  auto number = [&](const std::string& label, const std::string& indent = "  ") {
    const size_t at = r.find("\n" + indent + label + " ");
    return at == std::string::npos ? -1L : std::stol(r.substr(at + 1 + indent.size() + label.size() + 1));
  };
  // Files with one icon share its bitmaps: a few objects for the whole menu.
  EXPECT_LT(number("gdi open") - number("gdi before"), 100) << r;
  // The process keeps the icons it drew (a few here, two bitmaps each) for
  // the next right-click, and gives them back with the library.
  EXPECT_LE(number("gdi after"), number("gdi open")) << r;
  EXPECT_EQ(number("gdi unloaded", ""), number("gdi before")) << r;

  std::vector<std::string> names;
  std::vector<long> offsets;
  const size_t query = r.find(" code ", r.find("\n  QueryContextMenu "));
  const long count = query == std::string::npos ? -1L : std::stol(r.substr(query + 6));
  for (size_t at = r.find("\n        "); at != std::string::npos; at = r.find("\n        ", at + 1)) {
    const std::string line = r.substr(at + 9, r.find('\n', at + 1) - at - 9);
    if (line.rfind("  ", 0) == 0) continue;  // a sub-folder's own entries
    const size_t quote = line.find('"');
    names.push_back(line.substr(quote + 1, line.find('"', quote + 1) - quote - 1));
    offsets.push_back(std::stol(line.substr(line.find(' ') + 1)));
  }
  EXPECT_EQ(names, expected);
  // Every identifier inside the block after the other entries, below the
  // count the query claimed, and none twice.
  std::sort(offsets.begin(), offsets.end());
  EXPECT_EQ(std::adjacent_find(offsets.begin(), offsets.end()), offsets.end());
  EXPECT_GE(offsets.front(), 3);
  EXPECT_LT(offsets.back(), count);
  EXPECT_EQ(count, 5004);  // the folder's popup, "(Empty)", "&Designer..." and the block
}
