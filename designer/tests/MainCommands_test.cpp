#include "designer/MainCommands.h"

#include <gtest/gtest.h>

#include "config/clsCorvaneData.h"

using namespace designer;
using config::clsCorvaneData;

namespace {

TEST(MainCommands, NumberedKeysNeedAWholePositiveNumber) {
  struct Row {
    const char* key;
    Command command;
    std::int32_t number;
  } rows[] = {
      {"mru_1", Command::RecentFile, 1},     {"MRU_3", Command::RecentFile, 3},
      {"qa_12", Command::QuickAccess, 12},   {"Qa_2", Command::QuickAccess, 2},
      {"mru_", Command::None, 0},            {"qa_", Command::None, 0},
      {"mru_0", Command::None, 0},           {"mru_-1", Command::None, 0},
      {"qa_x", Command::None, 0},            {"mru_2x", Command::None, 0},
      {"mru_ 2", Command::None, 0},          {"qa_99999999999", Command::None, 0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    const ParsedCommand p = ParseCommandKey(row.key);
    EXPECT_EQ(p.command, row.command);
    if (row.command != Command::None) {
      EXPECT_EQ(p.number, row.number);
    }
  }
}

TEST(MainCommands, KeysIgnoreCaseAndUnknownKeysDoNothing) {
  EXPECT_EQ(ParseCommandKey("ID_FILESAVEAS").command, Command::FileSaveAs);
  EXPECT_EQ(ParseCommandKey("id_viewtestmenu").command, Command::ViewTestMenu);
  for (const char* key : {"id_editcut", "id_editcopy", "id_editpaste", "id_foreground", "id_file", "", "id_filesav"})
    EXPECT_EQ(ParseCommandKey(key).command, Command::None) << key;
}

TEST(MainCommands, AddCommandsGiveTheTypeAndOpenMode) {
  struct Row {
    const char* key;
    std::int32_t type, mode;
  } rows[] = {
      {"id_editadd", clsCorvaneData::TypeFolder, 0},
      {"id_editadd_folder", clsCorvaneData::TypeFolder, 1},
      {"id_editadd_dfolder", clsCorvaneData::TypeDynamicFolder, 1},
      {"id_editadd_folderspecial", clsCorvaneData::TypeFolder, 2},
      {"id_editadd_popupmenu", clsCorvaneData::TypePopupMenu, 0},
      {"id_editadd_separator", clsCorvaneData::TypeSeparator, 0},
      {"id_editadd_file", clsCorvaneData::TypeFile, 1},
      {"id_editadd_customaction", clsCorvaneData::TypeCustomAction, 1},
      {"id_editadd_selectiontask", clsCorvaneData::TypeSelectionTask, 1},
      {"id_editadd_copytox", clsCorvaneData::TypeCopyToX, 1},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.key);
    std::int32_t type = -1, mode = -1;
    ASSERT_TRUE(AddCommandItem(ParseCommandKey(row.key).command, type, mode));
    EXPECT_EQ(type, row.type);
    EXPECT_EQ(mode, row.mode);
  }
  std::int32_t type = 0, mode = 0;
  EXPECT_FALSE(AddCommandItem(Command::Delete, type, mode));
}

}  // namespace
