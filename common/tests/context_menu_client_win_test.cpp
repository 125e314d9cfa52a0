// The shell's side of a context menu where nothing comes of it: a selection
// the shell cannot make, and a handler that is not there, whose later steps
// answer with an HRESULT instead of calling through nothing.
#include "common/context_menu_client_win.h"

#include <gtest/gtest.h>

#include "base/tests/testing.h"

namespace {

using testing_support::ErrorNumberOf;

TEST(ShellSelection, ASelectionTheShellCannotMakeRaisesItsError) {
  testing_support::TempDir dir;
  testing_support::TempDir other;
  testing_support::WriteFileBytes(dir.File("a.txt"), "a");
  testing_support::WriteFileBytes(other.File("b.txt"), "b");
  struct Case {
    const char* what;
    std::vector<std::string> paths;
    long error;
  };
  const Case cases[] = {
      {"nothing selected", {}, base::kErrInvalidCall},
      {"a file that is not there", {dir.File("missing.txt")}, base::kErrFileNotFound},
      {"items of two folders", {dir.File("a.txt"), other.File("b.txt")}, base::kErrInvalidCall},
  };
  base::ComInit com(COINIT_APARTMENTTHREADED);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(ErrorNumberOf([&] { common::SelectShellItems(c.paths, nullptr); }), c.error);
  }
  EXPECT_EQ(ErrorNumberOf([&] { common::SelectShellBackground(dir.File("a.txt")); }), base::kErrPathNotFound);

  const common::ShellSelection s = common::SelectShellItems({dir.File("a.txt") + "\\"}, nullptr);
  EXPECT_EQ(s.names, std::vector<std::string>{"a.txt"});
  EXPECT_EQ(s.folder, dir.Path());
  EXPECT_TRUE(s.folderIsDirectory);
  EXPECT_TRUE(s.dataObject);
}

TEST(ContextMenuClient, AHandlerThatIsNotRegisteredLeavesEveryStepAnError) {
  base::ComInit com(COINIT_APARTMENTTHREADED);
  testing_support::TempDir dir;
  const common::ShellSelection background = common::SelectShellBackground(dir.Path());
  // {7D1C3E0A-5B2F-4C8D-9E61-0A3B5C7D9F12}: no class of anybody's.
  const CLSID nobody = {0x7d1c3e0a, 0x5b2f, 0x4c8d, {0x9e, 0x61, 0x0a, 0x3b, 0x5c, 0x7d, 0x9f, 0x12}};
  common::ContextMenuClient client;
  EXPECT_EQ(client.Create(nobody), REGDB_E_CLASSNOTREG);
  EXPECT_EQ(client.Object(), nullptr);
  EXPECT_EQ(client.Initialize(background, nullptr), E_NOINTERFACE);
  EXPECT_EQ(client.Query(1, 0x7fff, CMF_NORMAL), E_NOINTERFACE);
  EXPECT_EQ(client.Menu(), nullptr);
  EXPECT_EQ(client.Track(GetDesktopWindow(), POINT{0, 0}), 0u);
  common::InvokeRequest request;
  request.offset = 0;
  EXPECT_EQ(client.Invoke(request), E_UNEXPECTED);
  EXPECT_EQ(client.Release(), std::optional<ULONG>(0));
}

}  // namespace
