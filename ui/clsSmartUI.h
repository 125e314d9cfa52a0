// clsSmartUI: what every property grid does with a SmartUI control, in one
// place: a row with all its settings in one call, the finders of a row's
// entries, the True/False and Yes/No combos, ExpandAll and SetWidth. It holds
// no state. Errors of the control reach the caller unchanged.
#pragma once
#include <cstdint>
#include <optional>

#include "smartui/model.h"

namespace ui {

// Bits of Add's Options.
enum : std::uint8_t {
  kSuiOptionSelected = 1,
  kSuiOptionBold = 2,  // the second display flag: headings drawn bold
  kSuiOptionDisabled = 4,
};

class clsSmartUI {
 public:
  // Adds to ParentSI's sub-items (the control's top level without one), then
  // sets the tag, the indent, the initial value (a flag, or on a check or
  // option row a number, sets checked; anything else the value) and the
  // option bits, in that order, as ordinary property sets.
  sui::ItemPtr Add(sui::Control& SUI, std::int32_t lIndex, const std::string& szKey,
                   const std::string& szCaption, int ItemType, const base::Variant& Image = {},
                   const std::optional<base::Variant>& Default = std::nullopt, std::int32_t lIndent = 0,
                   std::uint8_t Options = 0, const std::optional<base::Variant>& vTag = std::nullopt,
                   const sui::ItemPtr& ParentSI = nullptr) const;

  // The first sub-item whose caption equals szValue exactly (case counts).
  sui::ItemPtr FindSubItemViaCaption(const sui::ItemPtr& SI, const std::string& szValue) const;
  // The first sub-item whose tag equals Tag (an absent tag is 0, true is -1).
  sui::ItemPtr FindSubItemViaTag(const sui::ItemPtr& SI, const base::Variant& Tag) const;
  // A found entry becomes the row's choice: the row's value takes its caption,
  // then the row's tag its tag. Nothing changes when none is found.
  sui::ItemPtr SetParentViaCaption(const sui::ItemPtr& ParentSI, const std::string& szCaption) const;
  sui::ItemPtr SetParentViaTag(const sui::ItemPtr& ParentSI, const base::Variant& vValue) const;

  // expanded on the top-level items only.
  void ExpandAll(sui::Control& SUI, bool bExpand) const;

  bool Combo_OptionTrue() const noexcept { return true; }
  bool Combo_OptionFalse() const noexcept { return false; }
  bool Combo_OptionYes() const noexcept { return true; }
  bool Combo_OptionNo() const noexcept { return false; }
  // The row's tag as a flag: Empty false, a number true when not 0, "True" or
  // "False" in any case and numeric texts converted; other texts raise 13.
  base::Variant Combo_IsTrue(const sui::ItemPtr& ParentSI) const;
  base::Variant Combo_IsFalse(const sui::ItemPtr& ParentSI) const;
  base::Variant Combo_IsYes(const sui::ItemPtr& ParentSI) const;
  base::Variant Combo_IsNo(const sui::ItemPtr& ParentSI) const;
  void Combo_SetBoolean(const sui::ItemPtr& ParentSI, bool bValue) const;
  void Combo_SetYesNo(const sui::ItemPtr& ParentSI, bool bYes) const;
  // Replaces the row's entries with the two of the combo and, when bDefault
  // is given, chooses the one whose tag it is.
  void Combo_SetAsBoolean(const sui::ItemPtr& ParentSI,
                          const std::optional<base::Variant>& bDefault = std::nullopt) const;
  void Combo_SetAsYesNo(const sui::ItemPtr& ParentSI,
                        const std::optional<base::Variant>& bDefault = std::nullopt) const;

  // width on every item of Items and, depth first, on their sub-items.
  void SetWidth(sui::ItemList& Items, std::int32_t lWidth) const;
};

// The one instance the program shares.
const clsSmartUI& SmartUI();

}  // namespace ui
