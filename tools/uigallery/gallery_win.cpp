#include "tools/uigallery/gallery.h"

#include "smartui/bar_views.h"
#include "smartui/grid_view.h"
#include "smartui/menu_view.h"
#include "smartui/toolbar_view.h"
#include "ui/TokenMenus.h"
#include "widgets/form.h"

namespace uigallery {

namespace {

using namespace sui;

// The gallery's frame: a form that passes the menu messages to its menu bar
// and pops the token menu on a right-click.
class GalleryForm : public widgets::Form {
 public:
  GalleryForm() : Form("SmartUI gallery", 640 * widgets::TwipsPerPixelX(), 480 * widgets::TwipsPerPixelY(),
                       "CorvaneUiGallery") {}
  MenuBarView* menu = nullptr;
  std::function<void(POINT)> rightClick;

 protected:
  LRESULT HandleMessage(UINT msg, WPARAM wp, LPARAM lp) override {
    LRESULT result = 0;
    if (menu && menu->handle(msg, wp, lp, result)) return result;
    if (msg == WM_RBUTTONUP && rightClick) {
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      ClientToScreen(Hwnd(), &p);
      rightClick(p);
      return 0;
    }
    return Form::HandleMessage(msg, wp, lp);
  }
};

// The system's own icons stand in for the application's pictures.
void AddIcons(ImageStore& store) {
  struct Pick {
    const char* key;
    LPCSTR icon;
  } picks[] = {{"menu", IDI_APPLICATION}, {"testmenu", IDI_INFORMATION}, {"new", IDI_APPLICATION},
               {"delete", IDI_ERROR},     {"save", IDI_INFORMATION},     {"refresh", IDI_QUESTION},
               {"folder_open", IDI_WARNING}, {"customaction", IDI_QUESTION}};
  for (const Pick& p : picks) store.add(p.key, LoadIcon(nullptr, p.icon));
}

}  // namespace

struct Gallery::Parts {
  std::vector<std::string> events;
  GalleryForm form;
  Control menu{Style::MenuBar}, toolbar{Style::Toolbar}, popup{Style::PopupMenu}, view{Style::ViewBar},
      status{Style::Panel}, caption{Style::CaptionBar}, save{Style::ButtonBar}, progress{Style::Progress},
      link{Style::Link}, grid{Style::Grid}, list{Style::List}, holder{Style::Hidden};
  std::unique_ptr<MenuBarView> menuView;
  std::unique_ptr<ToolbarView> toolbarView, saveView;
  std::unique_ptr<ViewBarView> viewView;
  std::unique_ptr<PanelView> statusView, captionView;
  std::unique_ptr<ProgressView> progressView;
  std::unique_ptr<LinkView> linkView;
  std::unique_ptr<GridView> gridView, listView;

  void Log(Control& c) {
    c.handlers.itemClick = [this](const ItemPtr& i) { events.push_back("click " + i->key()); };
    c.handlers.dropDown = [this](const ItemPtr& i) { events.push_back("drop " + i->key()); };
    c.handlers.click = [this] { events.push_back("click control"); };
    c.handlers.itemChange = [this](const ItemPtr& i, const std::string& p) {
      events.push_back("change " + i->key() + " " + p);
    };
    c.handlers.buttonClick = [this](const ItemPtr& i) { events.push_back("button " + i->key()); };
  }

