// The configuration file format: known answers, round trips of every item
// type, and files that must be refused.
#include <gtest/gtest.h>

#include <string>

#include "base/tests/testing.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "widgets/TreeView.h"
#include "widgets/tests/TreeShape.h"

using config::clsCorvaneData;
using config::clsCorvaneDataTools;
using config::clsFileHeader;
using config::MemoryFile;
using config_test::AddNode;
using config_test::FileOf;
using config_test::Item;
using config_test::RecordTexts;
using config_test::StoredFields;
using config_test::ToHex;
using testing_support::ErrorNumberOf;
using widgets::TreeNode;
using widgets::TreeView;

namespace {

const clsCorvaneDataTools kTools;

std::string WriteTree(const TreeView& tree) {
  MemoryFile file;
  TreeView temp;
  kTools.File_WriteConfig(file, tree, temp);
  EXPECT_EQ(temp.Count(), 0);  // the scratch tree is left empty
  return file.Bytes();
}

// Every user item type, nested: the fixture of the round trips.
void FillEveryType(TreeView& tree) {
  TreeNode& root = AddNode(tree, nullptr, Item(clsCorvaneData::TypeRoot, "My Menu"));
  auto folder = Item(clsCorvaneData::TypeFolder, "Temp", "C:\\Temp");
  folder->m_lOptions = clsCorvaneData::OptionsExploreInNewWindow | clsCorvaneData::OptionsBrowseAndOpen;
  AddNode(tree, &root, folder);
  auto special = Item(clsCorvaneData::TypeFolder, "");
  special->m_lOptions = clsCorvaneData::OptionsCSIDL;
  special->SetFolderCSIDL(35);
  AddNode(tree, &root, special);
  TreeNode& popup = AddNode(tree, &root, Item(clsCorvaneData::TypePopupMenu, "Tools, \"quoted\""));
  AddNode(tree, &popup, Item(clsCorvaneData::TypeFile, "Notes", "C:\\notes.txt"));
  auto action = Item(clsCorvaneData::TypeCustomAction, "Type date");
  action->m_szAction_Actions = "{crv_date long date}~";
  AddNode(tree, &popup, action);
  AddNode(tree, &popup, Item(clsCorvaneData::TypeSeparator, ""));
  auto task = Item(clsCorvaneData::TypeSelectionTask, "List", "C:\\work");
  task->m_szSelection_Command = "notepad.exe";
  task->m_szSelection_Parms = "%1";
  task->m_szSelection_File = "C:\\list.txt";
  task->m_szSelection_CmdPrefix = "\"";
  task->m_szSelection_CmdSuffix = "\" ";
  task->m_szSelection_FilePrefix = "- ";
  task->m_szSelection_FileSuffix = "\\r\\n";
  task->m_szSelection_Filter = "*.txt";
  task->m_lSelection_Options = 255;
  AddNode(tree, &root, task);
  auto dynamic = Item(clsCorvaneData::TypeDynamicFolder, "Docs", "C:\\Docs");
  dynamic->m_szDFolder_Filter = "*.doc";
  dynamic->m_lDFolder_Options = -7;
  AddNode(tree, &root, dynamic);
  auto move = Item(clsCorvaneData::TypeCopyToX, "Archive", "D:\\Archive");
  move->m_lCopyToX_Options = clsCorvaneData::CopyToXOptions_Move;
  AddNode(tree, &root, move);
}

}  // namespace

TEST(ConfigFile, RootOnlyFileIsTheKnownAnswer) {
  TreeView tree;
  auto root = Item(clsCorvaneData::TypeRoot, "My Menu");
  AddNode(tree, nullptr, root);
  MemoryFile file;
  TreeView temp;
  EXPECT_EQ(kTools.File_WriteConfig(file, tree, temp), 0);
  EXPECT_EQ(ToHex(file.Bytes()), "080001006008000500612ce62c3e08000500612ce72c3f080007001c79f74d6b6ed9");
  EXPECT_EQ(RecordTexts(file.Bytes()), (std::vector<std::string>{"1", "0,1,0", "0,0,1", "My Menu"}));
  EXPECT_TRUE(root->OptionsIsLeaf());  // the item in the source tree has it too

  root->SetCaption("");
  EXPECT_EQ(ToHex(WriteTree(tree)).substr(46), "08000000");  // after 23 bytes of version and headers
  MemoryFile empty;
  kTools.File_WriteString(empty, "");
  EXPECT_EQ(ToHex(empty.Bytes()), "08000000");
  EXPECT_EQ(kTools.File_ReadString(empty = MemoryFile(empty.Bytes())), "");
}

