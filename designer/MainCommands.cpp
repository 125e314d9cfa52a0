#include "designer/MainCommands.h"

#include <cctype>

#include "config/clsCorvaneData.h"

namespace designer {

namespace {

std::string Lower(const std::string& s) {
  std::string out = s;
  for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return out;
}

// A whole positive decimal number and nothing else; 0 for anything else.
std::int32_t EntryNumber(const std::string& text) {
  if (text.empty() || text.size() > 9) return 0;
  std::int32_t n = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n;
}

struct Entry {
  const char* key;
  Command command;
};

constexpr Entry kTable[] = {
    {"id_filenew", Command::FileNew},
    {"id_fileopen", Command::FileOpen},
    {"id_filemerge", Command::FileMerge},
    {"id_filesave", Command::FileSave},
    {"id_filesaveas", Command::FileSaveAs},
    {"id_filesend", Command::FileSend},
    {"id_fileexit", Command::FileExit},
    {"id_help", Command::Help},
    {"id_helpsupport", Command::HelpSupport},
    {"id_helpwebsite", Command::HelpWebsite},
    {"id_helpabout", Command::HelpAbout},
    {"id_editadd", Command::AddFolder},
    {"id_editadd_folder", Command::AddFolderPicked},
    {"id_editadd_dfolder", Command::AddDynamicFolder},
    {"id_editadd_folderspecial", Command::AddSpecialFolder},
    {"id_editadd_popupmenu", Command::AddPopupMenu},
    {"id_editadd_separator", Command::AddSeparator},
    {"id_editadd_file", Command::AddFile},
    {"id_editadd_customaction", Command::AddCustomAction},
    {"id_editadd_selectiontask", Command::AddSelectionTask},
    {"id_editadd_copytox", Command::AddCopyToX},
    {"id_editdelete", Command::Delete},
    {"id_editproperties", Command::Properties},
    {"id_viewmenudesigner", Command::ViewDesigner},
    {"id_viewtestmenu", Command::ViewTestMenu},
    {"id_toolsoptions", Command::ToolsOptions},
    {"id_toolsvalidate", Command::ToolsValidate},
    {"id_toolscustomwindowactions", Command::ToolsCustomWindowActions},
};

}  // namespace

ParsedCommand ParseCommandKey(const std::string& key) {
  const std::string k = Lower(key);
  ParsedCommand parsed;
  if (k.rfind("mru_", 0) == 0 || k.rfind("qa_", 0) == 0) {
    const bool recent = k[0] == 'm';
    parsed.number = EntryNumber(k.substr(recent ? 4 : 3));
    if (parsed.number > 0) parsed.command = recent ? Command::RecentFile : Command::QuickAccess;
    return parsed;
  }
  for (const Entry& e : kTable)
    if (k == e.key) parsed.command = e.command;
  return parsed;
}

bool AddCommandItem(Command command, std::int32_t& type, std::int32_t& mode) {
  using config::clsCorvaneData;
  struct Add {
    Command command;
    std::int32_t type, mode;
  };
  static constexpr Add kAdds[] = {
      {Command::AddFolder, clsCorvaneData::TypeFolder, 0},
      {Command::AddFolderPicked, clsCorvaneData::TypeFolder, 1},
      {Command::AddDynamicFolder, clsCorvaneData::TypeDynamicFolder, 1},
      {Command::AddSpecialFolder, clsCorvaneData::TypeFolder, 2},
      {Command::AddPopupMenu, clsCorvaneData::TypePopupMenu, 0},
      {Command::AddSeparator, clsCorvaneData::TypeSeparator, 0},
      {Command::AddFile, clsCorvaneData::TypeFile, 1},
      {Command::AddCustomAction, clsCorvaneData::TypeCustomAction, 1},
      {Command::AddSelectionTask, clsCorvaneData::TypeSelectionTask, 1},
      {Command::AddCopyToX, clsCorvaneData::TypeCopyToX, 1},
  };
  for (const Add& a : kAdds)
    if (a.command == command) {
      type = a.type;
      mode = a.mode;
      return true;
    }
  return false;
}

}  // namespace designer
