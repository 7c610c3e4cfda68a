// The graphs of the table window read back from what they draw: the
// equation-of-time curve and the sun-path diagrams against PyEphem
// (tests/data/graph_*_reference.tsv, make_graph_reference.py; README.md
// there), the longitude-corrected labels, the half-year hour lines, and
// the plot file of the polar diagram.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

#include "astro/startup.h"
#include "core/language.h"
#include "base/angles.h"
#include "core/scripted_platform.h"
#include "plot/canvas.h"
#include "plot/hpgl_writer.h"
#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"
#include "table_test_util.h"
#include "drawing/graph_save.h"
#include "tables/graphs.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {

using test::readTsv;
using test::TablesTest;

constexpr int kWidth = 1600, kHeight = 1000;

// Pen n draws in a colour of its own, so the recorded lines tell their pen.
Colour penMark(int pen) { return rgb(pen * 10, 7, 3); }

class GraphsTest : public TablesTest {
 protected:
  void SetUp() override {
    TablesTest::SetUp();
    DesignState& d = design();
    for (int pen = 1; pen <= 12; ++pen) d.colors[static_cast<std::size_t>(pen - 1)] = penMark(pen);
    d.lineWidth = 1;
  }
};

struct Segment {
  double x1, y1, x2, y2;
};

// The line segments drawn with pen `pen`.
std::vector<Segment> segmentsOfPen(const RecordingCanvas& c, int pen) {
  std::vector<Segment> out;
  for (const Primitive& p : c.ofKind(PrimitiveKind::LineTo))
    if (p.pen.colour == penMark(pen)) out.push_back({p.p[0], p.p[1], p.p[2], p.p[3]});
  return out;
}

// --- equation of time ---------------------------------------------------------------

// The curve of the screen picture as (day, minutes), inverted through the
// graph's scales.
std::vector<std::pair<double, double>> eotCurveDrawn(const GraphOptions& o) {
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, kWidth, kHeight);
  drawEotGraph(surface, 0, 0, kHeight, kWidth, true, o);
  const GraphTarget target = screenGraphTarget(surface, 0, 0, kHeight, kWidth, true);
  const DesignState& d = design();
  const EotFrame f = eotFrame(target, o, d.longitude, d.zoneMeridian);
  std::vector<std::pair<double, double>> out;
  const std::vector<Segment> curve = segmentsOfPen(canvas, 3);
  for (std::size_t i = 0; i < curve.size(); ++i) {
    if (i == 0) out.push_back({(curve[i].x1 - f.x0) / f.dayScale + 1, (curve[i].y1 - f.axisY) / f.minuteScale});
    out.push_back({(curve[i].x2 - f.x0) / f.dayScale + 1, (curve[i].y2 - f.axisY) / f.minuteScale});
  }
  return out;
}

TEST_F(GraphsTest, EotCurveCrossesZeroAndPeaksAsPyEphem) {
  const auto ref = readTsv("graph_eot_reference.tsv");
  ASSERT_FALSE(ref.rows.empty());
  for (int year : {1650, 2000, 2350}) {
    SCOPED_TRACE(year);
    design().referenceYear = year;
    const auto curve = eotCurveDrawn({});
    ASSERT_GT(curve.size(), 120u);
    std::vector<double> zeros;
    for (std::size_t i = 1; i < curve.size(); ++i) {
      const auto [d0, m0] = curve[i - 1];
      const auto [d1, m1] = curve[i];
      if ((m0 < 0) != (m1 < 0)) zeros.push_back(d0 + (d1 - d0) * m0 / (m0 - m1));
    }
    int zeroRows = 0;
    for (const auto& row : ref.rows) {
      if (std::stoi(row.at("year")) != year) continue;
      const double day = std::stod(row.at("day"));
      const std::string kind = row.at("kind");
      if (kind == "zero") {
        ++zeroRows;
        double best = 1e9;
        for (double z : zeros) best = std::min(best, std::fabs(z - day));
        EXPECT_LT(best, 1.0) << "zero near day " << day;
      } else {
        // The extreme of the drawn curve within 20 days of the reference's.
        const double sign = kind == "max" ? 1 : -1;
        double extreme = -1e9;
        for (const auto& [dd, m] : curve)
          if (std::fabs(dd - day) < 20) extreme = std::max(extreme, sign * m);
        EXPECT_NEAR(sign * extreme, std::stod(row.at("minutes")), 0.1) << kind << " near day " << day;
      }
    }
    EXPECT_EQ(zeroRows, 4);
    EXPECT_EQ(zeros.size(), 4u);
  }
}

