// Owner drawing of Fennick's menu entries: measures and paints the entries
// marked owner-drawn, asking the handler for each entry's caption and picture.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace shellext {

// What the drawing asks of the handler about the entry with a command
// identifier. An identifier that names no entry gives an empty caption and
// no picture.
class OwnerDrawSource {
 public:
  // The entry's menu caption; "&" marks the underlined letter, "&&" is an "&".
  virtual std::string OwnerDrawMenu_GetCaption(std::int32_t lID) = 0;
  // The entry's picture, which stays the handler's; null when it has none.
  virtual HBITMAP OwnerDrawMenu_HasBitmap(std::int32_t lID) = 0;

 protected:
  ~OwnerDrawSource() = default;
};

// Layout of an owner-drawn entry, from the item rectangle's left and top.
inline constexpr int kMenuItemHeight = 20;
inline constexpr int kMenuTextLeft = 25;        // and what a measured entry adds to its text's width
inline constexpr int kMenuTextTop = 3;
inline constexpr int kMenuPictureColumn = 22;   // right edge of the picture column
inline constexpr int kMenuPictureLeft = 4;
inline constexpr int kMenuPictureTop = 2;
inline constexpr int kMenuPictureSize = 16;

// WM_MEASUREITEM and WM_DRAWITEM (lParam the record): true for these two
// messages, false for any other. A draw message with wParam not 0 comes from
// a control and is answered without drawing. Nothing escapes.
bool HandleOwnerDrawMessage(UINT uMsg, WPARAM wParam, LPARAM lParam, OwnerDrawSource& handler) noexcept;

// WM_MENUCHAR (lParam the menu): a menu of owner-drawn entries has no
// mnemonics of its own, so the letter marked by "&" in their captions picks
// the entry. True with the result for the menu (execute the only entry with
// that letter, or select the next of several) when the menu holds owner-drawn
// entries; false otherwise, and for a letter no entry has. Nothing escapes.
bool HandleMenuChar(WPARAM wParam, LPARAM lParam, OwnerDrawSource& handler, LRESULT& result) noexcept;

// Frees the menu font and measuring context the process's menus share (the
// library is going); made again when next needed.
void ReleaseSharedMenuFont() noexcept;

// The handler's answers, empty and null where it fails.
std::string GetCaption(OwnerDrawSource& handler, std::int32_t lID) noexcept;
HBITMAP HasBitmap(OwnerDrawSource& handler, std::int32_t lID) noexcept;

}  // namespace shellext
