#include "base/handles.h"

#include <psapi.h>

#include "base/context.h"
#include "common/clsProcess.h"

namespace common {

namespace {

// Executable paths are read into buffers of this size.
constexpr DWORD kPathSize = MAX_PATH;

// Walks a Toolhelp32 snapshot until visit returns true; true when it did.
// A snapshot that cannot be taken has nothing in it.
template <class Entry, class Visit>
bool WalkSnapshot(DWORD flags, DWORD processId, BOOL(WINAPI* first)(HANDLE, Entry*),
                  BOOL(WINAPI* next)(HANDLE, Entry*), Entry& entry, Visit visit) {
  base::UniqueFile snap(CreateToolhelp32Snapshot(flags, processId));
  if (!snap) return false;
  entry.dwSize = sizeof entry;
  for (BOOL more = first(snap.get(), &entry); more; more = next(snap.get(), &entry))
    if (visit()) return true;
  return false;
}

// The executable of a running process on the NT family. The module list is
// what the older systems offer; it fails for a process of the other bitness
// and for processes that may not be read, where the image name still answers
// to the limited query right of current systems.
std::string ExePathOf(DWORD processId) {
  char path[kPathSize];
  base::UniqueHandleObj process(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
  if (process) {
    HMODULE modules[50];
    DWORD needed = 0;
    if (EnumProcessModules(process.get(), modules, sizeof modules, &needed) && needed > 0) {
      DWORD n = GetModuleFileNameExA(process.get(), modules[0], path, kPathSize);
      if (n > 0) return std::string(path, n);
    }
  }
  process.reset(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
  if (!process) return {};
  DWORD size = kPathSize;
  if (!QueryFullProcessImageNameA(process.get(), 0, path, &size) || size == 0) return {};
  return std::string(path, size);
}

}  // namespace

DWORD clsProcess::GetProcessIdViaHwnd(HWND hwnd) {
  DWORD processId = 0;
  GetWindowThreadProcessId(hwnd, &processId);
  return processId;
}

std::string clsProcess::GetExeViaHwnd(HWND hwnd) {
  std::string name, path;
  DWORD processId = GetProcessIdViaHwnd(hwnd);
  if (processId == 0 || !GetNamesViaId(processId, name, path)) return {};
  return path;
}

bool clsProcess::GetNamesViaId(DWORD processId, std::string& name, std::string& path) {
  switch (GetPlatformId()) {
    case VER_PLATFORM_WIN32_WINDOWS: {
      PROCESSENTRY32 entry{};
      MODULEENTRY32 module{};
      if (!WalkSnapshot(TH32CS_SNAPPROCESS, 0, Process32First, Process32Next, entry, [&] {
            return entry.th32ProcessID == processId &&
                   FindProcessModule(processId, entry.th32ModuleID, module);
          }))
        return false;
      name = TrimAtNull(module.szModule, sizeof module.szModule);
      path = TrimAtNull(module.szExePath, sizeof module.szExePath);
      return true;
    }
    case VER_PLATFORM_WIN32_NT: {
      std::string found = ExePathOf(processId);
      if (found.empty()) return false;
      path = found;
      return true;
    }
    default:
      return false;
  }
}

std::int32_t clsProcess::GetExeList(std::vector<std::string>& paths) {
  std::vector<std::string> found;
  switch (GetPlatformId()) {
    case VER_PLATFORM_WIN32_WINDOWS: {
      PROCESSENTRY32 entry{};
      WalkSnapshot(TH32CS_SNAPPROCESS, 0, Process32First, Process32Next, entry, [&] {
        MODULEENTRY32 module{};
        if (!FindProcessModule(entry.th32ProcessID, entry.th32ModuleID, module)) return false;
        std::string exe = TrimAtNull(entry.szExeFile, sizeof entry.szExeFile);
        if (!exe.empty() && exe[0] != '[' && exe != "System") found.push_back(exe);
        return false;
      });
      break;
    }
    case VER_PLATFORM_WIN32_NT: {
      std::vector<DWORD> ids;
      std::int32_t n = GetProcesses(ids);
      for (std::int32_t i = 1; i <= n; ++i) {
        std::string exe = ExePathOf(ids[static_cast<size_t>(i)]);
        if (!exe.empty()) found.push_back(exe);
      }
      break;
    }
    default:
      break;
  }
  if (found.empty()) return 0;
  paths = std::move(found);
  paths.emplace_back();
  return static_cast<std::int32_t>(paths.size() - 1);
}

bool clsProcess::CloseProcess(DWORD processId) {
  bool result = false;
  THREADENTRY32 entry{};
  WalkSnapshot(TH32CS_SNAPTHREAD, processId, Thread32First, Thread32Next, entry, [&] {
    if (entry.th32OwnerProcessID == processId) {
      PostThreadMessageA(entry.th32ThreadID, WM_QUIT, 0, 0);
      result = true;
    }
    return false;
  });
  return result;
}

std::int32_t clsProcess::GetProcesses(std::vector<DWORD>& ids) {
  DWORD bytes = 16;
  DWORD returned = 0;
  for (;;) {
    ids.assign(bytes / sizeof(DWORD) + 1, 0);
    if (!EnumProcesses(ids.data() + 1, bytes, &returned)) returned = 0;
    // A full buffer may have cut the list short.
    if (returned < bytes) break;
    bytes *= 2;
  }
  std::int32_t n = static_cast<std::int32_t>(returned / sizeof(DWORD));
  ids.resize(static_cast<size_t>(n) + 1);
  return n;
}

bool clsProcess::FindProcessModule(DWORD processId, DWORD moduleId, MODULEENTRY32& entry) {
  return WalkSnapshot(TH32CS_SNAPMODULE, processId, Module32First, Module32Next, entry,
                      [&] { return entry.th32ModuleID == moduleId; });
}

bool clsProcess::FindThread(DWORD processId, DWORD threadId, THREADENTRY32& entry) {
  return WalkSnapshot(TH32CS_SNAPTHREAD, processId, Thread32First, Thread32Next, entry,
                      [&] { return entry.th32ThreadID == threadId; });
}

std::string clsProcess::TrimAtNull(const char* text, size_t size) {
  size_t n = 0;
  while (n < size && text[n] != '\0') ++n;
  return std::string(text, n);
}

DWORD clsProcess::GetPlatformId() {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  return GetVersionExA(&info) ? info.dwPlatformId : 0;
}

clsProcess& g_oProcess() { return base::ThreadContext::Current().Get<clsProcess>(); }

}  // namespace common
