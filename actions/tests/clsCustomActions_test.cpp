#include "actions/clsCustomActions.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "actions/profilefile.h"
#include "base/dateformat.h"
#include "base/tests/testing.h"
#include "common/clsCollection.h"

using actions::clsCustomActions;

namespace {

std::string Build(const std::string& actions, const std::string& item = "", const std::string& selection = "") {
  clsCustomActions a;
  a.m_szActions = actions;
  return a.BuildActionString(item, selection);
}

// Parts as text: literal parts quoted, tokens by name with their data.
std::string Parts(const std::string& actions, bool* ok = nullptr) {
  clsCustomActions a;
  a.m_szActions = actions;
  common::clsCollection parts;
  bool result = a.BreakdownActions(parts);
  if (ok) *ok = result;
  std::string out;
  for (const auto& item : parts) {
    const common::clsCollection& p = *item;
    if (!out.empty()) out += ' ';
    if (p.m_szKey.empty())
      out += "'" + p.m_szData + "'";
    else
      out += p.m_szKey + "(" + p.m_szData + (p.m_lData ? std::to_string(p.m_lData) : "") + ")";
  }
  return out;
}

}  // namespace

TEST(ActionStrings, BreakdownTable) {
  struct Row { const char* actions; const char* parts; bool ok; } rows[] = {
      {"", "''", true},
      {"abc", "'abc'", true},
      {"abc[crv_item]def", "'abc' crv_item() 'def'", true},
      {"[CRV_Item]x", "'[CRV_Item]' 'x'", true},  // found ignoring case, but not the item token
      {"[crv_date]", "crv_date(long date)", true},
      {"[crv_date  dd/mm/yyyy]", "crv_date( dd/mm/yyyy)", true},
      {"[crv_pause]", "crv_pause(100)", true},
      {"[crv_pause 250][crv_pause -5]", "crv_pause(250) crv_pause(-5)", true},
      {"[crv_selection extra]", "crv_selection()", true},
      {"[crv_foo]x", "'[crv_foo]' 'x'", true},
      {"[crv_x [crv_item]", "'[crv_x ' crv_item()", true},
      {"a[crv_item", "'a' ''", false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.actions);
    bool ok = false;
    EXPECT_EQ(Parts(r.actions, &ok), r.parts);
    EXPECT_EQ(ok, r.ok);
  }
}

TEST(ActionStrings, BuildTable) {
  struct Row { const char* actions; const char* text; } rows[] = {
      {"", ""},
      {"abc[crv_item]def", "abcC:\\xdef"},
      {"[crv_pause]", "[crv_pause 100]"},
      {"x[crv_pause 250]y", "x[crv_pause 250]y"},
      {"[crv_foo]x", "[crv_foo]x"},
      {"[crv_item", "[crv_item"},  // no closing bracket: unchanged
      {"[crv_x [crv_item]", "[crv_x C:\\x"},
      {"<[crv_selection]>", "<a.txt b.txt>"},
      {"[crv_date \\d\\a\\t\\e]", "date"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.actions);
    EXPECT_EQ(Build(r.actions, "C:\\x", "a.txt b.txt"), r.text);
  }
}

TEST(ActionStrings, DatesAreFormattedByTheirFormat) {
  base::DateTime now = base::Now();
  std::string built = Build("[crv_date yyyy]|[crv_date  yyyy]|[crv_date]");
  std::string year = std::to_string(now.year);
  // At the turn of a year the clock may move on between the two readings.
  if (built.substr(0, 4) != year) year = std::to_string(now.year + 1);
  EXPECT_EQ(built.substr(0, 11), year + "| " + year + "|");
  EXPECT_EQ(built.substr(11), base::FormatDate(base::Now(), "long date"));
}

TEST(ActionStrings, InvalidPauseWarnsAndNothingParses) {
  testing_support::PromptRecorder prompts;
  for (const char* actions : {"a[crv_pause abc]b", "[crv_pause 99999999999]"}) {
    SCOPED_TRACE(actions);
    prompts.Clear();
    EXPECT_EQ(Build(actions), actions);
    ASSERT_EQ(prompts.Prompts().size(), 1u);
    EXPECT_EQ(prompts.Prompts()[0].flags, base::kPromptOk | base::kPromptExclamation);
  }
  EXPECT_EQ(prompts.Prompts()[0].text, "Invalid number: 99999999999");
  prompts.Clear();
  Build("[crv_pause abc]");
  EXPECT_EQ(prompts.Prompts()[0].text, "Invalid number: abc");
}

