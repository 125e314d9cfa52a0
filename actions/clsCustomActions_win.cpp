// The custom-actions file and the playing of action strings.
#include <windows.h>

#include "actions/clsCustomActions.h"
#include "actions/profilefile.h"
#include "base/dateformat.h"
#include "base/keystrokes.h"
#include "base/variant.h"
#include "common/clsCollection.h"
#include "common/clsTokenizer.h"

namespace actions {

namespace {

// The keys of a section, in the order Save writes them.
const char kType[] = "Type";
const char kOrder[] = "Order";
const char kDescription[] = "Description";
const char kExe[] = "Exe";
const char kExeMatch[] = "ExeMatch";
const char kCaption[] = "Caption";
const char kCaptionMatch[] = "CaptionMatch";
const char kClass[] = "Class";
const char kClassMatch[] = "ClassMatch";
const char kActions[] = "Actions";
const char kOptions[] = "Options";

std::int32_t Whole16(const std::string& text) { return base::Variant(text).ToInteger(); }
std::int32_t Whole32(const std::string& text) { return base::Variant(text).ToLong(); }

}  // namespace

std::string clsCustomActions::ReadValue(const std::string& section, const std::string& key,
                                        const std::string& def, const std::string& file) {
  return ProfileRead(file, section, key, def);
}

// The section names in file order, split at their NULs with the tokenizer;
// the list ends at the first empty name.
std::vector<std::string> clsCustomActions::SectionNames(const std::string& file) {
  common::clsTokenizer tokenizer;
  const std::string nul(1, '\0');
  tokenizer.SetWhiteSpaceChars(nul);
  tokenizer.SetSeparatorChars(nul);
  tokenizer.SetText(ProfileSectionList(file));
  std::vector<std::string> names;
  std::string token, separator;
  bool quoted = false;
  while (tokenizer.GetNextToken(token, separator, quoted) && !token.empty()) names.push_back(token);
  return names;
}

std::int32_t clsCustomActions::LoadEx(std::vector<std::string>& ids, std::int32_t type, const std::string& file,
                                      bool ignoreDisabled) {
  const std::string& path = FileOr(file);
  common::clsCollection wanted;
  for (const std::string& id : SectionNames(path)) {
    if (type != -1 && Whole32(ReadValue(id, kType, "-1", path)) != type) continue;
    if (ignoreDisabled && (Whole32(ReadValue(id, kOptions, "0", path)) & OptionEnabled) == 0) continue;
    wanted.Add(id, Whole32(ReadValue(id, kOrder, "0", path)));
  }
  // Ascending by Order; equal Orders come out latest first.
  std::vector<std::int32_t> order = wanted.Sort_Bubble("m_lKey");
  ids.clear();
  for (size_t i = 1; i < order.size(); ++i) ids.push_back(wanted.Item(order[i])->m_szKey);
  ids.emplace_back();
  return wanted.Count();
}

std::int32_t clsCustomActions::Count(std::int32_t type, const std::string& file) {
  const std::string& path = FileOr(file);
  std::int32_t n = 0;
  for (const std::string& id : SectionNames(path))
    if (type == -1 || Whole32(ReadValue(id, kType, "-1", path)) == type) ++n;
  return n;
}

bool clsCustomActions::Load(const std::string& id, const std::string& file) {
  const std::string& path = FileOr(file);
  m_szId = id;
  m_lType = Whole16(ReadValue(id, kType, "-1", path));
  // Order alone is a 32-bit number: the list may be longer than 32767.
  m_lOrder = Whole32(ReadValue(id, kOrder, "0", path));
  m_szDescription = ReadValue(id, kDescription, "", path);
  m_szExe = ReadValue(id, kExe, "", path);
  m_lExeMatch = Whole16(ReadValue(id, kExeMatch, "0", path));
  m_szCaption = ReadValue(id, kCaption, "", path);
  m_lCaptionMatch = Whole16(ReadValue(id, kCaptionMatch, "0", path));
  m_szClass = ReadValue(id, kClass, "", path);
  m_lClassMatch = Whole16(ReadValue(id, kClassMatch, "0", path));
  m_szActions = ReadValue(id, kActions, "", path);
  m_lOptions = Whole16(ReadValue(id, kOptions, "0", path));
  return !m_szDescription.empty();
}

void clsCustomActions::Save(const std::string& file) {
  const std::string& path = FileOr(file);
  // Delete checks the identifier before it removes anything.
  Delete(m_szId, path);
  const std::pair<const char*, std::string> values[] = {
      {kType, std::to_string(m_lType)},
      {kOrder, std::to_string(m_lOrder)},
      {kDescription, m_szDescription},
      {kExe, m_szExe},
      {kExeMatch, std::to_string(m_lExeMatch)},
      {kCaption, m_szCaption},
      {kCaptionMatch, std::to_string(m_lCaptionMatch)},
      {kClass, m_szClass},
      {kClassMatch, std::to_string(m_lClassMatch)},
      {kActions, m_szActions},
      {kOptions, std::to_string(m_lOptions)},
  };
  for (const auto& v : values) ProfileWrite(path, m_szId, v.first, v.second);
}

void clsCustomActions::Delete(const std::string& id, const std::string& file) {
  ProfileDeleteSection(FileOr(file), id);
}

void clsCustomActions::Resequence(const std::vector<std::string>& ids, const std::string& file) {
  const std::string& path = FileOr(file);
  for (size_t i = 1; i < ids.size(); ++i) ProfileWrite(path, ids[i], kOrder, std::to_string(i));
}

void clsCustomActions::SendActions(const std::string& item) {
  // One clock reading: every date of this run shows the same time.
  base::DateTime now = base::Now();
  common::clsCollection parts;
  if (!BreakdownActions(parts)) return;
  for (const common::clsCollection::ItemPtr& p : parts) {
    const common::clsCollection& part = *p;
    // A part that fails is passed over; the rest still plays.
    try {
      if (part.m_szKey == TokenItemEx()) {
        // The item and the date come from outside the user's own text: a
        // "~" in "PROGRA~1" or a "+" in a path is typed, not pressed.
        base::SendLiteralKeys(item, true);
      } else if (part.m_szKey == TokenDateEx()) {
        base::SendLiteralKeys(base::FormatDate(now, part.m_szData), true);
      } else if (part.m_szKey == TokenPauseEx()) {
        // A quit message ends the playback; it stays for the caller's loop.
        if (!base::PumpingSleep(PauseMilliseconds(part.m_lData))) return;
      } else {
        base::SendKeys(part.m_szData, true);
      }
    } catch (...) {
    }
  }
}

}  // namespace actions
