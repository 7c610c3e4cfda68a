// Tests of the HPGL-to-DXF converter.
//
// Expected DXF lines are worked out by hand from the record layouts and
// number formats of the converter (coordinates in plotter units / scale).
// Every DXF file a test produces is afterwards read by two independent
// readers: python3-ezdxf (read, then audit: no error it cannot fix) and
// GDAL's ogrinfo (no error); see check_dxf.py.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dxf/dxf.h"

namespace tavrel {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

// ------------------------------------------------------------ DXF records

Lines cat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}
Lines polyline(const std::string& pen, const std::string& type, const std::string& width) {
  return {"POLYLINE", "  8", "L_" + pen, " 62", pen, "  6", type, " 66", "1",
          " 40 ", width, " 41 ", width, "  0"};
}
// The rectangle (EA, ER) form: " 40" without the trailing blank.
Lines rectanglePolyline(const std::string& pen, const std::string& type, const std::string& width) {
  return {"POLYLINE", "  8", "L_" + pen, " 62", pen, "  6", type, " 66", "1",
          " 40", width, " 41 ", width, "  0"};
}
Lines vertex(const std::string& pen, const std::string& type, const std::string& x,
             const std::string& y) {
  return {"VERTEX", "  8", "L_" + pen, " 62", pen, "  6", type, " 10", x, " 20", y, "0"};
}
Lines seqend(const std::string& pen) { return {"SEQEND", "  8", "L_" + pen, "  0"}; }
Lines circle(const std::string& pen, const std::string& x, const std::string& y,
             const std::string& r) {
  return {"CIRCLE", "  8", "L_" + pen, " 62", pen, " 10", x, " 20", y, " 40", r, "0"};
}
Lines arc(const std::string& pen, const std::string& x, const std::string& y, const std::string& r,
          const std::string& start, const std::string& end) {
  return {"ARC", "  8", "L_" + pen, " 62", pen, " 10", x, " 20", y, " 40 ", r,
          " 50", start, " 51", end, "0"};
}
Lines text(const std::string& pen, const std::string& x, const std::string& y,
           const std::string& height, const std::string& widthFactor, const std::string& label,
           const std::string& direction = "0.0", const std::string& slant = "0.0",
           const std::string& style = "STANDARD") {
  return {"TEXT", "  8", "L_" + pen, " 62", pen, " 10", x, " 20", y, " 40", height,
          " 41", widthFactor, "  1", label, " 50", direction, " 51", slant, "  7", style, "  0"};
}

const std::string kNoWidth = " 0.0E+0000";  // line-width choice 1
const std::string kCont = "CONTINUOUS";
const std::string kHeight40 = "    2.7000";  // default character height at scale 40

// The head at scale 40 (extents 16440 / 40 and 11500 / 40).
Lines headAtScale40() {
  Lines h = {"0", "SECTION", "  2", "HEADER", "  9", "$EXTMIN", " 10", "0.000", " 20", "0.0",
             "  9", "$EXTMAX", " 10", "  411.00", " 20", "  287.50", "  9", "$LIMMIN", " 10",
             "0.000", " 20", "0.0", "  9", "$LIMMAX", " 10", "  411.00", " 20", "  287.50", "  9",
             "$LTSCALE", " 40", "0.0005", "  0", "ENDSEC",
             "  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     4", "  0",
             "LTYPE", "  2", "CONTINUOUS", " 70", "64", "  3", "Solid line", " 72", "65", " 73", "0",
             " 40", "0.0", "  0",
             "LTYPE", "  2", "DASHED", " 70", "64", "  3", "- - - - - - ", " 72", "65", " 73", "2",
             " 40", "3.000001", " 49", "3.000001", " 49", "-0.000000", "  0",
             "LTYPE", "  2", "DASHDOT", " 70", "64", "  3", "- . - . - . - . ", " 72", "65", " 73",
             "4", " 40", "12.000004", " 49", "6.000002", " 49", "-3.000001", " 49", "0.00000",
             " 49", "-3.00001", "  0",
             "LTYPE", "  2", "DOT", " 70", "64", "  3", ". . . .  ", " 72", "65", " 73", "2", " 40",
             "3.000001", " 49", "0.00000", " 49", "-3.000001", "  0",
             "ENDTAB", "  0", "TABLE", "  2", "LAYER", " 70", "     9", "  0"};
  for (int n = 1; n <= 10; ++n) {
    Lines layer = {"LAYER", " 70", "64", "  2", "L_" + std::to_string(n), " 62", std::to_string(n),
                   "  6", "CONTINUOUS", "  0"};
    h.insert(h.end(), layer.begin(), layer.end());
  }
  Lines rest = {"ENDTAB", "  0", "TABLE", "  2", "STYLE", " 70", "   3", "  0",
                "STYLE", "  2", "STANDARD", " 70", "0", " 40", "0.0", " 41", "1.00", " 50", "0.0",
                " 71", "     0", " 42", "2.4", "  3", "txt", "  4", "", "  0",
                "STYLE", "  2", "shx-font", " 70", "  1", " 40", "0.0", " 41", "1.00", " 50", "0.0",
                " 71", "     0", " 42", "2.4", "  3", "ltypeshp.shx", "  4", "", "  0",
                "STYLE", " 5", "2D", "100", "AcDbSymbolTableRecord", "100",
                "AcDbTextSTyleTableRecord", "  2", "symbols", " 70", "0", " 40", "0.0", " 41", "1.0",
                " 50", "0.0", " 71", "     0", " 42", "2.4", "  3", "WINGDING.TTF", "  4", "", "  0",
                "ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "BLOCKS", "  0", "ENDSEC", "0",
                "SECTION", "2", "ENTITIES", "0"};
  h.insert(h.end(), rest.begin(), rest.end());
  return h;
}

// ------------------------------------------------------------ helpers

struct Shell {
  int status = -1;
  std::string output;
};

Shell runShell(const std::string& command) {
  Shell r;
  std::FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return r;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) r.output.append(buffer, n);
  r.status = pclose(pipe);
  return r;
}

std::string readBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Lines of a DXF file; CR LF when the file has any, else single CR.
Lines splitLines(const std::string& bytes) {
  const std::string end = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\r";
  Lines lines;
  std::size_t start = 0, at;
  while ((at = bytes.find(end, start)) != std::string::npos) {
    lines.push_back(bytes.substr(start, at - start));
    start = at + end.size();
  }
  if (start < bytes.size()) lines.push_back(bytes.substr(start));
  return lines;
}

struct Conversion {
  DxfResult result{};
  fs::path path;
  bool exists = false;
  std::string bytes;
  Lines lines;
  Lines entities;  // between the head and "ENDSEC", "  0", "EOF"
  std::vector<RecordedBox> boxes;
  Lines info;
};

class MakeDxfTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "-" + info->name();
    for (char& c : name)
      if (c == '/') c = '_';
    dir_ = fs::temp_directory_path() / ("tavrel-dxf-" + std::to_string(getpid()) + "-" + name);
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    design().language = 2;
  }

  void TearDown() override {
    if (!produced_.empty()) expectReadersAccept(produced_);
    design().language = 1;
    fs::remove_all(dir_);
  }

  // Both readers must take every file.
  static void expectReadersAccept(const std::vector<fs::path>& files) {
    std::string command = "/usr/bin/python3 " TAVREL_SOURCE_DIR "/tests/dxf/check_dxf.py";
    for (const fs::path& f : files) command += " '" + f.string() + "'";
    Shell ez = runShell(command);
    EXPECT_EQ(ez.status, 0) << "ezdxf: " << ez.output;
    for (const fs::path& f : files) {
      Shell ogr = runShell("ogrinfo -ro -al -q '" + f.string() + "'");
      EXPECT_EQ(ogr.status, 0) << f << ": " << ogr.output;
      EXPECT_EQ(ogr.output.find("ERROR"), std::string::npos) << f << ": " << ogr.output;
    }
  }

  Conversion convert(const std::string& hpgl, int lineWidth = 1, double scale = 40,
                     const std::string& outName = "") {
    const fs::path in = dir_ / "in.plt";
    {
      std::ofstream f(in, std::ios::binary);
      f << hpgl;
    }
    Conversion c;
    c.path = dir_ / (outName.empty() ? "out" + std::to_string(++count_) + ".dxf" : outName);
    ScopedScriptedPlatform p;
    c.result = convertHpglToDxf(in.string(), c.path.string(), lineWidth, scale);
    c.boxes = p->boxes;
    c.info = infoLines();
    c.exists = fs::exists(c.path);
    if (c.exists) {
      c.bytes = readBytes(c.path);
      c.lines = splitLines(c.bytes);
      produced_.push_back(c.path);
      auto entities = std::find(c.lines.begin(), c.lines.end(), "ENTITIES");
      if (entities != c.lines.end() && c.lines.size() >= 3 &&
          std::distance(entities, c.lines.end()) >= 5)
        c.entities.assign(entities + 2, c.lines.end() - 3);
    }
    return c;
  }

  // The ezdxf view of one file (check_dxf.py --dump), without the FILE line.
  static Lines ezdxfDump(const fs::path& file) {
    Shell r = runShell("/usr/bin/python3 " TAVREL_SOURCE_DIR "/tests/dxf/check_dxf.py --dump '" +
                       file.string() + "'");
    EXPECT_EQ(r.status, 0) << r.output;
    Lines lines;
    std::istringstream s(r.output);
    for (std::string line; std::getline(s, line);)
      if (line.rfind("FILE ", 0) != 0) lines.push_back(line);
    return lines;
  }

  fs::path dir_;
  std::vector<fs::path> produced_;
  int count_ = 0;
};

// ------------------------------------------------------------ the head and the frame

TEST_F(MakeDxfTest, OnlyInAndPaGiveTheFullHeadAnEmptyEntitiesSectionAndNotConverted) {
  Conversion c = convert("IN;PA;");
  ASSERT_TRUE(c.exists);
  EXPECT_EQ(c.result, DxfResult::NothingConverted);
  Lines expected = headAtScale40();
  expected.insert(expected.end(), {"ENDSEC", "  0", "EOF"});
  EXPECT_EQ(c.lines, expected);
  // Nothing converted: the file keeps its single-CR line ends.
  EXPECT_EQ(c.bytes.find('\n'), std::string::npos);
  EXPECT_EQ(c.bytes.substr(c.bytes.size() - 4), "EOF\r");
  ASSERT_EQ(c.boxes.size(), 1u);
  EXPECT_EQ(c.boxes[0].caption, MsgCaption::Error);
  EXPECT_EQ(c.boxes[0].text, "File in.plt not converted!\n\rHPGL-file is probably corrupted.");
}

TEST_F(MakeDxfTest, ConvertedFileHasCrLfLineEndsAndTheSavedMessage) {
  Conversion c = convert("IN;PU 0,0;PD 400,0;");
  EXPECT_EQ(c.result, DxfResult::Converted);
  EXPECT_EQ(c.bytes.substr(c.bytes.size() - 5), "EOF\r\n");
  for (std::size_t i = 0; i < c.bytes.size(); ++i)
    if (c.bytes[i] == '\r') {
      ASSERT_EQ(c.bytes[i + 1], '\n') << "lone CR at byte " << i;
    }
  Lines head = headAtScale40();
  ASSERT_GE(c.lines.size(), head.size());
  EXPECT_EQ(Lines(c.lines.begin(), c.lines.begin() + head.size()), head);
  ASSERT_EQ(c.boxes.size(), 1u);
  EXPECT_EQ(c.boxes[0].caption, MsgCaption::Information);
  EXPECT_EQ(c.boxes[0].text, "\r       File " + c.path.filename().string() + " saved!");

  design().language = 1;
  Conversion german = convert("IN;PU 0,0;PD 400,0;");
  ASSERT_EQ(german.boxes.size(), 1u);
  EXPECT_EQ(german.boxes[0].text,
            "\r       File " + german.path.filename().string() + " gespeichert!");
}

// Whether anything was converted is known only at the end. An output of
// more than a megabyte before the first converted command (rectangles do not
// count) must come out in single-CR form when nothing follows, and with
// CR LF after every line when a converted command comes last.
TEST_F(MakeDxfTest, LongOutputBeforeTheFirstConvertedCommandTakesTheFinalForm) {
  std::string hpgl = "IN;";
  for (int i = 0; i < 3000; ++i) hpgl += "EA " + std::to_string(40 + i % 400) + ",400;";
  const Conversion plain = convert(hpgl);
  const Conversion converted = convert(hpgl + "PU;");
  ASSERT_EQ(plain.result, DxfResult::NothingConverted);
  ASSERT_EQ(converted.result, DxfResult::Converted);
  ASSERT_GT(plain.bytes.size(), std::size_t{1} << 20);
  EXPECT_EQ(plain.bytes.find('\n'), std::string::npos);
  std::string crLf;
  for (char ch : plain.bytes) {
    crLf += ch;
    if (ch == '\r') crLf += '\n';
  }
  EXPECT_TRUE(converted.bytes == crLf) << "the converted file is not the plain one with CR LF";
  // Each rectangle: POLYLINE, five VERTEX, SEQEND; the last one closes at
  // the corner of the one before, (40 + 2998 % 400) / 40 = 5.95, 400 / 40.
  ASSERT_EQ(plain.entities.size(), 3000u * (14 + 5 * 12 + 4));
  EXPECT_EQ(Lines(plain.entities.end() - 16, plain.entities.end()),
            cat({vertex("0", kCont, "5.9500", "10.0000"), seqend("0")}));
}

