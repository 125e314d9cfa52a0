#include "common/clsTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Token {
  std::string token, separator;
  bool quoted;
  bool operator==(const Token&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Token& t) {
  return os << "{\"" << t.token << "\", \"" << t.separator << "\", " << t.quoted << "}";
}

// Every token of the text, until GetNextToken says nothing is left.
std::vector<Token> Scan(common::clsTokenizer& tok, const std::string& text) {
  tok.SetText(text);
  std::vector<Token> out;
  Token t{"junk", "junk", true};
  while (tok.GetNextToken(t.token, t.separator, t.quoted)) {
    out.push_back(t);
    if (out.size() > 100) break;  // a scan that never ends is a fault too
  }
  EXPECT_EQ(t, (Token{"", "", false})) << "the last call empties its outputs";
  return out;
}

}  // namespace

TEST(Tokenizer, SplitsByCharacterClass) {
  const struct {
    const char* name;
    std::string separators, quotes, text;
    std::vector<Token> tokens;
  } cases[] = {
      {"empty text", "", "", "", {}},
      {"separator", ",", "", "a,b", {{"a", ",", false}, {"b", "", false}}},
      {"leading separator", ",", "", ",b", {{"", ",", false}, {"b", "", false}}},
      {"trailing separator", ",", "", "a,", {{"a", ",", false}}},
      {"blank ends a token", "", "", "a b", {{"a", "", false}, {"b", "", false}}},
      {"only white space", "", "", " \t ", {{"", "", false}}},
      {"blanks before a separator", ",", "", "a , b", {{"a", ",", false}, {"b", "", false}}},
      {"quoted run then token", "", "\"", "\"x y\"z", {{"x y", "", true}, {"z", "", false}}},
      {"quoted run is literal", ",", "\"'", "\"a,'b\" ,c", {{"a,'b", ",", true}, {"c", "", false}}},
      {"doubled quote reopens", "", "\"", "\"a\"\"b\"", {{"a", "\"", true}, {"b", "", true}}},
      {"quote after a token", "", "\"", "a\"b c\"", {{"a", "\"", true}, {"b c", "", true}}},
      {"unclosed quote", "", "\"", "\"a b", {{"a b", "", true}}},
      {"line break between tokens", "", "", "a\r\nb", {{"a", "\n", false}, {"b", "", false}}},
      {"leading line break", "", "", "\r\na", {{"", "\n", false}, {"a", "", false}}},
      {"line break inside quotes", "", "\"", "\"a\nb\"", {{"a", "\n", true}, {"b", "\"", true}, {"", "", true}}},
      {"run of line breaks", "", "", "a\n\r\n\rb", {{"a", "\r", false}, {"b", "", false}}},
      {"quote wins over separator", "\"", "\"", "\"a\"", {{"a", "", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    common::clsTokenizer tok;
    tok.SetSeparatorChars(c.separators);
    tok.SetQuoteChars(c.quotes);
    EXPECT_EQ(Scan(tok, c.text), c.tokens);
  }
}

TEST(Tokenizer, ConvertCaseOutsideQuotesOnly) {
  const struct {
    int mode;
    std::vector<Token> tokens;
  } cases[] = {
      {0, {{"abC\xE9", "\"", true}, {"abC", "", true}}},
      {1, {{"ABC\xC9", "\"", true}, {"abC", "", true}}},
      {2, {{"abc\xE9", "\"", true}, {"abC", "", true}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.mode);
    common::clsTokenizer tok;
    tok.SetQuoteChars("\"");
    tok.SetConvertCase(c.mode);
    EXPECT_EQ(Scan(tok, "abC\xE9 \"abC\""), c.tokens);
  }
}

TEST(Tokenizer, DefaultsAndRestart) {
  common::clsTokenizer tok;
  EXPECT_EQ(tok.WhiteSpaceChars(), " \t");
  EXPECT_EQ(tok.SeparatorChars(), "");
  EXPECT_EQ(tok.QuoteChars(), "");
  EXPECT_EQ(tok.EOLChars(), "\r\n");
  EXPECT_EQ(tok.ConvertCase(), 0);

  tok.SetSeparatorChars(";");
  tok.SetText("one;two");
  std::string token, separator;
  bool quoted = true;
  ASSERT_TRUE(tok.GetNextToken(token, separator, quoted));
  EXPECT_EQ(token, "one");
  // A change of the sets takes effect at the next character looked at.
  tok.SetSeparatorChars("w");
  ASSERT_TRUE(tok.GetNextToken(token, separator, quoted));
  EXPECT_EQ(token, "t");
  EXPECT_EQ(separator, "w");
  // Setting the text again starts from its first character.
  tok.SetText(tok.Text());
  ASSERT_TRUE(tok.GetNextToken(token, separator, quoted));
  EXPECT_EQ(token, "one;t");
}
