#include "common/appinfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <thread>

#include "base/context.h"
#include "base/tests/testing.h"

namespace {

// The same folder, however each side spells it (long or short names, case).
bool EqualsFolder(const std::string& a, const std::string& b) {
  char la[MAX_PATH] = {}, lb[MAX_PATH] = {};
  GetLongPathNameA(a.c_str(), la, MAX_PATH);
  GetLongPathNameA(b.c_str(), lb, MAX_PATH);
  return lstrcmpiA(la, lb) == 0;
}

TEST(AppInfo, TextsComeFromOurOwnVersionResource) {
  EXPECT_EQ(common::ProductName(), "Corvane Test Kit");
  EXPECT_EQ(common::ApplicationTitle(), "Common Services Tests");
  EXPECT_EQ(common::LegalCopyright(), "Copyright (C) Brindlewick");
  EXPECT_EQ(common::ShellAppTitle(), "Corvane Test Kit - Common Services Tests");
  EXPECT_EQ(common::ModuleVersionString("NoSuchField"), "");
}

TEST(AppInfo, ProgramFolderIsTheFolderOfTheModuleThatHoldsUs) {
  // Linked statically into this program, our module is the program itself.
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string own(path, n);
  std::string folder = common::ProgramFolder();
  EXPECT_EQ(folder, own.substr(0, own.find_last_of('\\')));
  EXPECT_NE(folder.back(), '\\');
}

TEST(AppInfo, ALibraryInAnotherProgramFindsItsOwnFolderAndTexts) {
  // The probe library is built beside this program; loaded from a folder of
  // its own, it must answer with that folder, not this program's.
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string built = std::string(path, n);
  built = built.substr(0, built.find_last_of('\\')) + "\\appinfo_probe.dll";
  testing_support::TempDir dir;
  std::string copy = dir.File("appinfo_probe.dll");
  ASSERT_TRUE(CopyFileA(built.c_str(), copy.c_str(), FALSE)) << built;
  HMODULE probe = LoadLibraryA(copy.c_str());
  ASSERT_NE(probe, nullptr);
  using ProbeText = int (*)(int, char*, int);
  auto text = reinterpret_cast<ProbeText>(reinterpret_cast<void*>(GetProcAddress(probe, "ProbeText")));
  ASSERT_NE(text, nullptr);
  char out[MAX_PATH];
  ASSERT_GT(text(0, out, sizeof out), 0);
  EXPECT_TRUE(EqualsFolder(out, dir.Path())) << out;
  ASSERT_GT(text(1, out, sizeof out), 0);
  EXPECT_STREQ(out, "Probe Product - Probe Library");
  FreeLibrary(probe);
}

TEST(AppInfo, TheTitleIsPerThread) {
  common::g_szAppTitle() = "Main thread";
  std::string seen = "unset";
  std::thread([&] {
    seen = common::g_szAppTitle();
    common::g_szAppTitle() = "Other";
    base::ThreadContext::DestroyCurrent();
  }).join();
  EXPECT_EQ(seen, "");
  EXPECT_EQ(common::g_szAppTitle(), "Main thread");
}

}  // namespace
