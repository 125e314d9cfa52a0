#include "common/shelltools.h"

#include "base/module.h"
#include "base/prompt.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/resources_win.h"
#include "common/tools.h"

namespace common {

namespace detail {

std::string_view ResourceBytes(const std::string& name, const std::string& type) {
  HMODULE module = base::ThisModule();
  HRSRC found = FindResourceA(module, name.c_str(), type.c_str());
  HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
  const void* data = loaded ? LockResource(loaded) : nullptr;
  if (!data)
    base::RaiseError(326, "LoadResData", "Resource with identifier '" + name + "' not found");
  return std::string_view(static_cast<const char*>(data), SizeofResource(module, found));
}

void ReportResourceFailure(const std::string& name, const base::Error& e) {
  base::Prompt("Error encountered while referencing the resource \"" + name + "\"\r\n\r\n" +
                   e.Description() + " (" + std::to_string(e.Number()) + ")",
               base::kPromptOk | base::kPromptCritical, g_szAppTitle());
}

}  // namespace detail

namespace {

// This deliverable's file name without folder and extension: the source of
// the errors that ShellExecuteFile records.
std::string ProgramName() {
  std::string name = base::ModulePath();
  size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (!file || !WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size())
    base::RaiseError(base::kErrPathFileAccess, "ExtractResourceToTempFile");
}

}  // namespace

bool ShellExecuteFile(const std::string& file, int showCommand, const std::string& parameters,
                      const std::string& directory, const std::string& verb, HWND owner,
                      base::Error* failure) noexcept {
  TraceScope trace("ShellExecuteFile");
  try {
    g_Debug().Output([&] { return "file=" + file; });
    const char* operation = verb.empty() ? nullptr : verb.c_str();
    HINSTANCE answer;
    if (parameters.empty() && directory.empty())
      answer = ShellExecuteA(owner, operation, file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    else
      answer = ShellExecuteA(owner, operation, file.c_str(), parameters.c_str(),
                             directory.empty() ? nullptr : directory.c_str(), showCommand);
    auto result = reinterpret_cast<INT_PTR>(answer);
    g_Debug().Output([&] { return "result=" + std::to_string(static_cast<long long>(result)); });
    if (result > 32 || result < 0) return true;
    if (failure) *failure = ShellExecuteError(static_cast<long>(result), ProgramName());
  } catch (...) {
    if (failure) *failure = base::CurrentError("ShellExecuteFile");
  }
  return false;
}

std::string CreateTempFileName() {
  char folder[1024] = {};
  DWORD n = GetTempPathA(sizeof folder, folder);
  char name[MAX_PATH + 16] = {};
  if (n == 0 || n >= sizeof folder || !GetTempFileNameA(std::string(folder, n).c_str(), "VRK", 0, name))
    base::RaiseError(base::kErrPathFileAccess, "CreateTempFileName");
  return StripNull(std::string(name, sizeof name));
}

std::string GetShortPath(const std::string& path) {
  std::string buffer(512, '\0');
  DWORD n = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  if (n > buffer.size()) {  // the answer is the size it needs
    buffer.resize(n);
    n = GetShortPathNameA(path.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
  }
  if (n == 0 || n > buffer.size()) return path;
  return buffer.substr(0, n);
}

// The initial folder comes with the call, not from a global, so that two
// pickers (on two shell threads) never see each other's.
int CALLBACK BrowseCallbackProc(HWND dialog, UINT msg, LPARAM value, LPARAM data) noexcept {
  try {
    switch (msg) {
      case BFFM_INITIALIZED: {
        const auto* start = reinterpret_cast<const std::string*>(data);
        if (start && !start->empty())
          SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start->c_str()));
        break;
      }
      case BFFM_SELCHANGED: {
        char path[MAX_PATH] = {};
        if (value && SHGetPathFromIDListA(reinterpret_cast<PCIDLIST_ABSOLUTE>(value), path))
          SendMessageA(dialog, BFFM_SETSTATUSTEXTA, 0, reinterpret_cast<LPARAM>(path));
        break;
      }
      case BFFM_VALIDATEFAILEDA:
        base::Prompt("Invalid entry specified!", base::kPromptExclamation, g_szAppTitle());
        return 1;
      default: break;
    }
  } catch (...) {
    // Nothing the picker's helper does may end the picker.
  }
  return 0;
}

base::UniquePidl ShowFolderPicker(HWND owner, const std::string& title, UINT flags, BFFCALLBACK callback,
                                  LPARAM data, char* displayName) {
  base::UniquePidl root;
  SHGetSpecialFolderLocation(owner, CSIDL_DESKTOP, root.put());
  BROWSEINFOA info = {};
  info.hwndOwner = owner;
  info.pidlRoot = root.get();
  info.pszDisplayName = displayName;
  info.lpszTitle = title.c_str();
  info.ulFlags = flags;
  info.lpfn = callback;
  info.lParam = data;
  return base::UniquePidl(SHBrowseForFolderA(&info));
}

std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                            std::string* displayName, UINT flags) {
  TraceScope trace("BrowseForFolder");
  std::string result = initialFolder;
  try {
    std::string start = initialFolder;
    char display[MAX_PATH] = {};
    base::UniquePidl chosen = ShowFolderPicker(
        owner, title, flags | BIF_RETURNONLYFSDIRS | BIF_STATUSTEXT | BIF_EDITBOX | BIF_VALIDATE | BIF_NEWDIALOGSTYLE,
        BrowseCallbackProc, reinterpret_cast<LPARAM>(&start), display);
    // Cancelled: there is no item list, and none is asked about or freed.
    char path[MAX_PATH] = {};
    if (chosen && SHGetPathFromIDListA(chosen.get(), path)) {
      result = StripNull(std::string(path, sizeof path));
      if (displayName) *displayName = StripNull(std::string(display, sizeof display));
    }
    g_Debug().Output([&] { return "folder=" + result; });
  } catch (...) {
    base::ReportTrappedError("BrowseForFolder", base::CurrentError("BrowseForFolder"));
  }
  return result;
}

std::string ExtractResourceToTempFile(const std::string& name, const std::string& type,
                                      const std::string& suffix) {
  TraceScope trace("ExtractResourceToTempFile");
  std::string path = CreateTempFileName();
  std::string_view bytes;
  try {
    bytes = detail::ResourceBytes(name, type);
  } catch (const base::Error& e) {
    DeleteFileA(path.c_str());
    detail::ReportResourceFailure(name, e);
    return {};
  }
  if (!suffix.empty()) {
    // The file the system made is the one that holds the unique name; it
    // takes the suffix rather than staying behind empty.
    std::string named = path + suffix;
    if (!MoveFileA(path.c_str(), named.c_str())) {
      DeleteFileA(path.c_str());
      base::RaiseError(base::kErrPathFileAccess, "ExtractResourceToTempFile");
    }
    path = named;
  }
  try {
    WriteWholeFile(path, bytes);
  } catch (...) {
    DeleteFileA(path.c_str());
    throw;
  }
  return path;
}

std::string GetAppVersion(bool withRevision) {
  base::ModuleVersion version;
  if (!base::ModuleFileVersion(version))
    base::RaiseError(326, "GetAppVersion", "Resource with identifier 'VERSIONINFO' not found");
  return FormatAppVersion(version.major, version.minor, version.revision, withRevision);
}

}  // namespace common
