#include "designer/frmProperties.h"

#include <optional>
#include <utility>

#include "base/error.h"
#include "common/SpecialFolders.h"
#include "common/clsOpenSave.h"
#include "common/shelltools.h"
#include "common/tools.h"
#include "config/clsOptions.h"
#include "designer/PropertiesPage.h"
#include "designer/PropertyPickers.h"
#include "smartui/grid_view.h"
#include "smartui/menu_view.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "widgets/RichTextBox.h"
#include "widgets/form_controls.h"

namespace designer {

namespace {

constexpr UINT kOpenPicker = WM_APP + 1;

// The shell's own dialogs and names.
class WindowsShell : public PropertyShell {
 public:
  explicit WindowsShell(HWND owner) : m_owner(owner) {}

  std::optional<PickedFolder> PickFolder(const std::string& title, const std::string& initial) override {
    // The browser gives back the initial folder when cancelled and then
    // leaves the display name alone: a name it cannot give tells the cancel.
    const std::string untouched(1, '\0');
    std::string name = untouched;
    std::string path = common::BrowseForFolder(m_owner, title, initial, &name, 0);
    if (name == untouched || path.empty()) return std::nullopt;
    return PickedFolder{path, name};
  }
  std::optional<std::string> PickFile(const std::string& initial) override {
    common::clsOpenSave dialog;
    dialog.SetCentre(true);
    dialog.SetDefaultExt("");
    dialog.SetDialogTitle("Select the file");
    dialog.SetFilter("All Files (*.*)|*.*");
    dialog.SethWnd(m_owner);
    dialog.SetFileName(initial);
    dialog.SetInitDir(initial);
    dialog.Setflags(0x381000);  // explorer, links not followed, long names, must exist
    dialog.ShowOpen();
    std::string chosen = common::CutAtNull(dialog.FileName());
    if (chosen.empty()) return std::nullopt;
    return chosen;
  }
  std::vector<std::pair<std::int32_t, std::string>> SpecialFolders() override {
    return common::ListSpecialFolders(m_owner);
  }
  std::string SpecialFolderName(std::int32_t csidl) override {
    return common::GetSpecialFolderName(m_owner, csidl, true);
  }
  std::string FileDisplayName(const std::string& path) override { return common::GetFileDisplayName(path); }
  bool FileExists(const std::string& path) override { return common::FileExists(path); }

