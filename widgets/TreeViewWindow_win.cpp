#include "widgets/TreeViewWindow.h"

#include <windowsx.h>

#include <string>

namespace widgets {

namespace {

constexpr DWORD kTreeStyle = WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                             TVS_SHOWSELALWAYS;

}  // namespace

TreeViewWindow::TreeViewWindow(Form& form, std::string name, TreeView& model, long left, long top,
                               long width, long height)
    : CommonControl(form, std::move(name), WC_TREEVIEWA, kTreeStyle, WS_EX_CLIENTEDGE, left, top,
                    width, height),
      m_model(&model) {
  m_model->SethWnd(Inner());
  m_model->SetHost(this);
  ImageListChanged();
  VisitPreOrder(FirstTop(model), [this](TreeNode& n, std::int32_t) { Insert(n); });
  if (m_model->SelectedItem()) SelectionChanged(m_model->SelectedItem());
}

TreeViewWindow::~TreeViewWindow() {
  if (m_model->Host() == this) {
    m_model->SetHost(nullptr);
    m_model->SethWnd(nullptr);
  }
}

TreeNode* TreeViewWindow::FirstTop(const TreeView& model) noexcept {
  if (model.Count() == 0) return nullptr;
  TreeNode* node = &model.Item(1);
  while (node->Parent()) node = node->Parent();
  while (node->Previous()) node = node->Previous();
  return node;
}

HTREEITEM TreeViewWindow::ItemOf(const TreeNode& node) const noexcept {
  auto it = m_items.find(&node);
  return it == m_items.end() ? nullptr : it->second;
}

UniqueHImageList TreeViewWindow::CreateDragImage(TreeNode& node) const noexcept {
  HTREEITEM item = ItemOf(node);
  if (!item || !Inner()) return UniqueHImageList();
  return UniqueHImageList(TreeView_CreateDragImage(Inner(), item));
}

int TreeViewWindow::ImageIndex(const std::string& key) const noexcept {
  ImageList* images = m_model->GetImageList();
  int index = images && !key.empty() ? images->IndexOf(key) : 0;
  return index > 0 ? index - 1 : I_IMAGENONE;
}

// Win32 has no "insert before": every place is "after the sibling before
// it", or first under the parent, which the model has already worked out.
// The control looks up every item it is handed among all of its items, so
// a node comes whole in one message, and last or first by name.
void TreeViewWindow::Insert(TreeNode& node) noexcept {
  if (!Inner()) return;
  TVINSERTSTRUCTA is = {};
  is.hParent = node.Parent() ? ItemOf(*node.Parent()) : TVI_ROOT;
  is.hInsertAfter = !node.Previous() ? TVI_FIRST : !node.Next() ? TVI_LAST : ItemOf(*node.Previous());
  if (!is.hParent || !is.hInsertAfter) return;  // its parent or sibling is not shown
  if (node.Previous() && !ItemOf(*node.Previous())) return;
  is.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
  is.item.pszText = const_cast<char*>(node.Text().c_str());
  is.item.lParam = reinterpret_cast<LPARAM>(&node);
  is.item.iImage = is.item.iSelectedImage = ShownImage(node);
  HTREEITEM item = reinterpret_cast<HTREEITEM>(
      SendMessageA(Inner(), TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&is)));
  if (!item) return;
  try {
    m_items[&node] = item;
  } catch (...) {
    TreeView_DeleteItem(Inner(), item);  // no room to know it: not shown
    return;
  }
  // A node has no children yet when it is added; a parent the model holds
  // open opens with its first child.
  if (node.Parent() && node.Parent()->Expanded() && node.Parent()->Child() == &node) ShowState(*node.Parent());
}

int TreeViewWindow::ShownImage(const TreeNode& node) const noexcept {
  const bool open = node.Expanded() && !node.ExpandedImage().empty();
  return ImageIndex(open ? node.ExpandedImage() : node.Image());
}

