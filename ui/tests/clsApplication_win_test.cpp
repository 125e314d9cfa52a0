// Designer's application services over the test program's own copy of
// Designer's pictures: the image lists, the look-ups and a dressed form.
#include "ui/clsApplication.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

#include "base/tests/desktoplock.h"
#include "base/tests/gui_counts.h"
#include "base/tests/testing.h"
#include "smartui/model.h"
#include "smartui/toolbar_view.h"
#include "ui/SmartUIControl.h"
#include "widgets/RichTextBox.h"
#include "widgets/TreeViewWindow.h"
#include "widgets/form_controls.h"
#include "base/tests/screenshot.h"

using namespace ui;
using testing_support::PromptRecorder;

namespace {

const char* const kKeys[] = {
    "add", "options", "app_icon", "delete", "folder_open", "folder_closed", "folder_scan", "folder_validate",
    "menu", "new", "popupmenu", "question", "save", "separator", "testmenu", "properties", "explorer", "email",
    "qa", "customaction", "refresh", "preview", "down", "up", "blank", "disabled", "customwindowaction", "file",
    "windows", "error", "selectiontask", "edit_copy", "edit_cut", "edit_paste", "dfolder"};

// One application object for the program, as Designer has; loaded once.
clsApplication& App() {
  static bool loaded = g_oApplication().ImageList_LoadIcons();
  EXPECT_TRUE(loaded);
  return g_oApplication();
}

int IconSize(const widgets::ImageList& list) {
  int cx = 0, cy = 0;
  ImageList_GetIconSize(list.Handle(), &cx, &cy);
  return cx == cy ? cx : -1;
}

// The size of a picture in pixels, from its HIMETRIC width.
long PictureWidth(const widgets::Picture& picture) {
  OLE_XSIZE_HIMETRIC w = 0;
  if (picture) picture->get_Width(&w);
  return std::lround(w * 96.0 / 2540.0);
}

struct MapStore : IconStore {
  std::map<std::string, int> icons;  // key to width
  int resets = 0;
  void reset() override {
    icons.clear();
    ++resets;
  }
  bool contains(const std::string& key) const override { return icons.count(key) != 0; }
  void add(const std::string& key, HICON icon) override {
    ICONINFO info{};
    GetIconInfo(icon, &info);
    BITMAP bm{};
    GetObjectA(info.hbmColor, sizeof bm, &bm);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    icons[key] = bm.bmWidth;
  }
};

}  // namespace

TEST(clsApplication, EveryListHoldsEveryIconInTheKeyOrderOfString101) {
  PromptRecorder prompts;
  clsApplication& app = App();
  const std::vector<std::string> keys = ImageKeys();
  ASSERT_EQ(keys, std::vector<std::string>(std::begin(kKeys), std::end(kKeys)));
  const int sizes[] = {16, 16, 32};
  for (int list = 0; list < 3; ++list) {
    const widgets::ImageList& images = app.imlImages(list);
    EXPECT_EQ(images.Count(), 35) << list;
    EXPECT_EQ(ImageList_GetImageCount(images.Handle()), 35) << list;
    EXPECT_EQ(IconSize(images), sizes[list]) << list;
    for (int i = 0; i < 35; ++i) EXPECT_EQ(images.Key(i + 1), kKeys[i]) << list;
  }
  EXPECT_EQ(ImageList_GetBkColor(app.imlImages(1).Handle()), GetSysColor(COLOR_WINDOW));
  EXPECT_EQ(app.GetSmallImageListIndex("add"), 1);
  EXPECT_EQ(app.GetSmallImageListIndex("dfolder"), 35);
  EXPECT_TRUE(prompts.Prompts().empty());
}

