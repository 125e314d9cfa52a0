#include "common/clsCollection.h"

#include <utility>

#include "base/error.h"

namespace common {

namespace {

const char kSource[] = "clsCollection";
constexpr long kErrNoSuchMember = 438;  // Object doesn't support this property or method

bool IsWholeNumber(const base::Variant& v) {
  return v.Kind() == base::VariantKind::Integer || v.Kind() == base::VariantKind::Long;
}

// The field pointers by name, so that FillFrom, Field and SetField share one
// list and one order.
enum class FieldKind { Text, Number, Object };
struct FieldEntry {
  const char* name;
  FieldKind kind;
  std::string clsCollection::*text;
  std::int32_t clsCollection::*number;
  clsCollection::ObjectPtr clsCollection::*object;
};

// In the order FillFrom copies them.
const FieldEntry kFields[] = {
    {"m_szKey", FieldKind::Text, &clsCollection::m_szKey, nullptr, nullptr},
    {"m_szData", FieldKind::Text, &clsCollection::m_szData, nullptr, nullptr},
    {"m_szData2", FieldKind::Text, &clsCollection::m_szData2, nullptr, nullptr},
    {"m_szData3", FieldKind::Text, &clsCollection::m_szData3, nullptr, nullptr},
    {"m_lKey", FieldKind::Number, nullptr, &clsCollection::m_lKey, nullptr},
    {"m_lData", FieldKind::Number, nullptr, &clsCollection::m_lData, nullptr},
    {"m_lData2", FieldKind::Number, nullptr, &clsCollection::m_lData2, nullptr},
    {"m_lData3", FieldKind::Number, nullptr, &clsCollection::m_lData3, nullptr},
    {"m_oData", FieldKind::Object, nullptr, nullptr, &clsCollection::m_oData},
    {"m_Parent", FieldKind::Object, nullptr, nullptr, &clsCollection::m_Parent},
    {"m_SiblingLeft", FieldKind::Object, nullptr, nullptr, &clsCollection::m_SiblingLeft},
    {"m_SiblingRight", FieldKind::Object, nullptr, nullptr, &clsCollection::m_SiblingRight},
    {"m_Child", FieldKind::Object, nullptr, nullptr, &clsCollection::m_Child},
    {"m_szFilename", FieldKind::Text, &clsCollection::m_szFilename, nullptr, nullptr},
    {"Index", FieldKind::Number, nullptr, &clsCollection::Index, nullptr},
};

const FieldEntry& FindField(const std::string& name) {
  for (const auto& f : kFields)
    if (name == f.name) return f;
  base::RaiseError(kErrNoSuchMember, kSource, "Object doesn't support this property or method");
}

void CopyFields(const clsCollection& from, clsCollection& to, bool withIndex) {
  for (const auto& f : kFields) {
    if (!withIndex && f.number == &clsCollection::Index) continue;
    switch (f.kind) {
      case FieldKind::Text: to.*f.text = from.*f.text; break;
      case FieldKind::Number: to.*f.number = from.*f.number; break;
      case FieldKind::Object: to.*f.object = from.*f.object; break;
    }
  }
}

// The comparison of dynamic values that the sort applies: numbers by value,
// texts by character code.
bool NotLess(const base::Variant& a, const base::Variant& b) {
  using K = base::VariantKind;
  if (a.Kind() == K::String && b.Kind() == K::String) return !(a.ToString() < b.ToString());
  if (a.Kind() == K::String || b.Kind() == K::String || a.Kind() == K::Object ||
      b.Kind() == K::Object)
    base::RaiseError(base::kErrTypeMismatch, kSource);
  return a.ToDouble() >= b.ToDouble();
}

}  // namespace

clsCollection::ItemPtr clsCollection::Append(ItemPtr item) {
  item->Index = Count() + 1;
  m_items.push_back(item);
  return item;
}

clsCollection::ItemPtr clsCollection::Add(std::string szKey, std::int32_t lKey, ObjectPtr oData,
                                          std::string szData, std::int32_t lData,
                                          ObjectPtr SiblingLeft, ObjectPtr SiblingRight,
                                          ObjectPtr Parent, ObjectPtr Child,
                                          std::string szFilename, std::string szData2,
                                          std::string szData3, std::int32_t lData2,
                                          std::int32_t lData3) {
  auto item = std::make_shared<clsCollection>();
  item->m_szKey = std::move(szKey);
  item->m_szData = std::move(szData);
  item->m_szData2 = std::move(szData2);
  item->m_szData3 = std::move(szData3);
  item->m_lKey = lKey;
  item->m_lData = lData;
  item->m_lData2 = lData2;
  item->m_lData3 = lData3;
  item->m_oData = std::move(oData);
  item->m_Parent = std::move(Parent);
  item->m_SiblingLeft = std::move(SiblingLeft);
  item->m_SiblingRight = std::move(SiblingRight);
  item->m_Child = std::move(Child);
  item->m_szFilename = std::move(szFilename);
  return Append(std::move(item));
}

clsCollection::ItemPtr clsCollection::AddEx(const clsCollection& Source) {
  auto item = std::make_shared<clsCollection>();
  FillFrom(Source, item.get());
  return Append(std::move(item));
}

void clsCollection::Swap(clsCollection& o1, clsCollection& O2) {
  if (&o1 == &O2) return;
  clsCollection held;
  CopyFields(o1, held, false);
  CopyFields(O2, o1, false);
  CopyFields(held, O2, false);
}

clsCollection::ItemPtr clsCollection::DUP() const {
  auto copy = std::make_shared<clsCollection>();
  CopyFields(*this, *copy, true);
  return copy;
}

clsCollection& clsCollection::FillFrom(const clsCollection& Source, clsCollection* Dest) {
  clsCollection& dest = Dest ? *Dest : *this;
  if (&dest != &Source) CopyFields(Source, dest, true);
  return dest;
}

bool clsCollection::CheckPosition(std::int32_t lIndex, bool bRaiseError) const {
  if (lIndex >= 1 && lIndex <= Count()) return true;
  if (!bRaiseError) return false;
  // A position past the end is the documented error 5; one below 1 is what
  // the list beneath reports, a subscript error.
  base::RaiseError(lIndex > Count() ? base::kErrInvalidCall : base::kErrSubscript, kSource);
}

clsCollection::ItemPtr clsCollection::Item(std::int32_t lIndex, bool bRaiseError) const {
  if (!CheckPosition(lIndex, bRaiseError)) return nullptr;
  return m_items[static_cast<size_t>(lIndex - 1)];
}

clsCollection::ObjectPtr clsCollection::Item(std::int32_t lIndex, bool bRaiseError,
                                             bool bObject) const {
  auto item = Item(lIndex, bRaiseError);
  if (item && bObject) return item->m_oData;
  return item;
}

clsCollection::ItemPtr clsCollection::ItemViaKey(const base::Variant& vKey) const {
  if (IsWholeNumber(vKey)) {
    std::int32_t key = vKey.ToLong();
    for (const auto& item : m_items)
      if (item->m_lKey == key) return item;
    return nullptr;
  }
  std::string key = vKey.ToString();
  for (const auto& item : m_items)
    if (item->m_szKey == key) return item;
  return nullptr;
}

clsCollection::ObjectPtr clsCollection::ItemViaKey(const base::Variant& vKey, bool bObject) const {
  auto item = ItemViaKey(vKey);
  if (item && bObject) return item->m_oData;
  return item;
}

clsCollection::ItemPtr clsCollection::ItemViaData(const base::Variant& vData,
                                                  std::int32_t lPosition) const {
  static std::string clsCollection::*const kTexts[] = {
      &clsCollection::m_szData, &clsCollection::m_szData, &clsCollection::m_szData2,
      &clsCollection::m_szData3};
  static std::int32_t clsCollection::*const kNumbers[] = {
      &clsCollection::m_lData, &clsCollection::m_lData, &clsCollection::m_lData2,
      &clsCollection::m_lData3};
  if (lPosition < 0 || lPosition > 3) return nullptr;
  if (IsWholeNumber(vData)) {
    std::int32_t wanted = vData.ToLong();
    for (const auto& item : m_items)
      if ((*item).*kNumbers[lPosition] == wanted) return item;
    return nullptr;
  }
  std::string wanted = vData.ToString();
  for (const auto& item : m_items)
    if ((*item).*kTexts[lPosition] == wanted) return item;
  return nullptr;
}

clsCollection::ObjectPtr clsCollection::ItemViaData(const base::Variant& vData,
                                                    std::int32_t lPosition, bool bObject) const {
  auto item = ItemViaData(vData, lPosition);
  if (item && bObject) return item->m_oData;
  return item;
}

void clsCollection::Remove(std::int32_t lIndex, bool bRaiseError) {
  if (CheckPosition(lIndex, bRaiseError)) m_items.erase(m_items.begin() + (lIndex - 1));
  ReIndex();
}

void clsCollection::Clear() { m_items.clear(); }

void clsCollection::ReIndex() {
  std::int32_t i = 0;
  for (const auto& item : m_items) item->Index = ++i;
}

std::vector<std::int32_t> clsCollection::Sort_Bubble(const std::string& fieldName) const {
  const std::int32_t n = Count();
  std::vector<std::int32_t> order(static_cast<size_t>(n) + 1);
  for (std::int32_t i = 0; i <= n; ++i) order[static_cast<size_t>(i)] = i;
  for (std::int32_t i = 1; i < n; ++i) {
    for (std::int32_t j = i + 1; j <= n; ++j) {
      auto& a = order[static_cast<size_t>(i)];
      auto& b = order[static_cast<size_t>(j)];
      if (NotLess(Item(a)->Field(fieldName), Item(b)->Field(fieldName))) std::swap(a, b);
    }
  }
  return order;
}

base::Variant clsCollection::Field(const std::string& name) const {
  const FieldEntry& f = FindField(name);
  switch (f.kind) {
    case FieldKind::Text: return this->*f.text;
    case FieldKind::Number: return this->*f.number;
    case FieldKind::Object: return this->*f.object;
  }
  return {};
}

void clsCollection::SetField(const std::string& name, const base::Variant& value) {
  const FieldEntry& f = FindField(name);
  switch (f.kind) {
    case FieldKind::Text: this->*f.text = value.ToString(); break;
    case FieldKind::Number: this->*f.number = value.ToLong(); break;
    case FieldKind::Object:
      this->*f.object = value.IsEmpty() ? nullptr : value.ToObject();
      break;
  }
}

}  // namespace common
