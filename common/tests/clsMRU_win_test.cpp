// What a saved list looks like to other programs reading the registry.
#include <windows.h>

#include <gtest/gtest.h>

#include "common/clsMRU.h"
#include "common/tests/testkey.h"

namespace {

DWORD TypeOf(const std::string& key, const std::string& value) {
  DWORD type = 0;
  HKEY k = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &k) != ERROR_SUCCESS) return 0;
  RegQueryValueExA(k, value.c_str(), nullptr, &type, nullptr, nullptr);
  RegCloseKey(k);
  return type;
}

}  // namespace

TEST(MruRegistry, CountIsADwordAndEntriesAreStrings) {
  common_test::TestKey key;
  common::clsMRU list;
  list.SetPath(key.Path() + "\\Fennick\\HistoryMRU\\");  // missing keys along the path are made
  ASSERT_TRUE(list.Load(3));
  list.AddFile("one");
  list.AddFile("two");
  ASSERT_TRUE(list.Save());
  const std::string path = key.Path() + "\\Fennick\\HistoryMRU";
  EXPECT_EQ(TypeOf(path, "MruFileCount"), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(TypeOf(path, "Mru1"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(TypeOf(path, "Mru2"), static_cast<DWORD>(REG_SZ));
  EXPECT_EQ(TypeOf(path, "Mru3"), 0u);
}

TEST(MruRegistry, ASaveTheRegistryRefusesIsReportedAsAFailure) {
  common_test::TestKey key;
  common::clsMRU list;
  // A key name longer than the registry allows (255 characters).
  list.SetPath(key.Path() + "\\" + std::string(300, 'k') + "\\");
  list.SetMaxFileCount(2);
  list.AddFile("entry");
  EXPECT_FALSE(list.Save());
}
