#include "astro/solar_ephemeris.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "astro/calendar.h"
#include "base/geometry.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

using Real = long double;

Real sinD(Real x) { return sinl(x * kDegToRad); }
Real cosD(Real x) { return cosl(x * kDegToRad); }
Real atanD(Real x) { return atanl(x) / kDegToRad; }

// Round in the default rounding mode: ties to even.
Real roundEven(Real x) { return nearbyintl(x); }

// Julian centuries from J2000.0 of day x of year (x = 1.0 is 12:00 UT on
// 1 January).
Real centuriesSinceJ2000(int year, Real x) {
  return (static_cast<Real>(julianDayNumber(1, 1, year)) + x - 1 - 2451545) / 36525;
}

// The position of the sun is computed in double precision: the model is
// good to about 0.01 degree, so the extended precision of the tables
// below would buy nothing there and costs a factor of seven in speed
// (a dial construction asks for thousands of positions).
double sinDeg(double x) { return std::sin(x * kDegToRadDouble); }
double cosDeg(double x) { return std::cos(x * kDegToRadDouble); }
double atanDeg(double x) { return std::atan(x) / kDegToRadDouble; }

// Brings an angle into [0, 360] the way repeated subtraction or addition
// of 360 does (an exact multiple of 360 above 0 stays 360); fmod is exact.
double reduce360(double v) {
  if (v > 360) {
    v = std::fmod(v, 360);
    if (v == 0) v = 360;
  }
  if (v < 0) {
    v = std::fmod(v, 360);
    if (v < 0) v += 360;
  }
  return v;
}

// Julian centuries from J2000.0 of day x of year, with the Julian day of
// 1 January kept for the year asked last.
double centuriesOfDay(int year, double x) {
  thread_local int lastYear = 0;
  thread_local double lastJan1 = 0;
  thread_local bool known = false;
  if (!known || year != lastYear) {
    lastJan1 = julianDayNumber(1, 1, year);
    lastYear = year;
    known = true;
  }
  return static_cast<double>((static_cast<Real>(lastJan1) + x - 1 - 2451545) / 36525);
}

// Longitude of the Moon's ascending node (Meeus, 2nd ed., ch. 22).
double moonNode(double t) { return 125.04452 - 1934.136261 * t + 0.0020708 * t * t; }

// Mean obliquity (Meeus, 2nd ed., eq. 22.2, first two terms) and the
// apparent obliquity (ch. 25).
double apparentObliquityAt(double t) {
  const double eps0 = 23.43929111 - 0.013004167 * t;
  return eps0 + 0.00256 * cosDeg(moonNode(t));
}

}  // namespace

double apparentObliquity(int year, double x) { return apparentObliquityAt(centuriesOfDay(year, x)); }

void solarPosition(int year, double x, double& declination, double& eot) {
  const double t = centuriesOfDay(year, x);

  // Mean anomaly in the cubic form of Meeus' first edition (ch. 24); the
  // large linear terms are reduced first so that little precision is lost
  // far from 2000.
  const double m1 = reduce360(35999 * t);
  const double m = reduce360(357.5291 + m1 + t * (0.0503 - t * (0.0001559 + 0.00000048 * t)));

  const double omega = moonNode(t);
  const double sinOmega = sinDeg(omega);
  const double eps = apparentObliquityAt(t);
  const double cosEps = cosDeg(eps);
  const double sinEps = sinDeg(eps);

  // Geometric mean longitude referred to the mean equinox of date (the
  // VSOP87 polynomial of Meeus, 2nd ed., ch. 28, in centuries), equation
  // of the centre (ch. 25) and apparent longitude with nutation and
  // aberration.
  const double l1 = reduce360(36000 * t);
  const double l0 = reduce360(280.4664567 + l1 + t * (0.76982772 + 0.0003032 * t));
  const double c = sinDeg(m) * (1.9146 - t * (0.004817 + 0.000014 * t)) +
                   sinDeg(2 * m) * (0.019993 - 0.000101 * t) + 0.00029 * sinDeg(3 * m);
  const double trueLongitude = l0 + c;
  const double lambda = trueLongitude - 0.00569 - 0.00478 * sinOmega;
  const double sinLambda = sinDeg(lambda);

  const double sinDelta = sinLambda * sinEps;
  declination = atanDeg(sinDelta / std::sqrt(1 - sinDelta * sinDelta));

  // Right ascension in [0, 360): the arc tangent gives -90..90, the two
  // corrections move it into the quadrant of lambda.
  double alpha = atanDeg(sinLambda * cosEps / cosDeg(lambda));
  if (alpha < 0) alpha += 180;
  if (sinDelta < 0) alpha += 180;

  // Nutation in longitude, the two largest terms (Meeus, ch. 22), and the
  // equation of time as mean longitude minus right ascension, both
  // referred to the true equinox (Meeus, 2nd ed., ch. 28).
  const double dPsi = -0.00477778 * sinOmega - 0.00036667 * sinDeg(2 * l0);
  double e = l0 - 0.0057183 - alpha + dPsi * cosEps;
  while (e > 180) e -= 360;
  while (e < -180) e += 360;
  eot = e;
}

