// A temporary file that is removed when the command that made it ends,
// however it ends (the intermediate plot of a DXF save).
#pragma once

#include <filesystem>
#include <string>
#include <system_error>

namespace tavrel {

class TemporaryFile {
 public:
  // Removes a file left at `path` from an earlier run; an empty path does nothing.
  explicit TemporaryFile(std::string path) : path_(std::move(path)) { remove(); }
  ~TemporaryFile() { remove(); }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  void remove() {
    std::error_code ec;
    if (!path_.empty() && !std::filesystem::is_directory(path_, ec)) std::filesystem::remove(path_, ec);
  }

 private:
  std::string path_;
};

}  // namespace tavrel
