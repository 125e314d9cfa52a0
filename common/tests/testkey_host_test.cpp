// The native registry lives in memory and ends with the test program, so a
// fresh path is all a test needs.
#include <atomic>
#include <random>

#include "common/tests/testkey.h"

namespace common_test {

TestKey::TestKey() {
  static std::atomic<int> counter{0};
  std::random_device rd;
  m_path = "Software\\Brindlewick\\CorvaneTests\\" + std::to_string(counter++) + "_" + std::to_string(rd() % 1000000);
}

TestKey::~TestKey() = default;

}  // namespace common_test
