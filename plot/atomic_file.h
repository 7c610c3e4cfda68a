// Writing a file so that a failure never leaves a damaged file under the
// target name: the data go to a temporary file in the target's folder,
// which replaces the target only when everything was written and closed.
// A target that exists and is not a regular file (a device such as a
// printer port or /dev/null) is written directly, since it cannot be
// replaced by a rename.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <system_error>

namespace tavrel {

class AtomicFileWriter {
 public:
  AtomicFileWriter() = default;
  AtomicFileWriter(const AtomicFileWriter&) = delete;
  AtomicFileWriter& operator=(const AtomicFileWriter&) = delete;
  // An unfinished file is abandoned (its temporary file removed).
  ~AtomicFileWriter();

  // Creates the temporary file for `path`; an open file is abandoned first.
  std::error_code open(const std::string& path);
  // Appends the bytes as they are and flushes them to the system.
  std::error_code write(std::string_view data);
  // Closes and renames the file over the target. On failure the temporary
  // file is removed and the target is left as it was.
  std::error_code commit();
  // Closes and removes the temporary file; the target is untouched.
  void abandon();

  bool isOpen() const { return file_ != nullptr; }
  const std::string& path() const { return path_; }
  // The file being written (the target itself for devices).
  const std::string& writingPath() const { return writingPath_; }

 private:
  std::FILE* file_ = nullptr;
  std::string path_;
  std::string writingPath_;
  std::string renameTarget_;  // the target, links resolved
  bool direct_ = false;
};

// Message 53 ("Unable to save file!") with the file name and the system's
// reason, error caption.
void reportFileWriteError(const std::string& path, std::error_code ec);

}  // namespace tavrel
