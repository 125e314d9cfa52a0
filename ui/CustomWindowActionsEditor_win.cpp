// The custom window actions editor's rules over its controls' models.
#include "ui/CustomWindowActionsEditor.h"

#include "actions/clsCustomActions.h"
#include "base/prompt.h"
#include "common/appinfo.h"
#include "common/clsGUID.h"
#include "common/clsProcess.h"
#include "ui/ServiceLists.h"
#include "ui/TokenMenus.h"
#include "ui/clsSmartUI.h"
#include "widgets/TextEditor.h"

namespace ui {

using actions::clsCustomActions;

namespace {

constexpr const char* kMatchRows[] = {"id_exematch", "id_captionmatch", "id_classmatch"};

void AddRow(sui::Control& grid, const std::string& key, const std::string& caption, int kind) {
  const bool category = kind == sui::kKindCategory;
  SmartUI().Add(grid, 0, key, caption, kind, {}, std::nullopt, category ? 0 : 1, category ? kSuiOptionBold : 0);
}

// Every criterion in use needs its pattern; one criterion at least; and a
// description always.
struct Criterion {
  const char* match;
  const char* name;
  const char* message;
};
constexpr Criterion kCriteria[] = {
    {"id_exematch", "id_exe", "You must supply an application name!"},
    {"id_captionmatch", "id_caption", "You must supply a caption!"},
    {"id_classmatch", "id_class", "You must supply a class!"},
};

}  // namespace

std::string CommandsForFile(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += '~';
    } else if (text[i] == '\n') {
      out += '~';
    } else {
      out += text[i];
    }
  }
  return out;
}

CustomWindowActionsEditor::CustomWindowActionsEditor(Controls controls, std::function<std::string()> file)
    : m_c(controls), m_file(std::move(file)) {
  auto& tools = m_c.tools.items();
  auto tool = [&](const char* key, const char* caption, const char* image, const char* tip, bool enabled) {
    auto item = tools.add(0, key, caption, sui::kKindEntry, image);
    item->setToolTip(tip);
    item->setEnabled(enabled);
  };
  tool("id_new", "&New", "new", "Create a new action", true);
  tool("id_delete", "&Delete", "delete", "Delete the currently selected action", false);
  tools.add(0, "", "", sui::kKindToolbarSpacer);
  tool("id_down", "", "down", "Move action down in priority list", false);
  tool("id_up", "", "up", "Move action up in priority list", false);

  m_c.actions.setCaption("Actions");
  m_c.data.setCaption("Details");
  m_c.header.setCaption("Preview");
  auto save = m_c.save.items().add(0, "id_save", "&Save Changes", sui::kKindEntry, "save");
  save->setToolTip("Save action changes");
  save->setEnabled(false);
  m_c.reload.items().add(0, "Reload details", "Reload details", sui::kKindEntry, "refresh");
  m_c.reload.setEnabled(false);
  m_c.tokens.items().add(0, "id_actiontokens", "", sui::kKindMenuEntry, "customaction");
  m_c.tokens.items().add(0, "id_selectiontokens", "", sui::kKindMenuEntry, "selectiontask")->setVisible(false);

  AddRow(m_c.data, "", "General", sui::kKindCategory);
  AddRow(m_c.data, "id_enabled", "Enabled", sui::kKindListRow);
  AddRow(m_c.data, "id_description", "Description", sui::kKindTextRow);
  AddRow(m_c.data, "", "Executable", sui::kKindCategory);
  AddRow(m_c.data, "id_exematch", "Match", sui::kKindListRow);
  AddRow(m_c.data, "id_exe", "Name", sui::kKindEditableList);
  AddRow(m_c.data, "", "Window Caption", sui::kKindCategory);
  AddRow(m_c.data, "id_captionmatch", "Match", sui::kKindListRow);
  AddRow(m_c.data, "id_caption", "Name", sui::kKindTextButtonRow);
  AddRow(m_c.data, "", "Window Class", sui::kKindCategory);
  AddRow(m_c.data, "id_classmatch", "Match", sui::kKindListRow);
  AddRow(m_c.data, "id_class", "Name", sui::kKindTextButtonRow);
  AddRow(m_c.data, "", "Action", sui::kKindCategory);
  AddRow(m_c.data, "id_actions", "Commands:", sui::kKindHostedRow);
  // The hosted row's value names the window the grid shows in it.
  Row("id_actions")->setValue(std::string(kCommandsBox));

  m_c.tools.handlers.itemClick = [this](const sui::ItemPtr& item) { OnToolClick(item); };
  m_c.actions.handlers.itemClick = [this](const sui::ItemPtr& item) { OnActionClick(item); };
  m_c.data.handlers.itemChange = [this](const sui::ItemPtr& row, const std::string& p) { OnRowChange(row, p); };
  m_c.data.handlers.buttonClick = [this](const sui::ItemPtr& row) { OnRowButton(row); };
  m_c.data.handlers.dropDown = [](const sui::ItemPtr& row) {
    if (!sui::sameKey(row->key(), "id_exe")) return;
    common::clsProcess process;
    AddExeListToSmartUI(process, *row);
  };
  m_c.data.handlers.itemCommit = [this](const sui::ItemPtr& row) {
    if (sui::sameKey(row->key(), "id_exe"))
      SmartUI().SetParentViaTag(Row("id_exematch"), clsCustomActions::OptionMatchAnywhere);
  };
  m_c.save.handlers.itemClick = [this](const sui::ItemPtr&) { SaveAction(); };
  m_c.reload.handlers.itemClick = [this](const sui::ItemPtr&) {
    m_c.save.items().at(1)->setEnabled(false);
    if (auto current = m_c.actions.current()) ShowAction(current->key());
  };
  m_c.tokens.handlers.itemClick = [this](const sui::ItemPtr& item) { m_c.commands.SetSelText(item->key()); };
  m_c.commands.Change = [this] { OnCommandsChange(); };
  m_c.commands.MouseDown = [this](int button, int, long, long) { OnCommandsMouseDown(button); };
}

