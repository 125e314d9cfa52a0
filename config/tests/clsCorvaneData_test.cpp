#include "config/clsCorvaneData.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

#include "base/error.h"
#include "base/variant.h"

using config::clsCorvaneData;

TEST(CorvaneData, NewItemIsAnEmptyRoot) {
  clsCorvaneData item;
  EXPECT_TRUE(item.IsTypeRoot());
  EXPECT_EQ(item.Caption(), "");
  EXPECT_EQ(item.Location(), "");
  EXPECT_EQ(item.FolderCSIDL(), 0);
  EXPECT_EQ(item.m_oBitmap, nullptr);
  EXPECT_EQ(item.TVW_GetAddRelationship(), 4);
}

// Caption and Location reach the field of the current type, and nothing else.
TEST(CorvaneData, CaptionAndLocationFollowTheType) {
  const struct {
    std::int32_t type;
    std::string clsCorvaneData::*caption;
    std::string clsCorvaneData::*location;
    std::int32_t relationship;
  } cases[] = {
      {clsCorvaneData::TypeRoot, &clsCorvaneData::m_szRoot_Caption, nullptr, 4},
      {clsCorvaneData::TypeFolder, &clsCorvaneData::m_szFolder_Caption, &clsCorvaneData::m_szFolder_Location, 2},
      {clsCorvaneData::TypePopupMenu, &clsCorvaneData::m_szPopupMenu_caption, nullptr, 4},
      {clsCorvaneData::TypeSeparator, nullptr, nullptr, 2},
      {clsCorvaneData::TypeFile, &clsCorvaneData::m_szFile_Caption, &clsCorvaneData::m_szFile_Location, 2},
      {clsCorvaneData::TypeCustomAction, &clsCorvaneData::m_szAction_Caption, nullptr, 2},
      {clsCorvaneData::TypeSelectionTask, &clsCorvaneData::m_szSelection_Caption,
       &clsCorvaneData::m_szSelection_WorkingDir, 0},
      {clsCorvaneData::TypeDynamicFolder, &clsCorvaneData::m_szDFolder_Caption,
       &clsCorvaneData::m_szDFolder_Location, 2},
      {clsCorvaneData::TypeCopyToX, &clsCorvaneData::m_szCopyToX_Caption, &clsCorvaneData::m_szCopyToX_Location, 2},
      {clsCorvaneData::TypeDesigner, nullptr, nullptr, 0},
      {clsCorvaneData::TypeDynamicFolderEmpty, nullptr, nullptr, 0},
      {5, nullptr, nullptr, 0},  // an unassigned code
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.type);
    clsCorvaneData item;
    item.m_lType = c.type;
    item.SetCaption("cap");
    item.SetLocation("loc");
    EXPECT_EQ(item.Caption(), c.caption ? "cap" : "");
    EXPECT_EQ(item.Location(), c.location ? "loc" : "");

    // Every other text field is untouched.
    clsCorvaneData expected;
    expected.m_lType = c.type;
    if (c.caption) expected.*c.caption = "cap";
    if (c.location) expected.*c.location = "loc";
    for (auto field : {&clsCorvaneData::m_szRoot_Caption, &clsCorvaneData::m_szFolder_Location,
                       &clsCorvaneData::m_szFolder_Caption, &clsCorvaneData::m_szPopupMenu_caption,
                       &clsCorvaneData::m_szFile_Location, &clsCorvaneData::m_szFile_Caption,
                       &clsCorvaneData::m_szAction_Caption, &clsCorvaneData::m_szAction_Actions,
                       &clsCorvaneData::m_szSelection_WorkingDir, &clsCorvaneData::m_szSelection_Caption,
                       &clsCorvaneData::m_szDFolder_Location, &clsCorvaneData::m_szDFolder_Caption,
                       &clsCorvaneData::m_szCopyToX_Location, &clsCorvaneData::m_szCopyToX_Caption})
      EXPECT_EQ(item.*field, expected.*field);
    EXPECT_EQ(item.TVW_GetAddRelationship(), c.relationship);
  }
}

// Each code has its own test, and only that test holds for it.
TEST(CorvaneData, TypeTestsMatchTheirCodes) {
  using Test = bool (clsCorvaneData::*)() const;
  const struct {
    std::int32_t code;
    Test test;
  } tests[] = {
      {0, &clsCorvaneData::IsTypeRoot},
      {1, &clsCorvaneData::IsTypeFolder},
      {2, &clsCorvaneData::IsTypePopupMenu},
      {3, &clsCorvaneData::IsTypeSeparator},
      {6, &clsCorvaneData::IsTypeFile},
      {7, &clsCorvaneData::IsTypeCustomAction},
      {8, &clsCorvaneData::IsTypeSelectionTask},
      {9, &clsCorvaneData::IsTypeDynamicFolder},
      {10, &clsCorvaneData::IsTypeCopyToX},
      {1000, &clsCorvaneData::IsTypeResetHistoryMRU},
      {1001, &clsCorvaneData::IsTypeResetQuickAccessMRU},
      {1002, &clsCorvaneData::IsTypeDesigner},
      {1003, &clsCorvaneData::IsTypeOpenInNewWindow},
      {1005, &clsCorvaneData::IsTypeCopyFilenamesToClipbard},
      {1006, &clsCorvaneData::IsTypeRunDialog},
      {1007, &clsCorvaneData::IsTypeCommandPrompt},
      {1008, &clsCorvaneData::IsTypeCopyTo},
      {1009, &clsCorvaneData::IsTypeMoveTo},
      {1010, &clsCorvaneData::IsTypeTaskManager},
      {1011, &clsCorvaneData::IsTypeShowDesktop},
      {1012, &clsCorvaneData::IsTypeRestoreDesktop},
      {1015, &clsCorvaneData::IsTypeDynamicFolderEmpty},
  };
  // The codes without a test of their own.
  EXPECT_EQ(clsCorvaneData::TypeAddToQuickAccessMRU, 1004);
  EXPECT_EQ(clsCorvaneData::TypePopupHistory, 1013);
  EXPECT_EQ(clsCorvaneData::TypePopupQuickAccess, 1014);
  clsCorvaneData item;
  for (std::int32_t code : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 1000, 1001, 1002, 1003, 1004, 1005, 1006, 1007,
                            1008, 1009, 1010, 1011, 1012, 1013, 1014, 1015}) {
    SCOPED_TRACE(code);
    item.m_lType = code;
    for (const auto& t : tests) EXPECT_EQ((item.*t.test)(), t.code == code) << "test of " << t.code;
  }
}

