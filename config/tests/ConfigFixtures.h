// Shared helpers of the configuration tests: bytes as hex, files made of
// plain record texts, and trees of items.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "config/clsCorvaneData.h"
#include "widgets/TreeView.h"

namespace config_test {

std::string ToHex(const std::string& bytes);
std::string FromHex(const std::string& hex);

// A configuration file made of these record texts, each enciphered.
std::string FileOf(std::initializer_list<std::string> texts);
// The plain texts of every record of a file, in order (a whole file only).
std::vector<std::string> RecordTexts(const std::string& file);

std::shared_ptr<config::clsCorvaneData> Item(std::int32_t type, const std::string& caption,
                                             const std::string& location = "");

// Adds a node for the item under `parent` (a new root without one).
widgets::TreeNode& AddNode(widgets::TreeView& tree, widgets::TreeNode* parent,
                           const std::shared_ptr<config::clsCorvaneData>& item);

// Every stored field of an item as one line, to compare items whole.
std::string StoredFields(const config::clsCorvaneData& item);

}  // namespace config_test