sui::ItemPtr CustomWindowActionsEditor::Row(const std::string& key) const { return m_c.data.find(key); }

void CustomWindowActionsEditor::Open() {
  m_busy.Reset();
  AddKeystrokeMenuItems(*m_c.tokens.items().at(1), true);
  for (const char* key : kMatchRows) AddMatchOptions(*Row(key));
  SmartUI().Combo_SetAsYesNo(Row("id_enabled"));
  m_c.preview.SetLocked(true);
  m_c.commands.SetWordWrap(false);
  std::int32_t first = 1;
  LoadActions(first);
}

void CustomWindowActionsEditor::ResetData() {
  for (const auto& row : m_c.data.items())
    if (!row->key().empty() && !sui::sameKey(row->key(), "id_actions")) row->setValue(std::string());
  m_c.commands.SetText("");
  SetModified(false);
}

void CustomWindowActionsEditor::LoadActions(std::int32_t& lSelected) {
  m_busy.Push();
  m_newAction = false;
  if (hooks.hourglass) hooks.hourglass(true);
  m_c.actions.setRedraw(false);
  m_c.actions.items().clear();

  clsCustomActions store;
  store.SetPath(m_file());
  std::vector<std::string> ids;
  const std::int32_t n = store.LoadEx(ids, clsCustomActions::TypeWindow, "", false);
  for (std::int32_t i = 0; i < n; ++i) {
    clsCustomActions action;
    action.SetPath(store.Path());
    if (!action.Load(ids[static_cast<size_t>(i)], "")) continue;
    // Keys are unique in a list; a file edited by hand may repeat a section.
    if (m_c.actions.items().find(action.m_szId)) continue;
    m_c.actions.items().add(0, action.m_szId, action.m_szDescription, sui::kKindEntry,
                            action.IsOptionEnabled() ? "blank" : "disabled");
  }

  const int count = m_c.actions.items().count();
  if (count == 0) {
    EnableItems(false);
    SmartUI().ExpandAll(m_c.data, true);
  } else {
    EnableItems(true);
    if (lSelected > count) lSelected = count;
    if (lSelected < 1) lSelected = 1;
    auto entry = m_c.actions.items().at(lSelected);
    m_c.actions.setCurrent(entry);
    ShowAction(entry->key());
  }
  m_c.actions.setRedraw(true);
  if (hooks.hourglass) hooks.hourglass(false);
  m_busy.Pop();
}

