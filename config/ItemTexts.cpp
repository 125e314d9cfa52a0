// The texts people see for an item: Designer's description, the shell menu
// caption and Explorer's status-bar help.
#include "base/text.h"
#include "common/SpecialFolders.h"
#include "config/clsCorvaneDataTools.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "config/clsOptions.h"

namespace config {

namespace {

using C = clsCorvaneData;

std::string SpecialFolderName(const clsCorvaneData& item) {
  return common::GetSpecialFolderName(nullptr, item.FolderCSIDL(), true);
}

}  // namespace

std::string clsCorvaneDataTools::GetDesignerDescription(const clsCorvaneData& item) const {
  switch (item.m_lType) {
    case C::TypeRoot: return "Root Level Shell Description";
    case C::TypeFolder:
      return item.OptionsIsCSIDL() ? "Windows Special Folder: " + SpecialFolderName(item) : "Folder: " + item.Location();
    case C::TypeSeparator: return "Menu Separator";
    case C::TypePopupMenu: return "Popup Menu";
    case C::TypeFile: return "File: " + item.Location();
    case C::TypeCustomAction: return "Custom Action: " + item.Caption();
    case C::TypeSelectionTask: return "Selection Task: " + item.Caption();
    case C::TypeDynamicFolder: return "Dynamic Folder: " + item.Location();
    case C::TypeCopyToX: return (item.CopyToXOptions_IsMove() ? "Move To: " : "Copy To: ") + item.Location();
    default: return "";
  }
}

std::string clsCorvaneDataTools::GetMenuCaption(const clsCorvaneData& item, bool& bUserItem) const {
  return MenuCaption(item, bUserItem, g_oOptions().m_lShellMaxMenuText);
}

std::string clsCorvaneDataTools::MenuCaption(const clsCorvaneData& item, bool& bUserItem,
                                             std::int32_t maximum) const {
  std::string caption;
  switch (item.m_lType) {
    case C::TypeRoot: return item.Caption();  // never shortened
    case C::TypeFolder:
      caption = item.OptionsIsBrowseAndOpen() ? base::RTrim(item.Caption()) + "..." : item.Caption();
      break;
    case C::TypeFile:
    case C::TypeDynamicFolder:
    case C::TypeCopyToX:
    case C::TypeCustomAction:
    case C::TypeSelectionTask:
    case C::TypePopupMenu: caption = item.Caption(); break;
    case C::TypeDesigner: return "&Designer...";
    case C::TypePopupHistory: return "&History";
    case C::TypePopupQuickAccess: return "&Quick Access";
    case C::TypeResetHistoryMRU: return "&Reset History MRU";
    case C::TypeResetQuickAccessMRU: return "Rese&t Quick Access MRU";
    case C::TypeOpenInNewWindow: return "Open in New Window";
    case C::TypeCopyFilenamesToClipboard: return "Copy to Clipboard";
    case C::TypeRunDialog: return "Copy to Run Dialog...";
    case C::TypeCopyTo: return "Copy to...";
    case C::TypeMoveTo: return "Move to...";
    case C::TypeCommandPrompt: return "Command Prompt Here";
    case C::TypeTaskManager: return "Task Manager";
    case C::TypeShowDesktop: return "Show Desktop";
    case C::TypeAddToQuickAccessMRU: return "&Add To Quick Access";
    case C::TypeDynamicFolderEmpty: return "(Empty)";
    default: return "";
  }
  bUserItem = true;
  return TrimCaption(caption, maximum);
}

std::string clsCorvaneDataTools::TrimCaption(const std::string& caption, std::int32_t maximum) const {
  std::string prefix;
  std::string rest = caption;
  const size_t space = caption.find(' ');
  // A recent entry's "&n " keeps its accelerator and does not count.
  if (!caption.empty() && caption[0] == '&' && space != std::string::npos) {
    prefix = caption.substr(0, space + 1);
    rest = caption.substr(space + 1);
  }
  if (maximum > 0 && rest.size() > static_cast<size_t>(maximum))
    return prefix + base::Trim(rest.substr(0, static_cast<size_t>(maximum))) + "...";
  return caption;
}

std::string clsCorvaneDataTools::GetExplorerDescription(const clsCorvaneData& item, const std::string& filePath,
                                                        const std::string& folderPath) const {
  const std::string quote = "\"";
  std::string text;
  std::string suffix;
  switch (item.m_lType) {
    case C::TypeFolder:
      if (item.OptionsIsCSIDL()) {
        text = SpecialFolderName(item);
        suffix = " Special Folder";
      } else {
        text = item.Location();
        suffix = " Folder";
      }
      break;
    case C::TypeFile:
      text = item.Location();
      suffix = " File";
      break;
    case C::TypeCustomAction:
      text = item.Caption();
      suffix = " Custom Action";
      break;
    case C::TypeSelectionTask:
      text = item.Caption();
      suffix = " Selection Task";
      break;
    case C::TypeCopyToX:
      text = item.Caption();
      suffix = item.CopyToXOptions_IsMove() ? " Move To" : " Copy To";
      break;
    case C::TypeDesigner: text = "Start the Designer"; break;
    case C::TypeResetHistoryMRU: text = "Reset the History MRU"; break;
    case C::TypeResetQuickAccessMRU: text = "Reset the Quick Access MRU"; break;
    case C::TypeOpenInNewWindow: text = "Open the file " + quote + filePath + quote + " in a new window"; break;
    case C::TypeCopyFilenamesToClipboard: text = "Copy the names of the selected files to the clipboard"; break;
    case C::TypeRunDialog: text = "Send the filename " + quote + filePath + quote + " to the run dialog"; break;
    case C::TypeCommandPrompt: text = "Open a command prompt starting from " + quote + folderPath + quote; break;
    case C::TypeCopyTo: text = "Copy the selected files to a nominated folder"; break;
    case C::TypeMoveTo: text = "Move the selected files to a nominated folder"; break;
    case C::TypeTaskManager: text = "Invoke the Windows task manager"; break;
    case C::TypeShowDesktop: text = "Minimize all open windows to the desktop"; break;
    case C::TypeRestoreDesktop: text = "Restore the desktop windows"; break;
    default: break;
  }
  common::g_Debug().Output([&] { return "szText=" + text; });
  if (!text.empty()) text = common::ProductName() + suffix + " - " + text;
  common::g_Debug().Output([&] { return "szText=" + text; });
  return text;
}

}  // namespace config
