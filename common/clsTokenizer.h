// The character-class tokenizer: splits a text into tokens, one per call of
// GetNextToken, by sorting each character into white space, separator,
// quote, end of line or other.
#pragma once
#include <cstdint>
#include <string>

namespace common {

class clsTokenizer {
 public:
  const std::string& WhiteSpaceChars() const { return m_szWhiteSpaceChars; }
  void SetWhiteSpaceChars(std::string chars) { m_szWhiteSpaceChars = std::move(chars); }
  const std::string& SeparatorChars() const { return m_szSeparatorChars; }
  void SetSeparatorChars(std::string chars) { m_szSeparatorChars = std::move(chars); }
  const std::string& QuoteChars() const { return m_szQuoteChars; }
  void SetQuoteChars(std::string chars) { m_szQuoteChars = std::move(chars); }
  const std::string& EOLChars() const { return m_szEOLChars; }
  void SetEOLChars(std::string chars) { m_szEOLChars = std::move(chars); }
  // 0 leaves case alone, 1 upper case, 2 lower case (outside quotes only).
  std::int32_t ConvertCase() const { return m_lConvertCase; }
  void SetConvertCase(std::int32_t mode) { m_lConvertCase = mode; }

  const std::string& Text() const { return m_szText; }
  void SetText(std::string text);  // restarts the scan at the first character

  // Scans the next token. False only when nothing was left to scan.
  bool GetNextToken(std::string& token, std::string& separator, bool& quoted);

 private:
  enum CharClass { kWhiteSpace = 0, kSeparator = 1, kQuote = 2, kOther = 3, kEndOfLine = 4 };
  enum State { kBefore = 0, kInToken = 1, kInQuotes = 2, kAfter = 3 };

  CharClass CharType() const;
  void AppendToken();
  bool HandleWhiteSpace();
  bool HandleSeparator(std::string& separator);
  bool HandleQuote(std::string& separator);
  bool HandleToken();
  bool HandleEOF(std::string& separator);

  std::string m_szWhiteSpaceChars = " \t";
  std::string m_szSeparatorChars;
  std::string m_szQuoteChars;
  std::string m_szEOLChars = "\r\n";
  std::string m_szText;
  std::int32_t m_lConvertCase = 0;

  State m_state = kBefore;
  char m_current = 0;
  std::string m_token;
  size_t m_position = 0;  // 0-based index of the next character to look at
  char m_openQuote = 0;
};

}  // namespace common
