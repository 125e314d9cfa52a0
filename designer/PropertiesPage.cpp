#include "designer/PropertiesPage.h"

#include <optional>
#include <utility>

#include "actions/clsCustomActions.h"
#include "base/error.h"
#include "base/prompt.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "common/tools.h"
#include "config/clsCorvaneData.h"
#include "designer/PropertyPickers.h"
#include "ui/ServiceLists.h"
#include "ui/TokenMenus.h"
#include "ui/clsSmartUI.h"
#include "widgets/TextEditor.h"

namespace designer {

namespace {

using config::clsCorvaneData;
using sui::ItemPtr;

constexpr std::uint8_t kHeading = ui::kSuiOptionBold;
constexpr std::uint8_t kDisabled = ui::kSuiOptionDisabled;

constexpr char kFolderTitle[] = "Select the destination folder";
constexpr char kWorkingDirTitle[] = "Select the working directory";
constexpr char kItemPlaceholder[] = "<item goes here>";
constexpr char kSelectionPlaceholder[] = "<selection goes here>";
// The commands box is read through a buffer of this many characters, its
// last one the terminator, so longer commands preview cut.
constexpr std::size_t kPreviewChars = 8191;

// The rows' key prefix of each type; a type without one shows only the
// keyless rows.
const char* KeyPrefix(std::int32_t type) {
  switch (type) {
    case clsCorvaneData::TypeRoot: return "root";
    case clsCorvaneData::TypeFolder: return "folder";
    case clsCorvaneData::TypePopupMenu: return "popupmenu";
    case clsCorvaneData::TypeFile: return "file";
    case clsCorvaneData::TypeCustomAction: return "action";
    case clsCorvaneData::TypeSelectionTask: return "selection";
    case clsCorvaneData::TypeDynamicFolder: return "dfolder";
    case clsCorvaneData::TypeCopyToX: return "copytox";
    default: return "";
  }
}

// The row of the item's own type that the grid starts on.
const char* FirstRow(std::int32_t type, bool specialFolder) {
  switch (type) {
    case clsCorvaneData::TypeRoot: return "root_caption";
    case clsCorvaneData::TypeFolder: return specialFolder ? "folder_csidldesc" : "folder_folder";
    case clsCorvaneData::TypePopupMenu: return "popupmenu_caption";
    case clsCorvaneData::TypeFile: return "file_location";
    case clsCorvaneData::TypeCustomAction: return "action_caption";
    case clsCorvaneData::TypeDynamicFolder: return "dfolder_folder";
    case clsCorvaneData::TypeCopyToX: return "copytox_folder";
    default: return "";
  }
}

// A check row's initial value from an option word: the bit itself, which
// the grid shows checked when it is not 0.
base::Variant Bit(std::int32_t options, std::int32_t bit) { return base::Variant(options & bit); }

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return text.size() >= prefix.size() && base::LCase(text.substr(0, prefix.size())) == base::LCase(prefix);
}

}  // namespace

PropertiesPage::PropertiesPage(sui::Control& grid, sui::Control& tokens, Boxes boxes, PropertyShell& shell)
    : m_grid(grid), m_tokens(tokens), m_boxes(boxes), m_shell(shell) {
  auto& h = m_grid.handlers;
  h.itemChange = [this](const ItemPtr& row, const std::string& property) { RowChange(row, property); };
  h.buttonClick = [this](const ItemPtr& row) { RowButton(row); };
  h.itemClick = [this](const ItemPtr& row) { RowClick(row); };
  h.query = [](bool& answer) { answer = true; };
  m_tokens.handlers.itemClick = [this](const ItemPtr& entry) { TokenClick(entry); };
  m_boxes.actions.Change = [this] { UpdateActionsPreview(); };
  m_boxes.parms.Change = [this] { UpdateParmsPreview(); };
  m_boxes.actions.MouseDown = [this](int button, int, long, long) { BoxMouseDown(1, button); };
  m_boxes.parms.MouseDown = [this](int button, int, long, long) { BoxMouseDown(2, button); };
}

