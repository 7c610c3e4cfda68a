#include "plot/hpgl_writer.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <array>
#include <cstdio>
#include <limits>
#include <string>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "base/number_text.h"
#include "plot/page_constants.h"
#include "plot_test_util.h"
#include "tests/plot/hpgl_raw_access.h"

namespace tavrel {
namespace {

using testing::readWholeFile;
using testing::ScratchDir;
using testing::writeWholeFile;

// Writes the calls of `body` into a fresh file and returns its contents.
template <typename Body>
std::string plotText(const ScratchDir& dir, int r, Body body) {
  const std::string path = dir.file("out.plt");
  HpglWriter w(r);
  w.hpglOpen(path);
  body(w);
  w.hpglClose();
  return readWholeFile(path);
}

TEST(HpglWriter, PrologueAtR1IsThe65Characters) {
  ScratchDir dir;
  const std::string text = plotText(dir, 1, [](HpglWriter& w) { w.writeStandardPrologue(); });
  const std::string expected = "IN;VS 1;PA;IW 0 0 16157 11038;PU 0 0;EA 16157 11038;;SP 4;PU 0 0;";
  ASSERT_EQ(expected.size(), 65u);
  EXPECT_EQ(text, expected);
}

TEST(HpglWriter, PrologueAtR25) {
  // 16157 * 25 = 403925, 11038 * 25 = 275950.
  EXPECT_EQ(hpglPrologue(25), "IN;VS 1;PA;IW 0 0 403925 275950;PU 0 0;EA 403925 275950;");
}

TEST(HpglWriter, CharSizeIsScaledByTheResolutionFactor) {
  struct Row {
    int r;
    const char* expected;
  };
  // The planar title size 0.28 x 0.5 cm.
  constexpr Row kRows[] = {{1, ";SI  0.28, 0.50;PU 0 0;LBX\x03"},
                           {25, ";SI  7.00,12.50;PU 0 0;LBX\x03"}};
  for (const auto& row : kRows) {
    ScratchDir dir;
    const std::string text = plotText(dir, row.r, [](HpglWriter& w) {
      w.setCharSize(0.28, 0.5);
      w.label(0, 0, "X");
    });
    EXPECT_EQ(text, row.expected) << "R=" << row.r;
  }
}

TEST(HpglWriter, CommandForms) {
  ScratchDir dir;
  const std::string text = plotText(dir, 1, [](HpglWriter& w) {
    w.selectPen(10);
    w.moveTo(12.5, -3.5);   // ties to even: 12, -4
    w.lineTo(100, 200);
    w.penUp();
    w.circle(500, 600, 80);
    w.circle(500, 600, 400.4, 0.2);
    w.moveTo(1000, 0);
    w.arc(0, 0, 90, 0.25);
    w.setLabelDirection(100, 0);
    w.setLineType(true);
    w.setLineType(false);
    w.setPenWidth(0);
    w.setPenWidth(2);
    w.setWindow(0, 0, 16157, 11038);
    w.resetWindow();
    w.frameRectangle(16400, 11480);
  });
  EXPECT_EQ(text,
            ";SP 10;PU 12 -4;PD 100 200;PU;;PU 500 600;CI 80;;PU 500 600;CI 400 ,0.2"
            ";PU 1000 0;PD;AA 0,0,90,0.25;DI 100.0,0.0;LT 2,2;;LT;;PW 0;;PW 2;"
            ";IW 0 0 16157 11038;;IW;;PU 0 0;EA 16400 11480;");
}

// The forms the planar plot writes through the surface: polylines with
// one "PD" per run of lines, labels at the pen, the padded coordinate
// form (radii stay integers), the hour-number set-up and the dashed
// substyle.
TEST(HpglWriter, PolylinesPaddedCoordinatesAndPlanarForms) {
  ScratchDir dir;
  const std::string text = plotText(dir, 25, [](HpglWriter& w) {
    const PlotVertex path[] = {{1, 2, false}, {3, 4, true}, {5, 6, true}, {7, 8, false}, {9, 10, true}};
    w.polyline(path);
    w.polyline(std::span<const PlotVertex>());
    w.labelHere("a\nb");
    w.setCoordinateWidth(5);
    w.moveTo(12.4, -3);
    w.circle(100, 2, 50.5);
    w.dashedSegment(7.5, 8, 1234, 5);
    w.setCoordinateWidth(0);
    w.moveTo(1234, 5);
    w.setWindowOpen(0, 0, 10, 20);
    w.endCommand();
    w.penUpPenAndSize(4, 0.2, 0.3);
  });
  EXPECT_EQ(text,
            ";PU 1 2;PD 3 4 5 6;PU 7 8;PD 9 10;LBa b\x03;PU    12    -3;PU   100     2;CI 50;"
            ";LT 2,2; PU 8 8 ;PD  1234     5;LT ;PU ;PU 1234 5;IW 0 0 10 20;;PU; SP4; SI  5.00, 7.50;");
}

// Every label of a plot, as the text between "LB" and the next command
// separator, must end with the end-of-text character.
TEST(HpglWriter, SinglePlotLineAndTerminatedLabels) {
  ScratchDir dir;
  const std::string text = plotText(dir, 25, [](HpglWriter& w) {
    w.writeStandardPrologue();
    w.setCharSize(0.22, 0.32);
    w.label(100, 200, asciiUmlauts("Höhe 47°"));
    w.label(100, 400, "two\r\nlines\x03 and more");  // control characters become blanks
    w.label(100, 600, "");
    w.selectPen(1);
    w.moveTo(0, 0);
    w.lineTo(1000, 1000);
    w.endPage(PageEnd::WindowReset);
  });
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  int labels = 0;
  for (std::size_t at = text.find("LB"); at != std::string::npos; at = text.find("LB", at + 2)) {
    ++labels;
    const std::size_t end = text.find('\x03', at);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(text.find(';', at), end + 1) << "label at " << at << " is not terminated";
  }
  EXPECT_EQ(labels, 3);
  EXPECT_EQ(std::count(text.begin(), text.end(), '\x03'), 3);
  EXPECT_NE(text.find(";LBHoehe 47deg\x03"), std::string::npos);
  EXPECT_NE(text.find(";LBtwo  lines  and more\x03"), std::string::npos);
}

// The plot's ASCII spellings, by hand from the character names (Unicode
// code charts) and HP-GL's standard character set, which is ASCII and has
// no degree sign.
TEST(HpglWriter, PlotAsciiSpellings) {
  struct Spelling {
    const char* text;
    const char* ascii;
  };
  const Spelling kSpellings[] = {
      {"Sun 12:00 (A-Z a-z 0-9 ;,.^)", "Sun 12:00 (A-Z a-z 0-9 ;,.^)"},
      {"", ""},
      {"47.25\xC2\xB0 /-9.59\xC2\xB0", "47.25deg /-9.59deg"},                 // degree sign
      {"Shepherds\xC2\xB4 Dial", "Shepherds' Dial"},                           // acute accent
      {"Hollander\xE2\x80\x99s", "Hollander's"},                              // right single quotation mark
      {"\xE2\x80\x9E" "Schirm\xE2\x80\x9C", "\"Schirm\""},                    // German quotation marks
      {"\xC3\x84\xC3\x96\xC3\x9C\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x9F", "AeOeUeaeoeuess"},  // umlauts, sharp s
      {"Gr\xC3\xB6\xC3\x9F" "e", "Groesse"},
      {"caf\xC3\xA9 \xE2\x80\x93 12 \xC3\x97 3", "cafe - 12 x 3"},         // e acute, en dash, multiplication
      {"\xC2\xB1\xC2\xBD\xC2\xA0m", "+-1/2 m"},                               // plus-minus, one half, no-break space
      {"Ni\xC3\xB1o \xC3\x85" "land", "Nino Aland"},
      {"\xE2\x99\x88 Aries", "? Aries"},                                      // a sign without a spelling
      {"20\xB0 S", "20deg S"},                                                  // a stray Windows-1252 byte
      {"\xF0\x9F\x8C\x9E", "?"},                                                // beyond the BMP
  };
  for (const Spelling& c : kSpellings) {
    SCOPED_TRACE(c.ascii);
    EXPECT_EQ(plotAscii(c.text), c.ascii);
  }
}

// The constructions hand their labels to the writer as they are: the
// writer's spelling of the umlauts is the one asciiUmlauts gives, so a
// label spelled before gives the same bytes as one spelled by the writer.
TEST(HpglWriter, UmlautsSpelledBeforeOrByTheWriterAreTheSame) {
  const char* const kLabels[] = {
      "M\xC3\xA4rz", "S\xC3\xBC" "d", "H\xC3\xB6he 47\xC2\xB0", "\xC3\x84quinoktium \xC3\x96sterreich \xC3\x9C" "ber",
      "Gr\xC3\xB6\xC3\x9F" "e", "plain"};
  for (const char* label : kLabels) {
    SCOPED_TRACE(label);
    EXPECT_EQ(plotAscii(asciiUmlauts(label)), plotAscii(label));
  }
}

// Whatever a construction writes, the file holds ASCII only: labels and
// raw fragments alike pass the one spelling.
TEST(HpglWriter, EveryFragmentIsWrittenInAscii) {
  ScratchDir dir;
  const std::string text = plotText(dir, 1, [](HpglWriter& w) {
    w.writeStandardPrologue();
    w.label(100, 200, "Farmers\xC2\xB4 Ring");
    w.labelHere("M\xC3\xA4rz");
    HpglRawAccess::write(w, ";PU 300 400;LBA( 47.25\xC2\xB0 /-9.59\xC2\xB0),\x03");
  });
  for (unsigned char c : text) EXPECT_LT(c, 128u);
  EXPECT_NE(text.find(";LBFarmers' Ring\x03"), std::string::npos);
  EXPECT_NE(text.find(";LBMaerz\x03"), std::string::npos);
  EXPECT_NE(text.find(";LBA( 47.25deg /-9.59deg),\x03"), std::string::npos);
}

// The independent HPGL reader hp2xx accepts a plot without ignored
// commands and sees the drawing window.
TEST(HpglWriter, Hp2xxReadsThePlot) {
  ScratchDir dir;
  plotText(dir, 1, [](HpglWriter& w) {
    w.writeStandardPrologue();
    w.setCharSize(0.28, 0.5);
    w.label(1000, 1000, "Hoehe");
    w.selectPen(1);
    w.moveTo(100, 100);
    w.lineTo(2000, 2000);
    w.circle(5000, 5000, 400);
    w.moveTo(6000, 5000);
    w.arc(5000, 5000, 90);
    w.setLineType(true);
    w.lineTo(8000, 3000);
    w.setLineType(false);
    w.hpglGrid(3000, 2000, 16150, 400, 11030);
    w.endPage(PageEnd::WindowReset);
  });
  const std::string cmd = "/usr/bin/hp2xx -m svg -f " + dir.file("out.svg") + " " +
                          dir.file("out.plt") + " > " + dir.file("log.txt") + " 2>&1";
  ASSERT_EQ(std::system(cmd.c_str()), 0) << readWholeFile(dir.file("log.txt"));
  const std::string log = readWholeFile(dir.file("log.txt"));
  EXPECT_NE(log.find("HPGL command(s) ignored: 0"), std::string::npos) << log;
  // hp2xx knows 8 pens; the grid's pen 9 is its one complaint.
  EXPECT_NE(log.find("Unexpected event(s):  1"), std::string::npos) << log;
  EXPECT_NE(log.find("Illegal pen number 9"), std::string::npos) << log;
  EXPECT_NE(log.find("Coordinate range: (0, 0) ... (16157, 11038)"), std::string::npos) << log;
}

// Grids worked by hand from the loop rules: step the origin back while it
// lies beyond spacing + 2, then forward while below the far edge minus
// spacing + 2.
TEST(HpglGrid, Table) {
  struct Row {
    double x0, y0, width, spacing, height;
    const char* expected;
  };
  const Row kRows[] = {
      // Ordinary: a = 200, b = 100, g = 1800, h = 900.
      {1000, 500, 2000, 400, 1200,
       ";IW 0 0 2000 1200;SP 9;PU 1000 500;CI 80;"
       "PU 200 100;PD 200 900;PU 600 100;PD 600 900;PU 1000 100;PD 1000 900;"
       "PU 1400 100;PD 1400 900;PU 1800 100;PD 1800 900;"
       "PU 200 100;PD 1800 100;PU 200 500;PD 1800 500;PU 200 900;PD 1800 900;PU ;"},
      // Origin exactly at spacing + 2: no step back.
      {402, 402, 1000, 400, 1000,
       ";IW 0 0 1000 1000;SP 9;PU 402 402;CI 80;"
       "PU 402 402;PD 402 802;PU 802 402;PD 802 802;"
       "PU 402 402;PD 802 402;PU 402 802;PD 802 802;PU ;"},
      // One unit further: steps back to 3.
      {403, 0, 1000, 400, 500,
       ";IW 0 0 1000 500;SP 9;PU 403 0;CI 80;"
       "PU 3 0;PD 3 400;PU 403 0;PD 403 400;PU 803 0;PD 803 400;"
       "PU 3 0;PD 803 0;PU 3 400;PD 803 400;PU ;"},
      // Origin at 0: the first vertical line is at x = 0.
      {0, 0, 900, 400, 900,
       ";IW 0 0 900 900;SP 9;PU 0 0;CI 80;"
       "PU 0 0;PD 0 800;PU 400 0;PD 400 800;PU 800 0;PD 800 800;"
       "PU 0 0;PD 800 0;PU 0 400;PD 800 400;PU 0 800;PD 800 800;PU ;"},
      // No spacing: the origin mark only (the loops could not end).
      {1000, 500, 2000, 0, 1200, ";IW 0 0 2000 1200;SP 9;PU 1000 500;CI 80;PU ;"},
      {1000, 500, 2000, -40, 1200, ";IW 0 0 2000 1200;SP 9;PU 1000 500;CI 80;PU ;"},
      {-std::numeric_limits<double>::infinity(), 500, 2000, 400, 1200,
       ";IW 0 0 2000 1200;SP 9;PU -217000000 500;CI 80;PU ;"},
  };
  for (const auto& row : kRows) {
    ScratchDir dir;
    const std::string text = plotText(dir, 1, [&](HpglWriter& w) {
      w.hpglGrid(row.x0, row.y0, row.width, row.spacing, row.height);
    });
    EXPECT_EQ(text, row.expected) << row.x0 << "," << row.y0 << " spacing " << row.spacing;
  }
}

TEST(HpglGrid, PlanarCallAtR25KeepsTheOriginCircle) {
  // The planar plot: 16150 R x 11030 R, spacing 10 mm * 40 * R.
  ScratchDir dir;
  const std::string text = plotText(dir, 25, [](HpglWriter& w) {
    w.hpglGrid(200000, 100000, 16150.0 * 25, 10 * 40 * 25, 11030.0 * 25);
  });
  EXPECT_EQ(text.rfind(";IW 0 0 403750 275750;SP 9;PU 200000 100000;CI 80;", 0), 0u);
  // a = 200000 - 19 * 10000 = 10000 is not beyond 10002: x = 10000 .. 400000.
  EXPECT_NE(text.find("PU 10000 10000;PD 10000 270000;"), std::string::npos);
  EXPECT_NE(text.find("PU 400000 10000;PD 400000 270000;"), std::string::npos);
  EXPECT_EQ(text.find("PU 410000"), std::string::npos);
  EXPECT_EQ(text.substr(text.size() - 4), "PU ;");
}

TEST(HpglWriter, OverwritesOnlyWhenClosed) {
  ScopedScriptedPlatform p;
  ScratchDir dir;
  const std::string path = dir.file("dial.plt");
  writeWholeFile(path, "OLD");
  {
    HpglWriter w;
    w.hpglOpen(path);
    w.writeStandardPrologue();
    EXPECT_EQ(readWholeFile(path), "OLD");  // the target is untouched while writing
    w.hpglClose();
  }
  EXPECT_EQ(readWholeFile(path).substr(0, 3), "IN;");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"dial.plt"});
  EXPECT_TRUE(p->boxes.empty());
}

