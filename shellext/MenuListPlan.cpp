#include "shellext/MenuListPlan.h"

#include "config/clsCorvaneData.h"

namespace shellext {

namespace {

using config::clsCorvaneData;
using config::clsOptions;
using Kind = ListStep::Kind;

// Bitmap keys of the built-in entries.
constexpr std::int32_t kKeyNone = 0;
constexpr std::int32_t kKeyReset = 3;
constexpr std::int32_t kKeyQuickAccess = 5;
constexpr std::int32_t kKeyMenuFromMedium = 999998;

std::int32_t Count(const std::vector<std::int32_t>& v) { return static_cast<std::int32_t>(v.size()); }

class Planner {
 public:
  Planner(const clsOptions& options, const MenuListFacts& facts)
      : m_options(options), m_facts(facts), m_rootCount(facts.rootCount), m_shellCount(facts.shellCount),
        m_insertPos(facts.insertPos) {}

  std::vector<ListStep> Plan() {
    History();
    QuickAccess();
    DesignerAndResets();
    BuiltIns();
    return std::move(m_steps);
  }

 private:
  // One list in the shell's menu or in its own popup of the root popup.
  struct ListTarget {
    ListMenu menu = ListMenu::Shell;
    std::int32_t position = 0;
    bool main = false;
  };

  ListStep& Add(Kind kind, ListMenu menu, std::int32_t position) {
    ListStep step;
    step.kind = kind;
    step.menu = menu;
    step.position = position;
    if (menu == ListMenu::Root && kind != Kind::Check) ++m_rootCount;
    if (menu == ListMenu::Shell && kind != Kind::Check) ++m_shellCount;
    m_steps.push_back(step);
    return m_steps.back();
  }

  // The list's popup, after a separator when the root popup has entries.
  ListTarget OpenList(std::int32_t display, ListMenu popupMenu, std::int32_t popupType) {
    ListTarget target;
    if (display == clsOptions::OptionsMenuDisplay_ShowInMainMenu) {
      target.main = true;
      target.position = m_insertPos;
      return target;
    }
    if (m_rootCount > 0) Add(Kind::Separator, ListMenu::Root, -1);
    Add(Kind::Popup, ListMenu::Root, -1).type = popupType;
    target.menu = popupMenu;
    target.position = 0;
    return target;
  }

  void ListEntries(ListTarget& target, ListSource list, const std::vector<std::int32_t>& shown, std::int32_t offset) {
    std::int32_t number = offset;
    for (std::int32_t index : shown) {
      ListStep& step = Add(Kind::ListEntry, target.menu, target.position++);
      step.checked = true;
      step.list = list;
      step.index = index;
      step.number = ++number;
      if (target.main) step.insertPosAfter = m_insertPos = target.position;
    }
  }

  void History() {
    const std::int32_t display = m_options.m_lShellShowHistoryMRU;
    if (m_facts.history.empty() || display < 1) return;
    ListTarget target = OpenList(display, ListMenu::History, clsCorvaneData::TypePopupHistory);
    ListEntries(target, ListSource::History, m_facts.history, 0);
  }

  void QuickAccess() {
    const std::int32_t display = m_options.m_lShellShowQuickAccessMRU;
    if (display < 1) return;  // an empty list still offers "Add To Quick Access"
    ListTarget target;
    std::int32_t offset = 0;
    if (display == clsOptions::OptionsMenuDisplay_ShowInMainMenu) {
      target = OpenList(display, ListMenu::Shell, 0);
      if (m_shellCount > 0) {
        ListStep& separator = Add(Kind::Separator, ListMenu::Shell, target.position++);
        separator.insertPosAfter = m_insertPos = target.position;
      }
      // The numbers go on from the History list's, wherever that is shown.
      offset = Count(m_facts.history);
    } else {
      target = OpenList(display, ListMenu::QuickAccess, clsCorvaneData::TypePopupQuickAccess);
    }
    ListEntries(target, ListSource::QuickAccess, m_facts.quickAccess, offset);
    if (!m_facts.hasCurrentFile && !m_facts.hasCurrentFolder) {
      Add(Kind::Check, target.menu, -1).checked = true;
      return;
    }
    ListStep& add = Add(Kind::Command, target.menu, target.position++);
    add.checked = true;
    add.type = clsCorvaneData::TypeAddToQuickAccessMRU;
    add.bitmapKey = kKeyQuickAccess;
    if (target.main) add.insertPosAfter = m_insertPos = target.position;
  }

