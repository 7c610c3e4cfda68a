#include "dxf/dxf_sink.h"

#include <cerrno>
#include <filesystem>
#include <system_error>

namespace tavrel {

namespace {

// A new file beside `target`, opened exclusively; empty path on failure.
std::string createTemporaryBeside(const std::string& target, std::FILE*& file) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    static unsigned counter = 0;
    std::string name = target + ".~" + std::to_string(++counter) + "-" + std::to_string(attempt);
    file = std::fopen(name.c_str(), "wbx");
    if (file) return name;
    if (errno != EEXIST) break;
  }
  file = nullptr;
  return {};
}

}  // namespace

bool DxfSink::open(const std::string& target) {
  namespace fs = std::filesystem;
  abandon();
  failed_ = false;
  // A link is followed to its file, which is then replaced (the link
  // stays). A target that exists and is neither a regular file nor a
  // folder is written directly, since a rename cannot replace it.
  std::error_code ec;
  target_ = target;
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target_ = resolved.string();
  }
  const fs::file_status status = fs::status(target_, ec);
  if (fs::is_directory(status)) return false;
  if (fs::exists(status) && !fs::is_regular_file(status)) {
    file_ = std::fopen(target_.c_str(), "wb");
    temporary_.clear();
  } else {
    temporary_ = createTemporaryBeside(target_, file_);
  }
  // The blocks come in large pieces already.
  if (file_) std::setvbuf(file_, nullptr, _IONBF, 0);
  return file_ != nullptr;
}

bool DxfSink::write(const char* data, std::size_t size) {
  if (!file_ || failed_) return false;
  if (size > 0 && std::fwrite(data, 1, size, file_) != size) failed_ = true;
  return !failed_;
}

bool DxfSink::commit() {
  if (!file_) return false;
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (failed_ || !closed) {
    failed_ = true;
    abandon();
    return false;
  }
  if (!temporary_.empty()) {
    std::error_code ec;
    std::filesystem::rename(temporary_, target_, ec);
    if (ec) {
      abandon();
      return false;
    }
    temporary_.clear();
  }
  return true;
}

void DxfSink::abandon() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!temporary_.empty()) {
    std::error_code ec;
    std::filesystem::remove(temporary_, ec);
    temporary_.clear();
  }
}

}  // namespace tavrel
