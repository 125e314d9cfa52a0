#include "tools/shellhost/protocol_win.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "base/com.h"
#include "base/handles.h"
#include "base/tests/gui_counts.h"
#include "base/winstr.h"
#include "tools/shellhost/menu_win.h"
#include "tools/shellhost/print_win.h"

namespace shellhost {

namespace {

// The module whose code answers the object's QueryInterface: the handler's DLL.
std::wstring ModuleOf(IUnknown* object) {
  void* queryInterface = (*reinterpret_cast<void***>(object))[0];
  HMODULE module = nullptr;
  if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          static_cast<LPCWSTR>(queryInterface), &module))
    return {};
  wchar_t path[MAX_PATH * 4];
  DWORD n = GetModuleFileNameW(module, path, MAX_PATH * 4);
  return n ? std::wstring(path, n) : std::wstring();
}

std::string InterfacesLine(IUnknown* object) {
  struct Named {
    const IID* iid;
    const char* name;
  };
  static const Named kInterfaces[] = {
      {&IID_IShellExtInit, "IShellExtInit"},
      {&IID_IContextMenu, "IContextMenu"},
      {&IID_IContextMenu2, "IContextMenu2"},
      {&IID_IContextMenu3, "IContextMenu3"},
  };
  std::string line = "interfaces";
  for (const Named& n : kInterfaces) {
    base::ComPtr<IUnknown> p;
    if (SUCCEEDED(object->QueryInterface(*n.iid, p.put_void())) && p) line += std::string(" ") + n.name;
  }
  return line == "interfaces" ? "interfaces none" : line;
}

// The GDI objects of this process (Wine's GetGuiResources answers nothing;
// the helper reads Wine's handle table instead).
long GdiObjectCount() { return testing_support::GdiObjects(); }

// What the shell and the system set up once per process and keep (the
// system image lists, the menu's font), so that a count taken afterwards
// moves only with what a handler holds.
void WarmUpShell(const Selection& s) {
  std::vector<std::string> paths{s.folder};
  for (const std::string& name : s.names) paths.push_back(s.folder + "\\" + name);
  // Asked while the screen's context is held, as a handler asks while its
  // entry is painted: the system then keeps a second screen context.
  base::WindowDc screen(nullptr);
  for (const std::string& path : paths) {
    for (UINT size : {SHGFI_SMALLICON, SHGFI_LARGEICON}) {
      SHFILEINFOA info{};
      SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_ICON | size);
      if (info.hIcon) DestroyIcon(info.hIcon);
    }
  }
  base::UniqueHMenu menu(CreatePopupMenu());
  AppendMenuA(menu.get(), MF_STRING, 1, "x");
  GetMenuCheckMarkDimensions();
}

void PumpMessages() {
  MSG msg;
  for (int i = 0; i < 1000 && PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE); ++i) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// CMINVOKECOMMANDINFOEX as a shell fills it: both verb forms, the folder as
// the working directory, and our hidden window as the owner of any UI.
HRESULT Invoke(IContextMenu* menu, const Selection& s, const Options& o, HWND owner) {
  CMINVOKECOMMANDINFOEX ici{};
  ici.cbSize = sizeof ici;
  ici.fMask = CMIC_MASK_UNICODE;
  ici.hwnd = owner;
  ici.nShow = SW_SHOWNORMAL;
  std::wstring verbW;
  if (o.invokeOffset) {
    ici.lpVerb = MAKEINTRESOURCEA(*o.invokeOffset);
    ici.lpVerbW = MAKEINTRESOURCEW(*o.invokeOffset);
  } else {
    verbW = base::Wide(*o.invokeVerb);
    ici.lpVerb = o.invokeVerb->c_str();
    ici.lpVerbW = verbW.c_str();
  }
  std::wstring folderW = base::Wide(s.folder);
  if (s.folderIsDirectory) {
    ici.lpDirectory = s.folder.c_str();
    ici.lpDirectoryW = folderW.c_str();
  }
  HRESULT hr = base::ComBoundary([&] { return menu->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&ici)); });
  PumpMessages();
  return hr;
}

std::string InvokeText(const Options& o) {
  return o.invokeOffset ? "invoke offset " + std::to_string(*o.invokeOffset) : "invoke verb " + Quote(*o.invokeVerb);
}

// Each step prints its line; a failed one ends the handler's run.
class Run {
 public:
  Run(const HandlerEntry& h, const Selection& s, const Options& o, HWND owner)
      : m_h(h), m_s(s), m_o(o), m_owner(owner) {}

