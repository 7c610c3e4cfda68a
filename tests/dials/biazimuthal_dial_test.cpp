// The bi-azimuthal dial: the projection keeps true azimuths at both foci
// (checked against spherical trigonometry), its centre is the midpoint of
// the foci, and the dial lines are the images of the subsolar point.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

#include "astro/plane_sunlight.h"
#include "astro/solar_ephemeris.h"
#include "astro/startup.h"
#include "base/geometry.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/biazimuthal/biazimuthal_dial.h"
#include "dxf/make_dxf.h"
#include "tests/dxf/ezdxf_view.h"
#include "plot/recording_canvas.h"
#include "plot_file_test_util.h"
#include "drawing/surface_pens.h"

namespace tavrel {
namespace {


using Vec = std::array<double, 3>;
// Unit vector of a place, west-positive longitude.
Vec unitVector(double lat, double westLon) {
  return {std::cos(radians(lat)) * std::cos(radians(-westLon)), std::cos(radians(lat)) * std::sin(radians(-westLon)),
          std::sin(radians(lat))};
}

// True azimuth of Q seen from P, clockwise from north (Meeus, Astronomical
// Algorithms, 2nd ed., the initial course of a great circle).
double trueAzimuth(double latP, double westP, double latQ, double westQ) {
  const double dLon = radians(westP - westQ);  // east of P positive
  return degrees(std::atan2(std::sin(dLon) * std::cos(radians(latQ)),
                        std::cos(radians(latP)) * std::sin(radians(latQ)) -
                            std::sin(radians(latP)) * std::cos(radians(latQ)) * std::cos(dLon)));
}

// Direction from a to b on the picture (x east, y north), clockwise from
// the direction a -> north (the image of a point due north of a).
double pictureAngle(std::array<double, 2> a, std::array<double, 2> north, std::array<double, 2> b) {
  const double n = std::atan2(north[0] - a[0], north[1] - a[1]);
  const double t = std::atan2(b[0] - a[0], b[1] - a[1]);
  return degrees(t - n);
}
double angleDiff(double a, double b) { return std::fabs(std::remainder(a - b, 360.0)); }

class BiAzimuthalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    startProgram();
    DesignState& d = design();
    d.dialKind = 'c';
    d.hollanderVariant = 0;
    d.secondPlaneVertical = false;
    d.referenceYear = 2020;
  }
  ScopedScriptedPlatform platform_;
};

struct Foci {
  double lat1, lon1, lat2, lon2;
};
// Pairs in both hemispheres, east-west and north-south, and across the
// equator (longitudes west positive).
constexpr Foci kFoci[] = {
    {47.25, -9.59, 47.25, -15.0}, {51.48, 0.0, 40.4, 3.7},   {-33.9, -18.4, -34.6, 58.4},
    {40.7, 74.0, 35.7, -139.7},   {10.0, 20.0, -20.0, 25.0}, {60.0, -10.0, 60.0, -10.5},
    {-10.0, 100.0, -40.0, 100.0},
};

TEST_F(BiAzimuthalTest, CentreIsTheMidpointOfTheFoci) {
  for (const Foci& f : kFoci) {
    const TwoPointCentre c = twoPointCentre(f.lat1, f.lon1, f.lat2, f.lon2);
    const Vec a = unitVector(f.lat1, f.lon1), b = unitVector(f.lat2, f.lon2);
    Vec m{a[0] + b[0], a[1] + b[1], a[2] + b[2]};
    const double len = std::sqrt(m[0] * m[0] + m[1] * m[1] + m[2] * m[2]);
    const Vec got = unitVector(c.latM, c.lonM);
    double err = 0;
    for (int i = 0; i < 3; ++i) err = std::max(err, std::fabs(got[i] - m[i] / len));
    EXPECT_LT(err, 1e-9) << f.lat1 << " " << f.lon1;
    const double dot = a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
    EXPECT_NEAR(c.q, std::acos(dot) / 2, 1e-12);
    EXPECT_EQ(c.eastWest, std::fabs(f.lat1 - f.lat2) < std::fabs(f.lon1 - f.lon2));
  }
  // More than 160 degrees apart: no centre.
  EXPECT_FALSE(twoPointCentre(0, 0, 0, 170).valid());
  EXPECT_EQ(twoPointCentre(0, 0, 0, 170).latM, 99.99);
}

