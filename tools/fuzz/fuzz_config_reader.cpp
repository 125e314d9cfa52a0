// Any bytes as a configuration file: read the way Fennick's menu builder
// reads it, then loaded and merged into Designer's tree. Nothing may crash
// or read out of bounds; a refused file names why; a file that loads writes
// back into one that loads to the same items.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "base/error.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneDataTools.h"
#include "widgets/TreeView.h"

using config::clsCorvaneData;
using config::clsCorvaneDataTools;
using config::MemoryFile;
using widgets::TreeView;

namespace {

const clsCorvaneDataTools kTools;

void Check(bool condition) {
  if (!condition) std::abort();
}

// The record-by-record sequence of Fennick's menu builder. Its errors are
// the reader's designed failures and end the read.
void ReadLikeTheMenuBuilder(const std::string& bytes) {
  MemoryFile file(bytes);
  try {
    const std::int32_t version = kTools.File_ReadVersion(file);
    if (version < clsCorvaneDataTools::MinVersion || version > clsCorvaneDataTools::MaxVersion) return;
    config::clsFileHeader header;
    if (!kTools.File_ReadHeader(file, header)) return;
    for (std::int32_t i = 1; i <= header.m_lNumNodes; ++i) {
      clsCorvaneData item;
      std::int32_t parent = -1;
      if (!kTools.File_ReadItemHeader(file, parent, item, i)) return;
      Check(parent >= 0 && parent < i);
      kTools.ReadData(file, item);
      Check(file.Position() <= bytes.size());
    }
  } catch (const base::Error&) {
  }
}

bool StartsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

// The items of a tree in pre-order, each with its depth. Writing puts the
// groups in pre-order, which a file need not have had.
std::vector<std::string> Items(const TreeView& tree) {
  std::vector<std::string> items;
  widgets::VisitPreOrder(&tree.Item(1), [&](const widgets::TreeNode& node, std::int32_t depth) {
    const clsCorvaneData& d = *config::NodeItem(node);
    items.push_back(std::to_string(depth) + "|" + std::to_string(d.m_lType) + "|" + std::to_string(d.m_lOptions) +
                    "|" + d.Caption() + "|" + d.Location() + "|" + d.m_szAction_Actions + "|" +
                    d.m_szSelection_Command + "|" + d.m_szDFolder_Filter + "|" +
                    std::to_string(d.m_lSelection_Options) + "|" + std::to_string(d.m_lCopyToX_Options));
  });
  return items;
}

void LoadAndMerge(const std::string& bytes) {
  TreeView tree;
  MemoryFile file(bytes);
  std::string error;
  if (kTools.TVW_ReadConfig(tree, file, error, false)) {
    Check(tree.Count() >= 1 && tree.Item(1).Key() == "root");
    // Written back, the tree loads to the same items.
    MemoryFile saved;
    TreeView temp;
    kTools.File_WriteConfig(saved, tree, temp);
    saved.Seek(0);
    TreeView again;
    std::string againError;
    Check(kTools.TVW_ReadConfig(again, saved, againError, false));
    Check(Items(again) == Items(tree));
  } else {
    Check(error == "Invalid file version!" || StartsWith(error, "File is corrupt!"));
  }

  TreeView existing;
  kTools.TVW_Add(existing, std::make_shared<clsCorvaneData>(), nullptr, 0, nullptr);
  MemoryFile merged(bytes);
  if (!kTools.TVW_ReadConfig(existing, merged, error, true)) Check(existing.Count() == 1);
  Check(existing.Item(1).Key() == "root" && existing.Item(1).Parent() == nullptr && !existing.Item(1).Next());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  ReadLikeTheMenuBuilder(bytes);
  LoadAndMerge(bytes);
  return 0;
}
