// One menu item of a configuration: the payload of every designer-tree node
// and of every Fennick menu command. A new item is an empty Root item.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "base/variant.h"

namespace config {

class clsCorvaneData : public base::Object {
 public:
  // Item type codes. 0 to 10 are the user's items, stored in the configuration
  // file; 1000 and up are the built-in commands Fennick makes at run time.
  static constexpr std::int32_t TypeRoot = 0;
  static constexpr std::int32_t TypeFolder = 1;
  static constexpr std::int32_t TypePopupMenu = 2;
  static constexpr std::int32_t TypeSeparator = 3;
  static constexpr std::int32_t TypeFile = 6;
  static constexpr std::int32_t TypeCustomAction = 7;
  static constexpr std::int32_t TypeSelectionTask = 8;
  static constexpr std::int32_t TypeDynamicFolder = 9;
  static constexpr std::int32_t TypeCopyToX = 10;
  static constexpr std::int32_t TypeResetHistoryMRU = 1000;
  static constexpr std::int32_t TypeResetQuickAccessMRU = 1001;
  static constexpr std::int32_t TypeDesigner = 1002;
  static constexpr std::int32_t TypeOpenInNewWindow = 1003;
  static constexpr std::int32_t TypeAddToQuickAccessMRU = 1004;
  static constexpr std::int32_t TypeCopyFilenamesToClipboard = 1005;
  static constexpr std::int32_t TypeRunDialog = 1006;
  static constexpr std::int32_t TypeCommandPrompt = 1007;
  static constexpr std::int32_t TypeCopyTo = 1008;
  static constexpr std::int32_t TypeMoveTo = 1009;
  static constexpr std::int32_t TypeTaskManager = 1010;
  static constexpr std::int32_t TypeShowDesktop = 1011;
  static constexpr std::int32_t TypeRestoreDesktop = 1012;
  static constexpr std::int32_t TypePopupHistory = 1013;
  static constexpr std::int32_t TypePopupQuickAccess = 1014;
  static constexpr std::int32_t TypeDynamicFolderEmpty = 1015;

  // Bits of m_lOptions.
  static constexpr std::int32_t OptionsLeaf = 1;
  static constexpr std::int32_t OptionsExploreInNewWindow = 2;
  static constexpr std::int32_t OptionsCSIDL = 4;
  static constexpr std::int32_t OptionsBrowseAndOpen = 8;
  // Bits of m_lSelection_Options.
  static constexpr std::int32_t SelectionOptions_ShowAlways = 1;
  static constexpr std::int32_t SelectionOptions_ShowSingle = 2;
  static constexpr std::int32_t SelectionOptions_ShowMultiple = 4;
  static constexpr std::int32_t SelectionOptions_Recurse = 8;
  static constexpr std::int32_t SelectionOptions_Clipboard = 16;
  static constexpr std::int32_t SelectionOptions_FQP = 32;
  static constexpr std::int32_t SelectionOptions_QIS = 64;
  static constexpr std::int32_t SelectionOptions_ShortNames = 128;
  // Bits of m_lCopyToX_Options.
  static constexpr std::int32_t CopyToXOptions_Move = 1;

  std::int32_t m_lType = 0;
  std::int32_t m_lOptions = 0;
  std::string m_szRoot_Caption;
  std::string m_szFolder_Location;  // a CSIDL as decimal text when OptionsCSIDL is set
  std::string m_szFolder_Caption;
  std::string m_szPopupMenu_caption;
  std::string m_szFile_Location;
  std::string m_szFile_Caption;
  std::string m_szAction_Caption;
  std::string m_szAction_Actions;
  std::string m_szSelection_WorkingDir;
  std::string m_szSelection_Caption;
  std::string m_szSelection_Command;
  std::string m_szSelection_Parms;
  std::string m_szSelection_File;
  std::string m_szSelection_CmdPrefix;
  std::string m_szSelection_CmdSuffix;
  std::string m_szSelection_FilePrefix;
  std::string m_szSelection_FileSuffix;
  std::string m_szSelection_Filter;
  std::int32_t m_lSelection_Options = 0;
  std::string m_szDFolder_Location;
  std::string m_szDFolder_Caption;
  std::string m_szDFolder_Filter;
  std::int32_t m_lDFolder_Options = 0;
  std::string m_szCopyToX_Location;
  std::string m_szCopyToX_Caption;
  std::int32_t m_lCopyToX_Options = 0;
  // Fennick's bitmap-collection entry for the menu entry; never stored.
  std::shared_ptr<base::Object> m_oBitmap;

