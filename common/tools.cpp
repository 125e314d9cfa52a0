#include "common/tools.h"

#include <cstdio>

#include "base/context.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "common/clsTokenizer.h"
#include "common/tools_platform.h"

namespace common {

namespace {

// Every occurrence, left to right, without looking at the inserted text again.
void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
  for (size_t p = text.find(from); p != std::string::npos; p = text.find(from, p + to.size()))
    text.replace(p, from.size(), to);
}

struct ToolsGlobals {
  std::string empty = "(Empty)";
};

bool HasWildcard(const std::string& path) { return path.find_first_of("*?") != std::string::npos; }

}  // namespace

bool ParseLeadingNumber(const std::string& text, std::int32_t& number) {
  size_t n = 0;
  std::int64_t value = 0;
  for (; n < text.size() && text[n] >= '0' && text[n] <= '9'; ++n) {
    value = value * 10 + (text[n] - '0');
    if (value > INT32_MAX) base::RaiseError(base::kErrOverflow, "ParseLeadingNumber");
  }
  if (n == 0) return false;
  number = static_cast<std::int32_t>(value);
  return true;
}

std::string StripNull(const std::string& text) { return text.substr(0, text.find('\0')); }

std::string TrimRightChars(const std::string& text, const std::string& set) {
  std::string chars = ExpandEscapes(set);
  size_t end = text.find_last_not_of(chars);
  return end == std::string::npos ? std::string() : text.substr(0, end + 1);
}

std::string ReplaceString(std::string& text, const std::string& searched,
                          const std::string& replacement, std::uint8_t flags) {
  if (searched.empty()) return text;
  const bool noCase = flags & kReplaceNoCase;
  const std::string needle = noCase ? base::UCase(searched) : searched;
  // A replacement that holds the searched text would be found again at the
  // same place for ever; the search then goes on after it.
  const bool skipInserted =
      (noCase ? base::UCase(replacement) : replacement).find(needle) != std::string::npos;
  size_t start = 0;
  for (;;) {
    size_t p = (noCase ? base::UCase(text) : text).find(needle, start);
    if (p == std::string::npos) break;
    text.replace(p, searched.size(), replacement);
    if (flags & kReplaceFirstOnly) break;
    start = skipInserted ? p + replacement.size() : p;
  }
  return text;
}

std::int32_t SplitTokens(const base::Variant& text, std::vector<std::string>& tokens,
                         bool honourQuotes, const std::string& separators,
                         const std::string& whiteSpace) {
  tokens.clear();
  clsTokenizer tokenizer;
  tokenizer.SetWhiteSpaceChars(ExpandEscapes(whiteSpace));
  tokenizer.SetSeparatorChars(ExpandEscapes(separators));
  if (honourQuotes) tokenizer.SetQuoteChars("\"'");
  tokenizer.SetText(text.ToString());
  std::string token, separator;
  bool quoted = false;
  while (tokenizer.GetNextToken(token, separator, quoted)) tokens.push_back(token);
  return static_cast<std::int32_t>(tokens.size());
}

std::string ExpandEscapes(const base::Variant& value) {
  std::string text = value.Kind() == base::VariantKind::Integer || value.Kind() == base::VariantKind::Long
                         ? LoadResStringEx(value.ToLong())
                         : value.ToString();
  static const struct {
    const char* pair;
    const char* result;
  } kPairs[] = {
      {"\\\\", "\\"}, {"\\a", "\a"}, {"\\b", "\b"}, {"\\f", "\f"}, {"\\n", "\n"}, {"\\r", "\r"},
      {"\\t", "\t"},  {"\\v", "\v"}, {"\\'", "'"},  {"\\\"", "\""}, {"\\?", "?"},
  };
  for (const auto& k : kPairs) ReplaceAll(text, k.pair, k.result);
  return text;
}

std::string LoadResStringEx(std::int32_t number) { return ExpandEscapes(platform::ResourceString(number)); }

std::string FormatAppVersion(int major, int minor, int revision, bool withRevision) {
  char buf[64];
  if (withRevision)
    std::snprintf(buf, sizeof buf, "%d.%02d.%03d", major, minor, revision);
  else
    std::snprintf(buf, sizeof buf, "%d.%02d", major, minor);
  return buf;
}

bool DirectoryExists(const std::string& path) {
  if (path.empty()) return false;
  std::string p = path;
  // "C:\dir\" and "C:\dir" are the same folder; "C:\" and "\" stay as they are.
  while (p.size() > 1 && platform::IsSeparator(p.back()) && !(p.size() == 3 && p[1] == ':'))
    p.pop_back();
  return platform::KindOf(p) == platform::PathKind::Folder;
}

bool FileExists(const std::string& path) {
  if (path.empty()) return false;
  if (HasWildcard(path)) return platform::AnyFileMatches(path);
  if (platform::IsSeparator(path.back())) return false;
  return platform::KindOf(path) == platform::PathKind::File;
}

base::Error ShellExecuteError(long result, const std::string& source) {
  struct Entry {
    long result;
    long number;  // 0: the program's own number for this result
    const char* description;
  };
  static const Entry kTable[] = {
      {0, base::kErrOutOfMemory, "Out of memory"},
      {2, base::kErrFileNotFound, "File not found"},
      {3, base::kErrPathNotFound, "Path not found"},
      {5, base::kErrPathFileAccess, "Path/file access error"},
      {8, base::kErrOutOfMemory, "Out of memory"},
      {11, 0, "The executable file is invalid or corrupt"},
      {26, base::kErrPathFileAccess, "A sharing violation occurred."},
      {27, 0, "This file type does not have a valid file association."},
      {28, base::kErrDdeTimeout,
       "The file could not be opened due to time out. Please try again in a moment."},
      {29, base::kErrDdeRefused,
       "The file could not be opened because the DDE transaction failed. Please try again in a moment."},
      {30, base::kErrDdeRefused,
       "The file could not be opened because the target application is busy. Please try again in a moment."},
      {31, 0, "No application is associated with this file type."},
      {32, base::kErrDllLoad, "The specified dynamic-link library was not found."},
  };
  for (const auto& e : kTable)
    if (e.result == result)
      return base::Error(e.number ? e.number : base::kErrProgramBase + result, source, e.description);
  // The doubled word is the message as users have always seen it.
  return base::Error(base::kErrProgramBase + result, source,
                     "An error occurred occurred whilst trying to open or print the selected file.");
}

std::string& g_szEmpty() { return base::ThreadContext::Current().Get<ToolsGlobals>().empty; }

bool InitGlobals() {
  g_szAppTitle() = ApplicationTitle();
  g_szEmpty() = "(Empty)";
  return true;
}

}  // namespace common
