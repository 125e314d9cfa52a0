#include "common/clsTokenizer.h"

#include "base/error.h"
#include "base/prompt.h"
#include "base/text.h"

namespace common {

namespace {

bool Holds(const std::string& set, char c) { return set.find(c) != std::string::npos; }

}  // namespace

void clsTokenizer::SetText(std::string text) {
  m_szText = std::move(text);
  m_position = 0;
}

bool clsTokenizer::GetNextToken(std::string& token, std::string& separator, bool& quoted) {
  token.clear();
  separator.clear();
  quoted = false;
  try {
    m_state = kBefore;
    m_token.clear();
    m_openQuote = 0;
    if (m_position >= m_szText.size()) return false;
    bool goOn = true;
    while (goOn && m_position < m_szText.size()) {
      m_current = m_szText[m_position];
      switch (CharType()) {
        case kWhiteSpace: goOn = HandleWhiteSpace(); break;
        case kSeparator: goOn = HandleSeparator(separator); break;
        case kQuote:
          quoted = true;
          goOn = HandleQuote(separator);
          break;
        case kOther: goOn = HandleToken(); break;
        case kEndOfLine: goOn = HandleEOF(separator); break;
      }
    }
    token = m_token;
    return true;
  } catch (...) {
    base::ReportTrappedError("GetNextToken", base::CurrentError("GetNextToken"));
    return false;
  }
}

// The first set that holds the character decides, quotes first.
clsTokenizer::CharClass clsTokenizer::CharType() const {
  if (Holds(m_szQuoteChars, m_current)) return kQuote;
  if (Holds(m_szSeparatorChars, m_current)) return kSeparator;
  if (Holds(m_szWhiteSpaceChars, m_current)) return kWhiteSpace;
  if (Holds(m_szEOLChars, m_current)) return kEndOfLine;
  return kOther;
}

void clsTokenizer::AppendToken() {
  const std::string c(1, m_current);
  if (m_state == kInQuotes || (m_lConvertCase != 1 && m_lConvertCase != 2))
    m_token += c;
  else
    m_token += m_lConvertCase == 1 ? base::UCase(c) : base::LCase(c);
}

bool clsTokenizer::HandleWhiteSpace() {
  if (m_state == kInToken) m_state = kAfter;
  ++m_position;
  if (m_state == kInQuotes) AppendToken();
  return true;
}

bool clsTokenizer::HandleSeparator(std::string& separator) {
  ++m_position;
  if (m_state == kInQuotes) {
    AppendToken();
    return true;
  }
  separator.assign(1, m_current);
  return false;
}

bool clsTokenizer::HandleQuote(std::string& separator) {
  switch (m_state) {
    case kBefore:
      m_state = kInQuotes;
      m_openQuote = m_current;
      break;
    case kInQuotes:
      if (m_current == m_openQuote) {
        m_state = kAfter;
        m_openQuote = 0;
      } else {
        AppendToken();
      }
      break;
    default:
      // Left in place, so that the next call opens a quoted run with it.
      separator.assign(1, m_current);
      return false;
  }
  ++m_position;
  return true;
}

bool clsTokenizer::HandleToken() {
  if (m_state == kAfter) return false;  // the start of the next token
  if (m_state == kBefore) m_state = kInToken;
  AppendToken();
  ++m_position;
  return true;
}

// A whole run of end-of-line characters is one break, even inside quotes; the
// separator is the run's last character.
bool clsTokenizer::HandleEOF(std::string& separator) {
  while (m_position < m_szText.size() && Holds(m_szEOLChars, m_szText[m_position])) {
    separator.assign(1, m_szText[m_position]);
    ++m_position;
  }
  return false;
}

}  // namespace common
