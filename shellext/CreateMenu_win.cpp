// The configured menu: the configuration file is read afresh on every
// right-click (a change saved in Designer shows at the next one), and each of
// its records becomes a member of m_oCommands at the record's position, so
// that a child finds its parent's submenu by the parent's position.
#include <memory>

#include "base/error.h"
#include "base/prompt.h"
#include "common/SpecialFolders.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/BinaryFile.h"
#include "config/clsOptions.h"
#include "shellext/FennickHandler.h"
#include "shellext/FennickThread.h"
#include "shellext/modShellTools.h"

namespace shellext {

using common::g_Debug;
using config::clsCorvaneData;
using config::g_oOptions;

namespace {

// The item header check of the reader refuses parents at or after the
// record; here a parent that is not there yet is looked up (and reported)
// by the builder itself.
constexpr std::int32_t kAnyParent = 0x7FFFFFFF;

bool SelectionTaskShown(const clsCorvaneData& item, std::int32_t count) {
  return (count > 0 && item.SelectionOptions_IsShowAlways()) || (count == 1 && item.SelectionOptions_IsShowSingle()) ||
         (count > 1 && item.SelectionOptions_IsShowMultiple());
}

}  // namespace

bool FennickHandler::CreateMenu() {
  common::TraceScope scope("CreateMenu");
  const std::string& path = g_oOptions().m_szShellConfigFile;
  g_Debug().Output([&] { return "Opening: " + path; });
  g_Debug().Output([&] { return "StartCmdIndex=" + std::to_string(m_lMenuCmdId); });
  // Only this build's root record names the root.
  g_szRootCaption().clear();

  bool result = false;
  bool timing = false;
  std::unique_ptr<config::DiskFile> file;
  try {
    ReadOutcome outcome = ReadOutcome::kComplete;
    if (common::FileExists(path)) {
      file = std::make_unique<config::DiskFile>(path, config::DiskFile::Mode::kRead);
      const std::int64_t length = file->Length();
      if (length >= 1) {
        common::g_oTiming().TimerStart(1);
        timing = true;
        // One read of the whole file, then the records from memory: a read
        // per record costs the shell's thread far more.
        std::string bytes(static_cast<size_t>(length), '\0');
        file->Read(bytes.data(), bytes.size());
        file.reset();
        config::MemoryFile records(std::move(bytes));
        const std::int32_t dynamicBefore = m_oDynamicMenus.Count();
        outcome = ReadConfiguredItems(records);
        if (outcome == ReadOutcome::kComplete) AddEmptyPlaceholders(dynamicBefore);
      }
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
  g_Debug().Output([&] {
    return "Read=" + std::to_string(m_oCommands.Count()) +
           "  Num Commands=" + std::to_string(m_lMenuCmdId - m_lFirstCmdId);
  });
  file.reset();
  g_Debug().Output([&] { return std::string("RV=") + (result ? "True" : "False"); });
  if (timing) common::g_oTiming().TimerStop("ReadConfig", 1);
  return result;
}

FennickHandler::ReadOutcome FennickHandler::ReadConfiguredItems(config::BinaryFile& file) {
  const std::int32_t version = m_oDataTools.File_ReadVersion(file);
  if (version != config::clsCorvaneDataTools::MinVersion) {
    base::Prompt("Invalid file version!", base::kPromptExclamation, common::g_szAppTitle());
    return ReadOutcome::kFailed;
  }
  if (!m_oDataTools.File_ReadHeader(file, m_oFileHeader)) {
    base::Prompt("File is corrupt!", base::kPromptExclamation, common::g_szAppTitle());
    return ReadOutcome::kFailed;
  }
  const bool ownerDraw = g_oOptions().m_bShellOwnerDraw;
  const bool ownFolderBitmap = g_oOptions().m_bShellUseOwnFolderBitmap;
  std::int32_t currentMenu = RegisterMenu(m_hRootMenu);
  for (std::int32_t i = 1; i <= m_oFileHeader.m_lNumNodes; ++i) {
    auto item = std::make_shared<clsCorvaneData>();
    ItemPtr member = m_oCommands.Add("", kNoCommandId, item, "", currentMenu);
    std::int32_t parentIndex = 0;
    if (!m_oDataTools.File_ReadItemHeader(file, parentIndex, *item, kAnyParent)) {
      base::Prompt("File is corrupt!", base::kPromptCritical, common::g_szAppTitle());
      return ReadOutcome::kFailed;
    }
    if (parentIndex != 0) {
      ItemPtr parent = m_oCommands.Item(parentIndex);
      if (!parent) {
        g_Debug().Output([&] { return "Parent not found: " + std::to_string(parentIndex); });
        return ReadOutcome::kFailed;
      }
      currentMenu = parent->m_lData;
      member->m_lData = currentMenu;
    }
    m_oDataTools.ReadData(file, *item);

    bool userItem = false;
    std::int32_t bitmapKey = kBitmapNone;
    std::string fileName;
    bool makesPopup = false;
    switch (item->m_lType) {
      case clsCorvaneData::TypeRoot:
        g_szRootCaption() = m_oDataTools.MenuCaption(*item, userItem, 0);
        continue;
      case clsCorvaneData::TypeSeparator:
        AppendMenuA(MenuFromNumber(currentMenu), MF_SEPARATOR, 0, "");
        continue;
      case clsCorvaneData::TypeFolder:
        bitmapKey = ownFolderBitmap ? kBitmapFolder : kBitmapFileIcon;
        if (item->OptionsIsCSIDL()) {
          const std::int32_t csidl = item->FolderCSIDL();
          item->SetCaption(common::GetSpecialFolderName(nullptr, csidl, true));
          if (IsCurrentFolderCSIDL(nullptr, csidl, m_szCurrentFolder)) bitmapKey = kBitmapCurrentFolder;
        } else if (m_szCurrentFolder == item->Location()) {
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
        if (m_lSelectionCount <= 0) continue;
        bitmapKey = kBitmapFileIcon;
        break;
      case clsCorvaneData::TypeCustomAction: bitmapKey = kBitmapCustomAction; break;
      case clsCorvaneData::TypeSelectionTask:
        if (!SelectionTaskShown(*item, m_lSelectionCount)) continue;
        bitmapKey = kBitmapSelectionTask;
        break;
      case clsCorvaneData::TypePopupMenu: makesPopup = true; break;
      default: continue;
    }
    // An identifier check that refuses drops the rest of the file.
    if (!CanInsertMenuCommand(true, false)) return ReadOutcome::kStopped;
    const std::string caption = m_oDataTools.MenuCaption(*item, userItem, 0);
    base::UniqueHMenu submenu(makesPopup ? CreatePopupMenu() : nullptr);
    std::int32_t submenuNumber = 0;
    if (submenu) {
      submenuNumber = RegisterMenu(submenu.get());
      member->m_lData = submenuNumber;
      if (item->IsTypeDynamicFolder()) m_oDynamicMenus.Add("", submenuNumber, member, "", 0);
    }
    HBITMAP fileBitmap = nullptr;
    std::int32_t position = -1;
    const bool inserted = AddMenuWithBitmap(member, MenuFromNumber(currentMenu), caption, m_lMenuCmdId, bitmapKey,
                                            fileBitmap, position, fileName, true, ownerDraw, submenu.get());
    if (inserted) {
      submenu.release();  // its parent menu owns it now
    } else if (submenu && item->IsTypeDynamicFolder()) {
      // Nothing leads to the submenu: it goes, and is filled by nobody.
      m_oDynamicMenus.Remove(m_oDynamicMenus.Count());
    }
  }
  return ReadOutcome::kComplete;
}

void FennickHandler::AddEmptyPlaceholders(std::int32_t dynamicBefore) {
  if (!CanInsertMenuCommand(true, false)) return;
  ItemPtr member = AddBuiltInEntry(clsCorvaneData::TypeDynamicFolderEmpty, m_hRootMenu);
  member->m_lKey = m_lMenuCmdId;
  m_lEmptyCmdId = m_lMenuCmdId;
  ++m_lMenuCmdId;
  // The submenus of this build only: those of an earlier query on this
  // handler have their content already.
  for (std::int32_t i = dynamicBefore + 1; i <= m_oDynamicMenus.Count(); ++i)
    AppendEmptyPlaceholder(MenuFromNumber(m_oDynamicMenus.Item(i)->m_lKey));
}

}  // namespace shellext
