// Allocations made to fail on purpose: while an object of this class lives,
// the n-th allocation of this thread through operator new throws
// std::bad_alloc, so that a test sees what a failure at each point leaves.
#pragma once

namespace fennick_test {

class FailingAllocation {
 public:
  // n = 0: the very next allocation fails.
  explicit FailingAllocation(long n) noexcept;
  ~FailingAllocation();
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;

  // Whether the allocation failed (there were at least n + 1).
  bool Hit() const noexcept;
};

}  // namespace fennick_test
