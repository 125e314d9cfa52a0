// Validation of the configuration in Designer's tree: one report line per
// node, and a count of the folders and files that do not exist.
#include "common/SpecialFolders.h"
#include "common/clsTrace.h"
#include "common/tools.h"
#include "config/clsCorvaneDataTools.h"
#include "widgets/NodeDepth.h"
#include "widgets/TreeView.h"

namespace config {

namespace {

using C = clsCorvaneData;

std::string WithLocation(const clsCorvaneData& item) { return item.Caption() + "\t  - " + item.Location(); }

}  // namespace

std::string clsCorvaneDataTools::Validate(const widgets::TreeNode* node, std::string& szResults,
                                          std::int32_t& errorCount) const {
  common::TraceScope scope("Validate");
  if (!node) return szResults;
  const std::int32_t firstDepth = widgets::GetNodeDepth(*node);
  widgets::VisitPreOrder(node, [&](const widgets::TreeNode& n, std::int32_t depth) {
    const std::shared_ptr<clsCorvaneData> item = NodeItem(n);
    bool ok = true;
    std::string description;
    switch (item->m_lType) {
      case C::TypeFolder:
        if (item->OptionsIsCSIDL()) {
          description = common::GetSpecialFolderName(nullptr, item->FolderCSIDL(), true);
        } else {
          ok = common::DirectoryExists(item->Location());
          description = WithLocation(*item);
        }
        break;
      case C::TypeFile:
        ok = common::FileExists(item->Location());
        description = WithLocation(*item);
        break;
      case C::TypeDynamicFolder:
      case C::TypeCopyToX:
        ok = common::DirectoryExists(item->Location());
        description = WithLocation(*item);
        break;
      case C::TypeSeparator: description = "-"; break;
      default: description = item->Caption(); break;  // nothing to check
    }
    if (!ok) ++errorCount;
    std::string status = ok ? "OK" : "ERROR";
    status.resize(9, ' ');
    szResults += status + std::string(static_cast<size_t>(3 * (firstDepth + depth)), ' ') + description + "\r";
  });
  return szResults;
}

}  // namespace config
