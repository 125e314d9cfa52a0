// What Fennick keeps for its process between right-clicks: file icons, the
// resource bitmaps and the parsed configuration. Nothing kept may ever show
// a stale picture or menu, and the pictures kept stay bounded.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "base/context.h"
#include "base/scope.h"
#include "base/tests/gui_counts.h"
#include "base/tests/testing.h"
#include "shellext/ConfigCache.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/PictureCache.h"
#include "shellext/RegistrySnapshots.h"
#include "shellext/modMenuItems.h"
#include "shellext/tests/dib_surface.h"
#include "shellext/tests/fennick_testing.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using configbuilder::ConfigBuilder;
using shellext::ProcessIconCache;

shellext::FennickHandler& Of(const base::ComPtr<IContextMenu3>& h) { return *static_cast<shellext::FennickHandler*>(h.get()); }

// A bitmap's pixels, 32 bits each.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap) {
  BITMAP info{};
  if (!bitmap || !GetObjectA(bitmap, sizeof info, &info)) return {};
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = info.bmWidth;
  bi.bmiHeader.biHeight = -std::abs(info.bmHeight);
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<std::uint32_t> pixels(static_cast<size_t>(info.bmWidth) * std::abs(info.bmHeight));
  base::WindowDc screen(nullptr);
  std::lock_guard<std::mutex> hold(shellext::SharedPictureLock());
  GetDIBits(screen.get(), bitmap, 0, static_cast<UINT>(std::abs(info.bmHeight)), pixels.data(), &bi, DIB_RGB_COLORS);
  return pixels;
}

// The check-mark picture of the root popup's entry with that caption.
HBITMAP CheckMarkOf(HMENU menu, const std::string& caption) {
  HMENU root = nullptr;
  for (int i = 0; !root && i < GetMenuItemCount(menu); ++i) root = GetSubMenu(menu, i);
  for (int i = 0; root && i < GetMenuItemCount(root); ++i) {
    char text[256] = {};
    GetMenuStringA(root, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    if (caption != text) continue;
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_CHECKMARKS;
    GetMenuItemInfoA(root, static_cast<UINT>(i), TRUE, &mii);
    return mii.hbmpUnchecked;
  }
  return nullptr;
}

class ProcessCaches : public ::testing::Test {
 protected:
  void SetUp() override {
    shellext::ReleasePictureCaches();
    for (const char* name : {"a.txt", "b.txt", "c.ini", "d"}) testing_support::WriteFileBytes(dir.File(name), "1");
    // A program: its icon is its own, so it is asked by its path.
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    CopyFileA(self, dir.File("tool.exe").c_str(), FALSE);
    ConfigBuilder b("Root");
    for (const char* name : {"a.txt", "b.txt", "c.ini", "d", "tool.exe"})
      b.Add(clsCorvaneData::TypeFile, name, dir.File(name));
    b.Add(clsCorvaneData::TypeCustomAction, "Act");
    b.Save(cfg);
    Settings(false);
  }
  void TearDown() override {
    ProcessIconCache().SetLimits(shellext::IconCache::kDefaultPathLimit, shellext::IconCache::kDefaultPictureLimit);
    shellext::ReleasePictureCaches();
  }

  void Settings(bool ownerDraw) {
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = "";
      o.m_lShellShowIcons = clsOptions::OptionLevel_Maximum;
      o.m_bShellOwnerDraw = ownerDraw;
      o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
      o.m_lShellShowFlags = 0;
    });
  }

  struct Built {
    base::ComPtr<IContextMenu3> handler;
    base::UniqueHMenu menu;
    std::string dump;
    std::int64_t shellCalls = 0;  // what this right-click asked the shell
  };
  Built RightClick() {
    const std::int64_t before = ProcessIconCache().Statistics().shellCalls;
    Built b;
    b.handler = fennick_test::NewHandler();
    b.handler.query<IShellExtInit>(IID_IShellExtInit)->Initialize(fennick_test::PidlOf(dir.Path()).get(), nullptr,
                                                                  nullptr);
    b.menu.reset(CreatePopupMenu());
    EXPECT_TRUE(SUCCEEDED(b.handler->QueryContextMenu(b.menu.get(), 0, 100, 0x7fff, CMF_NORMAL)));
    b.dump = fennick_test::DumpMenu(b.menu.get(), 100, 0x7fff - 100);
    b.shellCalls = ProcessIconCache().Statistics().shellCalls - before;
    return b;
  }

  // The identifier of the root popup's entry with that caption, from the dump.
  static std::int32_t IdOf(const Built& b, const std::string& caption) {
    const size_t quote = b.dump.find(" \"" + caption + "\"");
    const size_t number = b.dump.rfind(' ', quote - 1);
    if (quote == std::string::npos || number == std::string::npos) return -1;
    return 100 + std::atoi(b.dump.c_str() + number + 1);
  }

  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  std::string cfg = dir.File("menu.cfg");
};

