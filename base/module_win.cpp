#include "base/module.h"

#include <cstdio>
#include <vector>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace base {

namespace {

// The module's version resource, read whole; empty when it has none.
std::vector<char> VersionBlock() {
  std::string path = ModulePath();
  if (path.empty()) return {};
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
  if (size == 0) return {};
  std::vector<char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return {};
  return block;
}

}  // namespace

// The linker's symbol for the start of the image that holds this code: in
// Fennick the library, not the shell.
HINSTANCE ThisModule() noexcept { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

std::string ModulePath() {
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(ThisModule(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return {};
    if (n < buffer.size()) return std::string(buffer.data(), n);
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

std::string ProgramFolder() {
  std::string path = ModulePath();
  size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ModuleVersionString(const std::string& field) {
  std::vector<char> block = VersionBlock();
  if (block.empty()) return {};

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

bool ModuleFileVersion(ModuleVersion& version) {
  std::vector<char> block = VersionBlock();
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (block.empty() || !VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
    return false;
  version.major = HIWORD(fixed->dwFileVersionMS);
  version.minor = LOWORD(fixed->dwFileVersionMS);
  version.revision = LOWORD(fixed->dwFileVersionLS);
  return true;
}

}  // namespace base
