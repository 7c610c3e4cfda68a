// A test fixture with its own empty folder under /tmp, removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>

namespace tavrel {

class ScratchFolderTest : public testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tavrel-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }
  std::string path(const std::string& name) const { return (dir_ / name).string(); }
  std::filesystem::path dir_;
};

}  // namespace tavrel
