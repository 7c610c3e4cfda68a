// The planar dial plot: the fixed text of its head, the same drawing at
// both resolution factors, the default placements, the grid and pen-width
// commands, the hour numbers and the polar triangle, and the coordinates
// listing that names exactly the plotted points.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "core/language.h"
#include "dial_test_util.h"
#include "base/number_text.h"
#include "dials/planar/planar_plot.h"
#include "tests/core/language_choice.h"

namespace tavrel::testing {
namespace {

namespace fs = std::filesystem;

// One HPGL command: mnemonic, numbers, label text.
struct Command {
  std::string name;
  std::vector<double> numbers;
  std::string text;  // LB only
};

// HP-GL as the plotter reads it: mnemonics of two letters, parameters up
// to ";", labels up to the end-of-text character.
std::vector<Command> parseHpgl(const std::string& plot) {
  std::vector<Command> out;
  std::size_t i = 0;
  while (i < plot.size()) {
    while (i < plot.size() && (plot[i] == ';' || plot[i] == ' ')) ++i;
    if (i + 2 > plot.size()) break;
    Command c;
    c.name = plot.substr(i, 2);
    i += 2;
    if (c.name == "LB") {
      const std::size_t end = plot.find('\x03', i);
      c.text = plot.substr(i, end - i);
      i = end == std::string::npos ? plot.size() : end + 1;
    } else {
      std::size_t end = i;
      while (end < plot.size() && plot[end] != ';' && !std::isalpha(static_cast<unsigned char>(plot[end])))
        ++end;
      std::string params = plot.substr(i, end - i);
      for (char& ch : params)
        if (ch == ',') ch = ' ';
      std::istringstream in(params);
      double v;
      while (in >> v) c.numbers.push_back(v);
      i = end;
    }
    out.push_back(std::move(c));
  }
  return out;
}

class PlanarPlotTest : public PlanarDialTest {
 protected:
  void SetUp() override {
    PlanarDialTest::SetUp();
    dir_ = fs::temp_directory_path() / ("tavrel_planar_plot_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    DesignState& d = design();
    d.latitude = 47.25;
    d.longitude = -9.59;
    d.zoneMeridian = -15;
    d.gnomonLength = 35;
    d.plotLineWidth = 1;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string plot(PlanarPlotRequest request, CoordinatesListing* listing = nullptr) {
    if (request.grid == PlotGrid::Ask) request.grid = PlotGrid::Off;
    const std::string path = (dir_ / "p.plt").string();
    HpglWriter writer(request.resolutionFactor);
    writer.hpglOpen(path);
    writePlanarPlot(writer, design(), request, listing);
    writer.hpglClose();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  }

  static PlanarPlotRequest at(int R) {
    PlanarPlotRequest r;
    r.resolutionFactor = R;
    r.grid = PlotGrid::Off;
    r.plotFileName = "p.plt";
    return r;
  }

  void allLinesOn() {
    DesignState& d = design();
    d.dateLineMode = '0';
    d.localTimeNoEot = true;
    d.hourLineInterval = '1';
    d.withEot = true;
    d.markAnalemma = true;
    d.analemmaMarkHour = 12;
    d.temporalHourLines = true;
    d.babylonianHours = true;
    d.italianHours = true;
    d.sunAltitudeLines = true;
    d.integerSunshineLines = true;
    d.linesToStyleFoot = true;
    d.drawPoleTriangle = true;
  }

  fs::path dir_;
};

// The head of the default vertical dial is fixed text: prologue, the cross
// at the foot, the double-gnomon bar and its label, title, location,
// deviation, the east-sign note and the legend.
TEST_F(PlanarPlotTest, HeadOfTheVerticalDial) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.wallDeclination = -11.7;
  d.localTimeNoEot = true;
  const std::string text = plot(at(1));
  const std::string expected =
      "IN;VS 1;PA;IW 0 0 16157 11038;PU 0 0;EA 16157 11038;;SP 4;PU 0 0;"
      ";SP 4;PU 8000 11000;PD 8400 11000 8200 11000 8200 11200 8200 10800"
      ";PU 40 40;PD 2840 40 2840 160;PU 40 40;PD 40 2840 160 2840"
      ";PU 160 160;SI  0.16, 0.24;LBdouble gnomon height (= 2 * 35.000 mm)\x03;"
      ";SI  0.28, 0.50;PU 800 1540;LBvertical SUNDIAL\x03"
      ";SI  0.20, 0.30;PU 800 1100;LBLatitude =  47.25 deg , Longitude =  -9.59 deg \x03"
      ";PU 800 890;LBDeviation = -11.70 deg \x03"
      ";SI  0.16, 0.24;PU 1670 740;LB(Negative sign for deviation to East!)\x03"
      ";SP 1;PU 800 440;PD 1490 440;SP 4;LB  Shadow path \x03"
      ";SP 3;PU 800 300;PD 1490 300;SP 4;LB  Hour lines (without EoT, Local Apparent Time)\x03"
      ";PU; SP4; SI  0.20, 0.30;";
  ASSERT_GE(text.size(), expected.size());
  EXPECT_EQ(text.substr(0, expected.size()), expected);
  EXPECT_EQ(text.find('\r'), std::string::npos);
  EXPECT_EQ(text.find('\n'), std::string::npos);
  // The horizon of a wall runs through the foot.
  EXPECT_NE(text.find(";SP 5;PU 5 11000;PD 16400 11000"), std::string::npos);
}

struct PlacementCase {
  const char* name;
  char kind;
  double latitude, declination, gnomon;
  int R;
  double footX, footY;  // plotter units
};

// The default gnomon foot when the user did not fix it.
const PlacementCase kPlacements[] = {
    {"h 52N gnomon 80 mm", 'h', 52, 0, 80, 1, 8200, 1500},
    {"h 52N gnomon 75 mm", 'h', 52, 0, 75, 1, 8200, 2500},
    {"h 52N gnomon 80 mm R 25", 'h', 52, 0, 80, 25, 205000, 37500},
    {"h 49.5N", 'h', 49.5, 0, 80, 1, 8200, 2500},
    {"h 40N", 'h', 40, 0, 35, 1, 8200, 4000},
    {"h 20N", 'h', 20, 0, 35, 1, 8200, 5500},
    {"h 52S gnomon 35", 'h', -52, 0, 35, 1, 8200, 8500},
    {"i 35S", 'i', -35, 10, 35, 1, 8200, 7000},
    {"v 47N", 'v', 47, -11.7, 35, 1, 8200, 11000},
    {"v declining 60 west", 'v', 47, 60, 35, 1, 10600, 11000},
    {"v declining 60 east", 'v', 47, -60, 35, 25, 145000, 275000},
};

TEST_F(PlanarPlotTest, DefaultGnomonFoot) {
  for (const PlacementCase& c : kPlacements) {
    SCOPED_TRACE(c.name);
    DesignState& d = design();
    d.dialKind = c.kind;
    d.latitude = c.latitude;
    d.wallDeclination = c.declination;
    d.planeInclination = 40;
    d.gnomonLength = c.gnomon;
    const PlotPoint p = defaultPlotFoot(design(), plotGnomonUnits(design(), 1, c.R), c.R);
    EXPECT_EQ(p.x, c.footX);
    EXPECT_EQ(p.y, c.footY);
    // The cross at the foot is the first thing drawn after the prologue.
    const std::vector<Command> cmds = parseHpgl(plot(at(c.R)));
    ASSERT_GT(cmds.size(), 10u);
    EXPECT_EQ(cmds[9].name, "PU");
    EXPECT_EQ(cmds[9].numbers, (std::vector<double>{c.footX - 200.0 * c.R, c.footY}));
  }
}

// A plot at R = 25 is the plot at R = 1 with every coordinate and size
// times 25 (each number within the rounding of the two files: 25 * 0.5 +
// 0.5 units); pens, pen widths, line types, texts and the literal start
// of a wall's horizon stay as they are.
TEST_F(PlanarPlotTest, ResolutionFactor25IsTheSameDrawing) {
  struct Dial {
    const char* name;
    char kind;
    bool umbrella;
    double declination, inclination;
  };
  const Dial kDials[] = {{"vertical", 'v', false, -11.7, 90},
                         {"horizontal", 'h', false, 0, 0},
                         {"inclined", 'i', false, 20, 60},
                         {"vertical umbrella", 'v', true, 10, 90},
                         {"inclined umbrella", 'i', true, -15, 50}};
  for (const Dial& dial : kDials) {
    SCOPED_TRACE(dial.name);
    DesignState& d = design();
    allLinesOn();
    d.dialKind = dial.kind;
    d.umbrellaMode = dial.umbrella;
    d.wallDeclination = dial.declination;
    d.planeInclination = dial.inclination;
    d.plotLineWidth = 2;
    const std::vector<Command> one = parseHpgl(plot(at(1)));
    const std::vector<Command> many = parseHpgl(plot(at(25)));
    ASSERT_EQ(one.size(), many.size());
    ASSERT_GT(one.size(), 200u);
    int compared = 0;
    for (std::size_t k = 0; k < one.size(); ++k) {
      const Command &a = one[k], &b = many[k];
      ASSERT_EQ(a.name, b.name) << k;
      EXPECT_EQ(a.text, b.text) << k;
      ASSERT_EQ(a.numbers.size(), b.numbers.size()) << k << " " << a.name;
      const bool scaled = a.name == "PU" || a.name == "PD" || a.name == "IW" || a.name == "EA" ||
                          a.name == "CI" || a.name == "SI";
      for (std::size_t n = 0; n < a.numbers.size(); ++n) {
        if (!scaled || (a.name == "PU" && n == 0 && a.numbers[n] == 5 && b.numbers[n] == 5)) {
          EXPECT_EQ(a.numbers[n], b.numbers[n]) << k << " " << a.name;
        } else {
          EXPECT_NEAR(b.numbers[n], 25 * a.numbers[n], a.name == "SI" ? 1e-9 : 13) << k << " " << a.name;
          ++compared;
        }
      }
    }
    EXPECT_GT(compared, 2000);
  }
}

// The grid question (message 16), the spacing from the input box (a text
// that is no integer gives 10 mm) and the grid at the foot.
TEST_F(PlanarPlotTest, GridAskedAndDrawnAtTheFoot) {
  DesignState& d = design();
  d.dialKind = 'h';
  d.latitude = 40;
  platform->answers = {MsgAnswer::Yes, MsgAnswer::Yes, MsgAnswer::No};
  platform->inputs = {std::string("abc"), std::string("5")};
  PlanarPlotRequest r = at(1);
  r.grid = PlotGrid::Ask;
  const std::string path = (dir_ / "g.plt").string();
  auto write = [&](int R) {
    r.resolutionFactor = R;
    HpglWriter w(R);
    w.hpglOpen(path);
    writePlanarPlot(w, design(), r);
    w.hpglClose();
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
  };
  const std::string ten = write(1);
  ASSERT_EQ(platform->boxes.size(), 1u);
  EXPECT_EQ(platform->boxes[0].caption, MsgCaption::Question);
  EXPECT_EQ(platform->boxes[0].buttons, MsgButtons::YesNo);
  EXPECT_EQ(platform->boxes[0].text, messageText(16));
  EXPECT_NE(ten.find(";SP 4;PU 0 0;;IW 0 0 16150 11030;SP 9;PU 8200 4000;CI 80;PU 200 "), std::string::npos);
  EXPECT_NE(ten.find("PU 8200 400;PD 8200 10800;"), std::string::npos);  // every 400 units

  const std::string five = write(25);  // 5 mm at R = 25: 5000 units; the circle stays 80
  EXPECT_NE(five.find(";IW 0 0 403750 275750;SP 9;PU 205000 100000;CI 80;"), std::string::npos);
  EXPECT_NE(five.find("PU 205000 5000;PD 205000 275000;"), std::string::npos);

  const std::string none = write(1);
  EXPECT_EQ(none.find("SP 9;PU 8200 4000;CI 80"), std::string::npos);
}

// Pen widths: ";PW 0;" after the grid, ";PW n-1;" before the lines and
// ";PW 0;" again before the end marks.
TEST_F(PlanarPlotTest, PenWidthCommandsFramingTheLines) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.dateLineMode = '0';
  d.localTimeNoEot = true;
  d.plotLineWidth = 3;
  const std::string text = plot(at(1));
  const std::size_t first = text.find(";PW 0;");
  const std::size_t wide = text.find(";PW 2;");
  const std::size_t last = text.rfind(";PW 0;");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(wide, std::string::npos);
  EXPECT_LT(first, text.find("LBvertical SUNDIAL"));
  EXPECT_LT(text.find(";SP 5;PU 5 "), wide);
  EXPECT_LT(wide, text.rfind(";SP 1;"));
  EXPECT_LT(text.rfind(";SP 3;"), last);
  EXPECT_LT(last, text.find(";IW 0 0 16157 11038;SP 4;PU 8140 10940;PD 8260 10940"));

