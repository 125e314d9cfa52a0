// The identifier scheme of one menu, played as scripts: each case grants a
// range, runs a few steps and reads the allocator back.
//   t   take one identifier (when CanTake(false) allows)
//   i   take one internal identifier (when CanTake(true) allows)
//   r   reserve the dynamic block;  c  close without one
//   f   one dynamic fill taking n identifiers (the digit after it)
#include "shellext/CommandIds.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using shellext::CommandIds;

struct Outcome {
  std::int32_t next, dynamicFirst, dynamicLast, count;
  std::string taken;  // the identifiers handed out, in order, ',' after each
};

Outcome Play(std::int32_t first, std::int32_t last, const std::string& script) {
  CommandIds ids;
  ids.Reset(first, last);
  std::string taken;
  for (size_t i = 0; i < script.size(); ++i) {
    switch (script[i]) {
      case 't':
      case 'i':
        if (ids.CanTake(script[i] == 'i')) taken += std::to_string(ids.Take()) + ",";
        else taken += "x,";
        break;
      case 'r': ids.ReserveDynamicBlock(); break;
      case 'c': ids.Close(); break;
      case 'f': {
        const int n = script[++i] - '0';
        ids.BeginDynamicFill();
        for (int k = 0; k < n; ++k) taken += ids.CanTake(false) ? std::to_string(ids.Take()) + "," : "x,";
        ids.EndDynamicFill();
        taken += "|";
        break;
      }
    }
  }
  return {ids.Next(), ids.DynamicFirst(), ids.DynamicLast(), ids.Count(), taken};
}

TEST(CommandIds, ScriptsOfOneMenu) {
  struct Case {
    std::int32_t first, last;
    const char* script;
    Outcome expected;
  };
  const Case cases[] = {
      // Nothing taken: the count is still one.
      {100, 200, "c", {100, 100, 99, 1, ""}},
      {100, 200, "tttc", {103, 103, 102, 4, "100,101,102,"}},
      // Entries of the configuration stop at the last identifier...
      {1, 2, "ttt", {3, 1, 0, 3, "1,2,x,"}},
      // ...and so do internal ones, however far they push the ceiling.
      {1, 2, "iii", {3, 1, 0, 3, "1,2,x,"}},
      // The block: 5000, 2500 or 1000 when they fit with one to spare.
      {1, 0x7fff, "tr", {5002, 2, 5001, 5002, "1,"}},
      {0, 5001, "r", {5000, 0, 4999, 5001, ""}},
      {0, 5000, "r", {2500, 0, 2499, 2501, ""}},
      {0, 1500, "r", {1000, 0, 999, 1001, ""}},
      {0, 600, "r", {590, 0, 589, 591, ""}},
      // Too narrow to give ten back: no block at all.
      {0, 8, "r", {0, 0, -1, 1, ""}},
      // Fills continue each other inside the block and stop at its end;
      // nothing else takes an identifier once the menu is closed.
      {10, 0x7fff, "trf2f3t", {5011, 11, 5010, 5002, "10,11,12,|13,14,15,|x,"}},
      {0, 20, "rf5f9", {10, 0, 9, 11, "0,1,2,3,4,|5,6,7,8,9,x,x,x,x,|"}},
      // Without a block, a fill gets nothing.
      {0, 100, "tcf2", {1, 1, 0, 2, "0,x,x,|"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.first) + ".." + std::to_string(c.last) + " " + c.script);
    const Outcome o = Play(c.first, c.last, c.script);
    EXPECT_EQ(o.taken, c.expected.taken);
    EXPECT_EQ(o.next, c.expected.next);
    EXPECT_EQ(o.dynamicFirst, c.expected.dynamicFirst);
    EXPECT_EQ(o.dynamicLast, c.expected.dynamicLast);
    EXPECT_EQ(o.count, c.expected.count);
  }
}

TEST(CommandIds, InternalEntriesGoPastTheCeilingOfTheConfiguration) {
  CommandIds ids;
  ids.Reset(0, 10);
  // Where the configured items stopped at their ceiling, the built-in
  // commands still fit up to the last identifier.
  while (ids.CanTake(false)) ids.Take();
  EXPECT_EQ(ids.Next(), 11);
  ids.Reset(0, 10);
  for (int i = 0; i < 5; ++i) ids.Take();
  EXPECT_TRUE(ids.CanTake(true));
  EXPECT_EQ(ids.FromOffset(10), 10);
  EXPECT_EQ(ids.FromOffset(11), std::nullopt);
  EXPECT_EQ(ids.FromOffset(0xFFFFFFFFull), std::nullopt);
}

TEST(CommandIds, VerbsAreItemAndDigitsOnly) {
  struct Case {
    const char* verb;
    std::optional<std::uint32_t> offset;
  };
  const Case cases[] = {
      {"Item0", 0u},         {"Item3", 3u},        {"item12", 12u},  {"ITEM007", 7u},
      {"Item4294967295", 4294967295u},             {"Item4294967296", std::nullopt},
      {"Item", std::nullopt}, {"Item-1", std::nullopt}, {"Item+1", std::nullopt},
      {"Item 1", std::nullopt}, {"Item1 ", std::nullopt}, {"Item1x", std::nullopt},
      {"Xtem1", std::nullopt}, {"open", std::nullopt}, {"", std::nullopt},
      {"Item99999999999999", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.verb);
    EXPECT_EQ(shellext::ParseItemVerb(c.verb), c.offset);
  }
}

}  // namespace
