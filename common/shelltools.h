// The general tools that need Windows: starting documents, temporary files,
// short paths, the folder picker, resources, and the window functions.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <string>

#include "base/error.h"

namespace common {

// --- files and the shell -------------------------------------------------------

// Opens or runs the file through the shell. With neither parameters nor a
// directory the show command is always SW_SHOWNORMAL. False when the shell
// refuses; the error it stands for (ShellExecuteError, with this program's
// name as source) then goes to *failure. Never throws.
bool ShellExecuteFile(const std::string& file, int showCommand = 10,
                      const std::string& parameters = {}, const std::string& directory = {},
                      const std::string& verb = {}, HWND owner = nullptr,
                      base::Error* failure = nullptr) noexcept;

// A new empty file in the temporary folder, "VRK" followed by hexadecimal
// digits and ".tmp"; its full name. Raises 75 when none can be made.
std::string CreateTempFileName();

// The short (8.3) form of the path, or the path itself when there is none.
std::string GetShortPath(const std::string& path);

// The shell's folder picker, rooted at the desktop, opening on the initial
// folder, with flags | 0x75. The chosen folder's path; the initial folder
// when the user cancels or chooses something with no path (displayName is
// then left alone). Failures are reported in a message and end the browse.
std::string BrowseForFolder(HWND owner, const std::string& title, const std::string& initialFolder,
                            std::string* displayName = nullptr, UINT flags = 0);

// SHBrowseForFolder rooted at the desktop with these flags, callback and its
// data; displayName (MAX_PATH characters) receives the chosen item's name.
// The chosen list, null when the user cancels.
base::UniquePidl ShowFolderPicker(HWND owner, const std::string& title, UINT flags, BFFCALLBACK callback,
                                  LPARAM data, char* displayName);

// The picker's callback: opens it on the folder whose path data points to
// (a std::string), shows the path of each folder chosen in the status line,
// and on a typed name that names nothing says so and keeps the picker open
// (returns 1).
int CALLBACK BrowseCallbackProc(HWND dialog, UINT msg, LPARAM value, LPARAM data) noexcept;

// Writes the resource (name and type as FindResource takes them, "#101" for
// a number) to a new temporary file whose name ends with suffix, and
// returns that name. A resource that cannot be read is reported in a
// message; nothing is left on disk and the result is "".
std::string ExtractResourceToTempFile(const std::string& name, const std::string& type,
                                      const std::string& suffix);

// "1.04", or "1.04.000" with the revision, from this deliverable's version.
std::string GetAppVersion(bool withRevision);

// --- windows -------------------------------------------------------------------------

// WM_SETREDRAW; true when the window answers nonzero.
bool SetRedraw(HWND hwnd, bool enable);

// The window's class name and text, each "" when the system gives none.
void GetWindowClassAndText(HWND hwnd, std::string& className, std::string& text);

// Designer's single-instance test. The class of Designer's main window: a
// running Designer is a window of this class whose title begins with the
// program's title, in another process.
inline constexpr char kDesignerWindowClass[] = "CorvaneDesigner";

struct InstanceQuery {
  std::string title;        // the program's title; the window's title begins with it
  std::string windowClass;  // the window's class, exactly
};

// The window found by the last search, and its title (this thread's).
HWND& g_hPrevInstanceWnd();
std::string& g_szPrevInstanceTitle();

// EnumWindows callback; extra is the address of an InstanceQuery. Stops at
// the first match and records it in the two globals above. Windows of this
// process never match.
BOOL CALLBACK FindInstanceWindowProc(HWND hwnd, LPARAM extra) noexcept;

// Runs the search over every top-level window; the window found, or null.
HWND FindPreviousInstance(const std::string& title,
                          const std::string& windowClass = kDesignerWindowClass);

}  // namespace common