// Which commands count as converted (and so decide the final message).
TEST_F(MakeDxfTest, OnlyDrawingAndTextCommandsCountAsConverted) {
  struct Row {
    const char* hpgl;
    bool converted;
  };
  const Row rows[] = {
      {"IN;PA 0,0;", false},
      {"IN;VS 1;IW;LT 2;DI;SL;SA;SS;PW 1;", false},
      {"IN;EA 40,40;", false},  // the rectangle is written, but EA does not count
      {"IN;PU;", true},        {"IN;PD;", true},       {"IN;PR;", true},
      {"IN;SP 1;", true},      {"IN;CI 40;", true},    {"IN;AA 0,40,90;", true},
      {"IN;AR 0,40,90;", true}, {"IN;SI;", true},       {"IN;LBx\x03", true},
  };
  for (const Row& r : rows) {
    Conversion c = convert(r.hpgl);
    EXPECT_EQ(c.result, r.converted ? DxfResult::Converted : DxfResult::NothingConverted)
        << r.hpgl;
  }
}

// ------------------------------------------------------------ entity records

struct EntityCase {
  const char* name;
  std::string hpgl;
  int lineWidth;
  double scale;
  Lines entities;
};

void PrintTo(const EntityCase& e, std::ostream* os) { *os << e.name; }

class EntityTable : public MakeDxfTest, public ::testing::WithParamInterface<EntityCase> {};

TEST_P(EntityTable, WritesTheseEntityLines) {
  const EntityCase& e = GetParam();
  Conversion c = convert(e.hpgl, e.lineWidth, e.scale);
  ASSERT_TRUE(c.exists);
  EXPECT_EQ(c.entities, e.entities);
}

const std::string kLongLabel(300, 'x');

