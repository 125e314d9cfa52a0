#include "designer/TestView.h"

#include <commctrl.h>

#include <climits>

namespace designer {

TestView::TestView(widgets::Form& form, std::string name, long left, long top, long width, long height)
    : widgets::CommonControl(form, std::move(name), WC_LISTVIEWA,
                             WS_TABSTOP | LVS_LIST | LVS_SHOWSELALWAYS | LVS_SORTASCENDING, WS_EX_CLIENTEDGE, left,
                             top, width, height) {}

TestView::~TestView() = default;

void TestView::Navigate(const std::string& folder) {
  m_folder = folder;
  HWND list = Inner();
  if (!list) return;
  SendMessageA(list, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(list);
  std::string pattern = folder;
  if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/')) pattern += '\\';
  pattern += '*';
  WIN32_FIND_DATAA found;
  base::UniqueFind search(FindFirstFileA(pattern.c_str(), &found));
  if (search) {
    do {
      std::string entry = found.cFileName;
      if (entry == "." || entry == "..") continue;
      LVITEMA item{};
      item.mask = LVIF_TEXT;
      item.iItem = INT_MAX;  // the list keeps them sorted
      item.pszText = entry.data();
      SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    } while (FindNextFileA(search.get(), &found));
  }
  SendMessageA(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

std::vector<std::string> TestView::Entries() const {
  std::vector<std::string> entries;
  HWND list = Inner();
  if (!list) return entries;
  const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[MAX_PATH + 1] = {};
    LVITEMA item{};
    item.iSubItem = 0;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    entries.emplace_back(text);
  }
  return entries;
}

std::vector<std::string> TestView::Selected() const {
  std::vector<std::string> names;
  HWND list = Inner();
  if (!list) return names;
  auto textOf = [list](int index) {
    char text[MAX_PATH + 1] = {};
    LVITEMA item{};
    item.pszText = text;
    item.cchTextMax = static_cast<int>(sizeof text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return std::string(text);
  };
  const int focused = ListView_GetNextItem(list, -1, LVNI_FOCUSED | LVNI_SELECTED);
  if (focused >= 0) names.push_back(textOf(focused));
  for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(list, i, LVNI_SELECTED))
    if (i != focused) names.push_back(textOf(i));
  return names;
}

}  // namespace designer
