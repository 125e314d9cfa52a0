// The form base: a top-level window with named controls, laid out in twips
// as the forms were designed. This is its core: loading and unloading, the
// list of this thread's loaded forms, position and size, and the picture box.
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

class Form;

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
};

// A named child window of a form.
class Control : public WindowHolder {
 public:
  explicit Control(std::string name) : m_name(std::move(name)) {}
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  const std::string& Name() const noexcept { return m_name; }
  HWND Hwnd() const noexcept { return m_hwnd; }

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
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void WindowMade(HWND hwnd) noexcept override { m_hwnd = hwnd; }
  void WindowGone() noexcept override { m_hwnd = nullptr; }

  std::string m_name;
  HWND m_hwnd = nullptr;  // owned; cleared when the window goes with its form
};

// A picture box: its Picture drawn at its own size in the top-left corner,
// then its Paint handler, which may draw into Dc().
class PictureBox : public Control {
 public:
  PictureBox(Form& form, std::string name, long left, long top, long width, long height);

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

  // Creates the window (hidden) and counts the form among the loaded ones.
  void Load(HWND owner = nullptr);
  void Show(int command = SW_SHOWNORMAL);
  // Destroys the window with its controls; the object stays and may be
  // loaded again.
  void Unload();
  bool IsLoaded() const noexcept { return m_hwnd != nullptr; }
  HWND Hwnd() const noexcept { return m_hwnd; }

  // Position and size in twips.
  long Left() const;
  long Top() const;
  long Width() const;
  long Height() const;
  void Move(long left, long top);  // size unchanged

  // Makes a control of this form: C(*this, args...).
  template <class C, class... Args>
  C& Add(Args&&... args) {
    auto control = std::make_unique<C>(*this, std::forward<Args>(args)...);
    C& ref = *control;
    m_controls.push_back(std::move(control));
    return ref;
  }
  const std::vector<std::unique_ptr<Control>>& Controls() const noexcept { return m_controls; }

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override;

 private:
  void WindowMade(HWND hwnd) noexcept override { m_hwnd = hwnd; }
  void WindowGone() noexcept override { Forget(); }
  void Forget() noexcept;

  std::string m_caption;
  long m_width, m_height;
  std::string m_windowClass;
  HWND m_hwnd = nullptr;
  std::vector<std::unique_ptr<Control>> m_controls;
};

// This thread's loaded forms, in the order they were loaded.
std::vector<Form*> LoadedForms();

// Twips and pixels.
long PixelsToTwipsX(long pixels) noexcept;
long PixelsToTwipsY(long pixels) noexcept;
long TwipsToPixelsX(long twips) noexcept;
long TwipsToPixelsY(long twips) noexcept;

}  // namespace widgets
