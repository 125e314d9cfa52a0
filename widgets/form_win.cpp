#include "widgets/form.h"

#include <algorithm>
#include <cmath>

#include "base/context.h"
#include "base/error.h"
#include "base/module.h"
#include "base/text.h"
#include "widgets/form_controls.h"
#include "widgets/form_tools.h"

namespace widgets {

using base::ThisModule;

namespace {

constexpr char kPictureBoxClass[] = "CorvanePictureBox";
constexpr long kErrNoSuchMember = 438;

// The forms of this thread that have a window, in load order.
struct LoadedFormList {
  std::vector<Form*> forms;
};

LoadedFormList& Loaded() { return base::ThreadContext::Current().Get<LoadedFormList>(); }

// Classes are registered once per module, without CS_GLOBALCLASS: Designer
// and the shell extension may share a process and each has its own. Two
// threads racing here both end with the class registered.
void EnsureClass(const char* name, WNDPROC proc, HBRUSH background) {
  WNDCLASSEXA existing = {};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExA(ThisModule(), name, &existing)) return;
  WNDCLASSEXA wc = {};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = ThisModule();
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.hbrBackground = background;
  wc.lpszClassName = name;
  RegisterClassExA(&wc);
}

int ScreenPixelsPerInch(int index) noexcept {
  base::WindowDc screen(nullptr);
  int dpi = screen ? GetDeviceCaps(screen.get(), index) : 96;
  return dpi > 0 ? dpi : 96;
}

void RaiseNoSuchMember(const std::string& control) {
  base::RaiseError(kErrNoSuchMember, control, "Object doesn't support this property or method");
}

// HIMETRIC (0.01 mm) to pixels, as a picture's size is given.
long HimetricToPixels(OLE_XSIZE_HIMETRIC v, int pixelsPerInch) {
  return static_cast<long>(std::lround(static_cast<double>(v) * pixelsPerInch / 2540.0));
}

// A picture's size in pixels on a device context.
SIZE PictureSize(IPicture& picture, HDC dc) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture.get_Width(&w);
  picture.get_Height(&h);
  return {HimetricToPixels(w, GetDeviceCaps(dc, LOGPIXELSX)),
          HimetricToPixels(h, GetDeviceCaps(dc, LOGPIXELSY))};
}

// Draws a picture at its own size with its top-left corner at (x, y).
void RenderPicture(IPicture& picture, HDC dc, long x, long y) {
  OLE_XSIZE_HIMETRIC w = 0;
  OLE_YSIZE_HIMETRIC h = 0;
  picture.get_Width(&w);
  picture.get_Height(&h);
  const SIZE size = PictureSize(picture, dc);
  picture.Render(dc, x, y, size.cx, size.cy, 0, h, w, -h, nullptr);
}

// The form font: 8-point Tahoma at the screen's resolution.
base::UniqueHFont MakeFormFont() {
  const int height = -MulDiv(8, ScreenPixelsPerInch(LOGPIXELSY), 72);
  return base::UniqueHFont(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                       DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, "Tahoma"));
}

// A child's rectangle in its parent's client coordinates.
RECT ChildRect(HWND hwnd) {
  RECT r{};
  if (!hwnd) return r;
  GetWindowRect(hwnd, &r);
  MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

}  // namespace

void EnsureWindowClass(const char* name) {
  EnsureClass(name, WindowHolder::Procedure(), reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
}

int TwipsPerPixelX() noexcept { return 1440 / ScreenPixelsPerInch(LOGPIXELSX); }
int TwipsPerPixelY() noexcept { return 1440 / ScreenPixelsPerInch(LOGPIXELSY); }

long PixelsToTwipsX(long pixels) noexcept { return pixels * TwipsPerPixelX(); }
long PixelsToTwipsY(long pixels) noexcept { return pixels * TwipsPerPixelY(); }
long TwipsToPixelsX(long twips) noexcept {
  return std::lround(static_cast<double>(twips) / TwipsPerPixelX());
}
long TwipsToPixelsY(long twips) noexcept {
  return std::lround(static_cast<double>(twips) / TwipsPerPixelY());
}

std::vector<Form*> LoadedForms() { return Loaded().forms; }

// --- WindowHolder ----------------------------------------------------------------

LRESULT CALLBACK WindowHolder::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  if (msg == WM_NCCREATE) {
    auto* self = static_cast<WindowHolder*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
    self->WindowMade(hwnd);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<WindowHolder*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    self->WindowGone();
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
  try {
    return self->HandleMessage(msg, wp, lp);
  } catch (...) {
    // A failure inside a handler ends that handler, not the program.
    return DefWindowProcA(hwnd, msg, wp, lp);
  }
}

// --- Control -------------------------------------------------------------------

Control::~Control() {
  if (m_hwnd) {
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);  // no messages to a half-gone object
    DestroyWindow(m_hwnd);
  }
}