// ---- rows

ItemPtr PropertiesPage::Row(const std::string& key) const { return m_grid.items().find(key); }

std::string PropertiesPage::Value(const std::string& key) const {
  ItemPtr row = Row(key);
  return row ? row->value().ToString() : std::string();
}

std::string PropertiesPage::Trimmed(const std::string& key) const { return base::Trim(Value(key)); }

bool PropertiesPage::Checked(const std::string& key) const {
  ItemPtr row = Row(key);
  return row && row->checked();
}

void PropertiesPage::SetValue(const std::string& key, const std::string& value) {
  if (ItemPtr row = Row(key)) row->setValue(base::Variant(value));
}

std::int32_t PropertiesPage::CurrentType() const {
  ItemPtr row = Row("type");
  if (!row || row->tag().IsEmpty()) return clsCorvaneData::TypeRoot;
  return row->tag().ToLong();
}

// ---- loading

void PropertiesPage::Load(const clsCorvaneData& item, std::int32_t openMode) {
  m_lOptions = openMode;
  m_bBusy = true;  // what loading sets is no change of the user's
  try {
    m_grid.items().clear();
    m_tokens.items().clear();
    const ui::clsSmartUI& sui = ui::SmartUI();
    ItemPtr type = sui.Add(m_grid, 0, "TYPE", "Item Type:", sui::kKindList, "menu", std::nullopt, 0, 0);
    sui.Add(m_grid, 0, "", "", sui::kKindEntry, {}, std::nullopt, 0, kDisabled);
    if (item.IsTypeRoot()) {
      type->setEnabled(false);
      type->subItems().add(0, "0", "Root Menu Entry", sui::kKindEntry);
      sui.Add(m_grid, 0, "root_caption", "Caption:", sui::kKindPlainText, {}, base::Variant(item.Caption()), 1);
    } else {
      const std::pair<const char*, std::int32_t> types[] = {
          {"Folder", clsCorvaneData::TypeFolder},          {"Dynamic Folder", clsCorvaneData::TypeDynamicFolder},
          {"File", clsCorvaneData::TypeFile},              {"Selection Task", clsCorvaneData::TypeSelectionTask},
          {"Copy/Move To", clsCorvaneData::TypeCopyToX},   {"Popup Menu", clsCorvaneData::TypePopupMenu},
          {"Separator", clsCorvaneData::TypeSeparator}};
      for (const auto& [caption, code] : types)
        type->subItems().add(0, "", caption, sui::kKindEntry)->setTag(base::Variant(code));
      // Dynamic folders are made by their own command; the list keeps the
      // entry so that one still shows its type.
      type->subItems().at(2)->setVisible(false);
      AddRows(item);
    }
    ui::AddKeystrokeMenuItems(*m_tokens.items().add(0, "id_actiontokens", "", sui::kKindMenuEntry, "customaction"),
                              false);
    ui::AddSelectionMenuItems(*m_tokens.items().add(0, "id_selectiontokens", "", sui::kKindMenuEntry, "selectiontask"));
    LoadByType(item);
    SelectType(item.m_lType);
  } catch (...) {
    m_bBusy = false;
    throw;
  }
  m_bBusy = false;
}