TEST_F(ProcessCaches, ALaterRightClickAsksTheShellNothingAndShowsTheSamePictures) {
  const std::vector<std::string> names{"a.txt", "b.txt", "c.ini", "d", "tool.exe", "Act"};
  Built first = RightClick();
  // The two text files share one question about their type; the program
  // and the file without an extension are asked by their paths.
  EXPECT_EQ(first.shellCalls, 4);
  EXPECT_EQ(ProcessIconCache().Statistics().byExtension, 2);
  Built second = RightClick();
  EXPECT_EQ(second.shellCalls, 0);
  EXPECT_EQ(second.dump, first.dump);
  // The resource pictures are the process's: the same for both handlers.
  const HBITMAP action = Of(first.handler).OwnerDrawMenu_HasBitmap(IdOf(first, "Act"));
  EXPECT_NE(action, nullptr);
  EXPECT_EQ(Of(second.handler).OwnerDrawMenu_HasBitmap(IdOf(second, "Act")), action);

  // The pictures of a process that kept nothing, pixel for pixel.
  shellext::ReleasePictureCaches();
  Built fresh = RightClick();
  EXPECT_EQ(fresh.shellCalls, 4);
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    const auto pixels = PixelsOf(CheckMarkOf(second.menu.get(), name));
    ASSERT_FALSE(pixels.empty());
    EXPECT_EQ(pixels, PixelsOf(CheckMarkOf(first.menu.get(), name)));
    EXPECT_EQ(pixels, PixelsOf(CheckMarkOf(fresh.menu.get(), name)));
    // Each handler paints its own copy of a shared picture as its check mark.
    EXPECT_NE(CheckMarkOf(second.menu.get(), name), CheckMarkOf(first.menu.get(), name));
  }

  // A text file's picture asked for its type is the one its path gives.
  SHFILEINFOA info{};
  auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(dir.File("a.txt").c_str(), 0, &info, sizeof info,
                                                          SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  ASSERT_NE(list, nullptr);
  base::UniqueHIcon icon(ImageList_GetIcon(list, info.iIcon, ILD_NORMAL));
  base::WindowDc screen(nullptr);
  base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
  base::UniqueHBitmap surface(CreateCompatibleBitmap(screen.get(), 16, 16));
  base::SelectObjectScope useSurface(dc.get(), surface.get());
  base::UniqueHBitmap byPath = shellext::IconToBitmap(dc.get(), icon.get(), COLOR_MENU, 16, 1);
  EXPECT_EQ(PixelsOf(byPath.get()), PixelsOf(CheckMarkOf(second.menu.get(), "a.txt")));
}

