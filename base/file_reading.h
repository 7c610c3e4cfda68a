// Reading a whole file of the program into memory, within a size limit.
//
//   std::string bytes;
//   std::error_code ec = readWholeFile(path, kLimit, bytes);
//   if (ec) ...;  // the caller shows its message with ec.message()
//
// Rules:
//  - Only a regular file is read (a symbolic link is followed). A folder
//    gives EISDIR; a device, pipe or socket gives fileReadError::notRegular
//    (such a file can deliver bytes without end, or wait for them).
//  - A file of more than maxBytes bytes gives EFBIG. The limit also holds
//    for files that state no size (those under /proc state 0): reading
//    stops one byte past the limit.
//  - A read failure gives the system's reason (EIO for a failing medium);
//    nothing is thrown, whatever the file does. Memory that cannot be had
//    gives ENOMEM.
//  - On failure `bytes` is empty.
#pragma once

#include <cstdint>
#include <string>
#include <system_error>

namespace tavrel {

enum class fileReadError {
  notRegular = 1,  // "not a regular file"
};

const std::error_category& fileReadCategory();
std::error_code make_error_code(fileReadError e);

// Opens a file for reading by the rules above (a regular file, without
// waiting for a pipe's writer); on success `fd` is the open descriptor,
// which the caller closes, else -1. For readers that go through a file
// of any size in pieces.
std::error_code openRegularFile(const std::string& path, int& fd);

std::error_code readWholeFile(const std::string& path, std::uintmax_t maxBytes, std::string& bytes);

}  // namespace tavrel

template <>
struct std::is_error_code_enum<tavrel::fileReadError> : std::true_type {};