TEST(ConfigFile, GroupsComeInPreOrderWithParentIndexesAndLeafBits) {
  TreeView tree;
  TreeNode& root = AddNode(tree, nullptr, Item(clsCorvaneData::TypeRoot, "r"));
  TreeNode& a = AddNode(tree, &root, Item(clsCorvaneData::TypePopupMenu, "A"));
  AddNode(tree, &root, Item(clsCorvaneData::TypePopupMenu, "B"));
  AddNode(tree, &a, Item(clsCorvaneData::TypePopupMenu, "A1"));  // added last, written third
  EXPECT_EQ(RecordTexts(WriteTree(tree)),
            (std::vector<std::string>{"1", "0,4,0", "0,0,1", "r", "1,2,0", "A", "2,2,1", "A1", "1,2,1", "B"}));
}

TEST(ConfigFile, TypeStringsComeInTheFileOrder) {
  TreeView tree;
  FillEveryType(tree);
  const std::vector<std::string> texts = RecordTexts(WriteTree(tree));
  const std::vector<std::string> expected = {
      "1", "0,10,5",  // Folder, Folder (CSIDL), File, CustomAction, DynamicFolder count
      "0,0,1", "My Menu",
      "1,1,10", "C:\\Temp", "Temp",
      "1,1,4", "35", "",
      "1,2,0", "Tools, \"quoted\"",
      "4,6,0", "C:\\notes.txt", "Notes",
      "4,7,0", "{crv_date long date}~", "Type date",  // the command text before the caption
      "4,3,1",                                        // a separator has no strings
      "1,8,0", "C:\\work", "List", "notepad.exe", "%1", "\"", "\" ", "C:\\list.txt", "- ", "\\r\\n", "*.txt", "255",
      "1,9,0", "C:\\Docs", "Docs", "*.doc", "-7",
      "1,10,1", "D:\\Archive", "Archive", "1"};
  EXPECT_EQ(texts, expected);
}

TEST(ConfigFile, EveryTypeReadsBackWhole) {
  TreeView tree;
  FillEveryType(tree);
  const std::string bytes = WriteTree(tree);
  TreeView loaded;
  MemoryFile file(bytes);
  std::string error;
  ASSERT_TRUE(kTools.TVW_ReadConfig(loaded, file, error, false)) << error;
  EXPECT_EQ(error, "");
  ASSERT_EQ(loaded.Count(), tree.Count());
  for (std::int32_t i = 1; i <= tree.Count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(StoredFields(*config::NodeItem(loaded.Item(i))), StoredFields(*config::NodeItem(tree.Item(i))));
    const TreeNode* parent = loaded.Item(i).Parent();
    const TreeNode* expectedParent = tree.Item(i).Parent();
    EXPECT_EQ(parent ? parent->Index() : 0, expectedParent ? expectedParent->Index() : 0);
  }
  // Written again, the loaded tree gives the same bytes.
  EXPECT_EQ(WriteTree(loaded), bytes);
}

