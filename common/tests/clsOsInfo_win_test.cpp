#include "common/clsOsInfo.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>

#include "base/tests/testing.h"

namespace {

using common::g_oOsInfo;

TEST(OsInfo, GuidHasTheStandardThirtyEightCharacterForm) {
  std::string a = g_oOsInfo().GUID(), b = g_oOsInfo().GUID();
  const std::regex form(R"(\{[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}\})");
  EXPECT_TRUE(std::regex_match(a, form)) << a;
  EXPECT_EQ(a.size(), 38u);
  EXPECT_NE(a, b);
}

TEST(OsInfo, VersionFactsTellTheNtFamily) {
  OSVERSIONINFOA v{};
  v.dwOSVersionInfoSize = sizeof v;
  ASSERT_TRUE(GetVersionExA(&v));
  EXPECT_EQ(g_oOsInfo().IsNT(), 2) << "2, not 1 or true";
  EXPECT_EQ(g_oOsInfo().IsWindows(), 0);
  EXPECT_EQ(g_oOsInfo().WindowsType(), 2);
  EXPECT_EQ(g_oOsInfo().OSMajorVersion(), static_cast<std::int32_t>(v.dwMajorVersion));
  EXPECT_EQ(g_oOsInfo().OSMinorVersion(), static_cast<std::int32_t>(v.dwMinorVersion));
  EXPECT_EQ(g_oOsInfo().OSBuild(), static_cast<std::int32_t>(v.dwBuildNumber & 0x7FFF));
}

TEST(OsInfo, NamesAndFolders) {
  EXPECT_FALSE(g_oOsInfo().ComputerName().empty());
  EXPECT_FALSE(g_oOsInfo().UserName().empty());
  EXPECT_EQ(g_oOsInfo().Language(), "English");
  std::string windows = g_oOsInfo().WindowsDirectory(), system = g_oOsInfo().SystemDirectory();
  EXPECT_EQ(GetFileAttributesA(windows.c_str()) & FILE_ATTRIBUTE_DIRECTORY, DWORD(FILE_ATTRIBUTE_DIRECTORY));
  EXPECT_EQ(system.rfind(windows, 0), 0u) << system;
  std::string temp = g_oOsInfo().TempPath();
  ASSERT_FALSE(temp.empty());
  EXPECT_EQ(temp.back(), '\\');
}

TEST(OsInfo, TempFileNamesAFileWithoutMakingIt) {
  std::string first = g_oOsInfo().TempFile("VRK"), second = g_oOsInfo().TempFile("VRK");
  EXPECT_EQ(first, second);
  EXPECT_EQ(first.rfind(g_oOsInfo().TempPath(), 0), 0u) << first;
  EXPECT_NE(first.find("VRK"), std::string::npos);
  EXPECT_EQ(GetFileAttributesA(first.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(OsInfo, SetupNamesComeFromTheSetupKeyWhenThereIsOne) {
  const char* path = "Software\\Microsoft\\MS Setup (ACME)\\User Info";
  HKEY existing = nullptr;
  ASSERT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &existing), ERROR_SUCCESS)
      << "the prefix has no setup key of its own";
  EXPECT_EQ(g_oOsInfo().DefaultUserName(), "");
  EXPECT_EQ(g_oOsInfo().DefaultCompanyName(), "");

  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "DefName", 0, REG_SZ, reinterpret_cast<const BYTE*>("Ann\0junk"), 9);
  RegSetValueExA(key, "DefCompany", 0, REG_SZ, reinterpret_cast<const BYTE*>("Brindlewick"), 12);
  RegCloseKey(key);
  EXPECT_EQ(g_oOsInfo().DefaultUserName(), "Ann");
  EXPECT_EQ(g_oOsInfo().DefaultCompanyName(), "Brindlewick");
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Microsoft\\MS Setup (ACME)");
  RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Microsoft\\MS Setup (ACME)");
}

TEST(OsInfo, DisplayFacts) {
  HDC screen = GetDC(nullptr);
  int bits = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  EXPECT_EQ(g_oOsInfo().DisplayColors(), bits == 32 ? -1 : (1 << bits));
  EXPECT_EQ(g_oOsInfo().LargeFonts(), dpi == 120);

  RECT area;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  std::int16_t left = -1, top = -1, width = -1, height = -1;
  g_oOsInfo().GetWorkArea(left, top, width, height);
  EXPECT_EQ(left, area.left);
  EXPECT_EQ(top, area.top);
  EXPECT_EQ(width, area.right - area.left);
  EXPECT_EQ(height, area.bottom - area.top);
}

TEST(OsInfo, SystemSettingsGoBothWays) {
  testing_support::PromptRecorder prompts;
  bool beep = g_oOsInfo().Beep();
  g_oOsInfo().SetBeep(!beep);
  EXPECT_EQ(g_oOsInfo().Beep(), !beep);
  g_oOsInfo().SetBeep(beep);
  std::int32_t timeout = g_oOsInfo().ScreenSaverTimeout();
  g_oOsInfo().SetScreenSaverTimeout(timeout + 60);
  EXPECT_EQ(g_oOsInfo().ScreenSaverTimeout(), timeout + 60);
  g_oOsInfo().SetScreenSaverTimeout(timeout);
  EXPECT_TRUE(prompts.Prompts().empty());
}

}  // namespace
