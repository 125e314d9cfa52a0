// The registry calls against values planted and read back with the Win32
// calls themselves, and the settings-file mode against real INI files.
#include <winsock2.h>  // before windows.h, as base/handles.h needs
#include <windows.h>

#include <gtest/gtest.h>

#include <map>

#include "base/handles.h"
#include "base/tests/testing.h"
#include "common/modRegistry.h"
#include "common/tests/testkey.h"

namespace {

using base::Variant;
using common::RegistryGetValue;
using common::RegistrySetValue;
using common_test::TestKey;
using testing_support::TempDir;

void Plant(const TestKey& key, const char* name, DWORD type, const std::string& bytes) {
  base::UniqueHKey k;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, k.put(),
                            nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegSetValueExA(k.get(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                           static_cast<DWORD>(bytes.size())),
            ERROR_SUCCESS);
}

struct Stored {
  DWORD type;
  std::string bytes;
};

std::map<std::string, Stored> Enumerate(const TestKey& key) {
  std::map<std::string, Stored> values;
  base::UniqueHKey k;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.Path().c_str(), 0, KEY_QUERY_VALUE, k.put()) != ERROR_SUCCESS)
    return values;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name, type = 0, size = 4096;
    std::string data(size, '\0');
    if (RegEnumValueA(k.get(), i, name, &nameSize, nullptr, &type, reinterpret_cast<BYTE*>(data.data()), &size) !=
        ERROR_SUCCESS)
      break;
    data.resize(size);
    values[name] = Stored{type, data};
  }
  return values;
}

TEST(RegistryWin, StoredTextsComeBackWholeByTheirStoredLength) {
  TestKey key;
  Plant(key, "NoTerminator", REG_SZ, "abc");
  Plant(key, "OnlyTerminator", REG_SZ, std::string(1, '\0'));
  Plant(key, "NoBytes", REG_SZ, "");
  Plant(key, "Inner", REG_SZ, std::string("a\0b\0", 4));
  struct Case {
    const char* name;
    std::string expected;
  } cases[] = {
      {"NoTerminator", "abc"},  // nothing is taken for a terminator that is not there
      {"OnlyTerminator", ""},
      {"NoBytes", "default"},
      {"Inner", std::string("a\0b", 3)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string out;
    EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), c.name, "S", "default", out), 0);
    EXPECT_EQ(out, c.expected);
  }
}

TEST(RegistryWin, FixedSizeReadsOfLargerValuesFailAndSmallerOnesFit) {
  TestKey key;
  Plant(key, "Eight", REG_BINARY, std::string(8, '\x01'));
  Plant(key, "Three", REG_BINARY, std::string(3, '\x01'));
  Plant(key, "One", REG_BINARY, std::string(1, '\x07'));
  std::int32_t number = 9;
  bool flag = false;
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Eight", "D", 9, number), ERROR_MORE_DATA);
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Eight", "BOOL", false, flag), ERROR_MORE_DATA);
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Three", "B", false, flag), ERROR_MORE_DATA);
  EXPECT_EQ(number, 9);
  EXPECT_FALSE(flag);
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "One", "D", 9, number), 0);
  EXPECT_EQ(number, 7);
}

TEST(RegistryWin, WritesStoreTheirTypesAndFullLengths) {
  TestKey key;
  std::string enciphered("x\0y\r\n\xFF", 6);
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Text", "S", "ab"), 0);
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Enciphered", "S", enciphered), 0);
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Flag", "B", true), 0);
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Bool", "BOOL", true), 0);
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Number", "D", -2), 0);
  auto values = Enumerate(key);
  ASSERT_EQ(values.size(), 5u);
  EXPECT_EQ(values["Text"].type, DWORD(REG_SZ));
  EXPECT_EQ(values["Text"].bytes, std::string("ab\0", 3));
  EXPECT_EQ(values["Enciphered"].type, DWORD(REG_SZ));
  EXPECT_EQ(values["Enciphered"].bytes, enciphered + std::string(1, '\0'));
  EXPECT_EQ(values["Flag"].type, DWORD(REG_BINARY));
  EXPECT_EQ(values["Flag"].bytes, "\xFF\xFF");
  EXPECT_EQ(values["Bool"].type, DWORD(REG_DWORD));
  EXPECT_EQ(values["Bool"].bytes, std::string("\x01\0\0\0", 4));
  EXPECT_EQ(values["Number"].type, DWORD(REG_DWORD));
  EXPECT_EQ(values["Number"].bytes, "\xFE\xFF\xFF\xFF");
}

