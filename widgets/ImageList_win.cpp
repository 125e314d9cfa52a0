#include "widgets/ImageList.h"

#include "base/error.h"
#include "base/text.h"
#include "widgets/TreeView.h"

namespace widgets {

namespace {
const char kSource[] = "ImageList";
}  // namespace

ImageList::ImageList(int cx, int cy) {
  m_list.reset(ImageList_Create(cx, cy, ILC_COLOR32 | ILC_MASK, 0, 8));
  if (!m_list) base::RaiseError(base::kErrOutOfMemory, kSource);
}

std::int32_t ImageList::Add(const std::string& key, HICON icon) {
  if (!key.empty() && IndexOf(key) != 0)
    base::RaiseError(kErrTreeKeyInUse, kSource, "Key is not unique in collection");
  if (!icon || ImageList_AddIcon(m_list.get(), icon) < 0)
    base::RaiseError(base::kErrInvalidCall, kSource, "The picture could not be added to the image list");
  m_keys.push_back(key);
  return Count();
}

std::int32_t ImageList::IndexOf(const std::string& key) const noexcept {
  for (size_t i = 0; i < m_keys.size(); ++i)
    if (!key.empty() && base::EqualsNoCase(m_keys[i], key)) return static_cast<std::int32_t>(i + 1);
  return 0;
}

const std::string& ImageList::Key(std::int32_t index) const {
  if (index < 1 || index > Count()) base::RaiseError(kErrTreeIndex, kSource, "Index out of bounds");
  return m_keys[static_cast<size_t>(index - 1)];
}

}  // namespace widgets
