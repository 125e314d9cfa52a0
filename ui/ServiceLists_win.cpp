#include "ui/ServiceLists.h"

#include <string>
#include <vector>

#include "common/clsProcess.h"

namespace ui {

void AddExeListToSmartUI(common::clsProcess& process, sui::Item& item) {
  item.subItems().clear();
  std::vector<std::string> paths;
  std::int32_t n = process.GetExeList(paths);
  for (std::int32_t i = 0; i < n; ++i) item.subItems().add(0, "", paths[static_cast<size_t>(i)], sui::kKindEntry);
  item.subItems().sort();
}

}  // namespace ui
