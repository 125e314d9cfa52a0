// Fennick's shell and file helpers: starting documents and programs with a
// readable error, opening folders and item-identifier lists, converting
// between paths and lists, the folder picker that also shows files, and a few
// small conversions. Lists handed back belong to the caller.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <string>
#include <vector>

#include "base/error.h"

namespace shellext {

// --- small conversions -------------------------------------------------------

// The characters up to the NUL of an ANSI string; "" for a null address.
std::string StringFromAnsiPtr(const char* text);
// The window's class name; "" when the system gives none.
std::string GetWindowClassName(HWND hwnd);
// The high 16 bits, 0 to 65535.
constexpr std::uint32_t HiWord(std::uint32_t value) { return value >> 16; }
// The text's UTF-16 code units and a two-byte terminator in bytes; returns
// the byte count without the terminator. address receives the first byte's.
std::int32_t StringToUnicodeBytes(const std::string& text, std::vector<std::uint8_t>& bytes,
                                  const void** address = nullptr);

// --- paths -------------------------------------------------------------------------

// True when the attributes can be read and name a folder.
bool IsDirectory(const std::string& path);
// The path itself for a folder; else the text before the last backslash (the
// path when it has none). "C:" comes back as "C:\".
std::string GetFolderOfPath(const std::string& path);
// The file-system path of a list; "" when it has none.
std::string PidlToPath(PCIDLIST_ABSOLUTE pidl);
// The list the desktop folder parses from the path. A path that cannot be
// parsed raises the parser's failure (its HRESULT as the number).
base::UniquePidl GetPidlFromPath(HWND owner, const std::string& path);
// Whether the special folder's path is exactly `path` (case counts).
bool IsCurrentFolderCSIDL(HWND owner, std::int32_t csidl, const std::string& path);

// --- starting things -----------------------------------------------------------

// ShellExecute with the error of a refused request in *failure (number and
// description; "Path not found - " and the path is the caller's for 53 and
// 76). With neither parameters nor directory the show mode is SW_SHOWNORMAL.
// Never throws.
bool ShellExecuteChecked(const std::string& file, int show, const std::string& parameters,
                         const std::string& directory, const std::string& operation, HWND owner,
                         base::Error* failure = nullptr) noexcept;
// The address an Internet shortcut file holds ("" for none); a relative
// path is taken from the current folder, as the shell takes it.
std::string ReadInternetShortcutAddress(const std::string& path);
// Opens a document with its default verb; an Internet shortcut (".url") opens
// its address in the browser (OpenChoice.h). The shell reports its own
// failures.
void OpenFile(const std::string& path, HWND owner);
// OpenFile for a list with a path, the list itself for a virtual item.
void OpenFileEx(PCIDLIST_ABSOLUTE pidl, HWND owner);
// Opens the list as a new folder window.
void OpenFolderViaPidl(PCIDLIST_ABSOLUTE pidl, HWND owner);
// Opens a special folder in a window of its own; false when it has no list.
bool OpenSpecialFolderInExplorer(HWND owner, std::int32_t csidl);
// Posts WM_COMMAND with the command to the taskbar; false when there is none.
bool PostTrayCommand(std::uint32_t command);
// Brings forward the window's own top-level window (not some other window
// of its program).
void ActivateWindowProcess(HWND hwnd);

// --- the windows a command talks to ------------------------------------------------

// Whether the window is a folder browser's frame ("CabinetWClass",
// "ExploreWClass") of this process: only such a window is asked for its
// browser, and its answer is a pointer into this process.
bool IsBrowserWindowOfThisProcess(HWND hwnd);
// The browser a browser window of this process answers WM_USER+7 with
// (borrowed: never released); null for any other window.
IShellBrowser* ShellBrowserOf(HWND hwnd);
// The nearest browser frame above the window (its own excluded); null for none.
HWND BrowserFrameOf(HWND hwnd);
// Waits up to `milliseconds` for a dialog other than `before` to become the
// foreground window; false when none does.
bool WaitForNewForegroundDialog(HWND before, unsigned milliseconds);
// Starts the command interpreter (COMSPEC, "cmd.exe" when it is empty) with
// " /k" in the folder, through the folder argument of process creation: our
// host's own current folder is left alone. False when it cannot start.
bool StartCommandInterpreter(const std::string& folder);
// The folder this library was loaded from, without a trailing backslash.
std::string ModuleFolder();

// --- the folder picker -----------------------------------------------------------

// The shell's picker rooted at the desktop, showing files and web addresses
// as well, opening (and expanding) the start path. The chosen list, or null
// when the user cancels.
base::UniquePidl BrowseForFolderPidl(HWND owner, const std::string& title, const std::string& startPath,
                                     UINT extraFlags = 0);

}  // namespace shellext
