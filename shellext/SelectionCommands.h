// The commands over the shell's selection: its names, the clipboard, the
// selection tasks and copy or move to a folder.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <string>
#include <vector>

#include "config/clsCorvaneData.h"
#include "shellext/SelectionWalk.h"

namespace shellext {

// The dropped-file list of the data object, in its order. A data object
// without one raises its failure.
std::vector<std::string> SelectedNames(IDataObject* selection);

// The file system as the selection walk reads it.
class RealFolderSource : public FolderSource {
 public:
  std::vector<WalkEntry> List(const std::string& folder) override;
  bool IsDirectory(const std::string& path) override;
  std::string Identity(const std::string& folder) override;
  std::string ShortPath(const std::string& path) override;
};

// Puts the text on the clipboard, opened with `owner`; what was there goes
// only when the new text is set. False when the clipboard cannot be had.
bool PutTextOnClipboard(HWND owner, const std::string& text);

// "Copy to Clipboard": the selected names (recursive: and everything below
// the selected folders, the progress window shown meanwhile) on the
// clipboard, one per line.
HRESULT CopySelectedNames(HWND hwnd, IDataObject* selection, bool shortNames, bool recursive);

// A selection task over the selection: its lists to the clipboard, to its
// file and to its program, as the item says; Shift walks into folders and
// Ctrl gives short names.
HRESULT RunSelectionTask(HWND hwnd, IDataObject* selection, const config::clsCorvaneData& item, bool shift, bool ctrl);

// Copies or moves the selection to the destination with the shell's own
// file operation. An empty destination is asked for; a relative one is
// taken from the menu's folder. The destination chosen is remembered.
HRESULT CopyOrMoveSelection(HWND hwnd, IDataObject* selection, bool copy, const std::string& destination,
                            const std::string& currentFolder);

}  // namespace shellext
