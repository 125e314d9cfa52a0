// The registry calls through their own interface: natively against the
// in-memory registry, under Wine against the prefix's own.
#include "common/modRegistry.h"

#include <gtest/gtest.h>

#include "common/clsTrace.h"
#include "common/tests/testkey.h"

namespace {

using base::Variant;
using common::RegistryGetValue;
using common::RegistrySetValue;
using common_test::TestKey;

std::string AllBytes() {
  std::string bytes;
  for (int i = 1; i < 256; ++i) bytes.push_back(static_cast<char>(i));
  // Enciphered texts hold 0 bytes anywhere, the last place included.
  bytes.insert(10, 1, '\0');
  bytes.insert(0, 1, '\0');
  bytes.push_back('\0');
  return bytes;
}

TEST(Registry, EveryTypeReadsBackWhatWasWritten) {
  TestKey key;
  struct Case {
    const char* name;
    const char* type;
    Variant value;
    Variant expected;
  } cases[] = {
      {"Text", "S", "Some text", "Some text"},
      {"Empty", "S", "", ""},
      {"Bytes", "S", AllBytes(), AllBytes()},
      {"Number", "S", 42, "42"},
      {"FlagOn", "B", true, true},
      {"FlagOff", "B", false, false},
      {"BoolOn", "BOOL", true, true},
      {"BoolOff", "BOOL", false, false},
      {"Negative", "D", -5, -5},
      {"Largest", "D", INT32_MAX, INT32_MAX},
      {"FromText", "D", "17", 17},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), c.name, c.type, c.value), 0);
    Variant out;
    EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), c.name, c.type, "default", out), 0);
    EXPECT_EQ(out.Kind(), c.expected.Kind());
    EXPECT_EQ(out.ToString(), c.expected.ToString());
  }
}

TEST(Registry, AnEncipheredTextWithAZeroByteSurvivesAWriteAndARead) {
  TestKey key;
  common::clsTrace& cipher = common::g_Debug();
  // The key stream does not depend on the data: a plain character equal to
  // its key byte enciphers to 0, as it does now and then in history entries.
  std::string plain = "1,0,\"C:\\Work\",\"Work\"";
  std::string keyStream = cipher.EncryptStringAscii(std::string(plain.size(), '\0'));
  plain[6] = keyStream[6];
  std::string entry = cipher.EncryptStringAscii(plain);
  ASSERT_EQ(entry[6], '\0');
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Mru1", "S", entry), 0);
  std::string back;
  ASSERT_EQ(RegistryGetValue("HKCU", key.Path(), "Mru1", "S", "", back), 0);
  EXPECT_EQ(back, entry);
  EXPECT_EQ(cipher.EncryptStringAscii(back), plain);
}

TEST(Registry, HiveNamesAndTypeWordsIgnoreCase) {
  TestKey key;
  ASSERT_EQ(RegistrySetValue("hkcu", key.Path(), "V", "bool", true), 0);
  bool out = false;
  EXPECT_EQ(RegistryGetValue("Hkcu", key.Path(), "V", "BOOL", false, out), 0);
  EXPECT_TRUE(out);
  for (const char* name : {"HKCU", "HKLM", "HKU", "HKDD", "HKCC", "HKCR", "hkcr"})
    EXPECT_EQ(common::RegRootFromName(name).kind, common::RegRoot::Hive) << name;
}

TEST(Registry, WhatCannotBeReadLeavesTheDefault) {
  TestKey key;
  std::string text = "untouched";
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Missing", "S", "fallback", text), 2) << "no key";
  EXPECT_EQ(text, "fallback");
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Other", "D", 1), 0);
  std::int32_t number = 0;
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Missing", "D", 7, number), 2) << "no value";
  EXPECT_EQ(number, 7);

  // A stored text longer than a number's buffer does not fit.
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Long", "S", "longer than four"), 0);
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Long", "D", 7, number), 234);
  EXPECT_EQ(number, 7);
  bool flag = true;
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Long", "B", true, flag), 234);
  EXPECT_TRUE(flag);

  // A text that is no number does not go into a number.
  ASSERT_EQ(RegistrySetValue("HKCU", key.Path(), "Word", "S", "abc"), 0);
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Word", "S", 7, number), common::kRegInvalidData);
  EXPECT_EQ(number, 7);

  // Another type word reads nothing.
  Variant out;
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "Other", "X", "kept", out), 0);
  EXPECT_EQ(out.ToString(), "kept");
}

TEST(Registry, AnUnknownRootIsRefusedBothWays) {
  TestKey key;
  std::string out;
  EXPECT_EQ(RegistryGetValue("HKXX", key.Path(), "V", "S", "d", out), common::kRegUnknownRoot);
  EXPECT_EQ(out, "d");
  EXPECT_EQ(RegistrySetValue("HKXX", key.Path(), "V", "S", "x"), common::kRegUnknownRoot);
  EXPECT_EQ(RegistrySetValue("no-such-settings-file.ini", "Section", "V", "S", "x"), common::kRegUnknownRoot);
  EXPECT_EQ(common::RegRootFromName("").kind, common::RegRoot::None);
}

TEST(Registry, AWriteThatCannotConvertWritesNothingAndSaysSo) {
  TestKey key;
  EXPECT_EQ(RegistrySetValue("HKCU", key.Path(), "N", "D", "abc"), common::kRegInvalidData);
  EXPECT_EQ(RegistrySetValue("HKCU", key.Path(), "F", "BOOL", "maybe"), common::kRegInvalidData);
  EXPECT_EQ(RegistrySetValue("HKCU", key.Path(), "Big", "D", 3e10), common::kRegInvalidData);
  Variant out;
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "N", "D", 0, out), 2);
  EXPECT_EQ(RegistryGetValue("HKCU", key.Path(), "F", "BOOL", 0, out), 2);
}

TEST(Registry, TextFromStoredBytesDropsOnlyTheTerminator) {
  using common::TextFromRegistryBytes;
  EXPECT_EQ(TextFromRegistryBytes(std::string("abc\0", 4)), "abc");
  EXPECT_EQ(TextFromRegistryBytes("abc"), "abc");
  EXPECT_EQ(TextFromRegistryBytes(std::string("a\0b\0", 4)), std::string("a\0b", 3));
  EXPECT_EQ(TextFromRegistryBytes(std::string("\0", 1)), "");
  EXPECT_EQ(TextFromRegistryBytes(std::string("x\0\0", 3)), std::string("x\0", 2));
}

}  // namespace