void PropertiesPage::AddRows(const clsCorvaneData& item) {
  const ui::clsSmartUI& sui = ui::SmartUI();
  const std::string caption = item.Caption();
  const std::string location = item.Location();
  auto add = [&](const char* key, const char* text, int kind, const char* image, std::int32_t indent,
                 std::optional<base::Variant> value = std::nullopt, std::uint8_t flags = 0) {
    return sui.Add(m_grid, 0, key, text, kind, *image ? base::Variant(image) : base::Variant(), value, indent, flags);
  };
  auto text = [](const std::string& s) { return std::optional<base::Variant>(base::Variant(s)); };
  using namespace sui;

  add("folder_typefolder", "Normal", kKindOptionButton, "", 1, base::Variant(false));
  add("folder_folder", "Location:", kKindTextButton, "folder_open", 2, text(""));
  add("folder_caption", "Caption:", kKindText, "blank", 2, text(caption));
  add("folder_typepidl", "Windows Special", kKindOptionButton, "", 1, base::Variant(false));
  ItemPtr special = add("folder_csidldesc", "Location:", kKindList, "windows", 2);
  ui::FillSpecialFolderList(m_shell.SpecialFolders(), *special, -1, kKindEntry);
  add("folder_separator1", "", kKindPlainText, "", 0, std::nullopt, kDisabled);
  add("folder_exploreinnewwindow",
      "Explore in new window   (Can force by holding the CTRL key when selecting this item)", kKindCheckBox, "", 1,
      base::Variant(item.OptionsIsExploreInNewWindow()));
  add("folder_browseandopen",
      "Show browse dialog and open    (Can force by holding the CTRL and SHIFT keys when selecting this item)",
      kKindCheckBox, "", 1, base::Variant(item.OptionsIsBrowseAndOpen()));

  add("popupmenu_caption", "Caption:", kKindText, "", 1, text(caption));
  add("file_location", "Location:", kKindTextButton, "folder_open", 1, text(""));
  add("file_caption", "Caption:", kKindText, "blank", 1, text(caption));
  add("action_caption", "Caption:", kKindText, "blank", 1, text(caption));
  add("action_actions", "Commands:", kKindHostedControl, "customaction", 1, text("txtActions"));
  add("action_preview", "", kKindHostedControl, "blank", 1, text("txtPreview"));

  const std::int32_t opts = item.m_lSelection_Options;
  add("selection_heading1", "Task", kKindHeading, "", 1, std::nullopt, kHeading);
  add("selection_caption", "Caption:", kKindText, "blank", 2, text(caption));
  add("selection_cmd", "Command:", kKindTextButton, "selectiontask", 2, text(item.m_szSelection_Command));
  add("selection_workingdir", "Working Directory:", kKindTextButton, "folder_open", 2, text(location));
  add("selection_parms", "Parameters:", kKindHostedControl, "blank", 2, text("txtSelection_Parms"));
  add("selection_preview", "", kKindReadOnlyText, "blank", 6, text(""));
  add("selection_separator1", "", kKindEntry, "", 0, std::nullopt, kDisabled);
  add("selection_heading2", "Criteria", kKindHeading, "", 1, std::nullopt, kHeading);
  ItemPtr show = add("selection_show", "Show When:", kKindList, "blank", 2);
  const std::pair<const char*, std::int32_t> showWhen[] = {
      {"Always", clsCorvaneData::SelectionOptions_ShowAlways},
      {"Only one entry is selected", clsCorvaneData::SelectionOptions_ShowSingle},
      {"More than one entry is selected", clsCorvaneData::SelectionOptions_ShowMultiple}};
  for (const auto& [entry, code] : showWhen) show->subItems().add(0, "", entry, kKindEntry)->setTag(base::Variant(code));
  add("selection_ext", "Filter files:", kKindText, "blank", 2, text(item.m_szSelection_Filter));
  add("selection_separator2", "", kKindEntry, "", 0, std::nullopt, kDisabled);
  add("selection_heading3", "Selection", kKindHeading, "", 1, std::nullopt, kHeading);
  add("selection_short", "Short names", kKindCheckBox, "", 2, Bit(opts, clsCorvaneData::SelectionOptions_ShortNames));
  add("selection_fqp", "Fully qualified paths", kKindCheckBox, "", 2, Bit(opts, clsCorvaneData::SelectionOptions_FQP));
  add("selection_qis", "Quote names if contain a space", kKindCheckBox, "", 2,
      Bit(opts, clsCorvaneData::SelectionOptions_QIS));
  add("selection_recurse", "Recurse folders", kKindCheckBox, "", 2, Bit(opts, clsCorvaneData::SelectionOptions_Recurse));
  add("selection_cmdprefix", "Command entry prefix:", kKindText, "blank", 2, text(item.m_szSelection_CmdPrefix));
  add("selection_cmdsuffix", "Command entry suffix:", kKindText, "blank", 2, text(item.m_szSelection_CmdSuffix));
  add("selection_separator3", "", kKindEntry, "", 0, std::nullopt, kDisabled);
  add("selection_heading4", "Additional Destinations", kKindHeading, "", 1, std::nullopt, kHeading);
  add("selection_clipboard", "Clipboard", kKindCheckBox, "", 2, Bit(opts, clsCorvaneData::SelectionOptions_Clipboard));
  add("selection_file", "File:", kKindTextButton, "folder_open", 2, text(item.m_szSelection_File));
  add("selection_fileprefix", "File entry prefix:", kKindText, "blank", 2, text(item.m_szSelection_FilePrefix));
  add("selection_filesuffix", "File entry suffix:", kKindText, "blank", 2, text(item.m_szSelection_FileSuffix));

  add("dfolder_folder", "Location:", kKindTextButton, "folder_open", 1, text(location));
  add("dfolder_caption", "Caption:", kKindText, "blank", 1, text(caption));
  add("dfolder_filter", "Filter files:", kKindText, "blank", 1, text(item.m_szDFolder_Filter));
  add("copytox_folder", "Destination:", kKindTextButton, "folder_open", 1, text(location));
  add("copytox_caption", "Caption:", kKindText, "blank", 1, text(caption));
  add("copytox_separator2", "", kKindEntry, "", 0, std::nullopt, kDisabled);
  add("copytox_heading3", "Advanced", kKindHeading, "", 1, std::nullopt, kHeading);
  add("copytox_move", "Move", kKindCheckBox, "", 2, Bit(item.m_lCopyToX_Options, clsCorvaneData::CopyToXOptions_Move));
}