// 9.59 E with the zone meridian 15 E: 4 (zoneMeridian - longitude) =
// -21.64 minutes; the grid line of the axis is labelled "-22" and the
// curve moves by +0.36 minute.
TEST_F(GraphsTest, LongitudeCorrectionShiftsLabelsAndCurve) {
  DesignState& d = design();
  d.longitude = -9.59;
  d.zoneMeridian = -15;
  d.referenceYear = 2024;
  const EotShift shift = eotShift(d.longitude, d.zoneMeridian, true, false);
  EXPECT_DOUBLE_EQ(shift.whole, -22);
  EXPECT_NEAR(shift.fraction, 0.36, 1e-9);

  GraphOptions zone;
  zone.zoneTime = true;
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, kWidth, kHeight);
  drawEotGraph(surface, 0, 0, kHeight, kWidth, true, zone);
  const EotFrame f = eotFrame(screenGraphTarget(surface, 0, 0, kHeight, kWidth, true), zone, d.longitude,
                              d.zoneMeridian);
  // The label left of the axis, level with it.
  bool axisLabel = false, plainZero = false;
  for (const Primitive& p : canvas.ofKind(PrimitiveKind::Text)) {
    if (p.p[0] >= f.x0) continue;
    const double middle = p.p[1] + p.font.height / 2;
    if (std::fabs(middle - f.axisY) < p.font.height) {
      axisLabel = axisLabel || p.text == "-22";
      plainZero = plainZero || p.text == "0";
    }
  }
  EXPECT_TRUE(axisLabel);
  EXPECT_FALSE(plainZero);
  // The curve sits 0.36 minute above the one without the correction.
  const auto shifted = eotCurveDrawn(zone);
  const auto plain = eotCurveDrawn({});
  ASSERT_EQ(shifted.size(), plain.size());
  for (std::size_t i = 0; i < plain.size(); i += 17)
    EXPECT_NEAR(shifted[i].second - plain[i].second, 0.36, 1e-6);
}

// --- sun paths -------------------------------------------------------------------------

struct SkyRef {
  std::string line;
  double azimuth, altitude;
};

std::vector<SkyRef> pathReference(double latitude) {
  std::vector<SkyRef> out;
  for (const auto& row : readTsv("graph_sun_path_reference.tsv").rows)
    if (std::fabs(std::stod(row.at("latitude_deg")) - latitude) < 1e-6)
      out.push_back({row.at("line"), std::stod(row.at("azimuth_sw_deg")), std::stod(row.at("altitude_deg"))});
  return out;
}

struct SkySegment {
  double a1, h1, a2, h2;
};

// Angular distance (degrees) from a point to a segment, in the plane of
// azimuth times cos(altitude) and altitude around the point.
double distanceToSegment(const SkyRef& p, const SkySegment& s) {
  const double c = std::cos(radians(p.altitude));
  auto wrap = [](double a) { return std::remainder(a, 360.0); };
  const double x1 = wrap(s.a1 - p.azimuth) * c, y1 = s.h1 - p.altitude;
  const double x2 = wrap(s.a2 - p.azimuth) * c, y2 = s.h2 - p.altitude;
  const double dx = x2 - x1, dy = y2 - y1;
  const double len = dx * dx + dy * dy;
  double t = len > 0 ? -(x1 * dx + y1 * dy) / len : 0;
  t = std::clamp(t, 0.0, 1.0);
  return std::hypot(x1 + t * dx, y1 + t * dy);
}