// From each focus the direction to a drawn point is its true azimuth.
TEST_F(BiAzimuthalTest, DirectionsFromBothFociAreTrueAzimuths) {
  double worst = 0;
  for (const Foci& fc : kFoci) {
    DesignState& d = design();
    d.latitude = fc.lat1;
    d.longitude = fc.lon1;
    d.latitude2 = fc.lat2;
    d.longitude2 = fc.lon2;
    const BiAzimuthalFrame f = biAzimuthalFrame(d);
    ASSERT_TRUE(f.centre.valid());
    // North of each focus: a point 5 degrees up its meridian (a great
    // circle, so a straight line on the picture).
    std::array<double, 2> A{}, Bp{}, NA{}, NB{};
    f.unitPoint(fc.lat1, fc.lon1, A[0], A[1]);
    f.unitPoint(fc.lat2, fc.lon2, Bp[0], Bp[1]);
    f.unitPoint(fc.lat1 + 5, fc.lon1, NA[0], NA[1]);
    f.unitPoint(fc.lat2 + 5, fc.lon2, NB[0], NB[1]);
    // Points around the centre, up to 60 degrees away from it.
    for (double dist : {5.0, 25.0, 60.0}) {
      for (double az = 0; az < 360; az += 45) {
        double lat = degrees(std::asin(std::sin(radians(f.centre.latM)) * std::cos(radians(dist)) +
                                   std::cos(radians(f.centre.latM)) * std::sin(radians(dist)) * std::cos(radians(az))));
        double dLon = degrees(std::atan2(std::sin(radians(az)) * std::sin(radians(dist)) * std::cos(radians(f.centre.latM)),
                                     std::cos(radians(dist)) - std::sin(radians(f.centre.latM)) * std::sin(radians(lat))));
        const double lon = f.centre.lonM - dLon;
        std::array<double, 2> P{};
        f.unitPoint(lat, lon, P[0], P[1]);
        // The drawing's projection is twoPointProject, turned by s.
        double tx = 0, ty = 0;
        twoPointProject(lat, lon, 1, f.centre, f.lat1, f.lon1, f.lat2, f.lon2, tx, ty);
        EXPECT_NEAR(P[0], f.s * tx, 1e-9);
        EXPECT_NEAR(P[1], f.s * ty, 1e-9);
        const double errA = angleDiff(pictureAngle(A, NA, P), trueAzimuth(fc.lat1, fc.lon1, lat, lon));
        const double errB = angleDiff(pictureAngle(Bp, NB, P), trueAzimuth(fc.lat2, fc.lon2, lat, lon));
        worst = std::max({worst, errA, errB});
        EXPECT_LT(errA, 0.05) << fc.lat1 << "/" << fc.lon1 << " point " << lat << "/" << lon;
        EXPECT_LT(errB, 0.05) << fc.lat2 << "/" << fc.lon2 << " point " << lat << "/" << lon;
      }
    }
  }
  RecordProperty("worstAzimuthErrorDeg", std::to_string(worst));
}

