#include "common/clsCollection.h"

#include <gtest/gtest.h>

#include "base/error.h"

using common::clsCollection;

namespace {

struct Payload : base::Object {
  int id = 0;
};

// A list whose keys, numbers and texts are given per record.
clsCollection Make(std::initializer_list<std::tuple<const char*, int, const char*>> rows) {
  clsCollection c;
  for (auto& [key, number, text] : rows) c.Add(key, number, nullptr, text, number * 10);
  return c;
}

long ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Source(), "clsCollection");
    return e.Number();
  }
  return 0;
}

}  // namespace

TEST(Collection, AddAppendsWithFieldsAndPosition) {
  clsCollection c;
  auto data = std::make_shared<Payload>();
  auto a = c.Add("a", 7, data, "d1", 8, nullptr, nullptr, nullptr, nullptr, "f.txt", "d2", "d3",
                 9, 10);
  auto b = c.Add("b");
  EXPECT_EQ(c.Count(), 2);
  EXPECT_EQ(a->Index, 1);
  EXPECT_EQ(b->Index, 2);
  EXPECT_EQ(a->m_szKey, "a");
  EXPECT_EQ(a->m_lKey, 7);
  EXPECT_EQ(a->m_oData, data);
  EXPECT_EQ(a->m_szData, "d1");
  EXPECT_EQ(a->m_szData2, "d2");
  EXPECT_EQ(a->m_szData3, "d3");
  EXPECT_EQ(a->m_lData, 8);
  EXPECT_EQ(a->m_lData2, 9);
  EXPECT_EQ(a->m_lData3, 10);
  EXPECT_EQ(a->m_szFilename, "f.txt");
  EXPECT_EQ(c.Item(1), a);
  EXPECT_EQ(c.Item(2, false, true), nullptr);  // b has no payload
  EXPECT_EQ(c.Item(1, false, true), data);
}

TEST(Collection, ItemPositionsOutsideTheList) {
  auto c = Make({{"a", 1, ""}, {"b", 2, ""}});
  EXPECT_EQ(c.Item(0), nullptr);
  EXPECT_EQ(c.Item(3), nullptr);
  EXPECT_EQ(c.Item(-1), nullptr);
  EXPECT_EQ(ErrorOf([&] { c.Item(3, true); }), base::kErrInvalidCall);
  EXPECT_EQ(ErrorOf([&] { c.Item(0, true); }), base::kErrSubscript);
  EXPECT_EQ(ErrorOf([&] { c.Remove(3, true); }), base::kErrInvalidCall);
  c.Remove(3);  // swallowed
  c.Remove(0);
  EXPECT_EQ(c.Count(), 2);
}

TEST(Collection, KeySearchIsExactAndByKindOfKey) {
  auto c = Make({{"5", 1, ""}, {"ABC", 5, ""}, {"abc", 2, ""}, {"abc", 3, ""}});
  EXPECT_EQ(c.ItemViaKey("abc")->Index, 3);  // the earlier of two equal keys
  EXPECT_EQ(c.ItemViaKey("ABC")->Index, 2);
  EXPECT_EQ(c.ItemViaKey("Abc"), nullptr);
  EXPECT_EQ(c.ItemViaKey("abc "), nullptr);
  EXPECT_EQ(c.ItemViaKey(std::int32_t{5})->Index, 2);  // a number looks at m_lKey
  EXPECT_EQ(c.ItemViaKey(std::int16_t{5})->Index, 2);
  EXPECT_EQ(c.ItemViaKey("5")->Index, 1);  // a text looks at m_szKey
  EXPECT_EQ(c.ItemViaKey(std::int32_t{99}), nullptr);

  auto data = std::make_shared<Payload>();
  c.Item(4)->m_oData = data;
  EXPECT_EQ(c.ItemViaKey(std::int32_t{3}, true), data);
}

TEST(Collection, DataSearchPicksTheFieldByPositionAndKind) {
  clsCollection c;
  c.Add("", 0, nullptr, "one", 1, nullptr, nullptr, nullptr, nullptr, "", "two", "three", 2, 3);
  c.Add("", 0, nullptr, "x", 11, nullptr, nullptr, nullptr, nullptr, "", "y", "z", 12, 13);
  struct Case {
    base::Variant value;
    int position;
    int expected;  // Index, 0 for none
  } cases[] = {
      {"one", 0, 1},  {"one", 1, 1},  {"two", 2, 1},  {"three", 3, 1}, {"y", 2, 2},
      {"two", 1, 0},  {std::int32_t{1}, 0, 1}, {std::int32_t{12}, 2, 2},
      {std::int32_t{13}, 3, 2}, {std::int32_t{13}, 1, 0}, {"one", 4, 0}, {"one", -1, 0},
      {std::int32_t{1}, 4, 0},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.value.ToString() + " at " + std::to_string(k.position));
    auto found = c.ItemViaData(k.value, k.position);
    EXPECT_EQ(found ? found->Index : 0, k.expected);
  }
}

