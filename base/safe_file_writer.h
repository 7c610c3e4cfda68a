// The one writer of every file the program saves (plot files, DXF,
// settings, date lists, tables, coordinates, pictures): a failure never
// leaves a damaged file under the target name.
//
//   SafeFileWriter file;
//   std::error_code ec = file.open(path);     // temporary file beside path
//   if (!ec) ec = file.write(block);          // any number of blocks
//   if (!ec) ec = file.commit();              // fsync, close, rename over path
//   if (ec) file.abandon();                   // the caller shows its message
//
// Rules:
//  - The bytes go to a new temporary file in the target's folder, created
//    exclusively (never a stranger's file) as "." + name + ".XXXXXX". commit()
//    flushes it to disk (fsync), closes it and renames it over the target;
//    only then does the target change. Any failure, and abandon() or the
//    destructor of an unfinished file, removes the temporary file and leaves
//    the target exactly as it was.
//  - A symbolic link at the target is followed, link by link: the file it
//    points to is replaced (or created, when it does not exist yet) in its
//    own folder; the link stays and keeps pointing where it pointed.
//  - An existing target that the user may not write (its permission bits,
//    a read-only file system) is refused with the system's reason
//    (EACCES, EROFS), although the folder would allow the rename.
//  - The permission bits of an existing target are kept; a new file gets
//    0666 less the process's umask.
//  - A target that exists and is neither a regular file nor a folder (a
//    device such as /dev/null, /dev/full, /dev/stdout, a printer port or a
//    pipe) cannot be replaced by a rename and is written in place: open()
//    opens it for writing, write() hands each block to it, commit() closes
//    it. A folder as target fails with EISDIR.
//  - write() hands every block to the system at once (no buffering), so a
//    full disk or device is reported by the write that meets it.
//  - Results are std::error_code values with the system's reason (empty on
//    success); no function here shows a message. The callers turn a failure
//    into their message (e.g. reportFileWriteError in core/text_file.h).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <system_error>

namespace tavrel {

class SafeFileWriter {
 public:
  SafeFileWriter() = default;
  SafeFileWriter(const SafeFileWriter&) = delete;
  SafeFileWriter& operator=(const SafeFileWriter&) = delete;
  // An unfinished file is abandoned.
  ~SafeFileWriter();

  // Starts a file for `path`; an open file is abandoned first.
  std::error_code open(const std::string& path);
  // Appends the bytes as they are. After a failure the file stays open
  // until commit() or abandon(); commit() then fails again.
  std::error_code write(std::string_view data);
  std::error_code write(const char* data, std::size_t size) {
    return write(std::string_view(data, size));
  }
  // Flushes to disk, closes and renames over the target (closes a device).
  // On failure the temporary file is removed and the target is untouched.
  std::error_code commit();
  // Closes and removes the temporary file; the target is untouched.
  void abandon();

  bool isOpen() const { return fd_ >= 0; }
  // The target as given to open().
  const std::string& path() const { return path_; }
  // The file being written: the temporary file, or the target itself for
  // devices.
  const std::string& writingPath() const { return writingPath_; }
  // True when the target is a device written in place.
  bool writesInPlace() const { return inPlace_; }

 private:
  int fd_ = -1;
  std::error_code failed_;  // the first write failure, repeated by commit()
  std::string path_;
  std::string writingPath_;
  std::string renameTarget_;  // the target, links resolved
  bool inPlace_ = false;
};

// A whole file at once: open, write, commit (abandon on failure).
std::error_code writeFileSafely(const std::string& path, std::string_view bytes);

}  // namespace tavrel
