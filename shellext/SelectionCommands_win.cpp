#include "shellext/SelectionCommands.h"

#include <shlobj.h>

#include <cstring>

#include "actions/clsCustomActions.h"
#include "base/error.h"
#include "base/prompt.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "common/SpecialFolders.h"
#include "common/shelltools.h"
#include "common/tools.h"
#include "shellext/FennickThread.h"
#include "shellext/frmClipboardProgress.h"
#include "shellext/frmCopyTo.h"
#include "shellext/modShellTools.h"

namespace shellext {

using common::g_Debug;
using config::clsCorvaneData;

namespace {

void Exclaim(const std::string& text) { base::Prompt(text, base::kPromptExclamation, common::g_szAppTitle()); }

// Opens the clipboard, trying a few times: another program may hold it for
// a moment.
class ClipboardScope {
 public:
  explicit ClipboardScope(HWND owner) {
    for (int i = 0; i < 20 && !m_open; ++i) {
      m_open = OpenClipboard(owner) != FALSE;
      if (!m_open) Sleep(25);
    }
  }
  ~ClipboardScope() {
    if (m_open) CloseClipboard();
  }
  ClipboardScope(const ClipboardScope&) = delete;
  ClipboardScope& operator=(const ClipboardScope&) = delete;
  explicit operator bool() const { return m_open; }

 private:
  bool m_open = false;
};

bool WriteSelectionFile(const std::string& path, const std::string& text, base::Error& failure) {
  DeleteFileA(path.c_str());
  base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    failure = base::Error(error == ERROR_PATH_NOT_FOUND ? base::kErrPathNotFound : base::kErrPathFileAccess,
                          "RunSelectionTask",
                          error == ERROR_PATH_NOT_FOUND ? "Path not found" : "Path/File access error");
    return false;
  }
  DWORD written = 0;
  return text.empty() || (WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                          written == text.size());
}

}  // namespace

std::vector<std::string> SelectedNames(IDataObject* selection) {
  if (!selection) base::RaiseError(E_INVALIDARG, "SelectedNames", "No selection");
  FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
  STGMEDIUM medium{};
  const HRESULT hr = selection->GetData(&format, &medium);
  if (FAILED(hr)) base::RaiseError(hr, "SelectedNames", "The selection has no file names");
  struct MediumRelease {
    STGMEDIUM* m;
    ~MediumRelease() { ReleaseStgMedium(m); }
  } release{&medium};
  auto drop = static_cast<HDROP>(medium.hGlobal);
  std::vector<std::string> names;
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  for (UINT i = 0; i < count; ++i) {
    const UINT length = DragQueryFileA(drop, i, nullptr, 0);
    std::string name(static_cast<size_t>(length) + 1, '\0');
    name.resize(DragQueryFileA(drop, i, name.data(), length + 1));
    names.push_back(common::CutAtNull(name));
  }
  return names;
}