TEST(RegistryWin, AnotherTypeWordStillMakesTheKey) {
  TestKey key;
  EXPECT_EQ(RegistrySetValue("HKCU", key.Path() + "\\Deeper", "V", "X", 1), 0);
  base::UniqueHKey k;
  EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, (key.Path() + "\\Deeper").c_str(), 0, KEY_QUERY_VALUE, k.put()),
            ERROR_SUCCESS);
  EXPECT_TRUE(Enumerate(key).empty());
}

TEST(SettingsFile, TextsAndNumbersThroughTheProfileCalls) {
  TempDir dir;
  std::string ini = dir.File("settings.ini");
  testing_support::WriteFileBytes(ini, "[Main]\r\nCount=12\r\nName=Corvane\r\n");
  std::string text;
  std::int32_t number = 5;
  EXPECT_EQ(RegistryGetValue(ini, "Main", "Name", "S", "none", text), 0);
  EXPECT_EQ(text, "Corvane");
  EXPECT_EQ(RegistryGetValue(ini, "Main", "Count", "D", 5, number), 0);
  EXPECT_EQ(number, 12);
  EXPECT_EQ(RegistryGetValue(ini, "Main", "Missing", "D", 5, number), 0);
  EXPECT_EQ(number, 0) << "a missing number reads as 0, not as the default";
  EXPECT_EQ(RegistryGetValue(ini, "Main", "Missing", "S", "fallback", text), 0);
  EXPECT_EQ(text, "fallback");

  EXPECT_EQ(RegistrySetValue(ini, "Other", "Long", "S", std::string(300, 'z')), 0);
  EXPECT_EQ(RegistryGetValue(ini, "Other", "Long", "S", "", text), 0);
  EXPECT_EQ(text, std::string(254, 'z'));
  EXPECT_EQ(RegistrySetValue(ini, "Other", "N", "D", 3), common::kRegUnknownRoot);
}

TEST(SettingsFile, OnlyAnExistingNormalFileIsOne) {
  TempDir dir;
  std::string hidden = dir.File("hidden.ini"), plain = dir.File("plain.ini");
  testing_support::WriteFileBytes(hidden, "[S]\r\n");
  testing_support::WriteFileBytes(plain, "[S]\r\n");
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  struct Case {
    std::string root;
    common::RegRoot::Kind kind;
  } cases[] = {
      {plain, common::RegRoot::SettingsFile},
      {dir.File("p*.ini"), common::RegRoot::SettingsFile},
      {hidden, common::RegRoot::None},
      {dir.Path(), common::RegRoot::None},
      {dir.File("missing.ini"), common::RegRoot::None},
  };
  for (const Case& c : cases) EXPECT_EQ(common::RegRootFromName(c.root).kind, c.kind) << c.root;
  EXPECT_EQ(RegistrySetValue(dir.File("missing.ini"), "S", "V", "S", "x"), common::kRegUnknownRoot);
  EXPECT_EQ(GetFileAttributesA(dir.File("missing.ini").c_str()), INVALID_FILE_ATTRIBUTES) << "never created";
  SetFileAttributesA(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(SettingsFile, AWriteThatFailsSaysSo) {
  TempDir dir;
  std::string ini = dir.File("locked.ini");
  testing_support::WriteFileBytes(ini, "[S]\r\n");
  base::UniqueFile lock(CreateFileA(ini.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
  ASSERT_TRUE(lock);
  EXPECT_NE(RegistrySetValue(ini, "S", "V", "S", "x"), 0);
}

}  // namespace
