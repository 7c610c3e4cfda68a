#include "base/file_reading.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <new>
#include <utility>

namespace tavrel {

namespace {

class FileReadCategory : public std::error_category {
 public:
  const char* name() const noexcept override { return "file reading"; }
  std::string message(int value) const override {
    return value == static_cast<int>(fileReadError::notRegular) ? "not a regular file"
                                                                 : "file reading error";
  }
};

std::error_code lastError() {
  return std::error_code(errno != 0 ? errno : EIO, std::generic_category());
}

// Closes the descriptor however the reading ends.
struct Descriptor {
  int fd;
  ~Descriptor() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

const std::error_category& fileReadCategory() {
  static const FileReadCategory category;
  return category;
}

std::error_code make_error_code(fileReadError e) {
  return std::error_code(static_cast<int>(e), fileReadCategory());
}

std::error_code openRegularFile(const std::string& path, int& fd) {
  fd = -1;
  errno = 0;
  // O_NONBLOCK: opening a pipe without a writer must not wait; the type
  // is checked on the open descriptor, so nothing can be swapped in
  // between.
  Descriptor file{::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)};
  if (file.fd < 0) return lastError();
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return lastError();
  if (S_ISDIR(info.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  if (!S_ISREG(info.st_mode)) return fileReadError::notRegular;
  std::swap(fd, file.fd);
  return {};
}

std::error_code readWholeFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes) {
  bytes.clear();
  Descriptor file{-1};
  if (const std::error_code ec = openRegularFile(path, file.fd)) return ec;
  struct stat info {};
  if (::fstat(file.fd, &info) != 0) return lastError();
  if (info.st_size < 0 || static_cast<std::uintmax_t>(info.st_size) > maxBytes)
    return std::make_error_code(std::errc::file_too_large);
  try {
    // A stated size may be wrong (0 for the files of /proc): the bytes
    // are read until the end, and one byte past the limit is too many.
    std::string data;
    data.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t used = 0;
    for (;;) {
      if (used == data.size()) {
        if (data.size() > maxBytes) return std::make_error_code(std::errc::file_too_large);
        data.resize(std::min<std::uintmax_t>(maxBytes + 1, std::max<std::size_t>(data.size() * 2, 4096)));
      }
      errno = 0;
      const ssize_t n = ::read(file.fd, data.data() + used, data.size() - used);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) return lastError();
      if (n == 0) break;
      used += static_cast<std::size_t>(n);
    }
    if (used > maxBytes) return std::make_error_code(std::errc::file_too_large);
    data.resize(used);
    bytes = std::move(data);
  } catch (const std::bad_alloc&) {
    return std::make_error_code(std::errc::not_enough_memory);
  }
  return {};
}

}  // namespace tavrel