// What the rows of the item's own type start with. The item itself is only
// read: a new special folder and a new selection task get their defaults in
// the rows, so that Cancel leaves the item as it came.
void PropertiesPage::LoadByType(const clsCorvaneData& item) {
  switch (item.m_lType) {
    case clsCorvaneData::TypeFolder: {
      const bool special = item.OptionsIsCSIDL() || (m_lOptions & 2);
      if (special) {
        Row("folder_typepidl")->setChecked(true);
        std::int32_t csidl = 0;
        try {
          common::ParseLeadingNumber(item.Location(), csidl);
        } catch (const base::Error&) {
          csidl = -1;  // too long a number is no special folder either
        }
        if (csidl >= 0 && csidl <= 61) {
          ItemPtr row = Row("folder_csidldesc");
          row->setTag(base::Variant(csidl));
          row->setValue(base::Variant(m_shell.SpecialFolderName(csidl)));
          // The stored folder's own entry is the list's choice, so that a
          // folder whose name another one shares keeps its number.
          if (ItemPtr entry = row->subItems().find(std::to_string(csidl))) entry->setSelected(true);
        }
      } else {
        Row("folder_typefolder")->setChecked(true);
        SetValue("folder_folder", item.Location());
      }
      break;
    }
    case clsCorvaneData::TypeFile:
      SetValue("file_location", item.Location());
      break;
    case clsCorvaneData::TypeCustomAction:
      m_boxes.actions.SetText(item.m_szAction_Actions);
      break;
    case clsCorvaneData::TypeSelectionTask: {
      std::int32_t show = item.m_lSelection_Options;
      std::string parms = item.m_szSelection_Parms;
      if (show == 0) {  // a new task
        show = clsCorvaneData::SelectionOptions_ShowAlways;
        parms = actions::clsCustomActions::TokenSelection();
        SetValue("selection_cmdsuffix", "\\x20");
        SetValue("selection_filesuffix", "\\n");
      }
      m_boxes.parms.SetText(parms);
      ItemPtr row = Row("selection_show");
      ui::SmartUI().SetParentViaTag(row, base::Variant(show & 7));
      break;
    }
    default:
      break;
  }
  UpdateParmsPreview();
  UpdateActionsPreview();
}

