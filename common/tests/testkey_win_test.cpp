#include <windows.h>

#include <random>

#include "common/tests/testkey.h"

namespace common_test {

TestKey::TestKey() {
  std::random_device rd;
  m_path = "Software\\Brindlewick\\CorvaneTests\\" + std::to_string(GetCurrentProcessId()) + "_" +
           std::to_string(rd() % 1000000);
}

TestKey::~TestKey() {
  RegDeleteTreeA(HKEY_CURRENT_USER, m_path.c_str());
  RegDeleteKeyA(HKEY_CURRENT_USER, m_path.c_str());
}

}  // namespace common_test
