// A registry key of the current user's that one test owns: a fresh path,
// removed with everything below it when the test ends.
#pragma once
#include <string>

namespace common_test {

class TestKey {
 public:
  TestKey();
  ~TestKey();
  TestKey(const TestKey&) = delete;
  TestKey& operator=(const TestKey&) = delete;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path;
};

}  // namespace common_test
