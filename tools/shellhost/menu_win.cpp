#include "tools/shellhost/menu_win.h"

#include <algorithm>

#include "base/com.h"
#include "base/handles.h"
#include "base/winstr.h"
#include "common/menu_messenger_win.h"

namespace shellhost {

namespace {

constexpr UINT kStringBuffer = MAX_PATH;  // what a shell offers for a verb or a help text
constexpr size_t kMaxDepth = 16;
constexpr UINT kMaxDrawWidth = 2048;
constexpr UINT kMaxDrawHeight = 512;

using common::MenuMessenger;

std::string ItemText(HMENU menu, UINT index) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_STRING;
  if (!GetMenuItemInfoA(menu, index, TRUE, &mii) || mii.cch == 0) return {};
  std::string text(mii.cch + 1, '\0');
  mii.dwTypeData = text.data();
  mii.cch = static_cast<UINT>(text.size());
  if (!GetMenuItemInfoA(menu, index, TRUE, &mii)) return {};
  text.resize(std::min<size_t>(mii.cch, text.size() - 1));
  return text;
}

std::vector<MenuEntry> ReadLevel(HMENU menu, const WalkOptions& o) {
  std::vector<MenuEntry> level;
  int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    auto index = static_cast<UINT>(i);
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_DATA | MIIM_BITMAP;
    MenuEntry e;
    if (!GetMenuItemInfoA(menu, index, TRUE, &mii)) {
      e.text = "(unreadable item)";
      level.push_back(std::move(e));
      continue;
    }
    e.id = mii.wID;
    e.submenu = mii.hSubMenu;
    e.ownerDraw = (mii.fType & MFT_OWNERDRAW) != 0;
    e.data = mii.dwItemData;
    if (mii.fType & MFT_SEPARATOR)
      e.kind = ItemKind::Separator;
    else if (mii.hSubMenu)
      e.kind = ItemKind::Popup;
    else if (e.ownerDraw)
      e.kind = ItemKind::OwnerDraw;
    e.hasOffset = mii.wID >= o.first && mii.wID <= o.last;
    e.offset = e.hasOffset ? mii.wID - o.first : 0;
    // An owner-drawn item may keep a text beside its item data (set with
    // MIIM_STRING); it is shown when there is one.
    e.text = ItemText(menu, index);
    e.checked = (mii.fState & MFS_CHECKED) != 0;
    e.disabled = (mii.fState & MFS_DISABLED) != 0;
    e.isDefault = (mii.fState & MFS_DEFAULT) != 0;
    e.bitmap = mii.hbmpItem != nullptr || (mii.fType & MFT_BITMAP) != 0;
    e.checkBitmaps = mii.hbmpChecked != nullptr || mii.hbmpUnchecked != nullptr;
    level.push_back(std::move(e));
  }
  return level;
}

CommandString AskString(IContextMenu* handler, UINT offset, UINT type) {
  CommandString s;
  bool wide = (type & GCS_UNICODE) != 0;
  // Zeroed, one more than offered, so a handler that writes nothing or fills
  // the buffer to the brim still leaves a terminated string.
  std::wstring wbuf(wide ? kStringBuffer + 1 : 0, L'\0');
  std::string abuf(wide ? 0 : kStringBuffer + 1, '\0');
  LPSTR out = wide ? reinterpret_cast<LPSTR>(wbuf.data()) : abuf.data();
  s.hr = base::ComBoundary([&] { return handler->GetCommandString(offset, type, nullptr, out, kStringBuffer); });
  if (SUCCEEDED(s.hr)) s.text = wide ? base::Narrow(wbuf.c_str()) : std::string(abuf.c_str());
  return s;
}

CommandStrings AskStrings(IContextMenu* handler, UINT offset) {
  CommandStrings s;
  s.verb = AskString(handler, offset, GCS_VERBW);
  s.help = AskString(handler, offset, GCS_HELPTEXTW);
  s.verbA = AskString(handler, offset, GCS_VERBA);
  s.helpA = AskString(handler, offset, GCS_HELPTEXTA);
  s.validate = AskString(handler, offset, GCS_VALIDATEW).hr;
  s.validateA = AskString(handler, offset, GCS_VALIDATEA).hr;
  return s;
}

UINT DrawStateOf(const MenuEntry& e) {
  UINT state = 0;
  if (e.checked) state |= ODS_CHECKED;
  if (e.disabled) state |= ODS_DISABLED | ODS_GRAYED;
  if (e.isDefault) state |= ODS_DEFAULT;
  return state;
}

constexpr int kDrawMargin = 4;  // the item rectangle stands this far from the bitmap's edges

// The bitmap's pixels, top row first, 0x00RRGGBB.
std::vector<DWORD> PixelsOf(HDC dc, HBITMAP bitmap, int width, int height) {
  BITMAPINFO bi{};
  bi.bmiHeader.biSize = sizeof bi.bmiHeader;
  bi.bmiHeader.biWidth = width;
  bi.bmiHeader.biHeight = -height;
  bi.bmiHeader.biPlanes = 1;
  bi.bmiHeader.biBitCount = 32;
  bi.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> pixels(static_cast<size_t>(width) * static_cast<size_t>(height));
  if (!GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), pixels.data(), &bi, DIB_RGB_COLORS)) pixels.clear();
  return pixels;
}

