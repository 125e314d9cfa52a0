#include "common/clsTrace.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>
#include <thread>
#include <sstream>
#include <vector>

#include "base/context.h"
#include "base/error.h"
#include "base/tests/testing.h"
#include "common/appinfo.h"

namespace {

using common::clsTrace;
using testing_support::ReadFileBytes;
using testing_support::TempDir;

std::vector<std::string> Lines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t at = 0;
  while (at < bytes.size()) {
    size_t end = bytes.find("\r\n", at);
    EXPECT_NE(end, std::string::npos) << "every line ends with CR LF";
    if (end == std::string::npos) break;
    lines.push_back(bytes.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

// "dd/mmm/yy @ h:Nn:Ss" in the test locale (separators "/" and ":").
const std::regex kStamp(R"(\d\d/[A-Za-z]{3}/\d\d @ \d{1,2}:\d\d:\d\d)");

std::string Stamp(const std::string& line, size_t tailLength) {
  return line.size() >= tailLength ? line.substr(0, line.size() - tailLength) : std::string();
}

TEST(Trace, WritesNothingUntilStartedAndNothingAfterTerminate) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  clsTrace trace;
  trace.Push("A");
  trace.Output("B");
  EXPECT_EQ(trace.Indent(), 0);

  ASSERT_TRUE(trace.Initialize(file, 0));
  trace.Push("A");
  trace.Terminate();
  trace.Output("after");
  trace.Push("after");
  EXPECT_EQ(trace.Indent(), 0);
  EXPECT_EQ(Lines(ReadFileBytes(file)).size(), 1u);
}

TEST(Trace, LazyLinesAreBuiltOnlyWhileATraceRuns) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  clsTrace trace;
  int built = 0;
  auto line = [&] {
    ++built;
    return "line " + std::to_string(built);
  };
  trace.Output(line);  // before the start
  EXPECT_EQ(built, 0);

  ASSERT_TRUE(trace.Initialize(file, 0));
  trace.Output(line, clsTrace::FlagNoTime);
  trace.Output([]() -> std::string { throw base::Error(5, "test", "unbuildable"); });  // lost, nothing else
  trace.Output(line, clsTrace::FlagNoTime | clsTrace::FlagError);
  trace.Terminate();
  trace.Output(line);  // after the end
  EXPECT_EQ(built, 2);
  EXPECT_THAT(Lines(ReadFileBytes(file)), testing::ElementsAre("    line 1", "  ! line 2"));
}

TEST(Trace, PushOutputPopIndentTheLinesInside) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  clsTrace trace;
  ASSERT_TRUE(trace.Initialize(file, 0));
  trace.Push("A");
  trace.Output("B", 0);
  trace.Pop(false);
  EXPECT_EQ(trace.Indent(), 0);
  trace.Terminate();

  auto lines = Lines(ReadFileBytes(file));
  ASSERT_EQ(lines.size(), 3u);
  const std::string tails[] = {" >  A", "      B", " <    (Exit)"};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(lines[static_cast<size_t>(i)]);
    ASSERT_THAT(lines[static_cast<size_t>(i)], testing::EndsWith(tails[i]));
    EXPECT_TRUE(std::regex_match(Stamp(lines[static_cast<size_t>(i)], tails[i].size()), kStamp));
  }
}

TEST(Trace, FormatLineMarksAndIndents) {
  struct Case {
    const char* text;
    std::int32_t flags;
    std::int32_t indent;
    const char* line;
  } cases[] = {
      {"A", clsTrace::FlagEntry, 0, " >  A"},
      {"", clsTrace::FlagExit, 1, " <    (Exit)"},
      {"x", clsTrace::FlagExit, 0, " <  x"},
      {"both", clsTrace::FlagEntry | clsTrace::FlagExit, 0, " >  both"},
      {"e", clsTrace::FlagError, 0, "  ! e"},
      {"t", 0, 2, "        t"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    clsTrace trace;
    trace.SetIndent(c.indent);
    EXPECT_EQ(trace.FormatLine(c.text, c.flags | clsTrace::FlagNoTime), c.line);
  }
}

TEST(Trace, MorePopsThanPushesKeepTheLevelAtZero) {
  TempDir dir;
  clsTrace trace;
  ASSERT_TRUE(trace.Initialize(dir.File("t.dbg"), clsTrace::FlagAutoCommit));
  trace.Push("A");
  trace.Pop();
  trace.Pop();
  trace.Pop();
  EXPECT_EQ(trace.Indent(), 0);
  trace.Push("B");
  EXPECT_EQ(trace.Indent(), 1);
}

TEST(Trace, ToHexGivesEightUpperCaseDigits) {
  EXPECT_EQ(clsTrace::ToHex(-1), "0xFFFFFFFF");
  EXPECT_EQ(clsTrace::ToHex(255), "0x000000FF");
  EXPECT_EQ(clsTrace::ToHex(0), "0x00000000");
  EXPECT_EQ(clsTrace::ToHex(INT32_MIN), "0x80000000");
  EXPECT_EQ(clsTrace::ToHex(0x1234ABCD), "0x1234ABCD");
}

TEST(Trace, TimersReportUnderTheirTextOrSilently) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  clsTrace trace;
  ASSERT_TRUE(trace.Initialize(file, clsTrace::FlagAutoCommit));
  trace.TimerStart(1);
  EXPECT_GE(trace.TimerStop("", 1), 0);
  EXPECT_EQ(ReadFileBytes(file), "");
  trace.TimerStart(16);
  std::int32_t elapsed = trace.TimerStop("ReadConfig", 16);
  auto lines = Lines(ReadFileBytes(file));
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_THAT(lines[0], testing::EndsWith("    ReadConfig: " + std::to_string(elapsed) + "ms\t(Timer 16)"));

  // A paused timer holds the time run so far; resuming counts it as run.
  trace.TimerStart(2);
  trace.TimerPause(2);
  EXPECT_GE(trace.GetTime(2), 0);
  EXPECT_LT(trace.GetTime(2), 10000);
  trace.TimerResume(2);
  EXPECT_GE(trace.TimerStop("", 2), 0);

  for (int bad : {0, 17, -1}) {
    try {
      trace.TimerStart(bad);
      ADD_FAILURE() << bad;
    } catch (const base::Error& e) {
      EXPECT_EQ(e.Number(), base::kErrSubscript);
    }
  }
}

