// The recent lists and the built-in commands: the second half of CreateMenu.
#include "shellext/FennickHandler.h"

namespace shellext {

void FennickHandler::CreateMenuLists() {}

}  // namespace shellext
