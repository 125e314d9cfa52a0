#include "widgets/TextEditor.h"

#include <algorithm>

namespace widgets {

std::string ToParagraphs(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    out += text[i] == '\n' ? '\r' : text[i];
  }
  return out;
}

std::string ToCrLf(const std::string& paragraphs) {
  std::string out;
  out.reserve(paragraphs.size() + paragraphs.size() / 8);
  for (char c : paragraphs) {
    out += c;
    if (c == '\r') out += '\n';
  }
  return out;
}

void MemoryTextEditor::SetText(const std::string& text) {
  m_text = ToParagraphs(text);
  m_start = m_length = 0;
  if (Change) Change();
}

// Out-of-range positions are pulled inside the text, as the control does.
void MemoryTextEditor::SetSelStart(long start) {
  m_start = std::clamp(start, 0L, static_cast<long>(m_text.size()));
  m_length = 0;
}

void MemoryTextEditor::SetSelLength(long length) {
  m_length = std::clamp(length, 0L, static_cast<long>(m_text.size()) - m_start);
}

void MemoryTextEditor::SetSelText(const std::string& text) {
  const std::string put = ToParagraphs(text);
  m_text.replace(static_cast<size_t>(m_start), static_cast<size_t>(m_length), put);
  m_start += static_cast<long>(put.size());
  m_length = 0;
  if (Change) Change();
}

}  // namespace widgets
