#include <algorithm>

#include "base/error.h"
#include "smartui/model.h"

namespace sui {

namespace {

ItemPtr FindDeep(const ItemList& list, const std::string& key) {
  for (const auto& item : list) {
    if (sameKey(item->key(), key)) return item;
    if (ItemPtr hit = FindDeep(item->subItems(), key)) return hit;
  }
  return nullptr;
}

}  // namespace

// ---- properties

void Control::setCaption(const std::string& caption) { assign(m_caption, caption, ControlAspect::Caption); }
void Control::setEnabled(bool enabled) { assign(m_enabled, enabled, ControlAspect::Enabled); }
void Control::setVisible(bool visible) { assign(m_visible, visible, ControlAspect::Visible); }
void Control::setBorderStyle(int style) { assign(m_borderStyle, style, ControlAspect::BorderStyle); }
void Control::setRedraw(bool redraw) { assign(m_redraw, redraw, ControlAspect::Redraw); }

void Control::setTag(const Variant& tag) {
  m_tag = tag;
  notify(ControlAspect::Tag);
}

ItemPtr Control::current() const {
  for (const auto& item : m_items)
    if (item->selected()) return item;
  return nullptr;
}

void Control::setCurrent(const ItemPtr& item) {
  if (!item) {
    if (ItemPtr was = current()) was->setSelected(false);
    return;
  }
  if (item->m_list != &m_items) base::RaiseError(base::kErrInvalidCall, "SmartUI");
  item->setSelected(true);
}

ItemPtr Control::find(const std::string& key) const {
  if (key.empty()) return nullptr;
  return FindDeep(m_items, key);
}

// ---- views

void Control::observe(Observer* observer) {
  if (observer && std::find(m_observers.begin(), m_observers.end(), observer) == m_observers.end())
    m_observers.push_back(observer);
}

void Control::unobserve(Observer* observer) {
  m_observers.erase(std::remove(m_observers.begin(), m_observers.end(), observer), m_observers.end());
}

// By index: a view that unsubscribes while it is told must not break the loop.
void Control::notify(ControlAspect aspect) {
  for (size_t i = 0; i < m_observers.size(); ++i) m_observers[i]->controlChanged(aspect);
}

void Control::notifyItem(Item& item, ItemAspect aspect) {
  if (m_observers.empty()) return;
  ItemPtr keep = item.shared_from_this();
  for (size_t i = 0; i < m_observers.size(); ++i) m_observers[i]->itemChanged(keep, aspect);
}

void Control::notifyStructure(ItemList& list) {
  for (size_t i = 0; i < m_observers.size(); ++i) m_observers[i]->structureChanged(list);
}

// ---- the user's actions

bool Control::acceptsUser(const ItemPtr& item) const {
  return item && m_enabled && item->control() == this && item->visible() && item->enabled();
}

void Control::userClick(ItemPtr item) {
  if (!acceptsUser(item)) return;
  int kind = item->kind();
  if (kind == kKindMenuSeparator || kind == kKindToolbarSpacer) return;  // lines and gaps
  // Grids and the view bar select what is clicked, and report the click once
  // even when it was current already. A list leaves its selection to the form,
  // which may refuse the switch (the actions editor's "Save the changes?").
  if (m_style == Style::Grid || m_style == Style::ViewBar) item->select();
  item->raiseClick();
}

void Control::userToggle(ItemPtr item) {
  if (!acceptsUser(item)) return;
  if (item->kind() == kKindCheckBox)
    item->setChecked(!item->checked());
  else if (item->kind() == kKindOptionButton && !item->checked())
    item->setChecked(true);
}

void Control::userEdit(ItemPtr item, const std::string& text) {
  if (!acceptsUser(item) || !isEditableKind(item->kind())) return;
  if (!item->m_editStart) item->m_editStart = item->value().ToString();
  item->setValue(text);
}

void Control::userCommit(ItemPtr item) {
  if (!acceptsUser(item) || !item->m_editStart) return;
  std::string start = std::move(*item->m_editStart);
  item->m_editStart.reset();
  if (item->value().ToString() != start) raise(handlers.itemCommit, item);
}

void Control::userPick(ItemPtr row, ItemPtr entry) {
  if (!acceptsUser(row) || !isListKind(row->kind())) return;
  if (!entry || entry->m_list != &row->subItems() || !entry->visible()) return;
  std::string caption = entry->caption();
  // The picked entry stays marked among the row's entries: entries may share
  // a caption (two special folders of one name), and the form must be able to
  // tell which of them the user took. Picking another entry of the same
  // caption is a change too, though the value's text stays.
  const bool otherEntry = entry->select();
  bool changed = row->value().ToString() != caption;
  row->setValue(caption);
  if (!changed) {
    bool shared = false;
    for (const auto& sibling : row->subItems())
      if (sibling != entry && sibling->caption() == caption) shared = true;
    if (!otherEntry || !shared) return;
    if (Control* c = row->control()) raise(c->handlers.itemChange, row, std::string("value"));
  }
  // The pick ends whatever the user typed into an editable list before it.
  row->m_editStart.reset();
  if (Control* c = row->control()) raise(c->handlers.itemCommit, row);
}

void Control::userButton(ItemPtr item) {
  if (!acceptsUser(item) || !hasButtonKind(item->kind())) return;
  item->setSelected(true);  // an itemClick when it was not current yet
  if (Control* c = item->control()) raise(c->handlers.buttonClick, item);
}

void Control::userDropDown(ItemPtr item) {
  if (acceptsUser(item)) raise(handlers.dropDown, item);
}

bool Control::userQueryEdit() {
  if (!m_enabled) return false;
  bool answer = true;
  raise(handlers.query, answer);
  return answer;
}

void Control::userClickControl() {
  if (m_enabled) raise(handlers.click);
}

}  // namespace sui
