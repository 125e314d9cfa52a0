#include "tools/shellhost/selection_win.h"

#include <shlobj.h>
#include <shlwapi.h>

#include "base/error.h"
#include "base/winstr.h"
#include "tools/shellhost/print_win.h"

namespace shellhost {

namespace {

constexpr char kSource[] = "shellhost";

[[noreturn]] void Fail(long number, const std::string& what, HRESULT hr) {
  base::RaiseError(number, kSource, what + " (" + HResultText(hr) + ")");
}

// The full path, without a trailing separator unless it is a root.
std::string FullPath(const std::string& path) {
  char buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
  if (n == 0 || n >= sizeof buf) base::RaiseError(base::kErrPathNotFound, kSource, "bad path \"" + path + "\"");
  std::string full(buf, n);
  while (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  return full;
}

base::UniquePidl Parse(const std::string& path) {
  base::UniquePidl pidl;
  HRESULT hr = SHParseDisplayName(base::Wide(path).c_str(), nullptr, pidl.put(), 0, nullptr);
  if (FAILED(hr)) Fail(base::kErrFileNotFound, "the shell cannot parse \"" + path + "\"", hr);
  return pidl;
}

std::string DisplayName(IShellFolder* folder, PCUITEMID_CHILD child, SHGDNF flags) {
  STRRET str{};
  if (FAILED(folder->GetDisplayNameOf(child, flags, &str))) return {};
  wchar_t* text = nullptr;
  if (FAILED(StrRetToStrW(&str, child, &text))) return {};
  std::string name = base::Narrow(text);
  CoTaskMemFree(text);
  return name;
}

std::string ParsingName(PCIDLIST_ABSOLUTE pidl) {
  base::ComPtr<IShellFolder> desktop;
  if (FAILED(SHGetDesktopFolder(desktop.put()))) return {};
  return DisplayName(desktop.get(), pidl, SHGDN_FORPARSING);
}

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

Selection Background(const std::string& path) {
  Selection s;
  s.kind = SelectionKind::Background;
  std::string full = FullPath(path);
  if (!IsDirectory(full)) base::RaiseError(base::kErrPathNotFound, kSource, "no folder \"" + full + "\"");
  // The background of a folder has no selection: the handler gets the
  // folder's own identifier list and no data object, and tells it apart from
  // an item menu by that.
  s.folderPidl = Parse(full);
  s.folder = ParsingName(s.folderPidl.get());
  s.folderIsDirectory = true;
  s.classKeys = {"Directory\\Background"};
  return s;
}

}  // namespace

Selection ResolveSelection(const Options& options, HWND owner) {
  if (options.background) return Background(options.paths.front());

  Selection s;
  std::vector<base::UniquePidl> items;
  for (const std::string& path : options.paths) {
    std::string full = FullPath(path);
    if (GetFileAttributesA(full.c_str()) == INVALID_FILE_ATTRIBUTES)
      base::RaiseError(base::kErrFileNotFound, kSource, "no file or folder \"" + full + "\"");
    if (items.empty()) {
      // The focused item, the first, decides the class keys, as in a shell.
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
    base::UniquePidl pidl = Parse(full);
    base::UniquePidl parent(ILClone(pidl.get()));
    if (!parent || !ILRemoveLastID(parent.get()))
      base::RaiseError(base::kErrInvalidCall, kSource, "\"" + full + "\" has no parent folder");
    if (!s.folderPidl)
      s.folderPidl = std::move(parent);
    else if (!ILIsEqual(s.folderPidl.get(), parent.get()))
      base::RaiseError(base::kErrInvalidCall, kSource,
                       "the selected items must share one folder; \"" + full + "\" is elsewhere");
    items.push_back(std::move(pidl));
  }

  base::ComPtr<IShellFolder> folder;
  PCUITEMID_CHILD ignored = nullptr;
  HRESULT hr = SHBindToParent(items.front().get(), IID_IShellFolder, folder.put_void(), &ignored);
  if (FAILED(hr)) Fail(base::kErrInvalidCall, "the shell cannot bind to the items' folder", hr);
  std::vector<PCUITEMID_CHILD> children;
  for (const base::UniquePidl& item : items) {
    children.push_back(ILFindLastID(item.get()));
    s.names.push_back(DisplayName(folder.get(), children.back(), SHGDN_INFOLDER | SHGDN_FORPARSING));
  }
  hr = folder->GetUIObjectOf(owner, static_cast<UINT>(children.size()), children.data(), IID_IDataObject, nullptr,
                             s.dataObject.put_void());
  if (FAILED(hr)) Fail(base::kErrInvalidCall, "the folder gives no data object for the items", hr);
  s.folder = ParsingName(s.folderPidl.get());
  s.folderIsDirectory = IsDirectory(s.folder);
  return s;
}

}  // namespace shellhost
