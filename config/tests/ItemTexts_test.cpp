// Descriptions, menu captions, Explorer's help texts and history entries.
#include <gtest/gtest.h>

#include <string>

#include "common/SpecialFolders.h"
#include "common/appinfo.h"
#include "config/clsOptions.h"
#include "config/RecordText.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"
#include "base/tests/testing.h"

using config::clsCorvaneData;
using config_test::Item;

namespace {

const config::clsCorvaneDataTools kTools;

std::shared_ptr<clsCorvaneData> WithOptions(std::shared_ptr<clsCorvaneData> item, std::int32_t options,
                                            std::int32_t copyOptions = 0) {
  item->m_lOptions = options;
  item->m_lCopyToX_Options = copyOptions;
  return item;
}

std::shared_ptr<clsCorvaneData> SpecialFolder(std::int32_t csidl) {
  auto item = Item(clsCorvaneData::TypeFolder, "caption");
  item->m_lOptions = clsCorvaneData::OptionsCSIDL;
  item->SetFolderCSIDL(csidl);
  return item;
}

}  // namespace

TEST(ItemTexts, DesignerDescriptionsByType) {
  auto action = Item(clsCorvaneData::TypeCustomAction, "Date");
  action->m_szAction_Actions = "{crv_date}";
  const struct {
    std::shared_ptr<clsCorvaneData> item;
    std::string text;
  } cases[] = {
      {Item(clsCorvaneData::TypeRoot, "My Menu"), "Root Level Shell Description"},
      {Item(clsCorvaneData::TypeFolder, "T", "C:\\Temp"), "Folder: C:\\Temp"},
      {SpecialFolder(35), "Windows Special Folder: " + common::GetSpecialFolderName(nullptr, 35, true)},
      {Item(clsCorvaneData::TypeSeparator, ""), "Menu Separator"},
      {Item(clsCorvaneData::TypePopupMenu, "P"), "Popup Menu"},
      {Item(clsCorvaneData::TypeFile, "F", "C:\\a.txt"), "File: C:\\a.txt"},
      {action, "Custom Action: Date"},
      {Item(clsCorvaneData::TypeSelectionTask, "List", "C:\\work"), "Selection Task: List"},
      {Item(clsCorvaneData::TypeDynamicFolder, "D", "C:\\Docs"), "Dynamic Folder: C:\\Docs"},
      {Item(clsCorvaneData::TypeCopyToX, "A", "D:\\Arc"), "Copy To: D:\\Arc"},
      {WithOptions(Item(clsCorvaneData::TypeCopyToX, "A", "D:\\Arc"), 0, 1), "Move To: D:\\Arc"},
      {Item(clsCorvaneData::TypeDesigner, ""), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(kTools.GetDesignerDescription(*c.item), c.text);
  }
}

TEST(ItemTexts, TrimCaptionKeepsTheAcceleratorWordAside) {
  const struct {
    const char* caption;
    std::int32_t maximum;
    const char* result;
  } cases[] = {
      {"&1 C:\\Documents and Settings\\All Users", 10, "&1 C:\\Documen..."},
      {"&1 C:\\Documents and Settings\\All Users", 0, "&1 C:\\Documents and Settings\\All Users"},
      {"&1 C:\\Documents and Settings\\All Users", -4, "&1 C:\\Documents and Settings\\All Users"},
      {"Program Files", 7, "Program..."},
      {"Program Files", 8, "Program..."},  // the cut ends in a blank, which goes
      {"&Tools and more", 3, "&Tools and..."},
      {"Exactly", 7, "Exactly"},
      {"&NoSpaceHereAtAll", 3, "&No..."},
      {"", 3, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    EXPECT_EQ(kTools.TrimCaption(c.caption, c.maximum), c.result);
  }
}

TEST(ItemTexts, MenuCaptionsOfUserItemsAreShortenedOnce) {
  const struct {
    std::shared_ptr<clsCorvaneData> item;
    const char* caption;
    bool userItem;
  } cases[] = {
      {Item(clsCorvaneData::TypeRoot, "A very long root caption"), "A very long root caption", false},
      {Item(clsCorvaneData::TypeFolder, "Program Files"), "Program...", true},
      {WithOptions(Item(clsCorvaneData::TypeFolder, "Docs  "), clsCorvaneData::OptionsBrowseAndOpen), "Docs...", true},
      {WithOptions(Item(clsCorvaneData::TypeFolder, "Documents"), clsCorvaneData::OptionsBrowseAndOpen), "Documen...",
       true},
      {Item(clsCorvaneData::TypeFile, "short"), "short", true},
      {Item(clsCorvaneData::TypePopupMenu, "Popup menu"), "Popup m...", true},
      {Item(clsCorvaneData::TypeCustomAction, "Act"), "Act", true},
      {Item(clsCorvaneData::TypeSelectionTask, "Task"), "Task", true},
      {Item(clsCorvaneData::TypeDynamicFolder, "Dyn"), "Dyn", true},
      {Item(clsCorvaneData::TypeCopyToX, "Copy"), "Copy", true},
      {Item(clsCorvaneData::TypeDesigner, ""), "&Designer...", false},
      {Item(clsCorvaneData::TypeResetQuickAccessMRU, ""), "Rese&t Quick Access MRU", false},
      {Item(clsCorvaneData::TypeRunDialog, ""), "Copy to Run Dialog...", false},
      {Item(clsCorvaneData::TypeAddToQuickAccessMRU, ""), "&Add To Quick Access", false},
      {Item(clsCorvaneData::TypeDynamicFolderEmpty, ""), "(Empty)", false},
      {Item(clsCorvaneData::TypeSeparator, ""), "", false},
      {Item(clsCorvaneData::TypeRestoreDesktop, ""), "", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.caption);
    bool userItem = false;
    EXPECT_EQ(kTools.MenuCaption(*c.item, userItem, 7), c.caption);
    EXPECT_EQ(userItem, c.userItem);
  }
  // Shortening is not idempotent, which is why a menu caption is shortened
  // here and nowhere else: a second pass cuts into the dots.
  bool userItem = false;
  const std::string once = kTools.MenuCaption(*Item(clsCorvaneData::TypeFile, "Programs here"), userItem, 9);
  EXPECT_EQ(once, "Programs...");
  EXPECT_EQ(kTools.TrimCaption(once, 9), "Programs....");
}

TEST(ItemTexts, ExplorerDescriptionsNameTheProductAndTheKind) {
  const std::string csidlName = common::GetSpecialFolderName(nullptr, 35, true);
  // The product name comes from the program's version resource.
  const std::string p = common::ProductName();
  const struct {
    std::shared_ptr<clsCorvaneData> item;
    std::string text;
  } cases[] = {
      {Item(clsCorvaneData::TypeFile, "a", "C:\\a.txt"), p + " File - C:\\a.txt"},
      {Item(clsCorvaneData::TypeFolder, "t", "C:\\Temp"), p + " Folder - C:\\Temp"},
      {SpecialFolder(35), csidlName.empty() ? "" : p + " Special Folder - " + csidlName},
      {Item(clsCorvaneData::TypeCustomAction, "Date"), p + " Custom Action - Date"},
      {Item(clsCorvaneData::TypeSelectionTask, "List"), p + " Selection Task - List"},
      {Item(clsCorvaneData::TypeCopyToX, "Arc"), p + " Copy To - Arc"},
      {WithOptions(Item(clsCorvaneData::TypeCopyToX, "Arc"), 0, 1), p + " Move To - Arc"},
      {Item(clsCorvaneData::TypeDesigner, ""), p + " - Start the Designer"},
      {Item(clsCorvaneData::TypeOpenInNewWindow, ""), p + " - Open the file \"C:\\f.txt\" in a new window"},
      {Item(clsCorvaneData::TypeRunDialog, ""), p + " - Send the filename \"C:\\f.txt\" to the run dialog"},
      {Item(clsCorvaneData::TypeCommandPrompt, ""), p + " - Open a command prompt starting from \"C:\\dir\""},
      {Item(clsCorvaneData::TypeRestoreDesktop, ""), p + " - Restore the desktop windows"},
      {Item(clsCorvaneData::TypeFile, "a", ""), ""},  // an empty text gives nothing
      {Item(clsCorvaneData::TypeDynamicFolder, "d", "C:\\d"), ""},
      {Item(clsCorvaneData::TypePopupMenu, "p"), ""},
      {Item(clsCorvaneData::TypeRoot, "r"), ""},
      {Item(clsCorvaneData::TypePopupHistory, ""), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    EXPECT_EQ(kTools.GetExplorerDescription(*c.item, "C:\\f.txt", "C:\\dir"), c.text);
  }
}

TEST(ItemTexts, MenuCaptionsAreShortenedToTheSetting) {
  config::clsOptions& options = config::g_oOptions();
  const std::int32_t saved = options.m_lShellMaxMenuText;
  options.m_lShellMaxMenuText = 4;
  bool userItem = false;
  EXPECT_EQ(kTools.GetMenuCaption(*Item(clsCorvaneData::TypeFile, "Notes file"), userItem), "Note...");
  EXPECT_TRUE(userItem);
  options.m_lShellMaxMenuText = 0;  // no shortening
  EXPECT_EQ(kTools.GetMenuCaption(*Item(clsCorvaneData::TypeFile, "Notes file"), userItem), "Notes file");
  options.m_lShellMaxMenuText = saved;
}

TEST(HistoryEntry, PlainEntriesKeepTheirBytes) {
  auto folder = WithOptions(Item(clsCorvaneData::TypeFolder, "Temp", "C:\\Temp"), 2);
  EXPECT_EQ(config::detail::CipherText(kTools.CreateHistoryMRU(*folder)), "1,2,\"C:\\Temp\",\"Temp\"");
  auto action = Item(clsCorvaneData::TypeCustomAction, "Date");
  action->m_szAction_Actions = "{crv_date long date}";
  EXPECT_EQ(config::detail::CipherText(kTools.CreateHistoryMRU(*action)), "7,0,\"{crv_date long date}\",\"Date\"");
  auto task = Item(clsCorvaneData::TypeSelectionTask, "List", "C:\\work");
  EXPECT_EQ(config::detail::CipherText(kTools.CreateHistoryMRU(*task)), "8,0,\"C:\\work\",\"List\"");
}

TEST(HistoryEntry, FieldsReadBackWhateverTheyHold) {
  const struct {
    std::int32_t type;
    const char* field;
    const char* caption;
  } cases[] = {
      {clsCorvaneData::TypeFolder, "C:\\Temp", "Temp"},
      {clsCorvaneData::TypeFolder, "C:\\a,b", "one, two"},
      {clsCorvaneData::TypeFile, "C:\\say \"hi\".txt", "\"quoted\""},
      {clsCorvaneData::TypeFile, "\"", "\"\""},
      {clsCorvaneData::TypeFolder, "", ""},
      {clsCorvaneData::TypeCustomAction, "line one\r\nline two\n", "two\r\nlines"},
      {clsCorvaneData::TypeCustomAction, "{crv_pause 10}\r\n\"x\",\r", " spaced "},
      {clsCorvaneData::TypeFolder, "C:\\abcdefghijklTemp", "Temp"},  // enciphers to a NUL byte
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.field);
    auto item = Item(c.type, c.caption, c.field);
    item->m_lOptions = 9;
    if (c.type == clsCorvaneData::TypeCustomAction) item->m_szAction_Actions = c.field;
    const std::string entry = kTools.CreateHistoryMRU(*item);
    clsCorvaneData back;
    kTools.BreakdownHistoryMRU(entry, back);
    EXPECT_EQ(config_test::StoredFields(back), config_test::StoredFields(*item));
  }
  const std::string zero = kTools.CreateHistoryMRU(*Item(clsCorvaneData::TypeFolder, "Temp", "C:\\abcdefghijklTemp"));
  EXPECT_NE(zero.find('\0'), std::string::npos);
}

TEST(HistoryEntry, OtherTypesRestoreOnlyTheirType) {
  for (std::int32_t type : {clsCorvaneData::TypeSelectionTask, clsCorvaneData::TypeSeparator,
                            clsCorvaneData::TypeDynamicFolder}) {
    SCOPED_TRACE(type);
    auto item = Item(type, "caption", "C:\\somewhere");
    item->m_lOptions = 3;
    clsCorvaneData back;
    kTools.BreakdownHistoryMRU(kTools.CreateHistoryMRU(*item), back);
    clsCorvaneData expected;
    expected.m_lType = type;
    EXPECT_EQ(config_test::StoredFields(back), config_test::StoredFields(expected));
  }
}

TEST(HistoryEntry, DamagedEntriesReadAsFarAsTheyGo) {
  const struct {
    const char* text;
    std::int32_t type;
    std::int32_t options;
    const char* location;
    const char* caption;
  } cases[] = {
      {"6", 6, 0, "", ""},
      {"1,4", 1, 4, "", ""},
      {"6x,2y,\"C:\\f\"", 6, 2, "C:\\f", ""},
      {" 1 , 2 , \"C:\\a\" , \"A\"", 1, 2, "C:\\a", "A"},
      {"one,two,three", 0, 0, "", ""},  // no digits: the type stays Root, nothing more is read
      {"", 0, 0, "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    clsCorvaneData back;
    kTools.BreakdownHistoryMRU(config::detail::CipherText(c.text), back);
    EXPECT_EQ(back.m_lType, c.type);
    EXPECT_EQ(back.m_lOptions, c.options);
    EXPECT_EQ(back.Location(), c.location);
    EXPECT_EQ(back.Caption(), c.caption);
  }
  clsCorvaneData back;
  EXPECT_EQ(testing_support::ErrorNumberOf(
                [&] { kTools.BreakdownHistoryMRU(config::detail::CipherText("99999999999,1"), back); }),
            base::kErrOverflow);
}
