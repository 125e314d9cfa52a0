#include "tools/shellhost/selection_win.h"

#include <shlwapi.h>

#include "base/handles.h"

namespace shellhost {

namespace {

bool IsDirectory(const std::string& path) {
  DWORD attrs = GetFileAttributesA(path.c_str());
  return attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_DIRECTORY);
}

std::string DefaultValue(const std::string& key) {
  char buf[512];
  LONG size = sizeof buf;
  if (RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), buf, &size) != ERROR_SUCCESS || size <= 1) return {};
  return std::string(buf, static_cast<size_t>(size - 1));
}

bool ClassKeyExists(const std::string& key) {
  base::UniqueHKey h;
  return RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, h.put()) == ERROR_SUCCESS;
}

// Where a shell looks for a file's handlers: its extension's ProgID, then
// every file's "*".
std::vector<std::string> FileClassKeys(const std::string& path) {
  std::vector<std::string> keys;
  const char* ext = PathFindExtensionA(path.c_str());
  if (ext && *ext) {
    std::string progId = DefaultValue(ext);
    if (!progId.empty() && ClassKeyExists(progId)) keys.push_back(progId);
  }
  keys.push_back("*");
  return keys;
}

// The focused item, the first, decides the class keys, as in a shell.
void ClassifyFirst(const std::string& path, Selection& s) {
  const std::string full = common::FullShellPath(path);
  if (PathIsRootA(full.c_str())) {
    s.kind = SelectionKind::Drive;
    s.classKeys = {"Drive", "Folder"};
  } else if (IsDirectory(full)) {
    s.kind = SelectionKind::Folder;
    s.classKeys = {"Directory", "Folder"};
  } else {
    s.kind = SelectionKind::Files;
    s.classKeys = FileClassKeys(full);
  }
}

}  // namespace

Selection ResolveSelection(const Options& options, HWND owner) {
  Selection s;
  if (options.background) {
    s.kind = SelectionKind::Background;
    s.shell = common::SelectShellBackground(options.paths.front());
    s.classKeys = {"Directory\\Background"};
    return s;
  }
  s.shell = common::SelectShellItems(options.paths, owner);
  ClassifyFirst(options.paths.front(), s);
  return s;
}

}  // namespace shellhost
