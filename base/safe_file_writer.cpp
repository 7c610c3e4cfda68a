#include "base/safe_file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

namespace tavrel {

namespace fs = std::filesystem;

namespace {

std::error_code systemError(int fallback = EIO) {
  return std::error_code(errno != 0 ? errno : fallback, std::generic_category());
}

// The file a path names once its symbolic links are followed, link by
// link, also when the last one points to a file that does not exist yet
// (it is then created there). ELOOP after 40 links, as the system counts.
std::error_code followLinks(fs::path& target) {
  for (int hops = 0;; ++hops) {
    std::error_code ec;
    if (!fs::is_symlink(fs::symlink_status(target, ec))) return {};
    if (hops == 40) return std::make_error_code(std::errc::too_many_symbolic_link_levels);
    const fs::path link = fs::read_symlink(target, ec);
    if (ec) return ec;
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
}

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

SafeFileWriter::~SafeFileWriter() { abandon(); }

std::error_code SafeFileWriter::open(const std::string& path) {
  abandon();
  path_ = path;
  failed_.clear();
  if (path.empty()) return std::make_error_code(std::errc::no_such_file_or_directory);

  // Replace the file a link points to, in that file's folder; the link
  // keeps pointing where it pointed.
  fs::path target(path);
  if (const std::error_code ec = followLinks(target)) return ec;
  struct stat old {};
  const bool exists = ::stat(target.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return std::make_error_code(std::errc::is_a_directory);
  // A file the user may not write is not replaced behind its back (a
  // rename needs only the folder's permission).
  errno = 0;
  if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) return systemError(EACCES);
  if (exists && !S_ISREG(old.st_mode)) {
    // Devices, pipes and other special files: written in place.
    errno = 0;
    fd_ = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC);
    if (fd_ < 0) return systemError();
    inPlace_ = true;
    writingPath_ = path;
    return {};
  }

  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  errno = 0;
  const int fd = ::mkostemp(temp.data(), O_CLOEXEC);  // exclusive, mode 0600
  if (fd < 0) return systemError();
  if (::fchmod(fd, exists ? (old.st_mode & 07777) : newFileMode()) != 0) {
    const std::error_code err = systemError();
    ::close(fd);
    ::unlink(temp.c_str());
    return err;
  }
  fd_ = fd;
  inPlace_ = false;
  writingPath_ = std::move(temp);
  renameTarget_ = target.string();
  return {};
}

std::error_code SafeFileWriter::write(std::string_view data) {
  if (fd_ < 0) return std::make_error_code(std::errc::bad_file_descriptor);
  if (failed_) return failed_;
  const char* p = data.data();
  std::size_t left = data.size();
  while (left > 0) {
    errno = 0;
    const ssize_t n = ::write(fd_, p, left);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      failed_ = systemError();
      return failed_;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return {};
}

std::error_code SafeFileWriter::commit() {
  if (fd_ < 0) return std::make_error_code(std::errc::bad_file_descriptor);
  std::error_code ec = failed_;
  errno = 0;
  // Devices need no fsync (a terminal or pipe refuses it).
  if (!ec && !inPlace_ && ::fsync(fd_) != 0) ec = systemError();
  errno = 0;
  if (::close(fd_) != 0 && !ec) ec = systemError();
  fd_ = -1;
  if (!inPlace_) {
    errno = 0;
    if (!ec && ::rename(writingPath_.c_str(), renameTarget_.c_str()) != 0) ec = systemError();
    if (ec) ::unlink(writingPath_.c_str());
  }
  writingPath_.clear();
  failed_.clear();
  return ec;
}

void SafeFileWriter::abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  if (!inPlace_) ::unlink(writingPath_.c_str());
  writingPath_.clear();
  failed_.clear();
}

std::error_code writeFileSafely(const std::string& path, std::string_view bytes) {
  SafeFileWriter file;
  std::error_code ec = file.open(path);
  if (!ec) ec = file.write(bytes);
  if (!ec) ec = file.commit();
  return ec;  // the destructor abandons an unfinished file
}

}  // namespace tavrel