// The type row takes the item's type, and the rows of that type are shown
// whether or not the row's value changed: a custom action has no entry, and
// a row may already show the type's caption.
void PropertiesPage::SelectType(std::int32_t type) {
  ItemPtr row = Row("type");
  if (!ui::SmartUI().SetParentViaTag(row, base::Variant(type))) row->setTag(base::Variant(type));
  const bool special = type == clsCorvaneData::TypeFolder && Checked("folder_typepidl");
  ShowProperties(type);
  if (ItemPtr first = Row(FirstRow(type, special))) m_grid.setCurrent(first);
}

void PropertiesPage::ShowProperties(std::int32_t type) {
  const std::string prefix = KeyPrefix(type);
  bool first = true;
  for (const ItemPtr& row : m_grid.items()) {
    if (first) {
      first = false;
      continue;
    }
    if (row->key().empty())
      row->setVisible(true);
    else
      row->setVisible(!prefix.empty() && StartsWithNoCase(row->key(), prefix));
  }
}

void PropertiesPage::OpenPickerOfNewItem() {
  if (!(m_lOptions & 1)) return;
  const char* key = nullptr;
  switch (CurrentType()) {
    case clsCorvaneData::TypeFolder:
      if (Checked("folder_typefolder")) key = "folder_folder";
      break;
    case clsCorvaneData::TypeFile: key = "file_location"; break;
    case clsCorvaneData::TypeDynamicFolder: key = "dfolder_folder"; break;
    case clsCorvaneData::TypeCopyToX: key = "copytox_folder"; break;
    default: break;
  }
  if (key && Value(key).empty()) RowButton(Row(key));
}

// ---- the user

void PropertiesPage::RowChange(const ItemPtr& row, const std::string& property) {
  if (m_bBusy || !row) return;
  m_bBusy = true;
  try {
    const std::string key = base::LCase(row->key());
    const std::string what = base::LCase(property);
    const ui::clsSmartUI& sui = ui::SmartUI();
    if (key == "type" && what == "value") {
      if (ItemPtr entry = sui.FindSubItemViaCaption(row, row->value().ToString())) {
        row->setTag(entry->tag());
        ShowProperties(CurrentType());
      }
    } else if (key == "folder_csidldesc" && what == "value") {
      if (ItemPtr entry = ChosenSpecialFolder(row)) row->setTag(base::Variant(std::stoi(entry->key())));
      Row("folder_typepidl")->setChecked(true);
    } else if (key == "selection_show" && what == "value") {
      sui.SetParentViaCaption(row, row->value().ToString());
    } else if (key == "copytox_move" && what == "checked") {
      const std::string caption = Value("copytox_caption");
      const std::string head = base::LCase(caption.substr(0, 5));
      if (head == "move " || head == "copy ")
        SetValue("copytox_caption", (row->checked() ? "Move" : "Copy") + caption.substr(4));
    }
  } catch (...) {
    m_bBusy = false;
    throw;
  }
  m_bBusy = false;
}

// Of the entries whose caption the row shows: the one the user picked, else
// the one of the number the row holds, else the first.
ItemPtr PropertiesPage::ChosenSpecialFolder(const ItemPtr& row) const {
  const std::string value = row->value().ToString();
  const std::string held = row->tag().IsEmpty() ? std::string() : row->tag().ToString();
  ItemPtr first, byTag;
  for (const ItemPtr& entry : row->subItems()) {
    if (entry->caption() != value) continue;
    if (entry->selected()) return entry;
    if (!first) first = entry;
    if (!byTag && entry->key() == held) byTag = entry;
  }
  return byTag ? byTag : first;
}

