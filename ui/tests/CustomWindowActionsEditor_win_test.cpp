// The custom window actions editor's rules, over its controls' models, text
// boxes without windows and a real actions file.
#include <windows.h>

#include <gtest/gtest.h>

#include "actions/clsCustomActions.h"
#include "actions/profilefile.h"
#include "base/prompt.h"
#include "base/tests/testing.h"
#include "ui/CustomWindowActionsEditor.h"
#include "ui/clsSmartUI.h"
#include "widgets/TextEditor.h"

using actions::clsCustomActions;
using testing_support::PromptRecorder;
using testing_support::TempDir;
using ui::CustomWindowActionsEditor;

namespace {

struct Editor {
  explicit Editor(const std::vector<clsCustomActions>& stored = {}) {
    file = dir.File("CustomActions.ini");
    for (auto a : stored) a.Save(file);
    editor.Open();
  }
  std::vector<std::string> Listed() const {
    std::vector<std::string> out;
    for (const auto& e : actions.items()) out.push_back(e->caption());
    return out;
  }
  // The Order a section has in the file; -1 when the section is gone.
  std::int32_t OrderOf(const std::string& id) {
    return std::stoi(actions::ProfileRead(file, id, "Order", "-1"));
  }
  void Type(const std::string& row, const std::string& text) { data.userEdit(data.find(row), text); }
  void Pick(const std::string& row, const std::string& caption) {
    auto r = data.find(row);
    data.userPick(r, ui::SmartUI().FindSubItemViaCaption(r, caption));
  }
  void Click(sui::Control& c, const std::string& key) { c.userClick(c.items().at(key)); }

  TempDir dir;
  std::string file;
  sui::Control tools{sui::Style::Toolbar}, actions{sui::Style::List}, data{sui::Style::Grid},
      header{sui::Style::CaptionBar}, save{sui::Style::ButtonBar}, reload{sui::Style::ButtonBar},
      tokens{sui::Style::PopupMenu};
  widgets::MemoryTextEditor commands, preview;
  CustomWindowActionsEditor editor{{tools, actions, data, header, save, reload, tokens, commands, preview},
                                   [this] { return file; }};
};

clsCustomActions Stored(const std::string& id, std::int32_t order, const std::string& description,
                        bool enabled = true) {
  clsCustomActions a;
  a.m_szId = id;
  a.m_lType = clsCustomActions::TypeWindow;
  a.m_lOrder = order;
  a.m_szDescription = description;
  a.m_szClass = "Notepad";
  a.m_lClassMatch = clsCustomActions::OptionMatchExact;
  a.m_szActions = "^s";
  a.m_lOptions = enabled ? clsCustomActions::OptionEnabled : 0;
  return a;
}

std::vector<clsCustomActions> ThreeStored() {
  return {Stored("a", 1, "First"), Stored("b", 2, "Second", false), Stored("c", 3, "Third"),
          Stored("hidden", 4, "")};
}

}  // namespace

TEST(CustomWindowActionsEditor, OpensOnTheFirstActionAndListsOnlyDescribedOnesInOrder) {
  Editor e(ThreeStored());
  EXPECT_EQ(e.Listed(), (std::vector<std::string>{"First", "Second", "Third"}));
  EXPECT_EQ(e.actions.items().at("b")->image(), "disabled");
  EXPECT_EQ(e.actions.current()->key(), "a");
  EXPECT_EQ(e.data.tag().ToString(), "a");
  EXPECT_EQ(e.data.find("id_class")->value().ToString(), "Notepad");
  EXPECT_EQ(e.data.find("id_classmatch")->value().ToString(), "Exact");
  EXPECT_EQ(e.data.find("id_exematch")->value().ToString(), "(None)");
  EXPECT_EQ(e.commands.Text(), "^s");
  EXPECT_FALSE(e.editor.IsModified());
  EXPECT_TRUE(e.tools.items().at("id_delete")->enabled());
  EXPECT_EQ(e.data.items().count(), 14);
}

