#include "shellext/ConfigCache.h"

#include <algorithm>
#include <utility>

#include "config/BinaryFile.h"

namespace shellext {

namespace {

// The item header check of the reader refuses parents at or after the
// record; the builder looks a missing parent up (and reports it) itself.
constexpr std::int32_t kAnyParent = 0x7FFFFFFF;

}  // namespace

std::shared_ptr<const ParsedConfiguration> ParseConfiguration(std::string bytes) {
  using End = ParsedConfiguration::End;
  auto parsed = std::make_shared<ParsedConfiguration>();
  const config::clsCorvaneDataTools tools;
  config::MemoryFile file(std::move(bytes));
  try {
    if (tools.File_ReadVersion(file) != config::clsCorvaneDataTools::MinVersion) {
      parsed->end = End::kBadVersion;
      return parsed;
    }
    if (!tools.File_ReadHeader(file, parsed->header)) {
      parsed->end = End::kBadHeader;
      return parsed;
    }
    parsed->records.reserve(static_cast<size_t>(std::max(0, std::min(parsed->header.m_lNumNodes, 1 << 16))));
    for (std::int32_t i = 1; i <= parsed->header.m_lNumNodes; ++i) {
      parsed->stoppedInRecord = true;
      ParsedRecord record;
      if (!tools.File_ReadItemHeader(file, record.parentIndex, record.item, kAnyParent)) {
        parsed->end = End::kBadItem;
        return parsed;
      }
      tools.ReadData(file, record.item);
      parsed->records.push_back(std::move(record));
      parsed->stoppedInRecord = false;
    }
  } catch (...) {
    parsed->end = End::kRaised;
    parsed->error = base::CurrentError("CreateMenu");
  }
  return parsed;
}

std::shared_ptr<const ParsedConfiguration> ConfigCache::Parsed(const std::string& bytes) {
  {
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_parsed && m_bytes == bytes) return m_parsed;
  }
  // Parsed outside the lock: another thread's right-click need not wait.
  std::shared_ptr<const ParsedConfiguration> parsed = ParseConfiguration(bytes);
  std::lock_guard<std::mutex> hold(m_lock);
  m_bytes = bytes;
  m_parsed = parsed;
  ++m_parses;
  return parsed;
}

std::int64_t ConfigCache::Parses() const {
  std::lock_guard<std::mutex> hold(m_lock);
  return m_parses;
}

void ConfigCache::Clear() {
  std::lock_guard<std::mutex> hold(m_lock);
  m_bytes.clear();
  m_bytes.shrink_to_fit();
  m_parsed.reset();
}

ConfigCache& ProcessConfigCache() {
  static ConfigCache cache;
  return cache;
}

}  // namespace shellext
