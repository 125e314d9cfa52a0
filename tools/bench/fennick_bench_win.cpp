// fennick_bench: how long a right-click takes with Fennick's menu.
//
//   fennick_bench [--runs N] [--dll PATH] [--registered]
//
// For configurations of 10, 100 and 1000 items (written with the project's
// writer, the settings pointed at them), one right-click is what the shell
// does: make the handler (through Fennick.dll's class factory, or with
// --registered through CoCreateInstance of the registered class), Initialize
// it with the shell's data object for one file, QueryContextMenu on a new
// popup menu, destroy the menu, release the handler. The baseline inserts the
// same number of plain text entries from memory into a popup menu. Printed:
// the median time of each and their ratio, with icons at the maximum level
// and with icons off. The user's settings are put back afterwards.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/handles.h"
#include "base/winstr.h"
#include "config/clsOptions.h"
#include "tools/bench/configbuilder.h"

namespace {

using config::clsCorvaneData;
using Clock = std::chrono::steady_clock;

constexpr CLSID kFennickClsid = {0x8ff7d830, 0xc8ee, 0x4934, {0xb9, 0x36, 0xfc, 0x57, 0x97, 0x81, 0xb8, 0x45}};

[[noreturn]] void Fail(const std::string& what, HRESULT hr = E_FAIL) {
  base::RaiseError(hr, "fennick_bench", what);
}

std::string MakeTempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  std::string folder = std::string(base) + "fennick_bench_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void WriteFile(const std::string& path) {
  base::UniqueFile f(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (f) ::WriteFile(f.get(), "x", 1, &written, nullptr);
}

// n items under the root: every tenth a popup that holds the items after it,
// then files (each its own, of a few kinds), folders, custom actions and a
// separator.
void WriteConfiguration(const std::string& cfg, const std::string& folder, int n) {
  static const char* const kExtensions[] = {".txt", ".bmp", ".ini", ".cfg"};
  configbuilder::ConfigBuilder b("Bench");
  widgets::TreeNode* popup = nullptr;
  for (int i = 0; i < n; ++i) {
    const std::string name = "item" + std::to_string(i);
    switch (i % 10) {
      case 0: popup = &b.Add(clsCorvaneData::TypePopupMenu, "Popup " + std::to_string(i)); break;
      case 1:
      case 2:
      case 3:
      case 4: {
        const std::string file = folder + "\\" + name + kExtensions[i % 4];
        WriteFile(file);
        b.Add(clsCorvaneData::TypeFile, "File " + name, file, popup);
        break;
      }
      case 5:
      case 6: b.Add(clsCorvaneData::TypeFolder, "Folder " + name, folder + "\\sub", popup); break;
      case 7:
      case 8: b.Add(clsCorvaneData::TypeCustomAction, "Action " + name, "", popup); break;
      default: b.Add(clsCorvaneData::TypeSeparator, "", "", popup); break;
    }
  }
  DeleteFileA(cfg.c_str());
  b.Save(cfg);
}

struct Selection {
  base::UniquePidl folder;
  base::ComPtr<IDataObject> dataObject;
};

Selection SelectOne(const std::string& path) {
  Selection s;
  base::UniquePidl full;
  if (FAILED(SHParseDisplayName(base::Wide(path).c_str(), nullptr, full.put(), 0, nullptr))) Fail("cannot parse " + path);
  base::ComPtr<IShellFolder> parent;
  PCUITEMID_CHILD child = nullptr;
  if (FAILED(SHBindToParent(full.get(), IID_IShellFolder, parent.put_void(), &child))) Fail("no parent of " + path);
  HRESULT hr = parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr, s.dataObject.put_void());
  if (FAILED(hr)) Fail("no data object", hr);
  s.folder.reset(ILClone(full.get()));
  ILRemoveLastID(s.folder.get());
  return s;
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

template <class F>
double MedianMs(int runs, F&& once) {
  for (int i = 0; i < 3; ++i) once();  // warm-up: first-use costs of the system
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    once();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  return Median(times);
}

class Bench {
 public:
  Bench(const std::string& dll, bool registered) : m_registered(registered) {
    if (registered) return;
    m_dll.reset(LoadLibraryA(dll.c_str()));
    if (!m_dll) Fail("cannot load " + dll, HRESULT_FROM_WIN32(GetLastError()));
    using GetClassObjectFn = HRESULT(WINAPI*)(REFCLSID, REFIID, void**);
    auto get = reinterpret_cast<GetClassObjectFn>(
        reinterpret_cast<void*>(GetProcAddress(m_dll.get(), "DllGetClassObject")));
    if (!get) Fail("no DllGetClassObject");
    HRESULT hr = get(kFennickClsid, IID_IClassFactory, m_factory.put_void());
    if (FAILED(hr)) Fail("no class factory", hr);
  }

