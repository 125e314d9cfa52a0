// The copy/move destination grid against the model: its rows for lists of
// different lengths, picking, browsing and accepting a destination.
#include "shellext/CopyToChoice.h"

#include <gtest/gtest.h>

#include <set>

#include "base/tests/testing.h"
#include "common/tests/testkey.h"

namespace {

using shellext::CopyToChoice;

class CopyToChoiceTest : public ::testing::Test {
 protected:
  CopyToChoiceTest() {
    recent.SetPath(key.Path() + "\\");
    recent.Load(7);
  }
  CopyToChoice& Made(std::vector<std::string> entries) {
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) recent.AddFile(*it);
    choice = std::make_unique<CopyToChoice>(
        grid, recent, "C:\\work\\here", [this] { return browsed; },
        [this](const std::string& path) { return folders.count(path) != 0; });
    choice->Fill();
    return *choice;
  }
  std::string Destination() { return grid.items().at(1)->value().ToString(); }
  std::vector<std::string> Saved() {
    common::clsMRU again;
    again.SetPath(key.Path() + "\\");
    again.Load(7);
    std::vector<std::string> v;
    for (int i = 1; i <= again.FileCount(); ++i) v.push_back(again.File(i));
    return v;
  }

  common_test::TestKey key;
  common::clsMRU recent;
  sui::Control grid{sui::Style::Grid};
  std::unique_ptr<CopyToChoice> choice;
  std::string browsed;
  std::set<std::string> folders{"C:\\a", "C:\\b b", "C:\\c", "C:\\work\\here\\sub", "C:\\work"};
  testing_support::PromptRecorder prompts;
};

TEST_F(CopyToChoiceTest, RowsShowTheListInItsSevenPlaces) {
  struct Case {
    std::vector<std::string> entries;
    std::string destination;
  };
  for (const Case& c : {Case{{}, ""}, Case{{"C:\\a", "C:\\b b", "C:\\c"}, "C:\\a"}}) {
    recent.Reset();
    Made(c.entries);
    ASSERT_EQ(grid.items().count(), 9);
    EXPECT_EQ(grid.items().at(1)->key(), "id_destination");
    EXPECT_EQ(grid.items().at(1)->kind(), sui::kKindTextButton);
    EXPECT_TRUE(grid.items().at(1)->selected());
    EXPECT_EQ(grid.items().at(2)->caption(), "Most Recently Used");
    EXPECT_EQ(grid.items().at(2)->kind(), sui::kKindGroupHeading);
    for (int i = 1; i <= 7; ++i) {
      const auto row = grid.items().at(2 + i);
      const bool used = i <= static_cast<int>(c.entries.size());
      EXPECT_EQ(row->key(), used ? "mru_" + std::to_string(i) : "");
      EXPECT_EQ(row->caption(), std::to_string(i) + (used ? ". " + c.entries[i - 1] : "."));
    }
    EXPECT_EQ(Destination(), c.destination);
  }
}

TEST_F(CopyToChoiceTest, ClicksPickRememberedRowsOnlyAndTheButtonBrowses) {
  Made({"C:\\a", "C:\\b b"});
  grid.userClick(grid.items().at(4));
  EXPECT_EQ(Destination(), "C:\\b b");
  grid.userClick(grid.items().at(5));  // an unused place
  grid.userClick(grid.items().at(2));  // the group
  EXPECT_EQ(Destination(), "C:\\b b");
  grid.userButton(grid.items().at(1));  // browsing cancelled
  EXPECT_EQ(Destination(), "C:\\b b");
  browsed = "C:\\c";
  grid.userButton(grid.items().at(1));
  EXPECT_EQ(Destination(), "C:\\c");
}

TEST_F(CopyToChoiceTest, AcceptRemembersAndSavesTheAbsoluteFolder) {
  struct Case {
    std::string typed;
    std::string accepted;  // empty: refused
  };
  const Case cases[] = {
      {"C:\\b b", "C:\\b b"},          // already listed: moves up
      {"sub", "C:\\work\\here\\sub"},  // relative: from the menu's folder
      {"..", "C:\\work"},
      {"C:\\missing", ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    recent.Reset();
    recent.Save();
    prompts.Clear();
    Made({"C:\\a", "C:\\b b"});
    grid.items().at(1)->setValue(base::Variant(c.typed));
    const bool accepted = choice->Accept();
    EXPECT_EQ(accepted, !c.accepted.empty()) << c.typed;
    if (accepted) {
      EXPECT_EQ(choice->Destination(), c.accepted);
      EXPECT_TRUE(prompts.Prompts().empty());
      std::vector<std::string> expected{c.accepted, "C:\\a"};
      if (c.accepted != "C:\\b b") expected.push_back("C:\\b b");
      EXPECT_EQ(Saved(), expected) << c.typed;
    } else {
      ASSERT_EQ(prompts.Prompts().size(), 1u);
      EXPECT_EQ(prompts.Prompts()[0].text, "Destination folder does not exist!");
      EXPECT_EQ(prompts.Prompts()[0].flags, base::kPromptExclamation);
      EXPECT_TRUE(choice->Destination().empty());
      EXPECT_EQ(Saved(), (std::vector<std::string>{})) << c.typed;
    }
  }
}

}  // namespace
