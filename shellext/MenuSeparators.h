// Separators that would stand next to each other once every part of the
// menu is in place.
#pragma once
#include <windows.h>

namespace shellext {

// Deletes, among the entries at positions first to end - 1 (ours), every
// separator that follows another separator, and the last of them when it is
// a separator followed by one. Entries outside the range are never deleted.
// Returns how many went.
int RemoveDoubleSeparators(HMENU menu, int first, int end);

}  // namespace shellext
