// Small helpers shared by the libFuzzer harnesses of this folder.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"

namespace tavrel::fuzz {

// A property the harness checks beyond the sanitizers: a violation stops
// the fuzzer with the input saved as a crash.
inline void check(bool condition, const char* what = "check failed") {
  if (!condition) {
    std::fprintf(stderr, "fuzz harness: %s\n", what);
    std::abort();
  }
}

// A folder of its own for the files of one fuzzer process, on a memory file
// system where there is one (the safe writer flushes every file to disk,
// which a real disk makes slow); removed at exit.
class FuzzFolder {
 public:
  FuzzFolder() {
    const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/tavrel-fuzz-XXXXXX";
    if (!mkdtemp(pattern.data())) std::abort();
    path_ = pattern;
  }
  ~FuzzFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  FuzzFolder(const FuzzFolder&) = delete;
  FuzzFolder& operator=(const FuzzFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

  // Removes every file in the folder.
  void clear() const {
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      std::error_code ec;
      std::filesystem::remove_all(entry.path(), ec);
    }
  }

 private:
  std::string path_;
};

// Writes the bytes to path (replacing the file).
inline void writeBytes(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  if (!out) std::abort();
}

// The bytes of a file; nullopt when it cannot be read.
inline std::optional<std::string> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The program as started in a folder of its own with the scripted platform
// (answers from its queue, a fixed clock); `started` is the design record
// right after start-up, for resetting between inputs.
struct StartedProgram {
  FuzzFolder folder;
  ScriptedPlatform platform;
  DesignState started;
  StartedProgram() {
    platform.currentDir = folder.path();
    setPlatform(&platform);
    startProgram();
    started = design();
  }
};

}  // namespace tavrel::fuzz
