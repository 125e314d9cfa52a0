#include "base/context.h"

#include <algorithm>
#include <atomic>
#include <mutex>

namespace base {

size_t ThreadContext::NextSlot() noexcept {
  static std::atomic<size_t> next{0};
  return next++;
}

namespace {

// Every live context, so that the last act of a DLL can free them all. Taken
// only when a thread makes or frees its context.
std::mutex& RegistryLock() {
  static std::mutex* m = new std::mutex;
  return *m;
}

std::vector<ThreadContext*>& Registry() {
  static auto* r = new std::vector<ThreadContext*>;
  return *r;
}

void Forget(ThreadContext* context) {
  std::lock_guard<std::mutex> lock(RegistryLock());
  auto& r = Registry();
  r.erase(std::remove(r.begin(), r.end(), context), r.end());
}

}  // namespace

ThreadContext& ThreadContext::Current() {
  if (auto p = Peek()) return *p;
  auto* context = new ThreadContext;
  {
    std::lock_guard<std::mutex> lock(RegistryLock());
    Registry().push_back(context);
  }
  SetThreadContextSlot(context);
  return *context;
}

void ThreadContext::DestroyAll() noexcept {
  std::vector<ThreadContext*> all;
  {
    std::lock_guard<std::mutex> lock(RegistryLock());
    all.swap(Registry());
  }
  ThreadContext* mine = Peek();
  for (auto* c : all) delete c;
  if (mine) SetThreadContextSlot(nullptr);
}

ThreadContext* ThreadContext::Peek() noexcept {
  return static_cast<ThreadContext*>(GetThreadContextSlot());
}

void ThreadContext::DestroyCurrent() noexcept {
  auto* context = Peek();
  if (!context) return;
  // A service's destructor may still reach the context (a last trace line),
  // so the slot is cleared only after everything in it is gone.
  Forget(context);
  delete context;
  SetThreadContextSlot(nullptr);
}

ThreadContext::~ThreadContext() {
  // Newest first: a service made later may depend on one made before it.
  std::vector<Slot*> live;
  for (auto& s : m_slots)
    if (s.object) live.push_back(&s);
  std::sort(live.begin(), live.end(), [](Slot* a, Slot* b) { return a->order > b->order; });
  for (Slot* s : live) {
    std::shared_ptr<void> gone = std::move(s->object);
  }
}

}  // namespace base