double nearest(const SkyRef& p, const std::vector<SkySegment>& segments) {
  double best = 1e9;
  for (const SkySegment& s : segments) best = std::min(best, distanceToSegment(p, s));
  return best;
}

void pathDesign(double latitude) {
  DesignState& d = design();
  d.latitude = latitude;
  d.referenceYear = 2024;
  d.dateLinesPerMonth = 4;  // solstices and equinox
  d.otherHoursFrom = 6;
  d.otherHoursTo = 18;
  d.otherHourInterval = '0';
  d.constructionWithEot = false;
}

// The cartesian diagram on the screen: x = originX + (A + 180) sx,
// y = baseY + ySign h sy, inverted.
std::vector<SkySegment> cartesianLines(int pen) {
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, kWidth, kHeight);
  drawSunPathCartesian(surface, 0, 0, kHeight, kWidth, true, {});
  const CartesianFrame f = cartesianFrame(screenGraphTarget(surface, 0, 0, kHeight, kWidth, true));
  std::vector<SkySegment> out;
  for (const Segment& s : segmentsOfPen(canvas, pen))
    out.push_back({(s.x1 - f.originX) / f.sx - 180, (s.y1 - f.baseY) / (f.ySign * f.sy),
                   (s.x2 - f.originX) / f.sx - 180, (s.y2 - f.baseY) / (f.ySign * f.sy)});
  return out;
}

// The polar plot file's segments of a pen, read from its PU/PD commands
// and inverted through the chart: r = R0 (1 - h / 90), x = cx - r sin A,
// y = cy - r cos A.
std::vector<SkySegment> polarPlotLines(const std::string& plot, int pen) {
  const PolarChart c = polarFrame(plotGraphTarget(kSunPathKind, true));
  auto sky = [&](double x, double y) {
    const double dx = x - c.cx, dy = y - c.cy;
    const double r = std::hypot(dx, dy);
    return std::pair<double, double>{degrees(std::atan2(-dx, -dy)), 90 * (1 - r / c.r0)};
  };
  std::vector<SkySegment> out;
  int current = 0;
  double x = 0, y = 0;
  std::stringstream commands(plot);
  std::string cmd;
  while (std::getline(commands, cmd, ';')) {
    const std::size_t start = cmd.find_first_not_of(' ');
    if (start == std::string::npos) continue;
    cmd = cmd.substr(start);
    std::istringstream args(cmd.substr(2));
    if (cmd.rfind("SP", 0) == 0) {
      args >> current;
    } else if (cmd.rfind("PU", 0) == 0) {
      args >> x >> y;
    } else if (cmd.rfind("PD", 0) == 0) {
      double nx, ny;
      while (args >> nx >> ny) {
        if (current == pen) {
          const auto [a1, h1] = sky(x, y);
          const auto [a2, h2] = sky(nx, ny);
          out.push_back({a1, h1, a2, h2});
        }
        x = nx, y = ny;
      }
    }
  }
  return out;
}

std::string polarPlot() {
  // The latitudes run as separate processes at the same time: each its own file.
  const std::string path = (std::filesystem::temp_directory_path() /
                            ("tavrel_graphs_test_polar_" + std::to_string(::getpid()) + ".plt"))
                               .string();
  {
    HpglWriter writer;
    writer.hpglOpen(path);
    plotSunPathPolar(writer, {});
    writer.hpglClose();
  }
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  std::filesystem::remove(path);
  return text.str();
}

class SunPathReference : public GraphsTest, public ::testing::WithParamInterface<double> {};

