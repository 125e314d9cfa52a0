// The test view's right-click: the shell's side of Fennick's context menu.
#include "designer/TestView.h"

#include <commctrl.h>

#include <cstdio>

#include "base/error.h"
#include "base/prompt.h"
#include "common/appinfo.h"
#include "common/context_menu_client_win.h"
#include "resources/identity.h"

namespace designer {

namespace {

// The identifiers Fennick's commands take, as a shell view grants them.
constexpr UINT kFirstCommand = 1;
constexpr UINT kLastCommand = 0x7fff;

std::string HResultText(HRESULT hr) {
  char text[16];
  std::snprintf(text, sizeof text, "0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

void Report(const std::string& text) {
  base::Prompt(text, base::kPromptExclamation, common::g_szAppTitle());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  if (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) return folder + name;
  return folder + "\\" + name;
}

// The class key a shell finds Fennick under for this selection, as it is
// registered: every file, folders, or a folder's background.
base::UniqueHKey ClassKeyOf(const std::vector<std::string>& paths) {
  const char* key = "Directory\\Background";
  if (!paths.empty()) {
    const DWORD attributes = GetFileAttributesA(paths.front().c_str());
    key = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) ? "Directory" : "*";
  }
  base::UniqueHKey classKey;
  RegOpenKeyExA(HKEY_CLASSES_ROOT, key, 0, KEY_READ, classKey.put());
  return classKey;
}

DWORD KeysHeld() {
  DWORD keys = 0;
  if (GetKeyState(VK_SHIFT) < 0) keys |= CMIC_MASK_SHIFT_DOWN;
  if (GetKeyState(VK_CONTROL) < 0) keys |= CMIC_MASK_CONTROL_DOWN;
  return keys;
}

// WM_CONTEXTMENU's point: signed screen coordinates, (-1, -1) from the keyboard.
POINT PointOf(LPARAM lp) {
  return POINT{static_cast<short>(LOWORD(static_cast<DWORD_PTR>(lp))),
               static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lp)))};
}

}  // namespace

// The list makes WM_CONTEXTMENU of the right button's release, and the
// default window procedure of the context-menu key and Shift+F10 (with the
// point -1, -1); one menu each.
bool TestView::InnerMessage(UINT msg, WPARAM&, LPARAM& lp, LRESULT* result) {
  if (msg != WM_CONTEXTMENU) return false;
  *result = 0;
  const POINT screen = PointOf(lp);
  if (screen.x == -1 && screen.y == -1) {
    ShowShellMenu(std::nullopt);
    return true;
  }
  // The entry under the pointer joins the selection as in a shell view;
  // empty space stands for the folder itself.
  LVHITTESTINFO hit{};
  hit.pt = screen;
  ScreenToClient(Inner(), &hit.pt);
  const int index = static_cast<int>(SendMessageA(Inner(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
  if (index < 0 || !(hit.flags & LVHT_ONITEM)) {
    ListView_SetItemState(Inner(), -1, 0, LVIS_SELECTED);
  } else if (!(ListView_GetItemState(Inner(), index, LVIS_SELECTED) & LVIS_SELECTED)) {
    ListView_SetItemState(Inner(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(Inner(), index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  ShowShellMenu(screen);
  return true;
}

POINT TestView::KeyboardMenuPoint(bool background) const {
  POINT point{2, 2};
  RECT item{};
  item.left = LVIR_BOUNDS;
  const int focused = ListView_GetNextItem(Inner(), -1, LVNI_FOCUSED | LVNI_SELECTED);
  if (!background && focused >= 0 &&
      SendMessageA(Inner(), LVM_GETITEMRECT, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&item)))
    point = POINT{item.left + (item.bottom - item.top) / 2, item.bottom};
  ClientToScreen(Inner(), &point);
  return point;
}

void TestView::ShowShellMenu(std::optional<POINT> screen) {
  if (m_folder.empty() || !Inner()) return;
  std::vector<std::string> paths;
  for (const std::string& name : Selected()) paths.push_back(JoinPath(m_folder, name));
  const POINT at = screen ? *screen : KeyboardMenuPoint(paths.empty());

  try {
    const common::ShellSelection selection =
        paths.empty() ? common::SelectShellBackground(m_folder) : common::SelectShellItems(paths, Hwnd());
    common::ContextMenuClient client;
    HRESULT hr = client.Create(identity::kFennickClsid);
    if (FAILED(hr)) {
      Report(hr == REGDB_E_CLASSNOTREG
                 ? std::string("Fennick is not registered, so its menu cannot be shown here.\r\n\r\n"
                               "Register Fennick.dll and try again.")
                 : "Fennick could not be started (" + HResultText(hr) + ").");
      return;
    }
    const base::UniqueHKey classKey = ClassKeyOf(paths);
    hr = client.Initialize(selection, classKey.get());
    if (SUCCEEDED(hr)) hr = client.Query(kFirstCommand, kLastCommand, CMF_NORMAL);
    if (FAILED(hr)) {
      Report("Fennick could not build its menu (" + HResultText(hr) + ").");
      return;
    }
    if (GetMenuItemCount(client.Menu()) <= 0) return;

    const UINT chosen = client.Track(Hwnd(), at);
    if (chosen < kFirstCommand) return;
    common::InvokeRequest request;
    request.offset = chosen - kFirstCommand;
    request.owner = Hwnd();
    if (selection.folderIsDirectory) request.directory = selection.folder;
    request.point = at;
    request.keys = KeysHeld();
    // A command that fails tells the user itself, as in a shell.
    client.Invoke(request);
  } catch (const base::Error& e) {
    Report(e.Description());
  } catch (...) {
    Report(base::CurrentError(Name()).Description());
  }
}

}  // namespace designer
