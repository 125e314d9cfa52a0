// The node model of a tree: keyed, tagged nodes in a hierarchy, numbered in
// the order they were added. It holds no window; a tree view mirrors it.
#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "base/variant.h"

namespace widgets {

class TreeNode;
using NodePtr = std::shared_ptr<TreeNode>;

// Where Add places a node, relative to another (the tree view's numbers).
enum class Relationship { First = 0, Last = 1, Next = 2, Previous = 3, Child = 4 };

class TreeNode {
 public:
  const std::string& Key() const { return m_key; }
  std::int32_t Index() const { return m_index; }  // 1, 2, 3, ... in the order added

  std::string Text;
  std::string Image;  // key into the tree's image list, "" for none
  base::Variant Tag;  // the program's own data

  NodePtr Parent() const { return m_parent.lock(); }  // null at the top level
  std::int32_t Children() const { return static_cast<std::int32_t>(m_children.size()); }
  NodePtr Child() const { return m_children.empty() ? nullptr : m_children.front(); }
  NodePtr Next() const;  // the next sibling, null for the last

 private:
  friend class TreeNodes;
  std::string m_key;
  std::int32_t m_index = 0;
  std::weak_ptr<TreeNode> m_parent;
  std::vector<NodePtr> m_children;
  const class TreeNodes* m_owner = nullptr;  // the tree that holds the node, null once cleared
};

class TreeNodes {
 public:
  TreeNodes() = default;
  TreeNodes(const TreeNodes&) = delete;  // nodes point back at their tree
  TreeNodes& operator=(const TreeNodes&) = delete;
  ~TreeNodes() { Clear(); }

  // Adds a node relative to another (Child: as its last child; First/Last:
  // first/last among its siblings; Next/Previous: right after/before it), or
  // at the end of the top level when relative is null. A non-empty key must
  // be new to the tree (error 35602); a relative of another tree is error 5.
  NodePtr Add(const NodePtr& relative, Relationship relationship, std::string key,
              std::string text, std::string image = {});
  void Clear();

  std::int32_t Count() const { return static_cast<std::int32_t>(m_all.size()); }
  NodePtr Item(std::int32_t index) const;     // by Index; error 35600 outside 1..Count
  NodePtr Find(const std::string& key) const;  // null when none; "" finds none
  const std::vector<NodePtr>& Roots() const { return m_roots; }

 private:
  std::vector<NodePtr>& SiblingsOf(const TreeNode& node);

  std::vector<NodePtr> m_roots;
  std::vector<NodePtr> m_all;  // in the order added
};

}  // namespace widgets