TEST_P(SunPathReference, DrawnCurvesFollowPyEphem) {
  const double latitude = GetParam();
  pathDesign(latitude);
  const std::vector<SkyRef> ref = pathReference(latitude);
  ASSERT_GT(ref.size(), 100u);
  const std::string plot = polarPlot();
  EXPECT_EQ(plot.rfind(";IN;SS;SI 0.16, 0.24;SP 4", 0), 0u);
  EXPECT_EQ(plot.find_first_of("\r\n"), std::string::npos);
  const struct {
    const char* name;
    std::vector<SkySegment> dates, hours;
  } charts[] = {
      {"cartesian screen", cartesianLines(6), cartesianLines(2)},
      {"polar plot", polarPlotLines(plot, 6), polarPlotLines(plot, 2)},
  };
  for (const auto& chart : charts) {
    SCOPED_TRACE(chart.name);
    ASSERT_FALSE(chart.dates.empty());
    ASSERT_FALSE(chart.hours.empty());
    double worstDate = 0, worstHour = 0;
    int dates = 0, hours = 0;
    for (const SkyRef& p : ref) {
      // The program leaves out the last steps at the horizon and the zenith.
      if (p.altitude < 1 || p.altitude > 88) continue;
      if (p.line == "date") {
        worstDate = std::max(worstDate, nearest(p, chart.dates));
        ++dates;
      } else {
        worstHour = std::max(worstHour, nearest(p, chart.hours));
        ++hours;
      }
    }
    EXPECT_GT(dates, 100);
    EXPECT_GT(hours, 20);
    EXPECT_LT(worstDate, 0.1);
    EXPECT_LT(worstHour, 0.1);
  }
}

INSTANTIATE_TEST_SUITE_P(Latitudes, SunPathReference, ::testing::Values(0.0, 47.0, -34.0));

// --- the cartesian diagram in the tropics ------------------------------------------

// The sun of declination d at hour angle H (degrees), by the closed-form
// transformation of Meeus, Astronomical Algorithms, 2nd ed., eq. 13.5 and
// 13.6: azimuth from south, west positive, and altitude.
SkyRef skyAt(double latitude, double declination, double hourAngle) {
  const double r = kRadPerDeg, p = latitude * r, d = declination * r, h = hourAngle * r;
  const double azimuth = std::atan2(std::sin(h), std::cos(h) * std::sin(p) - std::tan(d) * std::cos(p)) / r;
  const double altitude = std::asin(std::sin(p) * std::sin(d) + std::cos(p) * std::cos(d) * std::cos(h)) / r;
  return {"", azimuth, altitude};
}

// A reference curve in the chart's plane (azimuth across, altitude up, both
// in degrees), cut where it leaves the diagram at north or passes the
// zenith: there the chart itself has no continuous line.
using ChartCurve = std::vector<std::pair<double, double>>;

template <class Sun>
std::vector<ChartCurve> chartCurves(double from, double to, double step, const Sun& sun) {
  std::vector<ChartCurve> curves(1);
  for (double v = from; v <= to + 1e-9; v += step) {
    const SkyRef p = sun(v);
    if (p.altitude < 0) continue;
    ChartCurve& c = curves.back();
    if (!c.empty() && std::hypot(p.azimuth - c.back().first, p.altitude - c.back().second) > 2) curves.emplace_back();
    curves.back().push_back({p.azimuth, p.altitude});
  }
  return curves;
}