long Control::Left() const { return PixelsToTwipsX(ChildRect(m_hwnd).left); }
long Control::Top() const { return PixelsToTwipsY(ChildRect(m_hwnd).top); }
long Control::Width() const {
  const RECT r = ChildRect(m_hwnd);
  return PixelsToTwipsX(r.right - r.left);
}
long Control::Height() const {
  const RECT r = ChildRect(m_hwnd);
  return PixelsToTwipsY(r.bottom - r.top);
}

void Control::Move(long left, long top, long width, long height) {
  if (!m_hwnd) return;
  SetWindowPos(m_hwnd, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
               TwipsToPixelsY(height), SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string Control::Text() const {
  if (!m_hwnd) return {};
  std::string text(static_cast<size_t>(GetWindowTextLengthA(m_hwnd)) + 1, '\0');
  text.resize(static_cast<size_t>(GetWindowTextA(m_hwnd, text.data(), static_cast<int>(text.size()))));
  return text;
}

void Control::SetText(const std::string& text) {
  if (m_hwnd) SetWindowTextA(m_hwnd, text.c_str());
}

bool Control::Enabled() const { return m_hwnd && IsWindowEnabled(m_hwnd); }
void Control::SetEnabled(bool enabled) {
  if (m_hwnd) EnableWindow(m_hwnd, enabled);
}
bool Control::Visible() const { return m_hwnd && (GetWindowLongA(m_hwnd, GWL_STYLE) & WS_VISIBLE); }
void Control::SetVisible(bool visible) {
  if (m_hwnd) ShowWindow(m_hwnd, visible ? SW_SHOWNA : SW_HIDE);
}
void Control::SetFocus() {
  if (m_hwnd) ::SetFocus(m_hwnd);
}

void Control::Command(WORD) {}

void Control::Refresh() {
  if (!m_hwnd) RaiseNoSuchMember(m_name);
  RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Control::SetPicture(Picture) { RaiseNoSuchMember(m_name); }
void Control::SetPictureBackground(Picture) { RaiseNoSuchMember(m_name); }

void Control::CreateChild(Form& form, const char* windowClass, long left, long top, long width,
                          long height) {
  if (!form.Hwnd()) base::RaiseError(base::kErrInvalidCall, m_name, "The form is not loaded");
  m_id = form.NextControlId();
  HWND hwnd = CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                              TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                              TwipsToPixelsY(height), form.Hwnd(),
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)), ThisModule(),
                              static_cast<WindowHolder*>(this));
  if (!hwnd) base::RaiseError(base::kErrInvalidCall, m_name, "The control's window could not be made");
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
}

void Control::CreateSystemChild(Form& form, const char* windowClass, DWORD style, DWORD exStyle,
                                const std::string& text, long left, long top, long width,
                                long height, int id) {
  if (!form.Hwnd()) base::RaiseError(base::kErrInvalidCall, m_name, "The form is not loaded");
  m_id = id ? id : form.NextControlId();
  m_hwnd = CreateWindowExA(exStyle, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style,
                           TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                           TwipsToPixelsY(height), form.Hwnd(),
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_id)), ThisModule(), nullptr);
  if (!m_hwnd) base::RaiseError(base::kErrInvalidCall, m_name, "The control's window could not be made");
  SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(form.Font()), FALSE);
}

LRESULT Control::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(m_hwnd, msg, wp, lp);
}

// --- PictureBox ----------------------------------------------------------------

PictureBox::PictureBox(Form& form, std::string name, long left, long top, long width, long height)
    : Control(std::move(name)) {
  EnsureWindowClass(kPictureBoxClass);
  CreateChild(form, kPictureBoxClass, left, top, width, height);
}

void PictureBox::SetPicture(Picture picture) {
  m_picture = std::move(picture);
  if (Hwnd()) InvalidateRect(Hwnd(), nullptr, TRUE);
}

long PictureBox::ScaleWidth() const {
  RECT r{};
  GetClientRect(Hwnd(), &r);
  return r.right - r.left;
}

long PictureBox::ScaleHeight() const {
  RECT r{};
  GetClientRect(Hwnd(), &r);
  return r.bottom - r.top;
}

