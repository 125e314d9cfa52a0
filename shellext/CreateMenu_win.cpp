// The configured menu: the configuration file is read afresh on every
// right-click (a change saved in Designer shows at the next one), and each of
// its records becomes a member of m_oCommands at the record's position, so
// that a child finds its parent's submenu by the parent's position.
#include <memory>
#include <optional>

#include "base/error.h"
#include "base/prompt.h"
#include "common/SpecialFolders.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/BinaryFile.h"
#include "config/clsOptions.h"
#include "shellext/ConfigCache.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/MenuInsertion.h"
#include "shellext/modShellTools.h"

namespace shellext {

using common::g_Debug;
using config::clsCorvaneData;
using config::g_oOptions;

namespace {

// How long a configuration file held open by another program is waited for
// before the menu goes on without it: short beside a right-click.
constexpr unsigned kConfigWaitMs = 200;

bool SelectionTaskShown(const clsCorvaneData& item, std::int32_t count) {
  return (count > 0 && item.SelectionOptions_IsShowAlways()) || (count == 1 && item.SelectionOptions_IsShowSingle()) ||
         (count > 1 && item.SelectionOptions_IsShowMultiple());
}

}  // namespace

bool FennickHandler::CreateMenu() {
  common::TraceScope scope("CreateMenu");
  const std::string& path = g_oOptions().m_szShellConfigFile;
  g_Debug().Output("Opening: " + path);
  g_Debug().Output("StartCmdIndex=" + std::to_string(m_oCommands.Ids().Next()));
  // Only this build's root record names the root.
  g_szRootCaption().clear();

  bool result = false;
  bool timing = false;
  try {
    ReadOutcome outcome = ReadOutcome::kComplete;
    // One read of the whole file on every right-click; its records are
    // parsed again only when its bytes changed since the last read. A file
    // another program holds (while it saves it), a device or a file that
    // cannot be read now is taken for a missing one: the lists and built-ins
    // still show.
    std::string why;
    std::optional<std::string> bytes = config::ReadWholeFileNow(path, kConfigWaitMs, why);
    if (!bytes) g_Debug().Output("Not read (" + why + "): " + path);
    if (bytes && !bytes->empty()) {
      common::g_oTiming().TimerStart(1);
      timing = true;
      std::shared_ptr<const ParsedConfiguration> parsed = ProcessConfigCache().Parsed(*bytes);
      const std::int32_t dynamicBefore = m_oCommands.DynamicCount();
      outcome = ReadConfiguredItems(*parsed);
      if (outcome == ReadOutcome::kComplete) AddEmptyPlaceholders(dynamicBefore);
    }
    if (outcome != ReadOutcome::kFailed) {
      CreateMenuLists();
      result = true;
    }
  } catch (...) {
    const base::Error e = base::CurrentError("CreateMenu");
    g_Debug().Output([&] { return "Error: " + std::to_string(e.Number()) + " - " + e.Description(); });
    // A file shorter than its header says: what was read stands, and
    // nothing more is added.
    result = e.Number() == base::kErrPastEnd;
  }
  g_Debug().Output("Read=" + std::to_string(m_oCommands.Count()) +
                   "  Num Commands=" + std::to_string(m_oCommands.Ids().Next() - m_oCommands.Ids().First()));
  g_Debug().Output([&] { return std::string("RV=") + (result ? "True" : "False"); });
  if (timing) common::g_oTiming().TimerStop("ReadConfig", 1);
  return result;
}

FennickHandler::ReadOutcome FennickHandler::ReadConfiguredItems(const ParsedConfiguration& parsed) {
  using End = ParsedConfiguration::End;
  if (parsed.end == End::kBadVersion) {
    base::Prompt("Invalid file version!", base::kPromptExclamation, common::g_szAppTitle());
    return ReadOutcome::kFailed;
  }
  if (parsed.end == End::kBadHeader) {
    base::Prompt("File is corrupt!", base::kPromptExclamation, common::g_szAppTitle());
    return ReadOutcome::kFailed;
  }
  m_oFileHeader = parsed.header;
  const bool ownFolderBitmap = g_oOptions().m_bShellUseOwnFolderBitmap;
  HMENU currentMenu = m_hRootMenu;
  for (std::size_t i = 0; i <= parsed.records.size(); ++i) {
    if (i == parsed.records.size()) {
      if (parsed.end == End::kComplete) break;
      // The record the reading stopped in keeps its place, as it did when
      // the file was read record by record.
      if (parsed.stoppedInRecord) {
        EntryPtr entry = m_oCommands.Add(std::make_shared<clsCorvaneData>(), currentMenu);
        if (i == 0) entry->submenu = m_hRootMenu;
      }
      if (parsed.end == End::kRaised && parsed.error) throw *parsed.error;
      base::Prompt("File is corrupt!", base::kPromptCritical, common::g_szAppTitle());
      return ReadOutcome::kFailed;
    }
    const ParsedRecord& record = parsed.records[i];
    // A copy: the build fills in captions and pictures of its own.
    auto item = std::make_shared<clsCorvaneData>(record.item);
    EntryPtr entry = m_oCommands.Add(item, currentMenu);
    // The root record's children go into the root popup.
    if (i == 0) entry->submenu = m_hRootMenu;
    if (const std::int32_t parentIndex = record.parentIndex; parentIndex != 0) {
      EntryPtr parent = m_oCommands.At(parentIndex);
      if (!parent) {
        g_Debug().Output([&] { return "Parent not found: " + std::to_string(parentIndex); });
        return ReadOutcome::kFailed;
      }
      currentMenu = parent->submenu ? parent->submenu : parent->menu;
      entry->menu = currentMenu;
    }

    bool userItem = false;
    std::int32_t bitmapKey = kBitmapNone;
    std::string fileName;
    bool makesPopup = false;
    switch (item->m_lType) {
      case clsCorvaneData::TypeRoot:
        g_szRootCaption() = m_oDataTools.MenuCaption(*item, userItem, 0);
        continue;
      case clsCorvaneData::TypeSeparator:
        AppendMenuA(currentMenu, MF_SEPARATOR, 0, "");
        continue;
      case clsCorvaneData::TypeFolder:
        bitmapKey = ownFolderBitmap ? kBitmapFolder : kBitmapFileIcon;
        if (item->OptionsIsCSIDL()) {
          const std::int32_t csidl = item->FolderCSIDL();
          item->SetCaption(common::GetSpecialFolderName(nullptr, csidl, true));
          if (IsCurrentFolderCSIDL(nullptr, csidl, m_oSelection.m_szCurrentFolder)) bitmapKey = kBitmapCurrentFolder;
        } else if (m_oSelection.m_szCurrentFolder == item->Location()) {
          bitmapKey = kBitmapCurrentFolder;
        }
        break;
      case clsCorvaneData::TypeFile:
        bitmapKey = kBitmapFileIcon;
        fileName = item->Location();
        break;
      case clsCorvaneData::TypeDynamicFolder:
        bitmapKey = kBitmapFileIcon;
        makesPopup = true;
        break;
      case clsCorvaneData::TypeCopyToX:
        if (m_oSelection.m_lSelectionCount <= 0) continue;
        bitmapKey = kBitmapFileIcon;
        break;
      case clsCorvaneData::TypeCustomAction: bitmapKey = kBitmapCustomAction; break;
      case clsCorvaneData::TypeSelectionTask:
        if (!SelectionTaskShown(*item, m_oSelection.m_lSelectionCount)) continue;
        bitmapKey = kBitmapSelectionTask;
        break;
      case clsCorvaneData::TypePopupMenu: makesPopup = true; break;
      default: continue;
    }
    // An identifier check that refuses drops the rest of the file.
    if (!CanInsertMenuCommand(true, false)) return ReadOutcome::kStopped;
    const std::string caption = m_oDataTools.MenuCaption(*item, userItem, 0);
    base::UniqueHMenu submenu = makesPopup ? m_oCommands.CreateSubmenu() : base::UniqueHMenu();
    if (makesPopup && !submenu) continue;  // no popup without its submenu
    // Children find the submenu through the record before it is inserted.
    entry->submenu = submenu.get();
    if (AddMenuWithBitmap(entry, currentMenu, caption, bitmapKey, fileName, true, submenu.get())) {
      // Filled when it first opens; its parent menu owns it now.
      if (item->IsTypeDynamicFolder()) m_oCommands.AddDynamic(entry);
      submenu.release();
    } else {
      // Nothing leads to the submenu: it goes, and nothing goes into it.
      entry->submenu = nullptr;
    }
  }
  return ReadOutcome::kComplete;
}

void FennickHandler::AddEmptyPlaceholders(std::int32_t dynamicBefore) {
  if (!CanInsertMenuCommand(true, false)) return;
  EntryPtr entry = AddBuiltInEntry(clsCorvaneData::TypeDynamicFolderEmpty, m_hRootMenu);
  const std::int32_t id = m_oCommands.Ids().Take();
  m_oCommands.SetId(entry, id);
  m_oCommands.SetEmptyId(id);
  // The submenus of this build only: those of an earlier query on this
  // handler have their content already.
  for (std::int32_t i = dynamicBefore; i < m_oCommands.DynamicCount(); ++i)
    AppendEmptyPlaceholder(m_oCommands.DynamicMenu(i), id);
}

}  // namespace shellext
