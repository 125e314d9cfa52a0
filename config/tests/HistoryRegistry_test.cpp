// History entries stored the way the recent lists store them: one text value
// per entry, natively in the in-memory registry, under Wine in the prefix's.
#include <gtest/gtest.h>

#include <string>

#include "common/modRegistry.h"
#include "common/tests/testkey.h"
#include "config/clsCorvaneDataTools.h"
#include "config/tests/ConfigFixtures.h"

using config::clsCorvaneData;

TEST(HistoryRegistry, EntriesSurviveTheRegistryWholeNulBytesIncluded) {
  const config::clsCorvaneDataTools tools;
  common_test::TestKey key;
  auto action = config_test::Item(clsCorvaneData::TypeCustomAction, "Say \"hi\"");
  action->m_szAction_Actions = "line one\r\nline two";
  const std::shared_ptr<clsCorvaneData> items[] = {
      config_test::Item(clsCorvaneData::TypeFolder, "Temp", "C:\\abcdefghijklTemp"),  // enciphers to a NUL
      config_test::Item(clsCorvaneData::TypeFile, "Notes", "C:\\notes.txt"),
      action,
  };
  int n = 0;
  for (const auto& item : items) {
    SCOPED_TRACE(++n);
    const std::string entry = tools.CreateHistoryMRU(*item);
    const std::string name = "Mru" + std::to_string(n);
    ASSERT_EQ(common::RegistrySetValue("HKCU", key.Path(), name, "S", entry), 0);
    std::string stored;
    ASSERT_EQ(common::RegistryGetValue("HKCU", key.Path(), name, "S", "", stored), 0);
    EXPECT_EQ(stored.size(), entry.size());
    EXPECT_EQ(stored, entry);
    clsCorvaneData back;
    tools.BreakdownHistoryMRU(stored, back);
    EXPECT_EQ(config_test::StoredFields(back), config_test::StoredFields(*item));
  }
  EXPECT_NE(tools.CreateHistoryMRU(*items[0]).find('\0'), std::string::npos);
}