// A plane that is not horizontal stands for the place whose zenith is the
// plane's normal: a vertical wall at A, a vertical wall at B.
TEST_F(BiAzimuthalTest, PlanesStandForThePlaceOfTheirNormal) {
  struct Case {
    double lat, lon, decl;
  };
  for (const Case& c : {Case{47.25, -9.59, -11.7}, Case{-34.0, -151.0, 160.0}, Case{52.0, 13.0, 78.3}}) {
    // The wall's normal as a place: horizontal, towards azimuth decl from
    // south (west positive), 90 degrees from the zenith.
    const Vec east{-std::sin(radians(-c.lon)), std::cos(radians(-c.lon)), 0};
    const Vec north{-std::sin(radians(c.lat)) * std::cos(radians(-c.lon)), -std::sin(radians(c.lat)) * std::sin(radians(-c.lon)),
                    std::cos(radians(c.lat))};
    Vec n{};
    for (int i = 0; i < 3; ++i)
      n[i] = -std::cos(radians(c.decl)) * north[i] - std::sin(radians(c.decl)) * east[i];
    DesignState& d = design();
    d.latitude = d.latitude2 = c.lat;
    d.longitude = d.longitude2 = c.lon;
    d.wallDeclination = d.wallDeclination2 = c.decl;
    d.hollanderVariant = 1;
    d.secondPlaneVertical = true;
    // One focus at a time is the wall; the other a horizontal place 40
    // degrees of longitude away, so that the pair has a centre.
    DesignState copy = d;
    BiAzimuthalFrame f;
    copy.latitude2 = 0;
    copy.longitude2 = c.lon + 40;
    copy.secondPlaneVertical = false;
    f = biAzimuthalFrame(copy);
    const Vec a = unitVector(f.lat1, f.lon1);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(a[i], n[i], 1e-9) << "A " << c.lat << " " << c.decl;
    copy = d;
    copy.hollanderVariant = 0;
    copy.latitude = 0;
    copy.longitude = c.lon + 40;
    f = biAzimuthalFrame(copy);
    const Vec b = unitVector(f.lat2, f.lon2);
    for (int i = 0; i < 3; ++i) EXPECT_NEAR(b[i], n[i], 1e-9) << "B " << c.lat << " " << c.decl;
  }
}

// Distance of p from the polyline, relative to the projection distance 1.
double distanceToPolyline(const std::vector<std::array<double, 2>>& line, std::array<double, 2> p) {
  double best = 1e300;
  for (std::size_t i = 1; i < line.size(); ++i)
    best = std::min(best, testing::segmentDistance(p[0], p[1], line[i - 1][0], line[i - 1][1], line[i][0],
                                                   line[i][1]));
  return best;
}

// The hour line of clock time T passes through the image of the subsolar
// point at T on every date, and the date line of a declination through
// the image of the subsolar point of that declination at every time. The
// subsolar point is found from universal time: at UT the sun stands over
// west longitude 15 (UT - 12) + EoT (Meeus, ch. 28).
TEST_F(BiAzimuthalTest, DialLinesAreImagesOfTheSubsolarPoint) {
  struct Case {
    bool zoneTime, fromPosition1;
  };
  // Northern foci (47.25 N 9.59 E, 40 N 20 E) and southern ones (Cape
  // Town, Johannesburg).
  const Foci places[] = {{47.25, -9.59, 40.0, -20.0}, {-33.92, -18.42, -26.2, -28.05}};
  for (const Foci& pl : places)
  for (const Case& tc : {Case{true, true}, Case{false, true}, Case{false, false}, Case{true, false}}) {
    DesignState& d = design();
    d.latitude = pl.lat1;
    d.longitude = pl.lon1;
    d.latitude2 = pl.lat2;
    d.longitude2 = pl.lon2;
    d.zoneMeridian = pl.lat1 > 0 ? -15 : -30;
    d.zoneTime = tc.zoneTime;
    d.timeFromPosition1 = tc.fromPosition1;
    d.otherHoursFrom = 8;
    d.otherHoursTo = 16;
    d.otherHourInterval = '3';
    d.dateLineMode = '1';
    const BiAzimuthalFrame f = biAzimuthalFrame(d);
    const BiAzimuthalLines lines = biAzimuthalLines(d, f, {false});
    ASSERT_EQ(lines.hours.size(), 33u);  // 8:00 .. 16:00 in quarters
    int checked = 0;
    for (std::size_t h = 0; h < lines.hours.size(); ++h) {
      const double T = 8 + h * 0.25;
      // Universal time of clock time T, without the equation of time: the
      // mean sun of the zone meridian or of the place's own meridian; the
      // time of B shifts either by B's longitude difference from A.
      const double meridian = (tc.zoneTime ? d.zoneMeridian : d.longitude) +
                              (tc.fromPosition1 ? 0 : d.longitude2 - d.longitude);
      const double ut = T + meridian / 15;
      for (int day : {20, 100, 172, 266, 355}) {
        double dec = 0, eot = 0;
        solarPosition(d.referenceYear, day + (ut - 12) / 24, dec, eot);
        // Only points in front of the centre's horizon have an image.
        const Vec sun = unitVector(dec, 15 * (ut - 12)), m = unitVector(f.centre.latM, f.centre.lonM);
        if (sun[0] * m[0] + sun[1] * m[1] + sun[2] * m[2] < 0.2) continue;
        std::array<double, 2> p{};
        f.unitPoint(dec, 15 * (ut - 12), p[0], p[1]);
        // A meridian is a great circle: its image is the straight line
        // through the hour line's vertices (here those of declinations
        // +-20 degrees or so, always near the centre).
        const double lamT = 15 * (ut - 12);
        const Vec va = unitVector(d.declinationByLongitude[4], lamT), vb = unitVector(d.declinationByLongitude[32], lamT);
        if (va[0] * m[0] + va[1] * m[1] + va[2] * m[2] < 0.2 || vb[0] * m[0] + vb[1] * m[1] + vb[2] * m[2] < 0.2)
          continue;
        const auto& a = lines.hours[h].points[4];
        const auto& b = lines.hours[h].points[32];
        const double cross = (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0]);
        ++checked;
        EXPECT_LT(std::fabs(cross) / std::hypot(b[0] - a[0], b[1] - a[1]), 1e-9) << "T " << T << " day " << day;
      }
    }
    EXPECT_GT(checked, 100);
    // Date lines every 15 degrees of ecliptic longitude.
    ASSERT_EQ(lines.dates.size(), 13u);
    for (std::size_t j = 0; j < lines.dates.size(); ++j) {
      const double dec = d.declinationByLongitude[3 * j];
      for (double lam : {f.centre.lonM - 60, f.centre.lonM + 0.25, f.centre.lonM + 45}) {
        std::array<double, 2> p{};
        f.unitPoint(dec, lam, p[0], p[1]);
        EXPECT_LT(distanceToPolyline(lines.dates[j].points, p), 2e-4) << "date " << j;
      }
    }
  }
}

