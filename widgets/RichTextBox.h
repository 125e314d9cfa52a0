// The rich-text box on screen, over RichEdit (riched20.dll), for plain text
// the way the dialogs use it. Windows only.
#pragma once
#include "widgets/CommonControl.h"
#include "widgets/TextEditor.h"

namespace widgets {

class RichTextBox : public CommonControl, public TextEditor {
 public:
  // Position and size in twips.
  RichTextBox(Form& form, std::string name, long left, long top, long width, long height);

  std::string Text() const override;
  void SetText(const std::string& text) override;
  long SelStart() const override;
  void SetSelStart(long start) override;
  long SelLength() const override;
  void SetSelLength(long length) override;
  std::string SelText() const override;
  void SetSelText(const std::string& text) override;
  bool Locked() const override;
  void SetLocked(bool locked) override;
  void SetWordWrap(bool wrap) override;
  // 0 none, 1 the sunken edge.
  void SetBorderStyle(int style);
  // A fixed font for reports ("Courier New", say), in points.
  void SetFont(const std::string& face, int points);

 protected:
  void OnCommand(WORD code) override;
  bool InnerMessage(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT* result) override;

 private:
  void ProgramChange(const std::string& paragraphs, bool selectionOnly);

  bool m_setting = false;  // the program is changing the text: one Change, ours
  base::UniqueHFont m_font;
};

}  // namespace widgets