// Curves cut into short runs with their bounding boxes, for the distance
// from a point to the nearest of them (degrees in the chart's plane; north
// at both edges). Only runs within `reach` are looked at: a point farther
// than that from every curve is reported as `reach`.
class ChartCurves {
 public:
  explicit ChartCurves(const std::vector<ChartCurve>& curves, double reach = 2) : reach_(reach) {
    for (const ChartCurve& c : curves)
      for (std::size_t i = 0; i + 1 < c.size(); i += kRun) {
        Run r{std::vector<std::pair<double, double>>(c.begin() + static_cast<std::ptrdiff_t>(i),
                                                     c.begin() + static_cast<std::ptrdiff_t>(std::min(i + kRun + 1, c.size()))),
              1e9, -1e9, 1e9, -1e9};
        for (const auto& [a, h] : r.points) {
          r.minA = std::min(r.minA, a), r.maxA = std::max(r.maxA, a);
          r.minH = std::min(r.minH, h), r.maxH = std::max(r.maxH, h);
        }
        runs_.push_back(std::move(r));
      }
  }
  double distance(double azimuth, double altitude) const {
    double best = reach_;
    for (const Run& r : runs_) {
      if (altitude < r.minH - reach_ || altitude > r.maxH + reach_) continue;
      for (double shift : {-360.0, 0.0, 360.0}) {
        if (azimuth < r.minA + shift - reach_ || azimuth > r.maxA + shift + reach_) continue;
        for (std::size_t i = 0; i + 1 < r.points.size(); ++i) {
          const double x1 = r.points[i].first + shift - azimuth, y1 = r.points[i].second - altitude;
          const double x2 = r.points[i + 1].first + shift - azimuth, y2 = r.points[i + 1].second - altitude;
          const double dx = x2 - x1, dy = y2 - y1, len = dx * dx + dy * dy;
          const double t = len > 0 ? std::clamp(-(x1 * dx + y1 * dy) / len, 0.0, 1.0) : 0;
          best = std::min(best, std::hypot(x1 + t * dx, y1 + t * dy));
        }
      }
    }
    return best;
  }

 private:
  static constexpr std::size_t kRun = 20;
  struct Run {
    std::vector<std::pair<double, double>> points;
    double minA, maxA, minH, maxH;
  };
  double reach_;
  std::vector<Run> runs_;
};

// Between the tropics the sun culminates in the zenith and, part of the
// year, in the north. Every drawn step of the hour lines (every 20 minutes
// from 6 to 18 h, local apparent time) and of the date lines (solstices and
// equinox) lies on the sun's path as the closed form gives it, checked
// at its ends and three points between: none runs across the diagram
// along its top edge where the noon line or a daily path passes the
// zenith. And the curves are drawn where the sun is: every point of them
// from 1 to 88 degrees of altitude lies on a drawn line.
class CartesianTropics : public GraphsTest, public ::testing::WithParamInterface<double> {};

TEST_P(CartesianTropics, StepsLieOnTheSunsPath) {
  const double latitude = GetParam();
  pathDesign(latitude);
  design().otherHourInterval = '2';
  const double obliquity = 23.4393 - 0.0130 * 0.24;  // Meeus eq. 22.2, year 2024
  std::vector<ChartCurve> hourCurves, dateCurves;
  for (int k = 0; k <= 36; ++k) {
    const double hourAngle = 15 * (6 + k / 3.0 - 12);
    const auto c = chartCurves(-obliquity, obliquity, 0.01, [&](double d) { return skyAt(latitude, d, hourAngle); });
    hourCurves.insert(hourCurves.end(), c.begin(), c.end());
  }
  for (double d : {obliquity, 0.0, -obliquity}) {
    const auto c = chartCurves(-180, 180, 0.02, [&](double h) { return skyAt(latitude, d, h); });
    dateCurves.insert(dateCurves.end(), c.begin(), c.end());
  }
  const ChartCurves hourPaths(hourCurves), datePaths(dateCurves);
  const struct {
    const char* name;
    std::vector<SkySegment> drawn;
    const ChartCurves& reference;
  } lines[] = {
      {"hour lines", cartesianLines(2), hourPaths},
      {"part-hour lines", cartesianLines(3), hourPaths},
      {"date lines", cartesianLines(6), datePaths},
  };
  for (const auto& l : lines) {
    SCOPED_TRACE(l.name);
    ASSERT_GT(l.drawn.size(), 50u);
    double worst = 0;
    for (const SkySegment& s : l.drawn)
      for (double u : {0.0, 0.25, 0.5, 0.75, 1.0}) {
        const double d = l.reference.distance(s.a1 + u * (s.a2 - s.a1), s.h1 + u * (s.h2 - s.h1));
        EXPECT_LT(d, 0.5) << "step (" << s.a1 << ", " << s.h1 << ") - (" << s.a2 << ", " << s.h2 << ")";
        worst = std::max(worst, d);
      }
    std::string property = std::string(l.name) + " worst deg";
    std::replace(property.begin(), property.end(), ' ', '_');
    RecordProperty(property, std::to_string(worst));
  }
  // The other way round: the closed-form paths are drawn.
  std::vector<ChartCurve> hoursDrawn, datesDrawn;
  for (int pen : {2, 3})
    for (const SkySegment& s : cartesianLines(pen)) hoursDrawn.push_back({{s.a1, s.h1}, {s.a2, s.h2}});
  for (const SkySegment& s : cartesianLines(6)) datesDrawn.push_back({{s.a1, s.h1}, {s.a2, s.h2}});
  const struct {
    const std::vector<ChartCurve>& reference;
    ChartCurves drawn;
  } covers[] = {{hourCurves, ChartCurves(hoursDrawn)}, {dateCurves, ChartCurves(datesDrawn)}};
  for (const auto& c : covers)
    for (const ChartCurve& curve : c.reference)
      for (std::size_t i = 0; i < curve.size(); i += 50)
        if (curve[i].second > 1 && curve[i].second < 88) {
          EXPECT_LT(c.drawn.distance(curve[i].first, curve[i].second), 0.2) << curve[i].first << " " << curve[i].second;
        }
}

