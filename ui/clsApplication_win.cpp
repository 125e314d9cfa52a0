#include "ui/clsApplication.h"

#include <cstring>
#include <vector>

#include "base/error.h"
#include "base/module.h"
#include "base/prompt.h"
#include "base/text.h"
#include "common/appinfo.h"
#include "common/clsOsInfo.h"
#include "common/clsTokenizer.h"
#include "common/clsTrace.h"
#include "common/shelltools.h"
#include "common/tools.h"
#include "smartui/model.h"
#include "ui/SmartUIControl.h"
#include "ui/TagCommands.h"
#include "ui/formtools.h"
#include "widgets/RichTextBox.h"
#include "widgets/TreeViewWindow.h"
#include "widgets/form_controls.h"

namespace ui {

namespace {

constexpr char kSource[] = "clsApplication";
constexpr UINT kKeyListString = 101;
constexpr WORD kProgramIcon = 1;

struct ListLook {
  int size;
  int background;  // a system colour
};
constexpr ListLook kLooks[3] = {{16, COLOR_BTNFACE}, {16, COLOR_WINDOW}, {32, COLOR_BTNFACE}};

// The resource bytes of a key's icon file; empty when there are none.
std::string_view IconResource(const std::string& key) {
  for (const char* type : {"CUSTOM", "CUSTOM2"}) {
    HRSRC found = FindResourceA(base::ThisModule(), key.c_str(), type);
    if (!found) continue;
    HGLOBAL loaded = LoadResource(base::ThisModule(), found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    const DWORD size = SizeofResource(base::ThisModule(), found);
    if (data && size) return {static_cast<const char*>(data), size};
  }
  return {};
}

// An icon of the wanted size from the bytes of an icon file: the image of
// that size, else the nearest larger, else the largest, drawn at the size.
// Every offset is checked against the bytes first.
base::UniqueHIcon IconFromFile(std::string_view file, int size) {
  auto u16 = [&](size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(file[at]) | static_cast<unsigned char>(file[at + 1]) << 8); };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (file.size() < 6 || u16(0) != 0 || u16(2) != 1) return {};
  const size_t count = u16(4);
  if (file.size() < 6 + 16 * count) return {};
  size_t best = count;
  int bestSize = 0;
  for (size_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    int width = static_cast<unsigned char>(file[entry]);
    if (width == 0) width = 256;
    const bool better = best == count || (width >= size && (bestSize < size || width < bestSize)) ||
                        (bestSize < size && width > bestSize);
    if (better) {
      best = i;
      bestSize = width;
    }
  }
  if (best == count) return {};
  const size_t entry = 6 + 16 * best;
  const size_t bytes = u32(entry + 8), offset = u32(entry + 12);
  if (offset > file.size() || bytes > file.size() - offset || bytes < 40) return {};
  std::vector<BYTE> image(file.begin() + static_cast<std::ptrdiff_t>(offset),
                          file.begin() + static_cast<std::ptrdiff_t>(offset + bytes));
  return base::UniqueHIcon(CreateIconFromResourceEx(image.data(), static_cast<DWORD>(image.size()), TRUE,
                                                    0x00030000, size, size, LR_DEFAULTCOLOR));
}

widgets::Picture PictureOfIcon(base::UniqueHIcon icon) {
  if (!icon) return {};
  PICTDESC desc = {};
  desc.cbSizeofstruct = sizeof desc;
  desc.picType = PICTYPE_ICON;
  desc.icon.hicon = icon.get();
  widgets::Picture picture;
  if (SUCCEEDED(OleCreatePictureIndirect(&desc, IID_IPicture, TRUE, picture.put_void()))) icon.release();
  return picture;
}

HWND TextWindow(widgets::Control& control) {
  if (auto* common = dynamic_cast<widgets::CommonControl*>(&control)) return common->Inner();
  return control.Hwnd();
}

std::string KindOf(widgets::Control& control) {
  if (dynamic_cast<widgets::TreeViewWindow*>(&control)) return "treeview";
  if (dynamic_cast<widgets::RichTextBox*>(&control)) return "richtextbox";
  if (dynamic_cast<widgets::PictureBox*>(&control)) return "picturebox";
  if (dynamic_cast<SmartUIControl*>(&control)) return "smartui";
  if (dynamic_cast<widgets::DividerLine*>(&control)) return "vertdivider";
  return "";
}

// A form's control as the tag commands see it.
class ControlTarget : public TagTarget {
 public:
  ControlTarget(clsApplication& app, widgets::Control& control) : m_app(app), m_control(control) {}

