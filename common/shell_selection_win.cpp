#include "common/shell_selection_win.h"

#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>

#include "base/error.h"
#include "base/winstr.h"

namespace common {

namespace {

constexpr char kSource[] = "ShellSelection";

[[noreturn]] void Fail(long number, const std::string& what, HRESULT hr) {
  char code[16];
  std::snprintf(code, sizeof code, "0x%08lx", static_cast<unsigned long>(hr));
  base::RaiseError(number, kSource, what + " (" + code + ")");
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

}  // namespace

std::string FullShellPath(const std::string& path) {
  char buf[MAX_PATH * 4];
  DWORD n = GetFullPathNameA(path.c_str(), sizeof buf, buf, nullptr);
  if (n == 0 || n >= sizeof buf) base::RaiseError(base::kErrPathNotFound, kSource, "bad path \"" + path + "\"");
  std::string full(buf, n);
  while (full.size() > 3 && (full.back() == '\\' || full.back() == '/')) full.pop_back();
  return full;
}

ShellSelection SelectShellItems(const std::vector<std::string>& paths, HWND owner) {
  if (paths.empty()) base::RaiseError(base::kErrInvalidCall, kSource, "no item is selected");
  ShellSelection s;
  std::vector<base::UniquePidl> items;
  for (const std::string& path : paths) {
    std::string full = FullShellPath(path);
    if (GetFileAttributesA(full.c_str()) == INVALID_FILE_ATTRIBUTES)
      base::RaiseError(base::kErrFileNotFound, kSource, "no file or folder \"" + full + "\"");
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

ShellSelection SelectShellBackground(const std::string& folder) {
  ShellSelection s;
  std::string full = FullShellPath(folder);
  if (!IsDirectory(full)) base::RaiseError(base::kErrPathNotFound, kSource, "no folder \"" + full + "\"");
  s.folderPidl = Parse(full);
  s.folder = ParsingName(s.folderPidl.get());
  s.folderIsDirectory = true;
  return s;
}

}  // namespace common