INSTANTIATE_TEST_SUITE_P(Latitudes, CartesianTropics, ::testing::Values(15.0, 0.0, -15.0, 23.0));

// With the equation of time an hour line of the whole year is a
// figure-eight: its noon line goes down to the winter solstice and up
// again. Restricted to 21 June - 21 December it is drawn once: the
// altitude only falls along it.
TEST_F(GraphsTest, HalfYearDrawsEachHourLineOnce) {
  DesignState& d = design();
  pathDesign(47);
  d.otherHoursFrom = 12;
  d.otherHoursTo = 12;
  d.constructionWithEot = true;
  auto noonLine = [](SunPathPeriod period) {
    const SunPathGeometry g = sunPathGeometry(sunPathOptionsFromDesign(false, period));
    std::vector<SkyPoint> points;
    for (const SunPathLine& l : g.hourLines)
      for (const SkyPiece& piece : l.pieces) points.insert(points.end(), piece.points.begin(), piece.points.end());
    return points;
  };
  auto rises = [](const std::vector<SkyPoint>& p) {
    int n = 0;
    for (std::size_t i = 1; i < p.size(); ++i) n += p[i].altitude > p[i - 1].altitude + 1e-9;
    return n;
  };
  const auto whole = noonLine(SunPathPeriod::WholeYear);
  const auto half = noonLine(SunPathPeriod::JuneToDecember);
  ASSERT_GT(half.size(), 80u);
  EXPECT_EQ(rises(half), 0);
  EXPECT_GT(rises(whole), 80);
  EXPECT_NEAR(static_cast<double>(whole.size()), 2.0 * static_cast<double>(half.size()), 4);
  // The other half-year: the altitude only rises.
  const auto other = noonLine(SunPathPeriod::DecemberToJune);
  EXPECT_EQ(rises(other), static_cast<int>(other.size()) - 1);
}

