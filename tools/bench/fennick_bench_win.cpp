// fennick_bench: how long a right-click takes with Fennick's menu.
//
//   fennick_bench [--runs N] [--dll PATH] [--registered] [--dynamic]
//
// For configurations of 10, 100 and 1000 items (written with the project's
// writer, the settings pointed at them), one right-click is what the shell
// does: make the handler (through Fennick.dll's class factory, or with
// --registered through CoCreateInstance of the registered class), Initialize
// it with the shell's data object for one file, QueryContextMenu on a new
// popup menu, destroy the menu, release the handler. "cold" is the first
// right-click of a fresh process (a child run of this program), "warm" the
// median of later ones; the fresh process has the selection and has asked
// the shell for its icon, as a shell has before it shows the item. The
// baseline builds the same menu tree (the same submenus, entries and
// owner-draw flag) from memory. Each is printed with
// icons at the maximum level and with icons off, with its ratio to the
// baseline of the same run.
//
// Dynamic folders of 1,000, 5,000 and 10,000 files, icons on and owner
// drawing on: the right-click, the folder's submenu opened (filled: at most
// the 5,000 entries of the reserved block) and every entry measured, warm,
// against inserting as many owner-drawn entries from memory, with the time
// of the opening and of the measuring alone; --dynamic runs these alone.
// The user's settings are put back afterwards.
#include <windows.h>
#include <shlobj.h>

#include <functional>

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
    if (whileOpen) whileOpen(popup.get(), menu.query<IContextMenu3>(IID_IContextMenu3).get());
  }

  // What the shell's menu asks while open: here, the first entry of the
  // root popup opened, filled and every one of its entries measured.
  std::function<void(HMENU, IContextMenu3*)> whileOpen;

 private:
  bool m_registered;
  base::UniqueHModule m_dll;
  base::ComPtr<IClassFactory> m_factory;
};

void InsertEntry(HMENU menu, UINT id, const std::string& caption, bool ownerDraw, HMENU submenu = nullptr) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_ID | MIIM_STRING | MIIM_FTYPE | MIIM_SUBMENU;
  mii.fType = ownerDraw ? MFT_OWNERDRAW : MFT_STRING;
  mii.wID = id;
  mii.hSubMenu = submenu;
  mii.dwTypeData = const_cast<char*>(caption.c_str());
  InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &mii);
}

// The tree WriteConfiguration describes, built from memory: the root popup
// in the shell's menu and a separator after it; in the root, a submenu per
// ten items holding the nine after it (eight entries and a separator).
void BaselineTree(int n, bool ownerDraw) {
  base::UniqueHMenu shellMenu(CreatePopupMenu());
  HMENU root = CreatePopupMenu();
  UINT id = 1;
  HMENU popup = nullptr;
  for (int i = 0; i < n; ++i) {
    const std::string caption = "File item" + std::to_string(i);
    if (i % 10 == 0) {
      popup = CreatePopupMenu();
      InsertEntry(root, id++, caption, ownerDraw, popup);
    } else if (i % 10 == 9) {
      AppendMenuA(popup, MF_SEPARATOR, 0, nullptr);
    } else {
      InsertEntry(popup, id++, caption, ownerDraw);
    }
  }
  InsertMenuA(shellMenu.get(), 0, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(root), "Bench");
  InsertMenuA(shellMenu.get(), 1, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
}

// n owner-drawn entries inserted into a popup and each measured, as the
// dynamic folder's fill does without the folder.
void BaselineFill(int n) {
  base::UniqueHMenu popup(CreatePopupMenu());
  base::UniqueHdc dc(CreateCompatibleDC(nullptr));
  for (int i = 0; i < n; ++i) {
    const std::string caption = "file " + std::to_string(i) + ".txt";
    InsertEntry(popup.get(), static_cast<UINT>(i + 1), caption, true);
    SIZE size{};
    GetTextExtentPoint32A(dc.get(), caption.data(), static_cast<int>(caption.size()), &size);
  }
}

// Opens the dynamic folder (the root popup's first entry) and measures its
// entries.
struct OpenTimes {
  std::vector<double> open, measure;  // ms, one per run
};

void OpenAndMeasure(HMENU shellMenu, IContextMenu3* menu, int* measured, OpenTimes* times) {
  HMENU root = nullptr;
  for (int i = 0; !root && i < GetMenuItemCount(shellMenu); ++i) root = GetSubMenu(shellMenu, i);
  HMENU folder = root ? GetSubMenu(root, 0) : nullptr;
  if (!folder || !menu) Fail("no dynamic folder in the menu");
  LRESULT result = 0;
  const auto start = Clock::now();
  menu->HandleMenuMsg2(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(folder), 0, &result);
  const auto opened = Clock::now();
  const int count = GetMenuItemCount(folder);
  for (int i = 0; i < count; ++i) {
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_MENU;
    mis.itemID = GetMenuItemID(folder, i);
    menu->HandleMenuMsg2(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis), &result);
  }
  if (measured) *measured = count;
  if (times) {
    times->open.push_back(std::chrono::duration<double, std::milli>(opened - start).count());
    times->measure.push_back(std::chrono::duration<double, std::milli>(Clock::now() - opened).count());
  }
}

void SaveSettings(const std::string& cfg, int icons, bool ownerDraw) {
  config::clsOptions o;
  o.Reset();
  o.m_szShellConfigFile = cfg;
  o.m_szShellCustomActionsFile = "";
  o.m_lShellShowIcons = icons;
  o.m_bShellOwnerDraw = ownerDraw;
  o.Reg_Save(config::kSettingsKey, false);
}