TEST(Collection, RemoveRenumbersAndClearKeepsTheRecordsAlive) {
  auto c = Make({{"a", 1, ""}, {"b", 2, ""}, {"c", 3, ""}, {"d", 4, ""}});
  c.Remove(2);
  ASSERT_EQ(c.Count(), 3);
  std::string keys;
  for (const auto& item : c) {
    keys += item->m_szKey;
    EXPECT_EQ(item->Index, static_cast<int>(keys.size()));
  }
  EXPECT_EQ(keys, "acd");

  auto held = c.Item(3);
  c.Clear();
  EXPECT_EQ(c.Count(), 0);
  EXPECT_EQ(held->m_szKey, "d");
  EXPECT_EQ(held->Index, 3);  // Clear leaves Index alone
  EXPECT_EQ(c.Add("e")->Index, 1);
}

TEST(Collection, CopiesShareObjectsAndLeaveTheSourceOutside) {
  auto data = std::make_shared<Payload>();
  clsCollection source;
  source.m_szKey = "k";
  source.m_lData3 = 3;
  source.m_oData = data;
  source.m_Parent = data;
  source.Index = 42;

  clsCollection c;
  c.Add("first");
  auto copy = c.AddEx(source);
  EXPECT_NE(copy.get(), &source);
  EXPECT_EQ(copy->Index, 2);
  EXPECT_EQ(source.Index, 42);
  EXPECT_EQ(copy->m_szKey, "k");
  EXPECT_EQ(copy->m_lData3, 3);
  EXPECT_EQ(copy->m_oData, data);
  EXPECT_EQ(copy->m_Parent, data);

  auto dup = source.DUP();
  EXPECT_EQ(dup->Index, 42);
  EXPECT_EQ(dup->m_oData, data);
  EXPECT_EQ(dup->Count(), 0);

  // FillFrom without a destination overwrites this object itself.
  clsCollection target;
  target.m_szKey = "old";
  target.m_szFilename = "old.txt";
  EXPECT_EQ(&target.FillFrom(source), &target);
  EXPECT_EQ(target.m_szKey, "k");
  EXPECT_EQ(target.m_szFilename, "");
  EXPECT_EQ(target.Index, 42);
}

TEST(Collection, SwapExchangesContentsButKeepsPositions) {
  auto c = Make({{"a", 1, "x"}, {"b", 2, "y"}});
  clsCollection::Swap(*c.Item(1), *c.Item(2));
  EXPECT_EQ(c.Item(1)->m_szKey, "b");
  EXPECT_EQ(c.Item(1)->m_szData, "y");
  EXPECT_EQ(c.Item(1)->Index, 1);
  EXPECT_EQ(c.Item(2)->m_szKey, "a");
  EXPECT_EQ(c.Item(2)->Index, 2);
}

TEST(Collection, SortBubbleGivesPositionsInAscendingOrder) {
  struct Case {
    const char* name;
    std::vector<std::tuple<const char*, int, const char*>> rows;
    const char* field;
    std::vector<std::int32_t> expected;
  } cases[] = {
      {"empty", {}, "m_lKey", {0}},
      {"numbers", {{"", 3, ""}, {"", 1, ""}, {"", 2, ""}}, "m_lKey", {0, 2, 3, 1}},
      {"equal values reverse", {{"", 4, ""}, {"", 4, ""}, {"", 4, ""}}, "m_lKey", {0, 3, 2, 1}},
      {"texts by character code", {{"b", 0, ""}, {"B", 0, ""}, {"a", 0, ""}}, "m_szKey",
       {0, 2, 3, 1}},
      {"tab sorts first", {{"z", 0, ""}, {"\tdir", 0, ""}}, "m_szKey", {0, 2, 1}},
      {"negative numbers", {{"", 0, ""}, {"", -5, ""}}, "m_lKey", {0, 2, 1}},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    clsCollection c;
    for (auto& [key, number, text] : k.rows) c.Add(key, number, nullptr, text);
    EXPECT_EQ(c.Sort_Bubble(k.field), k.expected);
    for (std::int32_t i = 1; i <= c.Count(); ++i) EXPECT_EQ(c.Item(i)->Index, i);  // unmoved
  }
}

TEST(Collection, FieldsByNameAndUnknownNames) {
  clsCollection c;
  c.SetField("m_szData2", "two");
  c.SetField("m_lData", std::int32_t{12});
  c.SetField("Index", std::int16_t{3});
  EXPECT_EQ(c.m_szData2, "two");
  EXPECT_EQ(c.m_lData, 12);
  EXPECT_EQ(c.Field("Index").ToLong(), 3);
  EXPECT_EQ(c.Field("m_szData2").ToString(), "two");
  try {
    c.Field("m_szdata2");  // names are exact
    FAIL();
  } catch (const base::Error& e) {
    EXPECT_EQ(e.Number(), 438);
  }
  auto list = Make({{"a", 1, ""}, {"b", 2, ""}});
  EXPECT_THROW(list.Sort_Bubble("nothing"), base::Error);
  EXPECT_THROW(list.Sort_Bubble("m_oData"), base::Error);  // objects have no order
}