void CustomWindowActionsEditor::EnableItems(bool bEnable) {
  const bool any = bEnable && m_c.actions.items().count() > 0;
  for (const char* key : {"id_delete", "id_up", "id_down"}) m_c.tools.items().at(key)->setEnabled(any);
  m_c.data.setEnabled(bEnable);
  m_c.reload.setEnabled(bEnable);
  m_c.header.setEnabled(bEnable);
  if (hooks.enableText) hooks.enableText(bEnable);
}

bool CustomWindowActionsEditor::ValidateData() {
  std::string message;
  const bool enabled = !SmartUI().Combo_IsNo(Row("id_enabled")).ToBool();
  if (enabled) {
    if (m_c.commands.Text().empty()) message = "No actions to perform!";
    bool anyInUse = false;
    for (const auto& c : kCriteria) {
      if (Row(c.match)->tag().ToLong() <= 0) continue;
      anyInUse = true;
      if (Row(c.name)->value().ToString().empty()) message = c.message;
    }
    if (!anyInUse) message = "You must supply an application name, caption or class!";
  }
  // Disabled or not: an action without a description would be left out of
  // the list at the next load, and so could never be edited or deleted here.
  if (Row("id_description")->value().ToString().empty()) message = "Description cannot be blank!";
  if (message.empty()) return true;
  base::Prompt(message, base::kPromptOk | base::kPromptExclamation, common::g_szAppTitle());
  return false;
}

bool CustomWindowActionsEditor::IsModified() const { return m_c.save.items().at(1)->enabled(); }

bool CustomWindowActionsEditor::HasDataChanged() {
  if (!IsModified()) return false;
  const int answer = base::Prompt("Save the changes to '" + Row("id_description")->value().ToString() + "' ?",
                                  base::kPromptYesNoCancel | base::kPromptQuestion, common::g_szAppTitle());
  if (answer == base::kAnswerYes) return !SaveAction();
  return answer != base::kAnswerNo;  // Cancel, and a box closed without an answer
}

std::string CustomWindowActionsEditor::GetNewName(std::int32_t lIndex) const {
  for (;; ++lIndex) {
    const std::string candidate = "New Action " + std::to_string(lIndex);
    bool taken = false;
    for (const auto& entry : m_c.actions.items()) taken = taken || entry->caption() == candidate;
    if (!taken) return candidate;
  }
}

std::vector<std::string> CustomWindowActionsEditor::ListedIds() const {
  std::vector<std::string> ids{""};  // position 0 is not used
  for (const auto& entry : m_c.actions.items()) ids.push_back(entry->key());
  return ids;
}

void CustomWindowActionsEditor::SelectListed(const std::string& id) {
  if (auto entry = m_c.actions.items().find(id)) m_c.actions.setCurrent(entry);
}

