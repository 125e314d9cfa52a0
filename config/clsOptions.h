// The settings of both programs, kept in the current user's registry under a
// base key: defaults (Reset), load (Reg_Load), save (Reg_Save), the debug and
// timing traces they ask for (ProcessSettings), and the constants with which
// the numeric settings are read.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "common/registry_keys.h"

namespace sui {
class Control;
class Item;
}  // namespace sui

namespace config {

// The key every program loads its settings from (common/registry_keys.h).
using common::kSettingsKey;

// Recent-list sizes come from the registry, where anything may stand: a
// list sized from a setting takes it through here, 0 to kMaxListSize.
inline constexpr std::int32_t kMaxListSize = 99;
std::int32_t ClampListSize(std::int32_t stored) noexcept;

class clsOptions {
 public:
  std::string m_szPath;
  bool m_bGeneralShowBackground = false;
  bool m_bGeneralAllowMultipleInstances = false;
  bool m_bGeneralSaveWindowPos = false;
  bool m_bShellEnable = false;
  bool m_bShellShowInIE = false;
  std::string m_szShellConfigFile;
  std::int32_t m_lShellShowIcons = 0;
  bool m_bShellUseOwnFolderBitmap = false;
  std::int32_t m_lShellShowHistoryMRU = 0;
  std::int32_t m_lShellMaxHistoryMRU = 0;
  std::int32_t m_lShellShowQuickAccessMRU = 0;
  std::int32_t m_lShellMaxQuickAccessMRU = 0;
  std::int32_t m_bShellShowOpen = 0;  // a number, in spite of its prefix; unused
  std::int32_t m_lShellShowFlags = 0;
  std::string m_szShellCustomActionsFile;
  std::int32_t m_lShellMaxMenuText = 0;
  bool m_bShellIgnoreBoundsCheck = false;
  bool m_bShellOwnerDraw = false;
  std::int32_t m_lDebugFlags = 0;
  bool m_bDebugEnable = false;
  std::string m_szDebugOutput;
  bool m_bDebugShowWindowsMenuInfo = false;
  bool m_bDebugEnableInMenu = false;
  bool m_bTimingEnable = false;
  std::string m_szTimingOutput;
  std::int32_t m_lOptions = 0;  // unused

  // Icon levels (m_lShellShowIcons).
  static constexpr std::int32_t OptionLevel_None = 0;
  static constexpr std::int32_t OptionLevel_Minimum = 1;
  static constexpr std::int32_t OptionLevel_Medium = 2;
  static constexpr std::int32_t OptionLevel_Maximum = 3;
  // Where a recent list is shown.
  static constexpr std::int32_t OptionsMenuDisplay_DoNotShow = 0;
  static constexpr std::int32_t OptionsMenuDisplay_ShowInMainMenu = 1;
  static constexpr std::int32_t OptionsMenuDisplay_ShowInSubMenu = 2;
  // Bits of m_lShellShowFlags.
  static constexpr std::int32_t ShowFlag_InSubMenu = 1;
  static constexpr std::int32_t ShowFlag_OpenInNewWindow = 2;
  static constexpr std::int32_t ShowFlag_CopyToClipboard = 4;
  static constexpr std::int32_t ShowFlag_RunDialog = 8;
  static constexpr std::int32_t ShowFlag_CommandPrompt = 16;
  static constexpr std::int32_t ShowFlag_CopyTo = 32;
  static constexpr std::int32_t ShowFlag_MoveTo = 64;
  static constexpr std::int32_t ShowFlag_TaskManager = 128;
  static constexpr std::int32_t ShowFlag_Desktop = 256;

  bool ShowFlag_IsInSubMenu() const noexcept { return (m_lShellShowFlags & ShowFlag_InSubMenu) > 0; }
  bool ShowFlag_IsOpen() const noexcept { return (m_lShellShowFlags & ShowFlag_OpenInNewWindow) > 0; }
  bool ShowFlag_IsCopyToClipboard() const noexcept { return (m_lShellShowFlags & ShowFlag_CopyToClipboard) > 0; }
  bool ShowFlag_IsRunDialog() const noexcept { return (m_lShellShowFlags & ShowFlag_RunDialog) > 0; }
  bool ShowFlag_IsCommandPrompt() const noexcept { return (m_lShellShowFlags & ShowFlag_CommandPrompt) > 0; }
  bool ShowFlag_IsCopyTo() const noexcept { return (m_lShellShowFlags & ShowFlag_CopyTo) > 0; }
  bool ShowFlag_IsMoveTo() const noexcept { return (m_lShellShowFlags & ShowFlag_MoveTo) > 0; }
  bool ShowFlag_IsTaskManager() const noexcept { return (m_lShellShowFlags & ShowFlag_TaskManager) > 0; }
  bool ShowFlag_IsDesktop() const noexcept { return (m_lShellShowFlags & ShowFlag_Desktop) > 0; }

  // None of these reports a failure: a value that cannot be read keeps its
  // default, one that cannot be written is skipped.
  void Reset();
  void Reg_Load(const std::string& szPath);
  void Reg_Save(const std::string& szPath, bool bDebugOnly);
  void ProcessSettings(bool bDebuggingOnly, bool bShowDebugMsg) noexcept;

  // The options page: the settings as rows of a property grid (OptionsPage.cpp).
  // Rows hold copies: nothing reaches the fields before SmartUI_Save.
  //
  // Clears the grid and fills it with one row per setting, the dependent
  // rows enabled as the page's rules say and each list row's tag holding
  // the number of its choice.
  void SmartUI_Load(sui::Control& SUI);
  // The grid reported a change of Item's "checked" or "value": enables and
  // disables the rows that depend on it and keeps a list row's tag in step
  // with its chosen entry. Fails nowhere: a step that cannot run is skipped.
  void SmartUI_SetStatus(sui::Control& SUI, const std::shared_ptr<sui::Item>& Item,
                         const std::string& PropertyName) noexcept;
  // The first row whose entry cannot be stored, with its message in
  // szErrorMsg (left as it was when every row passes); none when all pass.
  std::shared_ptr<sui::Item> SmartUI_Validate(sui::Control& SUI, std::string& szErrorMsg);
  // Copies every row into its field, then puts the trace settings into
  // effect (ProcessSettings). Saving to the registry is the caller's.
  void SmartUI_Save(sui::Control& SUI);
  // Appends the entries of a list row: where a recent list is shown, and the
  // icon levels. SUI is not used.
  void AddMenuDisplayOptions(sui::Control& SUI, const std::shared_ptr<sui::Item>& ParentSI, bool bHideDoNotShow,
                             bool bShowRoot);
  void AddLevelOptions(sui::Control& SUI, const std::shared_ptr<sui::Item>& ParentSI);
};

// This thread's settings object, made on first use (not yet loaded).
clsOptions& g_oOptions();

}  // namespace config