PictureBox::~PictureBox() = default;

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return Control::HandleMessage(msg, wp, lp);
  base::PaintDc paint(Hwnd());
  // The handler's context is forgotten whatever it does.
  struct CurrentDc {
    HDC& current;
    ~CurrentDc() { current = nullptr; }
  } forget{m_paintDc};
  if (m_picture) RenderPicture(*m_picture.get(), paint.get(), 0, 0);
  m_paintDc = paint.get();
  if (Paint) Paint(*this);
  return 0;
}

// --- Form ----------------------------------------------------------------------

Form::Form(std::string caption, long width, long height, std::string windowClass)
    : m_caption(std::move(caption)),
      m_width(width),
      m_height(height),
      m_windowClass(std::move(windowClass)) {}

Form::~Form() {
  if (m_hwnd) {
    // From here the window must not reach the derived parts, which are gone.
    SetWindowLongPtrA(m_hwnd, GWLP_USERDATA, 0);
    HWND hwnd = m_hwnd;
    Forget();
    DestroyWindow(hwnd);
  }
}

void Form::Load(HWND owner) {
  if (m_hwnd) return;
  EnsureOleOnThisThread();
  EnsureWindowClass(m_windowClass.c_str());
  if (!m_font) m_font = MakeFormFont();
  m_gone.clear();
  m_nextId = 1000;
  HWND hwnd = CreateWindowExA(WS_EX_CONTROLPARENT, m_windowClass.c_str(), m_caption.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                              TwipsToPixelsX(m_width), TwipsToPixelsY(m_height), owner, nullptr,
                              ThisModule(), static_cast<WindowHolder*>(this));
  if (!hwnd) base::RaiseError(base::kErrInvalidCall, m_caption, "The form's window could not be made");
  SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.get()), FALSE);
  Loaded().forms.push_back(this);
}

void Form::Show(int command) {
  if (m_hwnd) ShowWindow(m_hwnd, command);
}

