// shellhost's output: one line at a time, flushed, so that what a handler did
// before it took the process down is still on the page.
#pragma once
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace shellhost {

struct MenuEntry;

// Two blanks per depth, the text, a line end; flushed at once.
void PrintLine(int depth, std::string_view text);

// "0x80070057 E_INVALIDARG"; the name only for the codes a handler commonly gives.
std::string HResultText(HRESULT hr);
// "{6A2C7F51-0D3E-4B8A-9C11-2F5E7D3A9B01}"
std::string GuidText(const GUID& id);
// In double quotes, with \" \\ and \xNN for control characters.
std::string Quote(std::string_view text);

// The menu tree, one line per item, children one depth further in.
void PrintMenu(const std::vector<MenuEntry>& entries, int depth);

}  // namespace shellhost
