#include "designer/TestView.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "widgets/form.h"

namespace {

TEST(TestViewWindow, ListsTheFoldersEntriesSortedAndNothingForAFolderThatCannotBeRead) {
  const auto dir = std::filesystem::temp_directory_path() / "corvane_testview";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "Beta folder");
  std::ofstream(dir / "alpha.txt") << "a";
  std::ofstream(dir / "gamma.cfg") << "g";

  widgets::Form form{"Test view", 4500, 4500};
  form.Load();
  auto& view = form.Add<designer::TestView>("wbrTestMenu", 0, 0, 4000, 4000);
  const std::string folder = dir.string();
  view.Navigate(folder);
  EXPECT_EQ(view.Folder(), folder);
  EXPECT_EQ(view.Entries(), (std::vector<std::string>{"alpha.txt", "Beta folder", "gamma.cfg"}));

  view.Navigate(folder + "\\");  // a trailing separator names the same folder
  EXPECT_EQ(view.Entries().size(), 3u);

  view.Navigate((dir / "missing").string());  // the old entries go too
  EXPECT_TRUE(view.Entries().empty());
  std::filesystem::remove_all(dir);
}

}  // namespace
