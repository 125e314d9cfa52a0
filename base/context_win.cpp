#include <windows.h>

#include "base/context.h"

namespace base {

namespace {

DWORD Slot() noexcept {
  // Allocated once per process; a DLL keeps it until it is unloaded.
  static const DWORD slot = TlsAlloc();
  return slot;
}

}  // namespace

void* GetThreadContextSlot() noexcept {
  return Slot() == TLS_OUT_OF_INDEXES ? nullptr : TlsGetValue(Slot());
}

void SetThreadContextSlot(void* value) noexcept {
  if (Slot() != TLS_OUT_OF_INDEXES) TlsSetValue(Slot(), value);
}

}  // namespace base
