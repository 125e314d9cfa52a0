// The configuration as the menu builder needs it: its records parsed once
// and kept while the file's bytes stay the same. The file itself is still
// read on every right-click, so a change (even one that keeps the size and
// the time stamp) is seen at once; only the parsing is saved.
#pragma once
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "base/error.h"
#include "config/clsCorvaneData.h"
#include "config/clsCorvaneDataTools.h"

namespace shellext {

// One record of the file: its parent's position (0 for none) and its item.
struct ParsedRecord {
  std::int32_t parentIndex = 0;
  config::clsCorvaneData item;
};

// Everything a read of the file gives, up to where the reading ended.
struct ParsedConfiguration {
  enum class End {
    kComplete,
    kBadVersion,  // a version this build does not read
    kBadHeader,   // the file header is damaged
    kBadItem,     // the item header after the last record is damaged
    kRaised,      // the reading failed (a file shorter than its header says)
  };
  End end = End::kComplete;
  config::clsFileHeader header;
  std::vector<ParsedRecord> records;
  // The reading stopped inside a record (after `records`).
  bool stoppedInRecord = false;
  // kRaised: what the reading raised.
  std::optional<base::Error> error;
};

// Parses the bytes of a configuration file; never throws for bad content.
std::shared_ptr<const ParsedConfiguration> ParseConfiguration(std::string bytes);

// The process's parsed configuration: the last bytes read and what they
// gave. Safe from any thread.
class ConfigCache {
 public:
  // What the bytes give; parsed only when they differ from the last ones.
  std::shared_ptr<const ParsedConfiguration> Parsed(const std::string& bytes);
  // How many times bytes were parsed (for the tests and the benchmark).
  std::int64_t Parses() const;
  void Clear();

 private:
  mutable std::mutex m_lock;
  std::string m_bytes;
  std::shared_ptr<const ParsedConfiguration> m_parsed;
  std::int64_t m_parses = 0;
};

ConfigCache& ProcessConfigCache();

}  // namespace shellext
