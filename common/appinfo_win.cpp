#include <windows.h>

#include <cstdio>
#include <vector>

#include "common/appinfo.h"

namespace common {

namespace {

// The module that holds this function: in Fennick the library, not the shell.
HMODULE OwnModule() {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCSTR>(&OwnModule), &module))
    return nullptr;
  return module;
}

std::string OwnModulePath() {
  HMODULE module = OwnModule();
  if (!module) return {};
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace

std::string ProgramFolder() {
  std::string path = OwnModulePath();
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ModuleVersionString(const std::string& field) {
  std::string path = OwnModulePath();
  if (path.empty()) return {};
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};

  struct Translation {
    WORD language;
    WORD codePage;
  };
  Translation* translations = nullptr;
  UINT length = 0;
  std::vector<Translation> tried;
  if (VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) &&
      translations)
    tried.assign(translations, translations + length / sizeof(Translation));
  // Resources written without a translation table are usually US English.
  tried.push_back({0x0409, 1252});
  tried.push_back({0x0409, 1200});

  for (const Translation& t : tried) {
    char query[64];
    std::snprintf(query, sizeof query, "\\StringFileInfo\\%04x%04x\\%s", t.language, t.codePage, "");
    std::string name = query + field;
    char* text = nullptr;
    UINT chars = 0;
    if (VerQueryValueA(block.data(), name.c_str(), reinterpret_cast<void**>(&text), &chars) && text) {
      std::string value(text, chars);
      size_t nul = value.find('\0');
      if (nul != std::string::npos) value.resize(nul);
      return value;
    }
  }
  return {};
}

}  // namespace common
