#include "shellext/MenuSeparators.h"

#include <algorithm>

namespace shellext {

namespace {

bool IsSeparator(HMENU menu, int position) {
  MENUITEMINFOA mii{};
  mii.cbSize = sizeof mii;
  mii.fMask = MIIM_FTYPE | MIIM_SUBMENU;
  return GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &mii) && (mii.fType & MFT_SEPARATOR) &&
         !mii.hSubMenu;
}

}  // namespace

int RemoveDoubleSeparators(HMENU menu, int first, int end) {
  int count = menu ? GetMenuItemCount(menu) : 0;
  end = std::min(end, count);
  int removed = 0;
  for (int i = std::max(first, 0); i < end;) {
    const bool doubled = IsSeparator(menu, i) && ((i > 0 && IsSeparator(menu, i - 1)) ||
                                                  (i == end - 1 && i + 1 < count && IsSeparator(menu, i + 1)));
    if (doubled && DeleteMenu(menu, static_cast<UINT>(i), MF_BYPOSITION)) {
      --end;
      --count;
      ++removed;
    } else {
      ++i;
    }
  }
  return removed;
}

}  // namespace shellext