TEST(CorvaneData, FolderCSIDL) {
  const struct {
    std::string location;
    std::int32_t csidl;
    long error;
  } cases[] = {
      {"", 0, 0}, {"   ", 0, 0}, {"5", 5, 0}, {" 36 ", 36, 0}, {"abc", 0, base::kErrTypeMismatch},
      {"C:\\Windows", 0, base::kErrTypeMismatch}, {"99999999999", 0, base::kErrOverflow},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location);
    clsCorvaneData item;
    item.m_lType = clsCorvaneData::TypeFile;  // read whatever the type
    item.m_szFolder_Location = c.location;
    try {
      EXPECT_EQ(item.FolderCSIDL(), c.csidl);
      EXPECT_EQ(c.error, 0);
    } catch (const base::Error& e) {
      EXPECT_EQ(e.Number(), c.error);
      EXPECT_EQ(e.Source(), "FolderCSIDL");
    }
  }
  clsCorvaneData item;
  item.SetFolderCSIDL(5);
  EXPECT_EQ(item.m_szFolder_Location, "5");
  item.SetFolderCSIDL(-2);
  EXPECT_EQ(item.FolderCSIDL(), -2);
}

TEST(CorvaneData, ResetKeepsOnlyTheActionTexts) {
  clsCorvaneData item;
  item.m_lType = clsCorvaneData::TypeCustomAction;
  item.m_lOptions = 3;
  item.m_lSelection_Options = 7;
  item.m_lDFolder_Options = 1;
  item.m_lCopyToX_Options = 1;
  item.m_szAction_Caption = "Send";
  item.m_szAction_Actions = "^c";
  item.m_szRoot_Caption = "root";
  item.m_szSelection_Filter = "*.txt";
  item.m_szCopyToX_Location = "C:\\x";
  item.m_oBitmap = std::make_shared<base::Object>();

  item.Reset();
  clsCorvaneData expected;
  expected.m_szAction_Caption = "Send";
  expected.m_szAction_Actions = "^c";
  EXPECT_TRUE(item.IsTypeRoot());
  EXPECT_EQ(item.Caption(), "");
  EXPECT_EQ(item.m_oBitmap, nullptr);
  EXPECT_EQ(std::tie(item.m_lOptions, item.m_lSelection_Options, item.m_lDFolder_Options, item.m_lCopyToX_Options,
                     item.m_szRoot_Caption, item.m_szSelection_Filter, item.m_szCopyToX_Location,
                     item.m_szAction_Caption, item.m_szAction_Actions),
            std::tie(expected.m_lOptions, expected.m_lSelection_Options, expected.m_lDFolder_Options,
                     expected.m_lCopyToX_Options, expected.m_szRoot_Caption, expected.m_szSelection_Filter,
                     expected.m_szCopyToX_Location, expected.m_szAction_Caption, expected.m_szAction_Actions));
}

TEST(CorvaneData, OptionTests) {
  clsCorvaneData item;
  item.m_lOptions = clsCorvaneData::OptionsLeaf | clsCorvaneData::OptionsCSIDL;
  EXPECT_TRUE(item.OptionsIsLeaf());
  EXPECT_FALSE(item.OptionsIsExploreInNewWindow());
  EXPECT_TRUE(item.OptionsIsCSIDL());
  EXPECT_FALSE(item.OptionsIsBrowseAndOpen());

  // The selection and copy tests hand back the bit itself.
  item.m_lSelection_Options = 48;
  EXPECT_EQ(item.SelectionOptions_IsClipboard(), 16);
  EXPECT_EQ(item.SelectionOptions_IsFQP(), 32);
  EXPECT_EQ(item.SelectionOptions_IsShowAlways() | item.SelectionOptions_IsShowSingle() |
                item.SelectionOptions_IsShowMultiple() | item.SelectionOptions_IsRecurse() |
                item.SelectionOptions_IsQIS() | item.SelectionOptions_IsShortNames(),
            0);
  item.m_lSelection_Options = 0xFF;
  EXPECT_EQ(item.SelectionOptions_IsShortNames(), 128);
  EXPECT_EQ(item.CopyToXOptions_IsMove(), 0);
  item.m_lCopyToX_Options = 1;
  EXPECT_EQ(item.CopyToXOptions_IsMove(), 1);
}

// Designer's tree and Fennick's collections hold items as dynamic values.
TEST(CorvaneData, TravelsInAVariant) {
  auto item = std::make_shared<clsCorvaneData>();
  item->m_lType = clsCorvaneData::TypePopupMenu;
  item->SetCaption("Tools");
  base::Variant tag{std::shared_ptr<base::Object>(item)};
  auto back = tag.As<clsCorvaneData>();
  ASSERT_EQ(back, item);
  EXPECT_EQ(back->Caption(), "Tools");
  EXPECT_EQ(back->TVW_GetAddRelationship(), 4);
}
