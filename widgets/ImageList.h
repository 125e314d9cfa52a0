// A keyed image list over a comctl32 image list: pictures found by key or by
// 1-based index, the way the trees and menus name them.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <vector>

namespace widgets {

class ImageList {
 public:
  explicit ImageList(int cx = 16, int cy = 16);
  ImageList(const ImageList&) = delete;
  ImageList& operator=(const ImageList&) = delete;

  HIMAGELIST Handle() const noexcept { return m_list.get(); }
  std::int32_t Count() const noexcept { return static_cast<std::int32_t>(m_keys.size()); }
  // Adds a copy of the icon under a key and returns its 1-based index. A key
  // in use (keys ignore case) raises 35602, an icon the list cannot take 5.
  std::int32_t Add(const std::string& key, HICON icon);
  // The 1-based index of a key, 0 when there is none.
  std::int32_t IndexOf(const std::string& key) const noexcept;
  const std::string& Key(std::int32_t index) const;  // 35600 outside 1..Count

 private:
  base::UniqueHImageList m_list;
  std::vector<std::string> m_keys;
};

}  // namespace widgets

namespace widgets {

// An image list made by a system call (a tree's drag image), ours to destroy.
struct HImageListTraits {
  using Type = HIMAGELIST;
  static Type Invalid() noexcept { return nullptr; }
  static void Close(Type h) noexcept { ImageList_Destroy(h); }
};
using UniqueHImageList = base::UniqueHandle<HImageListTraits>;

}  // namespace widgets
