// A small context-menu handler for shellhost's own tests. Its items say what
// the host gave it, so a test reads the selection, pidlFolder and the class
// key straight off the printed menu:
//   0 "Selection N: FIRST" (or "Selection none"), default; verb crvsh.touch
//     writes touched.txt into the folder, saying how it was invoked
//   - separator
//   1 popup "Shellhost test"
//       2 "Class TAG", checked, with a check bitmap   (TAG from the class key)
//       3 owner-drawn, item data 0x5afe, 80x18, drawn black
//       4 "Opened", added on the submenu's WM_INITMENUPOPUP
//   5 "Folder LEAF" (or "Folder none"), disabled, with a bitmap
// The verb crvsh.crash faults, for the host's crash report.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <fstream>
#include <string>

#include "base/com.h"
#include "base/handles.h"
#include "base/winstr.h"
#include "tools/shellhost/tests/handler/testhandler_ids.h"

namespace {

enum Offset : UINT { kTouch = 0, kPopup = 1, kClass = 2, kDraw = 3, kOpened = 4, kFolder = 5, kCount = 6 };
constexpr ULONG_PTR kDrawData = 0x5afe;
constexpr UINT kDrawWidth = 80;
constexpr UINT kDrawHeight = 18;

struct Command {
  UINT offset;
  const wchar_t* verb;
  const wchar_t* help;
};

const Command kCommands[] = {
    {kTouch, L"crvsh.touch", L"Writes touched.txt"},
    {kClass, L"crvsh.class", L"Names the class key"},
    {kDraw, L"crvsh.draw", L"Drawn by its owner"},
    {kOpened, L"crvsh.opened", L"Added when the submenu opened"},
    {kFolder, L"crvsh.folder", L"Names the folder"},
};

const Command* CommandAt(UINT_PTR offset) {
  for (const Command& c : kCommands)
    if (c.offset == offset) return &c;
  return nullptr;
}

const Command* CommandNamed(const std::wstring& verb) {
  for (const Command& c : kCommands)
    if (verb == c.verb) return &c;
  return nullptr;
}

void Insert(HMENU menu, UINT index, MENUITEMINFOW& mii) {
  mii.cbSize = sizeof mii;
  InsertMenuItemW(menu, index, TRUE, &mii);
}

void InsertString(HMENU menu, UINT index, UINT id, const std::wstring& text, UINT state) {
  MENUITEMINFOW mii{};
  mii.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE;
  mii.wID = id;
  mii.fState = state;
  mii.dwTypeData = const_cast<wchar_t*>(text.c_str());
  Insert(menu, index, mii);
}

class TestHandler : public base::ComObject<TestHandler, IShellExtInit, IContextMenu3> {
 public:
  explicit TestHandler(int index) : m_index(index) {}

  static const base::QiEntry* Interfaces() noexcept {
    static const base::QiEntry table[] = {
        {&IID_IShellExtInit, base::InterfaceOffset<TestHandler, IShellExtInit>()},
        {&IID_IContextMenu, base::InterfaceOffset<TestHandler, IContextMenu3>()},
        {&IID_IContextMenu2, base::InterfaceOffset<TestHandler, IContextMenu3>()},
        {&IID_IContextMenu3, base::InterfaceOffset<TestHandler, IContextMenu3>()},
        {nullptr, 0},
    };
    return table;
  }

  // IShellExtInit
  STDMETHODIMP Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY classKey) noexcept override {
    return base::ComBoundary([&] {
      wchar_t path[MAX_PATH];
      m_folder = folder && SHGetPathFromIDListW(folder, path) ? path : L"";
      m_count = -1;
      m_firstName.clear();
      if (data) ReadSelection(data);
      m_tag = classKey ? ReadTag(classKey) : L"none";
      return S_OK;
    });
  }

