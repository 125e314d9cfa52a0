#include "shellext/ConfigCache.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "config/BinaryFile.h"

namespace {

using config::clsCorvaneData;
using shellext::ConfigCache;
using End = shellext::ParsedConfiguration::End;

// A file of the root and one file item per caption, written by the
// project's own writer.
std::string FileBytes(const std::vector<std::string>& captions, std::int32_t version = 1) {
  config::clsCorvaneDataTools tools;
  config::MemoryFile file;
  tools.File_WriteVersion(file, base::Variant(version));
  config::clsFileHeader header;
  header.m_lNumNodes = static_cast<std::int32_t>(captions.size()) + 1;
  tools.File_WriteHeader(file, header);
  clsCorvaneData root;
  root.SetCaption("Root");
  tools.File_WriteItemHeader(file, 0, root);
  tools.WriteData(file, root);
  for (const std::string& caption : captions) {
    clsCorvaneData item;
    item.m_lType = clsCorvaneData::TypeFile;
    item.SetCaption(caption);
    item.SetLocation("C:\\" + caption + ".txt");
    tools.File_WriteItemHeader(file, 1, item);
    tools.WriteData(file, item);
  }
  return file.Bytes();
}

TEST(ConfigCache, ParsesAgainExactlyWhenTheBytesDiffer) {
  ConfigCache cache;
  const std::string first = FileBytes({"Alpha", "Beta"});
  const std::string sameSize = FileBytes({"Alpha", "Bets"});
  ASSERT_EQ(first.size(), sameSize.size());

  const auto parsed = cache.Parsed(first);
  EXPECT_EQ(cache.Parsed(first), parsed) << "the same bytes: the same records";
  EXPECT_EQ(cache.Parses(), 1);
  ASSERT_EQ(parsed->end, End::kComplete);
  ASSERT_EQ(parsed->records.size(), 3u);
  EXPECT_EQ(parsed->records[2].item.Caption(), "Beta");
  EXPECT_EQ(parsed->records[2].parentIndex, 1);

  // One byte changed, the length kept: what a rewrite within the same
  // second looks like to the file's size and time.
  const auto rewritten = cache.Parsed(sameSize);
  EXPECT_EQ(cache.Parses(), 2);
  ASSERT_EQ(rewritten->records.size(), 3u);
  EXPECT_EQ(rewritten->records[2].item.Caption(), "Bets");
  EXPECT_EQ(parsed->records[2].item.Caption(), "Beta") << "a menu still using the old records keeps them";

  cache.Parsed(first);
  EXPECT_EQ(cache.Parses(), 3) << "only the last bytes are kept";
  cache.Clear();
  cache.Parsed(first);
  EXPECT_EQ(cache.Parses(), 4);
}

TEST(ConfigCache, ADamagedFileEndsWhereItsReadingStopped) {
  const std::string good = FileBytes({"Alpha", "Beta"});
  struct Case {
    const char* what;
    std::string bytes;
    End end;
    size_t records;
    bool stoppedInRecord;
  };
  const Case cases[] = {
      {"another version", FileBytes({"Alpha"}, 2), End::kBadVersion, 0, false},
      {"cut inside the last record", good.substr(0, good.size() - 3), End::kRaised, 2, true},
      {"empty", "", End::kRaised, 0, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const auto parsed = shellext::ParseConfiguration(c.bytes);
    EXPECT_EQ(parsed->end, c.end);
    EXPECT_EQ(parsed->records.size(), c.records);
    EXPECT_EQ(parsed->stoppedInRecord, c.stoppedInRecord);
    EXPECT_EQ(parsed->error.has_value(), c.end == End::kRaised);
  }
}

}  // namespace
