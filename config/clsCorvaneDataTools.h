// The configuration tools: the file format's reading and writing operations,
// the item texts people see, history entries, and the transfer between files
// and Designer's tree. The class keeps no state; Designer holds one global
// instance (g_oDataTools), Fennick one per handler.
#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "base/error.h"
#include "base/variant.h"
#include "config/BinaryFile.h"
#include "config/clsCorvaneData.h"

namespace widgets {
class TreeNode;
class TreeView;
}  // namespace widgets

namespace config {

// A record whose tag is not a text record: the file is not one of ours, or it
// is damaged. Readers report it as "File is corrupt!".
constexpr long kErrBadRecordTag = base::kErrProgramBase + 100;

// The header record of a configuration file.
class clsFileHeader {
 public:
  std::int32_t m_lOptions = 0;      // reserved: written 0, read back, tested by nothing
  std::int32_t m_lNumNodes = 0;     // the number of item groups that follow
  std::int32_t m_lNumCommands = 0;  // Folder, DynamicFolder, File and CustomAction items
};

class clsCorvaneDataTools {
 public:
  static constexpr std::int32_t MinVersion = 1;
  static constexpr std::int32_t CurrentVersion = 1;
  static constexpr std::int32_t MaxVersion = 1;

  // ---- Item texts
  // The one-line description of Designer's status line.
  std::string GetDesignerDescription(const clsCorvaneData& item) const;
  // The caption of the item's shell menu entry. bUserItem is set true for the
  // user's own item types (and left alone otherwise); their captions come
  // back already shortened to the ShellMaxMenuText setting, so the menu must
  // not shorten them again.
  std::string GetMenuCaption(const clsCorvaneData& item, bool& bUserItem) const;
  // The status-bar help text of a menu entry; may be empty.
  std::string GetExplorerDescription(const clsCorvaneData& item, const std::string& filePath,
                                     const std::string& folderPath) const;
  // Shortens a caption to `maximum` characters (0 or less: unchanged), keeping
  // a leading "&n " accelerator word aside. Not idempotent: apply it once.
  std::string TrimCaption(const std::string& caption, std::int32_t maximum) const;

  // GetMenuCaption with the shortening length given.
  std::string MenuCaption(const clsCorvaneData& item, bool& bUserItem, std::int32_t maximum) const;

  // ---- History entries
  // The enciphered entry the history and quick-access lists keep for an item.
  // It can hold any byte, NUL included: store it by its length.
  std::string CreateHistoryMRU(const clsCorvaneData& item) const;
  // Fills the item from an enciphered entry: the type always; options,
  // location or command text and caption for Folder, File and CustomAction.
  void BreakdownHistoryMRU(const std::string& entry, clsCorvaneData& item) const;

  // ---- Writing a configuration file (Designer)
  // Writes the version, the header and every item of the tree from the node
  // keyed "root", at the file's position; returns the command count. A text
  // that does not fit a record fails before anything is written.
  std::int32_t File_WriteConfig(BinaryFile& file, const widgets::TreeView& srcTree,
                                widgets::TreeView& tempTree) const;
  void File_WriteConfigRecursive(BinaryFile& file, const widgets::TreeNode* node) const;
  void File_WriteConfigItem(BinaryFile& file, const widgets::TreeNode& node) const;
  void File_WriteVersion(BinaryFile& file, const base::Variant& version) const;
  void File_WriteHeader(BinaryFile& file, const clsFileHeader& header) const;
  void File_WriteItemHeader(BinaryFile& file, std::int32_t parentIndex, const clsCorvaneData& item) const;
  // One string record. A text longer than 65535 bytes raises error 6.
  void File_WriteString(BinaryFile& file, const std::string& text) const;
  // The item's type strings, in the file's order.
  void WriteData(BinaryFile& file, const clsCorvaneData& item) const;

  // ---- Reading a configuration file (Designer and Fennick)
  // Every read takes the next record at the file's position. A record that
  // runs past the end raises 62, a number field that is no number 13, one
  // out of range 6, a record that is not a text record kErrBadRecordTag.
  std::int32_t File_ReadVersion(BinaryFile& file) const;
  // False (header untouched) unless the record holds at least two numbers and
  // announces at least one item.
  bool File_ReadHeader(BinaryFile& file, clsFileHeader& header) const;
  // Reads the item header of group `groupNumber` (1 for the file's first).
  // False (nothing set) unless it holds exactly three numbers and its parent
  // index is 0 or an earlier group.
  bool File_ReadItemHeader(BinaryFile& file, std::int32_t& parentIndex, clsCorvaneData& item,
                           std::int32_t groupNumber) const;
  std::string File_ReadString(BinaryFile& file) const;
  // Reads the type strings of the item's type (set by its item header).
  void ReadData(BinaryFile& file, clsCorvaneData& item) const;

  // ---- Designer's tree
  // Loads (bAppend false) or merges (true) a whole file into the tree. False
  // with errorText "Invalid file version!" or a text that begins "File is
  // corrupt!". A merge that fails leaves the tree as it was.
  bool TVW_ReadConfig(widgets::TreeView& TVW, BinaryFile& file, std::string& errorText, bool bAppend) const;
  // Copies the tree from its "root" node into DestTVW in pre-order, sharing items.
  void TVW_Copy(const widgets::TreeView& SrcTVW, widgets::TreeView& DestTVW) const;
  widgets::TreeNode* TVW_CopyRecursive(widgets::TreeView& DestTVW, const widgets::TreeNode* SrcNode,
                                       widgets::TreeNode* ParentNode) const;
  // Adds the node for an item (or refreshes `existing`) with its text and picture.
  widgets::TreeNode& TVW_Add(widgets::TreeView& TVW, const std::shared_ptr<clsCorvaneData>& item,
                             widgets::TreeNode* RelativeNode, std::int32_t lRelationship,
                             widgets::TreeNode* existing) const;
  // Adds the shell's small icon of a file or folder to the tree's image list;
  // returns its key, or "error" when there is no icon.
  std::string TVW_AddIcon(widgets::TreeView& TVW, const std::string& location) const;
  // start + the Folder, DynamicFolder, File and CustomAction items among the
  // node, its following siblings and all their descendants.
  std::int32_t GetCommandCount(const widgets::TreeNode* SrcNode, std::int32_t start) const;

  // ---- Validation (Designer)
  // One report line per node from `node` on, in tree order; every folder or
  // file that does not exist adds 1 to errorCount.
  std::string Validate(const widgets::TreeNode* node, std::string& szResults, std::int32_t& errorCount) const;
};

// Designer's global instance.
clsCorvaneDataTools& g_oDataTools();

// The item a tree node shows (its tag); error 91 when the node has none.
std::shared_ptr<clsCorvaneData> NodeItem(const widgets::TreeNode& node);

}  // namespace config