  bool IsTypeRoot() const { return m_lType == TypeRoot; }
  bool IsTypeFolder() const { return m_lType == TypeFolder; }
  bool IsTypePopupMenu() const { return m_lType == TypePopupMenu; }
  bool IsTypeSeparator() const { return m_lType == TypeSeparator; }
  bool IsTypeFile() const { return m_lType == TypeFile; }
  bool IsTypeCustomAction() const { return m_lType == TypeCustomAction; }
  bool IsTypeSelectionTask() const { return m_lType == TypeSelectionTask; }
  bool IsTypeDynamicFolder() const { return m_lType == TypeDynamicFolder; }
  bool IsTypeCopyToX() const { return m_lType == TypeCopyToX; }
  bool IsTypeResetHistoryMRU() const { return m_lType == TypeResetHistoryMRU; }
  bool IsTypeResetQuickAccessMRU() const { return m_lType == TypeResetQuickAccessMRU; }
  bool IsTypeDesigner() const { return m_lType == TypeDesigner; }
  bool IsTypeOpenInNewWindow() const { return m_lType == TypeOpenInNewWindow; }
  bool IsTypeCopyFilenamesToClipbard() const { return m_lType == TypeCopyFilenamesToClipboard; }
  bool IsTypeRunDialog() const { return m_lType == TypeRunDialog; }
  bool IsTypeCommandPrompt() const { return m_lType == TypeCommandPrompt; }
  bool IsTypeCopyTo() const { return m_lType == TypeCopyTo; }
  bool IsTypeMoveTo() const { return m_lType == TypeMoveTo; }
  bool IsTypeTaskManager() const { return m_lType == TypeTaskManager; }
  bool IsTypeShowDesktop() const { return m_lType == TypeShowDesktop; }
  bool IsTypeRestoreDesktop() const { return m_lType == TypeRestoreDesktop; }
  bool IsTypeDynamicFolderEmpty() const { return m_lType == TypeDynamicFolderEmpty; }

  bool OptionsIsLeaf() const { return (m_lOptions & OptionsLeaf) > 0; }
  bool OptionsIsExploreInNewWindow() const { return (m_lOptions & OptionsExploreInNewWindow) > 0; }
  bool OptionsIsCSIDL() const { return (m_lOptions & OptionsCSIDL) > 0; }
  bool OptionsIsBrowseAndOpen() const { return (m_lOptions & OptionsBrowseAndOpen) > 0; }

  // These hand back the bit itself (non-zero means set), not a flag.
  std::int32_t SelectionOptions_IsShowAlways() const { return m_lSelection_Options & SelectionOptions_ShowAlways; }
  std::int32_t SelectionOptions_IsShowSingle() const { return m_lSelection_Options & SelectionOptions_ShowSingle; }
  std::int32_t SelectionOptions_IsShowMultiple() const { return m_lSelection_Options & SelectionOptions_ShowMultiple; }
  std::int32_t SelectionOptions_IsRecurse() const { return m_lSelection_Options & SelectionOptions_Recurse; }
  std::int32_t SelectionOptions_IsClipboard() const { return m_lSelection_Options & SelectionOptions_Clipboard; }
  std::int32_t SelectionOptions_IsFQP() const { return m_lSelection_Options & SelectionOptions_FQP; }
  std::int32_t SelectionOptions_IsQIS() const { return m_lSelection_Options & SelectionOptions_QIS; }
  std::int32_t SelectionOptions_IsShortNames() const { return m_lSelection_Options & SelectionOptions_ShortNames; }
  std::int32_t CopyToXOptions_IsMove() const { return m_lCopyToX_Options & CopyToXOptions_Move; }

  // The caption and location fields of the current type; a type without the
  // field reads empty and ignores the setter.
  std::string Caption() const;
  void SetCaption(const std::string& caption);
  std::string Location() const;
  void SetLocation(const std::string& location);

  // The folder location as a special-folder number, whatever the type: 0 when
  // blank, error 13 when it is no number.
  std::int32_t FolderCSIDL() const;
  void SetFolderCSIDL(std::int32_t csidl);

  // Empties the item back to Root, except the custom action's texts.
  void Reset();

  // Where Designer's tree adds a new item beside the node holding this one:
  // 4 as its child, 2 as its next sibling, 0 as the first in its level.
  std::int32_t TVW_GetAddRelationship() const;
};

}  // namespace config
