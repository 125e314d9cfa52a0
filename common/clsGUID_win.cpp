#include <windows.h>
#include <objbase.h>

#include "base/error.h"
#include "base/winstr.h"
#include "common/clsGUID.h"

namespace common {

std::string clsGUID::Create() const {
  GUID guid;
  HRESULT hr = CoCreateGuid(&guid);
  if (FAILED(hr)) base::RaiseError(static_cast<long>(hr), "clsGUID.Create", "No identifier could be made");
  wchar_t buffer[40] = {};
  int written = StringFromGUID2(guid, buffer, 40);  // counts the terminator
  if (written <= 0) base::RaiseError(base::kErrOverflow, "clsGUID.Create");
  return base::Narrow(std::wstring_view(buffer, static_cast<size_t>(written - 1)));
}

}  // namespace common
