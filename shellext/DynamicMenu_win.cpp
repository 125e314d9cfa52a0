// Dynamic folders: a submenu filled with the folder's contents when it opens.
#include "shellext/FennickHandler.h"

namespace shellext {

void FennickHandler::CreateDynamicMenu(const ItemPtr& /*dynamicMenu*/) {}

}  // namespace shellext