TEST(clsApplication, LookUpsChooseTheListBySizeWordAndAMissingImageGivesNone) {
  PromptRecorder prompts;
  clsApplication& app = App();
  ImageEntry save = app.GetImage("l", "SAVE");  // the key in capitals
  ASSERT_TRUE(save);
  EXPECT_EQ(save.list, &app.imlImages(2));
  EXPECT_EQ(save.index, 13);
  EXPECT_EQ(app.GetImage("s2", "save").list, &app.imlImages(0));  // never the second small list
  EXPECT_EQ(PictureWidth(app.GetImagePicture("L", "app_icon")), 32);
  EXPECT_EQ(PictureWidth(app.GetImagePicture("s", "file")), 16);

  // Traced, no picture, and the program goes on: no message, no exit.
  EXPECT_FALSE(app.GetImage("s", "no_such_image"));
  EXPECT_FALSE(app.GetImagePicture("l", "no_such_image"));
  EXPECT_TRUE(prompts.Prompts().empty());
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { app.GetImagePictureEx(app.imlImages(0), "nope"); }), 35601);
  EXPECT_TRUE(app.GetImagePictureEx(app.imlImages(0), "menu"));
}

TEST(clsApplication, AMissingIconRefusesTheStartWithOneMessage) {
  PromptRecorder prompts;
  clsApplication app;
  EXPECT_FALSE(app.ImageList_LoadIcons({"add", "no_such_icon", "menu"}));
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text.rfind("Error encountered while referencing the icon \"no_such_icon\"\r\n\r\n", 0), 0u)
      << prompts.Prompts()[0].text;
  EXPECT_EQ(prompts.Prompts()[0].flags & 0xF0, base::kPromptCritical);
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { app.imlImages(0); }), 9);  // no half-filled lists
}

TEST(clsApplication, SmartUIStoresGetTheIconsOfEveryItemOnce) {
  clsApplication& app = App();
  sui::Control menu(sui::Style::MenuBar);
  auto file = menu.items().add(0, "mnu_file", "&File", sui::kKindMenuCommand, "");
  file->subItems().add(0, "id_filenew", "&New", sui::kKindMenuCommand, "new");
  file->subItems().add(0, "id_filesave", "&Save", sui::kKindMenuCommand, " save ");
  menu.items().add(0, "id_help", "&Help", sui::kKindMenuCommand, "question");
  MapStore store;
  store.icons["stale"] = 1;
  app.SmartUI_AddImages(store, menu.items(), app.imlImages(2));
  EXPECT_EQ(store.resets, 1);
  EXPECT_EQ(store.icons, (std::map<std::string, int>{{"new", 32}, {"question", 32}, {"save", 32}}));

  menu.items().add(0, "id_bad", "Bad", sui::kKindMenuCommand, "not_in_the_list");
  EXPECT_EQ(testing_support::ErrorNumberOf([&] { app.SmartUI_ProcessItems(store, menu.items(), app.imlImages(0)); }),
            35601);
}