// The hour interval "3" gives quarter hours; a subdivision beyond the
// last hour is not drawn; pens by kind.
TEST_F(BiAzimuthalTest, HourLinesPensAndSubdivisions) {
  DesignState& d = design();
  d.otherHoursFrom = 11;
  d.otherHoursTo = 13;
  d.otherHourInterval = '3';
  const BiAzimuthalLines lines = biAzimuthalLines(d, biAzimuthalFrame(d), {false});
  ASSERT_EQ(lines.hours.size(), 9u);  // 11:00 .. 13:00
  const int pens[] = {2, 3, 3, 3, 5, 3, 3, 3, 2};
  for (std::size_t i = 0; i < 9; ++i) EXPECT_EQ(lines.hours[i].pen, pens[i]) << i;
  for (const auto& l : lines.hours) EXPECT_EQ(l.points.size(), 37u);
}

// The analemma of an outside mark hour is drawn once more, with its marks.
TEST_F(BiAzimuthalTest, OutsideMarkHourAddsOneAnalemmaWithMarks) {
  DesignState& d = design();
  d.constructionWithEot = true;
  d.eotLinesFrom = 10;
  d.eotLinesTo = 12;
  d.markAnalemma = true;
  d.analemmaMarkHour = 15;
  d.analemmaMarkDays = 3;
  const BiAzimuthalLines lines = biAzimuthalLines(d, biAzimuthalFrame(d), {false});
  ASSERT_EQ(lines.analemmas.size(), 4u);
  EXPECT_TRUE(lines.analemmas.back().marked);
  EXPECT_EQ(lines.analemmas[2].pen, 5);
  EXPECT_EQ(lines.marks.size(), 36u);  // 1st, 11th, 21st of every month
  d.analemmaMarkHour = 11;
  EXPECT_EQ(biAzimuthalLines(d, biAzimuthalFrame(d), {false}).analemmas.size(), 3u);
}

