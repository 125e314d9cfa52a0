#include "tools/bench/configbuilder.h"

#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"

namespace configbuilder {

ItemPtr MakeItem(std::int32_t type, const std::string& caption, const std::string& location) {
  auto item = std::make_shared<config::clsCorvaneData>();
  item->m_lType = type;
  item->SetCaption(caption);
  item->SetLocation(location);
  return item;
}

ConfigBuilder::ConfigBuilder(const std::string& rootCaption) {
  m_root = &m_tree.Add(nullptr, widgets::tvwFirst, "root", rootCaption);
  m_root->SetTag(MakeItem(config::clsCorvaneData::TypeRoot, rootCaption));
}

widgets::TreeNode& ConfigBuilder::Add(const ItemPtr& item, widgets::TreeNode* parent) {
  widgets::TreeNode& node = m_tree.Add(parent ? parent : m_root, widgets::tvwChild, "", item->Caption());
  node.SetTag(item);
  return node;
}

widgets::TreeNode& ConfigBuilder::Add(std::int32_t type, const std::string& caption, const std::string& location,
                                      widgets::TreeNode* parent) {
  return Add(MakeItem(type, caption, location), parent);
}

void ConfigBuilder::Save(const std::string& path) const {
  config::DiskFile file(path, config::DiskFile::Mode::kReadWrite);
  widgets::TreeView scratch;
  config::clsCorvaneDataTools().File_WriteConfig(file, m_tree, scratch);
}

std::string ConfigBuilder::Bytes() const {
  config::MemoryFile file;
  widgets::TreeView scratch;
  config::clsCorvaneDataTools().File_WriteConfig(file, m_tree, scratch);
  return file.Bytes();
}

}  // namespace configbuilder
