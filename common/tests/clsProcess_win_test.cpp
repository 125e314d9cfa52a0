// The process list against real processes: this test program and Wine's own
// notepad, started for the test.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "base/tests/program.h"
#include "base/text.h"
#include "common/clsProcess.h"

using common::clsProcess;
using testing_support::StartedProgram;

namespace {

std::string SystemFolder(bool otherBitness) {
  char dir[MAX_PATH] = {};
  GetWindowsDirectoryA(dir, MAX_PATH);
#ifdef _WIN64
  return std::string(dir) + (otherBitness ? "\\syswow64" : "\\system32");
#else
  // A 32-bit program reaches the 64-bit system folder through "sysnative".
  return std::string(dir) + (otherBitness ? "\\sysnative" : "\\system32");
#endif
}

std::string OwnPath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

bool EndsWithNoCase(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && base::EqualsNoCase(text.substr(text.size() - tail.size()), tail);
}

}  // namespace

TEST(ClsProcess, FindsTheProgramBehindAWindowOfEitherBitness) {
  for (bool other : {false, true}) {
    SCOPED_TRACE(other ? "other bitness" : "own bitness");
    // Set by our Wine launcher on a machine that cannot run 32-bit programs.
    if (other && GetEnvironmentVariableA("CORVANE_NO_32BIT", nullptr, 0) != 0) continue;
    StartedProgram notepad(SystemFolder(other) + "\\notepad.exe", "Notepad");
    ASSERT_TRUE(notepad.Window());
    clsProcess p;
    EXPECT_EQ(p.GetProcessIdViaHwnd(notepad.Window()), notepad.ProcessId());
    std::string exe = p.GetExeViaHwnd(notepad.Window());
    EXPECT_TRUE(EndsWithNoCase(exe, "\\notepad.exe")) << exe;
    EXPECT_TRUE(exe.size() > 3 && exe[1] == ':') << exe;

    std::string name = "untouched", path;
    EXPECT_TRUE(p.GetNamesViaId(notepad.ProcessId(), name, path));
    EXPECT_EQ(path, exe);
    EXPECT_EQ(name, "untouched");  // the NT family gives the path only
  }
}

TEST(ClsProcess, UnknownWindowsAndProcessesAreNotFound) {
  clsProcess p;
  HWND gone = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  EXPECT_EQ(p.GetProcessIdViaHwnd(gone), 0u);
  EXPECT_EQ(p.GetExeViaHwnd(gone), "");
  EXPECT_EQ(p.GetExeViaHwnd(nullptr), "");
  std::string name, path = "kept";
  EXPECT_FALSE(p.GetNamesViaId(0xFFFFFFF0u, name, path));
  EXPECT_EQ(path, "kept");
}

TEST(ClsProcess, ListsTheRunningProgramsWithASpareEntry) {
  StartedProgram notepad(SystemFolder(false) + "\\notepad.exe", "Notepad");
  ASSERT_TRUE(notepad.Window());
  clsProcess p;

  std::vector<DWORD> ids;
  std::int32_t n = p.GetProcesses(ids);
  ASSERT_GE(n, 2);
  ASSERT_EQ(ids.size(), static_cast<size_t>(n) + 1);
  EXPECT_NE(std::find(ids.begin() + 1, ids.end(), GetCurrentProcessId()), ids.end());
  EXPECT_NE(std::find(ids.begin() + 1, ids.end(), notepad.ProcessId()), ids.end());

  std::vector<std::string> paths;
  std::int32_t count = p.GetExeList(paths);
  ASSERT_GE(count, 2);
  ASSERT_EQ(paths.size(), static_cast<size_t>(count) + 1);
  EXPECT_EQ(paths.back(), "");
  auto has = [&](const std::string& want) {
    return std::any_of(paths.begin(), paths.end() - 1,
                       [&](const std::string& s) { return base::EqualsNoCase(s, want); });
  };
  EXPECT_TRUE(has(OwnPath()));
  EXPECT_TRUE(has(p.GetExeViaHwnd(notepad.Window())));
}

TEST(ClsProcess, CloseProcessAsksEveryThreadToQuit) {
  StartedProgram notepad(SystemFolder(false) + "\\notepad.exe", "Notepad");
  ASSERT_TRUE(notepad.Window());
  clsProcess p;
  EXPECT_TRUE(p.CloseProcess(notepad.ProcessId()));
  EXPECT_TRUE(notepad.Ends(10000));
  EXPECT_FALSE(p.CloseProcess(notepad.ProcessId()));  // no threads left
}

TEST(ClsProcess, OneListPerThread) {
  clsProcess* here = &common::g_oProcess();
  EXPECT_EQ(here, &common::g_oProcess());
}