TEST(clsApplication, FormLoadIconsDressesTheControlsByTheirTags) {
  testing_support::DesktopLock desktop;
  PromptRecorder prompts;
  clsApplication& app = App();
  const int tw = widgets::TwipsPerPixelX();
  widgets::Form form("Dressed by its tags", 560 * tw, 360 * tw);
  form.Load();
  widgets::TreeView model;
  auto& tree = form.Add<widgets::TreeViewWindow>("tvwDesigner", model, 10 * tw, 10 * tw, 240 * tw, 270 * tw);
  tree.SetTag("imagelist=s");
  widgets::TreeNode& root = model.Add(nullptr, widgets::tvwFirst, "root", "Context menu");
  root.SetImage("menu");
  struct Row {
    const char* text;
    const char* image;
  } rows[] = {{"Folder", "folder_closed"}, {"Special folder", "folder_open"}, {"File", "file"},
              {"Popup menu", "popupmenu"},  {"Separator", "separator"},     {"Custom action", "customaction"},
              {"Selection task", "selectiontask"}, {"Dynamic folder", "dfolder"}};
  for (const Row& r : rows) model.Add(&root, widgets::tvwChild, "", r.text).SetImage(r.image);
  root.SetExpanded(true);

  // One picture per kind of item, large, with the application icon first.
  std::vector<widgets::PictureBox*> pictures;
  const char* big[] = {"app_icon", "folder_closed", "folder_open", "file", "popupmenu",
                       "separator", "customaction", "selectiontask", "dfolder"};
  for (int i = 0; i < 9; ++i) {
    auto& box = form.Add<widgets::PictureBox>("Image" + std::to_string(i), (265 + (i % 3) * 48) * tw,
                                              (10 + (i / 3) * 48) * tw, 32 * tw, 32 * tw);
    box.SetTag(std::string("icon=l,") + big[i]);
    pictures.push_back(&box);
  }
  auto& notAllowed = form.Add<widgets::PictureBox>("picOther", 420 * tw, 10 * tw, 32 * tw, 32 * tw);
  notAllowed.SetTag("imagelist=s|max=5");  // neither is a picture box's command
  auto& untagged = form.Add<widgets::PictureBox>("picNone", 420 * tw, 60 * tw, 32 * tw, 32 * tw);
  auto& text = form.Add<widgets::RichTextBox>("txtResults", 265 * tw, 160 * tw, 280 * tw, 120 * tw);
  text.SetText("Folder, file, popup menu, separator,\r\ncustom action, selection task,\r\nspecial and dynamic folders.");
  // SmartUI controls take their icons from the list their tag names.
  auto& toolbar = form.Add<SmartUIControl>("suiToolbar", sui::Style::Toolbar, 265 * tw, 290 * tw, 280 * tw, 28 * tw);
  toolbar.SetTag("imagelist=s");
  toolbar.Model().items().add(0, "id_new", "&New", sui::kKindMenuCommand, "new");
  toolbar.Model().items().add(0, "id_delete", "&Delete", sui::kKindMenuCommand, "Delete");
  auto& menu = toolbar.Model().items().add(0, "id_add", "&Add", sui::kKindMenuEntry, "add")->subItems();
  menu.add(0, "id_add_folder", "&Folder", sui::kKindMenuCommand, "folder_closed");
  auto& line = form.Add<widgets::DividerLine>("VertDivider1", 10 * tw, 300 * tw, 240 * tw);
  SetWindowLongA(line.Hwnd(), GWL_STYLE, GetWindowLongA(line.Hwnd(), GWL_STYLE) | WS_TABSTOP);

  app.Form_LoadIcons(form);
  form.Show();

  EXPECT_EQ(TreeView_GetImageList(tree.Inner(), TVSIL_NORMAL), app.imlImages(0).Handle());
  EXPECT_EQ(model.GetImageList(), &app.imlImages(0));
  for (auto* box : pictures) EXPECT_EQ(PictureWidth(box->GetPicture()), 32) << box->Name();
  SHORT type = 0;
  pictures[0]->GetPicture()->get_Type(&type);
  EXPECT_EQ(type, PICTYPE_ICON);
  EXPECT_FALSE(notAllowed.GetPicture());
  EXPECT_FALSE(untagged.GetPicture());
  EXPECT_EQ(GetWindowLongA(text.Inner(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);  // no border
  EXPECT_TRUE(SendMessageA(form.Hwnd(), WM_GETICON, ICON_SMALL, 0));
  for (const char* key : {"new", "delete", "add", "folder_closed"})
    EXPECT_TRUE(toolbar.View().images().find(key)) << key;
  EXPECT_FALSE(toolbar.View().images().find("save"));
  HWND bar = toolbar.ViewAs<sui::ToolbarView>()->toolbar();
  EXPECT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 3);
  toolbar.Move(265 * tw, 290 * tw, 200 * tw, 28 * tw);
  EXPECT_EQ(toolbar.Width(), 200 * tw);
  EXPECT_EQ(GetWindowLongA(line.Hwnd(), GWL_STYLE) & WS_TABSTOP, 0);
  EXPECT_TRUE(prompts.Prompts().empty());
  EXPECT_TRUE(testing_support::SaveWindowPng(form.Hwnd(), "dressed_form.png"));
}

TEST(clsApplication, ProfileValuesRoundTripThroughOneFile) {
  testing_support::TempDir dir;
  clsApplication app;
  app.SetProfileFile(dir.File("designer.ini"));
  EXPECT_EQ(app.Profile_GetLong("Window", "Top", 42), 42);
  EXPECT_TRUE(app.Profile_GetBoolean("Window", "Shown", true));  // a missing key gives the default
  EXPECT_EQ(app.Profile_GetString("Window", "Name", "none"), "none");
  EXPECT_EQ(app.Profile_SetLong("Window", "Top", -7), -7);
  EXPECT_FALSE(app.Profile_SetBoolean("Window", "Shown", false));
  EXPECT_EQ(app.Profile_SetString("Window", "Name", "C:\\Program Files\\x.cfg"), "1");
  EXPECT_EQ(app.Profile_GetLong("Window", "Top", 0), -7);
  EXPECT_FALSE(app.Profile_GetBoolean("Window", "Shown", true));
  EXPECT_EQ(app.Profile_GetFilename("Window", "Name", "", false), "C:\\Program Files\\x.cfg");
}

TEST(clsApplication, ViewingAFolderThatIsNotThereSaysSo) {
  PromptRecorder prompts;
  testing_support::TempDir dir;
  g_oApplication().ViewDirectory(dir.File("gone"));
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].text, "Directory '" + dir.File("gone") + "' not found!");
}

