// The native build has no shell icons and no image lists: every location
// gets the "error" picture.
#include "config/clsCorvaneDataTools.h"

namespace config {

std::string clsCorvaneDataTools::TVW_AddIcon(widgets::TreeView&, const std::string&) const { return "error"; }

}  // namespace config
