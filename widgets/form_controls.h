// The standard controls of a form: labels, buttons, check boxes, text boxes,
// frames and the divider line above a dialog's buttons. Each is a named
// control laid out in twips; the form gives it its font and tab place (the
// order the controls are made in). Windows only.
#pragma once
#include "widgets/form.h"

#include "widgets/ActiveXSite.h"

namespace widgets {

// A line of text; "&" marks the mnemonic that moves to the next control.
class Label : public Control {
 public:
  Label(Form& form, std::string name, const std::string& caption, long left, long top, long width,
        long height);
};

// What Enter and Esc do with a button.
enum class ButtonRole {
  Plain,
  Default,  // Enter presses it (anywhere on the form but on another button)
  Cancel,   // Esc and the close box press it
};

class Button : public Control {
 public:
  Button(Form& form, std::string name, const std::string& caption, long left, long top, long width,
         long height, ButtonRole role = ButtonRole::Plain);

  ButtonRole Role() const noexcept { return m_role; }
  // Presses the button as the user would (nothing while it is disabled).
  void Press();

  std::function<void(Button&)> Click;

 protected:
  void Command(WORD code) override;

 private:
  ButtonRole m_role;
};

class CheckBox : public Control {
 public:
  CheckBox(Form& form, std::string name, const std::string& caption, long left, long top, long width,
           long height);

  // 0 unchecked, 1 checked, as the forms store it.
  int Value() const;
  void SetValue(int value);

  // After the user (or the program) changed the value.
  std::function<void(CheckBox&)> Click;

 protected:
  void Command(WORD code) override;
};

class TextBox : public Control {
 public:
  TextBox(Form& form, std::string name, const std::string& text, long left, long top, long width,
          long height, bool multiLine = false);

  // After every change of the text, by the user or the program.
  std::function<void(TextBox&)> Change;

 protected:
  void Command(WORD code) override;
};

// A captioned group frame around other controls. It lies below them all, so
// that the controls inside it are drawn over it.
class Frame : public Control {
 public:
  Frame(Form& form, std::string name, const std::string& caption, long left, long top, long width,
        long height);
};

// The divider line above a dialog's buttons: the divider-line control
// (Sashkit's VertDivider) in its ActiveX site, or, where that control cannot
// be made, a plain etched line along the top of its place. The site's window
// is the control's window.
class DividerLine : public Control {
 public:
  DividerLine(Form& form, std::string name, long left, long top, long width, long height = 30);
  ~DividerLine() override;

  void Move(long left, long top, long width, long height) override;
  // True when the divider control itself is shown, not the stand-in line.
  bool Hosted() const noexcept { return m_site.Hosted(); }

 private:
  ActiveXSite m_site;
};

}  // namespace widgets
