#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>

#include "cli_process.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

class Hpgl2DxfCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("tavrel-hpgl2dxf-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
            "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& text) {
    const fs::path p = dir_ / name;
    std::ofstream(p, std::ios::binary) << text;
    return p.string();
  }
  fs::path dir_;
};

TEST_F(Hpgl2DxfCliTest, ConvertsAPlotFileAndReportsOnStderr) {
  // A 40 mm square at 40 plotter units per millimetre.
  const std::string in = write("square.plt", "IN;SP 1;PU 0 0;PD 1600 0 1600 1600 0 1600 0 0;PU;");
  const std::string out = (dir_ / "square.dxf").string();
  const CliResult r = runCli({"--lang", "en", "hpgl2dxf", in, out, "--line-width", "2"});
  EXPECT_EQ(r.exitCode, 0) << r.err;
  ASSERT_TRUE(fs::exists(out));
  std::ifstream dxf(out, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(dxf)), std::istreambuf_iterator<char>());
  EXPECT_NE(text.find("POLYLINE"), std::string::npos);
  // 1600 plotter units are 40 mm.
  EXPECT_NE(text.find("40.0"), std::string::npos);
  EXPECT_NE(r.err.find("TAVREL.EXE - Information!"), std::string::npos) << r.err;
  // Nothing but the DXF and the input is left in the folder.
  int files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 2);
}

TEST_F(Hpgl2DxfCliTest, RejectsInputThatIsNotHpglAndCreatesNoFile) {
  // No command letter at all: the converter refuses it outright.
  const std::string in = write("letter.txt", "0123 4567\r\n89\r\n");
  const std::string out = (dir_ / "letter.dxf").string();
  const CliResult r = runCli({"hpgl2dxf", in, out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_FALSE(fs::exists(out));
  EXPECT_NE(r.err.find("TAVREL.EXE - Fehler!"), std::string::npos) << r.err;
}

TEST_F(Hpgl2DxfCliTest, NothingConvertedFailsWithMessage45) {
  const std::string in = write("letter.txt", "Dear reader,\nthis is not a plot.\n");
  const std::string out = (dir_ / "letter.dxf").string();
  const CliResult r = runCli({"--lang", "en", "hpgl2dxf", in, out});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.err.find("TAVREL.EXE - Error!: File letter.txt not converted! "
                       "HPGL-file is probably corrupted."),
            std::string::npos)
      << r.err;
}

// A DXF that cannot be written completely (here: the file size limit of
// the process is reached) leaves the old file as it was and nothing else.
TEST_F(Hpgl2DxfCliTest, FailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  std::string plot = "IN;SP1;PU0,0;PD";
  for (int i = 0; i < 20000; ++i) plot += std::to_string(i) + "," + std::to_string(i % 400) + ",";
  plot += "0,0;PU;";
  const std::string in = write("big.plt", plot);
  const std::string out = write("old.dxf", "old contents");

  struct rlimit saved {};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  struct rlimit limit = saved;
  limit.rlim_cur = 256 * 1024;  // the DXF needs several megabytes
  // Beyond the limit a write fails with EFBIG instead of ending the process.
  const auto previous = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
  const CliResult r = runCli({"--lang", "en", "hpgl2dxf", in, out});
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previous);

  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_NE(r.err.find("TAVREL.EXE - Error!: Unable to save file!"), std::string::npos) << r.err;
  EXPECT_EQ(r.err.find("saved!"), std::string::npos) << r.err;
  std::ifstream dxf(out, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(dxf)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "old contents");
  int files = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir_)) ++files;
  EXPECT_EQ(files, 2);
}

TEST_F(Hpgl2DxfCliTest, UsageErrors) {
  const std::string in = write("a.plt", "IN;PU 0 0;PD 10 10;");
  const std::vector<std::vector<std::string>> cases = {
      {"hpgl2dxf"},
      {"hpgl2dxf", in},
      {"hpgl2dxf", in, "b.dxf", "--line-width", "4"},
      {"hpgl2dxf", in, "b.dxf", "--scale", "0"},
      {"hpgl2dxf", in, "b.dxf", "--scale", "abc"},
      {"hpgl2dxf", in, "b.dxf", "--bogus"},
  };
  for (const auto& args : cases) {
    const CliResult r = runCli(args);
    EXPECT_EQ(r.exitCode, 2) << args.back();
    EXPECT_FALSE(fs::exists(dir_ / "b.dxf"));
  }
}

}  // namespace
}  // namespace tavrel::test
