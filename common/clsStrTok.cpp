#include "common/clsStrTok.h"

#include <algorithm>

namespace common {

void clsStrTok::SetValue(const std::string& text) {
  m_text = text;
  m_position = 1;
  m_length = static_cast<std::int32_t>(text.size());
}

base::Variant clsStrTok::Reset() {
  m_text.clear();
  m_position = 0;
  return {};
}

base::Variant clsStrTok::GetNextToken(const std::string& delimiters, std::int16_t typeCode) {
  // The length is that of the last SetValue; after a Reset the text is gone,
  // so the scan never reaches past what is actually there.
  const std::int32_t last = std::min(m_length, static_cast<std::int32_t>(m_text.size()));
  std::int32_t start = 0;
  std::int32_t p = std::max(m_position, std::int32_t{1});
  for (; p <= last; ++p) {
    bool isDelimiter = delimiters.find(m_text[static_cast<size_t>(p - 1)]) != std::string::npos;
    if (!isDelimiter) {
      if (start == 0) start = p;
    } else if (start != 0) {
      break;
    }
  }
  m_position = p;
  if (start == 0) return {};

  base::Variant run(m_text.substr(static_cast<size_t>(start - 1), static_cast<size_t>(p - start)));
  switch (typeCode) {
    case kInteger: return run.ToInteger();
    case kLong: return run.ToLong();
    case kString: return run;
    case kBoolean: return run.ToBool();
    default: return {};
  }
}

}  // namespace common
