#include "ui/ServiceLists.h"

#include <string>
#include <utility>

#include "actions/clsCustomActions.h"
#include "common/SpecialFolders.h"

namespace ui {

std::shared_ptr<sui::Item> FillSpecialFolderList(void* hwndOwner, sui::Item& row, std::int32_t csidlToSelect,
                                                 std::int32_t kind) {
  return FillSpecialFolderList(common::ListSpecialFolders(hwndOwner), row, csidlToSelect, kind);
}

std::shared_ptr<sui::Item> FillSpecialFolderList(const std::vector<std::pair<std::int32_t, std::string>>& folders,
                                                 sui::Item& row, std::int32_t csidlToSelect, std::int32_t kind) {
  row.subItems().clear();
  std::shared_ptr<sui::Item> selected;
  for (const auto& [csidl, name] : folders) {
    std::shared_ptr<sui::Item> entry = row.subItems().add(0, std::to_string(csidl), name, static_cast<int>(kind));
    if (csidl == csidlToSelect) {
      row.setValue(base::Variant(entry->caption()));
      row.setTag(base::Variant(csidl));
      selected = entry;
    }
  }
  row.subItems().sort();
  return selected;
}

void AddMatchOptions(sui::Item& item) {
  using actions::clsCustomActions;
  item.subItems().clear();
  const std::pair<const char*, std::int32_t> modes[] = {{"(None)", clsCustomActions::OptionMatchIgnore},
                                                        {"Partial", clsCustomActions::OptionMatchPartial},
                                                        {"Exact", clsCustomActions::OptionMatchExact},
                                                        {"Anywhere", clsCustomActions::OptionMatchAnywhere}};
  for (const auto& m : modes) item.subItems().add(0, "", m.first, sui::kKindEntry)->setTag(m.second);
}

}  // namespace ui
