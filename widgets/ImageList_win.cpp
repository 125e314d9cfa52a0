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
  const std::string folded = base::UCase(key);
  if (!key.empty() && m_byKey.contains(folded))
    base::RaiseError(kErrTreeKeyInUse, kSource, "Key is not unique in collection");
  m_keys.reserve(m_keys.size() + 1);
  if (!icon || ImageList_AddIcon(m_list.get(), icon) < 0)
    base::RaiseError(base::kErrInvalidCall, kSource, "The picture could not be added to the image list");
  m_keys.push_back(key);
  const std::int32_t index = Count();
  try {
    if (!key.empty()) m_byKey.emplace(folded, index);
  } catch (...) {
    // The list and its keys stay in step: the picture goes again.
    m_keys.pop_back();
    ImageList_Remove(m_list.get(), index - 1);
    throw;
  }
  return index;
}

std::int32_t ImageList::IndexOf(const std::string& key) const noexcept {
  if (key.empty()) return 0;
  try {
    auto it = m_byKey.find(base::UCase(key));
    return it == m_byKey.end() ? 0 : it->second;
  } catch (...) {
    return 0;  // no memory for the capitals: no picture
  }
}

void ImageList::SetSource(const std::string& source, std::int32_t index) {
  if (index < 1 || index > Count()) base::RaiseError(kErrTreeIndex, kSource, "Index out of bounds");
  m_bySource.emplace(source, index);
}

std::int32_t ImageList::IndexOfSource(const std::string& source) const noexcept {
  auto it = m_bySource.find(source);
  return it == m_bySource.end() ? 0 : it->second;
}

const std::string& ImageList::Key(std::int32_t index) const {
  if (index < 1 || index > Count()) base::RaiseError(kErrTreeIndex, kSource, "Index out of bounds");
  return m_keys[static_cast<size_t>(index - 1)];
}

}  // namespace widgets
