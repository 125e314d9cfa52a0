// Windows only: GDI handles as picture objects.
#pragma once
#include <windows.h>
#include <ocidl.h>

#include <cstdint>

#include "base/handles.h"

namespace common {

// A picture that owns the handle (PICTYPE_BITMAP 1, PICTYPE_ICON 3, ...) and
// destroys it when released; none when the system refuses, and then the
// handle stays the caller's.
base::ComPtr<IPicture> GDIHandleToPicture(HANDLE handle, std::int32_t pictureType, HPALETTE palette);

}  // namespace common
