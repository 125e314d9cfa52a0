#include "base/context.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

std::vector<std::string>* g_log;

struct First {
  int value = 1;
  ~First() { g_log->push_back("first"); }
};
struct Second {
  ~Second() { g_log->push_back("second"); }
};

}  // namespace

TEST(ThreadContext, ServicesAreMadeOnFirstUseAndFreedNewestFirst) {
  std::vector<std::string> log;
  g_log = &log;
  base::ThreadContext::DestroyCurrent();
  auto& ctx = base::ThreadContext::Current();
  EXPECT_FALSE(ctx.Has<First>());
  ctx.Get<First>().value = 7;
  ctx.Get<Second>();
  EXPECT_EQ(base::ThreadContext::Current().Get<First>().value, 7);
  base::ThreadContext::DestroyCurrent();
  EXPECT_EQ(base::ThreadContext::Peek(), nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"second", "first"}));
}

TEST(ThreadContext, EachThreadHasItsOwn) {
  std::vector<std::string> log;
  g_log = &log;
  base::ThreadContext::Current().Get<First>().value = 5;
  int seen = 0;
  std::thread t([&] {
    seen = base::ThreadContext::Current().Get<First>().value;
    base::ThreadContext::DestroyCurrent();
  });
  t.join();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(base::ThreadContext::Current().Get<First>().value, 5);
  base::ThreadContext::Current().Release<First>();
  EXPECT_EQ(base::ThreadContext::Current().Get<First>().value, 1);
  base::ThreadContext::DestroyCurrent();
}
