// The Windows side of the portable tools.
#include "base/handles.h"

#include "base/error.h"
#include "base/module.h"
#include "base/winstr.h"
#include "common/tools_platform.h"

namespace common::platform {

PathKind KindOf(const std::string& path) {
  DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return PathKind::Missing;
  return (attributes & FILE_ATTRIBUTE_DIRECTORY) ? PathKind::Folder : PathKind::File;
}

bool AnyFileMatches(const std::string& pattern) {
  WIN32_FIND_DATAA data;
  base::UniqueFind find(FindFirstFileA(pattern.c_str(), &data));
  if (!find) return false;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) return true;
  } while (FindNextFileA(find.get(), &data));
  return false;
}

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

std::string ResourceString(std::int32_t number) {
  // With no buffer the call hands out the resource's own text, whatever its
  // length.
  const wchar_t* text = nullptr;
  int n = number >= 0 && number <= 0xFFFF
              ? LoadStringW(base::ThisModule(), static_cast<UINT>(number),
                            reinterpret_cast<LPWSTR>(&text), 0)
              : 0;
  if (n <= 0 || !text)
    base::RaiseError(326, "LoadResStringEx",
                     "Resource with identifier '" + std::to_string(number) + "' not found");
  return base::Narrow(std::wstring_view(text, static_cast<size_t>(n)));
}

}  // namespace common::platform