  std::string KindName() const override { return KindOf(m_control); }
  std::string Tag() const override { return m_control.Tag(); }
  void SetImageList(int list) override {
    if (auto* tree = dynamic_cast<widgets::TreeViewWindow*>(&m_control)) {
      tree->Model().SetImageList(&m_app.imlImages(list));
      return;
    }
    if (auto* smartui = dynamic_cast<SmartUIControl*>(&m_control)) {
      smartui->LoadImages(m_app.imlImages(list));
      return;
    }
    base::RaiseError(438, m_control.Name(), "Object doesn't support this property or method");
  }
  void SetIcon(const std::string& size, const std::string& key) override {
    m_control.SetPicture(m_app.GetImagePicture(size, key));
  }
  void SetMaxLength(long length) override {
    if (HWND hwnd = TextWindow(m_control)) SendMessageA(hwnd, EM_LIMITTEXT, static_cast<WPARAM>(length), 0);
  }
  void SetPicture(const std::string& name) override { ui::SetPictureFromResource(m_control, name, "PICTURES"); }
  void SetPictureBackground(const std::string& name) override {
    ui::SetPictureBackgroundFromResource(m_control, name, "PICTURES");
  }
  std::string Text() const override {
    if (auto* rich = dynamic_cast<widgets::RichTextBox*>(&m_control)) return rich->Text();
    HWND hwnd = TextWindow(m_control);
    if (!hwnd) return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
  }
  bool FileExists(const std::string& path) const override { return common::FileExists(path); }
  void ReportMissingFile(const std::string& path) override {
    HWND hwnd = TextWindow(m_control);
    if (hwnd && IsWindowVisible(hwnd)) ::SetFocus(hwnd);
    base::Prompt("The file '" + path + "' does not exist!", base::kPromptExclamation, common::g_szAppTitle());
  }