  void Fill() {
    ItemPtr file = menu.items().add(0, "id_file", "&File", kKindMenuEntry);
    file->subItems().add(0, "id_filenew", "&New", kKindMenuCommand);
    file->subItems().add(0, "id_fileopen", "&Open...", kKindMenuCommand);
    file->subItems().add(0, "", "", kKindMenuSeparator);
    file->subItems().add(0, "id_fileexit", "E&xit", kKindMenuCommand);
    ItemPtr tools = menu.items().add(0, "id_tools", "&Tools", kKindMenuEntry);
    tools->subItems().add(0, "id_toolsvalidate", "&Validate", kKindMenuCommand)->setShortcut("F8");
    menu.items().add(0, "id_helpmenu", "&Help", kKindMenuEntry)
        ->subItems().add(0, "id_helpabout", "&About", kKindMenuCommand);
    holder.items().add(0, "id_foreground", "", kKindMenuCommand)->setShortcut("Ctrl+F15");

    ItemPtr add = toolbar.items().add(0, "id_editadd", "&Add", kKindMenuEntry, "new");
    add->subItems().add(0, "id_editadd_folder", "&Folder", kKindMenuCommand);
    add->subItems().add(0, "id_editadd_file", "F&ile", kKindMenuCommand);
    toolbar.items().add(0, "", "", kKindToolbarSpacer);
    toolbar.items().add(0, "id_editdelete", "&Remove", kKindMenuCommand, "delete")->setEnabled(false);
    toolbar.items().add(0, "id_up", "", kKindMenuCommand, "refresh")->setToolTip("Move up");

    ui::AddKeystrokeMenuItems(*popup.items().add(0, "id_actiontokens", "", kKindMenuEntry), true);

    ItemPtr designer = view.items().add(0, "id_viewmenudesigner", "Menu Designer", kKindViewBarEntry, "menu");
    designer->setBold(true);
    view.items().add(0, "id_viewtestmenu", "Test Menu", kKindViewBarEntry, "testmenu");
    view.setBorderStyle(5);
    designer->setSelected(true);

    status.setBorderStyle(2);
    status.items().add(0, "", "Folder: C:\\Documents\\Projects", kKindPlainText)->setWidth(260);
    status.items().add(0, "", "3 items", kKindPlainText);
    caption.setCaption("Preview");
    save.items().add(0, "id_save", "&Save Changes", kKindMenuCommand, "save")->setToolTip("Save action changes");
    progress.setCaption("Copy to Clipboard Progress");
    progress.items().add(0, "id_folder", "C:\\Documents\\Projects\\Corvane\\configurations", kKindPlainText,
                         "folder_open");
    link.setBorderStyle(0);
    link.items().add(0, "", "Support", kKindPlainText)->setValue(std::string("support@corvane.example"));

    grid.setBorderStyle(0);
    grid.setCaption("Item Properties");
    grid.items().add(0, "", "General", kKindHeading)->setBold(true);
    grid.items().add(0, "caption", "Caption", kKindText)->setValue(std::string("My menu"));
    grid.items().add(0, "enable", "Enabled", kKindCheckBox)->setChecked(true);
    ItemPtr kind = grid.items().add(0, "type", "Type", kKindList);
    kind->subItems().add(0, "", "Folder", kKindEntry);
    kind->subItems().add(0, "", "File", kKindEntry);
    kind->setValue(std::string("Folder"));
    grid.items().add(0, "path", "Path", kKindTextButton, "folder_open")->setValue(std::string("C:\\"));
    list.setCaption("Actions");
    list.items().add(0, "a1", "Notepad: save", kKindEntry, "save");
    list.items().add(0, "a2", "Explorer: refresh", kKindEntry, "refresh");
  }

  Parts() {
    for (Control* c : {&menu, &toolbar, &popup, &view, &status, &caption, &save, &progress, &link, &grid, &list,
                       &holder})
      Log(*c);
    Fill();
    form.Load();
    HWND f = form.Hwnd();
    menuView = std::make_unique<MenuBarView>(menu, f);
    menuView->merge(holder);
    form.menu = menuView.get();
    form.SetAccelerators(menuView->accelerators());
    toolbarView = std::make_unique<ToolbarView>(toolbar, f, RECT{0, 0, 624, 28});
    AddIcons(toolbarView->images());
    toolbarView->rebuild();
    viewView = std::make_unique<ViewBarView>(view, f, RECT{4, 32, 116, 330});
    AddIcons(viewView->images());
    captionView = std::make_unique<PanelView>(caption, f, RECT{120, 32, 376, 52});
    gridView = std::make_unique<GridView>(grid);
    gridView->create(f, 20, 120, 56, 256, 150);
    listView = std::make_unique<GridView>(list);
    listView->create(f, 21, 384, 32, 248, 174);
    AddIcons(listView->images());
    AddIcons(gridView->images());
    progressView = std::make_unique<ProgressView>(progress, f, RECT{120, 214, 490, 290});
    AddIcons(progressView->images());
    saveView = std::make_unique<ToolbarView>(save, f, RECT{496, 214, 632, 242});
    AddIcons(saveView->images());
    saveView->rebuild();
    linkView = std::make_unique<LinkView>(link, f, RECT{500, 250, 632, 270});
    linkView->open = [this](HWND, const std::string& target) { events.push_back("open " + target); };
    statusView = std::make_unique<PanelView>(status, f, RECT{0, 400, 624, 422});
    form.rightClick = [this](POINT p) { PopupMenuView(form.Hwnd()).popup(popup.items().at(1), p); };
    form.Show();
    UpdateWindow(f);
  }

  ~Parts() {
    // The views go before the window, the window before the controls.
    form.menu = nullptr;
    menuView.reset();
    toolbarView.reset();
    saveView.reset();
    viewView.reset();
    statusView.reset();
    captionView.reset();
    progressView.reset();
    linkView.reset();
    gridView.reset();
    listView.reset();
    form.Unload();
  }
};

Gallery::Gallery() : m_parts(std::make_unique<Parts>()) {}
Gallery::~Gallery() = default;

HWND Gallery::Hwnd() const { return m_parts->form.Hwnd(); }
const std::vector<std::string>& Gallery::Events() const { return m_parts->events; }

void Gallery::Run() {
  MSG msg;
  while (m_parts->form.IsLoaded() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
    if (widgets::TranslateFormMessage(msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace uigallery
