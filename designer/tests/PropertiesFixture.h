// What the properties dialog's tests share: a shell that answers the
// pickers from a script and knows a few special folders, two of one name.
#pragma once
#include <cstdint>
#include <deque>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/error.h"
#include "designer/PropertyPickers.h"

namespace designer_test {

class FakeShell : public designer::PropertyShell {
 public:
  // What the next pickers answer, in order; a picker with nothing queued
  // is cancelled.
  std::deque<std::optional<designer::PickedFolder>> folders;
  std::deque<std::optional<std::string>> files;
  bool fileDialogRefuses = false;  // the file dialog raises 5, as for an over-long path
  std::set<std::string> existing;  // the files that exist
  std::vector<std::string> asked;  // "folder <title> <initial>" / "file <initial>"

  std::optional<designer::PickedFolder> PickFolder(const std::string& title, const std::string& initial) override {
    asked.push_back("folder " + title + " " + initial);
    if (folders.empty()) return std::nullopt;
    auto answer = folders.front();
    folders.pop_front();
    return answer;
  }
  std::optional<std::string> PickFile(const std::string& initial) override {
    asked.push_back("file " + initial);
    if (fileDialogRefuses) base::RaiseError(base::kErrInvalidCall, "clsOpenSave.ShowOpen", "Invalid procedure call or argument");
    if (files.empty()) return std::nullopt;
    auto answer = files.front();
    files.pop_front();
    return answer;
  }
  std::vector<std::pair<std::int32_t, std::string>> SpecialFolders() override {
    return {{5, "Documents"}, {12, "Documents"}, {16, "Desktop"}, {25, "Common Desktop"}, {38, "Program Files"}};
  }
  std::string SpecialFolderName(std::int32_t csidl) override {
    if (csidl == 0) return "Desktop";
    for (const auto& [n, name] : SpecialFolders())
      if (n == csidl) return name;
    return "";
  }
  std::string FileDisplayName(const std::string& path) override {
    const auto slash = path.find_last_of("\\/");
    return "<" + (slash == std::string::npos ? path : path.substr(slash + 1)) + ">";
  }
  bool FileExists(const std::string& path) override { return existing.count(path) > 0; }
};

}  // namespace designer_test
