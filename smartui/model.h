// The item model of our menu/grid control: controls, items, item lists, the
// rules that tie them together and the events the forms receive. Portable
// code; the Win32 views draw a Control and feed the user's actions back in
// through its user... calls, so every event comes from here.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/variant.h"

namespace sui {

using base::Variant;

class Control;
class Item;
class ItemList;
using ItemPtr = std::shared_ptr<Item>;

// What a control is; it picks the view and the click rule.
enum class Style {
  MenuBar, PopupMenu, Toolbar, ButtonBar, ViewBar, Panel, CaptionBar, Grid, List, Progress, Link, Hidden
};

// Every kind a form or helper passes to add; any other number is refused.
enum Kind : int {
  kKindToolbarSpacer = 104,
  kKindMenuCommand = 200,
  kKindMenuEntry = 203,
  kKindMenuSeparator = 204,
  kKindGroupHeading = 205,   // as 905
  kKindViewBarEntry = 400,
  kKindCheckBox = 503,
  kKindOptionButton = 603,
  kKindEntry = 901,
  kKindPlainText = 903,
  kKindHeading = 905,
  kKindReadOnlyText = 1100,
  kKindHostedControl = 1102,
  kKindCategory = 1200,      // as 905
  kKindTextRow = 1204,       // as 1401
  kKindListRow = 1205,       // as 1501
  kKindEditableList = 1206,
  kKindHostedRow = 1209,     // as 1102
  kKindTextButtonRow = 1210, // as 1409
  kKindText = 1401,
  kKindTextButton = 1409,
  kKindList = 1501,
};

bool isKnownKind(int kind);
bool isHeadingKind(int kind);     // 905, 1200, 205: never current
bool isSelectableKind(int kind);  // not a heading, separator or spacer
bool isListKind(int kind);        // 1501, 1205, 1206: sub-items are the entries
bool isEditableKind(int kind);    // the user types into it: 1401, 1204, 903, 1409, 1210, 1206
bool hasButtonKind(int kind);     // 1409, 1210: the "..." button

// How keys (and image keys) compare: ASCII letters without regard to case.
bool sameKey(const std::string& a, const std::string& b);

// Error numbers the model throws besides the standard 5, 6, 9 and 13.
constexpr long kErrInvalidPropertyValue = 380;
constexpr long kErrDuplicateKey = 457;

// What changed, for the views (not form events).
enum class ItemAspect {
  Caption, Value, Checked, Enabled, Visible, Selected, Expanded, Tag, Indent, Width, Image, Bold,
  ForeColor, ToolTip, Shortcut
};
enum class ControlAspect { Caption, Enabled, Visible, BorderStyle, Tag, Redraw };

// A view's subscription to one control. Views only mark themselves dirty here;
// they never call back into the model from these.
class Observer {
 public:
  virtual ~Observer() = default;
  virtual void structureChanged(ItemList& list) = 0;  // add, remove, clear, sort, move
  virtual void itemChanged(const ItemPtr& item, ItemAspect aspect) = 0;
  virtual void controlChanged(ControlAspect aspect) = 0;
};

// The events a form may handle; an empty one means "no reaction".
struct Handlers {
  std::function<void(const ItemPtr&)> itemClick;
  std::function<void(const ItemPtr&)> buttonClick;
  std::function<void(const ItemPtr&, const std::string&)> itemChange;  // "value" or "checked"
  std::function<void(const ItemPtr&)> dropDown;
  std::function<void(const ItemPtr&)> itemCommit;
  std::function<void(bool&)> query;  // the answer starts true
  std::function<void()> click;
};

// The ordered list of a control's top-level items or of an item's sub-items.
// Positions count from 1.
class ItemList {
 public:
  using const_iterator = std::vector<ItemPtr>::const_iterator;

  explicit ItemList(Control* control) : m_control(control) {}
  explicit ItemList(Item* owner) : m_owner(owner) {}
  ~ItemList();
  ItemList(const ItemList&) = delete;
  ItemList& operator=(const ItemList&) = delete;

