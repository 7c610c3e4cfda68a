// The altitude-circle chart: the sky seen from a horizontal plate, the
// sun's altitude as concentric circles about the zenith and its azimuth as
// the direction from the centre. Used by the polar sun-path diagram and by
// the azimuthal dial with altitude circles.
//
// Units: degrees for the sky, the target's units for the chart. Azimuth is
// counted from south, west positive (S 0, W +90, E -90, N +-180). A sun of
// azimuth A at radius r lies at x = cx - r sin A, y = cy + ySign r cos A:
// ySign = +1 where y grows downwards (window picture, printer page), -1
// where it grows upwards (plot file).
#pragma once

#include <utility>

namespace tavrel {

// The spacing of the altitude circles.
enum class AltitudeSpacing {
  Equal = 0,          // r = R0 (1 - h / 90)
  ReflectingDome = 1, // the horizontoscope dome (spacing after Tonne)
  Stereographic = 2,  // r = R0 tan(45 - h / 2)
  Orthographic = 3,   // r = R0 cos h
};

struct PolarChart {
  double cx = 0, cy = 0;  // the zenith
  double r0 = 1;          // radius of the horizon circle
  double ySign = 1;       // +1 y downwards, -1 y upwards
  AltitudeSpacing spacing = AltitudeSpacing::Equal;
  // Reflecting dome only: v, half the plate diameter less two text
  // heights (R0 on a printer page).
  double domeV = 1;
};

// Radius of the circle of altitude h (degrees). For the reflecting dome,
// cos h 2v(v^2 - o^2) / (sin h (v^2 + o^2) + 2vo) with o = sqrt(R0^2 / 4 +
// v^2) - R0 / 2, so that the horizon falls on the plate circle.
double altitudeRadius(const PolarChart& chart, double altitude);

// The chart point of a sun at (altitude, azimuth).
std::pair<double, double> polarChartPoint(const PolarChart& chart, double altitude, double azimuth);

}  // namespace tavrel