// Edge cases: foci on one meridian turn the picture by 180 degrees, a
// centre on the equator keeps s = +1, foci too far apart draw nothing but
// the frame and the foot and tell why; the plot refuses them before it
// writes or asks anything and returns the same message (the save route
// shows it once and keeps no file).
TEST_F(BiAzimuthalTest, EdgeCases) {
  DesignState& d = design();
  d.latitude = 40;
  d.longitude = 10;
  d.latitude2 = 50;
  d.longitude2 = 10;
  const BiAzimuthalFrame meridian = biAzimuthalFrame(d);
  EXPECT_FALSE(meridian.centre.eastWest);
  d.longitude2 = 10.001;
  d.latitude2 = 40;
  d.longitude2 = 30;
  EXPECT_TRUE(biAzimuthalFrame(d).centre.eastWest);
  d.latitude = -10;
  d.latitude2 = 10;
  d.longitude2 = 10;
  const BiAzimuthalFrame equator = biAzimuthalFrame(d);
  EXPECT_NEAR(equator.centre.latM, 0, 1e-9);
  EXPECT_EQ(equator.s, 1);

  d.latitude = 0;
  d.longitude = 0;
  d.latitude2 = 0;
  d.longitude2 = 170;
  RecordingCanvas canvas;
  ScreenSurface surface = screenSurfaceOf(design(), canvas, 800, 500);
  DialScreenRequest r{surface, true, 800, 500, 400, 250, 100, 20, true, false, false, 1.0, nullptr};
  drawBiAzimuthalDial(r, design());
  ASSERT_EQ(platform_->boxes.size(), 1u);
  EXPECT_EQ(platform_->boxes[0].caption, MsgCaption::Problem);
  EXPECT_NE(platform_->boxes[0].text.find("daher keine Berechnung"), std::string::npos);

  const std::string path = (std::filesystem::temp_directory_path() /
                            ("tavrel_bz_" + std::to_string(::getpid()) + ".plt")).string();
  HpglWriter w(1);
  w.hpglOpen(path);
  DialPlotRequest rq;
  rq.grid = PlotGrid::Ask;  // a grid question would be a box of its own
  const PlotOutcome refusal = writeBiAzimuthalPlot(w, rq, design());
  w.hpglClose();
  std::ifstream in(path, std::ios::binary);
  const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::filesystem::remove(path);
  EXPECT_EQ(text, "");
  ASSERT_TRUE(refusal.has_value());
  EXPECT_EQ(refusal->caption, MsgCaption::Problem);
  EXPECT_EQ(refusal->text, platform_->boxes[0].text);
  EXPECT_EQ(platform_->boxes.size(), 1u);
}

// The limits of the fields: poles, one place twice, the equator, the
// scale limits, every hour in quarters. The picture has no NaN and ends.
TEST_F(BiAzimuthalTest, FieldLimitsGiveFinitePictures) {
  struct Case {
    double lat1, lon1, lat2, lon2;
    int scale;
    int plane;  // hollanderVariant
    bool bVertical;
  };
  const Case cases[] = {
      {90, 0, 60, 20, 100, 0, false},      {-90, 0, -60, -20, 100, 0, false}, {47.25, -9.59, 47.25, -9.59, 100, 0, false},
      {0, 0, 0, 10, 5, 0, false},          {0, 0, 0, 10, 66000000, 0, false}, {89.99, 180, -60, -180, 100, 1, true},
      {47.25, -9.59, 40, 3.7, 100, 2, true}, {-34, -151, -20, -120, 100, 1, false},
  };
  DesignState& d = design();
  d.otherHoursFrom = 0;
  d.otherHoursTo = 24;
  d.otherHourInterval = '3';
  d.constructionWithEot = true;
  d.eotLinesFrom = 0;
  d.eotLinesTo = 24;
  d.markAnalemma = true;
  d.analemmaMarkDays = 4;
  d.mapOverlay = true;
  d.planeInclination = 175;
  d.wallDeclination = 180;
  d.wallDeclination2 = -180;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.lat1) + "/" + std::to_string(c.lon1) + " " + std::to_string(c.lat2) + "/" +
                 std::to_string(c.lon2));
    d.latitude = c.lat1;
    d.longitude = c.lon1;
    d.latitude2 = c.lat2;
    d.longitude2 = c.lon2;
    d.drawingScale = c.scale;
    d.hollanderVariant = static_cast<std::uint8_t>(c.plane);
    d.secondPlaneVertical = c.bVertical;
    const BiAzimuthalFrame f = biAzimuthalFrame(d);
    EXPECT_TRUE(std::isfinite(f.centre.latM) && std::isfinite(f.centre.lonM) && std::isfinite(f.k));
    RecordingCanvas canvas;
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    DialScreenRequest r{surface, true, 1600, 1000, 800, 500, 100, 20, true, false, true, 1.0, nullptr};
    drawBiAzimuthalDial(r, design());
    int bad = 0;
    for (const Primitive& p : canvas.primitives)
      for (double v : p.p) bad += std::isfinite(v) ? 0 : 1;
    EXPECT_EQ(bad, 0);
    EXPECT_GT(canvas.primitives.size(), 20u);
  }
}