  // Position 0 appends; 1..count()+1 inserts so that the new item gets that
  // index. Errors: 9 position, 380 kind, 457 a non-empty key already here.
  ItemPtr add(int position, const std::string& key, const std::string& caption, int kind,
              const std::string& image = {});
  int count() const noexcept { return static_cast<int>(m_items.size()); }
  ItemPtr at(int position) const;             // 9 outside 1..count()
  ItemPtr at(const std::string& key) const;   // 5 when none (or "")
  ItemPtr find(const std::string& key) const;  // none instead of 5
  void removeAt(int position);
  void remove(const std::string& key);
  void clear();
  // Stable, ignoring ASCII case; by caption unless byKey.
  void sort(bool descending = false, bool byKey = false);

  const_iterator begin() const noexcept { return m_items.begin(); }
  const_iterator end() const noexcept { return m_items.end(); }

  ItemPtr parent() const;    // the owning item; none for a control's top level
  Control* control() const;  // none once the list's item is detached

 private:
  friend class Item;
  friend class Control;
  int positionOf(const Item& item) const;
  void detach(const ItemPtr& item);
  void changed();

  Control* m_control = nullptr;  // set for a control's top-level list
  Item* m_owner = nullptr;       // set for an item's sub-items
  std::vector<ItemPtr> m_items;
};

// One menu entry, button, pane, list entry, grid row or combo entry. Always
// held by ItemPtr; made only by ItemList::add.
class Item : public std::enable_shared_from_this<Item> {
  struct Token {};

 public:
  Item(Token, std::string key, std::string caption, int kind, std::string image);
  Item(const Item&) = delete;
  Item& operator=(const Item&) = delete;

  const std::string& key() const noexcept { return m_key; }
  int kind() const noexcept { return m_kind; }

  const std::string& caption() const noexcept { return m_caption; }
  void setCaption(const std::string& caption);
  // A value whose text form differs raises itemChange "value" once; the value
  // is stored either way. An object or array value throws 13.
  const Variant& value() const noexcept { return m_value; }
  void setValue(const Variant& value);
  bool checked() const noexcept { return m_checked; }
  void setChecked(bool checked);
  bool enabled() const noexcept { return m_enabled; }
  void setEnabled(bool enabled);
  bool visible() const noexcept { return m_visible; }
  void setVisible(bool visible);
  // Exclusive within the list; a newly selected item raises itemClick.
  bool selected() const noexcept { return m_selected; }
  void setSelected(bool selected);
  bool expanded() const noexcept { return m_expanded; }
  void setExpanded(bool expanded);
  const Variant& tag() const noexcept { return m_tag; }
  void setTag(const Variant& tag);
  std::int32_t indent() const noexcept { return m_indent; }
  void setIndent(std::int32_t indent);
  float width() const noexcept { return m_width; }
  void setWidth(float width);
  const std::string& image() const noexcept { return m_image; }
  void setImage(const std::string& image);
  bool bold() const noexcept { return m_bold; }
  void setBold(bool bold);
  std::uint32_t foreColor() const noexcept { return m_foreColor; }
  void setForeColor(std::uint32_t color);
  const std::string& toolTip() const noexcept { return m_toolTip; }
  void setToolTip(const std::string& text);
  const std::string& shortcut() const noexcept { return m_shortcut; }
  void setShortcut(const std::string& text);

  ItemList& subItems() noexcept { return m_subItems; }
  const ItemList& subItems() const noexcept { return m_subItems; }

  // 1-based place in its list, 0 once removed. Setting it moves the item
  // (9 outside 1..count(), 5 when removed).
  int index() const;
  void setIndex(int index);

  ItemPtr parent() const;
  Control* control() const;  // none once the item or an ancestor is removed

