#include "widgets/form_controls.h"

namespace widgets {

// --- Label ---------------------------------------------------------------------

Label::Label(Form& form, std::string name, const std::string& caption, long left, long top,
             long width, long height)
    : Control(std::move(name), ControlKind::Label) {
  CreateSystemChild(form, "STATIC", SS_LEFT, 0, caption, left, top, width, height);
}

// --- Button --------------------------------------------------------------------

namespace {

int RoleId(ButtonRole role) {
  switch (role) {
    case ButtonRole::Default: return IDOK;
    case ButtonRole::Cancel: return IDCANCEL;
    case ButtonRole::Plain: break;
  }
  return 0;
}

}  // namespace

Button::Button(Form& form, std::string name, const std::string& caption, long left, long top,
               long width, long height, ButtonRole role)
    : Control(std::move(name), ControlKind::Button), m_role(role) {
  const DWORD style = WS_TABSTOP | (role == ButtonRole::Default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  CreateSystemChild(form, "BUTTON", style, 0, caption, left, top, width, height, RoleId(role));
}

void Button::Press() {
  if (!Enabled()) return;
  if (Click) {
    auto handler = Click;  // the handler may replace itself
    handler(*this);
    return;
  }
  // Without a handler the two dialog buttons do what they say.
  if (m_role == ButtonRole::Plain) return;
  HWND formWindow = GetParent(Hwnd());
  for (Form* form : LoadedForms()) {
    if (form->Hwnd() != formWindow) continue;
    form->m_bOk = m_role == ButtonRole::Default;
    form->Hide();
    return;
  }
}

void Button::Command(WORD code) {
  if (code == BN_CLICKED) Press();
}

// --- CheckBox ------------------------------------------------------------------

CheckBox::CheckBox(Form& form, std::string name, const std::string& caption, long left, long top,
                   long width, long height)
    : Control(std::move(name), ControlKind::CheckBox) {
  CreateSystemChild(form, "BUTTON", WS_TABSTOP | BS_AUTOCHECKBOX, 0, caption, left, top, width, height);
}

int CheckBox::Value() const {
  return Hwnd() && SendMessageA(Hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void CheckBox::SetValue(int value) {
  if (!Hwnd() || Value() == (value ? 1 : 0)) return;
  SendMessageA(Hwnd(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
  // As the forms knew it: setting the value raises Click.
  if (Click) {
    auto handler = Click;
    handler(*this);
  }
}

void CheckBox::Command(WORD code) {
  if (code != BN_CLICKED || !Click) return;
  auto handler = Click;
  handler(*this);
}

// --- TextBox -------------------------------------------------------------------

TextBox::TextBox(Form& form, std::string name, const std::string& text, long left, long top,
                 long width, long height, bool multiLine)
    : Control(std::move(name), ControlKind::TextBox) {
  const DWORD style = WS_TABSTOP | ES_AUTOHSCROLL |
                      (multiLine ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL : 0);
  CreateSystemChild(form, "EDIT", style, WS_EX_CLIENTEDGE, text, left, top, width, height);
}

void TextBox::Command(WORD code) {
  if (code != EN_CHANGE || !Change) return;
  auto handler = Change;
  handler(*this);
}

// --- Frame ---------------------------------------------------------------------

Frame::Frame(Form& form, std::string name, const std::string& caption, long left, long top,
             long width, long height)
    : Control(std::move(name), ControlKind::Frame) {
  CreateSystemChild(form, "BUTTON", BS_GROUPBOX, 0, caption, left, top, width, height);
  SetWindowPos(Hwnd(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

// --- DividerLine ---------------------------------------------------------------

DividerLine::DividerLine(Form& form, std::string name, long left, long top, long width, long height)
    : Control(std::move(name), ControlKind::Divider) {
  m_site.Create(form.Hwnd(), "Sashkit.VertDivider", left, top, width, height);
  AdoptWindow(m_site.Hwnd());
  // A line is never a stop of the Tab key, whichever window draws it.
  EnumChildWindows(
      m_site.Hwnd(),
      [](HWND child, LPARAM) -> BOOL {
        SetWindowLongA(child, GWL_STYLE, GetWindowLongA(child, GWL_STYLE) & ~WS_TABSTOP);
        return TRUE;
      },
      0);
}

DividerLine::~DividerLine() {
  // The site's window is the site's to destroy; when the form's window went
  // first, it took the site's with it.
  if (Hwnd()) {
    ReleaseWindow();
    m_site.Destroy();
  } else {
    m_site.Abandon();
  }
}

void DividerLine::Move(long left, long top, long width, long height) { m_site.Move(left, top, width, height); }

}  // namespace widgets
