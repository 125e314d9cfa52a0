// Configuration files for the tools and tests, written by the project's own
// writer (clsCorvaneDataTools::File_WriteConfig) from a tree of items.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "config/clsCorvaneData.h"
#include "widgets/TreeView.h"

namespace configbuilder {

using ItemPtr = std::shared_ptr<config::clsCorvaneData>;

// An item of a type with its caption and location set.
ItemPtr MakeItem(std::int32_t type, const std::string& caption, const std::string& location = {});

class ConfigBuilder {
 public:
  // The tree starts with its root item.
  explicit ConfigBuilder(const std::string& rootCaption);
  widgets::TreeNode& Root() { return *m_root; }
  // Adds the item as the last child of parent (the root when null).
  widgets::TreeNode& Add(const ItemPtr& item, widgets::TreeNode* parent = nullptr);
  widgets::TreeNode& Add(std::int32_t type, const std::string& caption, const std::string& location = {},
                         widgets::TreeNode* parent = nullptr);
  // Writes the file from its first byte (a longer old file keeps its tail,
  // as the writer does; callers write fresh files).
  void Save(const std::string& path) const;
  // The file's bytes.
  std::string Bytes() const;

 private:
  widgets::TreeView m_tree;
  widgets::TreeNode* m_root;
};

}  // namespace configbuilder
