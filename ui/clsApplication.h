// Designer's service for the look of its windows: its icons in three image
// lists, the dressing of every form by its controls' tag commands, the icons
// of the SmartUI controls, image look-ups and two version questions. One
// instance for the program (g_oApplication). Windows only.
#pragma once
#include "widgets/form.h"  // first: it orders the Windows headers

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "widgets/ImageList.h"

namespace sui {
class ItemList;
}

namespace ui {

// What SmartUI_ProcessItems copies icons into: a SmartUI view's own images.
class IconStore {
 public:
  virtual ~IconStore() = default;
  virtual void reset() = 0;
  virtual bool contains(const std::string& key) const = 0;
  virtual void add(const std::string& key, HICON icon) = 0;  // copies the icon
};

// An entry of one of the application's lists; no list when there is none.
struct ImageEntry {
  widgets::ImageList* list = nullptr;
  std::int32_t index = 0;  // 1-based
  explicit operator bool() const noexcept { return list && index > 0; }
};

class clsApplication {
 public:
  static constexpr std::int32_t REQUIRED_HILIGHT = 1;
  static constexpr std::int32_t REQUIRED_UNHILIGHT = 2;
  static constexpr std::int32_t REQUIRED_CHECK = 3;

  clsApplication();
  ~clsApplication();
  clsApplication(const clsApplication&) = delete;
  clsApplication& operator=(const clsApplication&) = delete;

  // Fills the three lists with every key of string resource 101, in its
  // order, from this program's "CUSTOM" (else "CUSTOM2") icon resources.
  // False after a critical message when an icon is missing: the program
  // then refuses to start, through its own orderly way out.
  bool ImageList_LoadIcons();
  // The same for the keys given, in their order.
  bool ImageList_LoadIcons(const std::vector<std::string>& keys);
  // The lists by size word index: 0 "s" (16, button face), 1 "s2" (16,
  // window background), 2 "l" (32, button face).
  widgets::ImageList& imlImages(int index) const;

  // Dresses every control of the form by its kind and tag, and gives the
  // form the program's icon. Errors of a control reach the caller.
  void Form_LoadIcons(widgets::Form& form);
  // The form's own set-up, then its dressing.
  void SetupForm(widgets::Form& form, const std::function<void()>& formSetupForm);
  // Runs the control's tag commands that `allowed` names; true only when a
  // FILENAME check failed.
  bool Control_ProcessCommands(widgets::Control& control, const std::string& allowed);

  // The SmartUI icons: resets the store, then copies in the icon of every
  // item's image key, sub-items too, that it lacks. A key missing from the
  // list raises 35601.
  void SmartUI_AddImages(IconStore& store, const sui::ItemList& items, const widgets::ImageList& list);
  void SmartUI_ProcessItems(IconStore& store, const sui::ItemList& items, const widgets::ImageList& list);

  // An image by size word ("l": list 2, any other: list 0) and key (any
  // case). A missing one is traced and gives no entry: the caller shows none.
  ImageEntry GetImage(const std::string& size, const std::string& key);
  widgets::Picture GetImagePicture(const std::string& size, const std::string& key);
  // The picture of the list's entry with that key; 35601 when there is none.
  widgets::Picture GetImagePictureEx(const widgets::ImageList& list, const std::string& key);
  // The key's index in list 1 ("s2"); 0 when it has none.
  std::int16_t GetSmallImageListIndex(const std::string& key) const;
  // A copy of an entry's icon, the caller's to destroy.
  static base::UniqueHIcon IconOf(const widgets::ImageList& list, std::int32_t index);

  // The INI-file operations, all over one program-wide file (by default
  // "Designer.ini" in the program's folder).
  const std::string& ProfileFile();
  void SetProfileFile(std::string path) { m_szProfileFile = std::move(path); }
  std::int32_t Profile_GetLong(const std::string& section, const std::string& key, std::int32_t def);
  // A missing key gives the default.
  bool Profile_GetBoolean(const std::string& section, const std::string& key, bool def);
  bool Profile_SetBoolean(const std::string& section, const std::string& key, bool value);
  std::int32_t Profile_SetLong(const std::string& section, const std::string& key, std::int32_t value);
  std::string Profile_GetString(const std::string& section, const std::string& key, const std::string& def);
  // With shortName, the value's short (8.3) path.
  std::string Profile_GetFilename(const std::string& section, const std::string& key, const std::string& def,
                                  bool shortName);
  // The system call's result as decimal text.
  std::string Profile_SetString(const std::string& section, const std::string& key, const std::string& value);

  // Opens the folder in the shell's explorer view; a folder that is not
  // there, or another failure, is told in a message.
  void ViewDirectory(const std::string& folder);

  bool InIDE() const noexcept { return m_bInIDE; }
  static bool IsWindowsXP();
  static bool IsWindowsXPOrGreater();
  // The version rules themselves, for any version.
  static bool IsWindowsXP(std::int32_t major, std::int32_t minor) noexcept { return major == 5 && minor == 1; }
  static bool IsWindowsXPOrGreater(std::int32_t major, std::int32_t minor) noexcept {
    return major >= 6 || (major == 5 && minor >= 1);
  }

 private:
  bool m_bInIDE = false;
  std::string m_szProfileFile;
  std::unique_ptr<widgets::ImageList> m_lists[3];
};

clsApplication& g_oApplication();

// The keys of string resource 101, lower-cased, in their order.
std::vector<std::string> ImageKeys();

}  // namespace ui