  d.plotLineWidth = 1;
  EXPECT_EQ(plot(at(1)).find(";PW"), std::string::npos);
}

// The plot numbers every third hour from 6 to 21 at its summer-solstice
// shadow, 300 R below, whatever range the hour lines have.
TEST_F(PlanarPlotTest, HourNumbersBelowTheSolsticePoints) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.wallDeclination = 0;
  d.localTimeNoEot = true;
  d.hourLinesFrom = 11;
  d.hourLinesTo = 13;
  const std::vector<Command> cmds = parseHpgl(plot(at(1)));
  std::vector<std::string> numbers;
  std::vector<std::vector<double>> where;
  for (std::size_t k = 1; k < cmds.size(); ++k)
    if (cmds[k].name == "LB" && !cmds[k].text.empty() && cmds[k].text.size() <= 2 &&
        std::isdigit(static_cast<unsigned char>(cmds[k].text[0])) && cmds[k - 1].name == "PU") {
      numbers.push_back(cmds[k].text);
      where.push_back(cmds[k - 1].numbers);
    }
  ASSERT_EQ(numbers, (std::vector<std::string>{"9", "12", "15"}));
  // Noon on a south wall: straight below the foot; the 21 June shadow of
  // the tip lies L tan(alt) below it, alt = 90 - lat + 23.44 (1 mm).
  const double alt = 90 - 47.25 + design().obliquityRounded;
  EXPECT_NEAR(where[1][0], 8200, 1);  // the hour lines show local apparent time
  EXPECT_NEAR(where[1][1], 11000 - 35 * 40 * std::tan(radians(alt)) - 300, 40);
}

// The polar triangle: P, the tip laid down beside P (T'), and S; the
// angle at S is the style height (here the latitude of a horizontal
// dial). P and cut points seven characters wide, T' and S as integers.
TEST_F(PlanarPlotTest, PolarTriangleOfAHorizontalDial) {
  DesignState& d = design();
  d.dialKind = 'h';
  d.latitude = 40;
  d.drawPoleTriangle = true;
  const std::string text = plot(at(1));
  const double L = 35 * 40, sy = -L / std::tan(radians(40));
  const std::string P = "   8200    4000";
  const std::string S = "8200 " + hpglInt(4000 + sy), T = "6800 4000";
  EXPECT_NE(text.find(";SP 4;PU " + P + ";PD " + S + ";PU " + P + ";PD " + T + ";PU " + T + ";PD " + S),
            std::string::npos)
      << text.substr(0, 2000);
}

// The coordinates listing: the head, the date-line heading, and exactly
// the points of the plotted lines in plotting order, in millimetres from
// the foot.
TEST_F(PlanarPlotTest, ListingHoldsThePlottedPoints) {
  DesignState& d = design();
  d.dialKind = 'h';
  d.latitude = 40;
  d.dateLineMode = '1';
  d.localTimeNoEot = true;
  d.withEot = true;
  d.eotLineInterval = '0';
  d.temporalHourLines = true;
  d.sunAltitudeLines = true;
  CoordinatesListing listing;
  const std::string text = plot(at(1), &listing);
  const std::vector<std::string> lines = listing.lines();

  // Head: the pole-style information, then the time of the hour lines and
  // the plot's name.
  ASSERT_GT(lines.size(), 40u);
  EXPECT_EQ(lines[0], "Horizontal SUNDIAL");
  std::size_t k = 0;
  while (k < lines.size() && lines[k] != "Hour lines show  Local Apparent Time") ++k;
  ASSERT_LT(k + 5, lines.size());
  EXPECT_EQ(lines[k - 1], "");
  EXPECT_EQ(lines[k + 1], "File name of saved construction: p.plt");
  EXPECT_EQ(lines[k + 2], "");
  EXPECT_EQ(lines[k + 3], "");
  EXPECT_EQ(lines[k + 4], "Beginn der Deklinationlinien (Datumslinien):");
  EXPECT_EQ(lines[k + 5], std::string(76, '-'));
  EXPECT_EQ(lines[k + 6], "");
  EXPECT_EQ(lines[k + 7].rfind("Line 22.6.:", 0), 0u);
  const std::string all = listing.text();
  EXPECT_NE(all.find("\r\n(12 Uhr):    0.000/"), std::string::npos);
  EXPECT_NE(all.find("\r\n\r\nLine  12:00  o´clock:\r\n"), std::string::npos);
  EXPECT_NE(all.find("\r\n\r\nTemporal hour  6.00:\r\n"), std::string::npos);
  EXPECT_NE(all.find("\r\n\r\nSun altitude:  30.0 deg \r\n"), std::string::npos);

  // The points after the last label of the plot are the lines' points.
  const std::vector<Command> cmds = parseHpgl(text);
  std::size_t lastLabel = 0;
  for (std::size_t c = 0; c < cmds.size(); ++c)
    if (cmds[c].name == "LB") lastLabel = c;
  std::vector<std::array<double, 2>> plotted;
  for (std::size_t c = lastLabel + 1; c < cmds.size(); ++c)
    if (cmds[c].name == "PU" || cmds[c].name == "PD")
      for (std::size_t n = 0; n + 1 < cmds[c].numbers.size(); n += 2)
        plotted.push_back({cmds[c].numbers[n], cmds[c].numbers[n + 1]});
  const std::string body = all.substr(all.find("Beginn der Deklinationlinien"));
  const std::regex point(R"((-?\d+\.\d{3})/ *(-?\d+\.\d{3});)");
  std::vector<std::array<double, 2>> listed;
  for (auto it = std::sregex_iterator(body.begin(), body.end(), point); it != std::sregex_iterator(); ++it)
    listed.push_back({std::stod((*it)[1]), std::stod((*it)[2])});
  ASSERT_GT(listed.size(), 500u);
  ASSERT_EQ(listed.size(), plotted.size());
  for (std::size_t p = 0; p < listed.size(); ++p) {
    // 0.0005 mm of the listing is 0.02 units; the plot rounds to 0.5.
    ASSERT_NEAR(8200 + 40 * listed[p][0], plotted[p][0], 0.53) << p;
    ASSERT_NEAR(4000 + 40 * listed[p][1], plotted[p][1], 0.53) << p;
  }
}

TEST_F(PlanarPlotTest, UmbrellaTitlesAndNoStyleFootMarks) {
  DesignState& d = design();
  d.umbrellaMode = true;
  d.umbrellaRadiusRatio = 0.35;
  d.dialKind = 'h';
  std::string text = plot(at(1));
  EXPECT_NE(text.find(";PU 5200 1000;LB   horizontal Umbrella Sundial\x03"), std::string::npos);
  EXPECT_NE(text.find(";PU 5200 780;LBLatitude ="), std::string::npos);
  EXPECT_NE(text.find(";PU 5905 600;LBDisk radius r =  0.35 x height\x03"), std::string::npos);
  d.dialKind = 'v';
  d.wallDeclination = 10;
  text = plot(at(1));
  EXPECT_NE(text.find(";PU 9000 1540;LB    vertical Umbrella Sundial\x03"), std::string::npos);
  EXPECT_NE(text.find(";PU 9870 1320;LBDisk radius r =  0.35 x height\x03"), std::string::npos);
  EXPECT_NE(text.find(";IW 0 0 16157 11038;SP 4;PU 8140 10940;"), std::string::npos);
  EXPECT_EQ(text.find("LBS\x03"), std::string::npos);
  d.umbrellaMode = false;
  text = plot(at(1));
  EXPECT_NE(text.find(";LT 2,2; PU 8200 11000 ;PD "), std::string::npos);
  EXPECT_NE(text.find("LBS\x03"), std::string::npos);
}

TEST_F(PlanarPlotTest, GermanLabelsAreAscii) {
  DesignState& d = design();
  useLanguage(1);
  d.dialKind = 'v';
  d.localTimeNoEot = true;
  const std::string text = plot(at(1));
  EXPECT_NE(text.find("LBvertikale SONNENUHR\x03"), std::string::npos);
  EXPECT_NE(text.find("LBGeogr. Breite =  47.25 Grad , Geogr. Laenge =  -9.59 Grad \x03"), std::string::npos);
  for (unsigned char c : text) ASSERT_LT(c, 128u);
}

}  // namespace
}  // namespace tavrel::testing