TEST(clsApplication, VersionTests) {
  struct Case {
    int major, minor;
    bool xp, xpOrGreater;
  } cases[] = {{4, 10, false, false}, {5, 0, false, false}, {5, 1, true, true},
               {5, 2, false, true},   {6, 0, false, true},  {10, 0, false, true}};
  for (const Case& c : cases) {
    EXPECT_EQ(clsApplication::IsWindowsXP(c.major, c.minor), c.xp) << c.major << "." << c.minor;
    EXPECT_EQ(clsApplication::IsWindowsXPOrGreater(c.major, c.minor), c.xpOrGreater) << c.major << "." << c.minor;
  }
  EXPECT_TRUE(clsApplication::IsWindowsXPOrGreater());  // whatever Wine says it is, it is newer
}

TEST(clsApplication, DressedFormsOpenedAndClosedGiveBackTheirObjects) {
  testing_support::DesktopLock desktop;
  clsApplication& app = App();
  widgets::TreeView model;
  model.Add(nullptr, widgets::tvwFirst, "root", "Root").SetImage("menu");
  auto cycle = [&] {
    widgets::Form form("Opened and closed", 6000, 4000);
    form.Load();
    auto& tree = form.Add<widgets::TreeViewWindow>("tvwDesigner", model, 0, 0, 3000, 3000);
    tree.SetTag("imagelist=s");
    form.Add<widgets::PictureBox>("Image1", 3200, 0, 600, 600).SetTag("icon=l,app_icon");
    form.Add<widgets::RichTextBox>("txtResults", 3200, 800, 2500, 2000).SetFont("Courier New", 9);
    auto& grid = form.Add<SmartUIControl>("suiOptions", sui::Style::Grid, 0, 3100, 3000, 800);
    grid.SetTag("imagelist=s");
    grid.Model().items().add(0, "path", "Path", sui::kKindTextButton, "folder_open");
    app.Form_LoadIcons(form);
    form.Show();
    tree.CreateDragImage(model.Item(1));
    form.Unload();
  };
  cycle();  // the first use makes what stays (classes, caches)
  const long gdi = testing_support::GdiObjects(), user = testing_support::UserObjects();
  for (int i = 0; i < 5; ++i) cycle();
  EXPECT_LE(testing_support::GdiObjects(), gdi);
  EXPECT_LE(testing_support::UserObjects(), user);
  EXPECT_EQ(model.Host(), nullptr);
}