ObliquityTables obliquityTables(int year) {
  ObliquityTables d;
  const Real t = centuriesSinceJ2000(year, 80);
  d.meanObliquity = static_cast<double>(23.43929111L - 0.013004167L * t);
  d.obliquityRounded = static_cast<double>(roundEven(Real{d.meanObliquity} * 100) / 100);
  const Real sinObliquity = sinD(d.meanObliquity);
  for (int k = 0; k <= 36; ++k) {
    const Real s = sinObliquity * sinD(5 * k + 90);
    d.declinationByLongitude[k] = static_cast<double>(asinl(s) / kDegToRad);
  }
  d.declinationByLongitude[18] = 0;  // the autumn equinox exactly
  for (int j = 1; j <= 7; ++j) d.zodiacDeclination[j] = d.declinationByLongitude[6 * (7 - j)];
  return d;
}

namespace {

// Orbital elements of one year and the Fourier coefficients of the
// equation of time in the sun's true longitude l, in seconds of time:
//   EoT(l) = cSin1 sin l + cSin2 sin 2l + cSin4 sin 4l + cCos1 cos l + cCos2 cos 2l,
// the classical expansion to second order in the eccentricity e and to
// y^2 in y = tan^2(eps / 2) (reduction to the equator y sin 2l - y^2/2 sin 4l;
// equation of centre in the true anomaly -2e sin v + 3/4 e^2 sin 2v).
// Elements: Meeus, 2nd ed., eqs. 22.2 and 25.4, table 31.A, per year.
struct EotSeries {
  Real perihelion;  // longitude of the Earth's perihelion, degrees
  Real obliquity;   // degrees
  Real eccentricity;
  Real cSin1, cSin2, cSin4, cCos1, cCos2;

  explicit EotSeries(int year) {
    const Real dy = year - 2000;
    perihelion = 102.937348L + 0.0171946L * dy;
    obliquity = 23.43929L - 0.00013L * dy;
    eccentricity = 0.016708634L - 0.00000042036L * dy;
    const Real k = 43200 / kPi;  // radians to seconds of time
    const Real e = eccentricity, w = perihelion;
    const Real y = static_cast<Real>(tanDeg(static_cast<double>(obliquity / 2)));
    const Real y2 = y * y;
    cSin1 = 2 * e * cosD(w) * k;
    cSin2 = (0.75L * e * e * cosD(2 * w) + y2) * k;
    cSin4 = -0.5L * y2 * y2 * k;
    cCos1 = -2 * e * sinD(w) * k;
    cCos2 = -0.75L * e * e * sinD(2 * w) * k;
  }

