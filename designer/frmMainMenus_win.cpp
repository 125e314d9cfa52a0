// The main window's menus, toolbar, popup, view bar and controls.
#include "designer/frmMainParts_win.h"

#include "common/appinfo.h"
#include "smartui/bar_views.h"
#include "smartui/toolbar_view.h"
#include "ui/clsApplication.h"

namespace designer {

namespace {

using sui::ItemList;
using sui::ItemPtr;

ItemPtr Command(ItemList& list, const char* key, const char* caption, const char* image = "",
                const char* shortcut = "") {
  ItemPtr item = list.add(0, key, caption, sui::kKindMenuCommand, image);
  if (*shortcut) item->setShortcut(shortcut);
  return item;
}

void Separator(ItemList& list) { list.add(0, "", "", sui::kKindMenuSeparator); }

// The Add drop-down's entries, the same in the toolbar and the tree's popup.
void AddEntries(ItemList& list) {
  Command(list, "id_editadd_folder", "&Folder", "folder_closed");
  Command(list, "id_editadd_dfolder", "&Dynamic Folder", "dfolder");
  Command(list, "id_editadd_folderspecial", "&Special Folder", "windows");
  Command(list, "id_editadd_file", "F&ile", "file");
  Command(list, "id_editadd_customaction", "&Custom Action", "customaction");
  Command(list, "id_editadd_selectiontask", "Selection &Task", "selectiontask");
  Command(list, "id_editadd_copytox", "C&opy/Move To", "folder_open");
  Command(list, "id_editadd_popupmenu", "&Popup Menu", "popupmenu");
  Command(list, "id_editadd_separator", "S&eparator", "separator");
  Separator(list);
  list.add(0, "id_editadd_qa", "&Quick Access", sui::kKindMenuEntry, "qa")->setEnabled(false);
}

void ClipboardEntries(ItemList& list) {
  Command(list, "id_editcut", "Cu&t", "edit_cut", "Ctrl+X")->setVisible(false);
  Command(list, "id_editcopy", "&Copy", "edit_copy", "Ctrl+C")->setVisible(false);
  Command(list, "id_editpaste", "&Paste", "edit_paste", "Ctrl+V")->setVisible(false);
}

}  // namespace

void frmMain::BuildMenus() {
  ItemList& bar = m_parts->menu.items();
  ItemList& file = bar.add(0, "id_file", "&File", sui::kKindMenuEntry)->subItems();
  Command(file, "id_filenew", "&New", "new", "Ctrl+N");
  Command(file, "id_fileopen", "&Open...", "folder_open", "Ctrl+O");
  Command(file, "id_filemerge", "&Merge...");
  Separator(file);
  Command(file, "id_filesave", "&Save", "save", "Ctrl+S");
  Command(file, "id_filesaveas", "Save &As...");
  Separator(file);
  Command(file, "id_filesend", "Sen&d...", "email");
  Separator(file);
  Command(file, "id_fileexit", "E&xit");

  ItemList& edit = bar.add(0, "id_edit", "&Edit", sui::kKindMenuEntry)->subItems();
  ClipboardEntries(edit);
  Command(edit, "id_editadd", "&Add", "add", "Ins");
  Command(edit, "id_editdelete", "&Remove", "delete", "Del");
  Separator(edit);
  Command(edit, "id_editproperties", "&Properties", "properties", "F4");

  ItemList& view = bar.add(0, "id_view", "&View", sui::kKindMenuEntry)->subItems();
  Command(view, "id_viewmenudesigner", "&Menu Designer", "menu", "Ctrl+1");
  Command(view, "id_viewtestmenu", "&Test Menu", "testmenu", "Ctrl+2");

  ItemList& tools = bar.add(0, "id_tools", "&Tools", sui::kKindMenuEntry)->subItems();
  Command(tools, "id_toolsoptions", "&Options...", "options");
  Command(tools, "id_toolsvalidate", "&Validate", "folder_validate", "F8");
  Command(tools, "id_toolscustomwindowactions", "&Custom Window Actions...", "customwindowaction");

  ItemList& help = bar.add(0, "id_helpmenu", "&Help", sui::kKindMenuEntry)->subItems();
  Command(help, "id_help", "&Help", "question", "F1");
  Command(help, "id_helpsupport", "&Support");
  Command(help, "id_helpwebsite", "&Web site", "explorer");
  Separator(help);
  Command(help, "id_helpabout", "&About");

  // The running instance's answer to a second start's Ctrl+F15: nothing
  // but the keystroke landing somewhere harmless.
  Command(m_parts->foreground.items(), "id_foreground", "", "", "Ctrl+F15");

  ItemList& popup = m_parts->popup.items().add(0, "id_popup", "", sui::kKindMenuEntry)->subItems();
  ItemList& add = popup.add(0, "id_editadd", "&Add", sui::kKindMenuEntry, "add")->subItems();
  AddEntries(add);
  Command(popup, "id_editdelete", "&Remove", "delete");
  ClipboardEntries(popup);
  Separator(popup);
  Command(popup, "id_editproperties", "&Properties", "properties");

  for (sui::Control* c : {&m_parts->menu, &m_parts->popup})
    c->handlers.itemClick = [this](const ItemPtr& item) { SmartUI_ClickProcessing(item->key()); };
}

void frmMain::LoadMenuImages() {
  // The menu bar and the popup carry "imagelist=s" too: their entries show the small icons.
  widgets::ImageList& small = ui::g_oApplication().imlImages(0);
  ui::ViewIconStore menuIcons(m_parts->menuView->images());
  ui::g_oApplication().SmartUI_AddImages(menuIcons, m_parts->menu.items(), small);
  m_parts->menuView->refreshImages();
  ui::ViewIconStore popupIcons(m_parts->popupImages);
  ui::g_oApplication().SmartUI_AddImages(popupIcons, m_parts->popup.items(), small);
}

void frmMain::BuildControls() {
  HWND frame = Hwnd();
  m_parts->menuView = std::make_unique<sui::MenuBarView>(m_parts->menu, frame);
  m_parts->menuView->merge(m_parts->foreground);
  SetAccelerators(m_parts->menuView->accelerators());

  const long width = ScaleWidth();
  m_parts->toolbar = &Add<ui::SmartUIControl>("suiToolbar", sui::Style::Toolbar, 0, 0, width, 450);
  sui::Control& toolbar = m_parts->toolbar->Model();
  ItemList& buttons = toolbar.items();
  Command(buttons, "id_filenew", "&New", "new")->setToolTip("New configuration");
  Command(buttons, "id_fileopen", "&Open", "folder_open")->setToolTip("Open a configuration");
  Command(buttons, "id_filesave", "&Save", "save")->setToolTip("Save the configuration");
  buttons.add(0, "", "", sui::kKindToolbarSpacer);
  AddEntries(buttons.add(0, "id_editadd", "&Add", sui::kKindMenuEntry, "add")->subItems());
  Command(buttons, "id_editdelete", "&Remove", "delete")->setToolTip("Remove the selected item");
  Command(buttons, "id_editproperties", "&Properties", "properties")->setToolTip("Properties of the selected item");
  buttons.add(0, "", "", sui::kKindToolbarSpacer);
  Command(buttons, "id_toolsvalidate", "&Validate", "folder_validate")->setToolTip("Validate the configuration");
  toolbar.handlers.itemClick = [this](const ItemPtr& item) { SmartUI_ClickProcessing(item->key()); };
  toolbar.handlers.dropDown = [this](const ItemPtr&) { TagOnQuickAccessItems(); };
  m_parts->toolbar->SetTag("imagelist=s");

  m_parts->view = &Add<ui::SmartUIControl>("suiView", sui::Style::ViewBar, 60, 500, 1700, 4000);
  m_parts->title = &Add<widgets::PictureBox>("picTitle", 1820, 500, 6000, 400);
  m_parts->title->Paint = [this](widgets::PictureBox& box) {
    RECT r{0, 0, box.ScaleWidth(), box.ScaleHeight()};
    FillRect(box.Dc(), &r, GetSysColorBrush(COLOR_APPWORKSPACE));
    const std::string caption = GetWindowTextLengthA(box.Hwnd()) ? box.Text() : std::string();
    int x = 6;
    sui::ItemPtr item = m_parts->view->Model().items().count() > m_lCurrentTab
                            ? m_parts->view->Model().items().at(m_lCurrentTab + 1)
                            : nullptr;
    if (item) {
      if (ui::ImageEntry entry = ui::g_oApplication().GetImage("s", item->image())) {
        base::UniqueHIcon icon = ui::clsApplication::IconOf(*entry.list, entry.index);
        DrawIconEx(box.Dc(), x, (r.bottom - 16) / 2, icon.get(), 16, 16, 0, nullptr, DI_NORMAL);
        x += 22;
      }
    }
    SetBkMode(box.Dc(), TRANSPARENT);
    SetTextColor(box.Dc(), GetSysColor(COLOR_HIGHLIGHTTEXT));
    HGDIOBJ old = SelectObject(box.Dc(), Font());
    RECT text{x, 0, r.right, r.bottom};
    DrawTextA(box.Dc(), caption.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
    SelectObject(box.Dc(), old);
  };
  m_parts->treeWindow = &Add<widgets::TreeViewWindow>("tvwDesigner", m_parts->tree, 1820, 960, 6000, 4000);
  m_parts->status = &Add<ui::SmartUIControl>("suiPanelStatus", sui::Style::Panel, 1820, 5000, 6000, 330);
  m_parts->status->Model().setBorderStyle(2);
  m_parts->status->Model().items().add(0, "", "", sui::kKindPlainText);
  m_parts->testView = &Add<TestView>("wbrTestMenu", 1820, 960, 6000, 4300);

  widgets::TreeViewWindow& tree = *m_parts->treeWindow;
  tree.NodeClick = [this](widgets::TreeNode& node) { NodeClicked(node); };
  tree.DblClick = [this] { DoubleClick(); };
  tree.KeyPress = [](int& key) {
    // Ctrl+C, Ctrl+V and Ctrl+X: the tree does nothing of its own with the clipboard.
    if (key == 3 || key == 22 || key == 24) key = 1;
  };
  tree.KeyUp = [this](int keyCode, int shift) {
    if (keyCode == VK_DELETE && shift == 0 && m_parts->tree.SelectedItem() && !m_bProcessing) DeleteItem();
  };
  m_parts->mouse = std::make_unique<TreeMouse>(tree, static_cast<TreeMouseHost&>(*this));

  ui::g_oApplication().SetupForm(*this, [this] {
    sui::Control& view = m_parts->view->Model();
    view.setBorderStyle(5);
    ItemPtr designer = view.items().add(0, "id_viewmenudesigner", "Menu Designer", sui::kKindViewBarEntry, "menu");
    ItemPtr test = view.items().add(0, "id_viewtestmenu", "Test Menu", sui::kKindViewBarEntry, "testmenu");
    designer->setForeColor(0x80000008u);
    test->setForeColor(0x80000008u);
    designer->setBold(true);
    view.handlers.itemClick = [this](const ItemPtr& item) {
      if (!m_bInFormLoad) SmartUI_ClickProcessing(item->key());
    };
    m_parts->view->SetTag("imagelist=s");
  });
}

}  // namespace designer
