// The command keys of Designer's main window: what a clicked menu item,
// toolbar button, popup entry or view-bar entry asks for. Portable: the
// window's dispatcher maps the answer onto its operations.
#pragma once
#include <cstdint>
#include <string>

namespace designer {

enum class Command {
  None,
  RecentFile,   // "mru_" & n
  QuickAccess,  // "qa_" & n
  FileNew, FileOpen, FileMerge, FileSave, FileSaveAs, FileSend, FileExit,
  Help, HelpSupport, HelpWebsite, HelpAbout,
  AddFolder, AddFolderPicked, AddDynamicFolder, AddSpecialFolder, AddPopupMenu, AddSeparator, AddFile,
  AddCustomAction, AddSelectionTask, AddCopyToX,
  Delete, Properties,
  ViewDesigner, ViewTestMenu,
  ToolsOptions, ToolsValidate, ToolsCustomWindowActions,
};

struct ParsedCommand {
  Command command = Command::None;
  std::int32_t number = 0;  // the entry of a recent file or quick-access command, from 1
};

// The command of a key, compared without regard to case. A "mru_" or "qa_"
// key is a command only when a whole positive number follows the prefix;
// anything else there (nothing, a sign, letters, a number too large) is no
// command at all.
ParsedCommand ParseCommandKey(const std::string& key);

// For the Add commands: the item type and the properties dialog's open mode
// (1 a new item whose picker opens at once, 2 a new special folder, 0
// neither). False for every other command.
bool AddCommandItem(Command command, std::int32_t& type, std::int32_t& mode);

}  // namespace designer
