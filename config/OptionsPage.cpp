// The options page: the settings object shown as rows of a property grid,
// the rows that follow other rows, the checks made before a save, and the
// copy back into the fields. The rows are the page's only state.
#include <variant>

#include "base/text.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "smartui/model.h"

namespace config {

namespace {

using sui::ItemPtr;

// What a list row offers.
enum class Choices { None, Level, Display, Position };

using Field = std::variant<std::monostate, bool clsOptions::*, std::int32_t clsOptions::*, std::string clsOptions::*>;

// Bits of a row's options.
constexpr std::uint8_t kBold = 2;      // a captioned heading
constexpr std::uint8_t kDisabled = 4;  // created disabled

struct PageRow {
  const char* key;  // "" for headings
  const char* caption;
  int kind;
  std::int32_t indent;
  std::uint8_t options;
  Field field;
  std::int32_t bit = 0;  // a check row that stands for one bit of the field
  Choices choices = Choices::None;
};

// The rows, in the order they stand on the page. Load and save both read this
// one table.
const std::vector<PageRow>& Rows() {
  using o = clsOptions;
  static const std::vector<PageRow>* rows = new std::vector<PageRow>{
      {"", "Designer", sui::kKindHeading, 0, kBold, {}},
      {"designer_showbackground", "Show background graphics", sui::kKindCheckBox, 1, 0, &o::m_bGeneralShowBackground},
      {"designer_savewindowpos", "Save window position on exit", sui::kKindCheckBox, 1, 0, &o::m_bGeneralSaveWindowPos},
      {"designer_allowmultiple", "Allow multiple instances", sui::kKindCheckBox, 1, 0,
       &o::m_bGeneralAllowMultipleInstances},
      {"", "", sui::kKindHeading, 0, kDisabled, {}},
      {"", "Shell", sui::kKindHeading, 0, kBold, {}},
      {"shell_enable", "Enable integration", sui::kKindCheckBox, 1, 0, &o::m_bShellEnable},
      {"shell_configfile", "Default configuration:", sui::kKindTextButton, 2, 0, &o::m_szShellConfigFile},
      {"shell_showicons", "Icons in menu level:", sui::kKindList, 2, 0, &o::m_lShellShowIcons, 0, Choices::Level},
      {"shell_showmru", "History MRU options:", sui::kKindList, 2, 0, &o::m_lShellShowHistoryMRU, 0, Choices::Display},
      {"shell_maxmru", "Maximum number of items:", sui::kKindText, 3, 0, &o::m_lShellMaxHistoryMRU},
      {"shell_showqa", "Quick access MRU options:", sui::kKindList, 2, 0, &o::m_lShellShowQuickAccessMRU, 0,
       Choices::Display},
      // The quick-access list keeps one entry: its maximum is shown, never edited.
      {"shell_maxqa", "Maximum number of items:", sui::kKindText, 3, 0, &o::m_lShellMaxQuickAccessMRU},
      {"shell_maxmenutext", "Maximum menu text length:", sui::kKindText, 2, 0, &o::m_lShellMaxMenuText},
      {"shell_cafile", "Custom Actions:", sui::kKindTextButton, 2, 0, &o::m_szShellCustomActionsFile},
      {"", "", sui::kKindHeading, 0, kDisabled, {}},
      {"", "Additional Menu Items", sui::kKindHeading, 2, kBold, {}},
      {"shell_showopen", "Open in New Window", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags, o::ShowFlag_OpenInNewWindow},
      {"shell_showcopynamestoclip", "Copy to Clipboard", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags,
       o::ShowFlag_CopyToClipboard},
      {"shell_showrundialog", "Copy to Run Dialog", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags, o::ShowFlag_RunDialog},
      {"shell_showcommandprompt", "Command Prompt Here", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags,
       o::ShowFlag_CommandPrompt},
      {"shell_showcopyto", "Copy To", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags, o::ShowFlag_CopyTo},
      {"shell_showmoveto", "Move To", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags, o::ShowFlag_MoveTo},
      {"shell_showtaskmanager", "Task Manager", sui::kKindCheckBox, 3, 0, &o::m_lShellShowFlags, o::ShowFlag_TaskManager},
      {"shell_showposition", "Show:", sui::kKindList, 3, 0, &o::m_lShellShowFlags, o::ShowFlag_InSubMenu,
       Choices::Position},
      {"", "", sui::kKindHeading, 0, kDisabled, {}},
      {"", "Advanced", sui::kKindHeading, 2, kBold, {}},
      {"shell_showinie", "Show in menu invoked from Internet Explorer", sui::kKindCheckBox, 3, 0, &o::m_bShellShowInIE},
      {"shell_ignoreboundscheck", "Ignore context menu bounds check", sui::kKindCheckBox, 3, 0,
       &o::m_bShellIgnoreBoundsCheck},
      {"shell_useownfolderbitmap", "Use own folder bitmap instead of the Shell defined entry", sui::kKindCheckBox, 3, 0,
       &o::m_bShellUseOwnFolderBitmap},
      {"shell_ownerdraw", "Draw own menu items", sui::kKindCheckBox, 3, 0, &o::m_bShellOwnerDraw},
      {"", "", sui::kKindHeading, 0, kDisabled, {}},
      {"", "Development", sui::kKindHeading, 0, kBold, {}},
      {"debug_showmenuinfo", "Display context menu information on activation", sui::kKindCheckBox, 1, 0,
       &o::m_bDebugShowWindowsMenuInfo},
      {"debug_enableinmenu", "Enable menu item to toggle debugging", sui::kKindCheckBox, 1, 0, &o::m_bDebugEnableInMenu},
      {"debug_debugenabled", "Enable Debugging", sui::kKindCheckBox, 1, 0, &o::m_bDebugEnable},
      {"debug_debugoutput", "Location:", sui::kKindTextButton, 2, 0, &o::m_szDebugOutput},
      {"debug_timingenabled", "Enable Timings", sui::kKindCheckBox, 1, 0, &o::m_bTimingEnable},
      {"debug_timingoutput", "Location:", sui::kKindTextButton, 2, 0, &o::m_szTimingOutput},
  };
  return *rows;
}

// How a Shell row follows "Enable integration".
enum class Follows { Integration, IntegrationAndIcons, Never };

// In the order their states are set; the Designer and Development rows do
// not follow it.
constexpr struct {
  const char* key;
  Follows follows;
} kShellRows[] = {
    {"shell_showinie", Follows::Integration},
    {"shell_configfile", Follows::Integration},
    {"shell_showicons", Follows::Integration},
    // Its own folder picture only means something while icons are drawn.
    {"shell_useownfolderbitmap", Follows::IntegrationAndIcons},
    {"shell_showmru", Follows::Integration},
    {"shell_maxmru", Follows::Integration},
    {"shell_showqa", Follows::Integration},
    {"shell_maxqa", Follows::Never},
    {"shell_showopen", Follows::Integration},
    {"shell_showcopynamestoclip", Follows::Integration},
    {"shell_showrundialog", Follows::Integration},
    {"shell_showcommandprompt", Follows::Integration},
    {"shell_showcopyto", Follows::Integration},
    {"shell_showmoveto", Follows::Integration},
    {"shell_showtaskmanager", Follows::Integration},
    {"shell_showposition", Follows::Integration},
    {"shell_maxmenutext", Follows::Integration},
    {"shell_ignoreboundscheck", Follows::Integration},
    {"shell_cafile", Follows::Integration},
    {"shell_ownerdraw", Follows::Integration},
};

// The checks before a save, in order; the first that fails is reported.
enum class Check { Path, AtLeastZero, AtLeastOne };
constexpr struct {
  const char* key;
  Check check;
  const char* message;
} kChecks[] = {
    {"shell_configfile", Check::Path, "No config file specified!"},
    {"debug_debugoutput", Check::Path, "No debug file specified!"},
    {"debug_timingoutput", Check::Path, "No timings file specified!"},
    {"shell_maxmenutext", Check::AtLeastZero, "Invalid menu text length entered!"},
    {"shell_maxmru", Check::AtLeastOne, "Invalid number entered!"},
    {"shell_maxqa", Check::AtLeastOne, "Invalid number entered!"},
};

// A row's value as a signed 32-bit whole number: blanks around the digits
// are allowed and a fraction rounds half to even; an empty or non-numeric
// text, or one beyond 32 bits, raises.
std::int32_t WholeNumber(const base::Variant& value) { return base::Variant(value.ToString()).ToLong(); }

// A path row's value as it is stored: without trailing line breaks, tabs or blanks.
std::string StoredPath(const base::Variant& value) { return common::TrimRightChars(value.ToString(), "\\n\\r\\t\\v "); }

bool TagIsSet(const ItemPtr& row) {
  if (!row) return false;
  try {
    return row->tag().ToBool();
  } catch (...) {
    return false;
  }
}

void Enable(const sui::Control& SUI, const char* key, bool enabled) {
  if (ItemPtr row = SUI.items().find(key)) row->setEnabled(enabled);
}

// The first entry of a list row whose tag is the number.
ItemPtr EntryFor(const ItemPtr& row, std::int32_t number) {
  for (const auto& entry : row->subItems())
    if (entry->tag() == base::Variant(number)) return entry;
  return nullptr;
}

}  // namespace

void clsOptions::AddLevelOptions(sui::Control&, const std::shared_ptr<sui::Item>& ParentSI) {
  constexpr struct {
    const char* caption;
    std::int32_t level;
  } kLevels[] = {{"None", OptionLevel_None}, {"Minimum", OptionLevel_Minimum}, {"Medium", OptionLevel_Medium},
                 {"Maximum", OptionLevel_Maximum}};
  for (const auto& level : kLevels)
    ParentSI->subItems().add(0, "", level.caption, sui::kKindEntry)->setTag(level.level);
}

void clsOptions::AddMenuDisplayOptions(sui::Control&, const std::shared_ptr<sui::Item>& ParentSI, bool bHideDoNotShow,
                                       bool bShowRoot) {
  sui::ItemList& entries = ParentSI->subItems();
  if (!bHideDoNotShow) entries.add(0, "", "Do not show", sui::kKindEntry)->setTag(OptionsMenuDisplay_DoNotShow);
  entries.add(0, "", "Show in main menu", sui::kKindEntry)->setTag(OptionsMenuDisplay_ShowInMainMenu);
  entries.add(0, "", bShowRoot ? "Show in root menu" : "Show in sub menu", sui::kKindEntry)
      ->setTag(OptionsMenuDisplay_ShowInSubMenu);
}

void clsOptions::SmartUI_Load(sui::Control& SUI) {
  common::TraceScope scope("clsOptions.SmartUI_Load");
  SUI.items().clear();
  std::vector<std::pair<ItemPtr, const PageRow*>> lists;
  for (const PageRow& r : Rows()) {
    ItemPtr row = SUI.items().add(0, r.key, r.caption, r.kind, r.kind == sui::kKindTextButton ? "folder_open" : "");
    row->setIndent(r.indent);
    if (r.kind == sui::kKindCheckBox) {
      if (auto flag = std::get_if<bool clsOptions::*>(&r.field))
        row->setChecked(this->**flag);
      else
        row->setChecked((this->*std::get<std::int32_t clsOptions::*>(r.field) & r.bit) > 0);
    } else if (r.kind == sui::kKindText) {
      row->setValue(this->*std::get<std::int32_t clsOptions::*>(r.field));
    } else if (r.kind == sui::kKindTextButton) {
      row->setValue(this->*std::get<std::string clsOptions::*>(r.field));
    }
    if (r.options & kBold) row->setBold(true);
    if (r.options & kDisabled) row->setEnabled(false);
    switch (r.choices) {
      case Choices::Level: AddLevelOptions(SUI, row); break;
      case Choices::Display: AddMenuDisplayOptions(SUI, row, false, false); break;
      case Choices::Position: AddMenuDisplayOptions(SUI, row, true, true); break;
      case Choices::None: break;
    }
    if (r.choices != Choices::None) lists.emplace_back(row, &r);
  }
  Enable(SUI, "shell_maxqa", false);
  SmartUI_SetStatus(SUI, SUI.items().find("shell_enable"), "checked");

  // The list rows' choices. The tag is set here, not only by the grid's
  // report of the new value, so that it is right whoever hosts the page. A
  // stored number that no entry stands for stays in the tag with no entry
  // shown: a save keeps it unless the user picks an entry.
  for (const auto& [row, r] : lists) {
    const std::int32_t stored = this->*std::get<std::int32_t clsOptions::*>(r->field);
    const std::int32_t choice = r->choices != Choices::Position ? stored
                                : (stored & r->bit) > 0         ? OptionsMenuDisplay_ShowInSubMenu
                                                                : OptionsMenuDisplay_ShowInMainMenu;
    row->setTag(choice);
    if (ItemPtr entry = EntryFor(row, choice)) row->setValue(entry->caption());
    SmartUI_SetStatus(SUI, row, "value");
  }
  SmartUI_SetStatus(SUI, SUI.items().find("debug_debugenabled"), "checked");
  SmartUI_SetStatus(SUI, SUI.items().find("debug_timingenabled"), "checked");
}

void clsOptions::SmartUI_SetStatus(sui::Control& SUI, const std::shared_ptr<sui::Item>& Item,
                                   const std::string& PropertyName) noexcept {
  if (!Item) return;
  const std::string k = base::LCase(Item->key());
  const std::string p = base::LCase(PropertyName);
  // Every step runs, whatever the one before it met.
  auto step = [](auto&& action) {
    try {
      action();
    } catch (...) {
    }
  };
  if (k == "shell_enable" && p == "checked") {
    const bool on = Item->checked();
    for (const auto& row : kShellRows) {
      step([&] {
        bool enabled = on;
        if (row.follows == Follows::Never) enabled = false;
        if (row.follows == Follows::IntegrationAndIcons) enabled = on && TagIsSet(SUI.items().find("shell_showicons"));
        Enable(SUI, row.key, enabled);
      });
    }
  } else if (k == "debug_debugenabled" && p == "checked") {
    step([&] { Enable(SUI, "debug_debugoutput", Item->checked()); });
  } else if (k == "debug_timingenabled" && p == "checked") {
    step([&] { Enable(SUI, "debug_timingoutput", Item->checked()); });
  } else if (k == "shell_showmru" || k == "shell_showqa" || k == "shell_showicons" || k == "shell_showposition") {
    if (p == "value") {
      step([&] {
        const std::string shown = Item->value().ToString();
        for (const auto& entry : Item->subItems()) {
          if (entry->caption() != shown) continue;
          Item->setValue(entry->caption());
          Item->setTag(entry->tag());
          break;
        }
      });
    }
    if (k == "shell_showicons") {
      // Folder pictures and drawn items only mean something with icons shown.
      step([&] {
        const bool icons = TagIsSet(Item);
        Enable(SUI, "shell_useownfolderbitmap", icons);
        Enable(SUI, "shell_ownerdraw", icons);
      });
    }
  }
}

std::shared_ptr<sui::Item> clsOptions::SmartUI_Validate(sui::Control& SUI, std::string& szErrorMsg) {
  common::TraceScope scope("clsOptions.SmartUI_Validate");
  for (const auto& c : kChecks) {
    ItemPtr row;
    bool ok = false;
    if (c.check == Check::Path) {
      row = SUI.items().at(c.key);
      // Checked as it will be stored: a path of line breaks and blanks alone
      // would be saved as no path at all.
      ok = !base::Trim(StoredPath(row->value())).empty();
    } else {
      try {
        row = SUI.items().find(c.key);
        ok = row && WholeNumber(row->value()) >= (c.check == Check::AtLeastZero ? 0 : 1);
      } catch (...) {
        ok = false;
      }
    }
    if (!ok) {
      szErrorMsg = c.message;
      return row;
    }
  }
  return nullptr;
}

void clsOptions::SmartUI_Save(sui::Control& SUI) {
  common::TraceScope scope("clsOptions.SmartUI_Save");
  // The show flags are rebuilt from their rows alone.
  std::int32_t flags = 0;
  for (const PageRow& r : Rows()) {
    if (!*r.key) continue;
    ItemPtr row = SUI.items().at(r.key);
    if (r.bit) {
      const bool set = r.choices == Choices::Position ? row->tag().ToLong() == OptionsMenuDisplay_ShowInSubMenu
                                                      : row->checked();
      if (set) flags |= r.bit;
    } else if (auto flag = std::get_if<bool clsOptions::*>(&r.field)) {
      this->**flag = row->checked();
    } else if (auto path = std::get_if<std::string clsOptions::*>(&r.field)) {
      this->**path = StoredPath(row->value());
    } else if (auto number = std::get_if<std::int32_t clsOptions::*>(&r.field)) {
      this->**number = r.choices != Choices::None ? row->tag().ToLong() : WholeNumber(row->value());
    }
  }
  m_lShellShowFlags = flags;
  ProcessSettings(false, true);
}

}  // namespace config
