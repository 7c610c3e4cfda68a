// The pole-style information against closed-form gnomonics: the style
// foot S as the meeting point of the polar axis through the gnomon tip
// and the plane (vector geometry), the style height and the substyle hour
// angle of Rohr (Sundials: History, Theory and Practice, ch. 4) and Waugh
// (Sundials: Their Theory and Construction, chs. 10-12), and the text
// lines as they are shown.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "astro/horizontal_coordinates.h"
#include "core/language.h"
#include "dial_test_util.h"
#include "dials/planar/angle_table_print.h"
#include "dials/planar/pole_style_info.h"

namespace tavrel::testing {
namespace {

class PoleStyleTest : public PlanarDialTest {};

// The clock time " h:mm" of an hour angle, 12 h at 0, at least six
// characters.
std::string clockText(double hourAngle) {
  const double minutes = std::round((12 + hourAngle / 15) * 60);
  const int h = static_cast<int>(minutes) / 60, m = static_cast<int>(minutes) % 60;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%3d:%02d", h, m);
  return buf;
}

// Difference of two line directions (degrees), modulo 180.
double lineAngleDifference(double a, double b) {
  double d = std::fmod(a - b, 180.0);
  if (d < -90) d += 180;
  if (d > 90) d -= 180;
  return std::fabs(d);
}

struct PlaneCase {
  const char* name;
  char kind;
  double latitude, declination, inclination;
};

// Tolerance 1e-9 mm / 1e-9 degree for the numbers (the formulas are
// exact); the texts round to 0.01 degree and 1 minute.
const PlaneCase kPlanes[] = {
    {"south wall 50N", 'v', 50, 0, 90},
    {"south wall 47.25N", 'v', 47.25, 0, 90},
    {"east-declining wall 48N", 'v', 48, -30, 90},
    {"west-declining wall 40N", 'v', 40, 35, 90},
    {"north-facing wall 30S", 'v', -30, 180, 90},
    {"reclining south 52N", 'i', 52, 0, 60},
    {"declining-reclining 45N", 'i', 45, 25, 70},
    {"declining-reclining 33S", 'i', -33, 170, 70},
    {"horizontal 40N", 'h', 40, 0, 0},
    {"horizontal 34S", 'h', -34, 0, 0},
};

TEST_F(PoleStyleTest, NumbersAgainstClosedForms) {
  const double L = 35;
  for (const PlaneCase& c : kPlanes) {
    SCOPED_TRACE(c.name);
    DesignState& d = design();
    d.dialKind = c.kind;
    const PoleStyleInfo info = poleStyleInfo(design(), -9.5, c.inclination, c.declination, c.latitude, L);
    ASSERT_FALSE(info.styleParallel);
    ASSERT_FALSE(info.styleOrthogonal);

    // S where the polar axis through the tip meets the plane.
    const std::array<double, 2> S = closedFormStyleFoot(c.latitude, c.declination, c.inclination, L);
    EXPECT_NEAR(info.sx, S[0], 1e-9);
    EXPECT_NEAR(info.sy, S[1], 1e-9);

    // Rohr: sin SH = sin(lat) cos(i) - cos(lat) sin(i) cos(D).
    const double phi = radians(c.latitude), i = radians(c.inclination), D = radians(c.declination);
    const double sinSH = std::sin(phi) * std::cos(i) - std::cos(phi) * std::sin(i) * std::cos(D);
    EXPECT_NEAR(info.styleHeight, degrees(std::asin(sinSH)), 1e-9);

    // The substyle is the line P-S, its angle counted clockwise from +y.
    EXPECT_LT(lineAngleDifference(info.substyleDirection, degrees(std::atan2(S[0], S[1]))), 1e-9);

    // Rohr: tan DL = sin(i) sin(D) / (cos(lat) cos(i) + sin(lat) sin(i) cos(D)), the
    // hour angle of the plane's normal: the sun's hour circle then holds
    // the gnomon, whose shadow falls on the substyle.
    const double DL = degrees(std::atan2(std::sin(i) * std::sin(D),
                                     std::cos(phi) * std::cos(i) + std::sin(phi) * std::sin(i) * std::cos(D)));
    EXPECT_LT(lineAngleDifference(info.shadowHourAngle, DL), 1e-9);
    const EquatorialPosition normal = equatorialFromHorizontal(c.latitude, 90 - c.inclination, c.declination);
    EXPECT_LT(lineAngleDifference(info.shadowHourAngle, normal.hourAngle), 1e-6);
  }
}

// Waugh, ch. 10, the vertical decliner (D from south, west positive):
// sin |SH| = cos(lat) cos(D), tan SD = sin(D) / tan(lat) (substyle from
// the vertical), tan DL = tan(D) / sin(lat); a south wall has style height
// 90 - latitude, a vertical substyle and the shadow on it at 12:00. The
// angle is negative: the style points to the south pole, seen from the
// face along it.
TEST_F(PoleStyleTest, VerticalWallsAsWaughGivesThem) {
  design().dialKind = 'v';
  struct Wall {
    double latitude, declination;
  };
  const Wall kWalls[] = {{50, 0}, {48, -30}, {52, -60}, {40, -11.7}};
  for (const Wall& w : kWalls) {
    SCOPED_TRACE(w.declination);
    const PoleStyleInfo info = poleStyleInfo(design(), 0, 90, w.declination, w.latitude, 40);
    const double phi = radians(w.latitude), D = radians(w.declination);
    EXPECT_NEAR(info.styleHeight, -degrees(std::asin(std::cos(phi) * std::cos(D))), 1e-9);
    const double SD = degrees(std::atan(std::sin(-D) / std::tan(phi)));  // east of the vertical
    EXPECT_NEAR(info.substyleDirection, SD, 1e-9);
    const double DL = degrees(std::atan(std::tan(D) / std::sin(phi)));
    EXPECT_NEAR(info.shadowHourAngle, DL, 1e-9);
    EXPECT_EQ(info.shadowTimeText, clockText(DL));
  }
  const PoleStyleInfo south = poleStyleInfo(design(), 0, 90, 0, 50, 40);
  EXPECT_EQ(south.styleHeightText, "  -40.00");
  EXPECT_EQ(south.substyleText, "    0.00");
}

// A reclining south face is the horizontal dial of latitude lat - i ...
// seen upside down: SH = lat - i (Rohr, ch. 4).
TEST_F(PoleStyleTest, RecliningSouthFace) {
  design().dialKind = 'i';
  for (double i : {10.0, 30.0, 60.0, 80.0}) {
    const PoleStyleInfo info = poleStyleInfo(design(), 0, i, 0, 52, 30);
    EXPECT_NEAR(info.styleHeight, 52 - i, 1e-9) << i;
    EXPECT_NEAR(info.substyleDirection, 0, 1e-9) << i;
    EXPECT_NEAR(info.shadowHourAngle, 0, 1e-9) << i;
  }
}

TEST_F(PoleStyleTest, TextLinesOfAnEastDecliner) {
  design().dialKind = 'v';
  const PoleStyleInfo info = poleStyleInfo(design(), -9.59, 90, -11.7, 47.25, 35);
  const std::vector<std::string> expected{
      "Vertical SUNDIAL",
      "     Latitude     :                          47.25 deg ",
      "     Longitude    :                          -9.59 deg ",
      "     Declination of dial (in degrees)    :  -11.70 deg ",
      "     Inclination of dial (in degrees)    :   90.00 deg ",
      "     Length of gnomon, orthogonal to dial:  35.000 [ mm ]",
      "     Intersection of style and dial face : S( 7.248/38.666)",
      "     Angle from dial face to pole style  :  -41.66 deg ",
      "     Direction of sub-style in P(0/0)    :   10.62 deg ",
      "     Shadow on sub-style (local app.time):   10:57  o´clock",
      " ",
      "*  The polar-pointing style through the tip of the gnomon intersects the",
  };
  ASSERT_EQ(info.lines.size(), 21u);
  for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_EQ(info.lines[k], expected[k]) << k;
  EXPECT_EQ(info.lines[20], "   the direction of the y-axis is upwards (counterclockwise).");
  EXPECT_EQ(info.styleHeightText, "  -41.66");
  EXPECT_EQ(info.substyleText, "   10.62");
  EXPECT_EQ(info.shadowTimeText, " 10:57");
}

TEST_F(PoleStyleTest, HorizontalDialHasNoPlaneLinesAndGermanNames) {
  DesignState& d = design();
  d.dialKind = 'h';
  d.language = 1;
  const PoleStyleInfo info = poleStyleInfo(design(), -9.59, 0, 0, 47.25, 35);
  EXPECT_EQ(info.lines[0], "Horizontale SONNENUHR");
  EXPECT_EQ(info.lines[3], "     Länge des Gnomons (senkrecht)       :  35.000 [ mm ]");
  // S lies L / tan(lat) south of P; the style height is the latitude.
  char sLine[100];
  std::snprintf(sLine, sizeof sLine, "     Schnittpunkt Polstab / Zifferblatt  : S( 0.000/%.3f)",
                -35 / std::tan(radians(47.25)));
  EXPECT_EQ(info.lines[4], sLine);
  EXPECT_EQ(info.styleHeightText, "   47.25");
  EXPECT_EQ(info.shadowTimeText, " 12:00");
  EXPECT_EQ(info.lines[8], " ");
  EXPECT_EQ(info.lines.size(), 19u);
}

// A face parallel to the earth's axis (a south face inclined by the
// latitude) has no S; a face perpendicular to it (an equatorial dial,
// north-facing, inclined by 90 - latitude) has S at P.
TEST_F(PoleStyleTest, PolarAndEquatorialFaces) {
  design().dialKind = 'i';
  const PoleStyleInfo polar = poleStyleInfo(design(), 0, 50, 0, 50, 35);
  EXPECT_TRUE(polar.styleParallel);
  EXPECT_EQ(polar.lines[6], "     Polar-pointing style parallel to face");
  for (const std::string& line : polar.lines)
    EXPECT_EQ(line.find("Intersection of style"), std::string::npos) << line;
  EXPECT_NEAR(polar.styleHeight, 0, 1e-6);

  const PoleStyleInfo equatorial = poleStyleInfo(design(), 0, 40, 180, 50, 35);
  EXPECT_TRUE(equatorial.styleOrthogonal);
  EXPECT_EQ(equatorial.lines[7], "     Polar-pointing style orthogonal to dial face");
  EXPECT_TRUE(equatorial.styleHeightText.empty());
  EXPECT_TRUE(equatorial.substyleText.empty());
}

// The declinations of days with a whole number of hours of daylight:
// cos H0 = -tan(lat) tan(decl) with H0 = 90 + 7.5 k degrees (Meeus,
// Astronomical Algorithms, 2nd ed., eq. 15.1), four to a line.
TEST_F(PoleStyleTest, WholeHourDayLengths) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.integerSunshineLines = true;
  const PoleStyleInfo info = poleStyleInfo(design(), 0, 90, 0, 50, 35);
  auto at = [&](const std::string& text) {
    for (std::size_t k = 0; k < info.lines.size(); ++k)
      if (info.lines[k] == text) return k;
    return info.lines.size();
  };
  const std::size_t head = at("    Sun declinations for days with integer sunshine hours");
  ASSERT_LT(head, info.lines.size());
  EXPECT_EQ(info.lines[head - 1], "");
  EXPECT_EQ(info.lines[head + 1], "    12 hours: 0.0°;");
  auto decl = [](int k) { return degrees(std::atan(std::sin(radians(7.5 * k)) / std::tan(radians(50)))); };
  char expected[200];
  std::snprintf(expected, sizeof expected,
                "    13 hours: %6.2f°, 14 hours: %6.2f°, 15 hours: %6.2f°, 16 hours: %6.2f°,",
                decl(1), decl(2), decl(3), decl(4));
  EXPECT_EQ(info.lines[head + 2], expected);
  // At 50 degrees the longest day lasts 16 h 20 min: 17 hours are out of reach.
  EXPECT_EQ(info.lines[head + 3], "   ");
  std::snprintf(expected, sizeof expected,
                "    11 hours: %6.2f°, 10 hours: %6.2f°,  9 hours: %6.2f°,  8 hours: %6.2f°,",
                -decl(1), -decl(2), -decl(3), -decl(4));
  EXPECT_EQ(info.lines[head + 4], expected);
  EXPECT_EQ(info.lines[head + 6], " ");
}

TEST_F(PoleStyleTest, PrintedBetweenSeparators) {
  design().dialKind = 'h';
  const PoleStyleInfo info = poleStyleInfo(design(), 0, 0, 0, 50, 35);
  const std::vector<std::string> printed = poleStyleInfoPrintLines(info);
  ASSERT_EQ(printed.size(), info.lines.size() + 2);
  EXPECT_EQ(printed.front().size(), 79u);
  EXPECT_EQ(printed.back(), printed.front());
  EXPECT_EQ(printed[1], info.lines[0]);
  EXPECT_EQ(poleStyleInfoText(info).find("Horizontal SUNDIAL\r\n     Latitude"), 0u);
}

// The printed angle table: part of the pole-style information, the sunlit
// hours and the notes, then the table. On a south wall the hour line of
// hour angle H makes tan X = cos(lat) tan(H) with the noon line (Waugh,
// ch. 5).
TEST_F(PoleStyleTest, PrintedAngleTable) {
  DesignState& d = design();
  d.dialKind = 'v';
  d.latitude = 50;
  d.wallDeclination = 0;
  d.hourLinesFrom = 9;
  d.hourLinesTo = 15;
  d.hourLineInterval = '0';
  const HourLineAngleTable table = computeHourLineAngles(design());
  const AngleTablePrintout p = hourLineAnglePrintout(design(), table, 35);
  EXPECT_EQ(p.title, "Angles of the Hour Lines in a Vertical Sundial");
  const std::vector<std::string> expectedHead{
      "Vertical SUNDIAL",
      "     Latitude     :                          50.00 deg ",
      "     Longitude    :                          -9.59 deg ",
      "     Declination of dial (in degrees)    :    0.00 deg ",
      "     Inclination of dial (in degrees)    :   90.00 deg ",
      "     Angle from dial face to pole style  :  -40.00 deg ",
      "     Direction of sub-style in P(0/0)    :    0.00 deg ",
      "     Shadow on sub-style (local app.time):   12:00  o´clock",
      "     " + table.sunlitLabel + table.sunlitText,
      "",
      tableText(TextTable::Explanations, explanationRow::kSteepestSlopeFirst),
  };
  ASSERT_EQ(p.infoLines.size(), 8u + 2 + 2 + 5);
  for (std::size_t k = 0; k < expectedHead.size(); ++k) EXPECT_EQ(p.infoLines[k], expectedHead[k]) << k;
  EXPECT_EQ(p.infoLines.back(), tableText(TextTable::Explanations, explanationRow::kAngleTableFirst + 4));
  EXPECT_EQ(p.header, " hh:mm dd.dd tangens hh:mm dd.dd tangens hh:mm dd.dd tangens hh:mm dd.dd tangens");
  ASSERT_EQ(p.rows.size(), 7u);
  const std::vector<std::string> text = p.tableLines();
  ASSERT_EQ(text.size(), 8u);
  for (int h = 9; h <= 15; ++h) {
    const double X = degrees(std::atan(std::cos(radians(50)) * std::tan(radians(15.0 * (h - 12)))));
    char expected[64];
    std::snprintf(expected, sizeof expected, "%6s%9.2f", (std::to_string(h) + ":00").c_str(), X);
    EXPECT_EQ(text[static_cast<std::size_t>(h - 8)].substr(0, 15), expected) << h;
  }

  d.dialKind = 'h';
  const AngleTablePrintout h = hourLineAnglePrintout(design(), computeHourLineAngles(design()), 35);
  ASSERT_EQ(h.infoLines.size(), 3u + 2 + 5);
  EXPECT_EQ(h.infoLines[0], "Horizontal SUNDIAL");
  EXPECT_EQ(h.infoLines[3].rfind("     Sun on Sundial Plane: ", 0), 0u);
}

}  // namespace
}  // namespace tavrel::testing
