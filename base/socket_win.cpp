#include <winsock2.h>
#include <windows.h>

#include "base/handles.h"

namespace base {

void CloseSocketHandle(UINT_PTR socket) noexcept { closesocket(static_cast<SOCKET>(socket)); }

}  // namespace base