// Only what the item does not show yet is sent: a new text makes the
// control measure its whole tree again, so a tree being filled would slow
// down with every node.
void TreeViewWindow::ShowState(TreeNode& node) noexcept {
  HTREEITEM item = ItemOf(node);
  if (!item) return;
  std::string shownText;
  try {
    shownText.resize(node.Text().size() + 2);  // room to see a longer text differ
  } catch (...) {
    shownText.clear();  // no room: the text is sent
  }
  TVITEMA shown = {};
  shown.mask = TVIF_STATE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | (shownText.empty() ? 0 : TVIF_TEXT);
  shown.stateMask = TVIS_EXPANDED;
  shown.hItem = item;
  shown.pszText = shownText.data();
  shown.cchTextMax = static_cast<int>(shownText.size());
  const bool read = SendMessageA(Inner(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&shown)) != 0;
  if (!m_fromView) {
    // Win32 expands only a node with children; the model may say "expanded"
    // earlier, and the first child added then opens it.
    const bool expanded = read && (shown.state & TVIS_EXPANDED) != 0;
    if (node.Expanded() != expanded && node.Child())
      TreeView_Expand(Inner(), item, node.Expanded() ? TVE_EXPAND : TVE_COLLAPSE);
  }
  const int image = ShownImage(node);
  TVITEMA it = {};
  it.hItem = item;
  if (!read || shownText.empty() || node.Text() != shown.pszText) {
    it.mask |= TVIF_TEXT;
    it.pszText = const_cast<char*>(node.Text().c_str());
  }
  if (!read || shown.iImage != image || shown.iSelectedImage != image) {
    it.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    it.iImage = it.iSelectedImage = image;
  }
  if (it.mask) SendMessageA(Inner(), TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&it));
}

void TreeViewWindow::SetRedraw(bool on) {
  if (Inner()) SendMessageA(Inner(), WM_SETREDRAW, on ? TRUE : FALSE, 0);
}

