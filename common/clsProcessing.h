// clsProcessing: a busy counter. A handler raises it while it changes a
// dialog's own controls, and the controls' change handlers do nothing while
// it is raised, so that only the user's changes are acted on.
#pragma once
#include <cstdint>

namespace common {

class clsProcessing {
 public:
  std::int32_t Level() const { return m_level; }
  void SetLevel(std::int32_t level) { m_level = level; }
  void Push() { ++m_level; }
  // Never below 0: one Pop too many does not leave the counter busy later.
  void Pop() {
    if (--m_level < 0) m_level = 0;
  }
  bool IsProcessing() const { return m_level != 0; }
  void Reset() { m_level = 0; }

 private:
  std::int32_t m_level = 0;
};

}  // namespace common
