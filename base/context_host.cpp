#include "base/context.h"

namespace base {

namespace {
// A plain pointer: nothing runs at thread exit.
thread_local void* t_context = nullptr;
}  // namespace

void* GetThreadContextSlot() noexcept { return t_context; }
void SetThreadContextSlot(void* value) noexcept { t_context = value; }
void FreeThreadContextSlot() noexcept {}

}  // namespace base
