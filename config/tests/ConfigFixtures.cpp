#include "config/tests/ConfigFixtures.h"

#include <cstdio>

#include "common/cipher.h"

namespace config_test {

using config::clsCorvaneData;

std::string ToHex(const std::string& bytes) {
  std::string out;
  char buf[3];
  for (unsigned char c : bytes) {
    std::snprintf(buf, sizeof buf, "%02x", c);
    out += buf;
  }
  return out;
}

std::string FromHex(const std::string& hex) {
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2) out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

std::string FileOf(std::initializer_list<std::string> texts) {
  std::string file;
  for (const std::string& text : texts) {
    file += static_cast<char>(8);
    file += '\0';
    file += static_cast<char>(text.size() & 0xFF);
    file += static_cast<char>(text.size() >> 8);
    file += common::CipherBytes(common::kDefaultPassword, text);
  }
  return file;
}

std::vector<std::string> RecordTexts(const std::string& file) {
  std::vector<std::string> texts;
  for (size_t at = 0; at + 4 <= file.size();) {
    const size_t n = static_cast<unsigned char>(file[at + 2]) | static_cast<unsigned char>(file[at + 3]) << 8;
    texts.push_back(common::CipherBytes(common::kDefaultPassword, file.substr(at + 4, n)));
    at += 4 + n;
  }
  return texts;
}

std::shared_ptr<clsCorvaneData> Item(std::int32_t type, const std::string& caption, const std::string& location) {
  auto item = std::make_shared<clsCorvaneData>();
  item->m_lType = type;
  item->SetCaption(caption);
  item->SetLocation(location);
  return item;
}

widgets::TreeNode& AddNode(widgets::TreeView& tree, widgets::TreeNode* parent,
                           const std::shared_ptr<clsCorvaneData>& item) {
  widgets::TreeNode& node = parent ? tree.Add(parent, widgets::tvwChild, "", item->Caption())
                                   : tree.Add(nullptr, widgets::tvwFirst, "root", item->Caption());
  node.SetTag(item);
  return node;
}

std::string StoredFields(const clsCorvaneData& d) {
  std::string out = std::to_string(d.m_lType) + "|" + std::to_string(d.m_lOptions);
  for (const std::string* s :
       {&d.m_szRoot_Caption, &d.m_szFolder_Location, &d.m_szFolder_Caption, &d.m_szPopupMenu_caption,
        &d.m_szFile_Location, &d.m_szFile_Caption, &d.m_szAction_Caption, &d.m_szAction_Actions,
        &d.m_szSelection_WorkingDir, &d.m_szSelection_Caption, &d.m_szSelection_Command, &d.m_szSelection_Parms,
        &d.m_szSelection_File, &d.m_szSelection_CmdPrefix, &d.m_szSelection_CmdSuffix,
        &d.m_szSelection_FilePrefix, &d.m_szSelection_FileSuffix, &d.m_szSelection_Filter,
        &d.m_szDFolder_Location, &d.m_szDFolder_Caption, &d.m_szDFolder_Filter, &d.m_szCopyToX_Location,
        &d.m_szCopyToX_Caption})
    out += "|" + *s;
  for (std::int32_t n : {d.m_lSelection_Options, d.m_lDFolder_Options, d.m_lCopyToX_Options})
    out += "|" + std::to_string(n);
  return out;
}

}  // namespace config_test
