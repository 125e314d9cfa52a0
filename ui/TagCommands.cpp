#include "ui/TagCommands.h"

#include <algorithm>

#include "base/text.h"
#include "common/clsTokenizer.h"

namespace ui {

namespace {

common::clsTokenizer CommandTokenizer(const std::string& separators) {
  common::clsTokenizer t;
  t.SetWhiteSpaceChars(" ");
  t.SetSeparatorChars(separators);
  t.SetQuoteChars("");  // the language has no quoting
  t.SetEOLChars("\r\n");
  t.SetConvertCase(0);
  return t;
}

bool ParseLong(const std::string& text, long& value) {
  const std::string t = base::Trim(text);
  if (t.empty() || t.size() > 10) return false;
  long v = 0;
  size_t i = 0;
  const bool negative = t[0] == '-';
  if (negative || t[0] == '+') i = 1;
  if (i == t.size()) return false;
  for (; i < t.size(); ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    v = v * 10 + (t[i] - '0');
  }
  value = negative ? -v : v;
  return true;
}

}  // namespace

std::int32_t Control_BreakdownCommands(const std::string& text, std::vector<std::string>& list) {
  list.assign(1, std::string());
  common::clsTokenizer t = CommandTokenizer("|");
  t.SetText(text);
  std::string token, separator;
  bool quoted = false;
  while (t.GetNextToken(token, separator, quoted)) {
    list.push_back(token);
  }
  return static_cast<std::int32_t>(list.size() - 1);
}

std::int32_t Control_BreakdownCommandParms(const std::string& command, std::vector<std::string>& list) {
  list.assign(1, std::string());
  common::clsTokenizer t = CommandTokenizer("=");
  t.SetText(command);
  std::string token, separator;
  bool quoted = false;
  if (!t.GetNextToken(token, separator, quoted) || token.empty()) return 0;
  list.push_back(base::UCase(token));
  // After the name the values are separated by commas.
  t.SetSeparatorChars(",");
  while (t.GetNextToken(token, separator, quoted)) list.push_back(token);
  return static_cast<std::int32_t>(list.size() - 1);
}

int ImageListIndex(const std::string& size) {
  const std::string s = base::LCase(size);
  if (s == "s") return 0;
  if (s == "s2") return 1;
  if (s == "l") return 2;
  return -1;
}

bool Control_ProcessCommands(TagTarget& control, const std::string& allowed) {
  const std::string tag = control.Tag();
  if (tag.empty()) return false;
  std::vector<std::string> names;
  Control_BreakdownCommands(allowed, names);
  std::vector<std::string> commands;
  const std::int32_t count = Control_BreakdownCommands(tag, commands);
  std::vector<std::string> parms;
  for (std::int32_t i = 1; i <= count; ++i) {
    const std::int32_t n = Control_BreakdownCommandParms(commands[static_cast<size_t>(i)], parms);
    if (n < 1) continue;
    const std::string& name = parms[1];
    if (std::find(names.begin() + 1, names.end(), name) == names.end()) continue;
    if (name == "IMAGELIST" && n >= 2) {
      const int list = ImageListIndex(parms[2]);
      if (list >= 0) control.SetImageList(list);
    } else if (name == "ICON" && n >= 3) {
      control.SetIcon(parms[2], parms[3]);
    } else if (name == "MAX" && n >= 2) {
      long length = 0;
      if (ParseLong(parms[2], length)) {
        try {
          control.SetMaxLength(length);
        } catch (...) {
          // A control without a length limit keeps none.
        }
      }
    } else if (name == "PICTURE" && n >= 2) {
      control.SetPicture(parms[2]);
    } else if (name == "PICTUREBACKGROUND" && n >= 2) {
      control.SetPictureBackground(parms[2]);
    } else if (name == "FILENAME") {
      const std::string text = control.Text();
      if (!text.empty() && !control.FileExists(text)) {
        control.ReportMissingFile(text);
        return true;
      }
    }
  }
  return false;
}

}  // namespace ui
