// The portable half of the custom actions: action strings and the matching
// rules.
#include "actions/clsCustomActions.h"

#include "base/dateformat.h"
#include "base/prompt.h"
#include "base/text.h"
#include "base/variant.h"
#include "common/appinfo.h"
#include "common/clsCollection.h"
#include "common/clsTrace.h"

namespace actions {

namespace {

const char kTokenStart[] = "[crv_";

void AddPart(common::clsCollection& parts, std::string key, std::string data, std::int32_t number = 0) {
  parts.Add(std::move(key), 0, {}, std::move(data), number);
}

}  // namespace

bool clsCustomActions::BreakdownActions(common::clsCollection& parts) {
  parts.Clear();
  std::string s = m_szActions;
  const size_t prefix = sizeof kTokenStart - 1;
  for (;;) {
    size_t p = base::LCase(s).find(kTokenStart);
    if (p == std::string::npos) {
      AddPart(parts, "", s);
      return true;
    }
    if (p > 0) {
      AddPart(parts, "", s.substr(0, p));
      s.erase(0, p);
    } else {
      size_t close = s.find(']', prefix);
      size_t open = s.find('[', prefix);
      if (open != std::string::npos && close != std::string::npos && open < close) {
        // A broken token is sent as text, and the next "[" is looked at.
        AddPart(parts, "", s.substr(0, open));
        s.erase(0, open);
      } else if (close == std::string::npos) {
        AddPart(parts, "", "");
        return false;
      } else {
        std::string inner = s.substr(1, close - 1);
        size_t blank = inner.find(' ');
        std::string name = base::Trim(inner.substr(0, blank));
        std::string argument = blank == std::string::npos ? std::string() : inner.substr(blank + 1);
        if (name == TokenItemEx() || name == TokenSelectionEx()) {
          AddPart(parts, name, "");
        } else if (name == TokenDateEx()) {
          AddPart(parts, name, argument.empty() ? "long date" : argument);
        } else if (name == TokenPauseEx()) {
          std::string number = argument.empty() ? "100" : argument;
          std::int32_t ms = 0;
          try {
            ms = base::Variant(number).ToLong();
          } catch (...) {
            base::Prompt("Invalid number: " + argument, base::kPromptOk | base::kPromptExclamation,
                         common::g_szAppTitle());
            return false;
          }
          AddPart(parts, name, "", ms);
        } else {
          AddPart(parts, "", s.substr(0, close + 1));
        }
        s.erase(0, close + 1);
      }
    }
    if (s.empty()) return true;
  }
}

std::string clsCustomActions::BuildActionString(const std::string& item, const std::string& selection) {
  base::DateTime now = base::Now();
  common::clsCollection parts;
  if (!BreakdownActions(parts)) return m_szActions;
  std::string out;
  for (const common::clsCollection::ItemPtr& p : parts) {
    const common::clsCollection& part = *p;
    if (part.m_szKey == TokenItemEx())
      out += item;
    else if (part.m_szKey == TokenSelectionEx())
      out += selection;
    else if (part.m_szKey == TokenDateEx())
      out += base::FormatDate(now, part.m_szData);
    else if (part.m_szKey == TokenPauseEx())
      out += "[" + TokenPauseEx() + " " + std::to_string(part.m_lData) + "]";
    else
      out += part.m_szData;
  }
  return out;
}

bool clsCustomActions::MatchString(const std::string& pattern, const std::string& actual, std::int32_t mode) {
  common::TraceScope scope("MatchString");
  common::g_Debug().Output(
      [&] { return "szSrc=" + pattern + "  szDest=" + actual + "  lMode=" + std::to_string(mode); });
  bool result = MatchText(pattern, actual, mode);
  common::g_Debug().Output([&] { return std::string("MatchString=") + (result ? "True" : "False"); });
  return result;
}

bool MatchText(const std::string& pattern, const std::string& actual, std::int32_t mode) {
  bool known = mode == clsCustomActions::OptionMatchExact || mode == clsCustomActions::OptionMatchPartial ||
               mode == clsCustomActions::OptionMatchAnywhere;
  if (!known) return true;
  // A window without a caption, or a program whose path is not known, has
  // nothing to match: it would be "found" within every Anywhere pattern.
  if (actual.empty()) return pattern.empty();
  switch (mode) {
    case clsCustomActions::OptionMatchExact:
      return actual == pattern;
    case clsCustomActions::OptionMatchPartial:
      return base::LCase(actual).compare(0, pattern.size(), base::LCase(pattern)) == 0 &&
             actual.size() >= pattern.size();
    default:  // Anywhere: the window's text within the pattern
      return base::LCase(pattern).find(base::LCase(actual)) != std::string::npos;
  }
}

std::int32_t PauseMilliseconds(std::int32_t requested) {
  if (requested < 0) return 0;
  return requested > clsCustomActions::kLongestPause ? clsCustomActions::kLongestPause : requested;
}

}  // namespace actions
