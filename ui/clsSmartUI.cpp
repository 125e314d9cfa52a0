#include "ui/clsSmartUI.h"

namespace ui {

namespace {

bool IsNumber(const base::Variant& v) { return v.IsNumeric(); }

void FillTwoEntries(const clsSmartUI& self, const sui::ItemPtr& row, const char* yes, const char* no,
                    const std::optional<base::Variant>& chosen) {
  sui::ItemList& entries = row->subItems();
  entries.clear();
  entries.add(0, "", yes, sui::kKindEntry)->setTag(true);
  entries.add(0, "", no, sui::kKindEntry)->setTag(false);
  if (chosen) self.SetParentViaTag(row, chosen->ToBool());
}

}  // namespace

const clsSmartUI& SmartUI() {
  static const clsSmartUI instance;  // stateless: shared by every thread
  return instance;
}

sui::ItemPtr clsSmartUI::Add(sui::Control& SUI, std::int32_t lIndex, const std::string& szKey,
                             const std::string& szCaption, int ItemType, const base::Variant& Image,
                             const std::optional<base::Variant>& Default, std::int32_t lIndent,
                             std::uint8_t Options, const std::optional<base::Variant>& vTag,
                             const sui::ItemPtr& ParentSI) const {
  sui::ItemList& list = ParentSI ? ParentSI->subItems() : SUI.items();
  sui::ItemPtr item = list.add(lIndex, szKey, szCaption, ItemType, Image.ToString());
  if (vTag) item->setTag(*vTag);
  item->setIndent(lIndent);
  if (Default) {
    // Check rows of the properties dialog get "options And bit" numbers, and
    // must show checked when the number is not 0.
    bool checkRow = ItemType == sui::kKindCheckBox || ItemType == sui::kKindOptionButton;
    if (Default->Kind() == base::VariantKind::Boolean || (checkRow && IsNumber(*Default)))
      item->setChecked(Default->ToBool());
    else
      item->setValue(*Default);
  }
  if (Options & kSuiOptionSelected) item->setSelected(true);
  if (Options & kSuiOptionBold) item->setBold(true);
  if (Options & kSuiOptionDisabled) item->setEnabled(false);
  return item;
}

sui::ItemPtr clsSmartUI::FindSubItemViaCaption(const sui::ItemPtr& SI, const std::string& szValue) const {
  for (const auto& entry : SI->subItems())
    if (entry->caption() == szValue) return entry;
  return nullptr;
}

sui::ItemPtr clsSmartUI::FindSubItemViaTag(const sui::ItemPtr& SI, const base::Variant& Tag) const {
  for (const auto& entry : SI->subItems())
    if (entry->tag() == Tag) return entry;
  return nullptr;
}

// The value goes first: its itemChange handler (the options page) copies the
// tag itself, and the tag set after it makes the row right either way.
static sui::ItemPtr ChooseEntry(const sui::ItemPtr& row, sui::ItemPtr entry) {
  if (entry) {
    row->setValue(entry->caption());
    row->setTag(entry->tag());
  }
  return entry;
}

sui::ItemPtr clsSmartUI::SetParentViaCaption(const sui::ItemPtr& ParentSI, const std::string& szCaption) const {
  return ChooseEntry(ParentSI, FindSubItemViaCaption(ParentSI, szCaption));
}

sui::ItemPtr clsSmartUI::SetParentViaTag(const sui::ItemPtr& ParentSI, const base::Variant& vValue) const {
  return ChooseEntry(ParentSI, FindSubItemViaTag(ParentSI, vValue));
}

void clsSmartUI::ExpandAll(sui::Control& SUI, bool bExpand) const {
  for (const auto& item : SUI.items()) item->setExpanded(bExpand);
}

base::Variant clsSmartUI::Combo_IsTrue(const sui::ItemPtr& ParentSI) const { return ParentSI->tag().ToBool(); }
base::Variant clsSmartUI::Combo_IsFalse(const sui::ItemPtr& ParentSI) const { return !ParentSI->tag().ToBool(); }
base::Variant clsSmartUI::Combo_IsYes(const sui::ItemPtr& ParentSI) const { return ParentSI->tag().ToBool(); }
base::Variant clsSmartUI::Combo_IsNo(const sui::ItemPtr& ParentSI) const { return !ParentSI->tag().ToBool(); }

void clsSmartUI::Combo_SetBoolean(const sui::ItemPtr& ParentSI, bool bValue) const {
  SetParentViaTag(ParentSI, bValue);
}

void clsSmartUI::Combo_SetYesNo(const sui::ItemPtr& ParentSI, bool bYes) const { SetParentViaTag(ParentSI, bYes); }

void clsSmartUI::Combo_SetAsBoolean(const sui::ItemPtr& ParentSI, const std::optional<base::Variant>& bDefault) const {
  FillTwoEntries(*this, ParentSI, "True", "False", bDefault);
}

void clsSmartUI::Combo_SetAsYesNo(const sui::ItemPtr& ParentSI, const std::optional<base::Variant>& bDefault) const {
  FillTwoEntries(*this, ParentSI, "Yes", "No", bDefault);
}

void clsSmartUI::SetWidth(sui::ItemList& Items, std::int32_t lWidth) const {
  for (const auto& item : Items) {
    item->setWidth(static_cast<float>(lWidth));
    if (item->subItems().count() > 0) SetWidth(item->subItems(), lWidth);
  }
}

}  // namespace ui
