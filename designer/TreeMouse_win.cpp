#include "designer/TreeMouse.h"

#include <shellapi.h>

#include <string>
#include <vector>

#include "base/com.h"
#include "base/prompt.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "config/clsCorvaneData.h"
#include "config/clsCorvaneDataTools.h"
#include "designer/TreeEditing.h"
#include "widgets/TreeViewWindow.h"
#include "widgets/form_tools.h"

namespace designer {

using widgets::TreeNode;

namespace {

constexpr long kFolderAttribute = 0x20000000;  // SFGAO_FOLDER

// Ctrl as Designer reads it when a command starts: the first answer of the
// asynchronous query tells of an earlier press, so only the second counts.
bool CtrlHeld() noexcept {
  GetAsyncKeyState(VK_CONTROL);
  return GetAsyncKeyState(VK_CONTROL) != 0;
}

FORMATETC FileListFormat() noexcept { return {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool HoldsFileList(IDataObject* data) noexcept {
  FORMATETC format = FileListFormat();
  return data && data->QueryGetData(&format) == S_OK;
}

std::vector<std::string> DroppedPaths(IDataObject* data) {
  std::vector<std::string> paths;
  FORMATETC format = FileListFormat();
  STGMEDIUM medium = {};
  if (!data || data->GetData(&format, &medium) != S_OK) return paths;
  if (auto drop = static_cast<HDROP>(GlobalLock(medium.hGlobal))) {
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
      std::string path(DragQueryFileA(drop, i, nullptr, 0) + 1, '\0');
      path.resize(DragQueryFileA(drop, i, path.data(), static_cast<UINT>(path.size())));
      paths.push_back(std::move(path));
    }
    GlobalUnlock(medium.hGlobal);
  }
  ReleaseStgMedium(&medium);
  return paths;
}

}  // namespace

struct TreeMouse::Parts {
  widgets::TreeViewWindow* tree = nullptr;
  TreeMouseHost* host = nullptr;
  long x = 0, y = 0;
  TreeNode* dragged = nullptr;  // while a drag within the tree runs
  widgets::UniqueHImageList dragImage;
  base::ComPtr<IDropTarget> target;
  bool registered = false;
  bool fileList = false;  // what the shell drags over us holds paths

  widgets::TreeView& Model() const { return tree->Model(); }
  HWND Window() const { return tree->Inner(); }

  // The node under a point of the screen, and that point in the tree's twips.
  TreeNode* NodeAtScreen(POINT screen) const {
    ScreenToClient(Window(), &screen);
    return Model().HitTest(widgets::PixelsToTwipsX(screen.x), widgets::PixelsToTwipsY(screen.y));
  }

  void MouseDown(int button, long x, long y);
  void BeginDrag(TreeNode& node, int button);
  void MouseMove(long x, long y);
  void MouseUp(int button, long x, long y);
  bool EndDrag() noexcept;
  void Drop(long x, long y);

  DWORD DragOver(POINT screen, DWORD allowed);
  void DropFiles(IDataObject* data, POINT screen);

  // A failing event ends what it was doing; the tree goes on.
  template <class F>
  void Guarded(F&& f) noexcept {
    try {
      f();
    } catch (...) {
      EndDrag();
      try {
        Model().SetRedraw(true);
      } catch (...) {
      }
    }
  }

  class Target;
  Target* dropTarget = nullptr;  // held by `target`
};

// The tree's drop target for the shell. It may outlive the tree's mouse
// work (the shell holds its own reference): it is cut loose then.
class TreeMouse::Parts::Target : public base::ComObject<Target, IDropTarget> {
 public:
  explicit Target(TreeMouse::Parts* parts) noexcept : m_parts(parts) {}
  static const base::QiEntry* Interfaces() noexcept {
    static const base::QiEntry table[] = {{&IID_IDropTarget, base::InterfaceOffset<Target, IDropTarget>()},
                                          {nullptr, 0}};
    return table;
  }
  void CutLoose() noexcept { m_parts = nullptr; }