INSTANTIATE_TEST_SUITE_P(
    convertHpglToDxf, EntityTable,
    ::testing::Values(
        // One POLYLINE; the SEQEND follows only at the end of the file.
        EntityCase{"OnePolyline", "IN;PU 0,0;PD 400,0,400,400;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "0.0000", "0.0000"),
                        vertex("0", kCont, "10.0000", "0.0000"),
                        vertex("0", kCont, "10.0000", "10.0000"), seqend("0")})},
        // The polyline runs on over the next PD; SP closes it and its
        // SEQEND already carries the new pen.
        EntityCase{"PolylineAcrossPdClosedBySp", "IN;SP 1;PU 0,0;PD 400,0;PD 400,400;SP 2;", 1, 40,
                   cat({polyline("1", kCont, kNoWidth), vertex("1", kCont, "0.0000", "0.0000"),
                        vertex("1", kCont, "10.0000", "0.0000"),
                        vertex("1", kCont, "10.0000", "10.0000"), seqend("2")})},
        // Leaving the window: clipped at x = the window text, y
        // interpolated; the pen is left at the unclipped point (20, 5).
        EntityCase{"ClipAtWindow", "IN;IW 0,0,400,400;PU 200,200;PD 800,200;CI 40;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "5.0000", "5.0000"),
                        vertex("0", kCont, "10.0000", "     5.0000"), seqend("0"),
                        circle("0", "20.0000", "5.0000", "1.0000")})},
        EntityCase{"OutsideAfterClipDrawsNothing",
                   "IN;IW 0,0,400,400;PU 200,200;PD 800,200;PD 800,800;CI 40;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "5.0000", "5.0000"),
                        vertex("0", kCont, "10.0000", "     5.0000"), seqend("0"),
                        circle("0", "20.0000", "20.0000", "1.0000")})},
        // Both ends outside: dropped although the segment crosses the window.
        EntityCase{"CrossingSegmentDropped", "IN;IW 0,0,400,400;PU -200,200;PD 800,200;CI 40;", 1,
                   40, circle("0", "20.0000", "5.0000", "1.0000")},
        // Entering the window: the start is moved onto the left edge.
        EntityCase{"EnteringTheWindow", "IN;IW 0,0,400,400;PU -200,200;PD 200,200;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth),
                        vertex("0", kCont, "0.0000", "     5.0000"),
                        vertex("0", kCont, "5.0000", "5.0000"), seqend("0")})},
        // Beyond two edges: (5,9)-(20,30) first meets x = 10 at y = 16, then
        // y = 10 at x = 5 + 5/7.
        EntityCase{"ClippedOntoTwoEdges", "IN;IW 0,0,400,400;PU 200,360;PD 800,1200;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "5.0000", "9.0000"),
                        vertex("0", kCont, "     5.7143", "10.0000"), seqend("0")})},
        // Corners given the other way round are exchanged.
        EntityCase{"WindowCornersExchanged", "IN;IW 400,400,0,0;PU 200,200;PD 800,200;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "5.0000", "5.0000"),
                        vertex("0", kCont, "10.0000", "     5.0000"), seqend("0")})},
        // IW without parameters: the whole page, 16400 x 11480.
        EntityCase{"FullPageWindow", "IN;IW;PU 16000,100;PD 17000,100;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "400.0000", "2.5000"),
                        vertex("0", kCont, "  410.0000", "     2.5000"), seqend("0")})},
        // Relative moves are sums with five decimals; nothing is clipped:
        // the segment to (15, 5) is drawn whole, then the next is dropped.
        EntityCase{"RelativeSums", "IN;PU 0,0;PD;PR 40,0,40,0;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "0.0000", "0.0000"),
                        vertex("0", kCont, "    1.00000", "    0.00000"),
                        vertex("0", kCont, "    2.00000", "    0.00000"), seqend("0")})},
        EntityCase{"RelativeNotClipped", "IN;IW 0,0,400,400;PU 200,200;PD;PR 400,0,40,0;CI 40;", 1,
                   40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "5.0000", "5.0000"),
                        vertex("0", kCont, "   15.00000", "    5.00000"), seqend("0"),
                        circle("0", "   16.00000", "    5.00000", "1.0000")})},
        // SP 12: layer L_12 and colour 12, not declared in the table.
        EntityCase{"UndeclaredLayer12", "IN;SP 12;PU 0,0;PD 40,40;", 1, 40,
                   cat({polyline("12", kCont, kNoWidth), vertex("12", kCont, "0.0000", "0.0000"),
                        vertex("12", kCont, "1.0000", "1.0000"), seqend("12")})},
        // LT changes the type of later vertices, not the open polyline.
        EntityCase{"LineTypeDoesNotClose", "IN;PU 0,0;PD 40,0;LT 2;PD 80,0;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "0.0000", "0.0000"),
                        vertex("0", kCont, "1.0000", "0.0000"),
                        vertex("0", "DASHED", "2.0000", "0.0000"), seqend("0")})},
        // AA with the pen straight above the centre, sweep -90: 0..90, pen
        // ends straight right of the centre.
        EntityCase{"ArcAbsolute", "IN;PU 0,400;AA 0,0,-90;CI 40;", 1, 40,
                   cat({arc("0", "0.0000", "0.0000", "   10.0000", "   0.00", "  90.00"),
                        circle("0", "   10.00000", "    0.00000", "1.0000")})},
        // Pen left of the centre: start direction 180, sweep +45.
        EntityCase{"ArcCounterClockwise", "IN;PU 0,0;AA 400,0,45;", 1, 40,
                   arc("0", "10.0000", "0.0000", "   10.0000", " 180.00", " 225.00")},
        // AR: centre relative to the pen; pen straight right gives 360.
        EntityCase{"ArcRelative", "IN;PU 400,0;AR -400,0,90;CI 40;", 1, 40,
                   cat({arc("0", "    0.00000", "    0.00000", "   10.0000", " 360.00", " 450.00"),
                        circle("0", "    0.00000", "   10.00000", "1.0000")})},
        EntityCase{"Rectangle", "IN;PU 40,40;EA 80,120;CI 40;", 1, 40,
                   cat({rectanglePolyline("0", kCont, kNoWidth),
                        vertex("0", kCont, "1.0000", "1.0000"),
                        vertex("0", kCont, "2.0000", "1.0000"),
                        vertex("0", kCont, "2.0000", "3.0000"),
                        vertex("0", kCont, "1.0000", "3.0000"),
                        vertex("0", kCont, "1.0000", "1.0000"), seqend("0"),
                        circle("0", "2.0000", "3.0000", "1.0000")})},
        EntityCase{"RelativeRectangle", "IN;PU 40,40;ER 40,80;", 1, 40,
                   cat({rectanglePolyline("0", kCont, kNoWidth),
                        vertex("0", kCont, "1.0000", "1.0000"),
                        vertex("0", kCont, "    2.00000", "1.0000"),
                        vertex("0", kCont, "    2.00000", "    3.00000"),
                        vertex("0", kCont, "1.0000", "    3.00000"),
                        vertex("0", kCont, "1.0000", "1.0000"), seqend("0")})},
        // DI 0,1 is 90 degrees; DI with one or no parameter gives "0.0".
        EntityCase{"LabelDirections", "IN;DI 0,1;LBa\x03;DI 1;LBb\x03;DI;LBc\x03", 1, 40,
                   cat({text("0", "0.00", "0.00", kHeight40, "0.7", "a", " 90.0"),
                        text("0", "0.00", "0.00", kHeight40, "0.7", "b"),
                        text("0", "0.00", "0.00", kHeight40, "0.7", "c")})},
        // SI 0.28,0.5 cm: height 0.5 * 400 / 40, width factor
        // 0.28 * 400 * 1.4 / 40 / 5; SI alone restores the defaults. SL 1
        // slants by 45 degrees; SA selects the symbol style, IN ends it.
        EntityCase{"LabelSizeSlantAndStyle",
                   "IN;SI 0.28,0.5;SL 1;SA;LBa\x03SI;SL;SS;LBb\x03SA;IN;LBc\x03", 1, 40,
                   cat({text("0", "0.00", "0.00", "  5.00", "  0.78", "a", "0.0", " 45.0",
                             "symbols"),
                        text("0", "0.00", "0.00", kHeight40, "0.7", "b"),
                        text("0", "0.00", "0.00", kHeight40, "0.7", "c")})},
        // A lone "^" gets a blank; the pen does not move.
        EntityCase{"CaretLabel", "IN;PU 40,80;LB^\x03", 1, 40,
                   text("0", "1.0000", "2.0000", kHeight40, "0.7", "^ ")},
        // Longer than 252 characters: kept whole, its ETX included.
        EntityCase{"LongLabel", "IN;LB" + kLongLabel + "\x03", 1, 40,
                   text("0", "0.00", "0.00", kHeight40, "0.7", kLongLabel + "\x03")},
        // Scale 0 is taken as 1: tokens are copied as written.
        EntityCase{"ScaleZeroCopiesTokens", "IN;PU 12.5,-3;PD 400,0.5;", 1, 0,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "12.5", "-3"),
                        vertex("0", kCont, "400", "0.5"), seqend("0")})},
        // Integer plotter units at a scale dividing 10000 are whole
        // ten-thousandths: signs, "-0", ten digits, and both sides of
        // 2^31 ten-thousandths (8589934 * 250 and 8589935 * 250).
        EntityCase{"IntegerUnitsAtScale40", "IN;PU +5,-0;PD -8589934,8589935,1234567890,-7;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "0.1250", "0.0000"),
                        vertex("0", kCont, "-214748.3500", "214748.3750"),
                        vertex("0", kCont, "30864197.2500", "-0.1750"), seqend("0")})},
        // At scale 1 integer tokens are copied as written and their
        // values still decide the window test ("-0" is inside).
        EntityCase{"IntegerTokensAtScale1", "IN;IW 0,0,100,100;PU -0,5;PD 50,+7,200,50;", 1, 1,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "-0", "5"),
                        vertex("0", kCont, "50", "+7"), vertex("0", kCont, "100", "    21.3333"),
                        seqend("0")})},
        // A number error ends PU at the last good pair.
        EntityCase{"NumberErrorStopsPu", "IN;PU 100,100,abc,200;CI 40;", 1, 40,
                   circle("0", "2.5000", "2.5000", "1.0000")},
        // A token that is no number gives -1.0000 ...
        EntityCase{"InvalidToken", "IN;PU 1.2.3,4;CI 40;", 1, 40,
                   circle("0", "-1.0000", "0.1000", "1.0000")},
        // ... also at scale 1, where valid tokens are copied as written.
        EntityCase{"InvalidTokenAtScaleOne", "IN;PU 1.2.3,4;CI 40;", 1, 1,
                   circle("0", "-1.0000", "4", "40")},
        // A pen token that is no number is refused: the pen stays (a colour
        // "4+" would make the file unreadable).
        EntityCase{"PenThatIsNoNumber", "IN;SP 3;SP 4+;PU 0,0;PD 40,0;", 1, 40,
                   cat({polyline("3", kCont, kNoWidth), vertex("3", kCont, "0.0000", "0.0000"),
                        vertex("3", kCont, "1.0000", "0.0000"), seqend("3")})},
        // Unknown commands close the polyline.
        EntityCase{"UnknownCommandCloses", "IN;PU 0,0;PD 40,0;XY 1;PD 80,0;", 1, 40,
                   cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "0.0000", "0.0000"),
                        vertex("0", kCont, "1.0000", "0.0000"), seqend("0"),
                        polyline("0", kCont, kNoWidth), vertex("0", kCont, "1.0000", "0.0000"),
                        vertex("0", kCont, "2.0000", "0.0000"), seqend("0")})},
        // After "PW;" the rectangle form has no width to write: its width
        // groups are left out (an empty number line is not readable DXF).
        EntityCase{"RectangleWithoutWidth", "IN;PW;PU 0,0;EA 40,40;", 1, 40,
                   cat({Lines{"POLYLINE", "  8", "L_0", " 62", "0", "  6", kCont, " 66", "1", "  0"},
                        vertex("0", kCont, "0.0000", "0.0000"),
                        vertex("0", kCont, "1.0000", "0.0000"),
                        vertex("0", kCont, "1.0000", "1.0000"),
                        vertex("0", kCont, "0.0000", "1.0000"),
                        vertex("0", kCont, "0.0000", "0.0000"), seqend("0")})},
        // Line ends and NUL inside a label become blanks.
        EntityCase{"LabelLineEnds", std::string("IN;LBa\rb\nc\0d\x03", 13), 1, 40,
                   text("0", "0.00", "0.00", kHeight40, "0.7", "a b c d")}),
    [](const ::testing::TestParamInfo<EntityCase>& info) { return info.param.name; });

