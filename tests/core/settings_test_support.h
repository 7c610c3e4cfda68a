// Shared scaffolding of the settings-file tests: a fresh record started as
// the program starts (scripted platform, fixed clock), a private folder
// that is the current directory, and raw file helpers.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"

namespace tavrel::test {

inline const std::string kSettingsFixtures =
    std::string(TAVREL_SOURCE_DIR) + "/tests/fixtures/settings/";

inline std::string readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A fixture file's bytes; a missing fixture fails the test.
inline std::string fixtureBytes(const std::string& name) {
  const std::string path = kSettingsFixtures + name;
  EXPECT_TRUE(std::filesystem::exists(path)) << "missing fixture " << path;
  return readBytes(path);
}

// Lines of CR LF text, bytes untouched (Windows-1252 stays as it is).
inline std::vector<std::string> crlfLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < bytes.size()) {
    const std::size_t end = bytes.find("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(bytes.substr(start));
      break;
    }
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  return lines;
}

inline std::string joinCrlf(const std::vector<std::string>& lines) {
  std::string s;
  for (const auto& l : lines) s += l + "\r\n";
  return s;
}

class SettingsTestBase : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavrel-settings-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    design() = DesignState{};
    platform_->clock = {2024, 6, 15, 10, 30, 0};
    platform_->currentDir = dir_;
    startProgram();
    platform_->boxes.clear();
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::permissions(dir_, std::filesystem::perms::owner_all, ec);
    std::filesystem::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return dir_ + "/" + name; }

  ScopedScriptedPlatform platform_;
  std::string dir_;
};

}  // namespace tavrel::test