  // One right-click as the shell makes it.
  void RightClick(const Selection& s) {
    base::ComPtr<IShellExtInit> init;
    HRESULT hr = m_registered ? CoCreateInstance(kFennickClsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit,
                                                 init.put_void())
                              : m_factory->CreateInstance(nullptr, IID_IShellExtInit, init.put_void());
    if (FAILED(hr)) Fail("cannot create the handler", hr);
    init->Initialize(s.folder.get(), s.dataObject.get(), nullptr);
    base::ComPtr<IContextMenu> menu = init.query<IContextMenu>(IID_IContextMenu);
    base::UniqueHMenu popup(CreatePopupMenu());
    hr = menu->QueryContextMenu(popup.get(), 0, 1, 0x7fff, CMF_NORMAL);
    if (FAILED(hr) || HRESULT_CODE(hr) < 2) Fail("the handler made no menu", hr);
  }

 private:
  bool m_registered;
  base::UniqueHModule m_dll;
  base::ComPtr<IClassFactory> m_factory;
};

void Baseline(const std::vector<std::string>& captions) {
  base::UniqueHMenu popup(CreatePopupMenu());
  UINT id = 1;
  for (const std::string& caption : captions) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE;
    mii.wID = id++;
    mii.dwTypeData = const_cast<char*>(caption.c_str());
    InsertMenuItemA(popup.get(), static_cast<UINT>(GetMenuItemCount(popup.get())), TRUE, &mii);
  }
}

}  // namespace

int main(int argc, char** argv) {
  base::ComInit com;
  int runs = 21;
  bool registered = false;
  std::string dll;
#ifdef CORVANE_FENNICK_DLL
  dll = CORVANE_FENNICK_DLL;
  for (char& c : dll)
    if (c == '/') c = '\\';
#endif
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (a == "--dll" && i + 1 < argc) dll = argv[++i];
    else if (a == "--registered") registered = true;
    else {
      std::fputs("usage: fennick_bench [--runs N] [--dll PATH] [--registered]\n", stderr);
      return 2;
    }
  }
  config::clsOptions saved;
  saved.Reg_Load(config::kSettingsKey);
  int status = 0;
  const std::string folder = MakeTempFolder();
  try {
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    const std::string selected = folder + "\\selected.txt";
    WriteFile(selected);
    const std::string cfg = folder + "\\bench.cfg";
    Bench bench(dll, registered);
    Selection selection = SelectOne(selected);
    std::printf("median time per right-click, %d runs each (%s)\n", runs,
                registered ? "CoCreateInstance" : "class factory");
    std::printf("%-6s %-7s %12s %12s %8s\n", "items", "icons", "fennick ms", "baseline ms", "ratio");
    for (int icons : {config::clsOptions::OptionLevel_Maximum, config::clsOptions::OptionLevel_None}) {
      for (int n : {10, 100, 1000}) {
        WriteConfiguration(cfg, folder, n);
        config::clsOptions o;
        o.Reset();
        o.m_szShellConfigFile = cfg;
        o.m_szShellCustomActionsFile = "";
        o.m_lShellShowIcons = icons;
        o.Reg_Save(config::kSettingsKey, false);
        std::vector<std::string> captions;
        for (int i = 0; i < n; ++i) captions.push_back("File item" + std::to_string(i));
        const double fennick = MedianMs(runs, [&] { bench.RightClick(selection); });
        const double baseline = MedianMs(runs, [&] { Baseline(captions); });
        std::printf("%-6d %-7s %12.3f %12.3f %8.1f\n", n, icons ? "maximum" : "off", fennick, baseline,
                    baseline > 0 ? fennick / baseline : 0.0);
        std::fflush(stdout);
      }
    }
  } catch (const base::Error& e) {
    std::fprintf(stderr, "fennick_bench: %s (0x%08lx)\n", e.Description().c_str(), static_cast<unsigned long>(e.Number()));
    status = 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fennick_bench: %s\n", e.what());
    status = 1;
  }
  saved.Reg_Save(config::kSettingsKey, false);
  // The generated files and folders go with the folder.
  SHFILEOPSTRUCTA op{};
  std::string from = folder + '\0';
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
  return status;
}
