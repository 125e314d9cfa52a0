#include "config/BinaryFile.h"

#include <algorithm>
#include <cstring>

#include "base/error.h"

namespace config {

void MemoryFile::Read(char* data, size_t size) {
  const size_t left = m_position < m_bytes.size() ? m_bytes.size() - m_position : 0;
  const size_t n = std::min(size, left);
  if (n > 0) std::memcpy(data, m_bytes.data() + m_position, n);
  m_position += n;
  if (n < size) base::RaiseError(base::kErrPastEnd, "Get");
}

void MemoryFile::Write(std::string_view bytes) {
  if (m_bytes.size() < m_position + bytes.size()) m_bytes.resize(m_position + bytes.size());
  std::copy(bytes.begin(), bytes.end(), m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position));
  m_position += bytes.size();
}

}  // namespace config
