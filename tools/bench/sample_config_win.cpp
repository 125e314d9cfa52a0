// sample_config: writes the sample configuration of scripts/try with the
// project's own writer, and with --settings points the current user's
// settings at it.
//
//   sample_config OUT.cfg FOLDER [--settings]
//
// FOLDER holds the things the sample names: a folder "Projects" and the
// files "notes.txt" and "todo.txt".
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "base/error.h"
#include "config/clsOptions.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;

void WriteSample(const std::string& out, const std::string& folder) {
  configbuilder::ConfigBuilder b("Corvane Sample");
  b.Add(clsCorvaneData::TypeFolder, "Projects", folder + "\\Projects");
  auto documents = configbuilder::MakeItem(clsCorvaneData::TypeFolder, "Documents");
  documents->m_lOptions = clsCorvaneData::OptionsCSIDL;
  documents->SetFolderCSIDL(5);  // the user's documents
  b.Add(documents);
  b.Add(clsCorvaneData::TypeFile, "Notes", folder + "\\notes.txt");
  widgets::TreeNode& tools = b.Add(clsCorvaneData::TypePopupMenu, "Tools");
  auto date = configbuilder::MakeItem(clsCorvaneData::TypeCustomAction, "Type the date");
  date->m_szAction_Actions = "[crv_date dd/mm/yyyy]";
  b.Add(date, &tools);
  b.Add(clsCorvaneData::TypeSeparator, "", "", &tools);
  b.Add(clsCorvaneData::TypeFile, "To do", folder + "\\todo.txt", &tools);
  auto task = configbuilder::MakeItem(clsCorvaneData::TypeSelectionTask, "List the selection");
  task->m_szSelection_Command = "notepad.exe";
  task->m_lSelection_Options = clsCorvaneData::SelectionOptions_ShowAlways;
  b.Add(task);
  auto dynamic = configbuilder::MakeItem(clsCorvaneData::TypeDynamicFolder, "Sample files", folder);
  dynamic->m_szDFolder_Filter = "*.txt";
  b.Add(dynamic);
  b.Save(out);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 3 || argc > 4 || (argc == 4 && std::string(argv[3]) != "--settings")) {
      std::fputs("usage: sample_config OUT.cfg FOLDER [--settings]\n", stderr);
      return 2;
    }
    WriteSample(argv[1], argv[2]);
    std::printf("wrote %s\n", argv[1]);
    if (argc == 4) {
      config::clsOptions options;
      options.Reg_Load(config::kSettingsKey);
      options.m_szShellConfigFile = argv[1];
      options.Reg_Save(config::kSettingsKey, false);
      std::printf("ShellConfigFile = %s\n", argv[1]);
    }
    return 0;
  } catch (const base::Error& e) {
    std::fprintf(stderr, "sample_config: error %ld - %s\n", e.Number(), e.Description().c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "sample_config: %s\n", e.what());
  }
  return 1;
}
