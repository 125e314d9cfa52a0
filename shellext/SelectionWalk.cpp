#include "shellext/SelectionWalk.h"

#include <algorithm>

#include "base/text.h"
#include "common/clsSprintf.h"
#include "common/wildcard.h"

namespace shellext {

namespace {

std::string Expanded(std::string text) { return common::clsSprintf::TreatBackSlash(text); }

std::string WithBackslash(const std::string& folder) {
  return !folder.empty() && folder.back() == '\\' ? folder : folder + "\\";
}

std::string FileNameOf(const std::string& path) {
  const size_t slash = path.find_last_of('\\');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

SelectionWalk::SelectionWalk(FolderSource& source, bool shortNames, Progress progress)
    : m_source(source), m_shortNames(shortNames), m_progress(std::move(progress)) {}

std::string SelectionWalk::Shown(const std::string& path, bool quoteIfSpaces) {
  if (m_shortNames) return m_source.ShortPath(path);
  if (quoteIfSpaces && path.find(' ') != std::string::npos) return "\"" + path + "\"";
  return path;
}

void SelectionWalk::Walk(const std::vector<std::string>& selected, bool recursive, const Visit& visit) {
  m_stopped = false;
  m_entered.clear();
  for (const std::string& name : selected) {
    const bool directory = m_source.IsDirectory(name);
    visit(name, directory);
    if (recursive && directory) WalkFolder(name, visit);
    if (m_stopped) break;
  }
}

void SelectionWalk::WalkFolder(const std::string& folder, const Visit& visit) {
  // A folder reached again (a link back up the tree, or the same folder
  // selected twice) is not entered again.
  const std::string identity = m_source.Identity(folder);
  if (!identity.empty()) {
    if (std::find(m_entered.begin(), m_entered.end(), identity) != m_entered.end()) return;
    m_entered.push_back(identity);
  }
  const std::string base = WithBackslash(folder);
  for (const WalkEntry& entry : m_source.List(base)) {
    if (entry.name == "." || entry.name == "..") continue;
    const std::string path = base + entry.name;
    visit(path, entry.directory);
    if (entry.directory && !entry.reparse) {
      if (m_progress && !m_progress(path)) m_stopped = true;
      if (!m_stopped) WalkFolder(path, visit);
    }
    if (m_stopped) return;
  }
}

std::string SelectionWalk::ClipboardList(const std::vector<std::string>& selected, bool recursive) {
  std::string text;
  Walk(selected, recursive, [&](const std::string& path, bool) { text += Shown(path, false) + "\r\n"; });
  return text;
}

TaskLists SelectionWalk::TaskList(const std::vector<std::string>& selected, bool recursive, const TaskTexts& texts) {
  // The escapes are expanded for this run only; the item keeps what the
  // user typed.
  const std::string cmdPrefix = Expanded(texts.cmdPrefix), cmdSuffix = Expanded(texts.cmdSuffix);
  const std::string filePrefix = Expanded(texts.filePrefix), fileSuffix = Expanded(texts.fileSuffix);
  TaskLists lists;
  Walk(selected, recursive, [&](const std::string& path, bool directory) {
    // The filter sees the long name; only the lists show the short one.
    if (!TaskFilterQualifies(path, directory, texts.filter)) return;
    const std::string shown = Shown(path, texts.quoteIfSpaces);
    lists.cmdLine += cmdPrefix + shown + cmdSuffix;
    lists.file += filePrefix + shown + fileSuffix;
    ++lists.qualified;
  });
  return lists;
}

bool TaskFilterQualifies(const std::string& path, bool directory, const std::string& filter) {
  if (filter.empty()) return true;
  if (directory) return false;
  return common::FilterMatchNoCase(path, filter) || common::FilterMatchNoCase(FileNameOf(path), filter);
}

std::optional<std::string> AbsoluteDestination(const std::string& destination, const std::string& currentFolder) {
  std::string path = base::Trim(destination);
  for (char& c : path)
    if (c == '/') c = '\\';
  if (path.empty()) return std::nullopt;
  const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
  const bool network = path.size() >= 3 && path[0] == '\\' && path[1] == '\\';
  std::string root;
  std::string rest;
  if (drive) {
    root = path.substr(0, 3);
    rest = path.substr(3);
  } else if (network) {
    // \\server\share is the root of a network path.
    const size_t share = path.find('\\', 2);
    if (share == std::string::npos || share == 2) return std::nullopt;
    const size_t end = path.find('\\', share + 1);
    root = path.substr(0, end == std::string::npos ? path.size() : end) + "\\";
    rest = end == std::string::npos ? "" : path.substr(end + 1);
  } else {
    // "C:dir" and "\dir" lean on a drive's or the process's current folder:
    // only a plain relative path is joined to the menu's folder.
    if (path[0] == '\\' || (path.size() >= 2 && path[1] == ':')) return std::nullopt;
    std::optional<std::string> base = AbsoluteDestination(currentFolder, "");
    if (!base) return std::nullopt;
    return AbsoluteDestination(WithBackslash(*base) + path, "");
  }
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= rest.size()) {
    const size_t next = rest.find('\\', start);
    const std::string part = rest.substr(start, next == std::string::npos ? std::string::npos : next - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    if (next == std::string::npos) break;
    start = next + 1;
  }
  std::string result = root;
  for (size_t i = 0; i < parts.size(); ++i) result += (i ? "\\" : "") + parts[i];
  return result;
}

}  // namespace shellext