// A skyline 20 degrees high in the east and 3 in the west: with the
// switch on, the parts of the paths below it are pieces of their own in
// colour 10 (pen 11) and the profile is drawn (pen 4, 721 points); with
// the switch off nothing of it shows.
TEST_F(GraphsTest, HorizonProfileMarksThePathsBelowIt) {
  pathDesign(47);
  HorizonState& h = horizonState();
  const HorizonState saved = h;
  for (HorizonPoint& p : h.horizonProfile) p.elevation = p.azimuth < 0 ? 20 : 3;
  h.profileLoaded = true;
  h.showHorizonProfile = true;
  const SunPathGeometry g = sunPathGeometry(sunPathOptionsFromDesign(false, SunPathPeriod::WholeYear));
  EXPECT_EQ(g.horizon.size(), 721u);
  int below = 0, above = 0;
  for (const auto* lines : {&g.dateLines, &g.hourLines})
    for (const SunPathLine& line : *lines)
      for (const SkyPiece& piece : line.pieces) {
        (piece.belowHorizon ? below : above) += 1;
        // Every point after the first (shared with the piece before) lies on its side.
        for (std::size_t i = 1; i < piece.points.size(); ++i) {
          const SkyPoint& p = piece.points[i];
          EXPECT_EQ(sunBelowHorizon(h.horizonProfile, p.azimuth, p.altitude), piece.belowHorizon)
              << p.azimuth << " " << p.altitude;
          EXPECT_EQ(p.altitude < (p.azimuth < 0 ? 20 : 3), piece.belowHorizon) << p.azimuth << " " << p.altitude;
        }
      }
  EXPECT_GT(below, 5);
  EXPECT_GT(above, 5);
  RecordingCanvas shown;
  {
    ScreenSurface surface = screenSurfaceOf(design(), shown, kWidth, kHeight);
    drawSunPathCartesian(surface, 0, 0, kHeight, kWidth, true, {});
  }
  EXPECT_GT(segmentsOfPen(shown, 11).size(), 20u);
  h.showHorizonProfile = false;
  RecordingCanvas hidden;
  {
    ScreenSurface surface = screenSurfaceOf(design(), hidden, kWidth, kHeight);
    drawSunPathCartesian(surface, 0, 0, kHeight, kWidth, true, {});
  }
  EXPECT_TRUE(segmentsOfPen(hidden, 11).empty());
  EXPECT_EQ(segmentsOfPen(shown, 4).size(), segmentsOfPen(hidden, 4).size() + 720);
  h = saved;
}

// The time line of the sun-path diagrams speaks the interface's language:
// the German abbreviation WOZ (wahre Ortszeit) only in German, LAT (local
// apparent time) in English.
TEST_F(GraphsTest, SunPathTimeLineInBothLanguages) {
  struct Case {
    int language;
    bool zoneTime, withEot;
    const char* line;
  };
  const Case cases[] = {
      {2, false, false, "local time without EoT (LAT) = Local Apparent Time"},
      {1, false, false, "Ortszeit ohne Zeitgl. (WOZ) = Wahre Ortszeit (WOZ)"},
      {2, true, true, "time at zone meridian with EoT = Civil Time"},
      {2, false, true, "local time with EoT = Local Mean Time"},
  };
  for (const Case& c : cases) {
    design().language = c.language;
    design().stringOffset = c.language == 2 ? 2000 : 0;
    EXPECT_EQ(sunPathTimeLine(c.zoneTime, c.withEot), c.line);
  }
}

