#include "base/module.h"
#include "shellext/modShellTools.h"

#include <cstring>

#include "base/text.h"
#include "base/winstr.h"
#include "common/SpecialFolders.h"
#include "common/clsTrace.h"
#include "common/shelltools.h"
#include "common/tools.h"
#include "shellext/OpenChoice.h"

namespace shellext {

using common::clsTrace;
using common::g_Debug;
using common::TraceScope;

namespace {

// What the picker's callback needs, passed with the call so that pickers on
// two shell threads never see each other's start path.
struct PickerStart {
  std::string path;
  std::wstring widePath;
  bool expand = true;
};

int CALLBACK BrowseForFolderPidlCallback(HWND dialog, UINT msg, LPARAM value, LPARAM data) noexcept {
  try {
    if (msg == BFFM_INITIALIZED) {
      const auto* start = reinterpret_cast<const PickerStart*>(data);
      if (!start) return 0;
      SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(start->path.c_str()));
      if (start->expand) {
        g_Debug().Output("Expanding");
        SendMessageW(dialog, BFFM_SETEXPANDED, TRUE, reinterpret_cast<LPARAM>(start->widePath.c_str()));
      }
      return 0;
    }
    // The status line and the refusal of a name that names nothing are the
    // general picker's.
    return common::BrowseCallbackProc(dialog, msg, value, 0);
  } catch (...) {
    return 0;
  }
}

bool IsBrowserClass(HWND hwnd) {
  const std::string name = base::LCase(GetWindowClassName(hwnd));
  return name == "cabinetwclass" || name == "explorewclass";
}

}  // namespace

std::string StringFromAnsiPtr(const char* text) { return text ? std::string(text) : std::string(); }

std::string GetWindowClassName(HWND hwnd) {
  char name[600] = {};
  int n = GetClassNameA(hwnd, name, static_cast<int>(sizeof name));
  return n > 0 ? std::string(name, static_cast<size_t>(n)) : std::string();
}

std::int32_t StringToUnicodeBytes(const std::string& text, std::vector<std::uint8_t>& bytes, const void** address) {
  const std::wstring wide = base::Wide(text);
  bytes.assign((wide.size() + 1) * sizeof(wchar_t), 0);
  if (!wide.empty()) std::memcpy(bytes.data(), wide.data(), wide.size() * sizeof(wchar_t));
  if (address) *address = bytes.data();
  return static_cast<std::int32_t>(wide.size() * sizeof(wchar_t));
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string GetFolderOfPath(const std::string& path) {
  std::string folder = path;
  if (!IsDirectory(path)) {
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos) folder = path.substr(0, slash);
  }
  if (folder.size() == 2 && folder[1] == ':') folder += '\\';
  return folder;
}

std::string PidlToPath(PCIDLIST_ABSOLUTE pidl) {
  // A path may be longer than MAX_PATH on later systems; the buffer is the
  // size the shell's ANSI call can fill.
  char path[600] = {};
  std::string result;
  if (pidl && SHGetPathFromIDListA(pidl, path))
    result = common::CutAtNull(std::string(path, sizeof path));
  else
    g_Debug().Output("Error");
  g_Debug().Output([&] { return "Path=" + result + "  Len=" + std::to_string(result.size()); });
  return result;
}

base::UniquePidl GetPidlFromPath(HWND owner, const std::string& path) {
  base::ComPtr<IShellFolder> desktop;
  HRESULT hr = SHGetDesktopFolder(desktop.put());
  if (FAILED(hr)) base::RaiseError(hr, "GetPidlFromPath");
  std::wstring wide = base::Wide(path);
  base::UniquePidl pidl;
  ULONG eaten = 0;
  hr = desktop->ParseDisplayName(owner, nullptr, wide.data(), &eaten, pidl.put(), nullptr);
  if (FAILED(hr)) base::RaiseError(hr, "GetPidlFromPath", "The path '" + path + "' cannot be parsed");
  if (pidl) g_Debug().Output([&] { return "Path=" + PidlToPath(pidl.get()); });
  return pidl;
}

