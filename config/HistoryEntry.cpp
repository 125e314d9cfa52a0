// History entries: the one-line text the history and quick-access lists keep
// for an item, type,options,"string","caption", enciphered as a whole.
#include <algorithm>
#include <vector>

#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/RecordText.h"
#include "config/clsCorvaneDataTools.h"

namespace config {

namespace {

// A quoted field. A quote inside is doubled, so that it reads back as one;
// a field without quotes keeps the bytes entries always had.
std::string Quoted(const std::string& field) {
  std::string out = "\"";
  for (char c : field) {
    out += c;
    if (c == '"') out += '"';
  }
  return out + "\"";
}

// Line ends inside a quoted field belong to it; a doubled quote is one quote.
constexpr detail::FieldRules kEntryFields{"\"", " \t", "", true};

}  // namespace

std::string clsCorvaneDataTools::CreateHistoryMRU(const clsCorvaneData& item) const {
  common::TraceScope scope("CreateHistoryMRU");
  const std::string& field = item.IsTypeCustomAction() ? item.m_szAction_Actions : item.Location();
  const std::string text = std::to_string(item.m_lType) + "," + std::to_string(item.m_lOptions) + "," +
                           Quoted(field) + "," + Quoted(item.Caption());
  std::string entry = detail::CipherText(text);
  common::g_Debug().Output([&] { return "rv=" + entry; });
  return entry;
}

void clsCorvaneDataTools::BreakdownHistoryMRU(const std::string& entry, clsCorvaneData& item) const {
  common::TraceScope scope("BreakdownHistoryMRU");
  common::g_Debug().Output([&] { return "szString=" + entry; });
  std::vector<std::string> fields = detail::SplitFields(detail::CipherText(entry), kEntryFields);
  fields.resize(std::max<size_t>(fields.size(), 4));  // a missing field reads empty
  common::ParseLeadingNumber(fields[0], item.m_lType);
  if (!item.IsTypeFolder() && !item.IsTypeFile() && !item.IsTypeCustomAction()) return;
  common::ParseLeadingNumber(fields[1], item.m_lOptions);
  if (item.IsTypeCustomAction()) item.m_szAction_Actions = fields[2];
  else item.SetLocation(fields[2]);
  item.SetCaption(fields[3]);
}

}  // namespace config