TEST(ConfigFile, ReadingOperationsFollowTheRecords) {
  MemoryFile file(FileOf({"1", "0,4", "3,6,1", "C:\\a.txt", "A", "3,6", "3,6,1,9"}));
  EXPECT_EQ(kTools.File_ReadVersion(file), 1);
  clsFileHeader header;
  header.m_lNumCommands = 77;
  ASSERT_TRUE(kTools.File_ReadHeader(file, header));
  EXPECT_EQ(header.m_lNumNodes, 4);
  EXPECT_EQ(header.m_lNumCommands, 77);  // a header of two fields keeps it
  // A count below one is still a header; only Designer's loader refuses it.
  for (const std::int32_t count : {0, -2}) {
    MemoryFile counts(FileOf({"0," + std::to_string(count)}));
    clsFileHeader none;
    ASSERT_TRUE(kTools.File_ReadHeader(counts, none)) << count;
    EXPECT_EQ(none.m_lNumNodes, count);
  }
  clsCorvaneData item;
  std::int32_t parent = -1;
  ASSERT_TRUE(kTools.File_ReadItemHeader(file, parent, item, 4));
  EXPECT_EQ(parent, 3);
  EXPECT_TRUE(item.IsTypeFile());
  EXPECT_EQ(item.m_lOptions, 1);
  kTools.ReadData(file, item);
  EXPECT_EQ(item.m_szFile_Location, "C:\\a.txt");
  EXPECT_EQ(item.m_szFile_Caption, "A");
  clsCorvaneData untouched;
  EXPECT_FALSE(kTools.File_ReadItemHeader(file, parent, untouched, 9));  // two fields
  EXPECT_FALSE(kTools.File_ReadItemHeader(file, parent, untouched, 9));  // four fields
  EXPECT_EQ(parent, 3);
  EXPECT_EQ(StoredFields(untouched), StoredFields(clsCorvaneData()));
  EXPECT_EQ(ErrorNumberOf([&] { kTools.File_ReadString(file); }), base::kErrPastEnd);
}

// Parent indexes that do not name an earlier group, a count below one and
// records that are not text records are all a corrupt file.
TEST(ConfigFile, MalformedRecordsAreRefused) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string error;  // the start of the error text
  };
  const std::string tag9 = config_test::FromHex("09000100") + "x";
  const Case cases[] = {
      {"version 2", FileOf({"2", "0,1,0", "0,0,1", "r"}), "Invalid file version!"},
      {"version 0", FileOf({"0", "0,1,0", "0,0,1", "r"}), "Invalid file version!"},
      {"a header of one field", FileOf({"1", "0", "0,0,1", "r"}), "File is corrupt!"},
      {"no items", FileOf({"1", "0,0,0", "0,0,1", "r"}), "File is corrupt!"},
      {"a negative count", FileOf({"1", "0,-3,0", "0,0,1", "r"}), "File is corrupt!"},
      {"an item header of two fields", FileOf({"1", "0,1,0", "0,0", "r"}), "File is corrupt!"},
      {"a negative parent", FileOf({"1", "0,2,0", "0,0,1", "r", "-1,2,1", "p"}), "File is corrupt!"},
      {"its own parent", FileOf({"1", "0,2,0", "0,0,1", "r", "2,2,1", "p"}), "File is corrupt!"},
      {"a later parent", FileOf({"1", "0,3,0", "0,0,1", "r", "3,2,1", "p", "1,2,1", "q"}), "File is corrupt!"},
      {"a root with a parent", FileOf({"1", "0,1,0", "1,0,1", "r"}), "File is corrupt!"},
      {"a record tag 9", FileOf({"1", "0,1,0", "0,0,1"}) + tag9, "File is corrupt!\r\n\r\n\r\nError "},
      {"a tag 9 header", FileOf({"1"}) + tag9, "File is corrupt!\r\n\r\n\r\nError "},
      {"a header that is no number", FileOf({"1", "a,b,c"}), "File is corrupt!\r\n\r\n\r\nError 13 - Type mismatch"},
      {"a count too large", FileOf({"1", "0,99999999999,0"}), "File is corrupt!\r\n\r\n\r\nError 6 - Overflow"},
      {"options that are no number", FileOf({"1", "0,2,0", "0,0,1", "r", "1,10,0", "D:\\", "x", "one"}),
       "File is corrupt!\r\n\r\n\r\nError 13 - Type mismatch"},
      {"a second top-level item", FileOf({"1", "0,2,0", "0,0,1", "r", "0,2,1", "p"}),
       "File is corrupt!\r\n\r\n\r\nError 35602 - Key is not unique in collection"},
      {"an empty file", "", "File is corrupt!\r\n\r\n\r\nError 62 - Input past end of file"},
      {"a file that ends after its header", FileOf({"1", "0,1,0"}),
       "File is corrupt!\r\n\r\n\r\nError 62 - Input past end of file"},
      {"a length beyond the end", FileOf({"1"}) + config_test::FromHex("0800ffff") + "abc",
       "File is corrupt!\r\n\r\n\r\nError 62 - Input past end of file"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TreeView tree;
    MemoryFile file(c.bytes);
    std::string error;
    EXPECT_FALSE(kTools.TVW_ReadConfig(tree, file, error, false));
    EXPECT_EQ(error.substr(0, c.error.size()), c.error) << error;
  }
}

