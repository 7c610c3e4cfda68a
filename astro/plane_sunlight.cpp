// Sunlight on a dial plane. The plane geometry is the horizontal-to-
// equatorial transformation of the plane's normal (Meeus, Astronomical
// Algorithms, 2nd ed., ch. 13) with the normal at altitude 90 - i and
// azimuth w; the substyle angle is the direction of the projection of the
// polar axis onto the plane (Rohr, Sundials, ch. 4).
#include "astro/plane_sunlight.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "astro/degree_trig.h"
#include "astro/horizontal_coordinates.h"
#include "astro/time_format.h"
#include "base/geometry.h"

namespace tavrel {

using degtrig::cosD;
using degtrig::sinD;

PlaneGeometry planeGeometry(double latitude, double planeDeclination, double planeInclination) {
  const long double sp = sinD(latitude), cp = cosD(latitude);
  const long double sw = sinD(planeDeclination), cw = cosD(planeDeclination);
  const long double si = sinD(planeInclination), ci = cosD(planeInclination);
  PlaneGeometry g;
  const long double r = sp * ci - cp * si * cw;
  g.styleHeight = fabsl(r) >= 1 ? 90.0 * signOf(static_cast<double>(r))
                                : static_cast<double>(degtrig::asinD(r));
  g.substyleHourAngle =
      atan2Deg(static_cast<double>(si * sw), static_cast<double>(cp * ci + sp * si * cw));
  g.substyleAngle =
      atan2Deg(static_cast<double>(cp * sw), static_cast<double>(sp * si + cp * cw * ci));
  return g;
}

bool sunInFrontOfPlane(double normalAzimuth, double normalAltitude, double latitude,
                       double declination, double apparentTime) {
  const HorizontalPosition sun =
      horizontalFromHourAngle((apparentTime - 12) * 15, declination, latitude);
  return cosAngleBetween(normalAzimuth, normalAltitude, sun.azimuth, sun.altitude) > 0;
}

namespace {

// Half day arc at latitude `place` for declination d: arccos(-tan d tan
// place), limited to 0..180. Within `poleBand` of a pole the sun circles at
// constant altitude: 180 when it stays up (d of the pole's sign, or 0),
// 0 when it stays down.
double halfArc(double declination, double place, double poleBand) {
  if (std::fabs(place) >= 90 - poleBand) return declination * place >= 0 ? 180 : 0;
  return static_cast<double>(degtrig::acosD(degtrig::horizonArcCosine(place, declination)));
}

struct Span {
  double first = 999, last = 999;  // 999: no light
};

// Overlap of the horizon window [-h0, h0] with the plane window l +- hp
// (0 < hp < 180, l in (-180, 180]), which may wrap through +-180: the
// earliest start and latest end of the (one or two) overlapping pieces.
Span overlap(double h0, double l, double hp) {
  std::array<std::array<double, 2>, 2> pieces{};
  int n = 0;
  const double a = l - hp, b = l + hp;
  if (a < -180) {
    pieces[n++] = {a + 360, 180};
    pieces[n++] = {-180, b};
  } else if (b > 180) {
    pieces[n++] = {a, 180};
    pieces[n++] = {-180, b - 360};
  } else {
    pieces[n++] = {a, b};
  }
  Span s;
  for (int k = 0; k < n; ++k) {
    const double lo = std::max(pieces[k][0], -h0), hi = std::min(pieces[k][1], h0);
    // Windows that only touch (a plane facing the nadir at the equator
    // meets the horizon at +-90) leave no sunlight; the floor on the style
    // height may turn such a touch into a sliver of some 1e-9 degree.
    if (hi - lo <= 1e-6) continue;
    s.first = s.first == 999 ? lo : std::min(s.first, lo);
    s.last = s.last == 999 ? hi : std::max(s.last, hi);
  }
  return s;
}

std::string clockText(double hourAngle) { return formatMinutesSeconds((hourAngle / 15 + 12) / 4); }

}  // namespace

SunlitWindow sunlitWindowOnPlane(double offset, double latitude, double planeDeclination,
                                 double planeInclination, double obliquity, bool verbose) {
  const double p = latitude;

  // Half day arc of the summer solstice.
  const double e = p > 0 ? obliquity : -obliquity;
  const double hs =
      std::fabs(p) >= 70 ? 180 : static_cast<double>(degtrig::acosD(degtrig::horizonArcCosine(p, e)));

  const PlaneGeometry geometry = planeGeometry(p, planeDeclination, planeInclination);
  double g = geometry.styleHeight, l = geometry.substyleHourAngle;
  if (std::fabs(g) < 1e-10) g = (signOf(g) + 0.5) * 1e-10;
  if (std::fabs(l) < 1e-10) l = 0;

  SunlitWindow w;
  double earliest = 180, latest = -180, earliestDeclination = 0;
  for (int k = 0; k <= 940; ++k) {
    const double d = k == 0 ? obliquity : (k == 940 ? -obliquity : 23.5 - 0.05 * k);
    // The fixed steps run to +-23.45; the sun does not go beyond the
    // obliquity of the reference year (23.44 in 2000, 23.35 in 2500).
    if (std::fabs(d) > obliquity) continue;
    const double h0 = halfArc(d, p, 0.01);
    const double hp = halfArc(d, g, 0.1);
    Span s;
    if (h0 <= 0) {
      // the sun stays below the horizon
    } else if (std::fabs(hp - 180) < 0.01) {
      s = {-h0, h0};
    } else if (std::fabs(hp) >= 0.03) {
      s = overlap(h0, l, hp);
    }
    if (s.first != 999 && s.first < earliest) {
      earliest = s.first;
      earliestDeclination = d;
    }
    if (s.last != 999 && s.last > latest) latest = s.last;
  }

  w.earliest = offset + earliest;
  w.latest = offset + latest;
  w.earliestDeclination = earliestDeclination;
  // The two-span form "earliest - solstice sunrise; solstice sunset -
  // latest" only reads right for a window that starts before the earliest
  // sunrise of the year and ends after the latest sunset, which sunlight
  // cannot do; every real window gets the one-span form.
  const bool twoSpans = !verbose && hs > 0 && earliest < -hs - 1e-6 && hs + 1e-6 < latest;
  if (twoSpans)
    w.text = clockText(offset + earliest) + " - " + clockText(offset - hs) + "; " +
             clockText(offset + hs) + " - " + clockText(offset + latest);
  else
    w.text = "         " + clockText(offset + earliest) + " - " + clockText(offset + latest);
  return w;
}

}  // namespace tavrel