TEST(Trace, ResetEmptiesTheFileAndOtherwiseItAppends) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  testing_support::WriteFileBytes(file, "old\r\n");
  {
    clsTrace trace;
    ASSERT_TRUE(trace.Initialize(file, clsTrace::FlagNoTime));
    trace.Output("one", clsTrace::FlagNoTime);
  }
  EXPECT_EQ(ReadFileBytes(file), "old\r\n    one\r\n");
  {
    clsTrace trace;
    ASSERT_TRUE(trace.Initialize(file, clsTrace::FlagReset | clsTrace::FlagAutoCommit));
    trace.Output("two", clsTrace::FlagNoTime);
  }
  EXPECT_EQ(ReadFileBytes(file), "    two\r\n");
}

TEST(Trace, AFileThatCannotBeOpenedAsksOncePerStartUntilTheAnswerIsNo) {
  TempDir dir;
  const std::string missing = dir.File("missing") + "/x.dbg";
  testing_support::PromptRecorder prompts;
  clsTrace trace;
  // Autocommit opens the file for every line; after one failure the trace
  // stops trying until it is started again, and a Yes asks again only then.
  prompts.Answer(base::kAnswerYes);
  for (std::int32_t flags : {clsTrace::FlagAutoCommit, std::int32_t{0}}) {
    SCOPED_TRACE(flags);
    prompts.Clear();
    ASSERT_TRUE(trace.Initialize(missing, flags));
    for (int i = 0; i < 20; ++i) trace.Output("line");
    ASSERT_EQ(prompts.Prompts().size(), 1u);
    EXPECT_EQ(prompts.Prompts()[0].text, "Could not open the debugging output file!\r\n\r\nShow this error again?");
    EXPECT_EQ(prompts.Prompts()[0].flags, unsigned(base::kPromptYesNo | base::kPromptCritical));
    EXPECT_EQ(prompts.Prompts()[0].title, common::ApplicationTitle());
    EXPECT_TRUE(trace.ShowErrors());
  }
  // No silences the trace for good.
  prompts.Clear();
  prompts.Answer(base::kAnswerNo);
  ASSERT_TRUE(trace.Initialize(missing, clsTrace::FlagAutoCommit));
  trace.Output("line");
  ASSERT_TRUE(trace.Initialize(missing, clsTrace::FlagAutoCommit));
  trace.Output("line");
  EXPECT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_FALSE(trace.ShowErrors());
  EXPECT_EQ(trace.Indent(), 0);
  // The same trace started on a file that opens writes to it.
  const std::string good = dir.File("good.dbg");
  ASSERT_TRUE(trace.Initialize(good, clsTrace::FlagAutoCommit | clsTrace::FlagNoTime));
  trace.Output("kept", clsTrace::FlagNoTime);
  EXPECT_EQ(ReadFileBytes(good), "    kept\r\n");
}