bool IsCurrentFolderCSIDL(HWND owner, std::int32_t csidl, const std::string& path) {
  base::UniquePidl pidl;
  bool result = false;
  if (SUCCEEDED(SHGetSpecialFolderLocation(owner, csidl, pidl.put())) && pidl)
    result = PidlToPath(pidl.get()) == path;
  g_Debug().Output([&] { return std::string("IsCurrentFolderCSIDL=") + (result ? "True" : "False"); });
  return result;
}

bool ShellExecuteChecked(const std::string& file, int show, const std::string& parameters,
                         const std::string& directory, const std::string& operation, HWND owner,
                         base::Error* failure) noexcept {
  try {
    if (!parameters.empty() || !directory.empty())
      g_Debug().Output([&] {
        return "Owner=" + clsTrace::ToHex(owner) + "  Op=" + operation + "  File=" + file +
               "  Parms=" + parameters + "  Def=" + directory + "  Show=" + std::to_string(show);
      });
  } catch (...) {
  }
  return common::ShellExecuteFile(file, show, parameters, directory, operation, owner, failure);
}

std::string ReadInternetShortcutAddress(const std::string& path) {
  // The profile reader looks for a bare name in the Windows folder; the
  // shortcut meant is the one the shell would open.
  std::string full = path;
  char absolute[MAX_PATH * 4] = {};
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof absolute, absolute, nullptr);
  if (length > 0 && length < sizeof absolute) full.assign(absolute, length);
  // A longer address than the buffer holds comes back cut: read again with
  // room to spare rather than open half an address.
  for (DWORD size = 4096; size <= 256 * 1024; size *= 4) {
    std::string address(size, '\0');
    const DWORD n = GetPrivateProfileStringA("InternetShortcut", "URL", "", address.data(), size, full.c_str());
    if (n + 1 < size) {
      address.resize(n);
      return address;
    }
  }
  return "";
}

void OpenFile(const std::string& path, HWND owner) {
  TraceScope scope("OpenFile");
  g_Debug().Output([&] { return "Opening " + path; });
  const OpenChoice choice = ChooseOpen(path, [](const std::string& shortcut) {
    g_Debug().Output("Reading URL");
    return ReadInternetShortcutAddress(shortcut);
  });
  if (IsInternetShortcutPath(path)) g_Debug().Output([&] { return "URL=" + choice.file; });
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.hwnd = owner;
  info.lpFile = choice.file.c_str();
  info.lpParameters = choice.parameters.empty() ? nullptr : choice.parameters.c_str();
  info.nShow = SW_SHOW;
  ShellExecuteExA(&info);
}

void OpenFileEx(PCIDLIST_ABSOLUTE pidl, HWND owner) {
  TraceScope scope("OpenFileEx");
  g_Debug().Output([&] { return clsTrace::ToHex(pidl); });
  const std::string path = PidlToPath(pidl);
  if (!path.empty()) {
    OpenFile(path, owner);
    return;
  }
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_INVOKEIDLIST;
  info.hwnd = owner;
  info.lpIDList = const_cast<LPITEMIDLIST>(pidl);
  info.nShow = SW_SHOW;
  ShellExecuteExA(&info);
}

void OpenFolderViaPidl(PCIDLIST_ABSOLUTE pidl, HWND owner) {
  TraceScope scope("OpenFileEx");
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_CLASSNAME | SEE_MASK_IDLIST | SEE_MASK_FLAG_DDEWAIT;
  info.hwnd = owner;
  info.lpVerb = "open";
  info.lpClass = "Folder";
  info.lpIDList = const_cast<LPITEMIDLIST>(pidl);
  info.nShow = SW_SHOWNORMAL;
  ShellExecuteExA(&info);
}

bool OpenSpecialFolderInExplorer(HWND owner, std::int32_t csidl) {
  TraceScope scope("OpenSpecialFolderInExplorer");
  base::UniquePidl pidl;
  if (FAILED(SHGetSpecialFolderLocation(owner, csidl, pidl.put())) || !pidl) return false;
  g_Debug().Output([&] { return "PIDL=" + clsTrace::ToHex(pidl.get()); });
  SHELLEXECUTEINFOA info = {};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_IDLIST;
  info.nShow = SW_SHOWDEFAULT;
  info.lpIDList = pidl.get();
  return ShellExecuteExA(&info) != FALSE;
}