TEST(ConfigFile, ShortAndLongFilesReadWhatTheyHold) {
  struct Case {
    const char* what;
    std::string bytes;
    std::string shape;
  };
  const Case cases[] = {
      {"more items announced than held", FileOf({"1", "0,4", "0,0,1", "r", "1,2,1", "p"}), "r[p]"},
      {"a record cut short", FileOf({"1", "0,2,0", "0,0,1", "r"}) + config_test::FromHex("080009"), "r"},
      {"garbage after the last group", FileOf({"1", "0,1,0", "0,0,1", "r"}) + "\x09\x00garbage", "r"},
      {"fewer items announced than held", FileOf({"1", "0,1,0", "0,0,1", "r", "1,2,1", "p"}), "r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TreeView tree;
    MemoryFile file(c.bytes);
    std::string error;
    EXPECT_TRUE(kTools.TVW_ReadConfig(tree, file, error, false)) << error;
    EXPECT_EQ(testing_support::Shape(tree), c.shape);
  }
}

TEST(ConfigFile, ASmallerSaveOverALargerFileStillReads) {
  TreeView big, small;
  FillEveryType(big);
  AddNode(small, nullptr, Item(clsCorvaneData::TypeRoot, "small"));
  MemoryFile file;
  TreeView temp;
  kTools.File_WriteConfig(file, big, temp);
  const size_t bigSize = file.Bytes().size();
  file.Seek(0);
  kTools.File_WriteConfig(file, small, temp);
  EXPECT_EQ(file.Bytes().size(), bigSize);  // the old tail stays
  file.Seek(0);
  TreeView loaded;
  std::string error;
  ASSERT_TRUE(kTools.TVW_ReadConfig(loaded, file, error, false)) << error;
  EXPECT_EQ(testing_support::Shape(loaded), "small");
}

TEST(ConfigFile, ATextTooLongForARecordFailsBeforeAnythingIsWritten) {
  TreeView tree;
  TreeNode& root = AddNode(tree, nullptr, Item(clsCorvaneData::TypeRoot, "r"));
  auto file = Item(clsCorvaneData::TypeFile, std::string(65535, 'c'), "C:\\a.txt");
  AddNode(tree, &root, file);
  const std::string fits = WriteTree(tree);
  MemoryFile fitting(fits);
  TreeView loaded;
  std::string error;
  ASSERT_TRUE(kTools.TVW_ReadConfig(loaded, fitting, error, false)) << error;
  EXPECT_EQ(config::NodeItem(loaded.Item(2))->m_szFile_Caption.size(), 65535u);

  file->m_szFile_Location = std::string(65536, 'l');
  MemoryFile old("the old file");
  TreeView temp;
  try {
    kTools.File_WriteConfig(old, tree, temp);
    ADD_FAILURE() << "no error";
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), base::kErrOverflow);
    EXPECT_NE(e.Description().find("65536"), std::string::npos) << e.Description();
  }
  EXPECT_EQ(old.Bytes(), "the old file");
  EXPECT_EQ(temp.Count(), 0);
}

// A parent's group comes before its children's, but a file need not be in
// pre-order; the tree is built right, and saving puts it in pre-order.
TEST(ConfigFile, GroupsOutOfPreOrderLoadAndSaveInPreOrder) {
  MemoryFile file(FileOf({"1", "0,4,0", "0,0,1", "r", "1,2,0", "A", "1,2,1", "B", "2,2,1", "A1"}));
  TreeView tree;
  std::string error;
  ASSERT_TRUE(kTools.TVW_ReadConfig(tree, file, error, false)) << error;
  EXPECT_EQ(testing_support::Shape(tree), "r[A[A1] B]");
  EXPECT_EQ(RecordTexts(WriteTree(tree)),
            (std::vector<std::string>{"1", "0,4,0", "0,0,1", "r", "1,2,0", "A", "2,2,1", "A1", "1,2,1", "B"}));
}
