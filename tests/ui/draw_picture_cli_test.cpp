// tavrel-cli draw through the Qt painter canvas: a PNG picture of the
// window's size and a PDF of the printed page at true size, without a
// display.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_process.h"
#include "page_raster.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

class DrawPictureCliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("tavrel_drawpic_" + std::to_string(::getpid()) + "_" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string file(const std::string& name) const { return (dir_ / name).string(); }
  int filesInFolder() const {
    int n = 0;
    for (const auto& e : fs::directory_iterator(dir_)) (void)e, ++n;
    return n;
  }
  fs::path dir_;
};

TEST_F(DrawPictureCliTest, PngHasThePictureSize) {
  const std::string out = file("dial.png");
  const CliResult r = runCli({"draw", "--out", out, "--size", "800x500"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.err, "");  // nothing of the window system on standard error
  const std::string png = slurp(out);
  ASSERT_GT(png.size(), 24u);
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  // IHDR: width and height, big-endian, at bytes 16 and 20.
  auto be32 = [&](std::size_t at) {
    return (static_cast<unsigned char>(png[at]) << 24) | (static_cast<unsigned char>(png[at + 1]) << 16) |
           (static_cast<unsigned char>(png[at + 2]) << 8) | static_cast<unsigned char>(png[at + 3]);
  };
  EXPECT_EQ(be32(16), 800u);
  EXPECT_EQ(be32(20), 500u);
  EXPECT_GT(png.size(), 10000u);  // a drawing, not a blank page
  EXPECT_EQ(filesInFolder(), 1);
}

TEST_F(DrawPictureCliTest, PdfIsThePrintedPageAtTrueSize) {
  const std::string out = file("dial.pdf");
  const CliResult r = runCli({"--set", "gnomonLength=40", "draw", "--out", out});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  ASSERT_EQ(slurp(out).substr(0, 5), "%PDF-");
  const std::string info = shell("pdfinfo '" + out + "' 2>&1");
  ASSERT_NE(info.find("Pages:           1"), std::string::npos) << "pdfinfo (poppler-utils) needed: " << info;
  EXPECT_NE(info.find("842 x 595 pts"), std::string::npos) << info;  // A4 landscape
  // At 254 pixels per inch a pixel is 0.1 mm, one unit of the page.
  shell("pdftoppm -r 254 -gray -singlefile '" + out + "' '" + file("page") + "'");
  Greymap page;
  ASSERT_TRUE(readPgm(file("page.pgm"), page)) << "pdftoppm (poppler-utils) needed";
  ASSERT_NEAR(page.width, 2970, 1);
  ASSERT_NEAR(page.height, 2100, 1);
  // The gnomon scale bar: upright strokes at x = 85 and 85 + 400 (40 mm),
  // rising from y = 2100 - 50 - 85.
  const std::vector<double> strokes = darkRunCentres(page, 2100 - 50 - 85 - 20, 0, 700);
  ASSERT_GE(strokes.size(), 2u);
  EXPECT_NEAR(strokes[0], 85, 1.0);
  EXPECT_NEAR((strokes[1] - strokes[0]) / 10.0, 40.0, 0.15);
  EXPECT_EQ(filesInFolder(), 2);  // the PDF and the raster
}

TEST_F(DrawPictureCliTest, FootOutsideThePictureAsksBeforePrinting) {
  const std::string out = file("outside.pdf");
  const CliResult cancelled = runCli({"--answer", "yes", "draw", "--out", out, "--foot", "-20,40"});
  EXPECT_EQ(cancelled.exitCode, 1);
  EXPECT_NE(cancelled.err.find("TAVREL.EXE"), std::string::npos) << cancelled.err;
  EXPECT_FALSE(fs::exists(out));
  const CliResult printed = runCli({"--answer", "no", "draw", "--out", out, "--foot", "-20,40"});
  EXPECT_EQ(printed.exitCode, 0) << printed.err;
  EXPECT_TRUE(fs::exists(out));
}

TEST_F(DrawPictureCliTest, UnwritableTargetFails) {
  for (const char* name : {"missing/x.png", "missing/x.pdf"}) {
    const CliResult r = runCli({"draw", "--out", file(name)});
    EXPECT_EQ(r.exitCode, 1) << name;
  }
  EXPECT_EQ(filesInFolder(), 0);
}

}  // namespace
}  // namespace tavrel::test
