#include <windows.h>

#include <algorithm>

#include "base/error.h"
#include "base/handles.h"
#include "config/BinaryFile.h"

namespace config {

struct DiskFile::Handle {
  base::UniqueFile file;
};

namespace {

[[noreturn]] void RaiseOpenError(DWORD code, const std::string& path) {
  long number = base::kErrPathFileAccess;
  if (code == ERROR_FILE_NOT_FOUND) number = base::kErrFileNotFound;
  else if (code == ERROR_PATH_NOT_FOUND || code == ERROR_INVALID_NAME || code == ERROR_BAD_NETPATH)
    number = base::kErrPathNotFound;
  base::RaiseError(number, "Open", base::ErrorDescription(number) + ": " + path);
}

}  // namespace

DiskFile::DiskFile(const std::string& path, Mode mode) : m_handle(std::make_unique<Handle>()), m_path(path) {
  const bool write = mode == Mode::kReadWrite;
  HANDLE h = CreateFileA(path.c_str(), write ? GENERIC_READ | GENERIC_WRITE : GENERIC_READ,
                         write ? FILE_SHARE_READ : FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         write ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) RaiseOpenError(GetLastError(), path);
  m_handle->file.reset(h);
}

DiskFile::~DiskFile() = default;

void DiskFile::Close() noexcept { m_handle->file.reset(); }

void DiskFile::Read(char* data, size_t size) {
  if (!m_handle->file) base::RaiseError(base::kErrPathFileAccess, "Get");
  size_t done = 0;
  while (done < size) {
    DWORD got = 0;
    const DWORD ask = static_cast<DWORD>(std::min<size_t>(size - done, 1u << 20));
    if (!ReadFile(m_handle->file.get(), data + done, ask, &got, nullptr))
      base::RaiseError(base::kErrPathFileAccess, "Get");
    if (got == 0) base::RaiseError(base::kErrPastEnd, "Get");
    done += got;
  }
}

void DiskFile::Write(std::string_view bytes) {
  if (!m_handle->file) base::RaiseError(base::kErrPathFileAccess, "Put");
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD put = 0;
    const DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!WriteFile(m_handle->file.get(), bytes.data() + done, ask, &put, nullptr) || put == 0)
      base::RaiseError(base::kErrPathFileAccess, "Put",
                       "Could not write the file " + m_path + " (system error " + std::to_string(GetLastError()) + ")");
    done += put;
  }
}

std::int64_t DiskFile::Length() const {
  LARGE_INTEGER size{};
  if (!m_handle->file || !GetFileSizeEx(m_handle->file.get(), &size)) return 0;
  return size.QuadPart;
}

namespace {

bool HeldByAnother(DWORD code) { return code == ERROR_SHARING_VIOLATION || code == ERROR_LOCK_VIOLATION; }

}  // namespace

std::optional<std::string> ReadWholeFileNow(const std::string& path, unsigned waitMs, std::string& why) {
  const ULONGLONG deadline = GetTickCount64() + waitMs;
  for (;;) {
    DWORD code = ERROR_SUCCESS;
    base::UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      code = GetLastError();
    } else if (GetFileType(file.get()) != FILE_TYPE_DISK) {
      // A device would block the reader or hand it endless bytes.
      why = "not a disk file";
      return std::nullopt;
    } else {
      LARGE_INTEGER size{};
      if (!GetFileSizeEx(file.get(), &size) || size.QuadPart < 0 || size.QuadPart > 0x7FFFFFFF) {
        why = "no size";
        return std::nullopt;
      }
      std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
      size_t done = 0;
      while (done < bytes.size()) {
        DWORD got = 0;
        const DWORD ask = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(file.get(), bytes.data() + done, ask, &got, nullptr)) {
          code = GetLastError();
          break;
        }
        if (got == 0) break;  // it shrank under us: what is there is the file
        done += got;
      }
      if (code == ERROR_SUCCESS) {
        bytes.resize(done);
        return bytes;
      }
    }
    if (!HeldByAnother(code) || GetTickCount64() >= deadline) {
      why = "system error " + std::to_string(code);
      return std::nullopt;
    }
    Sleep(20);
  }
}

}  // namespace config
