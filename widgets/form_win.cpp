#include "widgets/form.h"

#include <algorithm>
#include <cmath>

#include "base/context.h"
#include "base/error.h"
#include "base/module.h"

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

}  // namespace

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

void Control::Refresh() {
  if (!m_hwnd) RaiseNoSuchMember(m_name);
  RedrawWindow(m_hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void Control::SetPicture(Picture) { RaiseNoSuchMember(m_name); }
void Control::SetPictureBackground(Picture) { RaiseNoSuchMember(m_name); }

void Control::CreateChild(Form& form, const char* windowClass, long left, long top, long width,
                          long height) {
  if (!form.Hwnd()) base::RaiseError(base::kErrInvalidCall, m_name, "The form is not loaded");
  HWND hwnd = CreateWindowExA(0, windowClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                              TwipsToPixelsX(left), TwipsToPixelsY(top), TwipsToPixelsX(width),
                              TwipsToPixelsY(height), form.Hwnd(), nullptr, ThisModule(), static_cast<WindowHolder*>(this));
  if (!hwnd) base::RaiseError(base::kErrInvalidCall, m_name, "The control's window could not be made");
}

LRESULT Control::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(m_hwnd, msg, wp, lp);
}

// --- PictureBox ----------------------------------------------------------------

PictureBox::PictureBox(Form& form, std::string name, long left, long top, long width, long height)
    : Control(std::move(name)) {
  EnsureClass(kPictureBoxClass, &WindowHolder::WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
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

LRESULT PictureBox::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  if (msg != WM_PAINT) return Control::HandleMessage(msg, wp, lp);
  base::PaintDc paint(Hwnd());
  HDC dc = paint.get();
  // Dc() answers only inside the paint; it is cleared before EndPaint,
  // whatever the handler does.
  struct PaintingScope {
    HDC* current;
    ~PaintingScope() { *current = nullptr; }
  } painting{&m_paintDc};
  if (m_picture) {
    OLE_XSIZE_HIMETRIC w = 0;
    OLE_YSIZE_HIMETRIC h = 0;
    m_picture->get_Width(&w);
    m_picture->get_Height(&h);
    m_picture->Render(dc, 0, 0, HimetricToPixels(w, GetDeviceCaps(dc, LOGPIXELSX)),
                      HimetricToPixels(h, GetDeviceCaps(dc, LOGPIXELSY)), 0, h, w, -h, nullptr);
  }
  m_paintDc = dc;
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
  EnsureClass(m_windowClass.c_str(), &WindowHolder::WindowProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
  HWND hwnd = CreateWindowExA(0, m_windowClass.c_str(), m_caption.c_str(),
                              WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT, CW_USEDEFAULT,
                              TwipsToPixelsX(m_width), TwipsToPixelsY(m_height), owner, nullptr,
                              ThisModule(), static_cast<WindowHolder*>(this));
  if (!hwnd) base::RaiseError(base::kErrInvalidCall, m_caption, "The form's window could not be made");
  Loaded().forms.push_back(this);
}

void Form::Show(int command) {
  if (m_hwnd) ShowWindow(m_hwnd, command);
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

void Form::Move(long left, long top) {
  if (!m_hwnd) return;
  SetWindowPos(m_hwnd, nullptr, TwipsToPixelsX(left), TwipsToPixelsY(top), 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Form::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  return DefWindowProcA(m_hwnd, msg, wp, lp);
}

void Form::Forget() noexcept {
  auto& forms = Loaded().forms;
  forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
  m_hwnd = nullptr;
  // The child windows are gone by now (each saw its own WM_NCDESTROY).
  m_controls.clear();
}

}  // namespace widgets