TEST_F(ProcessCaches, AFileThatChangedIsAskedAgainAtTheNextRightClick) {
  const std::string path = dir.File("d");
  struct Case {
    const char* what;
    std::function<void()> change;
  };
  const Case cases[] = {
      {"content", [&] { testing_support::WriteFileBytes(path, "2"); }},
      {"size", [&] { testing_support::WriteFileBytes(path, "longer"); }},
      {"time",
       [&] {
         base::UniqueFile f(CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                        nullptr));
         FILETIME t{0x12345678, 0x01c00000};
         SetFileTime(f.get(), nullptr, nullptr, &t);
       }},
      {"attributes", [&] { SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY); }},
  };
  RightClick();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    c.change();
    EXPECT_EQ(RightClick().shellCalls, 1) << "the changed file alone";
    EXPECT_EQ(RightClick().shellCalls, 0);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);

  // A file that became a folder shows a folder's picture at once.
  const Built asFile = RightClick();
  ASSERT_TRUE(DeleteFileA(path.c_str()));
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  const Built asFolder = RightClick();
  EXPECT_EQ(asFolder.shellCalls, 1);
  EXPECT_NE(PixelsOf(CheckMarkOf(asFolder.menu.get(), "d")), PixelsOf(CheckMarkOf(asFile.menu.get(), "d")));
  shellext::ReleasePictureCaches();
  EXPECT_EQ(PixelsOf(CheckMarkOf(RightClick().menu.get(), "d")), PixelsOf(CheckMarkOf(asFolder.menu.get(), "d")));
}

