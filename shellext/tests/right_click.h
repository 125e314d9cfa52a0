// Windows test helper: one right-click on a handler made as the class
// factory makes it, initialised with the shell's selection and queried into
// a real menu, and its commands invoked by offset or by verb.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "base/handles.h"
#include "shellext/tests/fennick_testing.h"

namespace fennick_test {

// The identifier offset of the entry with that text, anywhere in the menu.
inline std::optional<UINT> OffsetOf(HMENU menu, const std::string& text, UINT first) {
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    char buffer[256] = {};
    GetMenuStringA(menu, static_cast<UINT>(i), buffer, sizeof buffer, MF_BYPOSITION);
    if (HMENU sub = GetSubMenu(menu, i)) {
      if (auto found = OffsetOf(sub, text, first)) return found;
    } else if (text == buffer) {
      return GetMenuItemID(menu, i) - first;
    }
  }
  return std::nullopt;
}

// One right-click: a handler initialised with the selection and queried.
struct RightClick {
  RightClick(const std::vector<std::string>& paths, UINT firstId = 100) : first(firstId) {
    handler = fennick_test::NewHandler();
    fennick_test::ShellSelection s = fennick_test::SelectionOf(paths);
    EXPECT_EQ(handler.query<IShellExtInit>(IID_IShellExtInit)->Initialize(s.folder.get(), s.dataObject.get(), nullptr),
              S_OK);
    EXPECT_TRUE(SUCCEEDED(handler->QueryContextMenu(menu.get(), 0, first, first + 0x7000, CMF_NORMAL)));
  }
  UINT Offset(const std::string& text) const {
    auto offset = OffsetOf(menu.get(), text, first);
    EXPECT_TRUE(offset) << text;
    return offset.value_or(0xFFFF);
  }
  HRESULT ByOffset(UINT offset, HWND hwnd = nullptr, DWORD keys = 0) {
    CMINVOKECOMMANDINFOEX ici{};
    ici.cbSize = sizeof ici;
    ici.fMask = keys;
    ici.hwnd = hwnd;
    ici.lpVerb = MAKEINTRESOURCEA(offset);
    return handler->InvokeCommand(reinterpret_cast<CMINVOKECOMMANDINFO*>(&ici));
  }
  HRESULT ByVerb(const std::string& verb, HWND hwnd = nullptr) {
    CMINVOKECOMMANDINFO ici{};
    ici.cbSize = sizeof ici;
    ici.hwnd = hwnd;
    ici.lpVerb = verb.c_str();
    return handler->InvokeCommand(&ici);
  }
  UINT first;
  base::ComPtr<IContextMenu3> handler;
  base::UniqueHMenu menu{CreatePopupMenu()};
};

}  // namespace fennick_test