bool Form::ShowModal(HWND owner) {
  if (m_modal) base::RaiseError(base::kErrInvalidCall, m_caption, "The form is shown modally already");
  if (!m_hwnd) Load(owner ? owner : GetActiveWindow());
  if (owner)
    SetWindowLongPtrA(m_hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
  else
    owner = GetWindow(m_hwnd, GW_OWNER);
  const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
  if (ownerWasEnabled) EnableWindow(owner, FALSE);
  m_modal = true;
  ShowWindow(m_hwnd, SW_SHOWNORMAL);
  SetActiveWindow(m_hwnd);
  if (HWND first = GetNextDlgTabItem(m_hwnd, nullptr, FALSE)) ::SetFocus(first);

  MSG msg;
  while (m_modal && m_hwnd && IsWindowVisible(m_hwnd)) {
    const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0) {
      PostQuitMessage(static_cast<int>(msg.wParam));  // for the loop outside ours
      break;
    }
    if (got < 0) break;
    if (!TranslateFormMessage(msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }
  m_modal = false;
  if (ownerWasEnabled && IsWindow(owner)) {
    EnableWindow(owner, TRUE);
    SetActiveWindow(owner);
  }
  return m_bOk;
}

void Form::Hide() {
  // A hide that comes in a message sent from another thread (a button
  // pressed by automation) is handled inside the modal loop's wait, which
  // would go on waiting for a posted message: one is posted to wake it.
  if (m_modal && m_hwnd) PostMessageA(m_hwnd, WM_NULL, 0, 0);
  if (m_hwnd) ShowWindow(m_hwnd, SW_HIDE);
  m_modal = false;
}

void Form::Unload() {
  if (m_hwnd) DestroyWindow(m_hwnd);
}

long Form::Left() const {
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  return PixelsToTwipsX(r.left);
}

long Form::Top() const {
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  return PixelsToTwipsY(r.top);
}

long Form::Width() const {
  if (!m_hwnd) return m_width;
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  return PixelsToTwipsX(r.right - r.left);
}

long Form::Height() const {
  if (!m_hwnd) return m_height;
  RECT r{};
  GetWindowRect(m_hwnd, &r);
  return PixelsToTwipsY(r.bottom - r.top);
}

long Form::ScaleWidth() const {
  RECT r{};
  GetClientRect(m_hwnd, &r);
  return PixelsToTwipsX(r.right);
}

long Form::ScaleHeight() const {
  RECT r{};
  GetClientRect(m_hwnd, &r);
  return PixelsToTwipsY(r.bottom);
}

void Form::Move(long left, long top) {
  if (!m_hwnd) return;
  SetWindowPos(m_hwnd, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBackground(Picture picture, bool show) {
  m_background = std::move(picture);
  m_showBackground = show;
  if (m_hwnd) InvalidateRect(m_hwnd, nullptr, TRUE);
}

Control* Form::Find(const std::string& name) const noexcept {
  for (const auto& control : m_controls)
    if (base::EqualsNoCase(control->Name(), name)) return control.get();
  return nullptr;
}

Control* Form::ControlWithId(int id) const noexcept {
  for (const auto& control : m_controls)
    if (control->Id() == id && control->Hwnd()) return control.get();
  return nullptr;
}

bool Form::PreTranslate(MSG& msg) {
  if (!m_hwnd) return false;
  if (m_accelerators && TranslateAcceleratorA(m_hwnd, m_accelerators, &msg)) return true;
  return IsDialogMessageA(m_hwnd, &msg) != FALSE;
}

void Form::Cancel() {
  if (auto* cancel = dynamic_cast<Button*>(ControlWithId(IDCANCEL))) {
    cancel->Press();
    return;
  }
  m_bOk = false;
  Hide();
}

void Form::PaintBackground(HDC dc) {
  if (!ShowsBackground()) return;
  RECT client{};
  GetClientRect(m_hwnd, &client);
  const SIZE size = PictureSize(*m_background.get(), dc);
  // The picture sits in the bottom-right corner, not stretched.
  RenderPicture(*m_background.get(), dc, client.right - size.cx, client.bottom - size.cy);
}

Form::DispatchDepth::DispatchDepth(Form& form) noexcept : m_form(form) { ++m_form.m_dispatching; }
Form::DispatchDepth::~DispatchDepth() {
  if (--m_form.m_dispatching == 0) m_form.m_gone.clear();
}

// A control's notification, or a key of the form's keyboard interface. The
// handler may unload the form, which takes the controls' windows: the
// objects stay until the outermost call is back.
LRESULT Form::Dispatch(WPARAM wp, LPARAM) {
  const int id = LOWORD(wp);
  DispatchDepth depth(*this);
  if (id == IDCANCEL && !ControlWithId(IDCANCEL)) {
    Cancel();  // Esc on a form without a Cancel button
    return 0;
  }
  if (Control* control = ControlWithId(id)) control->Command(HIWORD(wp));
  return 0;
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      // Menu commands (no window, not a key of the dialog interface) are the
      // derived form's.
      if (lp || LOWORD(wp) == IDOK || LOWORD(wp) == IDCANCEL) return Dispatch(wp, lp);
      break;
    case DM_GETDEFID:
      if (ControlWithId(IDOK)) return MAKELRESULT(IDOK, DC_HASDEFID);
      return 0;
    case WM_CLOSE:
      // The close box of a dialog is its Cancel.
      if (m_modal || ControlWithId(IDCANCEL)) {
        DispatchDepth depth(*this);
        Cancel();
        return 0;
      }
      break;
    case WM_SETCURSOR:
      if (WaitCursor::Active()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_SIZE:
      if (ShowsBackground()) InvalidateRect(m_hwnd, nullptr, TRUE);
      break;
    case WM_PAINT:
      if (ShowsBackground()) {
        PaintScope paint(m_hwnd);
        PaintBackground(paint.Dc());
        return 0;
      }
      break;
    default:
      break;
  }
  return DefWindowProcA(m_hwnd, msg, wp, lp);
}

void Form::Forget() noexcept {
  auto& forms = Loaded().forms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  m_hwnd = nullptr;
  m_modal = false;
  // The child windows are gone by now (each saw its own WM_NCDESTROY, or,
  // for system controls, simply went).
  for (auto& control : m_controls) control->m_hwnd = nullptr;
  if (m_dispatching) {
    for (auto& control : m_controls) m_gone.push_back(std::move(control));
    m_controls.clear();
  } else {
    m_controls.clear();
  }
  m_font.reset();
}

bool TranslateFormMessage(MSG& msg) {
  if (!msg.hwnd) return false;
  HWND top = GetAncestor(msg.hwnd, GA_ROOT);
  for (Form* form : Loaded().forms)
    if (form->Hwnd() == top) return form->PreTranslate(msg);
  return false;
}

void EnsureWindowClass(const char* name, WNDPROC proc, HBRUSH background) { EnsureClass(name, proc, background); }

}  // namespace widgets