// Which commands close an open polyline and which leave it open: after a
// closing command the next PD starts a new POLYLINE, otherwise it adds a
// vertex to the open one.
TEST_F(MakeDxfTest, ClosingAndNonClosingCommands) {
  struct Row {
    const char* command;
    bool closes;
  };
  const Row rows[] = {
      {"PU;", true},       {"SP 3;", true},   {"CI 40;", true},   {"AA 0,0,90;", true},
      {"AR 0,40,90;", true}, {"EA 0,0;", true}, {"ER 40,40;", true}, {"LBx\x03", true},
      {"ZZ;", true},       {"LT 2;", false},  {"SI;", false},     {"DI 1,1;", false},
      {"SL 1;", false},    {"IW;", false},    {"SA;", false},     {"SS;", false},
      {"VS 1;", false},    {"IN;", false},    {"PW 1;", false},   {"PD;", false},
  };
  const Lines open = cat({vertex("0", kCont, "0.0000", "0.0000"),
                          vertex("0", kCont, "1.0000", "0.0000")});
  for (const Row& r : rows) {
    Conversion c = convert(std::string("IN;PU 0,0;PD 40,0;") + r.command + "PD 80,0;");
    auto at = std::search(c.entities.begin(), c.entities.end(), open.begin(), open.end());
    ASSERT_NE(at, c.entities.end()) << r.command;
    at += static_cast<long>(open.size());
    const auto polylines = std::count(c.entities.begin(), c.entities.end(), "POLYLINE");
    if (r.closes) {
      ASSERT_NE(at, c.entities.end()) << r.command;
      EXPECT_EQ(*at, "SEQEND") << r.command;
      EXPECT_GE(polylines, 2) << r.command;
    } else {
      EXPECT_EQ(*at, "VERTEX") << r.command;
      EXPECT_EQ(polylines, 1) << r.command;
    }
    EXPECT_EQ(std::count(c.entities.begin(), c.entities.end(), "SEQEND"), polylines) << r.command;
  }
}

TEST_F(MakeDxfTest, LineTypeMapping) {
  struct Row {
    const char* command;
    const char* type;
  };
  const Row rows[] = {
      {"LT 3;", "DASHED"},      {"LT 2;", "DASHED"},  {"LT 0;", "CONTINUOUS"},
      {"LT 5;", "CONTINUOUS"},  {"LT;", "CONTINUOUS"}, {"LT 1;", "DOT"},
      {"LT 4;", "DASHDOT"},     {"LT 2,4;", "DASHED"},  // the pattern length is ignored
      {"LT 2;LT;", "CONTINUOUS"},
  };
  for (const Row& r : rows) {
    Conversion c = convert(std::string("IN;PU 0,0;") + r.command + "PD 40,0;");
    ASSERT_GE(c.entities.size(), 7u) << r.command;
    EXPECT_EQ(c.entities[0], "POLYLINE");
    EXPECT_EQ(c.entities[6], r.type) << r.command;
  }
}

// Default polyline width: (6 * choice - 6) / scale in the scientific form.
TEST_F(MakeDxfTest, DefaultPolylineWidth) {
  struct Row {
    int choice;
    double scale;
    const char* width;
  };
  const Row rows[] = {
      {1, 40, " 0.0E+0000"}, {2, 40, " 1.5E-0001"},  {3, 40, " 3.0E-0001"},
      {2, 1000, " 6.0E-0003"}, {3, 1000, " 1.2E-0002"}, {2, 0, " 6.0E+0000"},
      {3, 1, " 1.2E+0001"},  {2, 7, " 8.6E-0001"},
  };
  for (const Row& r : rows) {
    Conversion c = convert("IN;PU 0,0;PD 40,0;", r.choice, r.scale);
    ASSERT_GE(c.entities.size(), 14u);
    EXPECT_EQ(c.entities[10], r.width) << r.choice << " " << r.scale;
    EXPECT_EQ(c.entities[12], r.width) << r.choice << " " << r.scale;
  }
}

// With choice 2 at scale 40 every PD polyline is 0.15 wide until PW; after
// "PW;" the next one gets 0.8; a PW with two numbers is refused.
TEST_F(MakeDxfTest, PenWidthCommands) {
  Conversion c = convert(
      "IN;PU 0,0;PD 40,0;PU;PD 80,0;PU;PW;PD 120,0;PU;PW 0.35,2;PD 160,0;PU;PW 0;PD 200,0;"
      "PU;PW 5;PD 240,0;",
      2, 40);
  Lines widths;
  for (std::size_t i = 0; i + 10 < c.entities.size(); ++i)
    if (c.entities[i] == "POLYLINE") widths.push_back(c.entities[i + 10]);
  EXPECT_EQ(widths, (Lines{" 1.5E-0001", " 1.5E-0001", "0.8", "0.8", "0", "  0.50"}));
  EXPECT_EQ(std::count(c.info.begin(), c.info.end(),
                       "Command PW (=Penwidth) only supported by HPGL2."),
            4);
  EXPECT_EQ(c.info.size(), 5u);  // and one line for the refused "PW 0.35,2"
}

TEST_F(MakeDxfTest, ScaleNotAboveZeroIsOne) {
  for (double scale : {0.0, -5.0}) {
    Conversion c = convert("IN;PU 0,0;PD 1,1;", 1, scale);
    auto extents = std::find(c.lines.begin(), c.lines.end(), "$EXTMAX");
    ASSERT_NE(extents, c.lines.end());
    EXPECT_EQ(*(extents + 2), "16440.00");
    EXPECT_EQ(*(extents + 4), "11500.00");
  }
}

