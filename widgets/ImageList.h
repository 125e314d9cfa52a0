// A keyed image list over a comctl32 image list: pictures found by key or by
// 1-based index, the way the trees and menus name them.
#pragma once
#include "base/handles.h"  // first: it orders the Windows headers

#include <commctrl.h>

#include <cstdint>
#include <string>
#include <unordered_map>
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
  // A source names what a picture shows (the shell's number of an icon,
  // say), so that whoever has the same source finds the picture instead of
  // adding it again. A source keeps the first picture it was given.
  void SetSource(const std::string& source, std::int32_t index);  // 35600 outside 1..Count
  // The 1-based index of the picture of a source, 0 when it has none.
  std::int32_t IndexOfSource(const std::string& source) const noexcept;
  const std::string& Key(std::int32_t index) const;  // 35600 outside 1..Count

 private:
  base::UniqueHImageList m_list;
  std::vector<std::string> m_keys;
  std::unordered_map<std::string, std::int32_t> m_byKey;  // the key in capitals: its index
  std::unordered_map<std::string, std::int32_t> m_bySource;
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