bool CustomWindowActionsEditor::SaveAction() {
  if (!ValidateData()) return false;
  clsCustomActions action;
  action.m_szId = m_c.data.tag().ToString();
  action.m_lOptions = SmartUI().Combo_IsTrue(Row("id_enabled")).ToBool() ? clsCustomActions::OptionEnabled : 0;
  action.m_lType = clsCustomActions::TypeWindow;
  action.m_szDescription = Row("id_description")->value().ToString();
  action.m_lOrder = Row("id_description")->tag().ToLong();
  action.m_szExe = Row("id_exe")->value().ToString();
  action.m_lExeMatch = Row("id_exematch")->tag().ToLong();
  action.m_szCaption = Row("id_caption")->value().ToString();
  action.m_lCaptionMatch = Row("id_captionmatch")->tag().ToLong();
  action.m_szClass = Row("id_class")->value().ToString();
  action.m_lClassMatch = Row("id_classmatch")->tag().ToLong();
  action.m_szActions = CommandsForFile(m_c.commands.Text());
  const std::string file = m_file();
  action.Save(file);
  if (m_newAction) {
    auto ids = ListedIds();
    ids.push_back(action.m_szId);
    action.Resequence(ids, file);
  }
  SetModified(false);
  std::int32_t first = 1;
  LoadActions(first);
  SelectListed(action.m_szId);
  return true;
}

void CustomWindowActionsEditor::NewAction() {
  if (HasDataChanged()) return;
  ResetData();
  m_c.data.setTag(common::clsGUID().Create());
  EnableItems(true);
  SetModified(true);
  SmartUI().Combo_SetYesNo(Row("id_enabled"), true);
  Row("id_description")->setValue(GetNewName(1));
  for (const char* key : kMatchRows) {
    auto row = Row(key);
    if (row->subItems().count() > 0) row->setValue(row->subItems().at(1)->caption());
  }
  m_c.data.setCurrent(Row("id_enabled"));
  const std::string item = clsCustomActions::TokenItem();
  m_c.commands.SetText(item);
  m_c.commands.SetSelStart(static_cast<long>(item.size()));
  m_newAction = true;
  m_c.reload.items().at(1)->setEnabled(false);
  SmartUI().ExpandAll(m_c.data, true);
}

void CustomWindowActionsEditor::DeleteAction() {
  if (HasDataChanged()) return;
  std::int32_t position = 0;
  if (auto entry = m_c.actions.current()) {
    const std::string key = entry->key();
    const std::string caption = entry->caption();
    m_busy.Push();
    ShowAction(key);
    if (base::Prompt("Are you sure you want to delete '" + caption + "' ?",
                     base::kPromptYesNo | base::kPromptQuestion, common::g_szAppTitle()) != base::kAnswerYes) {
      m_busy.Pop();
      return;
    }
    m_c.data.setCurrent(nullptr);
    if (hooks.hourglass) hooks.hourglass(true);
    position = entry->index();
    const std::string file = m_file();
    clsCustomActions store;
    store.Delete(m_c.data.tag().ToString(), file);
    m_c.actions.items().remove(key);
    store.Resequence(ListedIds(), file);
    ResetData();
    m_busy.Pop();
    if (hooks.hourglass) hooks.hourglass(false);
  }
  LoadActions(position);
  SetModified(false);
}

void CustomWindowActionsEditor::MoveAction(bool down) {
  if (HasDataChanged()) return;
  auto entry = m_c.actions.current();
  if (!entry) return;
  const int position = entry->index();
  const int count = m_c.actions.items().count();
  if ((down && position >= count) || (!down && position <= 1)) return;
  if (hooks.hourglass) hooks.hourglass(true);
  const std::string key = entry->key();
  entry->setIndex(down ? position + 1 : position - 1);
  clsCustomActions().Resequence(ListedIds(), m_file());
  std::int32_t first = 1;
  LoadActions(first);
  SelectListed(key);
  if (hooks.hourglass) hooks.hourglass(false);
}

