// Scope guards for paired calls.
#pragma once
#include <utility>

namespace base {

template <class F>
class ScopeExit {
 public:
  explicit ScopeExit(F f) : m_f(std::move(f)) {}
  ScopeExit(const ScopeExit&) = delete;
  ScopeExit& operator=(const ScopeExit&) = delete;
  ~ScopeExit() {
    if (m_armed) m_f();
  }
  void Dismiss() noexcept { m_armed = false; }

 private:
  F m_f;
  bool m_armed = true;
};

template <class F>
ScopeExit<F> MakeScopeExit(F f) {
  return ScopeExit<F>(std::move(f));
}

}  // namespace base
