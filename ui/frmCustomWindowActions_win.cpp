// The custom window actions editor on screen: the controls the editor's
// rules run over, laid out, dressed with the program's icons, and the
// window picker and token popup those rules ask for.
#include "ui/frmCustomWindowActions.h"

#include "common/appinfo.h"
#include "config/clsOptions.h"
#include "smartui/grid_view.h"
#include "smartui/menu_view.h"
#include "ui/CustomWindowActionsEditor.h"
#include "ui/SmartUIControl.h"
#include "ui/clsApplication.h"
#include "ui/formtools.h"
#include "ui/frmWindowList.h"
#include "widgets/RichTextBox.h"
#include "widgets/form_controls.h"

namespace ui {

namespace {

// The design, in twips.
constexpr long kWidth = 9840, kHeight = 9000;
constexpr long kGap = 120;
constexpr long kListWidth = 3000;
constexpr long kRight = kGap + kListWidth + kGap;
constexpr long kRightWidth = kWidth - kRight - 2 * kGap;
constexpr long kBarHeight = 420;
constexpr long kGridHeight = 5760;
constexpr long kCommandsHeight = 360;
constexpr long kButtonWidth = 1215, kButtonHeight = 375;

}  // namespace

frmCustomWindowActions::frmCustomWindowActions()
    : widgets::Form("Custom Window Actions", kWidth, kHeight, "CorvaneCustomWindowActions") {}

frmCustomWindowActions::~frmCustomWindowActions() = default;

CustomWindowActionsEditor& frmCustomWindowActions::Editor() { return *m_editor; }

void frmCustomWindowActions::Build() {
  const long inner = ScaleHeight();
  const long exitTop = inner - kGap - kButtonHeight;
  const long dividerTop = exitTop - 200;

  auto& tools = Add<SmartUIControl>("suiTools", sui::Style::Toolbar, kGap, kGap, kListWidth, kBarHeight);
  auto& list = Add<SmartUIControl>("suiActions", sui::Style::List, kGap, kGap + kBarHeight + 60, kListWidth,
                                   dividerTop - kGap - (kGap + kBarHeight + 60));
  auto& grid = Add<SmartUIControl>("suiData", sui::Style::Grid, kRight, kGap, kRightWidth, kGridHeight);
  auto& commands = Add<widgets::RichTextBox>(CustomWindowActionsEditor::kCommandsBox, kRight, kGap, kRightWidth,
                                             kCommandsHeight);
  const long headerTop = kGap + kGridHeight + 60;
  auto& header = Add<SmartUIControl>("suiHeader", sui::Style::CaptionBar, kRight, headerTop, kRightWidth, 300);
  const long barsTop = dividerTop - kGap - kBarHeight;
  auto& preview = Add<widgets::RichTextBox>("txtPreview", kRight, headerTop + 300, kRightWidth,
                                            barsTop - kGap - (headerTop + 300));
  const long barWidth = (kRightWidth - kGap) / 2;
  auto& save = Add<SmartUIControl>("suiSave", sui::Style::ButtonBar, kRight, barsTop, barWidth, kBarHeight);
  auto& reload = Add<SmartUIControl>("suiReload", sui::Style::ButtonBar, kRight + barWidth + kGap, barsTop,
                                     barWidth, kBarHeight);
  Add<widgets::DividerLine>("VertDivider1", 0, dividerTop, kWidth);
  auto& exit = Add<widgets::Button>("btnExit", "E&xit", kWidth - 2 * kGap - kButtonWidth, exitTop, kButtonWidth,
                                    kButtonHeight, widgets::ButtonRole::Cancel);
  // The popup has no window of its own: a hidden holder keeps its model.
  m_tokens = std::make_unique<sui::Control>(sui::Style::PopupMenu);
  for (auto* c : {&tools, &list, &save, &reload}) c->SetTag("imagelist=s");

  m_editor = std::make_unique<CustomWindowActionsEditor>(
      CustomWindowActionsEditor::Controls{tools.Model(), list.Model(), grid.Model(), header.Model(), save.Model(),
                                          reload.Model(), *m_tokens, commands, preview},
      [] { return config::g_oOptions().m_szShellCustomActionsFile; });
  auto& hooks = m_editor->hooks;
  hooks.enableText = [&commands, &preview](bool enabled) {
    commands.SetEnabled(enabled);
    preview.SetEnabled(enabled);
  };
  hooks.hourglass = [](bool busy) { SetCursor(LoadCursorA(nullptr, busy ? IDC_WAIT : IDC_ARROW)); };
  hooks.focusGrid = [&grid] {
    if (IsWindowVisible(grid.Hwnd())) SetFocus(grid.Hwnd());
  };
  hooks.popupTokens = [this](sui::Item& menu) {
    // Where the button went down, in screen coordinates.
    const DWORD at = GetMessagePos();
    POINT screen{static_cast<short>(LOWORD(at)), static_cast<short>(HIWORD(at))};
    sui::PopupMenuView(Hwnd()).popup(menu.shared_from_this(), screen);
  };
  hooks.pickWindow = [this](std::string& className, std::string& caption, bool& wantClass, bool& wantCaption) {
    frmWindowList picker;
    if (!picker.ShowModal(Hwnd())) return false;
    className = picker.m_szClass;
    caption = picker.m_szWindowName;
    wantClass = picker.ReturnClass();
    wantCaption = picker.ReturnCaption();
    return true;
  };
  exit.Click = [this](widgets::Button&) {
    if (!m_editor->QueryClose()) return;
    m_bOk = true;
    Hide();
  };

  if (auto* view = grid.ViewAs<sui::GridView>()) view->host(CustomWindowActionsEditor::kCommandsBox, commands.Hwnd());
  // Made after the grid, the box would lie under it.
  SetWindowPos(commands.Hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool frmCustomWindowActions::ShowModal(HWND owner) {
  m_bOk = false;
  if (!IsLoaded()) LoadDialog(owner);
  return widgets::Form::ShowModal(owner);
}

void frmCustomWindowActions::LoadDialog(HWND owner) {
  Load(owner);
  g_oApplication().SetupForm(*this, [this] {
    CenterForm(*this);
    SetWindowTextA(Hwnd(), (common::ProductName() + " - Custom Window Actions").c_str());
    Build();
    m_editor->Open();
  });
}

}  // namespace ui
