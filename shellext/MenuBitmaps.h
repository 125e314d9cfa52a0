// The pictures of Fennick's menu entries: the nine resource bitmaps, mapped
// from their magenta background to the menu colour, and the shell icons of
// files turned into bitmaps on demand.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/variant.h"

namespace shellext {

// Bitmap keys. 1 to 9 are the resources 101 to 109.
inline constexpr std::int32_t kBitmapNone = 0;
inline constexpr std::int32_t kBitmapMenu = 1;           // a small window with a menu
inline constexpr std::int32_t kBitmapCurrentFolder = 2;  // a blue arrow
inline constexpr std::int32_t kBitmapReset = 3;          // a red cross
inline constexpr std::int32_t kBitmapFolder = 4;         // a yellow folder
inline constexpr std::int32_t kBitmapQuickAccess = 5;    // a red pennant
inline constexpr std::int32_t kBitmapNoIcon = 6;         // a warning triangle
inline constexpr std::int32_t kBitmapCustomAction = 7;   // a grid with arrows
inline constexpr std::int32_t kBitmapSelectionTask = 8;  // a window with an arrow down
inline constexpr std::int32_t kBitmapBlank = 9;
inline constexpr std::int32_t kBitmapMenuFromMedium = 999998;  // key 1, from the medium icon level up
inline constexpr std::int32_t kBitmapFileIcon = 999999;        // the shell icon of a named file

inline constexpr COLORREF kMaskColour = RGB(255, 0, 255);

// One picture. m_lData is what a menu shows as the entry's check mark,
// m_lData2 the 16 x 16 picture that owner drawing paints; for most keys they
// are one bitmap. Both are freed with the object.
class clsMenuBitmap : public base::Object {
 public:
  // `shown` absent: the full picture serves both. Present (possibly null): a
  // separate picture for menus.
  clsMenuBitmap(std::int32_t key, std::string textKey, base::UniqueHBitmap full,
                std::optional<base::UniqueHBitmap> shown = std::nullopt);

  std::int32_t m_lKey = 0;
  std::string m_szKey;  // file icons: image list & "." & icon index
  HBITMAP m_lData = nullptr;
  HBITMAP m_lData2 = nullptr;

  // A copy of m_lData for one menu at a time to show as a check mark: a
  // spare one given back by an earlier menu, or a new one (null when it
  // cannot be made). Safe from any thread.
  base::UniqueHBitmap TakeCheckMark();
  // Gives a copy back for a later menu; a few are kept, the rest freed.
  void GiveBackCheckMark(base::UniqueHBitmap copy);

 private:
  base::UniqueHBitmap m_full;
  base::UniqueHBitmap m_shown;
  std::mutex m_spareLock;
  std::vector<base::UniqueHBitmap> m_spareMarks;
};

// The pictures of one handler (m_oBitmaps). The pictures themselves are the
// process's (PictureCache.h) and are shared by every handler; what the
// system paints itself (check marks) is a copy the handler holds alone while
// it lives, since a shared bitmap may be painted by another thread at the
// same moment. The copy goes back to its picture with the handler, for the
// next right-click.
class clsMenuBitmaps {
 public:
  using BitmapPtr = std::shared_ptr<clsMenuBitmap>;

  // The resources 101 to 109 of the module, mapped to the menu colour;
  // 101 to 103 with a copy scaled to the display font's character cell.
  void LoadResourceBitmaps(HMODULE module);
  // The member with that key (1 to 9); null when there is none.
  BitmapPtr Find(std::int32_t key) const;
  // The file's shell icon as a member; null when the shell has no icon for
  // it or it cannot be drawn. `noIcon` tells the two apart. A name is asked
  // once per handler (and of the shell only when the process has no answer
  // for the file as it is now), and names with the same icon share one
  // member.
  BitmapPtr FileIcon(const std::string& fileName, bool& noIcon);
  // The handler's own copy of the picture's m_lData, for the system to paint
  // as a check mark; null when it cannot be made.
  HBITMAP CheckMark(const BitmapPtr& picture);
  std::int32_t Count() const { return static_cast<std::int32_t>(m_members.size()); }
  const std::vector<BitmapPtr>& Members() const { return m_members; }

 private:
  struct IconAnswer {
    BitmapPtr bitmap;
    bool noIcon = false;
  };

  struct CheckMarkCopy {
    BitmapPtr picture;
    base::UniqueHBitmap copy;
  };

  std::vector<BitmapPtr> m_members;
  std::map<std::string, IconAnswer> m_fileIcons;  // by lower-cased name
  std::map<const clsMenuBitmap*, CheckMarkCopy> m_checkMarks;

 public:
  clsMenuBitmaps() = default;
  ~clsMenuBitmaps();
  clsMenuBitmaps(const clsMenuBitmaps&) = delete;
  clsMenuBitmaps& operator=(const clsMenuBitmaps&) = delete;
};

// CreateMappedBitmap of the resource with one colour replaced; module null
// means Fennick's own.
base::UniqueHBitmap ReplaceBitmapColour(std::int32_t lResId, COLORREF lFromRGB, COLORREF lToRGB, HMODULE hInstance);
// A copy stretched to the display font's widest character and height; null
// when it cannot be made. The source is deleted only when asked.
base::UniqueHBitmap ScaleBMP(HBITMAP hBitmap, bool bDeleteSource);
// The icon drawn on a size x size bitmap filled with system colour
// lColourIndex + 1; bit 0 of flags draws it at 14 x 14 in the top left.
base::UniqueHBitmap IconToBitmap(HDC hDC, HICON hIcon, std::int32_t lColourIndex, std::int32_t lSize,
                                 std::int32_t lFlags);

}  // namespace shellext
