#include "config/clsCorvaneData.h"

#include "base/error.h"
#include "base/text.h"

namespace config {

namespace {

// The field of the item's current type, or null for a type without one
// (Item is clsCorvaneData, const or not).
template <class Item>
auto CaptionField(Item& item) -> decltype(&item.m_szRoot_Caption) {
  switch (item.m_lType) {
    case clsCorvaneData::TypeRoot: return &item.m_szRoot_Caption;
    case clsCorvaneData::TypeFolder: return &item.m_szFolder_Caption;
    case clsCorvaneData::TypePopupMenu: return &item.m_szPopupMenu_caption;
    case clsCorvaneData::TypeFile: return &item.m_szFile_Caption;
    case clsCorvaneData::TypeCustomAction: return &item.m_szAction_Caption;
    case clsCorvaneData::TypeSelectionTask: return &item.m_szSelection_Caption;
    case clsCorvaneData::TypeDynamicFolder: return &item.m_szDFolder_Caption;
    case clsCorvaneData::TypeCopyToX: return &item.m_szCopyToX_Caption;
    default: return nullptr;
  }
}

// A custom action has no location: its command text is m_szAction_Actions.
template <class Item>
auto LocationField(Item& item) -> decltype(&item.m_szRoot_Caption) {
  switch (item.m_lType) {
    case clsCorvaneData::TypeFolder: return &item.m_szFolder_Location;
    case clsCorvaneData::TypeFile: return &item.m_szFile_Location;
    case clsCorvaneData::TypeSelectionTask: return &item.m_szSelection_WorkingDir;
    case clsCorvaneData::TypeDynamicFolder: return &item.m_szDFolder_Location;
    case clsCorvaneData::TypeCopyToX: return &item.m_szCopyToX_Location;
    default: return nullptr;
  }
}

}  // namespace

std::string clsCorvaneData::Caption() const {
  const std::string* field = CaptionField(*this);
  return field ? *field : std::string();
}

void clsCorvaneData::SetCaption(const std::string& caption) {
  if (std::string* field = CaptionField(*this)) *field = caption;
}

std::string clsCorvaneData::Location() const {
  const std::string* field = LocationField(*this);
  return field ? *field : std::string();
}

void clsCorvaneData::SetLocation(const std::string& location) {
  if (std::string* field = LocationField(*this)) *field = location;
}

std::int32_t clsCorvaneData::FolderCSIDL() const {
  if (base::Trim(m_szFolder_Location).empty()) return 0;
  try {
    return base::Variant(m_szFolder_Location).ToLong();
  } catch (const base::Error& e) {
    base::RaiseError(e.Number(), "FolderCSIDL");
  }
}

void clsCorvaneData::SetFolderCSIDL(std::int32_t csidl) { m_szFolder_Location = std::to_string(csidl); }

void clsCorvaneData::Reset() {
  // The properties dialog stores a custom action's texts itself; they survive.
  clsCorvaneData fresh;
  fresh.m_szAction_Caption = std::move(m_szAction_Caption);
  fresh.m_szAction_Actions = std::move(m_szAction_Actions);
  *this = std::move(fresh);
}

std::int32_t clsCorvaneData::TVW_GetAddRelationship() const {
  switch (m_lType) {
    case TypeRoot:
    case TypePopupMenu: return 4;
    case TypeFolder:
    case TypeDynamicFolder:
    case TypeSeparator:
    case TypeFile:
    case TypeCustomAction:
    case TypeCopyToX: return 2;
    default: return 0;
  }
}

}  // namespace config