// ------------------------------------------------------------ reading the input

// Coordinate lists longer than 230 characters are converted piecewise
// while they are read; the result equals that of one PD per pair, also
// with long numbers (a piece never splits a number or a pair) and with
// clipping. A line of 300 pairs is never "too long".
TEST_F(MakeDxfTest, LongCoordinateListsEqualShortCommands) {
  struct Form {
    const char* prefix;
    const char* command;
  };
  const Form forms[] = {{"IN;PU 0,0;", "PD"},
                        {"IN;IW 0,0,4000,4000;PU 0,0;", "PD"},
                        {"SP 1;PD;", "PA"},  // no IN: PA takes the first pair as pen position
                        {"IN;", "PU"}};
  for (const Form& f : forms) {
    std::string longForm = std::string(f.prefix) + f.command + " ";
    std::string shortForm = f.prefix;
    for (int i = 0; i < 300; ++i) {
      const double x = 1000 + 3000 * std::sin(i * 0.37) + 0.123456789;
      const double y = 2000 + 2500 * std::cos(i * 0.23) - 0.987654321;
      char pair[64];
      std::snprintf(pair, sizeof pair, "%.9f,%.9f", x, y);
      longForm += (i ? "," : "") + std::string(pair);
      shortForm += std::string(f.command) + " " + pair + ";";
    }
    longForm += ";CI 40;";
    shortForm += "CI 40;";
    Conversion whole = convert(longForm);
    Conversion pieces = convert(shortForm);
    ASSERT_FALSE(pieces.entities.empty());
    EXPECT_EQ(whole.entities, pieces.entities) << f.prefix << f.command;
    EXPECT_EQ(whole.boxes.size(), 1u) << f.prefix << f.command;
    EXPECT_TRUE(whole.info.empty()) << whole.info.front();
  }
}

TEST_F(MakeDxfTest, TooLongCommandIsCutWithAMessage) {
  Conversion c = convert("IN;DI " + std::string(300, '1') + ";LBa\x03");
  ASSERT_EQ(c.boxes.size(), 2u);
  EXPECT_EQ(c.boxes[0].caption, MsgCaption::Error);
  EXPECT_EQ(c.boxes[0].text.rfind("DI 111", 0), 0u);
  const std::string tail = ": Command is too long and will be shortened!";
  ASSERT_GT(c.boxes[0].text.size(), tail.size());
  EXPECT_EQ(c.boxes[0].text.substr(c.boxes[0].text.size() - tail.size()), tail);
  design().language = 1;
  Conversion german = convert("IN;DI " + std::string(300, '1') + ";LBa\x03");
  ASSERT_EQ(german.boxes.size(), 2u);
  EXPECT_TRUE(german.boxes[0].text.ends_with("1: Befehl ist zu lang und wird gekürzt!"))
      << german.boxes[0].text;
  design().language = 2;
  // Cut to 250 characters the command has one number: direction "0.0".
  EXPECT_EQ(c.entities, text("0", "0.00", "0.00", kHeight40, "0.7", "a"));
}

// The separators of the command loop: any character above code 64 starts
// a command, parameters end at ";" or CR (labels only at ETX), and line
// feeds and blanks between commands are skipped.
TEST_F(MakeDxfTest, CommandBoundaries) {
  Conversion c = convert("IN\r\nPU0,0\rPD 40 0 ;\r\n  LBone;two\rthree\x03 pd 1,1;");
  EXPECT_EQ(c.entities,
            cat({polyline("0", kCont, kNoWidth), vertex("0", kCont, "0.0000", "0.0000"),
                 vertex("0", kCont, "1.0000", "0.0000"), seqend("0"),
                 text("0", "1.0000", "0.0000", kHeight40, "0.7", "one;two three")}));
  EXPECT_EQ(c.info, (Lines{"Command: pd; not supported!"}));
}

// ------------------------------------------------------------ diagnostics

TEST_F(MakeDxfTest, DiagnosticLines) {
  struct Row {
    const char* hpgl;
    Lines english;
    Lines german;
  };
  const Row rows[] = {
      {"IN;PU 100,100,abc,200;", {"Error in HPGL-command:PU abc,200;"},
       {"Fehler im HPGL-Befehl:PU abc,200;"}},
      {"IN;SP;", {"Error in HPGL-command:SP ;"}, {"Fehler im HPGL-Befehl:SP ;"}},
      {"IN;SP 4+;", {"Error in: SP 4+; because:4+ is not a number."},
       {"Fehler in: SP 4+; weil:4+ keine Zahl ist."}},
      {"IN;PU 0,0;PD 40,0,80;", {"Error in HPGL-command:PD ;"}, {"Fehler im HPGL-Befehl:PD ;"}},
      {"IN;PU 1.2.3,4;", {"Error in: PU 1.2.3,4; because:1.2.3 is not a number."},
       {"Fehler in: PU 1.2.3,4; weil:1.2.3 keine Zahl ist."}},
      {"IN;AA 0,0,1.2.3;", {"Error in converting the arc angle."},
       {"Fehler bei der Konvertierung des Bogenwinkels."}},
      {"IN;DI 1.2.3,4;", {"Error in the text direction: 1.2.3;4"},
       {"Fehler bei der Angabe der Schriftrichtung: 1.2.3;4"}},
      {"IN;SL 1..2;", {"Error in command SL :1..2!"}, {"Fehler im Befehl SL :1..2!"}},
      {"IN;XY;PD 1,1;", {"Command: XY; not supported!"}, {"Befehl: XY; wird nicht unterstützt!"}},
      {"PR;PU 40,40;", {"=x has no numeric value", "=y has no numeric value"},
       {"=x hat keinen Zahlenwert", "=y hat keinen Zahlenwert"}},
  };
  for (const Row& r : rows) {
    design().language = 2;
    EXPECT_EQ(convert(r.hpgl).info, r.english) << r.hpgl;
    design().language = 1;
    EXPECT_EQ(convert(r.hpgl).info, r.german) << r.hpgl;
  }
  design().language = 2;
  // Every conversion starts with an empty list.
  Conversion clean = convert("IN;PU 0,0;");
  EXPECT_TRUE(clean.info.empty());
}

// ------------------------------------------------------------ files

