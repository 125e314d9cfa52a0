// Fennick end to end: registered in the test prefix, found by shellhost
// through the shell's keys, given the shell's own data object for real files
// and folders, and its menu printed entry by entry.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/tests/testing.h"
#include "common/SpecialFolders.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "shellext/tests/fennick_testing.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using config::clsOptions;

// The lines from "  menu" to the release, the part that is the handler's.
std::string MenuPart(const std::string& output) {
  size_t from = output.find("  menu\n");
  size_t to = output.find("  release");
  if (from == std::string::npos || to == std::string::npos) return output;
  return output.substr(from, to - from);
}

std::string Escaped(std::string text) {
  for (size_t pos = 0; (pos = text.find('\\', pos)) != std::string::npos; pos += 2) text.insert(pos, "\\");
  return text;
}

TEST(FennickShellHost, ARightClickShowsTheConfiguredMenuForFilesFoldersAndABackground) {
  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("a.txt"), "a");
  testing_support::WriteFileBytes(dir.File("b.txt"), "b");
  const std::string sub = dir.File("sub");
  CreateDirectoryA(sub.c_str(), nullptr);
  configbuilder::ConfigBuilder b("Corvane Test");
  b.Add(clsCorvaneData::TypeFolder, "Sub", sub);
  auto documents = configbuilder::MakeItem(clsCorvaneData::TypeFolder, "Docs");
  documents->m_lOptions = clsCorvaneData::OptionsCSIDL;
  documents->SetFolderCSIDL(5);
  b.Add(documents);
  widgets::TreeNode& popup = b.Add(clsCorvaneData::TypePopupMenu, "Tools");
  b.Add(clsCorvaneData::TypeFile, "Notes", dir.File("a.txt"), &popup);
  b.Add(clsCorvaneData::TypeSeparator, "", "", &popup);
  b.Add(clsCorvaneData::TypeCustomAction, "Act", "", &popup);
  auto many = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "Many");
  many->m_lSelection_Options = clsCorvaneData::SelectionOptions_ShowMultiple;
  b.Add(many);
  b.Add(clsCorvaneData::TypeDynamicFolder, "Dyn", dir.Path());
  const std::string cfg = dir.File("menu.cfg");
  b.Save(cfg);
  fennick_test::PlantSettings([&](clsOptions& o) {
    o.m_szShellConfigFile = cfg;
    o.m_szShellCustomActionsFile = "";
    o.m_bShellOwnerDraw = false;
    o.m_lShellShowHistoryMRU = o.m_lShellShowQuickAccessMRU = clsOptions::OptionsMenuDisplay_DoNotShow;
    o.m_lShellShowFlags = 0;
  });

  const std::string docs = common::GetSpecialFolderName(nullptr, 5, true);
  auto expected = [&](bool many) {
    const std::string dynHelp = "Corvane Folder - " + Escaped(sub);
    std::string m = "  menu\n    separator - disabled\n    popup - \"Corvane Test\" checkbitmaps\n";
    // The verb in both forms: GCS_VERBW answers it as GCS_VERBA does.
    m += "      string 0 \"Sub\" checkbitmaps verb \"Item0\" help \"" + dynHelp + "\"\n";
    m += "      string 1 \"" + docs + "\" checkbitmaps verb \"Item1\" help \"Corvane Special Folder - " + docs + "\"\n";
    m += "      popup - \"Tools\"\n";
    m += "        string 2 \"Notes\" checkbitmaps verb \"Item2\" help \"Corvane File - " + Escaped(dir.File("a.txt")) +
         "\"\n";
    m += "        separator - disabled\n";
    m += "        string 3 \"Act\" checkbitmaps verb \"Item3\" help \"Corvane Custom Action - Act\"\n";
    int next = 4;
    if (many)
      m += "      string " + std::to_string(next++) +
           " \"Many\" checkbitmaps verb \"Item4\" help \"Corvane Selection Task - Many\"\n";
    m += "      popup - \"Dyn\" checkbitmaps\n";
    m += "        string " + std::to_string(next) +
         " \"(Empty)\" disabled verb 0x80004005 E_FAIL help 0x80004005 E_FAIL validate 0x00000001 S_FALSE\n";
    const std::string designer = std::to_string(next + 1);
    m += "      separator - disabled\n      string " + designer +
         " \"&Designer...\" checkbitmaps verb \"Item" + designer + "\" help \"Corvane - Start the Designer\"\n";
    m += "    separator - disabled\n";
    return m;
  };

  struct Case {
    const char* what;
    std::vector<std::string> args;
    bool many;
  };
  const Case cases[] = {
      {"one file", {dir.File("a.txt")}, false},
      {"two files", {dir.File("a.txt"), dir.File("b.txt")}, true},
      {"a folder", {sub}, false},
      {"a background", {"--background", sub}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    unsigned long exitCode = 1;
    std::string output = fennick_test::RunShellHostWithFennick(c.args, &exitCode);
    EXPECT_EQ(exitCode, 0u) << output;
    EXPECT_EQ(MenuPart(output), expected(c.many)) << output;
    EXPECT_NE(output.find("DllCanUnloadNow 0x00000000 S_OK"), std::string::npos) << output;
  }
}

}  // namespace

namespace {

TEST(FennickShellHost, AFileOfAnotherVersionIsReportedOnceAndShowsNothingOfIt) {
  fennick_test::CleanSettings clean;
  testing_support::TempDir dir;
  testing_support::WriteFileBytes(dir.File("a.txt"), "a");
  config::clsCorvaneDataTools tools;
  config::MemoryFile file;
  tools.File_WriteVersion(file, 2);
  testing_support::WriteFileBytes(dir.File("menu.cfg"), file.Bytes());
  fennick_test::PlantSettings([&](clsOptions& o) { o.m_szShellConfigFile = dir.File("menu.cfg"); });
  unsigned long exitCode = 1;
  const std::string output = fennick_test::RunShellHostWithFennick({dir.File("a.txt")}, &exitCode);
  EXPECT_EQ(exitCode, 0u) << output;
  // shellhost answers the box and prints it; the menu keeps only the
  // leading separator.
  const size_t prompt = output.find("\n  prompt ");
  ASSERT_NE(prompt, std::string::npos) << output;
  EXPECT_NE(output.find("\"Invalid file version!\"\n", prompt), std::string::npos) << output;
  EXPECT_EQ(output.find("\n  prompt ", prompt + 1), std::string::npos) << output;
  EXPECT_EQ(MenuPart(output), "  menu\n    separator - disabled\n");
}

}  // namespace
