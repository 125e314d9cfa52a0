// The profile calls with buffers that grow until the whole text fits.
#include <windows.h>

#include <vector>

#include "actions/profilefile.h"
#include "base/error.h"

namespace actions {

namespace {

constexpr DWORD kFirstBuffer = 256;
// No file of ours comes near it; the bound only keeps a broken service from
// making us grow forever.
constexpr DWORD kLargestBuffer = 64u << 20;

// Calls read(buffer, size) with a growing buffer until the answer is
// shorter than full, as the service answers a text it had to cut.
template <class Read>
std::string ReadWhole(DWORD cutMargin, Read read) {
  std::vector<char> buffer(kFirstBuffer);
  for (;;) {
    DWORD size = static_cast<DWORD>(buffer.size());
    DWORD n = read(buffer.data(), size);
    if (n + cutMargin < size || size >= kLargestBuffer) return std::string(buffer.data(), n < size ? n : size);
    buffer.assign(static_cast<size_t>(size) * 2, '\0');
  }
}

void CheckSection(const std::string& section, const char* source) {
  if (!IsValidSectionName(section))
    base::RaiseError(base::kErrInvalidCall, source, "Invalid action identifier '" + section + "'");
}

void CheckWritten(BOOL written, const std::string& file, const char* source) {
  if (!written)
    base::RaiseError(base::kErrPathFileAccess, source, "Could not write the file '" + file + "'");
}

}  // namespace

std::string ProfileRead(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& def) {
  // A value that fills the buffer comes back with size - 1 characters.
  return DecodeProfileValue(ReadWhole(1, [&](char* buf, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), key.c_str(), def.c_str(), buf, size, file.c_str());
  }));
}

void ProfileWrite(const std::string& file, const std::string& section, const std::string& key,
                  const std::string& value) {
  CheckSection(section, "ProfileWrite");
  std::string stored = EncodeProfileValue(value);
  CheckWritten(WritePrivateProfileStringA(section.c_str(), key.c_str(), stored.c_str(), file.c_str()), file,
               "ProfileWrite");
}

void ProfileDeleteSection(const std::string& file, const std::string& section) {
  CheckSection(section, "ProfileDeleteSection");
  // Removing a section of a file that does not exist is no failure.
  if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) return;
  CheckWritten(WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, file.c_str()), file,
               "ProfileDeleteSection");
}

std::string ProfileSectionList(const std::string& file) {
  // A list that fills the buffer comes back with size - 2 characters.
  std::string list = ReadWhole(2, [&](char* buf, DWORD size) {
    return GetPrivateProfileSectionNamesA(buf, size, file.c_str());
  });
  if (!list.empty()) list += '\0';
  return list;
}

}  // namespace actions
