#include "shellext/tests/failing_allocation.h"

#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> g_countdown{-1};
std::atomic<bool> g_hit{false};
std::atomic<DWORD> g_thread{0};

}  // namespace

// The test program's own allocator: the library's code linked into it
// allocates through it too.
void* operator new(std::size_t size) {
  if (g_countdown.load() >= 0 && g_thread.load() == GetCurrentThreadId() && g_countdown.fetch_sub(1) == 0) {
    g_hit = true;
    throw std::bad_alloc();
  }
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}

void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace fennick_test {

FailingAllocation::FailingAllocation(long n) noexcept {
  g_hit = false;
  g_thread = GetCurrentThreadId();
  g_countdown = n;
}

FailingAllocation::~FailingAllocation() { g_countdown = -1; }

bool FailingAllocation::Hit() const noexcept { return g_hit; }

}  // namespace fennick_test
