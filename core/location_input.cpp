#include "core/location_input.h"

#include <cmath>

#include "base/number_text.h"

namespace tavrel {

DegMinSec toDegMinSec(double v) {
  DegMinSec out;
  const double a = std::fabs(v);
  out.degrees = static_cast<std::int32_t>(std::trunc(a));
  const double r = (a - out.degrees) * 60.0;
  out.minutes = static_cast<std::int32_t>(std::trunc(r));
  out.seconds = static_cast<std::int32_t>(roundHalfEven((r - out.minutes) * 60.0));
  out.negative = v < 0;
  return out;
}

namespace {
double angle(std::int32_t d, std::int32_t m, std::int32_t s) {
  return d + m / 60.0 + s / 3600.0;
}
}  // namespace

DmsLocation locationFromDms(const DmsFields& f) {
  DmsLocation out;
  double lat = angle(f.latDeg, f.latMin, f.latSec);
  if (std::fabs(lat) < 1e-5) lat = 1e-6;
  if (lat > 90) lat = 90;
  out.latitude = f.south ? -lat : lat;

  double lon = angle(f.lonDeg, f.lonMin, f.lonSec);
  if (lon > 180) lon = 180;
  out.longitude = f.lonEast ? -lon : lon;

  double zone = angle(f.zoneDeg, f.zoneMin, f.zoneSec);
  if (zone > 180) zone = 180;
  out.zoneMeridian = f.zoneEast ? -zone : zone;
  return out;
}

bool zoneFarFromLongitude(double zoneMeridian, double longitude, double limit) {
  // Both values carry at most six decimals in the window; the allowance
  // keeps a difference of exactly `limit` from tipping over by rounding
  // (9.59 and -5.41 differ by 15.000000000000002 in binary).
  return std::fabs(zoneMeridian - longitude) > limit + 1e-9;
}

}  // namespace tavrel
