#include "core/text_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/text_encoding.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {

// The program's own files are a few kilobytes; anything far larger is not
// one of them and is not read into memory.
constexpr std::uintmax_t kMaxTextFileBytes = 16u * 1024u * 1024u;

bool writeAll(int fd, const std::string& bytes) {
  const char* p = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    const ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    p += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::optional<std::vector<std::string>> readTextFileLines(const std::string& path) {
  std::error_code ec;
  // Only plain files: a device or pipe could deliver bytes without end.
  if (!fs::is_regular_file(path, ec)) return std::nullopt;
  const std::uintmax_t size = fs::file_size(path, ec);
  if (ec || size > kMaxTextFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return splitLines(decodeFileText(bytes));
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
  if (path.empty()) return false;
  fs::path target(path);
  std::error_code ec;
  if (fs::is_symlink(target, ec)) {
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  struct stat old {};
  const bool hadFile = ::stat(target.c_str(), &old) == 0;
  if (hadFile && !S_ISREG(old.st_mode)) return false;  // never replace a folder or device

  fs::path folder = target.parent_path();
  if (folder.empty()) folder = ".";
  std::string tempName = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(tempName.data());
  if (fd < 0) return false;

  bool ok = ::fchmod(fd, hadFile ? (old.st_mode & 07777) : newFileMode()) == 0;
  ok = ok && writeAll(fd, bytes);
  ok = ok && ::fsync(fd) == 0;
  ok = ::close(fd) == 0 && ok;
  ok = ok && ::rename(tempName.c_str(), target.c_str()) == 0;
  if (!ok) ::unlink(tempName.c_str());
  return ok;
}

bool writeTextFileLines(const std::string& path, const std::vector<std::string>& lines) {
  return writeFileAtomically(path, encodeFileLines(lines));
}

std::string fileNameWithoutDirectory(const std::string& path) {
  return fs::path(path).filename().string();
}

}  // namespace tavrel
