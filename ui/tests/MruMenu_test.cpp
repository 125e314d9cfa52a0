// The recent-item list's entries in a SmartUI menu: where they go, how
// they are numbered, and a rebuild when the list changes.
#include "ui/MruMenu.h"

#include <gtest/gtest.h>

#include "base/tests/testing.h"

using common::clsMRU;

namespace {

// Designer's File menu: New, Open, Save, a separator, Exit.
struct FileMenu {
  FileMenu() {
    file = control.items().add(0, "id_file", "&File", sui::kKindMenuEntry);
    for (const char* key : {"id_filenew", "id_fileopen", "id_filesave"})
      file->subItems().add(0, key, key, sui::kKindMenuCommand);
    file->subItems().add(0, "", "", sui::kKindMenuSeparator);
    file->subItems().add(0, "id_fileexit", "E&xit", sui::kKindMenuCommand);
  }
  // key=caption, with a "*" on checked entries.
  std::vector<std::string> Shown() const {
    std::vector<std::string> v;
    for (const auto& item : file->subItems())
      v.push_back(item->key() + "=" + item->caption() + (item->checked() ? "*" : ""));
    return v;
  }
  sui::Control control{sui::Style::MenuBar};
  sui::ItemPtr file;
};

}  // namespace

TEST(MruMenu, EntriesGoBeforeTheSeparatorAboveExit) {
  FileMenu menu;
  clsMRU list;
  list.SetMaxFileCount(5);
  ui::SetFileMenu(list, menu.file);
  list.AddFile("b");
  list.AddFile("");
  list.AddFile("a");  // a, "", b: the caption's number skips the empty entry, the key does not
  EXPECT_EQ(menu.Shown(),
            (std::vector<std::string>{"id_filenew=id_filenew", "id_fileopen=id_fileopen",
                                      "id_filesave=id_filesave", "mru_separator=", "mru_1=&1 a*",
                                      "mru_3=&2 b", "=", "id_fileexit=E&xit"}));
  // A rebuild replaces the earlier entries.
  list.UpdateFileMenu("b");
  EXPECT_EQ(menu.Shown()[4], "mru_1=&1 a");
  EXPECT_EQ(menu.Shown()[5], "mru_3=&2 b*");
  EXPECT_EQ(menu.file->subItems().count(), 8);
  EXPECT_EQ(menu.file->subItems().at(4)->kind(), sui::kKindMenuSeparator);
  EXPECT_EQ(menu.file->subItems().at(5)->kind(), sui::kKindMenuCommand);

  // An emptied list leaves the menu as it was.
  list.Reset();
  list.UpdateFileMenu("");
  EXPECT_EQ(menu.file->subItems().count(), 8);
}

TEST(MruMenu, AMenuWithoutExitGetsTheEntriesAtItsEnd) {
  sui::Control control(sui::Style::MenuBar);
  auto file = control.items().add(0, "id_file", "&File", sui::kKindMenuEntry);
  file->subItems().add(0, "id_fileopen", "&Open", sui::kKindMenuCommand);
  clsMRU list;
  list.SetMaxFileCount(3);
  ui::SetFileMenu(list, file);
  list.AddFile("x");
  list.AddFile("y");
  ASSERT_EQ(file->subItems().count(), 4);
  EXPECT_EQ(file->subItems().at(1)->key(), "id_fileopen");
  EXPECT_EQ(file->subItems().at(2)->key(), "mru_separator");
  EXPECT_EQ(file->subItems().at(3)->caption(), "&1 y");
  EXPECT_EQ(file->subItems().at(4)->caption(), "&2 x");

  // Exit first in its menu: the entries still come before it.
  sui::Control other(sui::Style::MenuBar);
  auto menu = other.items().add(0, "id_file", "&File", sui::kKindMenuEntry);
  menu->subItems().add(0, "ID_FILEEXIT", "E&xit", sui::kKindMenuCommand);
  ui::AddToSmartUI(list, menu, "");
  ASSERT_EQ(menu->subItems().count(), 4);
  EXPECT_EQ(menu->subItems().at(1)->key(), "mru_separator");
  EXPECT_EQ(menu->subItems().at(4)->key(), "ID_FILEEXIT");
}
