// Binary access to a configuration file: bytes read and written at a current
// position, one record after another, the way the file was opened by its
// caller. The reading and writing operations never open, position or close
// a file themselves.
#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace config {

class BinaryFile {
 public:
  virtual ~BinaryFile() = default;
  // Reads exactly `size` bytes at the current position and moves past them.
  // When fewer are left, what is there is consumed and error 62 (input past
  // end of file) is raised.
  virtual void Read(char* data, size_t size) = 0;
  // Writes at the current position, over whatever is there, and moves past.
  virtual void Write(std::string_view bytes) = 0;
};

// A file held in memory, so that the fuzzers and the tests read and write
// records without a disk.
class MemoryFile final : public BinaryFile {
 public:
  MemoryFile() = default;
  explicit MemoryFile(std::string bytes) : m_bytes(std::move(bytes)) {}

  void Read(char* data, size_t size) override;
  void Write(std::string_view bytes) override;

  const std::string& Bytes() const noexcept { return m_bytes; }
  size_t Position() const noexcept { return m_position; }
  void Seek(size_t position) noexcept { m_position = position; }

 private:
  std::string m_bytes;
  size_t m_position = 0;
};

// A file on disk through the system's own file calls, opened for binary
// access at its first byte.
class DiskFile final : public BinaryFile {
 public:
  enum class Mode {
    kRead,       // an existing file, for reading
    kReadWrite,  // created when missing; never truncated, so a shorter save keeps the old tail
  };

  // A file that cannot be opened raises 53 (file not found), 76 (path not
  // found) or 75 (path/file access error).
  DiskFile(const std::string& path, Mode mode);
  ~DiskFile() override;
  DiskFile(const DiskFile&) = delete;
  DiskFile& operator=(const DiskFile&) = delete;

  void Read(char* data, size_t size) override;
  void Write(std::string_view bytes) override;

  std::int64_t Length() const;
  // Closes the file now instead of at destruction.
  void Close() noexcept;

 private:
  struct Handle;
  std::unique_ptr<Handle> m_handle;
  std::string m_path;
};

// The whole of a file on disk as it can be read now. Another program that
// holds the file open without sharing (while it saves it, say) is waited
// out for up to `waitMs`. Nothing when the file is missing, is no disk file
// (a device such as CON) or still cannot be read; `why` then says why.
std::optional<std::string> ReadWholeFileNow(const std::string& path, unsigned waitMs, std::string& why);

}  // namespace config