TEST(CustomWindowActionsEditor, EmptyFileLeavesOnlyNewAndANewActionSavedGetsOrderOne) {
  Editor e;
  EXPECT_EQ(e.actions.items().count(), 0);
  EXPECT_FALSE(e.data.enabled());
  for (const char* key : {"id_delete", "id_up", "id_down"}) EXPECT_FALSE(e.tools.items().at(key)->enabled());
  EXPECT_TRUE(e.tools.items().at("id_new")->enabled());

  e.Click(e.tools, "id_new");
  EXPECT_EQ(e.data.find("id_description")->value().ToString(), "New Action 1");
  EXPECT_EQ(e.commands.Text(), "[crv_item]");
  EXPECT_EQ(e.preview.Text(), "<item goes here>");
  EXPECT_TRUE(e.save.items().at(1)->enabled());
  EXPECT_FALSE(e.reload.items().at(1)->enabled());
  const std::string id = e.data.tag().ToString();
  EXPECT_EQ(id.size(), 38u);

  e.Pick("id_classmatch", "Partial");
  e.Type("id_class", "Edit");
  e.Click(e.save, "id_save");
  EXPECT_EQ(e.Listed(), (std::vector<std::string>{"New Action 1"}));
  EXPECT_EQ(e.OrderOf(id), 1);
  clsCustomActions back;
  ASSERT_TRUE(back.Load(id, e.file));
  EXPECT_EQ(back.m_szClass, "Edit");
  EXPECT_EQ(back.m_lClassMatch, clsCustomActions::OptionMatchPartial);
  EXPECT_EQ(back.m_szActions, "[crv_item]");
  EXPECT_FALSE(e.editor.IsModified());
}

TEST(CustomWindowActionsEditor, GetNewNameTakesTheFirstFreeNumberComparingExactly) {
  struct Case {
    std::vector<std::string> captions;
    std::string expected;
  };
  for (const auto& c : std::vector<Case>{{{"New Action 1", "New Action 2"}, "New Action 3"},
                                         {{"New Action 2"}, "New Action 1"},
                                         {{"new action 1"}, "New Action 1"}}) {
    Editor e;
    for (const auto& caption : c.captions) e.actions.items().add(0, caption, caption, sui::kKindEntry);
    EXPECT_EQ(e.editor.GetNewName(1), c.expected);
  }
}

TEST(CustomWindowActionsEditor, ValidationShowsTheLastFailingCheckAndADescriptionIsAlwaysNeeded) {
  struct Case {
    const char* enabled;
    const char* exeMatch;
    const char* exe;
    const char* description;
    const char* commands;
    const char* message;  // "" when the save goes through
  };
  const Case cases[] = {
      {"Yes", "(None)", "", "", "x", "Description cannot be blank!"},
      {"Yes", "(None)", "", "Named", "x", "You must supply an application name, caption or class!"},
      {"Yes", "Exact", "", "Named", "x", "You must supply an application name!"},
      {"Yes", "Exact", "app.exe", "Named", "", "No actions to perform!"},
      {"Yes", "Exact", "app.exe", "Named", "x", ""},
      {"No", "(None)", "", "Named", "", ""},
      // A disabled action without a description would vanish from the list.
      {"No", "(None)", "", "", "", "Description cannot be blank!"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.enabled) + "/" + c.exeMatch + "/" + c.description + "/" + c.commands);
    Editor e;
    e.Click(e.tools, "id_new");
    e.Pick("id_enabled", c.enabled);
    e.Pick("id_exematch", c.exeMatch);
    e.Type("id_exe", c.exe);
    e.Type("id_description", c.description);
    e.commands.SetText(c.commands);
    PromptRecorder prompts;
    const bool saved = e.editor.SaveAction();
    EXPECT_EQ(saved, std::string(c.message).empty());
    if (!saved) {
      ASSERT_EQ(prompts.Prompts().size(), 1u);
      EXPECT_EQ(prompts.Prompts()[0].text, c.message);
      EXPECT_EQ(prompts.Prompts()[0].flags, base::kPromptOk | base::kPromptExclamation);
      EXPECT_EQ(e.actions.items().count(), 0);  // nothing written
    } else {
      EXPECT_EQ(e.actions.items().count(), 1);
    }
  }
}

TEST(CustomWindowActionsEditor, LineBreaksInTheCommandsAreSavedAsEnterOnOneLine) {
  EXPECT_EQ(ui::CommandsForFile("a\r\nb\rc\nd"), "a~b~c~d");
  Editor e(ThreeStored());
  e.commands.SetText("first\r\nsecond");
  e.Click(e.save, "id_save");
  clsCustomActions back;
  ASSERT_TRUE(back.Load("a", e.file));
  EXPECT_EQ(back.m_szActions, "first~second");
}