TEST_F(MakeDxfTest, InputThatIsNotHpglIsRejectedWithoutAFile) {
  const std::string inputs[] = {"", "   ", "12;34;\r\n@@", "I \r\n\t \r", "@"};
  for (const std::string& hpgl : inputs) {
    Conversion c = convert(hpgl, 1, 40, "rejected.dxf");
    EXPECT_EQ(c.result, DxfResult::NotHpgl);
    EXPECT_FALSE(c.exists);
    ASSERT_EQ(c.boxes.size(), 1u);
    EXPECT_EQ(c.boxes[0].caption, MsgCaption::Error);
    EXPECT_EQ(c.boxes[0].text,
              "   File in.plt not converted!\n\rHPGL-file is probably corrupted.");
    EXPECT_EQ(c.info, (Lines{(dir_ / "in.plt").string() + " is not an HPGL file!"}));
  }
  design().language = 1;
  Conversion german = convert("@", 1, 40, "rejected.dxf");
  EXPECT_EQ(german.info, (Lines{(dir_ / "in.plt").string() + " ist kein HPGL-File!"}));
  design().language = 2;
  // A letter followed by anything but blanks and line ends is accepted.
  Conversion accepted = convert("I\x03", 1, 40, "accepted.dxf");
  EXPECT_EQ(accepted.result, DxfResult::NothingConverted);
  EXPECT_TRUE(accepted.exists);
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_TRUE(entry.path().filename() == "in.plt" || entry.path().filename() == "accepted.dxf")
        << entry.path();
}

TEST_F(MakeDxfTest, OutputThatCannotBeCreatedLeavesNoFile) {
  const fs::path targets[] = {dir_ / "missing" / "out.dxf", dir_ / "folder"};
  fs::create_directories(dir_ / "folder");
  for (const fs::path& target : targets) {
    ScopedScriptedPlatform p;
    {
      std::ofstream f(dir_ / "in.plt", std::ios::binary);
      f << "IN;PU 0,0;PD 40,0;";
    }
    EXPECT_EQ(convertHpglToDxf((dir_ / "in.plt").string(), target.string(), 1, 40),
              DxfResult::OutputError);
    ASSERT_EQ(p->boxes.size(), 1u);
    EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
    // The program's text, then the file and the reason it could not be made.
    const std::string reason = target.filename() == "folder" ? "Is a directory"
                                                             : "No such file or directory";
    EXPECT_EQ(p->boxes[0].text,
              "That was a file opening error!\n\r" + target.string() + ": " + reason);
    design().language = 1;
    EXPECT_EQ(convertHpglToDxf((dir_ / "in.plt").string(), target.string(), 1, 40),
              DxfResult::OutputError);
    ASSERT_EQ(p->boxes.size(), 2u);
    EXPECT_EQ(p->boxes[1].text,
              "Das war ein Datei-Öffnungsfehler!\n\r" + target.string() + ": " + reason);
    design().language = 2;
  }
  EXPECT_FALSE(fs::exists(dir_ / "missing"));
  EXPECT_TRUE(fs::is_directory(dir_ / "folder"));
  EXPECT_TRUE(fs::is_empty(dir_ / "folder"));
  for (const auto& entry : fs::directory_iterator(dir_))
    EXPECT_TRUE(entry.path().filename() == "in.plt" || entry.path().filename() == "folder")
        << entry.path();
}

TEST_F(MakeDxfTest, MissingInputEndsWithAnErrorBeforeAnythingIsWritten) {
  ScopedScriptedPlatform p;
  EXPECT_EQ(convertHpglToDxf((dir_ / "nothing.plt").string(), (dir_ / "out.dxf").string(), 1, 40),
            DxfResult::InputError);
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  EXPECT_FALSE(fs::exists(dir_ / "out.dxf"));
}

TEST_F(MakeDxfTest, ExistingFileIsReplacedAndNoTemporaryFileRemains) {
  {
    std::ofstream f(dir_ / "out.dxf", std::ios::binary);
    f << "old";
  }
  Conversion c = convert("IN;PU 0,0;PD 40,0;", 1, 40, "out.dxf");
  EXPECT_EQ(c.result, DxfResult::Converted);
  EXPECT_EQ(c.lines.front(), "0");
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    ++files;
    EXPECT_TRUE(entry.path().filename() == "in.plt" || entry.path().filename() == "out.dxf")
        << entry.path();
  }
  EXPECT_EQ(files, 2);
}

// A link is followed: the file it points to is replaced, the link stays.
TEST_F(MakeDxfTest, LinkTargetIsReplacedAndTheLinkKept) {
  fs::create_directories(dir_ / "real");
  {
    std::ofstream f(dir_ / "real" / "drawing.dxf", std::ios::binary);
    f << "old";
  }
  fs::create_symlink(dir_ / "real" / "drawing.dxf", dir_ / "link.dxf");
  Conversion c = convert("IN;PU 0,0;PD 40,0;", 1, 40, "link.dxf");
  EXPECT_EQ(c.result, DxfResult::Converted);
  EXPECT_TRUE(fs::is_symlink(dir_ / "link.dxf"));
  EXPECT_EQ(readBytes(dir_ / "real" / "drawing.dxf"), c.bytes);
  EXPECT_EQ(c.lines.back(), "EOF");
  int files = 0;
  for (const auto& entry : fs::directory_iterator(dir_ / "real")) {
    ++files;
    EXPECT_EQ(entry.path().filename(), "drawing.dxf");
  }
  EXPECT_EQ(files, 1);
}

// Diagnostics are bounded: after 10000 lines the rest is only counted.
TEST_F(MakeDxfTest, DiagnosticsAreBounded) {
  std::string hpgl = "IN;";
  for (int i = 0; i < 10005; ++i) hpgl += "XY;";
  Conversion c = convert(hpgl);
  ASSERT_EQ(c.info.size(), 10001u);
  EXPECT_EQ(c.info[9999], "Command: XY; not supported!");
  EXPECT_EQ(c.info[10000], "... 5 further lines not listed.");
}

// Bytes of the plot file reach the diagnostics and boxes as text to read,
// never as control characters for the terminal (a damaged file held
// 124,703 raw escape characters). Boxes for commands that are too long
// stop after three; the rest is counted in the last diagnostic line.
TEST_F(MakeDxfTest, DiagnosticsShowControlBytesEscapedAndTooLongBoxesAreCounted) {
  std::string hpgl = "IN;X\x1B;PD \x07[2J,\x9B" "31m;";
  for (int i = 0; i < 10; ++i) hpgl += "ZZ\x1B" + std::string(300, '1') + ";";
  Conversion c = convert(hpgl + "LBa\x03");
  EXPECT_EQ(c.result, DxfResult::Converted);
  Lines info = {"Command: X\\x1B; not supported!", "Error in HPGL-command:PD \\x07[2J,\\x9B31m;"};
  for (int i = 0; i < 10; ++i) info.push_back("Command: ZZ; not supported!");
  info.push_back("... 7 further commands were too long and were cut.");
  EXPECT_EQ(c.info, info);
  ASSERT_EQ(c.boxes.size(), 4u);  // three too-long boxes and the final one
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(c.boxes[i].text,
              "ZZ\\x1B" + std::string(254, '1') + ": Command is too long and will be shortened!");
  EXPECT_EQ(c.boxes[3].caption, MsgCaption::Information);
  for (std::size_t i = 0; i < 3; ++i) info.push_back(c.boxes[i].text);
  for (const std::string& line : info)
    for (char b : line) EXPECT_GE(static_cast<unsigned char>(b), 0x20u) << line;
}