 private:
  HWND m_owner;
};

}  // namespace

struct frmProperties::Parts {
  sui::Control tokens{sui::Style::PopupMenu};
  ui::SmartUIControl* grid = nullptr;
  widgets::RichTextBox* actions = nullptr;
  widgets::RichTextBox* preview = nullptr;
  widgets::RichTextBox* parms = nullptr;
};

frmProperties::frmProperties() : widgets::Form("Properties", 8400, 7800) {}
frmProperties::~frmProperties() {
  // The page goes first: nothing of the windows that go after it may reach it.
  if (m_parts && m_parts->grid) m_parts->grid->Model().handlers = {};
  if (m_parts)
    for (widgets::RichTextBox* box : {m_parts->actions, m_parts->parms}) {
      if (!box) continue;
      box->Change = nullptr;
      box->MouseDown = nullptr;
    }
}

void frmProperties::SetShell(std::shared_ptr<PropertyShell> shell) { m_shell = std::move(shell); }

bool frmProperties::ShowDialog(HWND owner) {
  m_bOk = false;
  // The first answer may be stale: only the second one counts.
  GetAsyncKeyState(VK_CONTROL);
  m_bCtrlPressed = GetAsyncKeyState(VK_CONTROL) != 0;
  Load(owner);
  Build();
  PostMessageA(Hwnd(), kOpenPicker, 0, 0);
  return ShowModal(owner);
}

void frmProperties::Build() {
  if (!m_Data) base::RaiseError(base::kErrInvalidCall, "frmProperties", "No item to edit");
  if (!m_shell) m_shell = std::make_shared<WindowsShell>(Hwnd());
  m_parts = std::make_unique<Parts>();
  ui::CenterForm(*this);

  const long width = ScaleWidth();
  const long buttonTop = ScaleHeight() - 375 - 120;
  auto& ok = Add<widgets::Button>("btnOk", "&Ok", width - 2 * 1215 - 120, buttonTop, 1215, 375,
                                  widgets::ButtonRole::Default);
  auto& cancel = Add<widgets::Button>("btnCancel", "&Cancel", width - 1215 - 120, buttonTop, 1215, 375,
                                      widgets::ButtonRole::Cancel);
  ok.Click = [this](widgets::Button&) { PressOk(); };
  cancel.Click = [this](widgets::Button&) {
    m_bOk = false;
    Hide();
  };
  const long pictureHeight = buttonTop - 200;
  auto& picture = Add<widgets::PictureBox>("picBackground", 0, 0, width, pictureHeight);
  picture.Paint = [](widgets::PictureBox& box) {
    if (config::g_oOptions().m_bGeneralShowBackground) ui::PaintResourcePicture(box, "background");
  };
  Add<widgets::DividerLine>("VertDivider1", 0, pictureHeight, width);

  Parts& p = *m_parts;
  p.grid = &Add<ui::SmartUIControl>("suiProperties", sui::Style::Grid, 100, 100, width - 300, pictureHeight - 100);
  p.grid->Model().setCaption("Item Properties");
  p.grid->Model().setBorderStyle(0);
  p.grid->SetTag("imagelist=s");
  p.actions = &Add<widgets::RichTextBox>("txtActions", 0, 0, 3000, 900);
  p.preview = &Add<widgets::RichTextBox>("txtPreview", 0, 0, 3000, 900);
  p.parms = &Add<widgets::RichTextBox>("txtSelection_Parms", 0, 0, 3000, 900);
  p.preview->SetLocked(true);
  p.parms->SetWordWrap(false);
  if (auto* view = p.grid->ViewAs<sui::GridView>()) {
    view->host("txtActions", p.actions->Hwnd());
    view->host("txtPreview", p.preview->Hwnd());
    view->host("txtSelection_Parms", p.parms->Hwnd());
  }

  m_page = std::make_unique<PropertiesPage>(p.grid->Model(), p.tokens,
                                            PropertiesPage::Boxes{*p.actions, *p.preview, *p.parms}, *m_shell);
  m_page->m_hwndOwner = Hwnd();
  m_page->FocusGrid = [this] {
    if (auto* view = m_parts->grid->ViewAs<sui::GridView>()) view->focus();
  };
  m_page->PopupTokens = [this](const sui::ItemPtr& menu) {
    POINT at{};
    GetCursorPos(&at);
    sui::PopupMenuView(Hwnd()).popup(menu, at);
  };
  // The picture lies behind every control and paints around them.
  SetWindowLongPtrA(picture.Hwnd(), GWL_STYLE, GetWindowLongPtrA(picture.Hwnd(), GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(picture.Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  m_page->Load(*m_Data, m_lOptions);
  ui::g_oApplication().Form_LoadIcons(*this);
}

LRESULT frmProperties::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kOpenPicker) {
    // A new item's picker opens once the dialog is on screen.
    if (m_page) m_page->OpenPickerOfNewItem();
    return 0;
  }
  return widgets::Form::HandleMessage(msg, wp, lp);
}

void frmProperties::PressOk() {
  if (!m_page || !m_Data) return;
  if (!m_page->Ok(*m_Data)) return;
  m_bOk = true;
  Hide();
}

sui::Control& frmProperties::Grid() { return Loaded().grid->Model(); }
sui::Control& frmProperties::Tokens() { return Loaded().tokens; }
widgets::TextEditor& frmProperties::Actions() { return *Loaded().actions; }
widgets::TextEditor& frmProperties::Preview() { return *Loaded().preview; }
widgets::TextEditor& frmProperties::SelectionParms() { return *Loaded().parms; }

frmProperties::Parts& frmProperties::Loaded() {
  if (!m_parts || !IsLoaded()) base::RaiseError(base::kErrInvalidCall, "frmProperties", "The dialog is not loaded");
  return *m_parts;
}

}  // namespace designer
