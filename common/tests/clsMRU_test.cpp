// The recent-item lists against the registry: the real one under Wine, the
// in-memory one natively. Each test owns a fresh key.
#include "common/clsMRU.h"

#include <gtest/gtest.h>

#include "base/tests/testing.h"
#include "common/modRegistry.h"
#include "common/tests/testkey.h"

using common::clsMRU;
using common::RegistryGetValue;
using common::RegistrySetValue;
using testing_support::ErrorNumberOf;

namespace {

class MruTest : public ::testing::Test {
 protected:
  std::string Path() const { return m_key.Path() + "\\"; }

  void Store(std::int32_t count, std::vector<std::string> entries) {
    RegistrySetValue("HKCU", Path(), "MruFileCount", "D", count);
    for (size_t i = 0; i < entries.size(); ++i)
      RegistrySetValue("HKCU", Path(), "Mru" + std::to_string(i + 1), "S", entries[i]);
  }
  std::string Stored(const std::string& name) {
    std::string out = "<missing>";
    RegistryGetValue("HKCU", Path(), name, "S", "<missing>", out);
    return out;
  }
  std::int32_t StoredCount() {
    std::int32_t out = -99;
    RegistryGetValue("HKCU", Path(), "MruFileCount", "D", -99, out);
    return out;
  }
  clsMRU Loaded(std::int32_t max) {
    clsMRU list;
    list.SetPath(Path());
    EXPECT_TRUE(list.Load(max));
    return list;
  }
  static std::vector<std::string> Entries(const clsMRU& list) {
    std::vector<std::string> v;
    for (std::int32_t i = 1; i <= list.FileCount(); ++i) v.push_back(list.File(i));
    return v;
  }

  common_test::TestKey m_key;
};

}  // namespace

TEST_F(MruTest, LoadCutsTheStoredCountToTheCapacity) {
  Store(9, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
  clsMRU list = Loaded(5);
  EXPECT_EQ(list.FileCount(), 5);
  EXPECT_EQ(list.MaxFileCount(), 5);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"1", "2", "3", "4", "5"}));
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(StoredCount(), 5);
  EXPECT_EQ(Stored("Mru9"), "9");  // values above the count stay where they are
}

TEST_F(MruTest, StoredCountsOutsideTheRangeAreClamped) {
  struct Case {
    std::int32_t stored, expected;
  } cases[] = {{-3, 0}, {-2147483647 - 1, 0}, {2147483647, 5}, {0, 0}, {2, 2}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.stored);
    Store(k.stored, {"a", "b"});
    clsMRU list = Loaded(5);
    EXPECT_EQ(list.FileCount(), k.expected);
    for (std::int32_t i = k.expected + 1; i <= 5; ++i) EXPECT_FALSE(list.FileExists(i));
  }
}

TEST_F(MruTest, MissingEntriesAndMissingKeysLoadEmpty) {
  clsMRU empty = Loaded(5);  // nothing stored at all
  EXPECT_EQ(empty.FileCount(), 0);
  Store(3, {"a"});
  clsMRU list = Loaded(5);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"a", "", ""}));
  EXPECT_TRUE(list.FileExists(1));
  EXPECT_FALSE(list.FileExists(2));
  // A value of another type is no entry: its bytes would show as a name.
  RegistrySetValue("HKCU", Path(), "Mru2", "D", 0x41424344);
  RegistrySetValue("HKCU", Path(), "Mru3", "S", "c");
  EXPECT_EQ(Entries(Loaded(5)), (std::vector<std::string>{"a", "", "c"}));
}

TEST_F(MruTest, AddFileMovesFoundNamesUpAndPushesTheLastOut) {
  Store(4, {"C:\\x.cfg", "C:\\y.cfg", "c:\\a.cfg", "C:\\z.cfg"});
  clsMRU list = Loaded(5);
  list.AddFile("C:\\A.CFG");  // found again without regard to case
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"C:\\A.CFG", "C:\\x.cfg", "C:\\y.cfg", "C:\\z.cfg"}));
  list.AddFile("new1");
  EXPECT_EQ(list.FileCount(), 5);
  list.AddFile("new2");  // full: the last one drops out
  EXPECT_EQ(Entries(list),
            (std::vector<std::string>{"new2", "new1", "C:\\A.CFG", "C:\\x.cfg", "C:\\y.cfg"}));
  EXPECT_EQ(StoredCount(), 4);  // nothing written without Save
}