  void AppendToRoot(std::int32_t type, std::int32_t key, bool checked) {
    ListStep& step = Add(Kind::Command, ListMenu::Root, -1);
    step.type = type;
    step.bitmapKey = key;
    step.checked = checked;
  }

  void DesignerAndResets() {
    if (m_rootCount > 0) Add(Kind::Separator, ListMenu::Root, -1);
    AppendToRoot(clsCorvaneData::TypeDesigner, kKeyMenuFromMedium, true);
    if (!m_facts.history.empty()) {
      Add(Kind::Separator, ListMenu::Root, -1).checked = true;
      AppendToRoot(clsCorvaneData::TypeResetHistoryMRU, kKeyReset, false);
    }
    if (!m_facts.quickAccess.empty()) {
      if (m_facts.history.empty()) {
        Add(Kind::Separator, ListMenu::Root, -1).checked = true;
        AppendToRoot(clsCorvaneData::TypeResetQuickAccessMRU, kKeyReset, false);
      } else {
        AppendToRoot(clsCorvaneData::TypeResetQuickAccessMRU, kKeyReset, true);
      }
    }
  }

  void BuiltIns() {
    const clsOptions& o = m_options;
    const MenuListFacts& f = m_facts;
    const struct {
      std::int32_t type;
      bool shown;
    } commands[] = {
        {clsCorvaneData::TypeOpenInNewWindow, o.ShowFlag_IsOpen() && f.hasCurrentFile},
        {clsCorvaneData::TypeCopyFilenamesToClipboard, o.ShowFlag_IsCopyToClipboard() && f.hasDataObject},
        {clsCorvaneData::TypeRunDialog, o.ShowFlag_IsRunDialog() && f.selectionCount == 1},
        {clsCorvaneData::TypeCopyTo, o.ShowFlag_IsCopyTo() && f.selectionCount >= 1},
        {clsCorvaneData::TypeMoveTo, o.ShowFlag_IsMoveTo() && f.selectionCount >= 1},
        {clsCorvaneData::TypeCommandPrompt, o.ShowFlag_IsCommandPrompt() && f.hasCurrentFolder},
        {clsCorvaneData::TypeTaskManager, o.ShowFlag_IsTaskManager()},
    };
    const bool inSubMenu = o.ShowFlag_IsInSubMenu();
    const ListMenu menu = inSubMenu ? ListMenu::Root : ListMenu::Shell;
    bool separated = false;
    for (const auto& c : commands) {
      if (!c.shown) continue;
      std::int32_t position = inSubMenu ? m_rootCount : m_insertPos;
      bool checked = true;
      if (!separated && (inSubMenu ? m_rootCount : m_shellCount) > 0) {
        ListStep& separator = Add(Kind::Separator, menu, position++);
        separator.checked = true;
        checked = false;
        separated = true;
        if (!inSubMenu) separator.insertPosAfter = m_insertPos = position;
      }
      ListStep& step = Add(Kind::Command, menu, position++);
      step.type = c.type;
      step.bitmapKey = kKeyNone;
      step.checked = checked;
      if (!inSubMenu) step.insertPosAfter = m_insertPos = position;
    }
    // The group is closed off from what follows it in the shell's menu;
    // the insert position stays above the closing separator.
    if (!inSubMenu && separated) Add(Kind::Separator, ListMenu::Shell, m_insertPos);
  }

  const clsOptions& m_options;
  const MenuListFacts& m_facts;
  std::int32_t m_rootCount;
  std::int32_t m_shellCount;
  std::int32_t m_insertPos;
  std::vector<ListStep> m_steps;
};

}  // namespace

std::vector<ListStep> PlanMenuLists(const config::clsOptions& options, const MenuListFacts& facts) {
  return Planner(options, facts).Plan();
}

}  // namespace shellext