void PropertiesPage::RowClick(const ItemPtr& row) {
  // A heading cannot be worked on: the grid is left without a current row.
  if (row && !row->parent() && sui::isHeadingKind(row->kind())) m_grid.setCurrent(nullptr);
}

void PropertiesPage::RowButton(const ItemPtr& row) {
  if (!row) return;
  const std::string key = base::LCase(row->key());
  if (key == "folder_folder" || key == "dfolder_folder" || key == "copytox_folder")
    BrowseFolder(row, kFolderTitle);
  else if (key == "selection_workingdir")
    BrowseFolder(row, kWorkingDirTitle);
  else if (key == "file_location" || key == "selection_cmd" || key == "selection_file")
    BrowseFile(row);
}

void PropertiesPage::BrowseFolder(const ItemPtr& row, const std::string& title) {
  const std::string initial = row->value().ToString();
  std::optional<PickedFolder> chosen;
  try {
    chosen = m_shell.PickFolder(title, initial);
  } catch (const base::Error& e) {
    base::Prompt("Could not open the folder browser on '" + initial + "'\r\n\r\nError " +
                     std::to_string(e.Number()) + " - " + e.Description(),
                 base::kPromptExclamation, common::g_szAppTitle());
    return;
  }
  if (!chosen || chosen->path.empty()) return;
  const std::string key = base::LCase(row->key());
  if (key == "folder_folder") Row("folder_typefolder")->setChecked(true);
  row->setValue(base::Variant(chosen->path));
  if (key == "folder_folder")
    SetValue("folder_caption", chosen->displayName);
  else if (key == "dfolder_folder")
    SetValue("dfolder_caption", chosen->displayName);
  else if (key == "copytox_folder")
    SetValue("copytox_caption", (Checked("copytox_move") ? "Move to " : "Copy to ") + chosen->displayName);
}

void PropertiesPage::BrowseFile(const ItemPtr& row) {
  const std::string initial = row->value().ToString();
  std::optional<std::string> chosen;
  try {
    chosen = m_shell.PickFile(initial);
  } catch (const base::Error& e) {
    // The dialog refuses a path longer than its buffer before it opens.
    base::Prompt("Could not open the file dialog on '" + initial + "'\r\n\r\nError " + std::to_string(e.Number()) +
                     " - " + e.Description(),
                 base::kPromptExclamation, common::g_szAppTitle());
    return;
  }
  if (!chosen) return;
  const std::string file = common::StripNull(*chosen);
  if (file.empty()) return;
  row->setValue(base::Variant(file));
  const std::string key = base::LCase(row->key());
  if (key == "file_location")
    SetValue("file_caption", m_shell.FileDisplayName(file));
  else if (key == "selection_cmd")
    SetValue("selection_caption", m_shell.FileDisplayName(file));
}

void PropertiesPage::TokenClick(const ItemPtr& entry) {
  if (!entry || entry->key().empty() || !entry->parent() || entry->subItems().count() > 0) return;
  widgets::TextEditor& box = m_lTokenTarget == 1 ? m_boxes.actions : m_boxes.parms;
  box.SetSelText(entry->key());
}

void PropertiesPage::BoxMouseDown(int target, int button) {
  if (button != 2) return;
  m_lTokenTarget = target;
  ItemPtr menu = m_tokens.items().find(target == 1 ? "id_actiontokens" : "id_selectiontokens");
  if (menu && PopupTokens) PopupTokens(menu);
}

void PropertiesPage::UpdateActionsPreview() {
  actions::clsCustomActions action;
  action.m_szActions = m_boxes.actions.Text().substr(0, kPreviewChars);
  m_boxes.preview.SetText(action.BuildActionString(kItemPlaceholder, kSelectionPlaceholder));
}