std::vector<WalkEntry> RealFolderSource::List(const std::string& folder) {
  std::vector<WalkEntry> entries;
  WIN32_FIND_DATAA data{};
  base::UniqueFind find(FindFirstFileA((folder + "*.*").c_str(), &data));
  if (!find) return entries;
  do {
    const std::string name = common::CutAtNull(std::string(data.cFileName, sizeof data.cFileName));
    if (name == "." || name == "..") continue;
    entries.push_back({name, (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                       (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
  } while (FindNextFileA(find.get(), &data));
  return entries;
}

bool RealFolderSource::IsDirectory(const std::string& path) { return shellext::IsDirectory(path); }

std::string RealFolderSource::Identity(const std::string& folder) {
  base::UniqueFile handle(CreateFileA(folder.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!handle || !GetFileInformationByHandle(handle.get(), &info)) return "";
  return std::to_string(info.dwVolumeSerialNumber) + ":" + std::to_string(info.nFileIndexHigh) + ":" +
         std::to_string(info.nFileIndexLow);
}

std::string RealFolderSource::ShortPath(const std::string& path) { return common::GetShortPath(path); }

bool PutTextOnClipboard(HWND owner, const std::string& text) {
  // The memory is made before the clipboard is emptied: a failure leaves
  // what was there.
  base::UniqueHGlobal memory(GlobalAlloc(GMEM_MOVEABLE, text.size() + 1));
  if (!memory) return false;
  if (void* bytes = GlobalLock(memory.get())) {
    std::memcpy(bytes, text.c_str(), text.size() + 1);
    GlobalUnlock(memory.get());
  } else {
    return false;
  }
  ClipboardScope clipboard(owner);
  if (!clipboard || !EmptyClipboard()) return false;
  if (!SetClipboardData(CF_TEXT, memory.get())) return false;
  memory.release();  // the clipboard's now
  return true;
}

HRESULT CopySelectedNames(HWND hwnd, IDataObject* selection, bool shortNames, bool recursive) {
  common::TraceScope scope("CopySelectedNames");
  const std::vector<std::string> names = SelectedNames(selection);
  frmClipboardProgress progress(false);
  std::string list;
  progress.Walk(hwnd, recursive, [&](const SelectionWalk::Progress& told) {
    RealFolderSource source;
    SelectionWalk walk(source, shortNames, told);
    list = walk.ClipboardList(names, recursive);
  });
  // A stopped walk still gives the names it had collected.
  return progress.PutOnClipboard(list) ? S_OK : E_FAIL;
}

HRESULT RunSelectionTask(HWND hwnd, IDataObject* selection, const clsCorvaneData& item, bool shift, bool ctrl) {
  common::TraceScope scope("RunSelectionTask");
  const std::vector<std::string> names = SelectedNames(selection);
  TaskTexts texts{item.m_szSelection_CmdPrefix, item.m_szSelection_CmdSuffix, item.m_szSelection_FilePrefix,
                  item.m_szSelection_FileSuffix, item.m_szSelection_Filter, item.SelectionOptions_IsQIS() != 0};
  const bool recursive = shift || item.SelectionOptions_IsRecurse() != 0;
  frmClipboardProgress progress(true);
  TaskLists lists;
  progress.Walk(hwnd, recursive, [&](const SelectionWalk::Progress& told) {
    RealFolderSource source;
    SelectionWalk walk(source, item.SelectionOptions_IsShortNames() != 0 || ctrl, told);
    lists = walk.TaskList(names, recursive, texts);
  });
  if (progress.m_bStop) return S_OK;
  if (!item.m_szSelection_Filter.empty() && lists.file.empty()) {
    Exclaim("Selection Task - " + item.Caption() + "\r\n\r\nFilter (" + item.m_szSelection_Filter +
            ") qualified nothing!");
    return S_OK;
  }
  if (item.SelectionOptions_IsClipboard() && !progress.PutOnClipboard(lists.file)) g_Debug().Output("No clipboard");
  if (!item.m_szSelection_File.empty()) {
    base::Error failure(0, "");
    if (!WriteSelectionFile(item.m_szSelection_File, lists.file, failure))
      Exclaim("Could not open the selection file '" + item.m_szSelection_File + "'\r\n\r\nError " +
              std::to_string(failure.Number()) + ": " + failure.Description());
  }
  if (!item.m_szSelection_Command.empty()) {
    actions::clsCustomActions builder;
    builder.m_szActions = item.m_szSelection_Parms;
    const std::string parameters = builder.BuildActionString("<item goes here>", lists.cmdLine);
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.hwnd = hwnd;
    info.lpFile = item.m_szSelection_Command.c_str();
    info.lpParameters = parameters.c_str();
    info.lpDirectory = item.m_szSelection_WorkingDir.empty() ? nullptr : item.m_szSelection_WorkingDir.c_str();
    info.nShow = SW_SHOW;
    ShellExecuteExA(&info);
  }
  return S_OK;
}

HRESULT CopyOrMoveSelection(HWND hwnd, IDataObject* selection, bool copy, const std::string& destination,
                            const std::string& currentFolder) {
  common::TraceScope scope("CopyOrMoveSelection");
  std::string chosen;
  if (destination.empty()) {
    frmCopyTo dialog;
    dialog.m_bCopyTo = copy;
    // Cancelled: nothing is copied, nothing remembered.
    if (!dialog.Choose(hwnd, g_oCopyToMRU(), currentFolder)) return S_OK;
    chosen = dialog.m_szDest;  // absolute, found and remembered by the dialog
  } else {
    // A configured destination goes to the shell unchecked, but absolute.
    const std::optional<std::string> absolute = AbsoluteDestination(destination, currentFolder);
    if (!absolute) {
      Exclaim("Destination folder does not exist!");
      return E_FAIL;
    }
    chosen = *absolute;
  }
  std::string from;
  for (const std::string& name : SelectedNames(selection)) from += name + '\0';
  from += '\0';
  std::string to = chosen + '\0' + '\0';
  SHFILEOPSTRUCTA op{};
  op.hwnd = hwnd;
  op.wFunc = copy ? FO_COPY : FO_MOVE;
  op.pFrom = from.c_str();
  op.pTo = to.c_str();
  op.fFlags = FOF_ALLOWUNDO;
  const int result = SHFileOperationA(&op);
  g_Debug().Output("SHFileOperation=" + std::to_string(result));
  return S_OK;
}

}  // namespace shellext
