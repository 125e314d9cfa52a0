#include "designer/MainDocument.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

namespace designer {

std::string MainTitle(const std::string& appTitle, const std::string& filename, bool dirty) {
  std::string title = appTitle + " - " + (filename.empty() ? std::string("Untitled") : filename);
  if (dirty) title += '*';
  return title;
}

bool ReadWholeFile(const std::string& path, std::string& bytes, std::string& error) {
  std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
  if (!in) {
    error = std::strerror(errno ? errno : ENOENT);
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = "The file could not be read";
    return false;
  }
  return true;
}

bool WriteFileSafely(const std::string& path, const std::string& bytes, std::string& error) {
  namespace fs = std::filesystem;
  const fs::path target = fs::u8path(path);
  fs::path temp = target;
  temp += ".tmp~";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) {
      error = std::strerror(errno ? errno : EACCES);
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      error = "Not all of the file could be written";
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  fs::rename(temp, target, ec);
  if (ec) {
    error = ec.message();
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

}  // namespace designer
