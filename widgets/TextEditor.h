// What dialog logic needs of a rich-text box, so that it can be run against
// MemoryTextEditor natively and against RichTextBox on screen.
//
// The line-end rule: whatever line ends a text is given (CR LF, CR or LF),
// the box keeps one paragraph mark per line, counted as one character by the
// selection, and Text() gives every line end back as CR LF, the way the
// forms that read a box expect it.
#pragma once
#include <functional>
#include <string>

namespace widgets {

class TextEditor {
 public:
  virtual ~TextEditor() = default;

  virtual std::string Text() const = 0;
  // Replaces the whole text, leaves the caret at its start and fires Change.
  virtual void SetText(const std::string& text) = 0;
  // The selection in characters, a line end counting one.
  virtual long SelStart() const = 0;
  virtual void SetSelStart(long start) = 0;  // the caret there, nothing selected
  virtual long SelLength() const = 0;
  virtual void SetSelLength(long length) = 0;  // from SelStart on
  virtual std::string SelText() const = 0;
  // Replaces the selection (inserts at the caret when none), leaves the caret
  // after what was put in and fires Change.
  virtual void SetSelText(const std::string& text) = 0;
  // Read-only for the user; the program can still set the text.
  virtual bool Locked() const = 0;
  virtual void SetLocked(bool locked) = 0;
  // False: lines run on past the box's edge and never wrap.
  virtual void SetWordWrap(bool wrap) = 0;

  // Fired for every change of the text, the user's and the program's alike.
  std::function<void()> Change;
  // Button 1 left, 2 right, 4 middle; shift 1 Shift, 2 Ctrl, 4 Alt; x and y
  // in twips inside the box.
  std::function<void(int button, int shift, long x, long y)> MouseDown;
};

// The text with every line end (CR LF, lone CR, lone LF) made one CR, as the
// box holds it, and back as CR LF, as the box gives it.
std::string ToParagraphs(const std::string& text);
std::string ToCrLf(const std::string& paragraphs);

// A text box without a window, for logic run natively.
class MemoryTextEditor : public TextEditor {
 public:
  std::string Text() const override { return ToCrLf(m_text); }
  void SetText(const std::string& text) override;
  long SelStart() const override { return m_start; }
  void SetSelStart(long start) override;
  long SelLength() const override { return m_length; }
  void SetSelLength(long length) override;
  std::string SelText() const override { return ToCrLf(m_text.substr(static_cast<size_t>(m_start), static_cast<size_t>(m_length))); }
  void SetSelText(const std::string& text) override;
  bool Locked() const override { return m_locked; }
  void SetLocked(bool locked) override { m_locked = locked; }
  void SetWordWrap(bool wrap) override { m_wrap = wrap; }
  bool WordWrap() const noexcept { return m_wrap; }

 private:
  std::string m_text;  // paragraphs
  long m_start = 0;
  long m_length = 0;
  bool m_locked = false;
  bool m_wrap = true;
};

}  // namespace widgets