  // IContextMenu
  STDMETHODIMP QueryContextMenu(HMENU menu, UINT index, UINT first, UINT last, UINT flags) noexcept override {
    return base::ComBoundary([&] {
      if ((flags & CMF_DEFAULTONLY) || last < first || last - first < kCount - 1)
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
      m_firstId = first;
      m_opened = false;
      if (!m_bitmap) m_bitmap.reset(CreateBitmap(16, 16, 1, 1, nullptr));

      std::wstring selection = m_count < 0 ? std::wstring(L"Selection none")
                                           : L"Selection " + std::to_wstring(m_count) + L": " + m_firstName;
      InsertString(menu, index++, first + kTouch, selection, MFS_DEFAULT);

      MENUITEMINFOW separator{};
      separator.fMask = MIIM_FTYPE;
      separator.fType = MFT_SEPARATOR;
      Insert(menu, index++, separator);

      m_submenu = CreatePopupMenu();
      MENUITEMINFOW classItem{};
      std::wstring classText = L"Class " + m_tag;
      classItem.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_CHECKMARKS;
      classItem.wID = first + kClass;
      classItem.fState = MFS_CHECKED;
      classItem.hbmpChecked = m_bitmap.get();
      classItem.dwTypeData = classText.data();
      Insert(m_submenu, 0, classItem);
      MENUITEMINFOW drawn{};
      drawn.fMask = MIIM_ID | MIIM_FTYPE | MIIM_DATA;
      drawn.fType = MFT_OWNERDRAW;
      drawn.wID = first + kDraw;
      drawn.dwItemData = kDrawData;
      Insert(m_submenu, 1, drawn);

      MENUITEMINFOW popup{};
      std::wstring popupText = L"Shellhost test";
      popup.fMask = MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
      popup.wID = first + kPopup;
      popup.hSubMenu = m_submenu;
      popup.dwTypeData = popupText.data();
      Insert(menu, index++, popup);

      MENUITEMINFOW folderItem{};
      std::wstring folderText = L"Folder " + (m_folder.empty() ? std::wstring(L"none") : PathFindFileNameW(m_folder.c_str()));
      folderItem.fMask = MIIM_ID | MIIM_STRING | MIIM_STATE | MIIM_BITMAP;
      folderItem.wID = first + kFolder;
      folderItem.fState = MFS_DISABLED;
      folderItem.hbmpItem = m_bitmap.get();
      folderItem.dwTypeData = folderText.data();
      Insert(menu, index++, folderItem);
      return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, kCount);
    });
  }

  STDMETHODIMP InvokeCommand(CMINVOKECOMMANDINFO* ici) noexcept override {
    return base::ComBoundary([&] {
      if (!ici) return E_INVALIDARG;
      const auto* ex = reinterpret_cast<const CMINVOKECOMMANDINFOEX*>(ici);
      bool unicode = ici->cbSize >= sizeof(CMINVOKECOMMANDINFOEX) && (ici->fMask & CMIC_MASK_UNICODE);
      UINT_PTR offset;
      std::string how;
      if (IS_INTRESOURCE(ici->lpVerb)) {
        offset = reinterpret_cast<UINT_PTR>(ici->lpVerb);
        how = "offset";
      } else {
        std::wstring verb = unicode ? std::wstring(ex->lpVerbW) : base::Wide(ici->lpVerb);
        how = unicode ? "verbW" : "verbA";
        if (verb == L"crvsh.crash") Crash();
        const Command* c = CommandNamed(verb);
        if (!c) return E_INVALIDARG;
        offset = c->offset;
      }
      if (!CommandAt(offset)) return E_INVALIDARG;
      if (offset != kTouch) return S_OK;
      if (m_folder.empty()) return E_FAIL;
      const char* owner = !IsWindow(ici->hwnd) ? "none" : IsWindowVisible(ici->hwnd) ? "visible" : "hidden";
      std::ofstream out(base::Narrow(m_folder) + "\\touched.txt", std::ios::binary | std::ios::trunc);
      out << how << ' ' << owner;
      return out ? S_OK : E_FAIL;
    });
  }

  STDMETHODIMP GetCommandString(UINT_PTR offset, UINT type, UINT*, LPSTR out, UINT cch) noexcept override {
    return base::ComBoundary([&] {
      const Command* c = CommandAt(offset);
      UINT kind = type & ~GCS_UNICODE;
      if (kind == GCS_VALIDATEA) return c ? S_OK : S_FALSE;
      if (!c || !out || cch == 0) return E_INVALIDARG;
      const wchar_t* text = kind == GCS_VERBA ? c->verb : kind == GCS_HELPTEXTA ? c->help : nullptr;
      if (!text) return E_INVALIDARG;
      if (type & GCS_UNICODE)
        lstrcpynW(reinterpret_cast<wchar_t*>(out), text, static_cast<int>(cch));
      else
        lstrcpynA(out, base::Narrow(text).c_str(), static_cast<int>(cch));
      return S_OK;
    });
  }

  // IContextMenu2
  STDMETHODIMP HandleMenuMsg(UINT msg, WPARAM wParam, LPARAM lParam) noexcept override {
    return HandleMenuMsg2(msg, wParam, lParam, nullptr);
  }

  // IContextMenu3
  STDMETHODIMP HandleMenuMsg2(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT* result) noexcept override {
    return base::ComBoundary([&] {
      LRESULT r = 0;
      if (msg == WM_INITMENUPOPUP) {
        if (reinterpret_cast<HMENU>(wParam) == m_submenu && !m_opened) {
          InsertString(m_submenu, static_cast<UINT>(GetMenuItemCount(m_submenu)), m_firstId + kOpened, L"Opened", 0);
          m_opened = true;
        }
      } else if (msg == WM_MEASUREITEM) {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (mis && mis->CtlType == ODT_MENU && mis->itemID == m_firstId + kDraw) {
          mis->itemWidth = kDrawWidth;
          mis->itemHeight = kDrawHeight;
          r = TRUE;
        }
      } else if (msg == WM_DRAWITEM) {
        auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        if (dis && dis->CtlType == ODT_MENU && dis->itemID == m_firstId + kDraw) {
          FillRect(dis->hDC, &dis->rcItem, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
          r = TRUE;
        }
      } else {
        return S_FALSE;
      }
      if (result) *result = r;
      return S_OK;
    });
  }

 private:
  void ReadSelection(IDataObject* data) {
    FORMATETC format{CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    m_count = 0;
    if (FAILED(data->GetData(&format, &medium))) return;
    auto drop = static_cast<HDROP>(medium.hGlobal);
    m_count = static_cast<int>(DragQueryFileW(drop, 0xffffffff, nullptr, 0));
    wchar_t path[MAX_PATH];
    if (m_count > 0 && DragQueryFileW(drop, 0, path, MAX_PATH)) m_firstName = PathFindFileNameW(path);
    ReleaseStgMedium(&medium);
  }

  std::wstring ReadTag(HKEY classKey) const {
    std::string key = std::string("shellex\\ContextMenuHandlers\\") + shellhost_test::kHandlerNamePrefix +
                      std::to_string(m_index);
    char tag[64];
    DWORD size = sizeof tag;
    if (RegGetValueA(classKey, key.c_str(), shellhost_test::kTagValue, RRF_RT_REG_SZ, nullptr, tag, &size) !=
        ERROR_SUCCESS)
      return L"untagged";
    return base::Wide(tag);
  }

  // A real store to address 0; through volatiles so the compiler keeps it.
  [[noreturn]] static void Crash() {
    volatile UINT_PTR nowhere = 0;
    *reinterpret_cast<volatile int*>(nowhere) = 1;
    ExitProcess(99);  // not reached
  }

  int m_index;
  std::wstring m_folder;
  int m_count = -1;  // -1: no data object
  std::wstring m_firstName;
  std::wstring m_tag;
  UINT m_firstId = 0;
  HMENU m_submenu = nullptr;  // borrowed: the host's menu owns it
  bool m_opened = false;
  base::UniqueHBitmap m_bitmap;
};

template <int Index>
class TestHandlerOf : public TestHandler {
 public:
  TestHandlerOf() : TestHandler(Index) {}
};

const base::ClassEntry kClasses[] = {
    {&shellhost_test::kHandlerClasses[0], &base::CreateComInstance<TestHandlerOf<0>>},
    {&shellhost_test::kHandlerClasses[1], &base::CreateComInstance<TestHandlerOf<1>>},
    {&shellhost_test::kHandlerClasses[2], &base::CreateComInstance<TestHandlerOf<2>>},
    {&shellhost_test::kHandlerClasses[3], &base::CreateComInstance<TestHandlerOf<3>>},
    {nullptr, nullptr},
};

}  // namespace

STDAPI DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppv) {
  return base::GetClassObjectFromTable(kClasses, clsid, riid, ppv);
}

STDAPI DllCanUnloadNow() { return base::ModuleCanUnload() ? S_OK : S_FALSE; }
