#include "plot/polar_chart.h"

#include <cmath>


namespace tavrel {

namespace {
constexpr double kDeg = 3.14159265358979323846 / 180.0;
}

double altitudeRadius(const PolarChart& c, double h) {
  switch (c.spacing) {
    case AltitudeSpacing::Equal:
      return c.r0 * (1 - h / 90);
    case AltitudeSpacing::ReflectingDome: {
      const double v = c.domeV;
      const double o = std::sqrt(c.r0 * c.r0 / 4 + v * v) - c.r0 / 2;
      return std::cos(h * kDeg) * 2 * v * (v * v - o * o) /
             (std::sin(h * kDeg) * (v * v + o * o) + 2 * v * o);
    }
    case AltitudeSpacing::Stereographic:
      return c.r0 * std::tan((45 - h / 2) * kDeg);
    case AltitudeSpacing::Orthographic:
      return c.r0 * std::cos(h * kDeg);
  }
  return c.r0;
}

std::pair<double, double> polarChartPoint(const PolarChart& c, double altitude, double azimuth) {
  const double r = altitudeRadius(c, altitude);
  return {c.cx - r * std::sin(azimuth * kDeg), c.cy + c.ySign * r * std::cos(azimuth * kDeg)};
}

}  // namespace tavrel