// The first right-click of a fresh process: this program run again.
double ColdRightClick(const std::string& dll, bool registered, const std::string& selected) {
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = std::string("\"") + self + "\" --cold \"" + selected + "\"";
  if (registered) command += " --registered";
  else command += " --dll \"" + dll + "\"";
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE readEnd = nullptr, writeEnd = nullptr;
  if (!CreatePipe(&readEnd, &writeEnd, &sa, 0)) Fail("no pipe");
  base::UniqueFile reader(readEnd);
  base::UniqueFile writer(writeEnd);
  SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = writeEnd;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  si.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  PROCESS_INFORMATION pi{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi))
    Fail("cannot run " + command);
  writer.reset();
  std::string out;
  char buffer[256];
  DWORD n = 0;
  while (ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
  WaitForSingleObject(pi.hProcess, INFINITE);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return std::atof(out.c_str());
}

int ColdChild(const std::string& dll, bool registered, const std::string& selected) {
  try {
    // The shell has the selection before any handler of it is made, and has
    // shown its icon: its system image list is set up.
    Selection selection = SelectOne(selected);
    SHFILEINFOA shown{};
    SHGetFileInfoA(selected.c_str(), 0, &shown, sizeof shown, SHGFI_SYSICONINDEX | SHGFI_SMALLICON);
    Bench bench(dll, registered);
    const auto start = Clock::now();
    bench.RightClick(selection);
    std::printf("%.3f\n", std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    return 0;
  } catch (...) {
    return 1;
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
  std::string cold;
  bool dynamicOnly = false;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) runs = std::max(1, std::atoi(argv[++i]));
    else if (a == "--dll" && i + 1 < argc) dll = argv[++i];
    else if (a == "--registered") registered = true;
    else if (a == "--dynamic") dynamicOnly = true;
    else if (a == "--cold" && i + 1 < argc) cold = argv[++i];  // the child of a cold run
    else {
      std::fputs("usage: fennick_bench [--runs N] [--dll PATH] [--registered] [--dynamic]\n", stderr);
      return 2;
    }
  }
  if (!cold.empty()) return ColdChild(dll, registered, cold);
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
    std::printf("time per right-click, warm: the median of %d runs (%s)\n", runs,
                registered ? "CoCreateInstance" : "class factory");
    std::printf("%-6s %-7s %10s %10s %11s %7s %7s %9s\n", "items", "icons", "cold ms", "warm ms", "baseline ms",
                "cold/b", "warm/b", "on/off");
    double warmOff[3] = {};
    double warmOn[3] = {};
    for (int icons : {config::clsOptions::OptionLevel_None, config::clsOptions::OptionLevel_Maximum}) {
      if (dynamicOnly) break;
      int row = 0;
      for (int n : {10, 100, 1000}) {
        WriteConfiguration(cfg, folder, n);
        SaveSettings(cfg, icons, false);
        const double coldMs = ColdRightClick(dll, registered, selected);
        const double fennick = MedianMs(runs, [&] { bench.RightClick(selection); });
        const double baseline = MedianMs(runs, [&] { BaselineTree(n, false); });
        (icons ? warmOn : warmOff)[row] = fennick;
        char onOff[16] = "";
        if (icons) std::snprintf(onOff, sizeof onOff, "%.2f", warmOff[row] > 0 ? fennick / warmOff[row] : 0.0);
        std::printf("%-6d %-7s %10.3f %10.3f %11.3f %7.1f %7.1f %9s\n", n, icons ? "maximum" : "off", coldMs, fennick,
                    baseline, baseline > 0 ? coldMs / baseline : 0.0, baseline > 0 ? fennick / baseline : 0.0, onOff);
        std::fflush(stdout);
        ++row;
      }
    }

    std::printf("\ndynamic folder, icons maximum, owner drawing: right-click, open, measure every entry (warm)\n");
    std::printf("%-7s %-7s %8s %10s %11s %7s %9s %10s %12s\n", "files", "icons", "entries", "fill ms", "baseline ms",
                "ratio", "open ms", "measure ms", "measure us/e");
    static const char* const kKinds[] = {".txt", ".ini", ".bmp", ".log"};
    for (int files : {1000, 5000, 10000}) {
      const std::string dynamic = folder + "\\dyn" + std::to_string(files);
      CreateDirectoryA(dynamic.c_str(), nullptr);
      for (int i = 0; i < files; ++i) WriteFile(dynamic + "\\file " + std::to_string(i) + kKinds[i % 4]);
      configbuilder::ConfigBuilder b("Bench");
      b.Add(clsCorvaneData::TypeDynamicFolder, "Folder", dynamic);
      DeleteFileA(cfg.c_str());
      b.Save(cfg);
      for (int icons : {config::clsOptions::OptionLevel_Maximum, config::clsOptions::OptionLevel_None}) {
        SaveSettings(cfg, icons, true);
        int entries = 0;
        OpenTimes times;
        bench.whileOpen = [&](HMENU m, IContextMenu3* h) { OpenAndMeasure(m, h, &entries, &times); };
        const int dynamicRuns = std::max(3, runs / 4);
        const double fill = MedianMs(dynamicRuns, [&] { bench.RightClick(selection); });
        bench.whileOpen = nullptr;
        const double baseline = MedianMs(dynamicRuns, [&] { BaselineFill(entries); });
        const double measure = Median(times.measure);
        std::printf("%-7d %-7s %8d %10.3f %11.3f %7.1f %9.3f %10.3f %12.2f\n", files, icons ? "maximum" : "off",
                    entries, fill, baseline, baseline > 0 ? fill / baseline : 0.0, Median(times.open), measure,
                    entries > 0 ? 1000.0 * measure / entries : 0.0);
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