// A 32-bit top-down BMP file of the pixels.
void SaveBmp(const std::string& path, const std::vector<DWORD>& pixels, int width, int height) {
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = -height;
  info.biPlanes = 1;
  info.biBitCount = 32;
  info.biCompression = BI_RGB;
  const DWORD bytes = static_cast<DWORD>(pixels.size() * sizeof(DWORD));
  BITMAPFILEHEADER file{};
  file.bfType = 0x4d42;  // "BM"
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + bytes;
  base::UniqueFile out(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!out) return;
  DWORD written = 0;
  WriteFile(out.get(), &file, sizeof file, &written, nullptr);
  WriteFile(out.get(), &info, sizeof info, &written, nullptr);
  WriteFile(out.get(), pixels.data(), bytes, &written, nullptr);
}

// WM_DRAWITEM into a white memory DC of the measured size (and a margin),
// as the menu does when it shows the item; whether a pixel changed. With a
// folder, the picture is kept there as a file too.
HRESULT DrawItem(MenuEntry& e, HMENU menu, MenuMessenger& messenger, UINT itemId, UINT state, int width, int height,
                 bool& painted, const std::string& file) {
  const int fullWidth = width + 2 * kDrawMargin, fullHeight = height + 2 * kDrawMargin;
  base::WindowDc screen(nullptr);
  base::UniqueHdc dc(CreateCompatibleDC(screen.get()));
  base::UniqueHBitmap bitmap(CreateCompatibleBitmap(screen.get(), fullWidth, fullHeight));
  if (!dc || !bitmap) return E_OUTOFMEMORY;
  HRESULT hr;
  {
    base::SelectObjectScope selectBitmap(dc.get(), bitmap.get());
    base::SelectObjectScope selectFont(dc.get(), GetStockObject(DEFAULT_GUI_FONT));
    RECT all{0, 0, fullWidth, fullHeight};
    FillRect(dc.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    DRAWITEMSTRUCT dis{};
    dis.CtlType = ODT_MENU;
    dis.itemID = itemId;
    dis.itemAction = ODA_DRAWENTIRE;
    dis.itemState = state;
    dis.hwndItem = reinterpret_cast<HWND>(menu);  // for menus, the menu that holds the item
    dis.hDC = dc.get();
    dis.rcItem = RECT{kDrawMargin, kDrawMargin, kDrawMargin + width, kDrawMargin + height};
    dis.itemData = e.data;
    hr = messenger.Send(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    GdiFlush();
  }
  const std::vector<DWORD> pixels = PixelsOf(dc.get(), bitmap.get(), fullWidth, fullHeight);
  painted = std::any_of(pixels.begin(), pixels.end(), [](DWORD p) { return (p & 0xffffff) != 0xffffff; });
  if (!file.empty() && !pixels.empty()) SaveBmp(file, pixels, fullWidth, fullHeight);
  return hr;
}

// WM_MEASUREITEM, then WM_DRAWITEM (it draws even when measuring failed);
// with a picture folder, drawn selected as well.
void MeasureAndDraw(MenuEntry& e, HMENU menu, MenuMessenger& messenger, const WalkOptions& o) {
  // The identifier the menu keeps for the item (for a popup made by
  // AppendMenu, its submenu handle).
  const UINT itemId = e.id;
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = itemId;
  mis.itemData = e.data;
  e.measured = messenger.Send(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
  e.width = mis.itemWidth;
  e.height = mis.itemHeight;

  const int width = static_cast<int>(std::clamp<UINT>(mis.itemWidth, 1, kMaxDrawWidth));
  const int height = static_cast<int>(std::clamp<UINT>(mis.itemHeight, 1, kMaxDrawHeight));
  const std::string file = o.drawDir.empty() ? std::string() : o.drawDir + "\\" + std::to_string(itemId);
  e.drawn = DrawItem(e, menu, messenger, itemId, DrawStateOf(e), width, height, e.painted,
                     file.empty() ? file : file + ".bmp");
  if (!file.empty()) {
    bool painted = false;
    DrawItem(e, menu, messenger, itemId, DrawStateOf(e) | ODS_SELECTED, width, height, painted, file + "-selected.bmp");
  }
}

struct Walker {
  IContextMenu* handler;
  const WalkOptions& options;
  MenuMessenger messenger;
  std::vector<HMENU> path;  // the menus from the root down to the level being read

  // A level is shown after its WM_INITMENUPOPUP: its owner-drawn items are
  // measured and drawn, then each submenu is opened in turn.
  void Walk(std::vector<MenuEntry>& level, HMENU menu) {
    if (options.ownerDraw)
      for (MenuEntry& e : level)
        if (e.ownerDraw) MeasureAndDraw(e, menu, messenger, options);
    for (size_t i = 0; i < level.size(); ++i) {
      MenuEntry& e = level[i];
      if (e.kind != ItemKind::Popup) continue;
      if (path.size() >= kMaxDepth || std::find(path.begin(), path.end(), e.submenu) != path.end()) {
        e.cycle = true;
        continue;
      }
      if (options.openSubmenus)
        e.opened = messenger.Send(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(e.submenu),
                                  MAKELPARAM(static_cast<WORD>(i), FALSE));
      e.children = ReadLevel(e.submenu, options);
      path.push_back(e.submenu);
      Walk(e.children, e.submenu);
      path.pop_back();
    }
    for (MenuEntry& e : level)
      if (e.hasOffset && e.kind != ItemKind::Separator) e.strings = AskStrings(handler, e.offset);
  }
};

}  // namespace

std::vector<MenuEntry> ReadMenuTree(HMENU root, IContextMenu* handler, const WalkOptions& options) {
  Walker walker{handler, options, MenuMessenger(handler, options.menu2), {root}};
  std::vector<MenuEntry> tree = ReadLevel(root, options);
  walker.Walk(tree, root);
  return tree;
}

}  // namespace shellhost