TEST(HpglWriter, UnclosedWriterLeavesTheTargetAlone) {
  ScratchDir dir;
  const std::string path = dir.file("dial.plt");
  writeWholeFile(path, "OLD");
  {
    HpglWriter w;
    w.hpglOpen(path);
    w.writeStandardPrologue();
  }  // a construction that threw never reaches hpglClose
  EXPECT_EQ(readWholeFile(path), "OLD");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"dial.plt"});
}

TEST(HpglWriter, OpenFailureReportsAndCreatesNothing) {
  ScopedScriptedPlatform p;
  testing::LanguageScope english(2);
  ScratchDir dir;
  writeWholeFile(dir.file("notadir"), "x");
  const std::string path = dir.file("notadir") + "/dial.plt";
  HpglWriter w;
  EXPECT_THROW(w.hpglOpen(path), PlotFileError);
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  EXPECT_EQ(p->boxes[0].text.rfind("Unable to save file!\n\r" + path, 0), 0u) << p->boxes[0].text;
  EXPECT_EQ(dir.names(), std::vector<std::string>{"notadir"});
}

TEST(HpglWriter, DiskFullEndsTheCommandWithAMessage) {
  ScopedScriptedPlatform p;
  testing::LanguageScope english(2);
  HpglWriter w;
  w.hpglOpen("/dev/full");
  try {
    HpglRawAccess::write(w, "IN;");
    FAIL() << "no error from a full device";
  } catch (const PlotFileError& e) {
    EXPECT_EQ(e.code(), std::make_error_code(std::errc::no_space_on_device));
  }
  ASSERT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(p->boxes[0].caption, MsgCaption::Error);
  EXPECT_NE(p->boxes[0].text.find("Unable to save file!"), std::string::npos);
  EXPECT_NE(p->boxes[0].text.find("/dev/full"), std::string::npos);
  EXPECT_FALSE(w.isOpen());
}

