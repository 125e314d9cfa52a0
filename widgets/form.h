// The form base: a top-level window with named controls, laid out in twips
// as the forms were designed. This is its core: loading and unloading, the
// list of this thread's loaded forms, position and size, the form font, the
// background picture, the modal lifecycle with its Enter and Esc keys, and
// the picture box. The standard controls are in form_controls.h.
// Windows only.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <olectl.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace widgets {

// Twips per screen pixel (15 at 96 dots per inch).
int TwipsPerPixelX() noexcept;
int TwipsPerPixelY() noexcept;

// The window class of forms that name none of their own.
inline constexpr char kFormClass[] = "CorvaneForm";

using Picture = base::ComPtr<IPicture>;

// Registers a window class of this module whose windows are WindowHolders
// (the button-face background, the arrow cursor), once; classes are never
// global, as Designer and the shell extension may share a process.
void EnsureWindowClass(const char* name);

// BeginPaint and EndPaint around one WM_PAINT, whatever the painting throws.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) noexcept : m_hwnd(hwnd), m_dc(BeginPaint(hwnd, &m_ps)) {}
  ~PaintScope() { EndPaint(m_hwnd, &m_ps); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC Dc() const noexcept { return m_dc; }
  const RECT& Area() const noexcept { return m_ps.rcPaint; }

 private:
  HWND m_hwnd;
  PAINTSTRUCT m_ps{};
  HDC m_dc;
};

class Form;

// What a control is, for code that walks a form's controls.
enum class ControlKind { Other, PictureBox, Label, Button, CheckBox, TextBox, Frame, Divider };

// What a window of our own class calls back: one window procedure serves
// forms and controls alike.
class WindowHolder {
 public:
  virtual ~WindowHolder() = default;

 protected:
  // Messages of the window; what they throw ends the message, not the program.
  virtual LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) = 0;
  virtual void WindowMade(HWND hwnd) noexcept = 0;
  virtual void WindowGone() noexcept = 0;  // at WM_NCDESTROY
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) noexcept;

 public:
  // The window procedure of every window of our own classes.
  static WNDPROC Procedure() noexcept { return &WindowProc; }
};

// A named child window of a form.
class Control : public WindowHolder {
 public:
  explicit Control(std::string name, ControlKind kind = ControlKind::Other)
      : m_name(std::move(name)), m_kind(kind) {}
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const noexcept { return m_name; }
  ControlKind Kind() const noexcept { return m_kind; }
  HWND Hwnd() const noexcept { return m_hwnd; }
  // The program's own text, as the forms' designs kept it.
  const std::string& Tag() const noexcept { return m_tag; }
  void SetTag(std::string tag) { m_tag = std::move(tag); }
  // The command identifier its notifications arrive with; 0 for none.
  int Id() const noexcept { return m_id; }

  // Position and size in twips, within the form's client area.
  long Left() const;
  long Top() const;
  long Width() const;
  long Height() const;
  virtual void Move(long left, long top, long width, long height);

  // The window text (a caption or a text box's contents).
  std::string Text() const;
  void SetText(const std::string& text);
  bool Enabled() const;
  void SetEnabled(bool enabled);
  bool Visible() const;
  void SetVisible(bool visible);
  void SetFocus();

  // Repaints the control now; raises 438 when it has no window to repaint.
  virtual void Refresh();
  // The picture properties; a control without one raises 438.
  virtual void SetPicture(Picture picture);
  virtual void SetPictureBackground(Picture picture);

 protected:
  // Creates the window of an own class as a child of the form; the position
  // and size are in twips.
  void CreateChild(Form& form, const char* windowClass, long left, long top, long width,
                   long height);
  // Creates a system control (BUTTON, EDIT, STATIC...) as a child of the
  // form with the next command identifier (or the one given) and the form's
  // font.
  void CreateSystemChild(Form& form, const char* windowClass, DWORD style, DWORD exStyle,
                         const std::string& text, long left, long top, long width, long height,
                         int id = 0);
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;
  // A WM_COMMAND notification from the control's window (BN_CLICKED...).
  virtual void Command(WORD code);
  // A window that another class made and destroys (a SmartUI view, say)
  // becomes the control's window for placing, enabling and showing; the
  // control lets go of it before that class destroys it.
  void AdoptWindow(HWND hwnd) noexcept { m_hwnd = hwnd; }
  void ReleaseWindow() noexcept { m_hwnd = nullptr; }

 private:
  friend class Form;
  void WindowMade(HWND hwnd) noexcept override { m_hwnd = hwnd; }
  void WindowGone() noexcept override { m_hwnd = nullptr; }

  std::string m_name;
  ControlKind m_kind;
  std::string m_tag;
  int m_id = 0;
  HWND m_hwnd = nullptr;  // owned; cleared when the window goes with its form
};

// A picture box: its Picture drawn at its own size in the top-left corner,
// then its Paint handler, which may draw into Dc().
class PictureBox : public Control {
 public:
  PictureBox(Form& form, std::string name, long left, long top, long width, long height);
  ~PictureBox() override;

  std::function<void(PictureBox&)> Paint;

