#include "widgets/treenodes.h"

#include <algorithm>

#include "base/error.h"

namespace widgets {

namespace {

const char kSource[] = "TreeNodes";
constexpr long kErrIndexOutOfBounds = 35600;
constexpr long kErrKeyNotUnique = 35602;

}  // namespace

NodePtr TreeNode::Next() const {
  if (!m_owner) return nullptr;
  auto parent = Parent();
  const auto& siblings = parent ? parent->m_children : m_owner->Roots();
  auto it = std::find_if(siblings.begin(), siblings.end(),
                         [this](const NodePtr& n) { return n.get() == this; });
  if (it == siblings.end() || ++it == siblings.end()) return nullptr;
  return *it;
}

std::vector<NodePtr>& TreeNodes::SiblingsOf(const TreeNode& node) {
  auto parent = node.Parent();
  return parent ? parent->m_children : m_roots;
}

NodePtr TreeNodes::Add(const NodePtr& relative, Relationship relationship, std::string key,
                       std::string text, std::string image) {
  if (relative && relative->m_owner != this) base::RaiseError(base::kErrInvalidCall, kSource);
  if (!key.empty() && Find(key)) base::RaiseError(kErrKeyNotUnique, kSource, "Key is not unique in collection");

  auto node = std::make_shared<TreeNode>();
  node->m_key = std::move(key);
  node->Text = std::move(text);
  node->Image = std::move(image);
  node->m_owner = this;

  std::vector<NodePtr>* list = &m_roots;
  size_t at = m_roots.size();
  if (relative) {
    if (relationship == Relationship::Child) {
      node->m_parent = relative;
      list = &relative->m_children;
      at = list->size();
    } else {
      node->m_parent = relative->m_parent;
      list = &SiblingsOf(*relative);
      size_t pos = static_cast<size_t>(
          std::find(list->begin(), list->end(), relative) - list->begin());
      switch (relationship) {
        case Relationship::First: at = 0; break;
        case Relationship::Last: at = list->size(); break;
        case Relationship::Next: at = pos + 1; break;
        case Relationship::Previous: at = pos; break;
        case Relationship::Child: break;
      }
    }
  }
  list->insert(list->begin() + static_cast<std::ptrdiff_t>(at), node);
  m_all.push_back(node);
  node->m_index = Count();
  return node;
}

void TreeNodes::Clear() {
  for (auto& n : m_all) n->m_owner = nullptr;
  m_all.clear();
  m_roots.clear();
}

NodePtr TreeNodes::Item(std::int32_t index) const {
  if (index < 1 || index > Count()) base::RaiseError(kErrIndexOutOfBounds, kSource, "Index out of bounds");
  return m_all[static_cast<size_t>(index - 1)];
}

NodePtr TreeNodes::Find(const std::string& key) const {
  if (key.empty()) return nullptr;
  for (const auto& n : m_all)
    if (n->m_key == key) return n;
  return nullptr;
}

}  // namespace widgets
