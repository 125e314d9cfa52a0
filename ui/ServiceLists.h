// Lists of the services below filled into SmartUI grid rows: the running
// programs, the special folders, the match modes of a window action.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "smartui/model.h"

namespace common {
class clsProcess;
}

namespace ui {

#ifdef _WIN32
// The running executables as the entries of a grid row's drop-down list, in
// the list's own order.
void AddExeListToSmartUI(common::clsProcess& process, sui::Item& item);
#endif

// Fills a SmartUI list row with the special folders: one entry of `kind` per
// folder, keyed by its CSIDL in decimal, captioned with its qualified name,
// then sorted. The entry of `csidlToSelect` becomes the row's value (its
// caption) and tag (the CSIDL) and is returned; none when it is not listed.
std::shared_ptr<sui::Item> FillSpecialFolderList(void* hwndOwner, sui::Item& row, std::int32_t csidlToSelect,
                                                 std::int32_t kind);
// The same from a list of (CSIDL, qualified name) the caller already has.
std::shared_ptr<sui::Item> FillSpecialFolderList(const std::vector<std::pair<std::int32_t, std::string>>& folders,
                                                 sui::Item& row, std::int32_t csidlToSelect, std::int32_t kind);

// The match modes of a window action as the entries of a grid row's list
// (Designer), each tagged with its mode.
void AddMatchOptions(sui::Item& item);

}  // namespace ui
