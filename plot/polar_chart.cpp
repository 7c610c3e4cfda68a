#include "plot/polar_chart.h"
#include "base/angles.h"

#include <cmath>


namespace tavrel {

namespace {
}

double altitudeRadius(const PolarChart& c, double h) {
  switch (c.spacing) {
    case AltitudeSpacing::Equal:
      return c.r0 * (1 - h / 90);
    case AltitudeSpacing::ReflectingDome: {
      const double v = c.domeV;
      const double o = std::sqrt(c.r0 * c.r0 / 4 + v * v) - c.r0 / 2;
      return std::cos(h * kRadPerDeg) * 2 * v * (v * v - o * o) /
             (std::sin(h * kRadPerDeg) * (v * v + o * o) + 2 * v * o);
    }
    case AltitudeSpacing::Stereographic:
      return c.r0 * std::tan((45 - h / 2) * kRadPerDeg);
    case AltitudeSpacing::Orthographic:
      return c.r0 * std::cos(h * kRadPerDeg);
  }
  return c.r0;
}

std::pair<double, double> polarChartPoint(const PolarChart& c, double altitude, double azimuth) {
  const double r = altitudeRadius(c, altitude);
  return {c.cx - r * std::sin(azimuth * kRadPerDeg), c.cy + c.ySign * r * std::cos(azimuth * kRadPerDeg)};
}

}  // namespace tavrel
