// What Sashkit's tests share: the DLL under test, registered machine-wide
// while a test runs (Wine's COM does not find classes registered per user).
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <gtest/gtest.h>

#include <string>

namespace sashkit_testing {

inline std::string DllPath() {
  std::string p = CORVANE_SASHKIT_DLL;
  for (char& c : p)
    if (c == '/') c = '\\';
  return p;
}

// Loads the DLL and calls one of its exports.
inline HRESULT CallExport(const char* name) {
  base::UniqueHModule dll(LoadLibraryA(DllPath().c_str()));
  if (!dll) return HRESULT_FROM_WIN32(GetLastError());
  using Fn = HRESULT(WINAPI*)();
  auto fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(dll.get(), name)));
  return fn ? fn() : E_NOINTERFACE;
}

// Registers Sashkit for the test and removes it again after.
class Registered : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(CallExport("DllRegisterServer"), S_OK); }
  void TearDown() override {
    CoFreeUnusedLibraries();
    EXPECT_EQ(CallExport("DllUnregisterServer"), S_OK);
  }
};

}  // namespace sashkit_testing