TEST_F(ProcessCaches, TheCacheStaysWithinItsLimitsAndAnOpenMenuKeepsItsPictures) {
  // Files and folders: two pictures at least, more than the cache may keep.
  ASSERT_TRUE(CreateDirectoryA(dir.File("sub").c_str(), nullptr));
  ConfigBuilder c("Root");
  for (const char* name : {"a.txt", "sub", "c.ini", "d", "tool.exe"}) c.Add(clsCorvaneData::TypeFile, name, dir.File(name));
  c.Save(cfg);
  ProcessIconCache().SetLimits(2, 1);
  Settings(true);
  Built b = RightClick();
  // Owner drawing paints the shared pictures: those the cache let go live
  // on with the menu that shows them.
  for (const char* name : {"a.txt", "sub", "c.ini", "d", "tool.exe"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(GetObjectType(Of(b.handler).OwnerDrawMenu_HasBitmap(IdOf(b, name))), static_cast<DWORD>(OBJ_BITMAP));
  }
  const shellext::IconCacheStatistics kept = ProcessIconCache().Statistics();
  EXPECT_LE(kept.paths, 2u);
  EXPECT_LE(kept.pictures, 1u);
  EXPECT_GE(kept.drawn, 2) << "more pictures were drawn than are kept";
  for (const char* name : {"a.txt", "sub", "c.ini", "d", "tool.exe"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(GetObjectType(Of(b.handler).OwnerDrawMenu_HasBitmap(IdOf(b, name))), static_cast<DWORD>(OBJ_BITMAP));
  }
}

// The 16 x 16 picture an owner-drawn entry paints, as 0x00RRGGBB.
std::vector<std::uint32_t> PaintedPicture(IContextMenu3* handler, std::int32_t id) {
  testing_support::DibSurface surface(80, 20, RGB(255, 0, 255));
  DRAWITEMSTRUCT dis{};
  dis.CtlType = ODT_MENU;
  dis.itemID = static_cast<UINT>(id);
  dis.hDC = surface.dc();
  dis.rcItem = RECT{0, 0, 80, 20};
  LRESULT result = 0;
  handler->HandleMenuMsg2(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), &result);
  std::vector<std::uint32_t> pixels;
  for (int y = 2; y < 18; ++y)
    for (int x = 4; x < 20; ++x) {
      const COLORREF c = surface.Pixel(x, y);
      pixels.push_back((std::uint32_t{GetRValue(c)} << 16) | (std::uint32_t{GetGValue(c)} << 8) | GetBValue(c));
    }
  return pixels;
}

// The file's icon as the shell gives it for its path, drawn as owner drawing
// paints it (flags 0) or as its check mark shows it (1).
std::vector<std::uint32_t> ShellPicture(const std::string& path, std::int32_t flags = 0) {
  SHFILEINFOA info{};
  auto list = reinterpret_cast<HIMAGELIST>(
      SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
  if (!list) return {};
  base::UniqueHIcon icon(ImageList_GetIcon(list, info.iIcon, ILD_NORMAL));
  base::WindowDc screen(nullptr);
  base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
  base::UniqueHBitmap surface(CreateCompatibleBitmap(screen.get(), 16, 16));
  base::SelectObjectScope useSurface(dc.get(), surface.get());
  base::UniqueHBitmap drawn = shellext::IconToBitmap(dc.get(), icon.get(), COLOR_MENU, 16, flags);
  std::vector<std::uint32_t> pixels = PixelsOf(drawn.get());
  for (std::uint32_t& p : pixels) p &= 0xFFFFFF;  // a blit onto the menu keeps no alpha
  return pixels;
}

TEST_F(ProcessCaches, OwnerDrawnEntriesAskForTheirIconsWhenFirstPaintedAndPaintWhatTheShellGives) {
  ConfigBuilder c("Root");
  c.Add(clsCorvaneData::TypeFile, "a.txt", dir.File("a.txt"));
  c.Add(clsCorvaneData::TypeFile, "d", dir.File("d"));
  widgets::TreeNode& popup = c.Add(clsCorvaneData::TypePopupMenu, "Never opened");
  c.Add(clsCorvaneData::TypeFile, "tool.exe", dir.File("tool.exe"), &popup);
  c.Add(clsCorvaneData::TypeFile, "c.ini", dir.File("c.ini"), &popup);
  c.Save(cfg);
  Settings(true);
  Built b = RightClick();
  EXPECT_EQ(b.shellCalls, 0) << "nothing painted yet";
  // The system never paints an owner-drawn entry's check marks: they stay
  // what they were before the pictures were fetched on demand.
  EXPECT_NE(b.dump.find("\"a.txt\" ownerdraw checkmarks"), std::string::npos) << b.dump;

  auto asked = [] { return ProcessIconCache().Statistics().shellCalls; };
  for (const char* name : {"a.txt", "d"}) {
    SCOPED_TRACE(name);
    const std::int64_t before = asked();
    const auto painted = PaintedPicture(b.handler.get(), IdOf(b, name));
    EXPECT_EQ(asked() - before, 1) << "asked at the first painting";
    EXPECT_EQ(painted, ShellPicture(dir.File(name)));
    EXPECT_EQ(PaintedPicture(b.handler.get(), IdOf(b, name)), painted);
    EXPECT_EQ(asked() - before, 1) << "and never again for this menu";
  }
  // The file changed after the menu was built and before its entry was
  // first painted: the painting shows it as it is now.
  const std::string tool = dir.File("tool.exe");
  ASSERT_TRUE(DeleteFileA(tool.c_str()));
  ASSERT_TRUE(CreateDirectoryA(tool.c_str(), nullptr));
  const std::int64_t before = asked();
  EXPECT_EQ(PaintedPicture(b.handler.get(), IdOf(b, "tool.exe")), ShellPicture(tool));
  EXPECT_EQ(asked() - before, 1);
}

TEST_F(ProcessCaches, NewMenuColoursGiveNewPicturesAtTheNextRightClick) {
  const int which[] = {COLOR_MENU, COLOR_WINDOW};
  const COLORREF old[] = {GetSysColor(COLOR_MENU), GetSysColor(COLOR_WINDOW)};
  const auto restore = base::MakeScopeExit([&] { SetSysColors(2, which, old); });
  auto opaque = [](std::vector<std::uint32_t> pixels) {
    for (std::uint32_t& p : pixels) p &= 0xFFFFFF;
    return pixels;
  };
  // The custom action's picture mapped to the menu colour, as the resource gives it.
  auto action = [](COLORREF menu) {
    base::UniqueHBitmap mapped = shellext::ReplaceBitmapColour(107, shellext::kMaskColour, menu, nullptr);
    return PixelsOf(mapped.get());
  };
  const Built before = RightClick();
  ASSERT_EQ(PixelsOf(CheckMarkOf(before.menu.get(), "Act")), action(old[0]));
  const auto file = opaque(PixelsOf(CheckMarkOf(before.menu.get(), "a.txt")));
  ASSERT_EQ(file, ShellPicture(dir.File("a.txt"), 1));

  const COLORREF fresh[] = {RGB(10, 200, 30), RGB(250, 240, 5)};
  ASSERT_TRUE(SetSysColors(2, which, fresh));
  const Built after = RightClick();
  EXPECT_GT(after.shellCalls, 0) << "the icons kept for the old colours were let go";
  EXPECT_NE(action(fresh[0]), action(old[0]));
  EXPECT_EQ(PixelsOf(CheckMarkOf(after.menu.get(), "Act")), action(fresh[0]));
  const auto newFile = ShellPicture(dir.File("a.txt"), 1);
  EXPECT_NE(newFile, file);
  EXPECT_EQ(opaque(PixelsOf(CheckMarkOf(after.menu.get(), "a.txt"))), newFile);

  // Owner drawing paints the new colours as well.
  Settings(true);
  Built drawn = RightClick();
  EXPECT_EQ(PaintedPicture(drawn.handler.get(), IdOf(drawn, "a.txt")), ShellPicture(dir.File("a.txt")));
}

TEST_F(ProcessCaches, CheckMarkCopiesGoBackWithTheirHandlerForTheNextRightClick) {
  HBITMAP given = nullptr;
  {
    const Built b = RightClick();
    given = CheckMarkOf(b.menu.get(), "Act");
  }
  const long objects = testing_support::GdiObjects();
  for (int i = 0; i < 3; ++i) {
    const Built b = RightClick();
    EXPECT_EQ(CheckMarkOf(b.menu.get(), "Act"), given) << "the copy given back is taken again";
  }
  EXPECT_EQ(testing_support::GdiObjects(), objects);
  // Menus open at once never share one.
  const Built one = RightClick(), two = RightClick();
  EXPECT_NE(CheckMarkOf(one.menu.get(), "Act"), CheckMarkOf(two.menu.get(), "Act"));
  EXPECT_EQ(PixelsOf(CheckMarkOf(one.menu.get(), "Act")), PixelsOf(CheckMarkOf(two.menu.get(), "Act")));
}

// Paints the one entry it knows, with the picture it is given.
class OnePicture : public shellext::OwnerDrawSource {
 public:
  explicit OnePicture(HBITMAP picture) : m_picture(picture) {}
  std::string OwnerDrawMenu_GetCaption(std::int32_t) override { return "x"; }
  HBITMAP OwnerDrawMenu_HasBitmap(std::int32_t) override { return m_picture; }

 private:
  HBITMAP m_picture;
};

TEST_F(ProcessCaches, TwoThreadsPaintOneSharedPictureAtOnce) {
  const shellext::IconAnswer answer = ProcessIconCache().FileIcon(dir.File("tool.exe"));
  ASSERT_TRUE(answer.picture);
  OnePicture source(answer.picture->m_lData2);
  auto paint = [&](testing_support::DibSurface& surface) {
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = 1;
    dis.hDC = surface.dc();
    dis.rcItem = RECT{0, 0, 60, 20};
    surface.Fill(RGB(255, 0, 255));
    shellext::HandleOwnerDrawMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis), source);
    std::vector<COLORREF> picture;
    for (int y = 2; y < 18; ++y)
      for (int x = 4; x < 20; ++x) picture.push_back(surface.Pixel(x, y));
    return picture;
  };
  std::vector<COLORREF> expected;
  {
    testing_support::DibSurface surface(60, 20, RGB(255, 0, 255));
    expected = paint(surface);
  }
  std::atomic<int> wrong{0};
  auto painter = [&] {
    {
      testing_support::DibSurface surface(60, 20, RGB(255, 0, 255));
      for (int i = 0; i < 300; ++i) wrong += paint(surface) != expected;
    }
    base::ThreadContext::DestroyCurrent();
  };
  std::thread one(painter), two(painter);
  one.join();
  two.join();
  EXPECT_EQ(wrong.load(), 0);
}

