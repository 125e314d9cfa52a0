// The Windows side of base/text.h: wchar_t text for the interfaces that want it.
#pragma once
#include <string>
#include <string_view>

namespace base {

std::wstring Wide(std::string_view ansi);
std::string Narrow(std::wstring_view wide);

}  // namespace base
