#include "plot/atomic_file.h"

#include <cerrno>
#include <filesystem>

#include "core/language.h"
#include "core/platform.h"

namespace tavrel {

namespace fs = std::filesystem;

namespace {
std::error_code lastError(int fallback = EIO) {
  return std::error_code(errno != 0 ? errno : fallback, std::generic_category());
}
}  // namespace

AtomicFileWriter::~AtomicFileWriter() { abandon(); }

std::error_code AtomicFileWriter::open(const std::string& path) {
  abandon();
  path_ = path;
  std::error_code ec;
  fs::path target(path);
  const fs::file_status st = fs::status(target, ec);
  if (fs::exists(st) && !fs::is_regular_file(st)) {
    // Devices and other special files: write in place.
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) return lastError();
    direct_ = true;
    writingPath_ = path;
    return {};
  }
  if (fs::is_symlink(fs::symlink_status(target, ec))) {
    // Replace the file the link points to, not the link.
    const fs::path resolved = fs::canonical(target, ec);
    if (!ec) target = resolved;
  }
  direct_ = false;
  for (int n = 0; n < 1000; ++n) {
    std::string candidate = target.string() + ".~tmp" + std::to_string(n);
    errno = 0;
    file_ = std::fopen(candidate.c_str(), "wbx");  // exclusive: never reuse a stranger's file
    if (file_) {
      writingPath_ = std::move(candidate);
      renameTarget_ = target.string();
      return {};
    }
    if (errno != EEXIST) return lastError();
  }
  return std::make_error_code(std::errc::file_exists);
}

std::error_code AtomicFileWriter::write(std::string_view data) {
  if (!file_) return std::make_error_code(std::errc::bad_file_descriptor);
  if (data.empty()) return {};
  errno = 0;
  const std::size_t n = std::fwrite(data.data(), 1, data.size(), file_);
  if (n != data.size()) return lastError();
  errno = 0;
  if (std::fflush(file_) != 0) return lastError();
  return {};
}

std::error_code AtomicFileWriter::commit() {
  if (!file_) return std::make_error_code(std::errc::bad_file_descriptor);
  errno = 0;
  const bool flushed = std::fflush(file_) == 0 && !std::ferror(file_);
  std::error_code ec = flushed ? std::error_code{} : lastError();
  errno = 0;
  if (std::fclose(file_) != 0 && !ec) ec = lastError();
  file_ = nullptr;
  if (!direct_) {
    if (!ec) fs::rename(writingPath_, renameTarget_, ec);
    if (ec) {
      std::error_code ignored;
      fs::remove(writingPath_, ignored);
    }
  }
  writingPath_.clear();
  return ec;
}

void AtomicFileWriter::abandon() {
  if (!file_) return;
  std::fclose(file_);
  file_ = nullptr;
  if (!direct_) {
    std::error_code ignored;
    fs::remove(writingPath_, ignored);
  }
  writingPath_.clear();
}

void reportFileWriteError(const std::string& path, std::error_code ec) {
  std::string text = messageText(53) + "\n\r" + path;
  if (ec) text += "\n\r" + ec.message();
  showMessage(MsgCaption::Error, MsgIcon::Error, text);
}

}  // namespace tavrel