// The zodiac signs of the cartesian diagram: the Unicode signs in
// "Wingdings" when the font is there, its letters ("^" Aries .. "i"
// Pisces) in the label face when it is missing.
TEST_F(GraphsTest, ZodiacSignsOrTheirLetters) {
  pathDesign(47);
  design().dateLinesPerMonth = 1;
  auto signs = [](bool installed) {
    ScopedScriptedPlatform p;
    p->fonts = installed ? std::vector<std::string>{"Arial", "Wingdings"} : std::vector<std::string>{"Arial"};
    RecordingCanvas c;
    ScreenSurface surface = screenSurfaceOf(design(), c, kWidth, kHeight);
    drawSunPathCartesian(surface, 0, 0, kHeight, kWidth, true, {});
    std::vector<Primitive> out;
    for (const Primitive& t : c.ofKind(PrimitiveKind::Text))
      if (t.font.face == "Wingdings" || (t.text.size() == 1 && t.text[0] >= '^' && t.text[0] <= 'i')) out.push_back(t);
    return out;
  };
  const auto shown = signs(true);
  ASSERT_EQ(shown.size(), 12u);  // seven lines, the solstice lines with one sign each
  for (const Primitive& t : shown) {
    EXPECT_EQ(t.font.face, "Wingdings");
    EXPECT_EQ(t.text.substr(0, 2), "\xE2\x99");  // U+2648 .. U+2653
  }
  const auto letters = signs(false);
  ASSERT_EQ(letters.size(), 12u);
  for (const Primitive& t : letters) EXPECT_EQ(t.font.face, "Arial");
  // The letters are explained in the picture (messages 60 and 61).
  const auto notes = [](bool installed) {
    ScopedScriptedPlatform p;
    p->fonts = installed ? std::vector<std::string>{"Arial", "Wingdings"} : std::vector<std::string>{"Arial"};
    RecordingCanvas c;
    ScreenSurface surface = screenSurfaceOf(design(), c, kWidth, kHeight);
    drawSunPathCartesian(surface, 0, 0, kHeight, kWidth, true, {});
    int n = 0;
    for (const Primitive& t : c.ofKind(PrimitiveKind::Text))
      if (t.text == messageText(60) || t.text == messageText(61)) ++n;
    return n;
  };
  EXPECT_EQ(notes(true), 0);
  EXPECT_EQ(notes(false), 2);
}

// The polar chart of the azimuthal dial and the diagram: the four
// spacings at their defining altitudes.
TEST(PolarChart, SpacingsAndDirections) {
  PolarChart c;
  c.cx = 100, c.cy = 200, c.r0 = 50;
  for (AltitudeSpacing s : {AltitudeSpacing::Equal, AltitudeSpacing::Stereographic, AltitudeSpacing::Orthographic}) {
    c.spacing = s;
    EXPECT_NEAR(altitudeRadius(c, 0), 50, 1e-9);
    EXPECT_NEAR(altitudeRadius(c, 90), 0, 1e-9);
  }
  c.spacing = AltitudeSpacing::Equal;
  EXPECT_NEAR(altitudeRadius(c, 30), 50 * 2.0 / 3, 1e-9);
  c.spacing = AltitudeSpacing::Stereographic;
  EXPECT_NEAR(altitudeRadius(c, 30), 50 * std::tan(radians(30)), 1e-9);
  c.spacing = AltitudeSpacing::ReflectingDome;
  c.domeV = 80;
  EXPECT_NEAR(altitudeRadius(c, 0), 50, 1e-9);  // the horizon on the plate circle
  c.spacing = AltitudeSpacing::Equal;
  // West (A = +90) lies to the left of the zenith, south below it on the
  // screen and above it in the plot.
  auto [xw, yw] = polarChartPoint(c, 0, 90);
  EXPECT_NEAR(xw, 50, 1e-9);
  EXPECT_NEAR(yw, 200, 1e-9);
  auto [xs, ys] = polarChartPoint(c, 0, 0);
  EXPECT_NEAR(ys, 250, 1e-9);
  c.ySign = -1;
  std::tie(xs, ys) = polarChartPoint(c, 0, 0);
  EXPECT_NEAR(ys, 150, 1e-9);
}

TEST_F(GraphsTest, SunlightOnPlaneLine) {
  prepareObliquity(2024);
  const PlaneSunlight p = planeSunlight(47, -9.59, -15, false, 0, 90);
  EXPECT_EQ(p.window, "6:00 -  18:00");
  EXPECT_EQ(p.line,
            "Earliest/latest streak of sunlight on plane sundial  6:00 -  18:00 Local Apparent Time,  "
            "Wall Declination =   0.0 deg, Inclination [vert.= 90] =  90.0 deg");
  const PlaneSunlight zone = planeSunlight(47, -9.59, -15, true, 0, 90);
  EXPECT_NE(zone.line.find("apparent time at zone meridian"), std::string::npos);
  EXPECT_NE(zone.window, p.window);  // the offset longitude - zone meridian moves the times
}

}  // namespace
}  // namespace tavrel