  STDMETHODIMP DragEnter(IDataObject* data, DWORD, POINTL pt, DWORD* effect) noexcept override {
    return base::ComBoundary([&] {
      if (!effect) return E_INVALIDARG;
      if (m_parts) m_parts->fileList = HoldsFileList(data);
      *effect = m_parts ? m_parts->DragOver({pt.x, pt.y}, *effect) : DROPEFFECT_NONE;
      return S_OK;
    });
  }
  STDMETHODIMP DragOver(DWORD, POINTL pt, DWORD* effect) noexcept override {
    return base::ComBoundary([&] {
      if (!effect) return E_INVALIDARG;
      *effect = m_parts ? m_parts->DragOver({pt.x, pt.y}, *effect) : DROPEFFECT_NONE;
      return S_OK;
    });
  }
  STDMETHODIMP DragLeave() noexcept override {
    return base::ComBoundary([&] {
      if (m_parts) m_parts->Model().SetDropHighlight(nullptr);
      return S_OK;
    });
  }
  STDMETHODIMP Drop(IDataObject* data, DWORD, POINTL pt, DWORD* effect) noexcept override {
    if (effect) *effect = DROPEFFECT_NONE;  // the shell's files stay where they are
    if (m_parts) m_parts->Guarded([&] { m_parts->DropFiles(data, {pt.x, pt.y}); });
    return S_OK;
  }