  Real operator()(Real l) const {
    return cSin1 * sinD(l) + cSin2 * sinD(2 * l) + cSin4 * sinD(4 * l) + cCos1 * cosD(l) +
           cCos2 * cosD(2 * l);
  }
};

// Right ascension of the true sun at longitude l (0..360): arc tangent of
// cos(eps) tan l, placed in the quadrant of l.
Real rightAscensionOfLongitude(Real l, Real obliquity) {
  Real a0 = atanD(cosD(obliquity) * tanDeg(static_cast<double>(l)));
  if (l <= 90) {
    if (a0 < 0) a0 = 360 - a0;  // l = 90 itself: tanDeg gives -1e12
  } else if (l <= 180) {
    if (a0 <= 0) a0 += 180;
  } else if (l <= 270) {
    if (a0 > 0) a0 += 180;
  } else {
    if (a0 <= 0) a0 += 360;
  }
  while (a0 > 360) a0 -= 360;
  while (a0 < 0) a0 += 360;
  // The arc tangent cannot tell 0 from 180: at l = 180 the tangent of the
  // rounded angle may come out with either sign. Keep a0 within a
  // quadrant of l, where it always lies.
  Real gap = a0 - l;
  while (gap > 180) gap -= 360;
  while (gap < -180) gap += 360;
  if (fabsl(gap) > 90) a0 = a0 >= 180 ? a0 - 180 : a0 + 180;
  return a0;
}

// Equation of time from Kepler's equation, degrees in [-180, 180]: mean
// sun minus the right ascension of the true sun at true longitude l.
Real keplerEot(const EotSeries& s, Real l) {
  const Real e = s.eccentricity, w = s.perihelion;
  const Real trueAnomaly = 180 - w + l;  // the sun's perigee is at w + 180
  const Real eccentricAnomaly =
      2 * atanD(sqrtl((1 - e) / (1 + e)) * tanDeg(static_cast<double>(trueAnomaly / 2)));
  const Real a0 = rightAscensionOfLongitude(l, s.obliquity);
  Real k = -a0 - (180 - w) + eccentricAnomaly - e * sinD(eccentricAnomaly) / kDegToRad;
  while (k > 180) k -= 360;
  while (k < -180) k += 360;
  return k;
}

}  // namespace

std::vector<EotSeriesRow> eotSeriesRows(int steps, int year) {
  std::vector<EotSeriesRow> rows;
  if (steps < 1 || steps > 360) return rows;
  const EotSeries series(year);
  const Real stepAngle = Real{360} / steps;
  const Real sinObliquity = sinD(series.obliquity);
  rows.reserve(static_cast<std::size_t>(steps) + 1);
  for (int i = 0; i <= steps; ++i) {
    const Real l = stepAngle * i;
    int i2 = steps / 2 - i;  // the mirror longitude 180 - l (same declination)
    if (i2 < 0) i2 += steps;
    const Real l2 = stepAngle * i2;

    EotSeriesRow row;
    row.lambda = static_cast<double>(l);
    row.declination =
        static_cast<double>(roundEven(asinl(sinD(l) * sinObliquity) / kDegToRad * 1000) / 1000);
    const Real q = series(l);
    row.eotSeriesText = fixedText(static_cast<double>(roundEven(q * 10) / 10), 7, 1);
    row.eotSeconds = static_cast<std::int32_t>(roundEven(q));
    row.eotKeplerText =
        fixedText(static_cast<double>(roundEven(keplerEot(series, l) * 10 * 240) / 10), 7, 1);
    const auto q2 = static_cast<std::int32_t>(roundEven(series(l2)));
    const std::int32_t diff = row.eotSeconds - q2;
    const auto half = static_cast<std::int32_t>(roundEven(static_cast<Real>(std::abs(diff)) / 2));
    row.eotAntisymmetric = diff > 0 ? half : -half;
    row.eotMinutesText = minutesText(row.eotSeconds);
    rows.push_back(std::move(row));
  }
  return rows;
}

std::string minutesText(int seconds) {
  const std::int64_t n = seconds;
  const std::int64_t magnitude = n < 0 ? -n : n;
  const std::int64_t s = magnitude % 60;
  return (n < 0 ? "-" : "") + std::to_string(magnitude / 60) + ":" + (s < 10 ? "0" : "") +
         std::to_string(s);
}

}  // namespace tavrel
