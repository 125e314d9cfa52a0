// The records of a configuration file. A record is a 2-byte tag (always 8, a
// text), a 2-byte length n and n bytes: the text in the ANSI code page,
// enciphered on its own. Numbers are little-endian and unsigned.
#include <array>
#include <cstdint>
#include <span>

#include "base/error.h"
#include "base/variant.h"
#include "common/clsTrace.h"
#include "common/clsTokenizer.h"
#include "config/RecordText.h"
#include "config/clsCorvaneDataTools.h"

namespace config {

namespace detail {

std::string CipherText(std::string bytes) { return common::g_Debug().EncryptStringAscii(bytes); }

std::vector<std::string> SplitFields(const std::string& text, const FieldRules& rules) {
  common::clsTokenizer tokenizer;
  tokenizer.SetQuoteChars(rules.quotes);
  tokenizer.SetSeparatorChars(",");
  tokenizer.SetWhiteSpaceChars(rules.whiteSpace);
  tokenizer.SetEOLChars(rules.endOfLine);
  tokenizer.SetText(text);
  std::vector<std::string> fields;
  std::string token, separator;
  bool quoted = false;
  bool continues = false;
  while (tokenizer.GetNextToken(token, separator, quoted)) {
    if (continues) fields.back() += "\"" + token;
    else fields.push_back(token);
    // A quote right after a closed run closes and reopens it at once: with
    // doubled quotes, the next token goes on the same field.
    continues = rules.doubledQuotes && separator == "\"";
  }
  return fields;
}

std::int32_t FieldNumber(const std::string& field, const char* source) {
  try {
    return base::Variant(field).ToLong();
  } catch (const base::Error& e) {
    base::RaiseError(e.Number(), source);
  }
}

}  // namespace detail

namespace {

constexpr std::uint16_t kTextTag = 8;
constexpr size_t kMaxRecordText = 0xFFFF;

// The stored bytes of the next record, still enciphered.
std::string ReadRecord(BinaryFile& file, const char* source) {
  std::array<char, 4> head{};
  file.Read(head.data(), 2);
  const unsigned tag = static_cast<std::uint8_t>(head[0]) | static_cast<std::uint8_t>(head[1]) << 8;
  if (tag != kTextTag)
    base::RaiseError(kErrBadRecordTag, source, "Record tag " + std::to_string(tag) + " is not a text record");
  file.Read(head.data() + 2, 2);
  const size_t n = static_cast<std::uint8_t>(head[2]) | static_cast<std::uint8_t>(head[3]) << 8;
  std::string bytes(n, '\0');
  if (n > 0) file.Read(bytes.data(), n);
  return bytes;
}

void WriteRecord(BinaryFile& file, const std::string& text, const char* source) {
  if (text.size() > kMaxRecordText)
    base::RaiseError(base::kErrOverflow, source,
                     "A text of " + std::to_string(text.size()) +
                         " characters is too long for a configuration file, which holds at most 65535 per text");
  std::string record(4, '\0');
  record[0] = static_cast<char>(kTextTag);
  record[2] = static_cast<char>(text.size() & 0xFF);
  record[3] = static_cast<char>(text.size() >> 8);
  record += detail::CipherText(text);
  file.Write(record);
}

std::vector<std::string> ReadFields(BinaryFile& file, const char* source) {
  return detail::SplitFields(detail::CipherText(ReadRecord(file, source)), detail::kRecordFields);
}

// One type string of an item: its caption, its location, another text field
// or an option word stored as decimal text.
struct TypeString {
  enum Kind { kCaption, kLocation, kText, kNumber } kind;
  std::string clsCorvaneData::*text = nullptr;
  std::int32_t clsCorvaneData::*number = nullptr;
};

using C = clsCorvaneData;
constexpr TypeString kCaption{TypeString::kCaption};
constexpr TypeString kLocation{TypeString::kLocation};
constexpr TypeString Text(std::string C::*field) { return {TypeString::kText, field, nullptr}; }
constexpr TypeString Number(std::int32_t C::*field) { return {TypeString::kNumber, nullptr, field}; }

constexpr TypeString kRootStrings[] = {kCaption};
constexpr TypeString kLocatedStrings[] = {kLocation, kCaption};  // Folder, File
constexpr TypeString kActionStrings[] = {Text(&C::m_szAction_Actions), kCaption};
constexpr TypeString kSelectionStrings[] = {
    kLocation,
    kCaption,
    Text(&C::m_szSelection_Command),
    Text(&C::m_szSelection_Parms),
    Text(&C::m_szSelection_CmdPrefix),
    Text(&C::m_szSelection_CmdSuffix),
    Text(&C::m_szSelection_File),
    Text(&C::m_szSelection_FilePrefix),
    Text(&C::m_szSelection_FileSuffix),
    Text(&C::m_szSelection_Filter),
    Number(&C::m_lSelection_Options),
};
constexpr TypeString kDFolderStrings[] = {kLocation, kCaption, Text(&C::m_szDFolder_Filter),
                                          Number(&C::m_lDFolder_Options)};
constexpr TypeString kCopyToXStrings[] = {kLocation, kCaption, Number(&C::m_lCopyToX_Options)};

// The records that follow an item header, by type; a separator and any code
// outside the table have none.
std::span<const TypeString> StringsOf(std::int32_t type) {
  switch (type) {
    case C::TypeRoot:
    case C::TypePopupMenu: return kRootStrings;
    case C::TypeFolder:
    case C::TypeFile: return kLocatedStrings;
    case C::TypeCustomAction: return kActionStrings;
    case C::TypeSelectionTask: return kSelectionStrings;
    case C::TypeDynamicFolder: return kDFolderStrings;
    case C::TypeCopyToX: return kCopyToXStrings;
    default: return {};
  }
}

}  // namespace

// ---- Reading

std::int32_t clsCorvaneDataTools::File_ReadVersion(BinaryFile& file) const {
  const char kSource[] = "File_ReadVersion";
  const std::int32_t version = detail::FieldNumber(detail::CipherText(ReadRecord(file, kSource)), kSource);
  common::g_Debug().Output([&] { return "File_ReadVersion: " + std::to_string(version); });
  return version;
}

bool clsCorvaneDataTools::File_ReadHeader(BinaryFile& file, clsFileHeader& header) const {
  const char kSource[] = "File_ReadHeader";
  const std::vector<std::string> fields = ReadFields(file, kSource);
  bool result = false;
  if (fields.size() >= 2) {
    clsFileHeader read = header;
    read.m_lOptions = detail::FieldNumber(fields[0], kSource);
    read.m_lNumNodes = detail::FieldNumber(fields[1], kSource);
    if (fields.size() > 2) read.m_lNumCommands = detail::FieldNumber(fields[2], kSource);
    // A count below 1 is a file without items: there is nothing to read,
    // and whoever needs a root says so.
    header = read;
    result = true;
  }
  common::g_Debug().Output([&] {
    return "File_ReadHeader: " + std::string(result ? "True" : "False") + " - " +
           std::to_string(header.m_lOptions) + " - " + std::to_string(header.m_lNumNodes) + " - " +
           std::to_string(header.m_lNumCommands);
  });
  return result;
}

bool clsCorvaneDataTools::File_ReadItemHeader(BinaryFile& file, std::int32_t& parentIndex, clsCorvaneData& item,
                                              std::int32_t groupNumber) const {
  const char kSource[] = "File_ReadItemHeader";
  const std::vector<std::string> fields = ReadFields(file, kSource);
  if (fields.size() != 3) return false;
  const std::int32_t parent = detail::FieldNumber(fields[0], kSource);
  const std::int32_t type = detail::FieldNumber(fields[1], kSource);
  const std::int32_t options = detail::FieldNumber(fields[2], kSource);
  // A parent's group always comes before its children's; anything else would
  // hang the item under itself or under nothing.
  if (parent < 0 || parent >= groupNumber) return false;
  parentIndex = parent;
  item.m_lType = type;
  item.m_lOptions = options;
  return true;
}

std::string clsCorvaneDataTools::File_ReadString(BinaryFile& file) const {
  std::string bytes = ReadRecord(file, "File_ReadString");
  return bytes.empty() ? bytes : detail::CipherText(std::move(bytes));
}

void clsCorvaneDataTools::ReadData(BinaryFile& file, clsCorvaneData& item) const {
  for (const TypeString& s : StringsOf(item.m_lType)) {
    std::string text = File_ReadString(file);
    switch (s.kind) {
      case TypeString::kCaption: item.SetCaption(text); break;
      case TypeString::kLocation: item.SetLocation(text); break;
      case TypeString::kText: item.*s.text = std::move(text); break;
      case TypeString::kNumber: item.*s.number = detail::FieldNumber(text, "ReadData"); break;
    }
  }
}

// ---- Writing

void clsCorvaneDataTools::File_WriteVersion(BinaryFile& file, const base::Variant& version) const {
  const std::string text = version.ToString();
  common::g_Debug().Output([&] { return "File_WriteVersion: " + text; });
  WriteRecord(file, text, "File_WriteVersion");
}

void clsCorvaneDataTools::File_WriteHeader(BinaryFile& file, const clsFileHeader& header) const {
  const std::string options = std::to_string(header.m_lOptions);
  const std::string nodes = std::to_string(header.m_lNumNodes);
  const std::string commands = std::to_string(header.m_lNumCommands);
  common::g_Debug().Output([&] { return "File_WriteHeader: " + options + " - " + nodes + " - " + commands; });
  WriteRecord(file, options + "," + nodes + "," + commands, "File_WriteHeader");
}

void clsCorvaneDataTools::File_WriteItemHeader(BinaryFile& file, std::int32_t parentIndex,
                                               const clsCorvaneData& item) const {
  WriteRecord(file,
              std::to_string(parentIndex) + "," + std::to_string(item.m_lType) + "," + std::to_string(item.m_lOptions),
              "File_WriteItemHeader");
}

void clsCorvaneDataTools::File_WriteString(BinaryFile& file, const std::string& text) const {
  WriteRecord(file, text, "File_WriteString");
}

void clsCorvaneDataTools::WriteData(BinaryFile& file, const clsCorvaneData& item) const {
  for (const TypeString& s : StringsOf(item.m_lType)) {
    switch (s.kind) {
      case TypeString::kCaption: File_WriteString(file, item.Caption()); break;
      case TypeString::kLocation: File_WriteString(file, item.Location()); break;
      case TypeString::kText: File_WriteString(file, item.*s.text); break;
      case TypeString::kNumber: File_WriteString(file, std::to_string(item.*s.number)); break;
    }
  }
}

}  // namespace config