// A conversion reported as failed leaves a file already at the target as
// it was (a UTF-16 plot file converts nothing); a new target gets the
// complete empty DXF.
TEST_F(MakeDxfTest, AFailedConversionKeepsTheFileAtTheTarget) {
  Conversion good = convert("IN;PU 0,0;PD 400,0;", 1, 40, "keep.dxf");
  ASSERT_EQ(good.result, DxfResult::Converted);
  std::string utf16;
  for (char ch : std::string("IN;PU 0,0;PD 400,0;")) utf16 += std::string{ch, '\0'};
  Conversion failed = convert("\xFF\xFE" + utf16, 1, 40, "keep.dxf");
  EXPECT_EQ(failed.result, DxfResult::NothingConverted);
  EXPECT_EQ(failed.bytes, good.bytes);
  ASSERT_EQ(failed.boxes.size(), 1u);
  EXPECT_EQ(failed.boxes[0].text, "File in.plt not converted!\n\rHPGL-file is probably corrupted.");
  Conversion fresh = convert("\xFF\xFE" + utf16, 1, 40, "new.dxf");
  EXPECT_EQ(fresh.result, DxfResult::NothingConverted);
  EXPECT_EQ(fresh.lines.back(), "EOF");
}

// Read and write failures name the file and the system's reason: a plot
// file that fails on read (/proc/self/mem), a device that is full. Only a
// regular file is converted: a device or a pipe could deliver bytes
// without end (/dev/zero never ended, /dev/urandom filled the disk) or
// wait for them; a folder is named as one.
TEST_F(MakeDxfTest, FailuresNameTheFileAndTheReason) {
  {
    std::ofstream f(dir_ / "in.plt", std::ios::binary);
    f << "IN;PU 0,0;PD 400,0;";
  }
  const std::string pipe = (dir_ / "pipe.plt").string();
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  fs::create_directory(dir_ / "folder.plt");
  struct Case {
    std::string in, out;
    DxfResult result;
    std::string box;
  };
  const Case cases[] = {
      {"/proc/self/mem", (dir_ / "mem.dxf").string(), DxfResult::InputError,
       "/proc/self/mem: Input/output error"},
      {(dir_ / "in.plt").string(), "/dev/full", DxfResult::OutputError,
       "Unable to save file!\n\r/dev/full\n\rNo space left on device"},
      {"/dev/zero", (dir_ / "mem.dxf").string(), DxfResult::InputError, "/dev/zero: not a regular file"},
      {"/dev/urandom", (dir_ / "mem.dxf").string(), DxfResult::InputError,
       "/dev/urandom: not a regular file"},
      {pipe, (dir_ / "mem.dxf").string(), DxfResult::InputError, pipe + ": not a regular file"},
      {(dir_ / "folder.plt").string(), (dir_ / "mem.dxf").string(), DxfResult::InputError,
       (dir_ / "folder.plt").string() + ": Is a directory"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.in + " -> " + c.out);
    ScopedScriptedPlatform p;
    EXPECT_EQ(convertHpglToDxf(c.in, c.out, 1, 40), c.result);
    ASSERT_EQ(p->boxes.size(), 1u);
    EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
    EXPECT_EQ(p->boxes[0].text, c.box);
  }
  EXPECT_FALSE(fs::exists(dir_ / "mem.dxf"));
}

// The character-set pass turns DOS (code page 850) letters into Windows
// letters: 84 94 81 E1 are ä ö ü ß, E4 F6 FC DF in Windows-1252.
TEST_F(MakeDxfTest, LabelsAreConvertedFromDosToWindowsCharacters) {
  Conversion c = convert("IN;LB\x84\x94\x81\xe1\x03");
  EXPECT_EQ(c.entities, text("0", "0.00", "0.00", kHeight40, "0.7", "\xe4\xf6\xfc\xdf"));
  const Lines seen = ezdxfDump(c.path);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_NE(seen[0].find("|\xc3\xa4\xc3\xb6\xc3\xbc\xc3\x9f|"), std::string::npos) << seen[0];
}

// ------------------------------------------------------------ independent reader

// What an independent reader makes of a small drawing, in millimetres
// (40 plotter units per millimetre): a square corner, a circle, a quarter
// arc and a vertical label.
TEST_F(MakeDxfTest, IndependentReaderSeesTheDrawingInMillimetres) {
  Conversion c = convert(
      "IN;SP 1;PU 400,400;PD 800,400,800,800;PU 1200,1200;CI 200;PU 2000,400;PD;AA 2000,0,90;"
      "SP 4;SI 0.28,0.50;DI 0,1;PU 400,1600;LBTest\x03");
  EXPECT_EQ(ezdxfDump(c.path),
            (Lines{"POLYLINE L_1 1 CONTINUOUS 0.0000 0.0000 "
                   "10.0000,10.0000;20.0000,10.0000;20.0000,20.0000",
                   "CIRCLE L_1 1 30.0000,30.0000 5.0000",
                   "ARC L_1 1 50.0000,0.0000 10.0000 90.0000 180.0000",
                   "TEXT L_4 4 10.0000,40.0000 5.0000 0.7800 90.0000 0.0000 STANDARD |Test|"}));
}

// A plot file as the program writes it for DXF (resolution factor 25,
// scale 1000): prologue, frame, pens, a label.
TEST_F(MakeDxfTest, ProgramPlotFileAtScale1000) {
  Conversion c = convert(
      "IN;VS 1;PA;IW 0 0 403925 275950;PU 0 0;EA 403925 275950;;SP 4;PU 0 0;"
      ";SI  7.00,12.50;;PU 25000 25000;LBXII\x03;SP 2;PU 50000 50000;PD 100000 50000 100000 "
      "100000;PU ;;SP 0;IN;",
      2, 1000);
  EXPECT_EQ(c.result, DxfResult::Converted);
  EXPECT_EQ(ezdxfDump(c.path),
            (Lines{"POLYLINE L_0 0 CONTINUOUS 0.0060 0.0060 0.0000,0.0000;403.9250,0.0000;"
                   "403.9250,275.9500;0.0000,275.9500;0.0000,0.0000",
                   "TEXT L_4 4 25.0000,25.0000 5.0000 0.7800 0.0000 0.0000 STANDARD |XII|",
                   "POLYLINE L_2 2 CONTINUOUS 0.0060 0.0060 "
                   "50.0000,50.0000;100.0000,50.0000;100.0000,100.0000"}));
}

}  // namespace
}  // namespace tavrel