TEST_F(MruTest, EncipheredListsCompareEntriesExactly) {
  // Enciphered entries differ in their bytes, and case folding would merge
  // different ones.
  const std::string first("\x10\xE9k", 3), second("\x10\xC9K", 3);
  clsMRU list = Loaded(5);
  list.SetExactMatch(true);
  list.AddFile(first);
  list.AddFile(second);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{second, first}));
  list.AddFile(first);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{first, second}));
}

TEST_F(MruTest, SaveWritesTheListAndALoadReadsItBack) {
  clsMRU list = Loaded(5);
  const std::string withNul("enc\0ip\xFFhered", 12);
  list.AddFile("C:\\work\\a.cfg");
  list.AddFile(withNul);
  ASSERT_TRUE(list.Save());
  EXPECT_EQ(StoredCount(), 2);
  EXPECT_EQ(Stored("Mru2"), "C:\\work\\a.cfg");
  EXPECT_EQ(Loaded(5).File(1), withNul);

  // Without the user interface every AddFile is saved at once.
  clsMRU direct = Loaded(5);
  direct.SetUserInterface(false);
  direct.AddFile("third");
  EXPECT_EQ(StoredCount(), 3);
  EXPECT_EQ(Stored("Mru1"), "third");
}

TEST_F(MruTest, LoweringTheMaximumTrimsTheList) {
  Store(5, {"1", "2", "3", "4", "5"});
  clsMRU list = Loaded(5);
  list.SetMaxFileCount(3);
  EXPECT_EQ(list.FileCount(), 3);
  EXPECT_EQ(Entries(list), (std::vector<std::string>{"1", "2", "3"}));
  EXPECT_TRUE(list.Save());
  EXPECT_EQ(StoredCount(), 3);
  list.SetMaxFileCount(4);  // raising keeps what there is
  EXPECT_EQ(list.FileCount(), 3);
  EXPECT_EQ(list.File(4), "");
  list.SetMaxFileCount(-1);
  EXPECT_EQ(list.MaxFileCount(), 0);
  EXPECT_EQ(list.FileCount(), 0);
}

TEST_F(MruTest, IndexesOutsideTheListRaiseSubscriptErrors) {
  clsMRU list = Loaded(2);
  EXPECT_EQ(ErrorNumberOf([&] { list.File(0); }), base::kErrSubscript);
  EXPECT_EQ(ErrorNumberOf([&] { list.File(3); }), base::kErrSubscript);
  EXPECT_EQ(ErrorNumberOf([&] { list.MenuCaption(3, 1); }), base::kErrSubscript);
  clsMRU none;
  EXPECT_EQ(ErrorNumberOf([&] { none.AddFile("x"); }), base::kErrSubscript);
  list.Reset();
  EXPECT_EQ(list.FileCount(), 0);
  EXPECT_EQ(list.MaxFileCount(), 2);
}

TEST(MruNames, ShortenedNamesAndMenuCaptions) {
  struct Case {
    std::string name, shortened;
  } cases[] = {
      {"C:\\Programs\\Tools\\Menus\\defaults.cfg", "...\\Tools\\Menus\\defaults.cfg"},
      {"C:\\Data\\averyveryverylongconfigurationname01.cfg",
       "...\\Data\\averyveryverylongconfigurationname01.cfg"},
      {"C:\\exactly\\thirty-two\\chars2.cfg", "C:\\exactly\\thirty-two\\chars2.cfg"},
      {std::string(40, 'x'), std::string(40, 'x')},
      {"C:\\a\\" + std::string(32, 'y'), "...\\" + std::string(32, 'y')},
      {"", ""},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    EXPECT_EQ(clsMRU::GetShortenedName(k.name), k.shortened);
  }
  EXPECT_EQ(cases[2].name.size(), 32u);

  clsMRU list;
  list.SetMaxFileCount(2);
  list.AddFile("C:\\work\\a.cfg");
  list.AddFile("C:\\Tom & Jerry\\b.cfg");
  EXPECT_EQ(list.MenuCaption(2, 1), "&1 C:\\work\\a.cfg");
  EXPECT_EQ(list.MenuCaption(1, 7), "&7 C:\\Tom && Jerry\\b.cfg");
}