 private:
  clsApplication& m_app;
  widgets::Control& m_control;
};

}  // namespace

std::vector<std::string> ImageKeys() {
  char text[4096] = {};
  const int n = LoadStringA(base::ThisModule(), kKeyListString, text, sizeof text);
  common::clsTokenizer t;
  t.SetSeparatorChars(",");
  t.SetConvertCase(2);
  t.SetText(std::string(text, static_cast<size_t>(n > 0 ? n : 0)));
  std::vector<std::string> keys;
  std::string token, separator;
  bool quoted = false;
  while (t.GetNextToken(token, separator, quoted))
    if (!token.empty()) keys.push_back(token);
  return keys;
}

clsApplication::clsApplication() = default;
clsApplication::~clsApplication() = default;

widgets::ImageList& clsApplication::imlImages(int index) const {
  if (index < 0 || index > 2 || !m_lists[index]) base::RaiseError(base::kErrSubscript, kSource);
  return *m_lists[index];
}

bool clsApplication::ImageList_LoadIcons() { return ImageList_LoadIcons(ImageKeys()); }

bool clsApplication::ImageList_LoadIcons(const std::vector<std::string>& keys) {
  common::TraceScope scope("clsApplication.ImageList_LoadIcons");
  for (int i = 0; i < 3; ++i) {
    m_lists[i] = std::make_unique<widgets::ImageList>(kLooks[i].size, kLooks[i].size);
    ImageList_SetBkColor(m_lists[i]->Handle(), GetSysColor(kLooks[i].background));
  }
  // The icons are decoded straight from the program's memory: no file between.
  for (const std::string& key : keys) {
    const std::string_view file = IconResource(key);
    base::UniqueHIcon small = IconFromFile(file, 16), large = IconFromFile(file, 32);
    if (!small || !large) {
      const base::Error error(file.empty() ? 1813 : 481, kSource,
                              file.empty() ? "The specified resource type cannot be found in the image file"
                                           : "Invalid picture");
      common::g_Debug().Output("Missing icon " + key);
      base::Prompt("Error encountered while referencing the icon \"" + key + "\"\r\n\r\n" + error.Description() +
                       " (" + std::to_string(error.Number()) + ")",
                   base::kPromptCritical, common::g_szAppTitle());
      for (auto& list : m_lists) list.reset();
      return false;
    }
    m_lists[0]->Add(key, small.get());
    m_lists[1]->Add(key, small.get());
    m_lists[2]->Add(key, large.get());
  }
  return true;
}

ImageEntry clsApplication::GetImage(const std::string& size, const std::string& key) {
  common::TraceScope scope("clsApplication.GetImage");
  common::g_Debug().Output("GetImage - " + size + " : " + key);
  ImageEntry entry;
  const int index = base::UCase(size) == "L" ? 2 : 0;
  if (!m_lists[index]) {
    common::g_Debug().Output("GetImage - the image lists are not loaded");
    return entry;
  }
  entry.index = m_lists[index]->IndexOf(base::LCase(key));
  if (entry.index == 0) {
    // Not found: the caller shows no picture; the program goes on.
    common::g_Debug().Output("Could not find image! Size=" + size + " Name=" + key);
    return entry;
  }
  entry.list = m_lists[index].get();
  return entry;
}

base::UniqueHIcon clsApplication::IconOf(const widgets::ImageList& list, std::int32_t index) {
  return base::UniqueHIcon(ImageList_GetIcon(list.Handle(), index - 1, ILD_TRANSPARENT));
}

widgets::Picture clsApplication::GetImagePicture(const std::string& size, const std::string& key) {
  common::TraceScope scope("clsApplication.GetImagePicture");
  common::g_Debug().Output("GetImagePicture - " + size + " : " + key);
  const ImageEntry entry = GetImage(size, key);
  return entry ? PictureOfIcon(IconOf(*entry.list, entry.index)) : widgets::Picture();
}

widgets::Picture clsApplication::GetImagePictureEx(const widgets::ImageList& list, const std::string& key) {
  common::TraceScope scope("clsApplication.GetImagePictureEx");
  common::g_Debug().Output("GetImagePictureEx - " + key);
  const std::int32_t index = list.IndexOf(key);
  if (index == 0) base::RaiseError(widgets::kErrTreeNotFound, kSource, "Element not found");
  return PictureOfIcon(IconOf(list, index));
}

std::int16_t clsApplication::GetSmallImageListIndex(const std::string& key) const {
  return m_lists[1] ? static_cast<std::int16_t>(m_lists[1]->IndexOf(key)) : 0;
}

bool clsApplication::Control_ProcessCommands(widgets::Control& control, const std::string& allowed) {
  ControlTarget target(*this, control);
  return ui::Control_ProcessCommands(target, allowed);
}

void clsApplication::Form_LoadIcons(widgets::Form& form) {
  common::TraceScope scope("clsApplication.Form_LoadIcons");
  for (const auto& owned : form.Controls()) {
    widgets::Control& control = *owned;
    if (control.Name() == "panReadOnly") continue;  // coloured by its own form
    const std::string kind = KindOf(control);
    if (kind == "picturebox") {
      Control_ProcessCommands(control, "ICON|PICTURE");
    } else if (kind == "treeview") {
      Control_ProcessCommands(control, "IMAGELIST|PICTUREBACKGROUND");
    } else if (kind == "smartui") {
      Control_ProcessCommands(control, "IMAGELIST");
    } else if (kind == "richtextbox") {
      static_cast<widgets::RichTextBox&>(control).SetBorderStyle(0);
    } else if (kind == "vertdivider" && control.Hwnd()) {
      // A line is never a stop of the Tab key.
      SetWindowLongA(control.Hwnd(), GWL_STYLE, GetWindowLongA(control.Hwnd(), GWL_STYLE) & ~WS_TABSTOP);
    }
  }
  if (form.Hwnd()) {
    const HICON big = static_cast<HICON>(LoadImageA(base::ThisModule(), MAKEINTRESOURCEA(kProgramIcon), IMAGE_ICON,
                                                    GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), LR_SHARED));
    const HICON small = static_cast<HICON>(LoadImageA(base::ThisModule(), MAKEINTRESOURCEA(kProgramIcon), IMAGE_ICON,
                                                      GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    if (big) SendMessageA(form.Hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    if (small) SendMessageA(form.Hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
    SetWindowLongA(form.Hwnd(), GWL_STYLE, GetWindowLongA(form.Hwnd(), GWL_STYLE) & ~WS_CLIPCHILDREN);
  }
}

void clsApplication::SetupForm(widgets::Form& form, const std::function<void()>& formSetupForm) {
  common::TraceScope scope("clsApplication.SetupForm");
  if (formSetupForm) formSetupForm();
  Form_LoadIcons(form);
}

void clsApplication::SmartUI_AddImages(IconStore& store, const sui::ItemList& items,
                                       const widgets::ImageList& list) {
  common::TraceScope scope("clsApplication.SmartUI_AddImages");
  store.reset();
  SmartUI_ProcessItems(store, items, list);
}

void clsApplication::SmartUI_ProcessItems(IconStore& store, const sui::ItemList& items,
                                          const widgets::ImageList& list) {
  // The sub-items are walked with a list of our own, not by recursion.
  std::vector<const sui::ItemList*> pending{&items};
  while (!pending.empty()) {
    const sui::ItemList* current = pending.back();
    pending.pop_back();
    for (const auto& item : *current) {
      const std::string key = base::Trim(item->image());
      if (!key.empty() && !store.contains(key)) {
        const std::int32_t index = list.IndexOf(key);
        if (index == 0) base::RaiseError(widgets::kErrTreeNotFound, kSource, "Element not found");
        base::UniqueHIcon icon = IconOf(list, index);
        store.add(key, icon.get());
      }
      if (item->subItems().count() > 0) pending.push_back(&item->subItems());
    }
  }
}

bool clsApplication::IsWindowsXP() {
  return IsWindowsXP(common::g_oOsInfo().OSMajorVersion(), common::g_oOsInfo().OSMinorVersion());
}

bool clsApplication::IsWindowsXPOrGreater() {
  return IsWindowsXPOrGreater(common::g_oOsInfo().OSMajorVersion(), common::g_oOsInfo().OSMinorVersion());
}

const std::string& clsApplication::ProfileFile() {
  if (m_szProfileFile.empty()) m_szProfileFile = common::ProgramFolder() + "\\Designer.ini";
  return m_szProfileFile;
}

std::int32_t clsApplication::Profile_GetLong(const std::string& section, const std::string& key,
                                             std::int32_t def) {
  return static_cast<std::int32_t>(GetPrivateProfileIntA(section.c_str(), key.c_str(), def, ProfileFile().c_str()));
}

bool clsApplication::Profile_GetBoolean(const std::string& section, const std::string& key, bool def) {
  return Profile_GetLong(section, key, def ? 1 : 0) != 0;
}

bool clsApplication::Profile_SetBoolean(const std::string& section, const std::string& key, bool value) {
  Profile_SetString(section, key, value ? "1" : "0");
  return value;
}

std::int32_t clsApplication::Profile_SetLong(const std::string& section, const std::string& key,
                                             std::int32_t value) {
  Profile_SetString(section, key, std::to_string(value));
  return value;
}

std::string clsApplication::Profile_GetString(const std::string& section, const std::string& key,
                                              const std::string& def) {
  char buffer[256] = {};
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buffer, sizeof buffer,
                                           ProfileFile().c_str());
  return std::string(buffer, n);
}

std::string clsApplication::Profile_GetFilename(const std::string& section, const std::string& key,
                                                const std::string& def, bool shortName) {
  const std::string value = Profile_GetString(section, key, def);
  return !value.empty() && shortName ? common::GetShortPath(value) : value;
}

std::string clsApplication::Profile_SetString(const std::string& section, const std::string& key,
                                              const std::string& value) {
  return std::to_string(WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), ProfileFile().c_str()));
}

void clsApplication::ViewDirectory(const std::string& folder) {
  common::TraceScope scope("clsApplication.ViewDirectory");
  base::Error failure(0, kSource);
  if (common::ShellExecuteFile(folder, 10, {}, {}, "explore", nullptr, &failure)) return;
  std::string message = failure.Description();
  if (failure.Number() == base::kErrFileNotFound || failure.Number() == base::kErrPathNotFound)
    message = "Directory '" + folder + "' not found!";
  if (failure.Number() >= 1) base::Prompt(message, base::kPromptExclamation, common::g_szAppTitle());
}

clsApplication& g_oApplication() {
  // Designer's one thread owns it; it goes with the program.
  static clsApplication* instance = new clsApplication();
  return *instance;
}

}  // namespace ui
