#include <cerrno>
#include <cstdio>

#include "base/error.h"
#include "config/BinaryFile.h"

namespace config {

struct DiskFile::Handle {
  std::FILE* file = nullptr;
  ~Handle() {
    if (file) std::fclose(file);
  }
};

DiskFile::DiskFile(const std::string& path, Mode mode) : m_handle(std::make_unique<Handle>()), m_path(path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f && mode == Mode::kReadWrite) {
    std::fclose(f);
    f = std::fopen(path.c_str(), "r+b");
  } else if (!f && mode == Mode::kReadWrite && errno == ENOENT) {
    f = std::fopen(path.c_str(), "w+b");
  }
  if (!f) {
    const long number = errno == ENOENT ? base::kErrFileNotFound : base::kErrPathFileAccess;
    base::RaiseError(number, "Open", base::ErrorDescription(number) + ": " + path);
  }
  m_handle->file = f;
}

DiskFile::~DiskFile() = default;

void DiskFile::Close() noexcept {
  if (m_handle->file) std::fclose(m_handle->file);
  m_handle->file = nullptr;
}

void DiskFile::Read(char* data, size_t size) {
  if (!m_handle->file) base::RaiseError(base::kErrPathFileAccess, "Get");
  if (std::fread(data, 1, size, m_handle->file) != size) base::RaiseError(base::kErrPastEnd, "Get");
}

void DiskFile::Write(std::string_view bytes) {
  if (!m_handle->file || std::fwrite(bytes.data(), 1, bytes.size(), m_handle->file) != bytes.size())
    base::RaiseError(base::kErrPathFileAccess, "Put", "Could not write the file " + m_path);
}

std::int64_t DiskFile::Length() const {
  if (!m_handle->file) return 0;
  const long at = std::ftell(m_handle->file);
  std::fseek(m_handle->file, 0, SEEK_END);
  const long size = std::ftell(m_handle->file);
  std::fseek(m_handle->file, at, SEEK_SET);
  return size;
}

std::optional<std::string> ReadWholeFileNow(const std::string& path, unsigned /*waitMs*/, std::string& why) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) {
    why = "errno " + std::to_string(errno);
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, f)) > 0;) bytes.append(buffer, got);
  const bool failed = std::ferror(f) != 0;
  std::fclose(f);
  if (failed) {
    why = "read error";
    return std::nullopt;
  }
  return bytes;
}

}  // namespace config