void TreeViewWindow::Refresh() {
  if (Inner()) RedrawWindow(Inner(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TreeViewWindow::NodeAdded(TreeNode& node) noexcept { Insert(node); }

void TreeViewWindow::NodeRemoving(TreeNode& node) noexcept {
  // TVN_DELETEITEM forgets each item of the subtree as it goes.
  if (HTREEITEM item = ItemOf(node)) TreeView_DeleteItem(Inner(), item);
}

void TreeViewWindow::NodesCleared() noexcept {
  if (Inner()) TreeView_DeleteAllItems(Inner());
  m_items.clear();
}

void TreeViewWindow::NodeChanged(TreeNode& node) noexcept { ShowState(node); }

void TreeViewWindow::SelectionChanged(TreeNode* node) noexcept {
  if (m_fromView || !Inner()) return;
  TreeView_SelectItem(Inner(), node ? ItemOf(*node) : nullptr);
}

void TreeViewWindow::DropHighlightChanged(TreeNode* node) noexcept {
  if (Inner()) TreeView_SelectDropTarget(Inner(), node ? ItemOf(*node) : nullptr);
}

void TreeViewWindow::EnsureVisible(TreeNode& node) noexcept {
  if (HTREEITEM item = ItemOf(node)) TreeView_EnsureVisible(Inner(), item);
}

void TreeViewWindow::ImageListChanged() noexcept {
  if (!Inner()) return;
  ImageList* images = m_model->GetImageList();
  TreeView_SetImageList(Inner(), images ? images->Handle() : nullptr, TVSIL_NORMAL);
  for (auto& [node, item] : m_items) ShowState(*const_cast<TreeNode*>(node));
}

TreeNode* TreeViewWindow::HitTest(long x, long y) noexcept {
  if (!Inner()) return nullptr;
  TVHITTESTINFO hit = {};
  hit.pt = {TwipsToPixelsX(x), TwipsToPixelsY(y)};
  HTREEITEM item = TreeView_HitTest(Inner(), &hit);
  if (!item || !(hit.flags & (TVHT_ONITEM | TVHT_ONITEMINDENT | TVHT_ONITEMRIGHT))) return nullptr;
  TVITEMA it = {};
  it.mask = TVIF_PARAM;
  it.hItem = item;
  if (!SendMessageA(Inner(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&it))) return nullptr;
  return NodeOf(it.lParam);
}

LRESULT TreeViewWindow::OnNotify(NMHDR& header) {
  switch (header.code) {
    case TVN_DELETEITEMA:
    case TVN_DELETEITEMW:
      m_items.erase(NodeOf(reinterpret_cast<NMTREEVIEWA&>(header).itemOld.lParam));
      return 0;
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW: {
      auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
      TreeNode* node = NodeOf(tv.itemNew.lParam);
      if (!ItemOf(*node)) node = nullptr;  // an item on its way out
      m_fromView = true;
      m_model->SetSelectedItem(node);
      m_fromView = false;
      // Only the user's choice is a click; the program calls its handler itself.
      if (node && tv.action != TVC_UNKNOWN && NodeClick) NodeClick(*node);
      return 0;
    }
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
      auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
      TreeNode* node = NodeOf(tv.itemNew.lParam);
      if (!node || !ItemOf(*node)) return 0;
      const bool open = (tv.action & TVE_EXPAND) != 0;
      m_fromView = true;
      node->SetExpanded(open);  // swaps the expanded picture in
      m_fromView = false;
      if (open && Expand) Expand(*node);
      if (!open && Collapse) Collapse(*node);
      return 0;
    }
    case NM_DBLCLK:
      if (DblClick) DblClick();
      return 0;
    case TVN_BEGINDRAGA:
    case TVN_BEGINDRAGW:
    case TVN_BEGINRDRAGA:
    case TVN_BEGINRDRAGW: {
      auto& tv = reinterpret_cast<NMTREEVIEWA&>(header);
      TreeNode* node = NodeOf(tv.itemNew.lParam);
      const bool right = header.code == TVN_BEGINRDRAGA || header.code == TVN_BEGINRDRAGW;
      if (node && ItemOf(*node) && BeginDrag) BeginDrag(*node, right ? 2 : 1);
      return 0;
    }
  }
  return 0;
}

void TreeViewWindow::FireMouse(const std::function<void(int, int, long, long)>& event, int button,
                               LPARAM lp) {
  if (event)
    event(button, ShiftState(), PixelsToTwipsX(GET_X_LPARAM(lp)), PixelsToTwipsY(GET_Y_LPARAM(lp)));
}

bool TreeViewWindow::InnerMessage(UINT msg, WPARAM& wp, LPARAM& lp, LRESULT* result) {
  switch (msg) {
    case WM_CHAR:
      if (KeyPress) {
        int key = static_cast<int>(wp);
        KeyPress(key);
        if (key == 0) {
          *result = 0;
          return true;
        }
        wp = static_cast<WPARAM>(key);
      }
      return false;
    case WM_GETDLGCODE:
      // Esc while the tree holds the mouse ends that, not the form.
      if (GetCapture() == Inner() && lp && reinterpret_cast<MSG*>(lp)->message == WM_KEYDOWN &&
          reinterpret_cast<MSG*>(lp)->wParam == VK_ESCAPE) {
        *result = CallInner(msg, wp, lp) | DLGC_WANTMESSAGE;
        return true;
      }
      return false;
    case WM_CAPTURECHANGED:
    case WM_CANCELMODE:
      if (CancelMode) CancelMode();
      return false;
    case WM_KEYDOWN:
      if (wp == VK_ESCAPE && GetCapture() == Inner() && CancelMode) {
        CancelMode();
        *result = 0;
        return true;
      }
      if (KeyDown) KeyDown(static_cast<int>(wp), ShiftState());
      return false;
    case WM_KEYUP:
      // The tree itself tells only of keys going down.
      if (KeyUp) KeyUp(static_cast<int>(wp), ShiftState());
      return false;
    case WM_LBUTTONDOWN:
      FireMouse(MouseDown, 1, lp);
      return false;
    case WM_LBUTTONUP:
      FireMouse(MouseUp, 1, lp);
      return false;
    case WM_RBUTTONDOWN: {
      // A Win32 tree leaves the selection where it was on a right click and
      // only highlights the node for a moment; ours selects it, so that the
      // popup menu that follows works on the node under the pointer.
      ::SetFocus(Inner());
      TreeNode* node = HitTest(PixelsToTwipsX(GET_X_LPARAM(lp)), PixelsToTwipsY(GET_Y_LPARAM(lp)));
      if (node && node != m_model->SelectedItem()) {
        m_model->SetSelectedItem(node);
        if (NodeClick) NodeClick(*node);
      }
      FireMouse(MouseDown, 2, lp);
      *result = 0;
      return true;  // the class's own right-click loop would swallow the button-up
    }
    case WM_RBUTTONUP:
      FireMouse(MouseUp, 2, lp);
      return false;
    case WM_MBUTTONDOWN:
      FireMouse(MouseDown, 4, lp);
      return false;
    case WM_MOUSEMOVE: {
      const int button = (wp & MK_LBUTTON ? 1 : 0) | (wp & MK_RBUTTON ? 2 : 0) | (wp & MK_MBUTTON ? 4 : 0);
      FireMouse(MouseMove, button, lp);
      return false;
    }
  }
  return false;
}

}  // namespace widgets
