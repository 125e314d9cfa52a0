// A control of the form base that shows one window of a system class
// (SysTreeView32, RichEdit20A): our own window holds it and fills with it,
// so its notifications come to us whatever the form does with its own, and
// the inner window is subclassed for the keys and mouse messages the system
// class keeps to itself. Windows only.
#pragma once
#include "widgets/form.h"

namespace widgets {

class CommonControl : public Control {
 public:
  ~CommonControl() override;

  // The system class's window; null once the form has gone.
  HWND Inner() const noexcept { return m_inner; }
  // 1 Shift, 2 Ctrl, 4 Alt, as the key and mouse events report them.
  static int ShiftState() noexcept;

 protected:
  CommonControl(Form& form, std::string name, const char* innerClass, DWORD innerStyle,
                DWORD innerExStyle, long left, long top, long width, long height);

  // WM_NOTIFY and WM_COMMAND from the inner window.
  virtual LRESULT OnNotify(NMHDR&) { return 0; }
  virtual void OnCommand(WORD) {}
  // A message to the inner window before its class sees it: true when it is
  // answered here (with *result), false to pass it on.
  virtual bool InnerMessage(UINT, WPARAM&, LPARAM&, LRESULT*) { return false; }
  LRESULT CallInner(UINT msg, WPARAM wp, LPARAM lp) const noexcept {
    return CallWindowProcA(m_innerProc, m_inner, msg, wp, lp);
  }
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  static LRESULT CALLBACK InnerProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

  HWND m_inner = nullptr;  // a child of our window: it goes with it
  WNDPROC m_innerProc = nullptr;
};

}  // namespace widgets