// The plot renders in hp2xx at both resolutions; its DXF passes the ezdxf
// audit and is at the plot's scale: the foot cross is 4 mm wide and the
// pole lies drawingScale * 16400 / 280 plotter units (146.43 mm for 100)
// from the centre, as on the A4 page.
TEST_F(BiAzimuthalTest, PlotRendersAndItsDxfIsAtScale) {
  namespace fs = std::filesystem;
  const fs::path dir = fs::temp_directory_path() / ("tavrel_bz_plot_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  DesignState& d = design();
  d.latitude2 = 40.42;
  d.longitude2 = 3.70;
  d.drawingScale = 100;
  d.paperA4 = true;
  d.constructionWithEot = true;
  d.markAnalemma = true;
  for (int R : {1, 25}) {
    const fs::path plt = dir / ("c" + std::to_string(R) + ".plt");
    HpglWriter w(R);
    w.hpglOpen(plt.string());
    DialPlotRequest rq;
    rq.grid = PlotGrid::On;
    rq.place.resolutionFactor = R;
    rq.place.footX = 8000.0 * R;
    rq.place.footY = 3000.0 * R;
    rq.place.textX = 300.0 * R;
    rq.place.textY = 10500.0 * R;
    writeBiAzimuthalPlot(w, rq, design());
    w.hpglClose();
    std::ifstream in(plt, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("IN;VS 1;PA;IW 0 0 ", 0), 0u);
    EXPECT_EQ(text.substr(text.size() - 7), ";IW;IN;");
    EXPECT_EQ(text.find('\n'), std::string::npos);
    const fs::path eps = dir / ("c" + std::to_string(R) + ".eps");
    const std::string cmd = "hp2xx -q -m eps -f " + eps.string() + " " + plt.string() + " 2>&1";
    EXPECT_EQ(std::system(cmd.c_str()), 0) << cmd;
    EXPECT_GT(fs::file_size(eps), 10000u);
  }
  const fs::path dxf = dir / "c.dxf";
  ASSERT_EQ(convertHpglToDxf((dir / "c25.plt").string(), dxf.string(), 1, 1000), DxfResult::Converted);
  // The cross at the foot (200, 75) mm: its horizontal bar; the pole
  // marks: vertical bars of 4 mm, the farthest from the foot.
  const testing::EzdxfView view = testing::readWithEzdxf(dxf);
  ASSERT_TRUE(view.read) << view.output;
  EXPECT_EQ(view.auditErrors, 0) << view.output;
  double cross = 0, pole = 0;
  for (const auto& [a, b] : testing::twoPointLines(view)) {
    const double dx = b[0] - a[0], dy = b[1] - a[1];
    const double cx = (a[0] + b[0]) / 2, cy = (a[1] + b[1]) / 2;
    if (std::fabs(dy) < 1e-6 && std::fabs(cx - 200) < 1e-3 && std::fabs(cy - 75) < 1e-3) cross = std::fabs(dx);
    if (std::fabs(dx) < 1e-6 && std::fabs(std::fabs(dy) - 4) < 1e-3)
      pole = std::max(pole, std::hypot(cx - 200, cy - 75));
  }
  EXPECT_NEAR(cross, 4.0, 0.01);
  EXPECT_NEAR(pole, 100 * 16400.0 / 280 / 40, 0.05);
  fs::remove_all(dir);
}

}  // namespace
}  // namespace tavrel