TEST(CustomWindowActionsEditor, MovesAndDeletesWriteTheOrderOfListedActionsOnly) {
  Editor e(ThreeStored());
  e.actions.setCurrent(e.actions.items().at("a"));
  e.Click(e.tools, "id_up");  // the first entry stays
  EXPECT_EQ(e.OrderOf("a"), 1);
  e.Click(e.tools, "id_down");
  EXPECT_EQ(e.Listed(), (std::vector<std::string>{"Second", "First", "Third"}));
  EXPECT_EQ(e.actions.current()->key(), "a");
  EXPECT_EQ(e.OrderOf("b"), 1);
  EXPECT_EQ(e.OrderOf("a"), 2);
  EXPECT_EQ(e.OrderOf("hidden"), 4);

  PromptRecorder prompts;
  prompts.Answer(base::kAnswerNo);
  e.Click(e.tools, "id_delete");
  EXPECT_EQ(prompts.Prompts().back().text, "Are you sure you want to delete 'First' ?");
  EXPECT_EQ(e.actions.items().count(), 3);
  prompts.Answer(base::kAnswerYes);
  e.Click(e.tools, "id_delete");
  EXPECT_EQ(e.Listed(), (std::vector<std::string>{"Second", "Third"}));
  EXPECT_EQ(e.OrderOf("a"), -1);
  EXPECT_EQ(e.OrderOf("c"), 2);
  EXPECT_EQ(e.actions.current()->key(), "c");  // the one that followed

  prompts.Answer(base::kAnswerYes);
  e.Click(e.tools, "id_delete");  // the last: the new last is selected
  EXPECT_EQ(e.actions.current()->key(), "b");
  prompts.Answer(base::kAnswerYes);
  e.Click(e.tools, "id_delete");
  EXPECT_EQ(e.actions.items().count(), 0);
  EXPECT_FALSE(e.tools.items().at("id_delete")->enabled());
  EXPECT_EQ(e.OrderOf("hidden"), 4);
}

TEST(CustomWindowActionsEditor, UnsavedEditsAreAskedAboutBeforeEveryCommandThatWouldLoseThem) {
  // Cancel keeps everything; No drops the edit; Yes saves it first.
  Editor e(ThreeStored());
  e.Type("id_description", "Renamed");
  PromptRecorder prompts;
  prompts.Answer(base::kAnswerCancel);
  EXPECT_FALSE(e.editor.QueryClose());
  EXPECT_EQ(prompts.Prompts().back().text, "Save the changes to 'Renamed' ?");
  EXPECT_EQ(prompts.Prompts().back().flags, base::kPromptYesNoCancel | base::kPromptQuestion);
  prompts.Answer(base::kAnswerCancel);
  e.Click(e.actions, "c");
  EXPECT_EQ(e.data.tag().ToString(), "a");
  EXPECT_EQ(e.data.find("id_description")->value().ToString(), "Renamed");

  // Yes while a click is handled: the save refills the list, and the clicked
  // entry is found again by its key.
  prompts.Answer(base::kAnswerYes);
  e.Click(e.actions, "c");
  EXPECT_EQ(e.actions.current()->key(), "c");
  EXPECT_EQ(e.data.tag().ToString(), "c");
  EXPECT_EQ(e.actions.items().at("a")->caption(), "Renamed");

  e.Type("id_description", "Dropped");
  prompts.Answer(base::kAnswerNo);
  EXPECT_TRUE(e.editor.QueryClose());
  prompts.Clear();
  e.Click(e.reload, "Reload details");
  EXPECT_TRUE(prompts.Prompts().empty());
  EXPECT_EQ(e.data.find("id_description")->value().ToString(), "Third");

  // A save that fails validation stops the command too.
  e.Type("id_description", "");
  prompts.Answer(base::kAnswerYes);
  EXPECT_FALSE(e.editor.QueryClose());
}

TEST(CustomWindowActionsEditor, PickerTokensAndTheExecutableRowFillTheGrid) {
  Editor e(ThreeStored());
  std::string kept;
  e.editor.hooks.pickWindow = [](std::string& cls, std::string& caption, bool& wantClass, bool& wantCaption) {
    cls = "MyClass";
    caption = "My Window";
    wantClass = wantCaption = true;
    return true;
  };
  e.data.userButton(e.data.find("id_caption"));
  EXPECT_EQ(e.data.find("id_class")->value().ToString(), "MyClass");
  EXPECT_EQ(e.data.find("id_caption")->value().ToString(), "My Window");
  EXPECT_EQ(e.data.find("id_captionmatch")->tag().ToLong(), clsCustomActions::OptionMatchExact);
  EXPECT_TRUE(e.editor.IsModified());

  e.Type("id_exe", "app.exe");
  e.data.userCommit(e.data.find("id_exe"));
  EXPECT_EQ(e.data.find("id_exematch")->value().ToString(), "Anywhere");

  int popups = 0;
  e.editor.hooks.popupTokens = [&](sui::Item& menu) {
    ++popups;
    EXPECT_EQ(menu.key(), "id_actiontokens");
  };
  for (int button : {1, 4, 2}) e.commands.MouseDown(button, 0, 10, 10);
  EXPECT_EQ(popups, 1);

  e.commands.SetText("x");
  e.commands.SetSelStart(1);
  e.tokens.userClick(e.tokens.items().at(1)->subItems().at("[crv_item]"));
  EXPECT_EQ(e.commands.Text(), "x[crv_item]");
  EXPECT_EQ(e.preview.Text(), "x<item goes here>");
}
