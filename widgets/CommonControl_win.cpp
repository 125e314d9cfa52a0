#include "base/module.h"
#include "widgets/CommonControl.h"

#include "base/error.h"

namespace widgets {

namespace {
constexpr char kHolderClass[] = "CorvaneControlHolder";
constexpr char kSelfProp[] = "CorvaneCommonControl";

// The control whose inner window had the last message of this thread: a
// window property costs a trip to the window system, and a control being
// filled gets thousands of messages in a row. Forgotten when the control
// goes.
thread_local HWND t_lastInner = nullptr;
thread_local CommonControl* t_lastControl = nullptr;

void Forget(HWND inner) noexcept {
  if (t_lastInner == inner) t_lastInner = nullptr, t_lastControl = nullptr;
}
}  // namespace

CommonControl::CommonControl(Form& form, std::string name, const char* innerClass,
                             DWORD innerStyle, DWORD innerExStyle, long left, long top,
                             long width, long height)
    : Control(std::move(name)) {
  EnsureWindowClass(kHolderClass, &WindowHolder::WindowProc, nullptr);
  CreateChild(form, kHolderClass, left, top, width, height);
  RECT r{};
  GetClientRect(Hwnd(), &r);
  m_inner = CreateWindowExA(innerExStyle, innerClass, "", WS_CHILD | WS_VISIBLE | innerStyle, 0, 0,
                            r.right, r.bottom, Hwnd(), nullptr, base::ThisModule(), nullptr);
  if (!m_inner) {
    base::RaiseError(base::kErrInvalidCall, Name(), "The control's window could not be made");
  }
  SetPropA(m_inner, kSelfProp, this);
  m_innerProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(m_inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CommonControl::InnerProc)));
}

CommonControl::~CommonControl() {
  // The object goes before its window: the inner window must not call back.
  Forget(m_inner);
  if (m_inner && IsWindow(m_inner)) {
    RemovePropA(m_inner, kSelfProp);
    SetWindowLongPtrA(m_inner, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_innerProc));
  }
}

int CommonControl::ShiftState() noexcept {
  return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
         (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

LRESULT CommonControl::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      if (m_inner) MoveWindow(m_inner, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
      return 0;
    case WM_SETFOCUS:
      if (m_inner) ::SetFocus(m_inner);
      return 0;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(lp);
      if (header && header->hwndFrom == m_inner) return OnNotify(*header);
      break;
    }
    case WM_COMMAND:
      if (reinterpret_cast<HWND>(lp) == m_inner) {
        OnCommand(HIWORD(wp));
        return 0;
      }
      break;
    case WM_DESTROY:
      m_inner = nullptr;  // destroyed with us, after this message
      break;
  }
  return Control::HandleMessage(msg, wp, lp);
}

LRESULT CALLBACK CommonControl::InnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept {
  auto* self = hwnd == t_lastInner ? t_lastControl : static_cast<CommonControl*>(GetPropA(hwnd, kSelfProp));
  if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
  t_lastInner = hwnd;
  t_lastControl = self;
  WNDPROC original = self->m_innerProc;
  if (msg == WM_NCDESTROY) {
    Forget(hwnd);
    RemovePropA(hwnd, kSelfProp);
    SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    self->m_inner = nullptr;
    return CallWindowProcA(original, hwnd, msg, wp, lp);
  }
  try {
    LRESULT result = 0;
    if (self->InnerMessage(msg, wp, lp, &result)) return result;
  } catch (...) {
    // A failing event handler ends that event; the control goes on.
  }
  return CallWindowProcA(original, hwnd, msg, wp, lp);
}

}  // namespace widgets