// A regular file that cannot grow (as on a full disk): the file-size limit
// of the process stops the write. The old plot must survive and no
// temporary file may stay behind.
TEST(HpglWriter, WriteFailureKeepsTheOldFile) {
  ScopedScriptedPlatform p;
  ScratchDir dir;
  const std::string path = dir.file("dial.plt");
  writeWholeFile(path, "OLD");
  HpglWriter w;
  w.hpglOpen(path);

  struct rlimit old{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 100;
  auto* oldHandler = signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  bool thrown = false;
  try {
    for (int i = 0; i < 10; ++i) HpglRawAccess::write(w, hpglPrologue(1));
  } catch (const PlotFileError&) {
    thrown = true;
  }
  setrlimit(RLIMIT_FSIZE, &old);
  signal(SIGXFSZ, oldHandler);

  EXPECT_TRUE(thrown);
  EXPECT_EQ(p->boxes.size(), 1u);
  EXPECT_EQ(readWholeFile(path), "OLD");
  EXPECT_EQ(dir.names(), std::vector<std::string>{"dial.plt"});
  EXPECT_NO_THROW(w.hpglClose());  // nothing left to close
}

TEST(HpglWriter, EmptyWriteWritesNothing) {
  ScratchDir dir;
  EXPECT_EQ(plotText(dir, 1, [](HpglWriter& w) {
              HpglRawAccess::write(w, "");
              HpglRawAccess::write(w, "IN;");
              HpglRawAccess::write(w, "");
            }),
            "IN;");
}

// The page starts and ends as the plot files of the families have them
// (the exact texts of their prologues and trailers), at R = 2 so that a
// size left unscaled shows.
TEST(HpglWriter, PageStartsAndEnds) {
  struct Row {
    const char* name;
    void (*write)(HpglWriter&);
    const char* expected;
  };
  const Row kRows[] = {
      {"plain", [](HpglWriter& w) { w.beginPage(PageStart::Plain); }, "IN;PA;"},
      {"slow", [](HpglWriter& w) { w.beginPage(PageStart::Slow); }, "IN;VS 1;PA;"},
      {"standard set", [](HpglWriter& w) { w.beginPage(PageStart::StandardSet); }, "IN;SS;PA;"},
      {"framed", [](HpglWriter& w) { w.beginPage(PageStart::Framed, 32800.4, 20800.6); },
       "IN;VS 1;PA;IW 0 0 32800 20801;PU 0 0;EA 32800 20801;"},
      {"framed, pen first", [](HpglWriter& w) { w.beginPage(PageStart::FramedPenFirst, 32314, 22076); },
       "IN;VS 1;PA;IW 0 0 32314 22076;SP 4;PU 0 0;EA 32314 22076;"},
      {"framed, braced window", [](HpglWriter& w) { w.beginPage(PageStart::FramedBraced, 32800, 22960); },
       "IN;VS 1;PA;{IW 0 0 32800 22960;}PU 0 0;EA 32800 22960;"},
      {"equation of time", [](HpglWriter& w) { w.beginPage(PageStart::EotGraph); }, "IN;SP 8;SI 0.14, 0.24;SP 8"},
      {"cartesian", [](HpglWriter& w) { w.beginPage(PageStart::CartesianGraph); }, ";IN;SS;SI 0.14, 0.21;SP 4"},
      {"polar", [](HpglWriter& w) { w.beginPage(PageStart::PolarGraph); }, ";IN;SS;SI 0.16, 0.24;SP 4"},
      {"sized", [](HpglWriter& w) { w.beginSizedPage(32314, 22076, 1, 0.15, 0.24); },
       "IN;VS 1;PA;IW 0 0    32314    22076;SI  0.30, 0.48;SP 1;PU 0 0;EA    32314    22076;SI  0.30, 0.48"},
      {"map", [](HpglWriter& w) { w.beginMapPage(32314, 22076, 12, 0.22, 0.32); },
       "IN;VS 1;PA;IW 0 0 32314 22076;SP 12;PU 0 0;EA 32314 22076;PU 0 0;SI  0.44, 0.64"},
      {"standard", [](HpglWriter& w) { w.writeStandardPrologue(); },
       "IN;VS 1;PA;IW 0 0 32314 22076;PU 0 0;EA 32314 22076;;SP 4;PU 0 0;"},
      {"home pen", [](HpglWriter& w) { w.homePen(3); }, ";SP 3;PU 0 0;"},
      {"symbol sets", [](HpglWriter& w) { w.selectSymbolSet(true), w.selectSymbolSet(false); }, ";SA ;SS "},
      {"window reset", [](HpglWriter& w) { w.endPage(PageEnd::WindowReset); }, ";IW;IN;"},
      {"pen away", [](HpglWriter& w) { w.endPage(PageEnd::PenAway); }, ";SP 0;IN;"},
      {"pen away, tight", [](HpglWriter& w) { w.endPage(PageEnd::PenAwayTight); }, ";SP0;IN;"},
      {"init", [](HpglWriter& w) { w.endPage(PageEnd::Init); }, ";IN;"},
      {"pen up, away", [](HpglWriter& w) { w.endPage(PageEnd::PenUpAway); }, ";PU;SP 0;"},
  };
  for (const Row& row : kRows) {
    ScratchDir dir;
    EXPECT_EQ(plotText(dir, 2, row.write), row.expected) << row.name;
  }
}

// The three polyline forms are three spellings of one drawing: the
// independent reader hp2xx draws the same picture from each, with short
// and with right-justified coordinates.
TEST(HpglWriter, PolylineFormsDrawTheSameLines) {
  const std::vector<PlotVertex> v = {{1000, 1000, false}, {2500, 4000, true}, {4000, 1500, true},
                                     {-300, 6000, false}, {5200, 6100, true}, {6000, 200, false},
                                     {7000, 300, true}};
  struct Row {
    PolylineForm form;
    int width;
    const char* spelled;  // how the second run begins
  };
  const Row kRows[] = {{PolylineForm::Joined, 0, ";PU -300 6000;PD 5200 6100;"},
                       {PolylineForm::Spaced, 0, ";PU -300 6000;PD 5200 6100 ;"},
                       {PolylineForm::Segments, 0, ";PU -300 6000;PD 5200 6100;PU ;"},
                       {PolylineForm::Joined, 8, ";PU     -300     6000;PD     5200     6100;"},
                       {PolylineForm::Spaced, 8, ";PU -300 6000;PD     5200     6100 ;"},
                       {PolylineForm::Segments, 8, ";PU     -300     6000;PD     5200     6100;PU ;"}};
  std::string reference;
  for (const Row& row : kRows) {
    ScratchDir dir;
    const std::string text = plotText(dir, 1, [&](HpglWriter& w) {
      w.beginPage(PageStart::Framed, 8000, 8000);
      w.selectPen(1);
      w.setCoordinateWidth(row.width);
      w.setPolylineForm(row.form);
      w.polyline(v);
      w.setPolylineForm(PolylineForm::Joined);
      w.setCoordinateWidth(0);
      w.endPage(PageEnd::PenAway);
    });
    EXPECT_NE(text.find(row.spelled), std::string::npos) << text;
    const std::string cmd = "/usr/bin/hp2xx -m svg -f " + dir.file("out.svg") + " " + dir.file("out.plt") +
                            " > " + dir.file("log.txt") + " 2>&1";
    ASSERT_EQ(std::system(cmd.c_str()), 0) << readWholeFile(dir.file("log.txt"));
    EXPECT_NE(readWholeFile(dir.file("log.txt")).find("HPGL command(s) ignored: 0"), std::string::npos);
    const std::string svg = readWholeFile(dir.file("out.svg"));
    if (reference.empty()) {
      reference = svg;
      // The frame and the three runs.
      std::size_t paths = 0;
      for (std::size_t at = svg.find("<path"); at != std::string::npos; at = svg.find("<path", at + 1)) ++paths;
      EXPECT_GE(paths, 4u) << svg;
    } else {
      EXPECT_EQ(svg, reference) << text;
    }
  }
}

TEST(PageConstants, ScreenToPlot) {
  struct Row {
    double screen, size;
    long long x, y;
  };
  // Round(16157 / W * x) and Round(11040 - 11038 / H * y), ties to even.
  constexpr Row kRows[] = {
      {500, 1000, 8078, 5521},   // 8078.5 -> 8078; 11040 - 5519 = 5521
      {0, 1000, 0, 11040},
      {1000, 1000, 16157, 2},
      {250, 800, 5049, 7591},    // 5049.0625; 11040 - 3449.375 = 7590.625
  };
  for (const auto& r : kRows) {
    EXPECT_EQ(screenToPlotX(r.screen, r.size), r.x) << r.screen << "/" << r.size;
    EXPECT_EQ(screenToPlotY(r.screen, r.size), r.y) << r.screen << "/" << r.size;
  }
  // Sawyer: Round(16400 / W * x), Round(10480 - 10470 / H * y).
  EXPECT_EQ(sawyerScreenToPlotX(500, 1000), 8200);
  EXPECT_EQ(sawyerScreenToPlotY(500, 1000), 5245);  // 10480 - 5235
  EXPECT_DOUBLE_EQ(screenUnitsPerMm(1400, true), 5.0);
  EXPECT_DOUBLE_EQ(screenUnitsPerMm(1680, false), 4.0);
}

}  // namespace
}  // namespace tavrel
