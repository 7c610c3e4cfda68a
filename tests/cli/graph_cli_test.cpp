// tavrel-cli graph: every graph in every format it names; the plot files
// read by independent readers (hp2xx for HPGL, python3-ezdxf's audit for
// DXF); an unknown extension is a usage error that names the formats.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli_process.h"

namespace tavrel::test {
namespace {

namespace fs = std::filesystem;

// Runs a reader; its exit status and what it wrote.
struct Reader {
  int status = -1;
  std::string out;
};

Reader runReader(const std::string& command, const std::string& log) {
  Reader r;
  r.status = std::system((command + " > '" + log + "' 2>&1").c_str());
  std::ifstream in(log);
  std::stringstream s;
  s << in.rdbuf();
  r.out = s.str();
  return r;
}

class GraphCliTest : public ::testing::Test {
 protected:
  fs::path dir = fs::temp_directory_path() / ("tavrel-graph-cli-" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::string file(const std::string& name) const { return (dir / name).string(); }
  static std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
};

TEST_F(GraphCliTest, UnknownExtensionIsAUsageErrorNamingTheFormats) {
  const CliResult r = runCli({"graph", "eot", "--out", file("eot.jpg")});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find(".jpg"), std::string::npos) << r.err;
  EXPECT_NE(r.err.find(".svg, .png, .pdf, .plt or .dxf"), std::string::npos) << r.err;
  EXPECT_FALSE(fs::exists(file("eot.jpg")));
  EXPECT_EQ(runCli({"graph", "analemma", "--out", file("a.svg")}).exitCode, 2);
  EXPECT_EQ(runCli({"graph", "eot", "--out", file("e.plt"), "--y-factor", "25"}).exitCode, 2);
  EXPECT_FALSE(fs::exists(file("e.plt")));
}

TEST_F(GraphCliTest, PlotFilesRenderInHp2xx) {
  const struct {
    const char* kind;
    const char* prologue;
  } cases[] = {{"eot", "IN;SP 8;SI 0.14, 0.24;SP 8"},
               {"sunpath-polar", ";IN;SS;SI 0.16, 0.24;SP 4"},
               {"sunpath-cartesian", ";IN;SS;SI 0.14, 0.21;SP 4"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    const std::string plt = file(std::string(c.kind) + ".plt");
    const CliResult r = runCli({"--lang", "en", "graph", c.kind, "--out", plt, "--zone"});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string text = read(plt);
    EXPECT_EQ(text.rfind(c.prologue, 0), 0u);
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos);
    const Reader h = runReader("/usr/bin/hp2xx -m png -f '" + file("x.png") + "' '" + plt + "'", file("log"));
    EXPECT_EQ(h.status, 0) << h.out;
    EXPECT_NE(h.out.find("Writing PNG output"), std::string::npos) << h.out;
    EXPECT_GT(fs::file_size(file("x.png")), 2000u);
  }
}

TEST_F(GraphCliTest, DxfPassesTheEzdxfAudit) {
  for (const char* kind : {"eot", "sunpath-polar", "sunpath-cartesian"}) {
    SCOPED_TRACE(kind);
    const std::string dxf = file(std::string(kind) + ".dxf");
    const CliResult r = runCli({"--lang", "de", "graph", kind, "--out", dxf});
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_FALSE(fs::exists(file("tavrel.$$$")));
    const Reader s =
        runReader("/usr/bin/python3 " TAVREL_SOURCE_DIR "/tests/dxf/check_dxf.py '" + dxf + "'", file("log"));
    EXPECT_EQ(s.status, 0) << s.out.substr(0, 2000);
  }
}

TEST_F(GraphCliTest, PicturesInEveryFormat) {
  for (const char* kind : {"eot", "sunpath-polar", "sunpath-cartesian"}) {
    SCOPED_TRACE(kind);
    const std::string svg = file("g.svg"), png = file("g.png"), pdf = file("g.pdf");
    ASSERT_EQ(runCli({"graph", kind, "--out", svg}).exitCode, 0);
    EXPECT_NE(read(svg).find("<svg"), std::string::npos);
    const CliResult p = runCli({"graph", kind, "--out", png, "--size", "800x500"});
    if (p.exitCode == 2) GTEST_SKIP() << "no Qt painter canvas in this build";
    ASSERT_EQ(p.exitCode, 0) << p.err;
    EXPECT_EQ(read(png).substr(1, 3), "PNG");
    ASSERT_EQ(runCli({"graph", kind, "--out", pdf}).exitCode, 0);
    EXPECT_EQ(read(pdf).rfind("%PDF", 0), 0u);
  }
}

}  // namespace
}  // namespace tavrel::test
