// The pictures Fennick's menus share across right-clicks and shell threads:
// the nine resource bitmaps, made once while the menu colour and the
// display font's cell stay the same, and the shell icons of files, asked of
// the shell once while a file stays unchanged. Both live until the library
// is unloaded (ReleasePictureCaches), and every call is safe from any thread.
//
// A shared bitmap is selected into a device context only under
// SharedPictureLock(): a bitmap can be selected into one context at a time,
// and two shell threads may paint at once.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "shellext/MenuBitmaps.h"

namespace shellext {

std::mutex& SharedPictureLock();

// The nine resource bitmaps of the module for the current menu colour and
// display font, keys 1 to 9 in the order they are made; made again only when
// those change.
std::vector<std::shared_ptr<clsMenuBitmap>> SharedResourceBitmaps(HMODULE module);

struct IconAnswer {
  std::shared_ptr<clsMenuBitmap> picture;  // null when there is none
  bool noIcon = false;                     // the shell has no icon for the file
};

struct IconCacheStatistics {
  std::int64_t shellCalls = 0;   // questions put to the shell
  std::int64_t byExtension = 0;  // of those, asked for a file type rather than a file
  std::int64_t drawn = 0;        // icons drawn into pictures
  std::size_t paths = 0;         // answers kept
  std::size_t pictures = 0;      // icons drawn and kept (two bitmaps each)
};

// The process's file icons. An answer is kept by the lower-cased path with
// the file's size, last write time and attributes, and is asked again once
// any of these differ. Files of a type whose icon cannot depend on the file
// are asked once per extension. Both lists are bounded: the least recently
// used goes first. A new system image list, one that lost images, or a
// change of the menu colours empties the cache.
class IconCache {
 public:
  // Enough answers for the largest dynamic folder a menu lists (5,000
  // entries) twice over; a picture holds two bitmaps.
  static constexpr std::size_t kDefaultPathLimit = 12000;
  static constexpr std::size_t kDefaultPictureLimit = 256;

  IconAnswer FileIcon(const std::string& path);
  void Clear();
  IconCacheStatistics Statistics() const;
  // The most answers and pictures kept (for the tests).
  void SetLimits(std::size_t paths, std::size_t pictures);

  IconCache();
  ~IconCache();
  IconCache(const IconCache&) = delete;
  IconCache& operator=(const IconCache&) = delete;

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

IconCache& ProcessIconCache();

// Frees every shared picture and the shared menu font (the library is
// going); pictures still held by a menu go when their last holder does.
void ReleasePictureCaches();

}  // namespace shellext