void PropertiesPage::UpdateParmsPreview() {
  actions::clsCustomActions action;
  action.m_szActions = m_boxes.parms.Text().substr(0, kPreviewChars);
  SetValue("selection_preview", action.BuildActionString(kItemPlaceholder, kSelectionPlaceholder));
}

// ---- OK

bool PropertiesPage::Fail(const std::string& message, const std::string& rowKey) {
  base::Prompt(message, base::kPromptExclamation | base::kPromptOk, common::g_szAppTitle());
  if (ItemPtr row = Row(rowKey)) m_grid.setCurrent(row);
  if (FocusGrid) FocusGrid();
  return false;
}

bool PropertiesPage::Ok(clsCorvaneData& item) {
  const std::int32_t type = CurrentType();
  switch (type) {
    case clsCorvaneData::TypeRoot:
      if (Trimmed("root_caption").empty()) return Fail("Missing caption value!", "root_caption");
      break;
    case clsCorvaneData::TypeFolder:
      if (Checked("folder_typefolder")) {
        if (Trimmed("folder_folder").empty()) return Fail("Missing folder value!", "folder_folder");
      } else if (Trimmed("folder_csidldesc").empty()) {
        return Fail("Missing folder value!", "folder_csidldesc");
      }
      break;
    case clsCorvaneData::TypeFile:
      if (Trimmed("file_location").empty()) return Fail("Missing location!", "file_location");
      // Checked as it will be stored.
      if (!m_shell.FileExists(Trimmed("file_location"))) return Fail("File does not exist!", "file_location");
      break;
    case clsCorvaneData::TypeCustomAction:
      if (Trimmed("action_caption").empty()) return Fail("Missing caption!", "action_caption");
      if (base::Trim(m_boxes.actions.Text()).empty()) return Fail("Missing actions!", "action_actions");
      break;
    case clsCorvaneData::TypePopupMenu:
      if (Trimmed("popupmenu_caption").empty()) return Fail("Missing caption value!", "popupmenu_caption");
      break;
    case clsCorvaneData::TypeSelectionTask:
      if (Trimmed("selection_cmd").empty() && Trimmed("selection_file").empty() && !Checked("selection_clipboard"))
        return Fail("Must select something to do!", "");
      if (Trimmed("selection_caption").empty()) return Fail("Missing caption!", "selection_caption");
      break;
    case clsCorvaneData::TypeDynamicFolder:
      if (Trimmed("dfolder_folder").empty()) return Fail("Missing folder value!", "dfolder_folder");
      break;
    case clsCorvaneData::TypeCopyToX:
      if (Trimmed("copytox_folder").empty()) return Fail("Missing destination!", "copytox_folder");
      break;
    default:
      break;
  }
  WriteBack(type, item);
  return true;
}

void PropertiesPage::FillCaptionFromLocation(const std::string& captionKey, const std::string& locationKey) {
  if (Trimmed(captionKey).empty()) SetValue(captionKey, m_shell.FileDisplayName(Trimmed(locationKey)));
}

