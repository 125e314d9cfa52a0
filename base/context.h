// The per-thread context: one set of service objects per thread.
//
// In Fennick every module-level value exists once per shell thread. The
// context lives in a TLS slot, is made on first use and is destroyed by our
// own code (when a thread's last handler goes, and at process detach), never
// by a thread_local destructor inside the DLL. In Designer there is simply
// one context, on its one thread.
#pragma once
#include <cstddef>
#include <memory>
#include <vector>

namespace base {

class ThreadContext {
 public:
  // This thread's context, made on first use.
  static ThreadContext& Current();
  // This thread's context, or null when it has none.
  static ThreadContext* Peek() noexcept;
  // Destroys this thread's context and every service in it (newest first).
  static void DestroyCurrent() noexcept;
  // Destroys every thread's context: a DLL's last act before it is unloaded,
  // when no object of it is alive on any thread.
  static void DestroyAll() noexcept;

  // The service of type T, made on first use with T's default constructor.
  template <class T>
  T& Get() {
    size_t id = SlotOf<T>();
    if (id >= m_slots.size()) m_slots.resize(id + 1);
    Slot& s = m_slots[id];
    if (!s.object) {
      s.object = std::shared_ptr<void>(new T(), [](void* p) { delete static_cast<T*>(p); });
      s.order = ++m_created;
    }
    return *static_cast<T*>(s.object.get());
  }

  // Whether the service exists now.
  template <class T>
  bool Has() const noexcept {
    size_t id = SlotOf<T>();
    return id < m_slots.size() && m_slots[id].object;
  }

  // Destroys one service; the next Get makes a fresh one.
  template <class T>
  void Release() noexcept {
    size_t id = SlotOf<T>();
    if (id < m_slots.size()) {
      std::shared_ptr<void> gone = std::move(m_slots[id].object);
    }
  }

  ThreadContext() = default;
  ~ThreadContext();
  ThreadContext(const ThreadContext&) = delete;
  ThreadContext& operator=(const ThreadContext&) = delete;

 private:
  struct Slot {
    std::shared_ptr<void> object;
    unsigned long order = 0;
  };

  static size_t NextSlot() noexcept;
  template <class T>
  static size_t SlotOf() noexcept {
    static const size_t id = NextSlot();
    return id;
  }

  std::vector<Slot> m_slots;
  unsigned long m_created = 0;
};

// The thread-local storage beneath the context (a TLS slot on Windows).
void* GetThreadContextSlot() noexcept;
void SetThreadContextSlot(void* value) noexcept;
// Gives the slot back (a DLL's last act, after DestroyAll); the next use
// takes a new one.
void FreeThreadContextSlot() noexcept;

}  // namespace base
