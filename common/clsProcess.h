// The running programs: which executable owns a window, and which
// executables are running. The 9x family is asked through Toolhelp32
// snapshots, the NT family through the process-status functions; every
// operation asks which family it runs on first.
#pragma once
#include <windows.h>
#include <tlhelp32.h>

#include <cstdint>
#include <string>
#include <vector>

namespace common {

class clsProcess {
 public:
  // The process that owns the window (0 when there is no such window).
  DWORD GetProcessIdViaHwnd(HWND hwnd);
  // The full path of the executable behind the window, "" when not found.
  std::string GetExeViaHwnd(HWND hwnd);
  // The executable of a process. The 9x family gives the module name and the
  // path, the NT family the path only.
  bool GetNamesViaId(DWORD processId, std::string& name, std::string& path);
  // The executables running, in the platform's process order: paths[0] to
  // paths[n-1] and a spare "" at paths[n]; n is returned. When nothing is
  // found, paths is left as it was.
  std::int32_t GetExeList(std::vector<std::string>& paths);
  // Asks every thread of the process to quit; true when it had a thread.
  bool CloseProcess(DWORD processId);
  // The identifiers of the running processes (NT family): ids[1] to ids[n],
  // ids[0] not used; n is returned.
  std::int32_t GetProcesses(std::vector<DWORD>& ids);

 private:
  bool FindProcessModule(DWORD processId, DWORD moduleId, MODULEENTRY32& entry);
  bool FindThread(DWORD processId, DWORD threadId, THREADENTRY32& entry);
  static std::string TrimAtNull(const char* text, size_t size);
  DWORD GetPlatformId();
};

// The process list of this thread.
clsProcess& g_oProcess();

}  // namespace common
