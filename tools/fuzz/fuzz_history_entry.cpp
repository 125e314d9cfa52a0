// Any bytes as a history entry from the registry, and any item made into an
// entry and read back. Reading must never fail but for a number too large
// (error 6); an entry made from a Folder, File or CustomAction gives back
// exactly its type, options, string field and caption.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "base/error.h"
#include "config/clsCorvaneDataTools.h"

using config::clsCorvaneData;

namespace {

const config::clsCorvaneDataTools kTools;

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  clsCorvaneData read;
  try {
    kTools.BreakdownHistoryMRU(bytes, read);
  } catch (const base::Error& e) {
    Check(e.Number() == base::kErrOverflow);
  }

  // The same bytes as the parts of an item: a type, options, then the string
  // field and the caption split at the first 0xFF.
  if (size < 5) return 0;
  const std::int32_t types[] = {clsCorvaneData::TypeFolder, clsCorvaneData::TypeFile,
                                clsCorvaneData::TypeCustomAction};
  clsCorvaneData item;
  item.m_lType = types[data[0] % 3];
  std::uint32_t options = 0;
  std::memcpy(&options, data + 1, 4);
  item.m_lOptions = static_cast<std::int32_t>(options & 0x7FFFFFFF);  // written as digits, read as digits
  const std::string rest = bytes.substr(5);
  const size_t cut = rest.find('\xFF');
  const std::string field = rest.substr(0, cut);
  const std::string caption = cut == std::string::npos ? "" : rest.substr(cut + 1);
  if (item.IsTypeCustomAction()) item.m_szAction_Actions = field;
  else item.SetLocation(field);
  item.SetCaption(caption);

  clsCorvaneData back;
  kTools.BreakdownHistoryMRU(kTools.CreateHistoryMRU(item), back);
  Check(back.m_lType == item.m_lType && back.m_lOptions == item.m_lOptions);
  Check(back.Location() == item.Location() && back.m_szAction_Actions == item.m_szAction_Actions);
  Check(back.Caption() == item.Caption());
  return 0;
}
