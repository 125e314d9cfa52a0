// The main window's one dispatcher and its file commands.
#include "designer/frmMainParts_win.h"

#include <exception>

#include "base/error.h"
#include "base/prompt.h"
#include "base/scope.h"
#include "common/appinfo.h"
#include "common/clsOpenSave.h"
#include "common/shelltools.h"
#include "common/tools.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "designer/MainCommands.h"
#include "designer/MainDocument.h"
#include "designer/frmAbout.h"
#include "designer/frmOptions.h"
#include "designer/frmValidate.h"
#include "ui/formtools.h"
#include "ui/frmCustomWindowActions.h"
#include "widgets/form_tools.h"

namespace designer {

namespace {

constexpr char kFilter[] = "Configuration Files (*.cfg)|*.cfg|All Files (*.*)|*.*";
constexpr char kSupportPage[] = "https://www.brindlewick.example/corvane/support";
constexpr char kWebSite[] = "https://www.brindlewick.example/corvane/";

int Ask(const std::string& text, unsigned flags) { return base::Prompt(text, flags, common::g_szAppTitle()); }

void CouldNotOpen(const std::string& path, const std::string& reason) {
  Ask("Could not open the file '" + path + "'\r\n\r\n" + reason, base::kPromptExclamation);
}

// The configuration file dialogs: an empty name when the user cancelled.
std::string AskForFile(HWND owner, const std::string& initial, const char* title, bool save) {
  common::clsOpenSave dialog;
  dialog.SetCentre(true);
  dialog.SetDefaultExt(".cfg");
  dialog.SetDialogTitle(title);
  dialog.SetFilter(kFilter);
  dialog.SethWnd(owner);
  dialog.SetFileName(initial);
  dialog.SetInitDir(initial);
  dialog.Setflags(save ? 0x282002u : 0x281004u);
  const bool chosen = save ? dialog.ShowSave() != 0 : dialog.ShowOpen() != 0;
  return chosen ? common::clsOpenSave::StripNulls(dialog.FileName()) : std::string();
}

}  // namespace

UINT frmMain::CommandId(const std::string& key) {
  sui::ItemPtr item = m_parts->menu.find(key);
  if (!item) return 0;
  // Walk the menu for the item's caption under its identifier.
  std::vector<HMENU> pending{m_parts->menuView->menu()};
  while (!pending.empty()) {
    HMENU menu = pending.back();
    pending.pop_back();
    for (int i = 0, n = GetMenuItemCount(menu); i < n; ++i) {
      if (HMENU sub = GetSubMenu(menu, i)) {
        pending.push_back(sub);
        continue;
      }
      const UINT id = GetMenuItemID(menu, i);
      if (id == 0 || id == UINT(-1)) continue;
      char text[256] = {};
      GetMenuStringA(menu, i, text, sizeof text, MF_BYPOSITION);
      std::string caption = text;
      if (auto tab = caption.find('\t'); tab != std::string::npos) caption.resize(tab);
      if (caption == item->caption()) return id;
    }
  }
  return 0;
}

void frmMain::SmartUI_ClickProcessing(const std::string& key) {
  if (m_bProcessing) return;
  try {
    const ParsedCommand parsed = ParseCommandKey(key);
    std::int32_t type = 0, mode = 0;
    if (AddCommandItem(parsed.command, type, mode)) {
      AddItem(type, mode, 0);
      return;
    }
    switch (parsed.command) {
      case Command::RecentFile:
        if (parsed.number <= m_parts->recent.MaxFileCount()) {
          const std::string path = m_parts->recent.File(parsed.number);
          if (path.empty()) return;
          if (!common::FileExists(path)) {
            Ask("The file '" + path + "' is no longer there.", base::kPromptExclamation);
            return;
          }
          Action_Load(path);
        }
        return;
      case Command::QuickAccess:
        AddItem(0, 0, parsed.number);
        return;
      case Command::FileNew: NewFile(); return;
      case Command::FileOpen: Action_Load(""); return;
      case Command::FileMerge: Action_Merge(); return;
      case Command::FileSave: Action_Save(false); return;
      case Command::FileSaveAs: Action_Save(true); return;
      case Command::FileSend: common::ShellExecuteFile("mailto:", 10, {}, {}, "open"); return;
      case Command::FileExit: Action_Exit(true); return;
      case Command::Help: OpenHelp(); return;
      case Command::HelpSupport: common::ShellExecuteFile(kSupportPage, 10, {}, {}, "open"); return;
      case Command::HelpWebsite: common::ShellExecuteFile(kWebSite, 10, {}, {}, "open"); return;
      case Command::HelpAbout: {
        m_bProcessing = true;
        base::ScopeExit done([this] { m_bProcessing = false; });
        frmAbout about;
        about.ShowDialog(Hwnd());
        about.Unload();
        return;
      }
      case Command::Delete: DeleteItem(); return;
      case Command::Properties: EditProperties(); return;
      case Command::ViewDesigner: ShowFrame(0); return;
      case Command::ViewTestMenu:
        if (m_bTreviewDirty && Ask("Save changes?", base::kPromptYesNo | base::kPromptQuestion) == base::kAnswerYes)
          Action_Save(false);
        ShowFrame(1);
        return;
      case Command::ToolsOptions: ShowOptions(); return;
      case Command::ToolsValidate: {
        m_bProcessing = true;
        base::ScopeExit done([this] { m_bProcessing = false; });
        Action_Validate(Hwnd(), m_parts->tree);
        return;
      }
      case Command::ToolsCustomWindowActions: ShowCustomWindowActions(); return;
      default:
        return;
    }
  } catch (const std::exception& e) {
    m_bProcessing = false;
    Ask(e.what(), base::kPromptExclamation);
  }
}

bool frmMain::SaveQuestion() {
  if (!m_bTreviewDirty) return true;
  switch (Ask("Save changes?", base::kPromptYesNoCancel | base::kPromptQuestion)) {
    case base::kAnswerYes: return Action_Save(false);
    case base::kAnswerNo: return true;
    default: return false;
  }
}

bool frmMain::NewFile() {
  if (!SaveQuestion()) return false;
  m_szFilename.clear();
  m_parts->recent.UpdateFileMenu(m_szFilename);
  InitializeTree();
  return true;
}

// Reads the file into the tree (merge: beside what is there). On any
// failure the user is told and the tree is as it was.
bool frmMain::ReadInto(const std::string& path, bool merge) {
  std::string bytes, error;
  if (!ReadWholeFile(path, bytes, error)) {
    CouldNotOpen(path, error);
    return false;
  }
  widgets::WaitCursor wait;
  if (bytes.empty()) {
    if (!merge) InitializeTree();
    return true;
  }
  config::MemoryFile file(std::move(bytes));
  m_parts->tree.SetRedraw(false);
  base::ScopeExit redraw([this] {
    m_parts->tree.SetRedraw(true);
    RedrawWindow(Hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  });
  bool ok = false;
  try {
    ok = config::g_oDataTools().TVW_ReadConfig(m_parts->tree, file, error, merge);
  } catch (const std::exception& e) {
    error = e.what();
  }
  if (!ok) {
    Ask("Encountered a serious error while processing:\r\n\r\n" + path + "\r\n\r\n\r\n" + error,
        base::kPromptCritical);
    // A failed merge leaves the tree as it was; a failed load an empty one.
    if (!merge) InitializeTree();
    return false;
  }
  if (widgets::TreeNode* root = m_parts->tree.Find("root")) {
    m_parts->tree.SetSelectedItem(root);
    NodeClicked(*root);
  }
  return true;
}

bool frmMain::Action_Load(const std::string& requested) {
  if (!SaveQuestion()) return false;
  std::string path = requested.empty()
                         ? AskForFile(Hwnd(), m_szFilename, "Select Configuration File", false)
                         : requested;
  if (path.empty()) return false;
  if (const auto nul = path.find('\0'); nul != std::string::npos) path.resize(nul);
  if (!ReadInto(path, false)) return false;
  m_bTreviewDirty = false;
  m_szFilename = path;
  m_parts->recent.AddFile(path);
  SetFormTitle();
  return true;
}

bool frmMain::Action_Merge() {
  const std::string path = AskForFile(Hwnd(), m_szFilename, "Select Configuration File to Merge", false);
  if (path.empty()) return false;
  const std::int32_t before = m_parts->tree.Count();
  if (!ReadInto(path, true)) return false;
  if (m_parts->tree.Count() != before) m_bTreviewDirty = true;
  SetFormTitle();
  return true;
}

bool frmMain::Action_Save(bool saveAs) {
  m_bProcessing = true;
  base::ScopeExit done([this] { m_bProcessing = false; });
  std::string path = m_szFilename;
  if (saveAs || path.empty()) path = AskForFile(Hwnd(), m_szFilename, "Select Configuration File", true);
  if (path.empty()) return false;
  widgets::WaitCursor wait;
  config::MemoryFile file;
  std::string error;
  try {
    config::g_oDataTools().File_WriteConfig(file, m_parts->tree, m_parts->temp);
  } catch (const std::exception& e) {
    CouldNotOpen(path, e.what());
    return false;
  }
  if (!WriteFileSafely(path, file.Bytes(), error)) {
    CouldNotOpen(path, error);
    return false;
  }
  m_szFilename = path;
  m_bTreviewDirty = false;
  m_parts->recent.AddFile(path);
  SetFormTitle();
  return true;
}

bool frmMain::Action_Exit(bool unloadAll) {
  if (!SaveQuestion()) return false;
  if (unloadAll) {
    RecordPlacement();
    m_bTreviewDirty = false;  // asked already
    PostMessageA(Hwnd(), WM_CLOSE, 0, 0);
  }
  return true;
}

void frmMain::AfterDialog() {
  SetWindowPos(Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  if (m_lCurrentTab == 0 && m_parts->treeWindow->Visible()) m_parts->treeWindow->SetFocus();
}

void frmMain::ShowOptions() {
  m_bProcessing = true;
  base::ScopeExit done([this] { m_bProcessing = false; });
  frmOptions options;
  if (options.ShowModal(Hwnd())) AfterDialog();
  options.Unload();
}

void frmMain::ShowCustomWindowActions() {
  m_bProcessing = true;
  base::ScopeExit done([this] { m_bProcessing = false; });
  {
    ui::frmCustomWindowActions actions;
    actions.ShowModal(Hwnd());
    actions.Unload();
  }
  AfterDialog();
}

void frmMain::OpenHelp() {
  std::string path = base::ProgramFolder() + "\\corvane.chm";
  base::Error failure(0, "");
  if (!common::ShellExecuteFile(path, 10, {}, {}, "open", Hwnd(), &failure)) {
    path = base::ProgramFolder() + "\\..\\help\\corvane\\corvane.chm";
    failure = base::Error(0, "");
    common::ShellExecuteFile(path, 10, {}, {}, "open", Hwnd(), &failure);
  }
  if (failure.Number() == 53 || failure.Number() == 76)
    Ask("Path not found - " + path, base::kPromptExclamation);
  else if (failure.Number() > 0)
    Ask(failure.Description(), base::kPromptExclamation);
}

}  // namespace designer
