// Entry insertion: every entry of ours with a caption goes into its menu
// through AddMenuWithBitmap, which decides its picture and gives it its
// identifier from the map.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <string>

#include "shellext/CommandMap.h"
#include "shellext/MenuBitmaps.h"

namespace shellext {

// Inserts the entry with its caption, picture and submenu at lPosition (-1
// appends; it then holds the position used) and records the text, picture
// and submenu in the entry. An entry not numbered yet takes the map's next
// identifier, unless it is a popup whose bOwnerDraw argument is false
// (callers pass the owner-draw setting): such a popup takes none. A picture
// key without a bitmap gives an entry without a picture. Entries straight in
// the map's shell menu are never owner-drawn. An owner-drawn file entry with
// a record leaves its icon to its first painting (EntryPicture). False when
// the menu refused the entry (the identifier is used up all the same).
bool AddMenuWithBitmap(CommandMap& map, clsMenuBitmaps& bitmaps, const CommandMap::EntryPtr& entry, HMENU hMenu,
                       const std::string& szCaption, std::int32_t& lBitmapKey, HBITMAP& hFileBitmap,
                       std::int32_t& lPosition, const std::string& szFilename, bool bTrim, bool bOwnerDraw,
                       HMENU hSubMenu);

// Appends the disabled "(Empty)" entry of an empty dynamic-folder submenu,
// with the identifier the placeholders share.
void AppendEmptyPlaceholder(HMENU menu, std::int32_t emptyId);

// The caption owner drawing shows for an identifier ("" for none) and its
// picture (null for none). A file icon left for the first painting is
// fetched through `bitmaps` at the first call.
std::string EntryCaption(const CommandMap& map, std::int32_t id);
HBITMAP EntryPicture(const CommandMap& map, clsMenuBitmaps& bitmaps, std::int32_t id);

}  // namespace shellext
