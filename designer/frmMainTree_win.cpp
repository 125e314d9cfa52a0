// Editing the configuration tree on screen: an empty configuration, adding,
// editing and removing items, the status line and the quick-access entries.
#include "designer/frmMainParts_win.h"

#include "base/prompt.h"
#include "base/scope.h"
#include "common/appinfo.h"
#include "config/clsCorvaneDataTools.h"
#include "designer/TreeEditing.h"
#include "designer/frmProperties.h"
#include "ui/clsApplication.h"
#include "widgets/form_tools.h"

namespace designer {

using config::clsCorvaneData;

namespace {

std::shared_ptr<clsCorvaneData> ItemOf(const widgets::TreeNode& node) {
  return std::dynamic_pointer_cast<clsCorvaneData>(node.Tag());
}

}  // namespace

void frmMain::InitializeTree() {
  widgets::WaitCursor wait;
  auto images = std::make_unique<widgets::ImageList>();
  widgets::ImageList& source = ui::g_oApplication().imlImages(1);
  for (const char* key : {"menu", "popupmenu", "folder_open", "separator", "customaction", "error", "selectiontask"})
    if (const std::int32_t index = source.IndexOf(key)) {
      base::UniqueHIcon icon = ui::clsApplication::IconOf(source, index);
      images->Add(key, icon.get());
    }
  auto root = std::make_shared<clsCorvaneData>();
  root->m_lType = clsCorvaneData::TypeRoot;
  root->SetCaption("Corvane");
  widgets::TreeView& tree = m_parts->tree;
  tree.SetRedraw(false);
  tree.Clear();
  tree.SetImageList(images.get());
  m_parts->treeImages = std::move(images);
  widgets::TreeNode& node = tree.Add(nullptr, 0, "root", root->Caption());
  node.SetImage("menu");
  node.SetTag(root);
  tree.SetSelectedItem(&node);
  node.SetExpanded(true);
  NodeClicked(node);
  tree.SetRedraw(true);
  tree.Refresh();
  m_parts->testView->Navigate("\\");
  m_bTreviewDirty = false;
  m_szFilename.clear();
  SetFormTitle();
}

void frmMain::NodeClicked(widgets::TreeNode& node) {
  EnableButtons(true, &node);
  if (m_parts->status) m_parts->status->Model().items().at(1)->setCaption(StatusText(node));
}

void frmMain::TreeChanged() {
  m_bTreviewDirty = true;
  SetFormTitle();
}

void frmMain::AddItem(std::int32_t type, std::int32_t mode, std::int32_t quickAccessIndex) {
  m_bProcessing = true;
  base::ScopeExit done([this] {
    AfterDialog();
    m_bProcessing = false;
  });
  if (m_lCurrentTab != 0) ShowFrame(0);
  widgets::TreeNode* selected = m_parts->tree.SelectedItem();
  if (!selected) selected = m_parts->tree.Find("root");
  if (!selected) return;
  auto item = std::make_shared<clsCorvaneData>();
  bool ctrl = false;
  if (quickAccessIndex < 1) {
    item->m_lType = type;
    if (type != clsCorvaneData::TypeSeparator) {
      frmProperties properties;
      properties.m_Data = item;
      properties.m_lOptions = mode;
      if (!properties.ShowDialog(Hwnd())) return;
      ctrl = properties.m_bCtrlPressed;
      properties.Unload();
    }
  } else {
    ctrl = CtrlHeld();
    m_parts->quickAccess.Load(5);
    if (quickAccessIndex > m_parts->quickAccess.FileCount()) return;
    config::g_oDataTools().BreakdownHistoryMRU(m_parts->quickAccess.File(quickAccessIndex), *item);
  }
  const Placement place = AddPlacement(*selected, ctrl);
  widgets::TreeNode& node =
      config::g_oDataTools().TVW_Add(m_parts->tree, item, place.relative, place.relationship, nullptr);
  TreeChanged();
  m_parts->tree.SetSelectedItem(&node);
  NodeClicked(node);
  m_parts->tree.EnsureVisible(node);
}

void frmMain::EditProperties() {
  widgets::TreeNode* node = m_parts->tree.SelectedItem();
  if (!node) return;
  std::shared_ptr<clsCorvaneData> item = ItemOf(*node);
  if (!item || item->m_lType == clsCorvaneData::TypeSeparator) return;
  m_bProcessing = true;
  base::ScopeExit done([this] {
    AfterDialog();
    m_bProcessing = false;
  });
  if (m_lCurrentTab != 0) ShowFrame(0);
  frmProperties properties;
  properties.m_Data = item;
  if (!properties.ShowDialog(Hwnd())) return;
  properties.Unload();
  config::g_oDataTools().TVW_Add(m_parts->tree, item, nullptr, 0, node);
  TreeChanged();
  NodeClicked(*node);
}

void frmMain::DeleteItem() {
  widgets::TreeNode* node = m_parts->tree.SelectedItem();
  if (!node || node->Index() == 1 || node->Key() == "root") return;
  m_bProcessing = true;
  base::ScopeExit done([this] { m_bProcessing = false; });
  if (base::Prompt(RemoveQuestion(*node), base::kPromptYesNo | base::kPromptQuestion, common::g_szAppTitle()) ==
      base::kAnswerNo)
    return;
  widgets::TreeNode* next = SelectionAfterRemoval(*node);
  {
    widgets::WaitCursor wait;
    m_parts->tree.SetRedraw(false);
    m_parts->tree.Remove(*node);
    m_parts->tree.SetSelectedItem(next);
    if (next) NodeClicked(*next);
    m_parts->tree.SetRedraw(true);
    m_parts->tree.Refresh();
  }
  TreeChanged();
}

void frmMain::DoubleClick() {
  if (m_bProcessing || !m_parts->mouse) return;
  if (!m_parts->tree.HitTest(m_parts->mouse->MouseX(), m_parts->mouse->MouseY())) return;
  EditProperties();
}

void frmMain::TagOnQuickAccessItems() {
  m_parts->quickAccess.Load(5);
  const std::int32_t count = m_parts->quickAccess.FileCount();
  for (sui::Control* c : {&m_parts->toolbar->Model(), &m_parts->popup}) {
    sui::ItemPtr qa = c->find("id_editadd_qa");
    if (!qa) continue;
    qa->subItems().clear();
    qa->setEnabled(count > 0);
    for (std::int32_t i = 1; i <= count; ++i) {
      clsCorvaneData item;
      config::g_oDataTools().BreakdownHistoryMRU(m_parts->quickAccess.File(i), item);
      qa->subItems().add(0, "qa_" + std::to_string(i), item.Caption(), sui::kKindMenuCommand, "blank");
    }
  }
  m_parts->toolbar->AddMissingImages(ui::g_oApplication().imlImages(0));
  ui::ViewIconStore popupIcons(m_parts->popupImages);
  ui::g_oApplication().SmartUI_ProcessItems(popupIcons, m_parts->popup.items(), ui::g_oApplication().imlImages(0));
}

void frmMain::SetCutCopyPaste() {
  sui::ItemPtr remove = m_parts->menu.find("id_editdelete");
  const bool enabled = remove && remove->enabled();
  for (sui::Control* c : {&m_parts->menu, &m_parts->popup}) {
    if (sui::ItemPtr cut = c->find("id_editcut")) cut->setEnabled(enabled);
    if (sui::ItemPtr copy = c->find("id_editcopy")) copy->setEnabled(enabled);
    if (sui::ItemPtr paste = c->find("id_editpaste")) paste->setEnabled(false);
  }
}

void frmMain::ShowTreePopup(POINT screen) {
  if (m_bProcessing) return;
  widgets::TreeNode* node = m_parts->tree.SelectedItem();
  EnableButtons(true, node);
  std::shared_ptr<clsCorvaneData> item = node ? ItemOf(*node) : nullptr;
  if (sui::ItemPtr props = m_parts->popup.find("id_editproperties"))
    props->setEnabled(item && item->m_lType != clsCorvaneData::TypeRoot &&
                      item->m_lType != clsCorvaneData::TypeSeparator);
  TagOnQuickAccessItems();
  SetCutCopyPaste();
  sui::PopupMenuView(Hwnd(), &m_parts->popupImages).popup(m_parts->popup.items().at(1), screen);
}

}  // namespace designer
