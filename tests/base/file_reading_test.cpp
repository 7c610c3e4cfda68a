#include "base/file_reading.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "tests/base/scratch_folder_test.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;

class FileReadingTest : public ScratchFolderTest {};

// Every kind of file a user can pick, with the limit of the readers. None
// of them may throw, wait or read without end; /proc/self/mem states a
// size of 0 and fails on the first read (offset 0 is not mapped).
TEST_F(FileReadingTest, WhatIsReadAndWhatIsRefused) {
  std::ofstream(path("ten.txt"), std::ios::binary) << "0123456789";
  std::ofstream(path("empty.txt"), std::ios::binary);
  fs::create_directory(path("folder"));
  ASSERT_EQ(::mkfifo(path("pipe").c_str(), 0600), 0);
  fs::create_symlink(path("ten.txt"), path("link.txt"));
  struct Case {
    std::string file;
    std::uintmax_t limit;
    std::error_code reason;
    std::string bytes;
  };
  const Case cases[] = {
      {path("ten.txt"), 10, {}, "0123456789"},
      {path("link.txt"), 10, {}, "0123456789"},
      {path("empty.txt"), 10, {}, ""},
      {path("ten.txt"), 9, std::make_error_code(std::errc::file_too_large), ""},
      {path("missing.txt"), 10, std::make_error_code(std::errc::no_such_file_or_directory), ""},
      {path("folder"), 10, std::make_error_code(std::errc::is_a_directory), ""},
      {path("pipe"), 10, fileReadError::notRegular, ""},
      {"/dev/zero", 10, fileReadError::notRegular, ""},
      {"/proc/self/mem", 1u << 20, std::make_error_code(std::errc::io_error), ""},
      // States 0 bytes, holds more than 16.
      {"/proc/self/status", 16, std::make_error_code(std::errc::file_too_large), ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file + " limit " + std::to_string(c.limit));
    std::string bytes = "stale";
    EXPECT_EQ(readWholeFile(c.file, c.limit, bytes), c.reason);
    EXPECT_EQ(bytes, c.bytes);
  }
  EXPECT_EQ(make_error_code(fileReadError::notRegular).message(), "not a regular file");
}

// A file that states no size is read to its end (the files of /proc).
TEST_F(FileReadingTest, FilesThatStateNoSizeAreReadWhole) {
  std::string status;
  ASSERT_FALSE(readWholeFile("/proc/self/status", 1u << 20, status));
  EXPECT_EQ(status.rfind("Name:", 0), 0u);
  EXPECT_NE(status.find("\nPid:\t" + std::to_string(::getpid()) + "\n"), std::string::npos);
}

}  // namespace
}  // namespace tavrel