TEST(ActionStrings, TokenTexts) {
  EXPECT_EQ(clsCustomActions::TokenItem(), "[" + clsCustomActions::TokenItemEx() + "]");
  EXPECT_EQ(clsCustomActions::TokenItem(), "[crv_item]");
  EXPECT_EQ(clsCustomActions::TokenSelection(), "[crv_selection]");
  EXPECT_EQ(clsCustomActions::TokenDate(), "[crv_date]");
  EXPECT_EQ(clsCustomActions::TokenPause(), "[crv_pause]");
}

TEST(ActionStrings, PausesAreNeverNegativeNorEndless) {
  EXPECT_EQ(actions::PauseMilliseconds(-1), 0);
  EXPECT_EQ(actions::PauseMilliseconds(INT32_MIN), 0);
  EXPECT_EQ(actions::PauseMilliseconds(0), 0);
  EXPECT_EQ(actions::PauseMilliseconds(250), 250);
  EXPECT_EQ(actions::PauseMilliseconds(INT32_MAX), clsCustomActions::kLongestPause);
}

TEST(WindowMatching, MatchTextTable) {
  const std::int32_t exact = clsCustomActions::OptionMatchExact, partial = clsCustomActions::OptionMatchPartial,
                     anywhere = clsCustomActions::OptionMatchAnywhere;
  struct Row { const char* pattern; const char* actual; std::int32_t mode; bool match; } rows[] = {
      {"Notepad", "Notepad", exact, true},
      {"notepad", "Notepad", exact, false},
      {"Note", "Notepad", exact, false},
      {"notepad", "Notepad - x", partial, true},
      {"NOTEPAD - X - more", "Notepad - x", partial, false},
      {"untitled - notepad", "Notepad", anywhere, true},
      {"notepad", "Untitled - Notepad", anywhere, false},
      {"anything", "whatever", 3, true},
      {"anything", "whatever", 0, true},  // modes of 0 are not tried at all
      // An empty text fits only an empty pattern, in every mode.
      {"notepad", "", anywhere, false},
      {"notepad", "", partial, false},
      {"notepad", "", exact, false},
      {"", "", anywhere, true},
      {"", "", exact, true},
      {"", "Notepad", partial, true},
      {"", "Notepad", anywhere, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(std::string(r.pattern) + " / " + r.actual + " / " + std::to_string(r.mode));
    EXPECT_EQ(actions::MatchText(r.pattern, r.actual, r.mode), r.match);
  }
}

TEST(CustomActionsStore, HostileValuesAreStoredSoThatTheyReadBack) {
  const std::string values[] = {
      "",  "plain text", "C:\\Program Files\\x.exe", "a=b", "{ENTER}~%+^",
      " lead", "trail ", "  both  ", "\ttab", "\"quoted\"", "'single'", "\"open", "close'",
      "line1\r\nline2", "a\nb", "a\rb", "x\r\n[evil]\r\nType=1", "=?looks encoded", "=41",
      std::string("nul\0inside", 10), std::string(5000, 'x'), "\xE9\x80\xFF",
  };
  for (const std::string& v : values) {
    SCOPED_TRACE(v.substr(0, 40));
    std::string stored = actions::EncodeProfileValue(v);
    EXPECT_EQ(actions::DecodeProfileValue(stored), v);
    // What the file holds is one line, with nothing the service would strip.
    EXPECT_EQ(stored.find_first_of("\r\n"), std::string::npos);
    if (!stored.empty()) {
      EXPECT_NE(stored.front(), ' ');
      EXPECT_NE(stored.back(), ' ');
      EXPECT_FALSE(stored.front() == '"' || stored.front() == '\'');
    }
  }
  // Values that need nothing are written as they stand, as before.
  for (const char* plain : {"plain text", "a=b", "C:\\Program Files\\x.exe", "mid \"quote\" ok"})
    EXPECT_EQ(actions::EncodeProfileValue(plain), plain);
  EXPECT_EQ(actions::EncodeProfileValue("a\r\nb "), "=?a=0D=0Ab=20");
  // A stored value that is not one of ours reads as it stands.
  EXPECT_EQ(actions::DecodeProfileValue("=?a=ZZ=4"), "a=ZZ=4");
}

TEST(CustomActionsStore, SectionNamesTheFileCanHold) {
  EXPECT_TRUE(actions::IsValidSectionName("{8FF7D830-C8EE-4934-B936-FC579781B845}"));
  EXPECT_TRUE(actions::IsValidSectionName("any name (1) [x"));
  for (const char* bad : {"", " lead", "trail ", "a]b", "a\nb", "a\rb"}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(actions::IsValidSectionName(bad));
  }
}
