#include "dials/planar/planar_plane.h"

#include <cmath>
#include <cstdio>

#include "astro/calendar.h"
#include "core/date_list_file.h"
#include "astro/time_format.h"
#include "core/design_state.h"
#include "base/geometry.h"

namespace tavrel {

namespace {
double sinDeg(double x) { return static_cast<double>(sinl(x * kDegToRad)); }
double cosDeg(double x) { return static_cast<double>(cosl(x * kDegToRad)); }
double atanDeg(double x) { return static_cast<double>(atanl(x) / kDegToRad); }
}  // namespace

PlanarPlane planarPlane(const DesignState& d) {
  PlanarPlane p;
  p.kind = (d.dialKind == 'v' || d.dialKind == 'i') ? d.dialKind : 'h';
  p.umbrella = d.umbrellaMode;
  p.latitude = d.latitude;
  p.phi = d.latitude;
  p.radiusRatio = d.umbrellaRadiusRatio;
  switch (p.kind) {
    case 'v':
      p.vertical = true;
      p.normalAlt = 0;
      p.normalAz = p.azOffset = d.wallDeclination;
      p.declination = d.wallDeclination;
      p.inclination = 90;
      break;
    case 'i':
      p.declination = d.wallDeclination;
      p.inclination = d.planeInclination;
      if (p.umbrella) {
        p.normalAlt = 90 - d.planeInclination;
        p.normalAz = p.azOffset = d.wallDeclination;
      } else {
        p.equivalent = planeGeometry(d.latitude, d.wallDeclination, d.planeInclination);
        p.normalAlt = 90;
        p.normalAz = p.azOffset = p.equivalent.substyleAngle;
        p.phi = p.equivalent.styleHeight;
        p.tOffset = -p.equivalent.substyleHourAngle / 15;
      }
      break;
    default:
      break;
  }
  if (p.kind != 'i' || p.umbrella)
    p.equivalent = planeGeometry(d.latitude, p.declination, p.inclination);
  return p;
}

double referenceMeridianNoEot(const DesignState& d) {
  return d.eotLinesOwnMeridian ? d.zoneMeridian : d.longitude;
}

double referenceMeridianEot(const DesignState& d) {
  const bool local = d.umbrellaMode ? d.eotLinesOwnMeridian : d.umbrellaLocalTime;
  return local ? d.zoneMeridian : d.longitude;
}

StyleFoot styleFootPoint(double gnomonLength, double inclination, double latitude,
                         double declination) {
  double D = declination;
  if (std::fabs(std::fabs(D) - 90) < 0.07)
    D = (D >= 0 ? 1 : -1) * (std::fabs(D) > 90 ? 90.07 : 89.93);
  double phi = latitude;
  if (std::fabs(std::fabs(phi) - 90) < 0.001) phi = (phi >= 0 ? 1 : -1) * 89.999;
  const double L = gnomonLength;
  const double tanPhi = tanDeg(phi);
  double J = sinDeg(inclination) * cosDeg(D) - tanPhi * cosDeg(inclination);
  if (std::fabs(J) < 1e-5) J = (signOf(J) + 0.5) * 1e-5;
  StyleFoot s;
  s.sx = -L * sinDeg(D) / J;
  s.sy = L * (cosDeg(inclination) * cosDeg(D) + tanPhi * sinDeg(inclination)) / J;
  return s;
}

StyleFoot dialStyleFoot(const PlanarPlane& plane, double gnomonLength) {
  if (plane.kind == 'h') {
    double lat = plane.latitude;
    if (std::fabs(lat) < 1e-5) lat = 1e-5;
    return {0, -gnomonLength / tanDeg(lat)};
  }
  return styleFootPoint(gnomonLength, plane.inclination, plane.latitude, plane.declination);
}

std::vector<DateLineDay> dateLineDays(const DesignState& d, char mode) {
  const int year = d.referenceYear;
  std::vector<DateLineDay> days;
  auto add = [&](int day, int month, std::string label) {
    DateLineDay e;
    e.dayOfYear = dayOfYear(year, month, day);
    e.label = std::move(label);
    if ((month == 3 && day == 21) || (month == 9 && day == 23)) {
      e.fixedDeclination = true;
      e.declination = d.zodiacDeclination[4];
    }
    days.push_back(std::move(e));
  };
  switch (mode) {
    case '0': {
      // Zodiac dates; line i uses the declination of ecliptic longitude
      // 90 + 30 (i - 1), so it also serves the symmetric date.
      static const int kDay[7] = {21, 22, 23, 22, 23, 22, 22};
      for (int i = 0; i < 7; ++i) {
        const int month = 6 + i;
        DateLineDay e;
        e.dayOfYear = dayOfYear(year, month, kDay[i]);
        e.label = std::to_string(kDay[i]) + "." + std::to_string(month) + ".";
        e.zodiac = true;
        e.fixedDeclination = true;
        e.declination = d.declinationByLongitude[static_cast<std::size_t>(6 * i)];
        days.push_back(std::move(e));
      }
      break;
    }
    case '1':
      add(22, 6, "22.6.");
      for (int month = 7; month <= 12; ++month) {
        add(7, month, " 7." + std::to_string(month) + ".");
        add(22, month, "22." + std::to_string(month) + ".");
      }
      break;
    case '2': {
      bool any = false;
      for (const std::string& entry : d.ownDateLines) {
        if (!isValidDayMonthEntry(entry)) continue;  // shows its message
        const DayMonth dm = parseDayMonth(entry, d.referenceYear, d.language);
        if (!dm.ok) continue;
        const int day = dm.number % 100, month = dm.number / 100;
        char label[16];
        std::snprintf(label, sizeof label, "%02d.%02d.", day, month);
        add(day, month, label);
        any = true;
      }
      if (!any && d.ownDateLines.empty()) {
        add(21, 6, "21.06.");
        add(23, 9, "23.09.");
        add(21, 12, "21.12.");
      }
      break;
    }
    default:
      break;
  }
  return days;
}

int linesPerHour(char interval) {
  if (interval == '4' || interval == '5' || interval == '6') return 6;
  if (interval >= '0' && interval <= '3') return interval - '0' + 1;
  return 1;
}

double substyleShadowHourAngle(double inclination, double declination, double latitude) {
  double G = latitude;
  if (std::fabs(std::fabs(G) - 90) < 0.0005) G = (G >= 0 ? 1 : -1) * 89.999;
  const double D = declination, i = inclination;
  double u;
  if (std::fabs(i - 90) <= 0.01 || std::fabs(i + 90) <= 0.01) {
    const double s = sinDeg(G);
    u = atanDeg(-tanDeg(D) / (std::fabs(s) < 1e-300 ? 1e-300 : s));
  } else {
    const double den = sinDeg(i) * cosDeg(D) * sinDeg(G) + cosDeg(G) * cosDeg(i);
    const double num = -sinDeg(i) * sinDeg(D);
    u = den == 0 ? (num >= 0 ? 90.0 : -90.0) : atanDeg(num / den);
  }
  if (std::fabs(D) > 0 && std::fabs(D) <= 90) {
    u = -u;
  } else if (D > 90) {
    u = -u;
    while (u > 180) u -= 360;
    while (u <= -180) u += 360;
    if (u < 0) u += 180;
  } else if (D < -90) {
    u = 180 - u;
    while (u > 0) u -= 180;
  }
  return u;
}

}  // namespace tavrel