  void Go(bool tryInvoke) {
    if (m_o.gdi) {
      WarmUpShell(m_s);
      PrintLine(1, "gdi before " + std::to_string(GdiObjectCount()));
    }
    HRESULT hr = base::ComBoundary([&] {
      return CoCreateInstance(m_h.clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, m_object.put_void());
    });
    if (!Step(1, "create", hr)) return;
    m_outcome.module = ModuleOf(m_object.get());
    PrintLine(1, InterfacesLine(m_object.get()));

    base::ComPtr<IShellExtInit> init = m_object.query<IShellExtInit>(IID_IShellExtInit);
    base::UniqueHKey classKey;
    if (!m_h.classKey.empty())
      RegOpenKeyExA(HKEY_CLASSES_ROOT, m_h.classKey.c_str(), 0, KEY_READ, classKey.put());
    hr = init ? base::ComBoundary([&] {
      return init->Initialize(m_s.folderPidl.get(), m_s.dataObject.get(), classKey.get());
    })
              : E_NOINTERFACE;
    init.reset();
    if (!Step(1, "Initialize", hr)) return Release();

    base::ComPtr<IContextMenu> menu = m_object.query<IContextMenu>(IID_IContextMenu);
    base::UniqueHMenu hmenu(CreatePopupMenu());
    hr = menu ? base::ComBoundary([&] {
      return menu->QueryContextMenu(hmenu.get(), 0, m_o.first, m_o.last, m_o.flags);
    })
              : E_NOINTERFACE;
    if (FAILED(hr)) {
      Step(1, "QueryContextMenu", hr);
    } else {
      PrintLine(1, "QueryContextMenu " + HResultText(hr) + " code " + std::to_string(HRESULT_CODE(hr)));
      WalkOptions walk{m_o.first, m_o.last, m_o.openSubmenus, m_o.ownerDraw, m_o.drawDir, m_o.menu2};
      std::vector<MenuEntry> tree = ReadMenuTree(hmenu.get(), menu.get(), walk);
      PrintLine(1, "menu");
      PrintMenu(tree, 2);
      if (m_o.openTwice) {
        walk.drawDir.clear();
        tree = ReadMenuTree(hmenu.get(), menu.get(), walk);
        PrintLine(1, "menu again");
        PrintMenu(tree, 2);
      }
      if (m_o.gdi) PrintLine(1, "gdi open " + std::to_string(GdiObjectCount()));
      if (tryInvoke) {
        hr = Invoke(menu.get(), m_s, m_o, m_owner);
        PrintLine(1, InvokeText(m_o) + " " + HResultText(hr));
        m_outcome.invoked = SUCCEEDED(hr);
      }
    }
    // The menu goes before the handler, as when a shell closes it.
    hmenu.reset();
    menu.reset();
    Release();
  }

  HandlerOutcome Outcome() const { return m_outcome; }

 private:
  bool Step(int depth, const char* name, HRESULT hr) {
    PrintLine(depth, std::string(name) + " " + HResultText(hr));
    if (FAILED(hr)) m_outcome.failed = true;
    return SUCCEEDED(hr);
  }

  void Release() {
    if (!m_object) return;
    ULONG left = 0;
    try {
      left = m_object.release()->Release();
    } catch (...) {
      PrintLine(1, "release threw");
      m_outcome.failed = true;
      return;
    }
    PrintLine(1, "release " + std::to_string(left));
    if (m_o.gdi) PrintLine(1, "gdi after " + std::to_string(GdiObjectCount()));
  }

  const HandlerEntry& m_h;
  const Selection& m_s;
  const Options& m_o;
  HWND m_owner;
  base::ComPtr<IUnknown> m_object;
  HandlerOutcome m_outcome;
};

}  // namespace

HandlerOutcome RunHandler(const HandlerEntry& handler, const Selection& selection, const Options& options,
                          HWND owner, bool tryInvoke) {
  std::string line = "handler " + GuidText(handler.clsid) + " class " + Quote(handler.classKey);
  line += handler.name.empty() ? std::string(" --clsid") : " name " + Quote(handler.name);
  PrintLine(0, line);
  Run run(handler, selection, options, owner);
  try {
    run.Go(tryInvoke);
  } catch (...) {
    // Our own failure (out of memory, say) while talking to the handler.
    PrintLine(1, "exception " + HResultText(base::HResultFromCaught()));
    HandlerOutcome failed = run.Outcome();
    failed.failed = true;
    return failed;
  }
  return run.Outcome();
}

void ReportUnload(const std::vector<std::wstring>& modules, bool gdi) {
  using CanUnloadNow = HRESULT(STDAPICALLTYPE*)();
  std::vector<std::wstring> done;
  for (const std::wstring& path : modules) {
    if (path.empty() || std::find(done.begin(), done.end(), path) != done.end()) continue;
    done.push_back(path);
    std::string line = "unload " + Quote(base::Narrow(PathFindFileNameW(path.c_str())));
    if (HMODULE module = GetModuleHandleW(path.c_str())) {
      FARPROC proc = GetProcAddress(module, "DllCanUnloadNow");
      if (proc) {
        auto canUnload = reinterpret_cast<CanUnloadNow>(reinterpret_cast<void (*)()>(proc));
        line += " DllCanUnloadNow " + HResultText(base::ComBoundary([&] { return canUnload(); }));
      } else {
        line += " no DllCanUnloadNow";
      }
      // Twice with no delay: the first pass marks an idle library, the second frees it.
      CoFreeUnusedLibrariesEx(0, 0);
      CoFreeUnusedLibrariesEx(0, 0);
    }
    line += GetModuleHandleW(path.c_str()) ? " loaded" : " freed";
    PrintLine(0, line);
  }
  // What a library keeps for its process (cached pictures) goes with it.
  if (gdi) PrintLine(0, "gdi unloaded " + std::to_string(GdiObjectCount()));
}

}  // namespace shellhost