bool PostTrayCommand(std::uint32_t command) {
  HWND tray = FindWindowA("Shell_TrayWnd", nullptr);
  if (!tray) return false;
  PostMessageA(tray, WM_COMMAND, command, 0);
  return true;
}

void ActivateWindowProcess(HWND hwnd) {
  DWORD processId = 0;
  const DWORD threadId = GetWindowThreadProcessId(hwnd, &processId);
  g_Debug().Output("lThreadId=" + clsTrace::ToHex(static_cast<std::int32_t>(threadId)) +
                   "  lProcessId=" + clsTrace::ToHex(static_cast<std::int32_t>(processId)));
  // The matched window's own top-level window: its program may have other
  // windows, and the keystrokes that follow are meant for this one.
  HWND root = hwnd ? GetAncestor(hwnd, GA_ROOT) : nullptr;
  if (!root) return;
  if (IsIconic(root)) ShowWindow(root, SW_RESTORE);
  SetForegroundWindow(root);
  // The window itself gets the focus when it is part of the caller's
  // thread; another thread's window is focused by its own program.
  if (root != hwnd && GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) SetFocus(hwnd);
}

bool IsBrowserWindowOfThisProcess(HWND hwnd) {
  if (!hwnd || !IsWindow(hwnd)) return false;
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  return processId == GetCurrentProcessId() && IsBrowserClass(hwnd);
}

IShellBrowser* ShellBrowserOf(HWND hwnd) {
  if (!IsBrowserWindowOfThisProcess(hwnd)) return nullptr;
  return reinterpret_cast<IShellBrowser*>(SendMessageA(hwnd, WM_USER + 7, 0, 0));
}

HWND BrowserFrameOf(HWND hwnd) {
  for (HWND w = hwnd ? GetParent(hwnd) : nullptr; w; w = GetParent(w))
    if (IsBrowserClass(w)) return w;
  return nullptr;
}

bool WaitForNewForegroundDialog(HWND before, unsigned milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    HWND now = GetForegroundWindow();
    if (now && now != before && GetWindowClassName(now) == "#32770") return true;
    Sleep(20);
  } while (GetTickCount64() < end);
  return false;
}

bool StartCommandInterpreter(const std::string& folder) {
  char value[MAX_PATH] = {};
  const DWORD n = GetEnvironmentVariableA("COMSPEC", value, sizeof value);
  std::string interpreter = n > 0 && n < sizeof value ? std::string(value, n) : "";
  if (base::Trim(interpreter).empty()) interpreter = "cmd.exe";
  std::string commandLine = "\"" + interpreter + "\" /k";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi{};
  const bool started = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                      folder.empty() ? nullptr : folder.c_str(), &si, &pi) != FALSE;
  if (started) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  g_Debug().Output("CommandPrompt=" + commandLine + (started ? "" : " failed"));
  return started;
}

std::string ModuleFolder() {
  char path[MAX_PATH] = {};
  const DWORD n = GetModuleFileNameA(base::ThisModule(), path, sizeof path);
  std::string folder(path, n);
  const size_t slash = folder.find_last_of('\\');
  return slash == std::string::npos ? folder : folder.substr(0, slash);
}

base::UniquePidl BrowseForFolderPidl(HWND owner, const std::string& title, const std::string& startPath,
                                     UINT extraFlags) {
  PickerStart start{startPath, base::Wide(startPath), true};
  char display[MAX_PATH] = {};
  return common::ShowFolderPicker(
      owner, title, extraFlags | BIF_BROWSEINCLUDEFILES | BIF_BROWSEINCLUDEURLS | BIF_NEWDIALOGSTYLE | BIF_VALIDATE,
      BrowseForFolderPidlCallback, reinterpret_cast<LPARAM>(&start), display);
}

}  // namespace shellext