void CustomWindowActionsEditor::ShowAction(const std::string& id) {
  clsCustomActions action;
  if (!action.Load(id, m_file())) return;
  ResetData();
  m_c.data.setTag(action.m_szId);
  SmartUI().Combo_SetYesNo(Row("id_enabled"), action.IsOptionEnabled());
  Row("id_description")->setValue(action.m_szDescription);
  Row("id_description")->setTag(action.m_lOrder);
  Row("id_exe")->setValue(action.m_szExe);
  SmartUI().SetParentViaTag(Row("id_exematch"), action.m_lExeMatch);
  Row("id_caption")->setValue(action.m_szCaption);
  SmartUI().SetParentViaTag(Row("id_captionmatch"), action.m_lCaptionMatch);
  Row("id_class")->setValue(action.m_szClass);
  SmartUI().SetParentViaTag(Row("id_classmatch"), action.m_lClassMatch);
  m_c.commands.SetText(action.m_szActions);
  m_c.commands.SetSelStart(static_cast<long>(action.m_szActions.size()));
  m_c.data.setEnabled(true);
  if (hooks.enableText) hooks.enableText(true);
  SetModified(false);
  m_c.data.setCurrent(Row("id_enabled"));
  if (hooks.focusGrid) hooks.focusGrid();
}

void CustomWindowActionsEditor::SetModified(bool bModified) {
  m_c.save.items().at(1)->setEnabled(bModified);
  m_c.reload.items().at(1)->setEnabled(bModified && !m_newAction);
}

bool CustomWindowActionsEditor::QueryClose() { return !HasDataChanged(); }

void CustomWindowActionsEditor::OnToolClick(const sui::ItemPtr& item) {
  const std::string& key = item->key();
  if (sui::sameKey(key, "id_new")) NewAction();
  else if (sui::sameKey(key, "id_delete")) DeleteAction();
  else if (sui::sameKey(key, "id_down")) MoveAction(true);
  else if (sui::sameKey(key, "id_up")) MoveAction(false);
}

void CustomWindowActionsEditor::OnActionClick(const sui::ItemPtr& item) {
  if (m_busy.IsProcessing()) return;
  // Answering Yes saves, and the save refills the list: the clicked entry is
  // then gone, and its successor of the same key is the one to show.
  const std::string key = item->key();
  m_busy.Push();
  if (!HasDataChanged()) {
    if (auto entry = m_c.actions.items().find(key)) {
      m_c.actions.setCurrent(entry);
      ShowAction(key);
    }
  }
  m_busy.Pop();
}

void CustomWindowActionsEditor::OnRowChange(const sui::ItemPtr& row, const std::string& property) {
  if (m_busy.IsProcessing()) return;
  SetModified(true);
  if (!sui::sameKey(property, "value")) return;
  for (const char* key : {"id_enabled", "id_exematch", "id_captionmatch", "id_classmatch"})
    if (sui::sameKey(row->key(), key)) SmartUI().SetParentViaCaption(row, row->value().ToString());
}

void CustomWindowActionsEditor::OnRowButton(const sui::ItemPtr& row) {
  if (!sui::sameKey(row->key(), "id_caption") && !sui::sameKey(row->key(), "id_class")) return;
  if (!hooks.pickWindow) return;
  std::string className, caption;
  bool wantClass = false, wantCaption = false;
  if (!hooks.pickWindow(className, caption, wantClass, wantCaption)) return;
  if (wantClass) {
    Row("id_class")->setValue(className);
    SmartUI().SetParentViaTag(Row("id_classmatch"), clsCustomActions::OptionMatchExact);
  }
  if (wantCaption) {
    Row("id_caption")->setValue(caption);
    SmartUI().SetParentViaTag(Row("id_captionmatch"), clsCustomActions::OptionMatchExact);
  }
}

void CustomWindowActionsEditor::OnCommandsChange() {
  if (!m_busy.IsProcessing()) SetModified(true);
  clsCustomActions action;
  action.m_szActions = m_c.commands.Text().substr(0, 8191);
  m_c.preview.SetText(action.BuildActionString("<item goes here>", "<selection goes here>"));
}

void CustomWindowActionsEditor::OnCommandsMouseDown(int button) {
  if (button == 2 && hooks.popupTokens) hooks.popupTokens(*m_c.tokens.items().at(1));
}

}  // namespace ui