 private:
  TreeMouse::Parts* m_parts;
};

void TreeMouse::Parts::MouseDown(int button, long x, long y) {
  // Another button during a drag ends it.
  if (dragged) {
    EndDrag();
    return;
  }
  TreeNode* node = Model().HitTest(x, y);
  if (button == 2) {
    if (node) {
      Model().SetSelectedItem(node);
      host->NodeClick(*node);
    }
    POINT screen{widgets::TwipsToPixelsX(x), widgets::TwipsToPixelsY(y)};
    ClientToScreen(Window(), &screen);
    host->ShowTreePopup(screen);
  }
  Model().SetDropHighlight(nullptr);
}

void TreeMouse::Parts::BeginDrag(TreeNode& node, int button) {
  // The node pressed moves, whatever is selected; the root stays.
  if (button != 1 || dragged || !node.Parent() || host->Processing()) return;
  dragged = &node;
  SetCapture(Window());
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(Window(), &at);
  dragImage = tree->CreateDragImage(node);
  if (dragImage && ImageList_BeginDrag(dragImage.get(), 0, 8, 8)) ImageList_DragEnter(Window(), at.x, at.y);
}

void TreeMouse::Parts::MouseMove(long mx, long my) {
  x = mx;
  y = my;
  if (!dragged) return;
  if (dragImage) ImageList_DragShowNolock(FALSE);
  Model().SetDropHighlight(Model().HitTest(mx, my));
  if (dragImage) {
    ImageList_DragShowNolock(TRUE);
    ImageList_DragMove(widgets::TwipsToPixelsX(mx), widgets::TwipsToPixelsY(my));
  }
}

void TreeMouse::Parts::MouseUp(int button, long mx, long my) {
  if (!dragged) return;
  if (button == 1)
    Drop(mx, my);
  else
    EndDrag();
}

bool TreeMouse::Parts::EndDrag() noexcept {
  if (!dragged) return false;
  dragged = nullptr;  // first: letting the capture go tells us again
  if (dragImage) {
    ImageList_DragLeave(Window());
    ImageList_EndDrag();
    dragImage.reset();
  }
  if (GetCapture() == Window()) ReleaseCapture();
  Model().SetDropHighlight(nullptr);
  return true;
}

void TreeMouse::Parts::Drop(long mx, long my) {
  TreeNode* node = dragged;
  RECT client{};
  GetClientRect(Window(), &client);
  const POINT at{widgets::TwipsToPixelsX(mx), widgets::TwipsToPixelsY(my)};
  // Outside the tree's window nothing is under the mouse, whatever the
  // tree's hit test says of the rows to either side.
  TreeNode* target = PtInRect(&client, at) ? Model().HitTest(mx, my) : nullptr;
  EndDrag();
  if (!target || target == node) return;
  const bool ctrl = CtrlHeld();
  const bool intoLast = DropPlacement(*target, ctrl).relationship == widgets::tvwChild;
  TreeNode* moved = nullptr;
  TreeNode* selected = Model().SelectedItem();
  MoveResult result;
  {
    widgets::WaitCursor wait;
    Model().SetRedraw(false);
    try {
      result = MoveNode(Model(), *node, target, ctrl, &moved, &selected);
    } catch (...) {
      Model().SetRedraw(true);
      throw;
    }
    if (result == MoveResult::Moved) {
      if (intoLast) {
        Model().SetSelectedItem(selected);
      } else {
        Model().SetSelectedItem(moved);
        host->NodeClick(*moved);
        Model().EnsureVisible(*moved);
      }
    }
    Model().SetRedraw(true);
    Model().Refresh();
  }
  if (result == MoveResult::IntoDescendant) {
    base::Prompt("Cannot move to a child node entry!", base::kPromptExclamation, common::g_szAppTitle());
    return;
  }
  if (result == MoveResult::Moved) host->TreeChanged();
}

DWORD TreeMouse::Parts::DragOver(POINT screen, DWORD allowed) {
  if (host->Processing()) {
    Model().SetDropHighlight(nullptr);
    return DROPEFFECT_NONE;
  }
  TreeNode* node = NodeAtScreen(screen);
  Model().SetDropHighlight(node);
  // Paths are copied into the menu, never moved out of the shell; off the
  // nodes they go to the selected one.
  (void)node;
  return fileList && (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

void TreeMouse::Parts::DropFiles(IDataObject* data, POINT screen) {
  auto& timing = common::g_oTiming();
  timing.TimerStart(1);
  if (host->Processing() || !HoldsFileList(data)) {
    Model().SetDropHighlight(nullptr);
    return;
  }
  TreeNode* target = NodeAtScreen(screen);
  bool ctrl = false;
  if (target) {
    ctrl = CtrlHeld();
  } else {
    target = Model().SelectedItem();
  }
  if (!target) {
    Model().SetDropHighlight(Model().Count() > 0 ? &Model().Item(1) : nullptr);
    return;
  }
  Model().SetDropHighlight(target);
  const std::vector<std::string> paths = DroppedPaths(data);
  bool added = false;
  {
    widgets::WaitCursor wait;
    Model().SetRedraw(false);
    try {
      Model().SetSelectedItem(target);
      // One place for every path: each goes beside the same node.
      const Placement place = DropPlacement(*target, ctrl);
      for (const std::string& path : paths) {
        timing.TimerStart(2);
        SHFILEINFOA info = {};
        if (SHGetFileInfoA(path.c_str(), 0, &info, sizeof info, SHGFI_DISPLAYNAME | SHGFI_ATTRIBUTES)) {
          auto item = std::make_shared<config::clsCorvaneData>();
          item->m_lType = (info.dwAttributes & kFolderAttribute) ? config::clsCorvaneData::TypeFolder
                                                                 : config::clsCorvaneData::TypeFile;
          item->SetLocation(path);
          item->SetCaption(std::string(info.szDisplayName, strnlen(info.szDisplayName, sizeof info.szDisplayName)));
          config::g_oDataTools().TVW_Add(Model(), item, place.relative, place.relationship, nullptr);
          added = true;
        }
        timing.TimerStop(path, 2);
      }
      Model().SetSelectedItem(target);
      host->NodeClick(*target);
    } catch (...) {
      Model().SetRedraw(true);
      throw;
    }
    Model().SetRedraw(true);
    Model().Refresh();
  }
  Model().SetDropHighlight(nullptr);
  if (added) host->TreeChanged();
  timing.TimerStop("tvwDesigner_OLEDragDrop", 1);
  timing.Output("");
}

TreeMouse::TreeMouse(widgets::TreeViewWindow& tree, TreeMouseHost& host) : m_parts(std::make_unique<Parts>()) {
  Parts* parts = m_parts.get();
  parts->tree = &tree;
  parts->host = &host;
  tree.MouseDown = [parts](int button, int, long x, long y) {
    parts->Guarded([&] { parts->MouseDown(button, x, y); });
  };
  tree.MouseMove = [parts](int, int, long x, long y) { parts->Guarded([&] { parts->MouseMove(x, y); }); };
  tree.MouseUp = [parts](int button, int, long x, long y) {
    parts->Guarded([&] { parts->MouseUp(button, x, y); });
  };
  tree.BeginDrag = [parts](TreeNode& node, int button) { parts->Guarded([&] { parts->BeginDrag(node, button); }); };
  tree.CancelMode = [parts] { parts->EndDrag(); };
  parts->dropTarget = new Parts::Target(parts);
  parts->target = base::ComPtr<IDropTarget>::Attach(parts->dropTarget);
  if (tree.Inner()) parts->registered = SUCCEEDED(RegisterDragDrop(tree.Inner(), parts->target.get()));
}

TreeMouse::~TreeMouse() {
  Parts& parts = *m_parts;
  parts.EndDrag();
  if (parts.registered && parts.tree->Inner()) RevokeDragDrop(parts.tree->Inner());
  parts.dropTarget->CutLoose();
  parts.tree->MouseDown = nullptr;
  parts.tree->MouseMove = nullptr;
  parts.tree->MouseUp = nullptr;
  parts.tree->BeginDrag = nullptr;
  parts.tree->CancelMode = nullptr;
}

long TreeMouse::MouseX() const noexcept { return m_parts->x; }
long TreeMouse::MouseY() const noexcept { return m_parts->y; }
bool TreeMouse::Dragging() const noexcept { return m_parts->dragged != nullptr; }
bool TreeMouse::CancelDrag() noexcept { return m_parts->EndDrag(); }
IDropTarget* TreeMouse::DropTarget() noexcept { return m_parts->target.get(); }

}  // namespace designer