TEST(Trace, EncipheredFileHoldsOneTaggedRecordPerLine) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  clsTrace trace;
  ASSERT_TRUE(trace.Initialize(file, clsTrace::FlagEncrypt | clsTrace::FlagAutoCommit));
  trace.Output("first", clsTrace::FlagNoTime);
  trace.Push("second");
  std::string bytes = ReadFileBytes(file);

  std::vector<std::string> texts;
  size_t at = 0;
  while (at + 4 <= bytes.size()) {
    EXPECT_EQ(bytes[at], 8);
    EXPECT_EQ(bytes[at + 1], 0);
    size_t n = static_cast<unsigned char>(bytes[at + 2]) | static_cast<size_t>(static_cast<unsigned char>(bytes[at + 3])) << 8;
    ASSERT_LE(at + 4 + n, bytes.size());
    texts.push_back(trace.EncryptStringAscii(bytes.substr(at + 4, n)));
    at += 4 + n;
  }
  EXPECT_EQ(at, bytes.size()) << "nothing follows the records";
  ASSERT_EQ(texts.size(), 2u);
  EXPECT_EQ(texts[0], "    first");
  EXPECT_THAT(texts[1], testing::EndsWith(" >  second"));
  EXPECT_TRUE(std::regex_match(Stamp(texts[1], 10), kStamp));
  EXPECT_EQ(bytes.find("first"), std::string::npos) << "the text is enciphered";
}

TEST(Trace, CheckForErrorTracesTheErrorBeingHandled) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  clsTrace trace;
  ASSERT_TRUE(trace.Initialize(file, clsTrace::FlagAutoCommit));
  trace.CheckForError();  // nothing pending
  try {
    base::RaiseError(base::kErrFileNotFound, "LoadThing");
  } catch (...) {
    trace.Pop(true);
  }
  trace.CheckForError(base::Error(5, "", "Bad call"), 87);
  auto lines = Lines(ReadFileBytes(file));
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_THAT(lines[0], testing::EndsWith(" ! *E* 0x00000035 - File not found (LoadThing)"));
  EXPECT_THAT(lines[1], testing::EndsWith(" <  (Exit)"));
  EXPECT_THAT(lines[2], testing::EndsWith(" ! *E* 0x00000005 - Bad call - 87"));
}

TEST(TraceScope, PopsHoweverTheProcedureLeaves) {
  TempDir dir;
  std::string file = dir.File("t.dbg");
  ASSERT_TRUE(common::g_Debug().Initialize(file, clsTrace::FlagAutoCommit | clsTrace::FlagNoTime));
  try {
    common::TraceScope outer("Outer");
    common::TraceScope inner("Inner");
    EXPECT_EQ(common::g_Debug().Indent(), 2);
    throw base::Error(5, "Inner");
  } catch (const base::Error&) {
  }
  EXPECT_EQ(common::g_Debug().Indent(), 0);
  auto lines = Lines(ReadFileBytes(file));
  EXPECT_EQ(lines.size(), 4u);
  common::g_Debug().Terminate();
}

TEST(TraceScope, SurvivesItsTraceBeingReplacedOrItsThreadsServicesGoing) {
  {
    common::TraceScope scope("Replaced");
    common::ReplaceDebugTrace();
    EXPECT_FALSE(common::g_Debug().IsInitialized());
  }
  {
    common::TraceScope scope("Gone");
    base::ThreadContext::DestroyCurrent();
  }
  EXPECT_EQ(base::ThreadContext::Peek(), nullptr) << "leaving the scope made no new services";
}

TEST(Trace, TheGlobalsArePerThreadAndTheCipherNeedsNoStart) {
  clsTrace* mine = &common::g_Debug();
  EXPECT_NE(mine, &common::g_oTiming());
  clsTrace* other = nullptr;
  std::thread([&] {
    other = &common::g_Debug();
    base::ThreadContext::DestroyCurrent();
  }).join();
  EXPECT_NE(mine, other);
  EXPECT_EQ(mine->Password(), "QMVTRKWZP");
  EXPECT_EQ(mine->EncryptStringAscii(mine->EncryptStringAscii("Round trip")), "Round trip");
}

TEST(Trace, CipherRunsThroughTheTracesPassword) {
  clsTrace trace;
  // The caption record of a known configuration file.
  EXPECT_EQ(trace.EncryptStringAscii("\x1c\x79\xf7\x4d\x6b\x6e\xd9"), "My Menu");
  std::u16string wide = u"Wide \u20AC";
  EXPECT_EQ(trace.EncryptString(trace.EncryptString(wide)), wide);
  EXPECT_NE(trace.EncryptString(wide), wide);
  EXPECT_EQ(clsTrace::PasswordToHex("AB"), "~065066");
  EXPECT_EQ(clsTrace::HexToPassword("065066"), "AB");

  trace.SetPassword("OTHER");
  EXPECT_NE(trace.EncryptStringAscii("\x1c\x79\xf7\x4d\x6b\x6e\xd9"), "My Menu");

  testing_support::PromptRecorder prompts;
  trace.SetPassword("");
  EXPECT_EQ(trace.EncryptStringAscii("text"), "");
  ASSERT_EQ(prompts.Prompts().size(), 1u);
  EXPECT_EQ(prompts.Prompts()[0].title, "EncryptStringAscii");
  EXPECT_THAT(prompts.Prompts()[0].text, testing::StartsWith("Error: 5. "));
}

}  // namespace