void PropertiesPage::WriteBack(std::int32_t type, clsCorvaneData& item) {
  using C = clsCorvaneData;
  switch (type) {
    case C::TypeRoot:
      item.Reset();
      item.m_lType = C::TypeRoot;
      item.SetCaption(Trimmed("root_caption"));
      break;
    case C::TypeFolder: {
      const bool normal = Checked("folder_typefolder");
      if (normal) FillCaptionFromLocation("folder_caption", "folder_folder");
      const ItemPtr special = Row("folder_csidldesc");
      const std::int32_t csidl = special->tag().IsEmpty() ? 0 : special->tag().ToLong();
      item.Reset();
      item.m_lType = C::TypeFolder;
      if (normal) {
        item.SetLocation(Trimmed("folder_folder"));
        item.SetCaption(Trimmed("folder_caption"));
      } else {
        item.m_lOptions |= C::OptionsCSIDL;
        item.SetLocation(std::to_string(csidl));
      }
      item.m_lOptions = common::ClearBits(item.m_lOptions, C::OptionsExploreInNewWindow);
      if (Checked("folder_exploreinnewwindow")) item.m_lOptions |= C::OptionsExploreInNewWindow;
      item.m_lOptions = common::ClearBits(item.m_lOptions, C::OptionsBrowseAndOpen);
      if (Checked("folder_browseandopen")) item.m_lOptions |= C::OptionsBrowseAndOpen;
      break;
    }
    case C::TypeFile:
      FillCaptionFromLocation("file_caption", "file_location");
      item.Reset();
      item.m_lType = C::TypeFile;
      item.SetLocation(Trimmed("file_location"));
      item.SetCaption(Trimmed("file_caption"));
      break;
    case C::TypeCustomAction:
      item.Reset();
      item.m_lType = C::TypeCustomAction;
      item.m_szAction_Actions = base::Trim(m_boxes.actions.Text());
      item.SetCaption(Trimmed("action_caption"));
      break;
    case C::TypePopupMenu:
      item.Reset();
      item.m_lType = C::TypePopupMenu;
      item.SetCaption(Trimmed("popupmenu_caption"));
      break;
    case C::TypeSeparator:
      item.Reset();
      item.m_lType = C::TypeSeparator;
      break;
    case C::TypeSelectionTask: {
      const ItemPtr show = Row("selection_show");
      const std::int32_t showWhen = show->tag().IsEmpty() ? 0 : show->tag().ToLong();
      item.Reset();
      item.m_lType = C::TypeSelectionTask;
      item.SetLocation(Trimmed("selection_workingdir"));
      item.SetCaption(Trimmed("selection_caption"));
      item.m_szSelection_Command = Trimmed("selection_cmd");
      item.m_szSelection_Parms = m_boxes.parms.Text();  // blanks at the ends are the user's
      item.m_szSelection_CmdPrefix = Trimmed("selection_cmdprefix");
      item.m_szSelection_CmdSuffix = Trimmed("selection_cmdsuffix");
      item.m_szSelection_Filter = Trimmed("selection_ext");
      item.m_szSelection_File = Trimmed("selection_file");
      item.m_szSelection_FilePrefix = Trimmed("selection_fileprefix");
      item.m_szSelection_FileSuffix = Trimmed("selection_filesuffix");
      std::int32_t options = showWhen;
      if (Checked("selection_recurse")) options |= C::SelectionOptions_Recurse;
      if (Checked("selection_clipboard")) options |= C::SelectionOptions_Clipboard;
      if (Checked("selection_fqp")) options |= C::SelectionOptions_FQP;
      if (Checked("selection_qis")) options |= C::SelectionOptions_QIS;
      if (Checked("selection_short")) options |= C::SelectionOptions_ShortNames;
      item.m_lSelection_Options = options;
      break;
    }
    case C::TypeDynamicFolder:
      FillCaptionFromLocation("dfolder_caption", "dfolder_folder");
      item.Reset();
      item.m_lType = C::TypeDynamicFolder;
      item.SetLocation(Trimmed("dfolder_folder"));
      item.SetCaption(Trimmed("dfolder_caption"));
      item.m_szDFolder_Filter = Trimmed("dfolder_filter");
      break;
    case C::TypeCopyToX:
      FillCaptionFromLocation("copytox_caption", "copytox_folder");
      item.Reset();
      item.m_lType = C::TypeCopyToX;
      item.SetLocation(Trimmed("copytox_folder"));
      item.SetCaption(Trimmed("copytox_caption"));
      if (Checked("copytox_move")) item.m_lCopyToX_Options |= C::CopyToXOptions_Move;
      break;
    default:
      break;
  }
}

}  // namespace designer
