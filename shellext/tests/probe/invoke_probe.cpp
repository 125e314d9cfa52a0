// A program that Fennick's commands start in the tests: it writes its
// command line and its current folder, one per line, to the file that the
// variable CORVANE_PROBE_OUT names, and ends.
#include <windows.h>

#include <string>

int main() {
  char out[MAX_PATH] = {};
  if (!GetEnvironmentVariableA("CORVANE_PROBE_OUT", out, sizeof out)) return 2;
  char folder[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof folder, folder);
  const std::string text = std::string(GetCommandLineA()) + "\n" + folder + "\n";
  HANDLE file = CreateFileA(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 3;
  DWORD written = 0;
  WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(file);
  return 0;
}