TEST_F(ProcessCaches, ARewrittenConfigurationShowsAtOnceAndAnUnchangedOneIsNotParsedAgain) {
  ConfigBuilder b("Root");
  b.Add(clsCorvaneData::TypeCustomAction, "Alpha");
  b.Save(cfg);
  FILETIME written{};
  {
    base::UniqueFile f(CreateFileA(cfg.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    GetFileTime(f.get(), nullptr, nullptr, &written);
  }
  EXPECT_NE(RightClick().dump.find("\"Alpha\""), std::string::npos);
  const std::int64_t parses = shellext::ProcessConfigCache().Parses();
  EXPECT_NE(RightClick().dump.find("\"Alpha\""), std::string::npos);
  EXPECT_EQ(shellext::ProcessConfigCache().Parses(), parses);

  // The same size and the same time stamp: only the bytes tell.
  ConfigBuilder again("Root");
  again.Add(clsCorvaneData::TypeCustomAction, "Omega");
  again.Save(cfg);
  {
    base::UniqueFile f(CreateFileA(cfg.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    SetFileTime(f.get(), nullptr, nullptr, &written);
  }
  const std::string dump = RightClick().dump;
  EXPECT_NE(dump.find("\"Omega\""), std::string::npos) << dump;
  EXPECT_EQ(dump.find("\"Alpha\""), std::string::npos) << dump;
}

TEST_F(ProcessCaches, SettingsAndRecentListsAreReadAgainOnlyOnceTheirKeysChange) {
  RightClick();
  const std::int64_t reads = shellext::RegistryReads();
  const Built unchanged = RightClick();
  EXPECT_EQ(shellext::RegistryReads(), reads) << "nothing changed: nothing read";

  // Settings rewritten twice in a row (well within one tick of the clock):
  // each shows at the next right-click.
  for (std::int32_t icons : {clsOptions::OptionLevel_None, clsOptions::OptionLevel_Maximum}) {
    SCOPED_TRACE(icons);
    fennick_test::PlantSettings([&](clsOptions& o) {
      o.m_szShellConfigFile = cfg;
      o.m_szShellCustomActionsFile = "";
      o.m_lShellShowIcons = icons;
      o.m_bShellOwnerDraw = false;
      o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
      o.m_lShellShowFlags = 0;
    });
    const Built b = RightClick();
    EXPECT_EQ(b.dump.find("checkmarks") == std::string::npos, icons == clsOptions::OptionLevel_None) << b.dump;
  }
  EXPECT_EQ(RightClick().dump, unchanged.dump);

  // A recent list another program rewrote is the one a new handler holds;
  // one the handler did not change is not written back over a newer one.
  auto writeList = [](const std::string& entry) {
    common::clsMRU list;
    list.SetPath(shellext::kCopyToMRUKey);
    list.Load(shellext::kMaxCopyToMRU);
    list.AddFile(entry);
    ASSERT_TRUE(list.Save());
  };
  auto storedFirst = [] {
    common::clsMRU list;
    list.SetPath(shellext::kCopyToMRUKey);
    list.Load(shellext::kMaxCopyToMRU);
    return list.File(1);
  };
  for (const char* entry : {"C:\\first", "C:\\second"}) {
    SCOPED_TRACE(entry);
    writeList(entry);
    Built b = RightClick();
    EXPECT_EQ(shellext::g_oCopyToMRU().File(1), entry);
  }
  {
    Built held = RightClick();
    writeList("C:\\third");
  }  // the handler goes: the thread's lists are saved where they changed
  EXPECT_EQ(storedFirst(), "C:\\third");
  Built after = RightClick();
  EXPECT_EQ(shellext::g_oCopyToMRU().File(1), "C:\\third");
}

}  // namespace