  const Picture& GetPicture() const noexcept { return m_picture; }
  void SetPicture(Picture picture) override;
  // The inner size in pixels.
  long ScaleWidth() const;
  long ScaleHeight() const;
  // The device context of the paint in progress; null outside Paint.
  HDC Dc() const noexcept { return m_paintDc; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  Picture m_picture;
  HDC m_paintDc = nullptr;
};

class Form : public WindowHolder {
 public:
  // Size in twips; the window class may be the form's own, so that another
  // program can tell this form from others of the same title.
  Form(std::string caption, long width, long height, std::string windowClass = kFormClass);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Whether the dialog ended by its OK path. A modal form sets it before it
  // hides; its caller reads it (and the result fields) after ShowModal has
  // returned and before the object goes.
  bool m_bOk = false;

  // Creates the window (hidden) and counts the form among the loaded ones.
  // OLE is made ready on this thread first: forms host pictures and OLE
  // controls.
  void Load(HWND owner = nullptr);
  void Show(int command = SW_SHOWNORMAL);
  // Shows the form modally: its owner (the active window of the thread when
  // none is given) is disabled until the form hides or unloads. Returns
  // m_bOk; the form stays loaded and hidden for its caller to read.
  bool ShowModal(HWND owner = nullptr);
  // Hides the form; a modal loop ends here.
  void Hide();
  // Destroys the window with its controls; the object stays and may be
  // loaded again.
  void Unload();
  bool IsLoaded() const noexcept { return m_hwnd != nullptr; }
  bool IsModal() const noexcept { return m_modal; }
  HWND Hwnd() const noexcept { return m_hwnd; }

  // Position and size in twips.
  long Left() const;
  long Top() const;
  long Width() const;
  long Height() const;
  void Move(long left, long top);  // size unchanged
  // The inner size in twips (what the controls are laid out in).
  long ScaleWidth() const;
  long ScaleHeight() const;

  // The form font: 8-point Tahoma, given to every control made on the form.
  HFONT Font() const noexcept { return m_font.get(); }

  // The background picture, drawn in the bottom-right corner of the client
  // area at its own size while show is set (the general setting "show the
  // background"); the form passes the setting in, the picture stays shared.
  void SetBackground(Picture picture, bool show);
  bool ShowsBackground() const noexcept { return m_showBackground && m_background; }

  // Makes a control of this form: C(*this, args...).
  template <class C, class... Args>
  C& Add(Args&&... args) {
    auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
    C& ref = *control;
    m_controls.push_back(std::move(control));
    return ref;
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const noexcept { return m_controls; }
  // The control of that name (without regard to case), or null.
  Control* Find(const std::string& name) const noexcept;

  // What the message loops do with a message before dispatching it: the
  // keyboard interface of the form (Tab, Enter, Esc, mnemonics) and its
  // accelerators. True when the message was used up.
  bool PreTranslate(MSG& msg);
  void SetAccelerators(HACCEL table) noexcept { m_accelerators = table; }

  // The form's Cancel path: the Esc key and the close box of a modal form
  // (or of one with a Cancel button) end here. Presses the Cancel button
  // when there is one; otherwise m_bOk := false and the form hides.
  virtual void Cancel();

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  friend class Control;
  friend class Button;
  void WindowMade(HWND hwnd) noexcept override { m_hwnd = hwnd; }
  void WindowGone() noexcept override { Forget(); }
  void Forget() noexcept;
  int NextControlId() noexcept { return m_nextId++; }
  Control* ControlWithId(int id) const noexcept;
  void PaintBackground(HDC dc);
  LRESULT Dispatch(WPARAM wp, LPARAM lp);
  // Counts the calls into controls in progress.
  class DispatchDepth {
   public:
    explicit DispatchDepth(Form& form) noexcept;
    ~DispatchDepth();
    DispatchDepth(const DispatchDepth&) = delete;
    DispatchDepth& operator=(const DispatchDepth&) = delete;

   private:
    Form& m_form;
  };

  std::string m_caption;
  long m_width, m_height;
  std::string m_windowClass;
  HWND m_hwnd = nullptr;
  base::UniqueHFont m_font;
  Picture m_background;
  bool m_showBackground = false;
  bool m_modal = false;
  int m_nextId = 1000;
  int m_dispatching = 0;
  HACCEL m_accelerators = nullptr;  // borrowed
  std::vector<std::unique_ptr<Control>> m_controls;
  // Controls of a window that went while one of them was being called; they
  // go once that call has returned.
  std::vector<std::unique_ptr<Control>> m_gone;
};

// This thread's loaded forms, in the order they were loaded.
std::vector<Form*> LoadedForms();

// Passes a message of one of this thread's forms (or of a window on it)
// through that form's keyboard interface; true when it was used up. Every
// message loop that runs while forms are open calls it.
bool TranslateFormMessage(MSG& msg);

// Registers a window class of this module once (no CS_GLOBALCLASS), for
// windows of our own beside the forms: a control's line, say.
void EnsureWindowClass(const char* name, WNDPROC proc, HBRUSH background);

// Twips and pixels.
long PixelsToTwipsX(long pixels) noexcept;
long PixelsToTwipsY(long pixels) noexcept;
long TwipsToPixelsX(long twips) noexcept;
long TwipsToPixelsY(long twips) noexcept;

}  // namespace widgets
