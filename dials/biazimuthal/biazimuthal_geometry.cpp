// The geometry of the bi-azimuthal dial: centre, projection, the plane
// choices at the foci and the lines as images of the subsolar point.
#include <algorithm>
#include <cmath>

#include "astro/calendar.h"
#include "astro/plane_sunlight.h"
#include "astro/solar_ephemeris.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "dials/biazimuthal/biazimuthal_dial.h"

namespace tavrel {

namespace {

double sind(double a) { return std::sin(a * kRadPerDeg); }
double cosd(double a) { return std::cos(a * kRadPerDeg); }

}  // namespace

// The midpoint of the great circle through the foci: the normalised sum of
// their unit vectors, whose z component gives latM; the longitude
// difference from A follows from the side q of the triangle A, M, pole.
// Longitudes are compared along the shorter way round: B's longitude is
// taken within 180 degrees of A's, so a pair across the date line keeps
// its centre between the foci.
TwoPointCentre twoPointCentre(double lat1, double lon1, double lat2, double lon2) {
  TwoPointCentre c;
  lon2 = lon1 + std::remainder(lon2 - lon1, 360.0);
  double cosD = sind(lat1) * sind(lat2) + cosd(lat1) * cosd(lat2) * cosd(lon1 - lon2);
  cosD = std::clamp(cosD, -1.0, 1.0);
  const double D = std::acos(cosD);
  c.q = D / 2;
  c.eastWest = std::fabs(lat1 - lat2) < std::fabs(lon1 - lon2);
  if (c.q > 80 * kRadPerDeg) {
    c.latM = 99.99;
    return c;
  }
  double sm = (sind(lat1) + sind(lat2)) / std::sqrt(2 * cosD + 2);
  c.latM = std::asin(std::clamp(sm, -1.0, 1.0)) / kRadPerDeg;
  if (std::fabs(90 - std::fabs(c.latM)) < 1e-8) {
    c.lonM = (lon1 + lon2) / 2;
    return c;
  }
  if (std::fabs(cosd(lat1)) < 1e-12) {
    c.lonM = lon2;  // A at a pole: M lies on the meridian of B
    return c;
  }
  double cc = (std::cos(c.q) - sind(c.latM) * sind(lat1)) / cosd(lat1) / cosd(c.latM);
  if (std::fabs(cc) > 1) cc = signOf(cc);
  const double G = std::acos(cc) / kRadPerDeg;
  c.lonM = lon1 < lon2 ? lon1 + G : lon1 - G;
  return c;
}

namespace {

// Azimuth at M (radians) of the great circle through the foci, seen
// towards the focus with the smaller west longitude; adding 180 degrees
// changes nothing where it is used.
double fociDirection(const TwoPointCentre& c, double lat1, double lon1, double lat2, double lon2) {
  lon2 = lon1 + std::remainder(lon2 - lon1, 360.0);
  const double v = lon1 >= lon2 ? lat2 : lat1;
  const double C = lon1 >= lon2 ? lon2 : lon1;
  double E = cosd(c.latM) * sind(v) - sind(c.latM) * cosd(v) * cosd(c.lonM - C);
  if (std::fabs(E) < 1e-10) E = (signOf(E) + 0.5) * 1e-10;
  return std::atan(cosd(v) * sind(c.lonM - C) / E);
}

}  // namespace

void twoPointProject(double pointLat, double pointLon, double L, const TwoPointCentre& c,
                     double lat1, double lon1, double lat2, double lon2, double& x, double& y) {
  const double G = fociDirection(c, lat1, lon1, lat2, lon2);
  double gx = 0, gy = 0;
  bool visible = true;
  gnomonicProject(gx, gy, visible, 0, pointLon, pointLat, L, c.lonM, c.latM);
  const double sg = std::sin(G), cg = std::cos(G);
  double u = gx * sg + gy * cg;
  const double w = gy * sg - gx * cg;
  u *= std::cos(c.q);  // the component along the foci, shortened by cos q
  const double xr = u * sg - w * cg, yr = u * cg + w * sg;
  x = c.eastWest ? xr : -xr;
  y = c.eastWest ? yr : -yr;
}

void BiAzimuthalFrame::unitPoint(double lat, double lon, double& x, double& y) const {
  unitPointWithSines(sind(lat), cosd(lat), lon, x, y);
}

void BiAzimuthalFrame::unitPointWithSines(double sp, double cp, double lon, double& x, double& y) const {
  const double dl = (centre.lonM - lon) * kRadPerDeg, cd = std::cos(dl), sd = std::sin(dl);
  double u0 = sinM * sp + cosM * cp * cd;
  if (u0 < 1e-6) u0 = 1e-6;  // as gnomonicProject: far but finite
  const double gx = cp * sd / u0, gy = (cosM * sp - sinM * cp * cd) / u0;
  const double u = (gx * sinG + gy * cosG) * cosQ, w = gy * sinG - gx * cosG;
  x = s * turn * (u * sinG - w * cosG);
  y = s * turn * (u * cosG + w * sinG);
}

BiAzimuthalFrame biAzimuthalFrame(const DesignState& d) {
  BiAzimuthalFrame f;
  const int planeA = d.hollanderVariant % 3;
  f.lat1 = d.latitude;
  f.lon1 = d.longitude;
  if (planeA != 0) {
    double e = 0, p = 0, l = 0;
    rotateSpherical(planeA == 1 ? 90.0 : d.planeInclination, d.wallDeclination, d.latitude, e, p, l);
    f.lat1 = e;
    f.lon1 = d.longitude + p;
  }
  f.lat2 = d.latitude2;
  f.lon2 = d.longitude2;
  if (d.secondPlaneVertical) {
    const PlaneGeometry g = planeGeometry(d.latitude2, d.wallDeclination2, 90);
    f.lat2 = g.styleHeight;
    f.lon2 = d.longitude2 + g.substyleHourAngle;
  }
  f.centre = twoPointCentre(f.lat1, f.lon1, f.lat2, f.lon2);
  if (!f.centre.valid()) return f;
  f.s = f.centre.latM >= 0 ? 1 : -1;
  {
    // The constants of twoPointProject for this centre and these foci.
    const double G = fociDirection(f.centre, f.lat1, f.lon1, f.lat2, f.lon2);
    f.sinG = std::sin(G);
    f.cosG = std::cos(G);
    f.cosQ = std::cos(f.centre.q);
    f.sinM = sind(f.centre.latM);
    f.cosM = cosd(f.centre.latM);
    f.turn = f.centre.eastWest ? 1 : -1;
  }
  double mx = 0, my = 0, px = 0, py = 0;
  twoPointProject(f.centre.latM, f.centre.lonM, 1, f.centre, f.lat1, f.lon1, f.lat2, f.lon2, mx, my);
  twoPointProject(90 * f.s, 0, 1, f.centre, f.lat1, f.lon1, f.lat2, f.lon2, px, py);
  const double dist = std::hypot(px - mx, py - my);
  f.k = dist > 0.0001 ? 1 / dist : 0;
  return f;
}

std::string biAzimuthalInfoTextA(const DesignState& d) {
  std::string t = "A(" + fixedText(d.latitude, 6, 2) + "° /" + fixedText(d.longitude, 3, 2) + "°),";
  switch (d.hollanderVariant % 3) {
    case 1: t += " vert.(d= " + fixedText(d.wallDeclination, 4, 2) + "°)"; break;
    case 2:
      t += " inklin.(d= " + fixedText(d.wallDeclination, 4, 2) + "; i= " + fixedText(d.planeInclination, 4, 2) +
           ")";
      break;
    default: t += " horiz.;";
  }
  return t;
}

std::string biAzimuthalInfoTextB(const DesignState& d) {
  std::string t = "B(" + fixedText(d.latitude2, 6, 2) + "° /" + fixedText(d.longitude2, 3, 2) + "°), ";
  t += d.secondPlaneVertical ? " vert.(d= " + fixedText(d.wallDeclination2, 4, 2) + "°);" : std::string(" horiz.;");
  return t;
}

double subsolarWestLongitude(const DesignState& d, double hour, double eot) {
  double ref = d.zoneTime ? d.zoneMeridian : d.longitude;
  if (!d.timeFromPosition1) ref += d.longitude2 - d.longitude;
  return 15 * (hour - 12) + ref + eot;
}

namespace {

// Days of each month that carry an analemma mark (setting 0..4); the plot
// marks the 8th instead of the 7th in setting 2.
std::vector<int> markDays(int setting, bool plot) {
  switch (setting) {
    case 0: return {1};
    case 1: return {1, 15};
    case 2: return {plot ? 8 : 7, 22};
    case 3: return {1, 11, 21};
    case 4: return {1, 8, 15, 22};
    default: return {};
  }
}

}  // namespace

BiAzimuthalLines biAzimuthalLines(const DesignState& d, const BiAzimuthalFrame& f,
                                  const BiAzimuthalSampling& sampling) {
  BiAzimuthalLines out;
  const double lonM = f.centre.lonM, spread = std::fabs(lonM - f.lon1);
  auto point = [&](double lat, double lon) {
    std::array<double, 2> p{};
    f.unitPoint(lat, lon, p[0], p[1]);
    return p;
  };

  // Date lines: circles of constant declination, the subsolar point
  // running along them every half degree of longitude.
  const int b = d.dateLineMode == '1' ? 12 : d.dateLineMode == '2' ? 18 : 6;
  double from = lonM - (sampling.plot ? 150 : 178), to = lonM + (sampling.plot ? 150 : 178);
  from = std::min(from, 15 * ((d.otherHoursFrom - 12) - spread));
  to = std::max(to, sampling.plot ? 15 * ((d.otherHoursTo - 12) - spread) : 15 * (spread + (d.otherHoursTo - 12)));
  for (int j = 0; j <= b; ++j) {
    const int idx = 36 * j / b;
    BiAzimuthalLine line;
    line.kind = BiAzimuthalLine::Date;
    line.pen = idx % 6 == 0 ? 6 : 7;
    const double dec = d.declinationByLongitude[static_cast<std::size_t>(idx)];
    for (double lam = from; lam <= to + 1e-9; lam += 0.5) line.points.push_back(point(dec, lam));
    out.dates.push_back(std::move(line));
  }

  // Analemmas: the subsolar point of clock hour k with the equation of
  // time over the year.
  std::vector<int> hours;
  if (d.constructionWithEot) {
    for (int k = d.eotLinesFrom; k <= d.eotLinesTo; ++k) hours.push_back(k);
    if (d.markAnalemma && (d.analemmaMarkHour < d.eotLinesFrom || d.analemmaMarkHour > d.eotLinesTo))
      hours.push_back(d.analemmaMarkHour);
  } else if (d.markAnalemma) {
    hours.push_back(d.analemmaMarkHour);
  }
  auto sunPoint = [&](double t, double hour) {
    double dec = 0, eot = 0;
    solarPosition(d.referenceYear, t, dec, eot);
    return point(dec, subsolarWestLongitude(d, hour, eot));
  };
  // The sun of each day is the same for every hour: computed once.
  std::vector<int> days;
  if (sampling.plot) {
    for (int t = -10; t <= 369; t += 3) days.push_back(t == -1 ? 0 : t);
  } else {
    for (int t = 1; t <= 369; ++t) days.push_back(t);
  }
  std::vector<std::array<double, 2>> sun;  // declination, equation of time
  if (!hours.empty()) {
    for (int t : days) {
      std::array<double, 2> de{};
      solarPosition(d.referenceYear, t, de[0], de[1]);
      sun.push_back(de);
    }
  }
  for (int k : hours) {
    BiAzimuthalLine line;
    line.kind = BiAzimuthalLine::Analemma;
    line.pen = k == 12 ? 5 : 2;
    for (const auto& de : sun) line.points.push_back(point(de[0], subsolarWestLongitude(d, k, de[1])));
    line.marked = d.markAnalemma && k == d.analemmaMarkHour;
    out.analemmas.push_back(std::move(line));
    if (out.analemmas.back().marked) {
      for (int m = 1; m <= 12; ++m) {
        bool first = true;
        for (int day : markDays(d.analemmaMarkDays, sampling.plot)) {
          const auto p = sunPoint(dayOfYear(d.referenceYear, m, day), k);
          out.marks.push_back({p[0], p[1], first});
          first = false;
        }
      }
    }
  }

  // Hour lines: meridians of the subsolar point without the equation of
  // time, at the 37 declinations of the ecliptic longitudes 90..270.
  const int n = std::clamp(d.otherHourInterval - '0', 0, 3) + 1;
  for (int k = d.otherHoursFrom; k <= d.otherHoursTo; ++k) {
    for (int j = 0; j < n; ++j) {
      const double T = k + static_cast<double>(j) / n;
      if (T > d.otherHoursTo + 1e-9) break;
      BiAzimuthalLine line;
      line.kind = BiAzimuthalLine::Hour;
      line.pen = j > 0 ? 3 : k == 12 ? 5 : 2;
      const double lam = subsolarWestLongitude(d, T, 0);
      for (double dec : d.declinationByLongitude) line.points.push_back(point(dec, lam));
      out.hours.push_back(std::move(line));
    }
  }
  return out;
}

}  // namespace tavrel
