// designer_bench: how long Designer takes to open and to save a configuration.
//
//   designer_bench [--runs N]
//
// For configurations of 1,000 and 10,000 items (written with the project's
// writer: popups holding files of their own, of a few kinds, folders, custom
// actions, separators and a nested popup), opening is what Designer's main
// window does with a file: read it whole, switch the tree's redrawing off,
// TVW_ReadConfig into the tree model shown by a real tree view window,
// redrawing on and the window repainted. Each run starts from the fixed
// pictures of a new configuration. The floor is the same tree shape inserted
// into a bare SysTreeView32 (TVM_INSERTITEM with text, picture and lParam,
// the root expanded), after emptying it, and repainted the same way. Saving is
// File_WriteConfig into memory and the safe write to disk. Each figure is the
// median of the runs, printed with its ratio to the floor of the same run.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "base/handles.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "designer/MainDocument.h"
#include "tools/bench/configbuilder.h"
#include "widgets/ImageList.h"
#include "widgets/TreeViewWindow.h"
#include "widgets/form.h"

namespace {

using config::clsCorvaneData;
using Clock = std::chrono::steady_clock;

constexpr const char* kFixedPictures[] = {"menu",         "popupmenu", "folder_open",  "separator",
                                          "customaction", "error",     "selectiontask"};

[[noreturn]] void Fail(const std::string& what) { base::RaiseError(E_FAIL, "designer_bench", what); }

std::string MakeTempFolder() {
  char base[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, base);
  std::string folder = std::string(base) + "designer_bench_" + std::to_string(GetCurrentProcessId());
  CreateDirectoryA(folder.c_str(), nullptr);
  return folder;
}

void TouchFile(const std::string& path) {
  base::UniqueFile f(
      CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  if (f) WriteFile(f.get(), "x", 1, &written, nullptr);
}

// The shape of the benchmark's tree: for item i, its parent's item number
// (-1: the root). Every tenth item is a popup holding the nine after it; the
// sixth of those is a popup of its own holding the three after it.
int ParentOf(int i, int& kind) {
  kind = i % 10;
  const int popup = i - kind;
  if (kind == 0) return -1;
  if (kind >= 6 && kind <= 8) return popup + 5;
  return popup;
}

void WriteConfiguration(const std::string& cfg, const std::string& folder, int n) {
  static const char* const kExtensions[] = {".txt", ".bmp", ".ini", ".log"};
  configbuilder::ConfigBuilder b("Bench");
  std::vector<widgets::TreeNode*> nodes(static_cast<size_t>(n), nullptr);
  for (int i = 0; i < n; ++i) {
    int kind = 0;
    const int parent = ParentOf(i, kind);
    widgets::TreeNode* under = parent < 0 ? nullptr : nodes[static_cast<size_t>(parent)];
    const std::string name = "item" + std::to_string(i);
    widgets::TreeNode* node = nullptr;
    switch (kind) {
      case 0:
      case 5: node = &b.Add(clsCorvaneData::TypePopupMenu, "Popup " + name, "", under); break;
      case 1:
      case 2:
      case 6:
      case 7: {
        const std::string file = folder + "\\" + name + kExtensions[i % 4];
        TouchFile(file);
        node = &b.Add(clsCorvaneData::TypeFile, "File " + name, file, under);
        break;
      }
      case 3: node = &b.Add(clsCorvaneData::TypeFolder, "Folder " + name, folder + "\\sub", under); break;
      case 4:
      case 8: node = &b.Add(clsCorvaneData::TypeCustomAction, "Action " + name, "", under); break;
      default: node = &b.Add(clsCorvaneData::TypeSeparator, "", "", under); break;
    }
    nodes[static_cast<size_t>(i)] = node;
  }
  DeleteFileA(cfg.c_str());
  b.Save(cfg);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

double Ms(Clock::time_point start) { return std::chrono::duration<double, std::milli>(Clock::now() - start).count(); }

void Repaint(HWND form) { RedrawWindow(form, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW); }

void FillFixedPictures(widgets::ImageList& images) {
  HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  for (const char* key : kFixedPictures) images.Add(key, icon);
}

// Designer's window with its tree, loading files the way its main window does.
class DesignerTree {
 public:
  DesignerTree() {
    m_form.Load();
    m_form.Show();
    m_view = &m_form.Add<widgets::TreeViewWindow>("tvwDesigner", m_model, 0, 0, 5800, 5800);
    m_model.SetVisible(true);
  }
  ~DesignerTree() {
    m_model.Clear();
    m_form.Unload();
  }

  // The pictures of a new configuration, not timed.
  void NewPictures() {
    auto images = std::make_unique<widgets::ImageList>();
    FillFixedPictures(*images);
    m_model.SetImageList(images.get());
    m_images = std::move(images);
  }

  double Load(const std::string& path) {
    const auto start = Clock::now();
    std::string bytes, error;
    if (!designer::ReadWholeFile(path, bytes, error)) Fail("cannot read " + path + ": " + error);
    config::MemoryFile file(std::move(bytes));
    m_model.SetRedraw(false);
    const bool ok = config::clsCorvaneDataTools().TVW_ReadConfig(m_model, file, error, false);
    m_model.SetRedraw(true);
    Repaint(m_form.Hwnd());
    const double ms = Ms(start);
    if (!ok) Fail("the configuration did not load: " + error);
    return ms;
  }

  double Save(const std::string& path) {
    const auto start = Clock::now();
    config::MemoryFile file;
    config::clsCorvaneDataTools().File_WriteConfig(file, m_model, m_temp);
    std::string error;
    if (!designer::WriteFileSafely(path, file.Bytes(), error)) Fail("cannot save " + path + ": " + error);
    return Ms(start);
  }

  int Count() const { return m_model.Count(); }
  int Shown() const { return static_cast<int>(TreeView_GetCount(m_view->Inner())); }

 private:
  widgets::Form m_form{"designer_bench", 6000, 6000};
  widgets::TreeView m_model;
  widgets::TreeView m_temp;
  std::unique_ptr<widgets::ImageList> m_images;
  widgets::TreeViewWindow* m_view = nullptr;
};

// The floor: a bare tree view window of the same style and size.
class BareTree {
 public:
  BareTree() {
    m_form.Load();
    m_form.Show();
    RECT r{};
    GetClientRect(m_form.Hwnd(), &r);
    m_tree = CreateWindowExA(WS_EX_CLIENTEDGE, WC_TREEVIEWA, "",
                             WS_CHILD | WS_VISIBLE | WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                 TVS_SHOWSELALWAYS,
                             0, 0, r.right, r.bottom, m_form.Hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!m_tree) Fail("no bare tree view");
    FillFixedPictures(m_images);
    TreeView_SetImageList(m_tree, m_images.Handle(), TVSIL_NORMAL);
  }
  ~BareTree() {
    DestroyWindow(m_tree);
    m_form.Unload();
  }

  // The root, then n items of the benchmark's shape, in the file's order.
  double Fill(int n) {
    const auto start = Clock::now();
    SendMessageA(m_tree, WM_SETREDRAW, FALSE, 0);
    TreeView_DeleteAllItems(m_tree);
    std::vector<HTREEITEM> items(static_cast<size_t>(n), nullptr);
    const HTREEITEM root = Insert(TVI_ROOT, "Bench", 0);
    for (int i = 0; i < n; ++i) {
      int kind = 0;
      const int parent = ParentOf(i, kind);
      const std::string text = "File item" + std::to_string(i);
      items[static_cast<size_t>(i)] = Insert(parent < 0 ? root : items[static_cast<size_t>(parent)], text, kind % 7);
      if (i == 0) TreeView_Expand(m_tree, root, TVE_EXPAND);
    }
    SendMessageA(m_tree, WM_SETREDRAW, TRUE, 0);
    Repaint(m_form.Hwnd());
    return Ms(start);
  }

 private:
  HTREEITEM Insert(HTREEITEM parent, const std::string& text, int image) {
    TVINSERTSTRUCTA is{};
    is.hParent = parent;
    is.hInsertAfter = TVI_LAST;
    is.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
    is.item.pszText = const_cast<char*>(text.c_str());
    is.item.iImage = is.item.iSelectedImage = image;
    is.item.lParam = ++m_param;
    return reinterpret_cast<HTREEITEM>(SendMessageA(m_tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
  }

  widgets::Form m_form{"designer_bench floor", 6000, 6000};
  widgets::ImageList m_images;
  HWND m_tree = nullptr;
  LPARAM m_param = 0;
};

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace

int main(int argc, char** argv) {
  int runs = 9;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--runs" && i + 1 < argc) {
      runs = std::max(1, std::atoi(argv[++i]));
    } else {
      std::fputs("usage: designer_bench [--runs N]\n", stderr);
      return 2;
    }
  }
  base::ComInit com;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&icc);
  int status = 0;
  const std::string folder = MakeTempFolder();
  try {
    CreateDirectoryA((folder + "\\sub").c_str(), nullptr);
    std::printf("Designer: open and save a configuration; the median of %d runs, after one warm-up\n", runs);
    std::printf("%-6s %10s %10s %7s %10s %10s\n", "items", "open ms", "floor ms", "open/f", "save ms", "shown");
    DesignerTree designer;
    BareTree bare;
    for (int n : {1000, 10000}) {
      const std::string cfg = folder + "\\bench" + std::to_string(n) + ".cfg";
      const std::string saved = folder + "\\saved" + std::to_string(n) + ".cfg";
      WriteConfiguration(cfg, folder, n);
      std::vector<double> open, floor, save;
      for (int r = 0; r <= runs; ++r) {
        designer.NewPictures();
        const double o = designer.Load(cfg);
        Pump();
        const double f = bare.Fill(n);
        Pump();
        const double s = designer.Save(saved);
        if (r == 0) continue;  // the warm-up: first-use costs of the system
        open.push_back(o);
        floor.push_back(f);
        save.push_back(s);
      }
      if (designer.Count() != n + 1) Fail("the tree holds " + std::to_string(designer.Count()) + " nodes");
      const double o = Median(open), f = Median(floor);
      std::printf("%-6d %10.2f %10.2f %7.2f %10.2f %10d\n", n, o, f, f > 0 ? o / f : 0.0, Median(save),
                  designer.Shown());
      std::fflush(stdout);
    }
  } catch (const base::Error& e) {
    std::fprintf(stderr, "designer_bench: %s (0x%08lx)\n", e.Description().c_str(),
                 static_cast<unsigned long>(e.Number()));
    status = 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "designer_bench: %s\n", e.what());
    status = 1;
  }
  SHFILEOPSTRUCTA op{};
  const std::string from = folder + '\0';
  op.wFunc = FO_DELETE;
  op.pFrom = from.c_str();
  op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
  SHFileOperationA(&op);
  return status;
}
