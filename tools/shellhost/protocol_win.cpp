#include "tools/shellhost/protocol_win.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <algorithm>

#include "base/com.h"
#include "base/handles.h"
#include "base/tests/gui_counts.h"
#include "base/winstr.h"
#include "common/context_menu_client_win.h"
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
void WarmUpShell(const common::ShellSelection& s) {
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
HRESULT Invoke(const common::ContextMenuClient& client, const Selection& s, const Options& o, HWND owner) {
  common::InvokeRequest request;
  request.offset = o.invokeOffset;
  if (o.invokeVerb) request.verb = *o.invokeVerb;
  request.owner = owner;
  if (s.shell.folderIsDirectory) request.directory = s.shell.folder;
  HRESULT hr = client.Invoke(request);
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
      WarmUpShell(m_s.shell);
      PrintLine(1, "gdi before " + std::to_string(GdiObjectCount()));
    }
    if (!Step(1, "create", m_client.Create(m_h.clsid))) return;
    m_outcome.module = ModuleOf(m_client.Object());
    PrintLine(1, InterfacesLine(m_client.Object()));

    base::UniqueHKey classKey;
    if (!m_h.classKey.empty())
      RegOpenKeyExA(HKEY_CLASSES_ROOT, m_h.classKey.c_str(), 0, KEY_READ, classKey.put());
    if (!Step(1, "Initialize", m_client.Initialize(m_s.shell, classKey.get()))) return Release();

    HRESULT hr = m_client.Query(m_o.first, m_o.last, m_o.flags);
    if (FAILED(hr)) {
      Step(1, "QueryContextMenu", hr);
    } else {
      PrintLine(1, "QueryContextMenu " + HResultText(hr) + " code " + std::to_string(HRESULT_CODE(hr)));
      WalkOptions walk{m_o.first, m_o.last, m_o.openSubmenus, m_o.ownerDraw, m_o.drawDir, m_o.menu2};
      std::vector<MenuEntry> tree = ReadMenuTree(m_client.Menu(), m_client.Handler(), walk);
      PrintLine(1, "menu");
      PrintMenu(tree, 2);
      if (m_o.openTwice) {
        walk.drawDir.clear();
        tree = ReadMenuTree(m_client.Menu(), m_client.Handler(), walk);
        PrintLine(1, "menu again");
        PrintMenu(tree, 2);
      }
      if (m_o.gdi) PrintLine(1, "gdi open " + std::to_string(GdiObjectCount()));
      if (tryInvoke) {
        hr = Invoke(m_client, m_s, m_o, m_owner);
        PrintLine(1, InvokeText(m_o) + " " + HResultText(hr));
        m_outcome.invoked = SUCCEEDED(hr);
      }
    }
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
    if (!m_client.Object()) return;
    std::optional<ULONG> left = m_client.Release();
    if (!left) {
      PrintLine(1, "release threw");
      m_outcome.failed = true;
      return;
    }
    PrintLine(1, "release " + std::to_string(*left));
    if (m_o.gdi) PrintLine(1, "gdi after " + std::to_string(GdiObjectCount()));
  }

  const HandlerEntry& m_h;
  const Selection& m_s;
  const Options& m_o;
  HWND m_owner;
  common::ContextMenuClient m_client;
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
