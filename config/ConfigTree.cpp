// Between configuration files and Designer's tree: loading and merging a
// file, writing the tree back, copying it for the writer, adding nodes.
#include <vector>

#include "base/context.h"
#include "base/error.h"
#include "base/prompt.h"
#include "base/scope.h"
#include "common/SpecialFolders.h"
#include "common/appinfo.h"
#include "common/clsTrace.h"
#include "config/clsCorvaneDataTools.h"
#include "widgets/TreeView.h"

namespace config {

using widgets::TreeNode;
using widgets::TreeView;

namespace {

constexpr long kErrNoObject = 91;
const char kRootKey[] = "root";
const char kCrLf[] = "\r\n";

// A node for TVW_Add: with no relative the root, else one without key in
// the relationship to it; the tree's first node opens for its children.
TreeNode& AddNode(TreeView& TVW, TreeNode* RelativeNode, std::int32_t lRelationship, std::string text,
                  std::string image = {}) {
  if (!RelativeNode) return TVW.Add(nullptr, widgets::tvwFirst, kRootKey, std::move(text), std::move(image));
  TreeNode& node = TVW.Add(RelativeNode, lRelationship, "", std::move(text), std::move(image));
  if (RelativeNode->Index() == 1) RelativeNode->SetExpanded(true);
  return node;
}

}  // namespace

clsCorvaneDataTools& g_oDataTools() { return base::ThreadContext::Current().Get<clsCorvaneDataTools>(); }

std::shared_ptr<clsCorvaneData> NodeItem(const TreeNode& node) {
  auto item = std::dynamic_pointer_cast<clsCorvaneData>(node.Tag());
  if (!item) base::RaiseError(kErrNoObject, "NodeItem", "Object variable or With block variable not set");
  return item;
}

// ---- Writing

std::int32_t clsCorvaneDataTools::File_WriteConfig(BinaryFile& file, const TreeView& srcTree,
                                                   TreeView& tempTree) const {
  common::TraceScope scope("File_WriteConfig");
  auto emptied = base::MakeScopeExit([&tempTree] { tempTree.Clear(); });
  // The copy numbers the nodes in the order their groups are written, so a
  // node's index in it is its group's position in the file.
  TVW_Copy(srcTree, tempTree);
  const TreeNode& root = tempTree.Item(kRootKey);

  // The whole file is made in memory first: a text that cannot be stored
  // fails before a byte of the old file is overwritten.
  MemoryFile image;
  File_WriteVersion(image, CurrentVersion);
  clsFileHeader header;
  header.m_lOptions = 0;
  header.m_lNumNodes = tempTree.Count();
  header.m_lNumCommands = GetCommandCount(&root, 0);
  File_WriteHeader(image, header);
  File_WriteConfigRecursive(image, &root);
  file.Write(image.Bytes());
  return header.m_lNumCommands;
}

void clsCorvaneDataTools::File_WriteConfigRecursive(BinaryFile& file, const TreeNode* node) const {
  widgets::VisitPreOrder(node, [&](const TreeNode& n, std::int32_t) { File_WriteConfigItem(file, n); });
}

void clsCorvaneDataTools::File_WriteConfigItem(BinaryFile& file, const TreeNode& node) const {
  const std::shared_ptr<clsCorvaneData> item = NodeItem(node);
  const TreeNode* parent = node.Parent();
  if (parent && parent->Children() == 0) base::Prompt("Corruption!", base::kPromptOk, common::g_szAppTitle());
  // The last of its siblings carries the leaf bit from now on, in Designer's
  // tree too, since both trees share the item.
  if (!node.Next()) item->m_lOptions |= clsCorvaneData::OptionsLeaf;
  File_WriteItemHeader(file, parent ? parent->Index() : 0, *item);
  WriteData(file, *item);
}

// ---- Copying and counting

void clsCorvaneDataTools::TVW_Copy(const TreeView& SrcTVW, TreeView& DestTVW) const {
  DestTVW.Clear();
  TVW_CopyRecursive(DestTVW, &SrcTVW.Item(kRootKey), nullptr);
}

TreeNode* clsCorvaneDataTools::TVW_CopyRecursive(TreeView& DestTVW, const TreeNode* SrcNode,
                                                 TreeNode* ParentNode) const {
  TreeNode* lastOfFirstLevel = nullptr;
  std::vector<TreeNode*> copies;  // the copy of the node last visited at each depth
  widgets::VisitPreOrder(SrcNode, [&](const TreeNode& src, std::int32_t depth) {
    TreeNode* parent = depth == 0 ? ParentNode : copies[static_cast<size_t>(depth - 1)];
    TreeNode& copy = parent ? DestTVW.Add(parent, widgets::tvwChild, src.Key(), src.Text())
                            : DestTVW.Add(nullptr, widgets::tvwNext, src.Key(), src.Text());
    copy.SetTag(src.Tag());
    copies.resize(static_cast<size_t>(depth));
    copies.push_back(&copy);
    if (depth == 0) lastOfFirstLevel = &copy;
  });
  return lastOfFirstLevel;
}

std::int32_t clsCorvaneDataTools::GetCommandCount(const TreeNode* SrcNode, std::int32_t start) const {
  std::int32_t count = start;
  widgets::VisitPreOrder(SrcNode, [&](const TreeNode& node, std::int32_t) {
    switch (NodeItem(node)->m_lType) {
      case clsCorvaneData::TypeFolder:
      case clsCorvaneData::TypeDynamicFolder:
      case clsCorvaneData::TypeFile:
      case clsCorvaneData::TypeCustomAction: ++count; break;
      default: break;
    }
  });
  return count;
}

// ---- Adding nodes

TreeNode& clsCorvaneDataTools::TVW_Add(TreeView& TVW, const std::shared_ptr<clsCorvaneData>& item,
                                       TreeNode* RelativeNode, std::int32_t lRelationship,
                                       TreeNode* existing) const {
  // A fixed picture of the type, or (null) the shell's icon of the location.
  const char* picture = nullptr;
  switch (item->m_lType) {
    case clsCorvaneData::TypeRoot: picture = "menu"; break;
    case clsCorvaneData::TypePopupMenu: picture = "popupmenu"; break;
    case clsCorvaneData::TypeSeparator: picture = "separator"; break;
    case clsCorvaneData::TypeCustomAction: picture = "customaction"; break;
    case clsCorvaneData::TypeSelectionTask: picture = "selectiontask"; break;
    case clsCorvaneData::TypeFolder:
      if (item->OptionsIsCSIDL()) picture = "folder_open";
      break;
    case clsCorvaneData::TypeFile:
    case clsCorvaneData::TypeDynamicFolder:
    case clsCorvaneData::TypeCopyToX: break;
    default: {  // text and picture stay as they are
      TreeNode& node = existing ? *existing : AddNode(TVW, RelativeNode, lRelationship, "");
      node.SetTag(item);
      return node;
    }
  }
  std::string text;
  if (item->IsTypeSeparator())
    text = "Separator";
  else if (item->IsTypeFolder() && item->OptionsIsCSIDL())
    text = common::GetSpecialFolderName(TVW.hWnd(), item->FolderCSIDL(), true);
  else
    text = item->Caption();
  std::string image = picture ? picture : TVW_AddIcon(TVW, item->Location());
  if (existing) {
    existing->SetTag(item);
    existing->SetText(std::move(text));
    existing->SetImage(std::move(image));
    return *existing;
  }
  // A new node comes whole: a tree on screen shows it at once.
  TreeNode& node = AddNode(TVW, RelativeNode, lRelationship, std::move(text), std::move(image));
  node.SetTag(item);
  return node;
}

// ---- Loading and merging

bool clsCorvaneDataTools::TVW_ReadConfig(TreeView& TVW, BinaryFile& file, std::string& errorText,
                                         bool bAppend) const {
  common::TraceScope scope("TVW_ReadConfig");
  common::g_oTiming().TimerStart(1);
  bool result = false;
  const std::int32_t nodesBefore = TVW.Count();
  const bool rootExpandedBefore = nodesBefore > 0 && TVW.Item(1).Expanded();
  const bool visible = TVW.Visible();
  TreeNode* merged = nullptr;  // the popup a merge adds for the file's root
  try {
    if (visible) TVW.SetRedraw(false);
    if (!bAppend) TVW.Clear();
    const std::int32_t version = File_ReadVersion(file);
    clsFileHeader header;
    if (version < MinVersion || version > MaxVersion) {
      errorText = "Invalid file version!";
    } else if (!File_ReadHeader(file, header) || header.m_lNumNodes < 1) {
      // Designer's tree always has its root: a file without items is not
      // one it can load.
      errorText = "File is corrupt!";
    } else {
      // A merge adds the file's root as a popup under the tree's root; the
      // file's group k then lies at position k + offset.
      std::int32_t offset = 0;
      result = true;
      for (std::int32_t i = 1; i <= header.m_lNumNodes; ++i) {
        auto item = std::make_shared<clsCorvaneData>();
        std::int32_t parentIndex = 0;
        if (!File_ReadItemHeader(file, parentIndex, *item, i)) {
          errorText = "File is corrupt!";
          result = false;
          break;
        }
        TreeNode* parent = nullptr;
        if (parentIndex != 0) parent = &TVW.Item(parentIndex + offset);
        else if (merged) parent = merged;  // the merged file's further top-level items
        ReadData(file, *item);
        if (bAppend && i == 1) {
          parent = &TVW.Item(1);
          // The caption the file gave its root, read before the type changes
          // which field Caption reaches.
          const std::string caption = item->Caption();
          item->m_lType = clsCorvaneData::TypePopupMenu;
          item->SetCaption("MERGED - " + (caption.empty() ? std::string("Corvane") : caption));
        }
        TreeNode& node = TVW_Add(TVW, item, parent, widgets::tvwChild, nullptr);
        if (bAppend && i == 1) {
          offset = node.Index() - 1;
          merged = &node;
        }
      }
    }
  } catch (...) {
    const base::Error e = base::CurrentError("TVW_ReadConfig");
    // A file shorter than its header announced: what was read stands.
    if (e.Number() == base::kErrPastEnd && TVW.Count() >= 1) {
      result = true;
    } else {
      result = false;
      errorText = std::string("File is corrupt!") + kCrLf + kCrLf + kCrLf + base::FormatErrorLine(e);
    }
  }
  if (!result && bAppend) {
    // A failed merge takes back everything it added.
    if (merged) TVW.Remove(*merged);
    while (TVW.Count() > nodesBefore) TVW.Remove(TVW.Item(TVW.Count()));
    if (nodesBefore > 0) TVW.Item(1).SetExpanded(rootExpandedBefore);
  }
  if (visible) {
    TVW.SetRedraw(true);
    TVW.Refresh();
  }
  common::g_oTiming().TimerStop("ReadConfig", 1);
  return result;
}

}  // namespace config
