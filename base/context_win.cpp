#include <windows.h>

#include <atomic>

#include "base/context.h"

namespace base {

namespace {

// Taken on first use and given back when the DLL is unloaded: a process
// that loads and unloads the library again and again (the shell does) would
// otherwise run out of slots.
std::atomic<DWORD> g_slot{TLS_OUT_OF_INDEXES};

DWORD Slot() noexcept {
  DWORD slot = g_slot.load();
  if (slot != TLS_OUT_OF_INDEXES) return slot;
  const DWORD fresh = TlsAlloc();
  if (fresh == TLS_OUT_OF_INDEXES || g_slot.compare_exchange_strong(slot, fresh)) return fresh;
  TlsFree(fresh);  // another thread was first
  return slot;
}

}  // namespace

void* GetThreadContextSlot() noexcept {
  const DWORD slot = g_slot.load();
  return slot == TLS_OUT_OF_INDEXES ? nullptr : TlsGetValue(slot);
}

void SetThreadContextSlot(void* value) noexcept {
  if (const DWORD slot = value ? Slot() : g_slot.load(); slot != TLS_OUT_OF_INDEXES) TlsSetValue(slot, value);
}

void FreeThreadContextSlot() noexcept {
  const DWORD slot = g_slot.exchange(TLS_OUT_OF_INDEXES);
  if (slot != TLS_OUT_OF_INDEXES) TlsFree(slot);
}

}  // namespace base