 private:
  friend class ItemList;
  friend class Control;
  template <class T>
  void assign(T& member, const T& value, ItemAspect aspect) {
    if (member == value) return;
    member = value;
    notify(aspect);
  }
  bool select();  // true when it became selected; raises nothing
  void uncheckGroup();
  bool inGroupWith(const Item& other) const;
  void notify(ItemAspect aspect);
  void raiseClick();
  void raiseChange(const char* property);

  ItemList* m_list = nullptr;  // the list that holds it; none once removed
  std::string m_key;
  std::string m_caption;
  int m_kind;
  Variant m_value;
  bool m_checked = false;
  bool m_enabled = true;
  bool m_visible = true;
  bool m_selected = false;
  bool m_expanded = false;
  Variant m_tag;
  std::int32_t m_indent = 0;
  float m_width = 0;
  std::string m_image;
  bool m_bold = false;
  std::uint32_t m_foreColor = 0x80000008u;  // the system colour of window text
  std::string m_toolTip;
  std::string m_shortcut;
  ItemList m_subItems{this};
  std::optional<std::string> m_editStart;  // the text before the user's edit began
};

// One control instance on a form. Neither copied nor moved: items point to it.
// When it goes, every item still referenced elsewhere is detached.
class Control {
 public:
  explicit Control(Style style) : m_style(style) {}
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  Style style() const noexcept { return m_style; }
  ItemList& items() noexcept { return m_items; }
  const ItemList& items() const noexcept { return m_items; }

  const std::string& caption() const noexcept { return m_caption; }
  void setCaption(const std::string& caption);
  bool enabled() const noexcept { return m_enabled; }
  void setEnabled(bool enabled);
  bool visible() const noexcept { return m_visible; }
  void setVisible(bool visible);
  int borderStyle() const noexcept { return m_borderStyle; }
  void setBorderStyle(int style);
  const Variant& tag() const noexcept { return m_tag; }
  void setTag(const Variant& tag);
  bool redraw() const noexcept { return m_redraw; }
  void setRedraw(bool redraw);

  // The selected item of the top-level list. setCurrent(item) selects it (an
  // item of another list throws 5); setCurrent(nullptr) clears it silently.
  ItemPtr current() const;
  void setCurrent(const ItemPtr& item);
  // The first item in pre-order, at any depth, whose key matches ignoring case.
  ItemPtr find(const std::string& key) const;

  Handlers handlers;

  void observe(Observer* observer);
  void unobserve(Observer* observer);

  // The user's actions, as the views report them. Each does nothing unless
  // the item is in this control, visible and enabled, and the control enabled.
  // Items come by value: a handler may drop the caller's own reference.
  void userClick(ItemPtr item);
  void userToggle(ItemPtr item);
  void userEdit(ItemPtr item, const std::string& text);
  void userPick(ItemPtr row, ItemPtr entry);
  void userCommit(ItemPtr item);
  void userButton(ItemPtr item);
  void userDropDown(ItemPtr item);
  bool userQueryEdit();
  void userClickControl();

 private:
  friend class Item;
  friend class ItemList;

  // Handlers run on a copy: one may destroy the form, and this control with it.
  template <class Handler, class... Args>
  static void raise(const Handler& handler, Args&&... args) {
    if (!handler) return;
    Handler copy = handler;
    copy(std::forward<Args>(args)...);
  }
  template <class T>
  void assign(T& member, const T& value, ControlAspect aspect) {
    if (member == value) return;
    member = value;
    notify(aspect);
  }
  bool acceptsUser(const ItemPtr& item) const;
  void notify(ControlAspect aspect);
  void notifyItem(Item& item, ItemAspect aspect);
  void notifyStructure(ItemList& list);

  Style m_style;
  std::string m_caption;
  bool m_enabled = true;
  bool m_visible = true;
  int m_borderStyle = 1;
  Variant m_tag;
  bool m_redraw = true;
  std::vector<Observer*> m_observers;
  ItemList m_items{this};  // last, so that it goes first and detaches the items
};

}  // namespace sui
