#include <algorithm>

#include "base/error.h"
#include "smartui/model.h"

namespace sui {

namespace {

const char kSource[] = "SmartUI";

// Keys and sorting fold ASCII letters only: keys are command names, setting
// names and GUID texts, never words of the user's language.
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool LessNoCase(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiLower(x)) < static_cast<unsigned char>(AsciiLower(y));
  });
}

}  // namespace

bool sameKey(const std::string& a, const std::string& b) {
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

// ---- kinds

bool isKnownKind(int kind) {
  switch (kind) {
    case kKindToolbarSpacer: case kKindMenuCommand: case kKindMenuEntry: case kKindMenuSeparator:
    case kKindGroupHeading: case kKindViewBarEntry: case kKindCheckBox: case kKindOptionButton:
    case kKindEntry: case kKindPlainText: case kKindHeading: case kKindReadOnlyText:
    case kKindHostedControl: case kKindCategory: case kKindTextRow: case kKindListRow:
    case kKindEditableList: case kKindHostedRow: case kKindTextButtonRow: case kKindText:
    case kKindTextButton: case kKindList:
      return true;
    default:
      return false;
  }
}

bool isHeadingKind(int kind) {
  return kind == kKindHeading || kind == kKindCategory || kind == kKindGroupHeading;
}

bool isSelectableKind(int kind) {
  return !isHeadingKind(kind) && kind != kKindMenuSeparator && kind != kKindToolbarSpacer;
}

bool isListKind(int kind) { return kind == kKindList || kind == kKindListRow || kind == kKindEditableList; }

bool isEditableKind(int kind) {
  return kind == kKindText || kind == kKindTextRow || kind == kKindPlainText || hasButtonKind(kind) ||
         kind == kKindEditableList;
}

bool hasButtonKind(int kind) { return kind == kKindTextButton || kind == kKindTextButtonRow; }

// ---- ItemList

ItemList::~ItemList() {
  // Items that live on elsewhere (a form's reference) are detached, not left
  // pointing at a list that is gone.
  for (auto& item : m_items) item->m_list = nullptr;
}

ItemPtr ItemList::add(int position, const std::string& key, const std::string& caption, int kind,
                      const std::string& image) {
  if (position < 0 || position > count() + 1) base::RaiseError(base::kErrSubscript, kSource);
  if (!isKnownKind(kind))
    base::RaiseError(kErrInvalidPropertyValue, kSource, "Invalid property value");
  if (!key.empty() && find(key))
    base::RaiseError(kErrDuplicateKey, kSource,
                     "This key is already associated with an element of this collection");
  auto item = std::make_shared<Item>(Item::Token{}, key, caption, kind, image);
  item->m_list = this;
  m_items.insert(position == 0 ? m_items.end() : m_items.begin() + (position - 1), item);
  changed();
  return item;
}

ItemPtr ItemList::at(int position) const {
  if (position < 1 || position > count()) base::RaiseError(base::kErrSubscript, kSource);
  return m_items[static_cast<size_t>(position - 1)];
}

ItemPtr ItemList::at(const std::string& key) const {
  ItemPtr item = find(key);
  if (!item) base::RaiseError(base::kErrInvalidCall, kSource);
  return item;
}

ItemPtr ItemList::find(const std::string& key) const {
  if (key.empty()) return nullptr;  // empty keys are many, and never looked up
  for (const auto& item : m_items)
    if (sameKey(item->m_key, key)) return item;
  return nullptr;
}

void ItemList::removeAt(int position) { detach(at(position)); }

void ItemList::remove(const std::string& key) { detach(at(key)); }

void ItemList::detach(const ItemPtr& item) {
  m_items.erase(m_items.begin() + (positionOf(*item) - 1));
  item->m_list = nullptr;
  changed();
}

void ItemList::clear() {
  if (m_items.empty()) return;
  std::vector<ItemPtr> gone;
  gone.swap(m_items);
  for (auto& item : gone) item->m_list = nullptr;
  changed();
}

void ItemList::sort(bool descending, bool byKey) {
  auto text = [byKey](const ItemPtr& item) -> const std::string& { return byKey ? item->m_key : item->m_caption; };
  std::stable_sort(m_items.begin(), m_items.end(), [&](const ItemPtr& a, const ItemPtr& b) {
    return descending ? LessNoCase(text(b), text(a)) : LessNoCase(text(a), text(b));
  });
  changed();
}

ItemPtr ItemList::parent() const { return m_owner ? m_owner->shared_from_this() : nullptr; }

Control* ItemList::control() const { return m_control ? m_control : m_owner ? m_owner->control() : nullptr; }

int ItemList::positionOf(const Item& item) const {
  auto it = std::find_if(m_items.begin(), m_items.end(), [&](const ItemPtr& p) { return p.get() == &item; });
  return static_cast<int>(it - m_items.begin()) + 1;
}

void ItemList::changed() {
  if (Control* c = control()) c->notifyStructure(*this);
}

// ---- Item

Item::Item(Token, std::string key, std::string caption, int kind, std::string image)
    : m_key(std::move(key)), m_caption(std::move(caption)), m_kind(kind), m_image(std::move(image)) {}

int Item::index() const { return m_list ? m_list->positionOf(*this) : 0; }

void Item::setIndex(int index) {
  if (!m_list) base::RaiseError(base::kErrInvalidCall, kSource);
  auto& items = m_list->m_items;
  if (index < 1 || index > static_cast<int>(items.size())) base::RaiseError(base::kErrSubscript, kSource);
  int from = m_list->positionOf(*this);
  ItemPtr self = items[static_cast<size_t>(from - 1)];
  items.erase(items.begin() + (from - 1));
  items.insert(items.begin() + (index - 1), self);
  m_list->changed();
}

ItemPtr Item::parent() const { return m_list ? m_list->parent() : nullptr; }

Control* Item::control() const { return m_list ? m_list->control() : nullptr; }

void Item::notify(ItemAspect aspect) {
  if (Control* c = control()) c->notifyItem(*this, aspect);
}

void Item::raiseClick() {
  if (Control* c = control()) Control::raise(c->handlers.itemClick, shared_from_this());
}

void Item::raiseChange(const char* property) {
  if (Control* c = control()) Control::raise(c->handlers.itemChange, shared_from_this(), std::string(property));
}

// Properties that raise no form event: stored, and the views told.
void Item::setCaption(const std::string& caption) { assign(m_caption, caption, ItemAspect::Caption); }
void Item::setEnabled(bool enabled) { assign(m_enabled, enabled, ItemAspect::Enabled); }
void Item::setExpanded(bool expanded) { assign(m_expanded, expanded, ItemAspect::Expanded); }
void Item::setIndent(std::int32_t indent) { assign(m_indent, indent, ItemAspect::Indent); }
void Item::setWidth(float width) { assign(m_width, width, ItemAspect::Width); }
void Item::setImage(const std::string& image) { assign(m_image, image, ItemAspect::Image); }
void Item::setBold(bool bold) { assign(m_bold, bold, ItemAspect::Bold); }
void Item::setForeColor(std::uint32_t color) { assign(m_foreColor, color, ItemAspect::ForeColor); }
void Item::setToolTip(const std::string& text) { assign(m_toolTip, text, ItemAspect::ToolTip); }
void Item::setShortcut(const std::string& text) { assign(m_shortcut, text, ItemAspect::Shortcut); }

void Item::setTag(const Variant& tag) {
  // Stored as given, even when it compares equal (5 over "5" keeps its kind).
  m_tag = tag;
  notify(ItemAspect::Tag);
}

void Item::setValue(const Variant& value) {
  auto kind = value.Kind();
  if (kind == base::VariantKind::Object || kind == base::VariantKind::Array)
    base::RaiseError(base::kErrTypeMismatch, kSource);
  // A change is a change of the text the row shows: "" over Empty, or 5 over
  // "5", is none. That is what ends a handler's "set the value again".
  bool changed = value.ToString() != m_value.ToString();
  m_value = value;
  notify(ItemAspect::Value);
  if (changed) raiseChange("value");
}

void Item::setChecked(bool checked) {
  if (m_checked == checked) return;
  m_checked = checked;
  notify(ItemAspect::Checked);
  raiseChange("checked");
  if (checked && m_kind == kKindOptionButton) uncheckGroup();
}

bool Item::inGroupWith(const Item& other) const {
  return &other != this && m_list && other.m_list == m_list && other.m_kind == kKindOptionButton &&
         other.m_indent == m_indent;
}

void Item::uncheckGroup() {
  // The handler of our own event has run, and may have changed the list; the
  // group is what stands now, and each member is checked again before it is
  // unchecked, since every uncheck runs a handler too.
  if (!m_checked || !m_list) return;
  ItemPtr self = shared_from_this();
  std::vector<ItemPtr> others;
  for (const auto& item : *m_list)
    if (inGroupWith(*item) && item->m_checked) others.push_back(item);
  for (const auto& other : others) {
    if (!m_checked) return;
    if (inGroupWith(*other)) other->setChecked(false);
  }
}

bool Item::select() {
  if (m_selected || !m_visible || !isSelectableKind(m_kind)) return false;
  if (m_list)
    for (const auto& sibling : *m_list)
      if (sibling.get() != this && sibling->m_selected) {
        sibling->m_selected = false;
        sibling->notify(ItemAspect::Selected);
      }
  m_selected = true;
  notify(ItemAspect::Selected);
  return true;
}

void Item::setSelected(bool selected) {
  if (!selected) {
    if (!m_selected) return;
    m_selected = false;
    notify(ItemAspect::Selected);
    return;
  }
  if (select()) raiseClick();
}

void Item::setVisible(bool visible) {
  if (m_visible == visible) return;
  m_visible = visible;
  // A hidden item cannot be chosen, so it cannot stay the selection either.
  if (!visible && m_selected) {
    m_selected = false;
    notify(ItemAspect::Selected);
  }
  notify(ItemAspect::Visible);
}

}  // namespace sui
