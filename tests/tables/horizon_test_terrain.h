// Synthetic terrain for the horizon-profile tests and the benchmark: flat
// ground with cone-shaped mountains of known height at known bearing and
// distance, written as an ESRI ASCII grid; and an independent reference
// for the skyline elevation of one bearing, found by marching along the
// great circle over the exact cone surfaces (spherical Earth of radius
// 6 372 800 m, destination-point formula of Meeus' "Astronomical
// Algorithms" spherical trigonometry).
#pragma once

#include <algorithm>
#include <cstdio>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

namespace tavrel::test {

inline constexpr double kR = 6372800.0;
inline constexpr double kToRad = std::numbers::pi / 180.0;

struct Cone {
  double bearing;   // degrees from north through east, as designed
  double distance;  // metres from the observer, as designed
  double height;    // metres above the flat ground
  double radius;    // metres at the foot
  // The apex, snapped to the nearest grid node.
  double apexLat = 0, apexLon = 0;
};

struct TerrainSpec {
  double top = 48, left = 11;
  int rows = 1201;              // nrows = ncols
  double cellSize = 1.0 / 1200;
  double observerLat = 47.5, observerLon = 11.5;
  int ground = 0;
  std::vector<Cone> cones;
  // A first (dropped) line of this height, to show it is never used.
  int droppedLineHeight = 0;
  // Beyond this distance from the observer (metres; 0: nowhere) the
  // ground is at plainHeight.
  double plainFrom = 0;
  int plainHeight = 0;
};

inline void destination(double lat, double lon, double bearing, double s, double& outLat, double& outLon) {
  const double d = s / kR, p = lat * kToRad, b = bearing * kToRad;
  const double p2 = std::asin(std::sin(p) * std::cos(d) + std::cos(p) * std::sin(d) * std::cos(b));
  const double l2 = std::atan2(std::sin(b) * std::sin(d) * std::cos(p), std::cos(d) - std::sin(p) * std::sin(p2));
  outLat = p2 / kToRad;
  outLon = lon + l2 / kToRad;
}

inline double greatCircle(double lat1, double lon1, double lat2, double lon2) {
  const double a = std::sin((lat2 - lat1) * kToRad / 2), b = std::sin((lon2 - lon1) * kToRad / 2);
  return 2 * kR * std::asin(std::sqrt(a * a + std::cos(lat1 * kToRad) * std::cos(lat2 * kToRad) * b * b));
}

inline double coneHeight(const Cone& c, double lat, double lon) {
  const double d = greatCircle(c.apexLat, c.apexLon, lat, lon);
  return d >= c.radius ? 0.0 : c.height * (1 - d / c.radius);
}

inline void placeCones(TerrainSpec& t) {
  for (Cone& c : t.cones) {
    double lat, lon;
    destination(t.observerLat, t.observerLon, c.bearing, c.distance, lat, lon);
    c.apexLat = t.top - std::round((t.top - lat) / t.cellSize) * t.cellSize;
    c.apexLon = t.left + std::round((lon - t.left) / t.cellSize) * t.cellSize;
  }
}

// The grid text; cones must have been placed. Line q (0-based) after the
// header lies at latitude top - q * cellSize when rows ends in 01 (its
// first line repeats the northern neighbour's edge), else at
// top - (q + 1) * cellSize.
inline std::string terrainGrid(const TerrainSpec& t) {
  const double span = std::round(t.rows * t.cellSize);
  std::string s;
  char buf[160];
  std::snprintf(buf, sizeof buf, "ncols         %d\nnrows         %d\nxllcorner     %.3f\nyllcorner     %.3f\n", t.rows,
                t.rows, t.left, t.top - span);
  s += buf;
  std::snprintf(buf, sizeof buf, "cellsize      %.12f\nNODATA_value  -9999\n", t.cellSize);
  s += buf;
  const std::string g = std::to_string(t.ground) + " ";
  std::string flat;
  for (int j = 0; j < t.rows; ++j) flat += g;
  flat.back() = '\n';
  s.reserve(s.size() + flat.size() * t.rows + 1000);
  const bool drops = t.rows % 100 == 1;
  std::vector<int> h(t.rows);
  for (int q = 0; q < t.rows; ++q) {
    const double lat = t.top - (drops ? q : q + 1) * t.cellSize;
    if (drops && q == 0 && t.droppedLineHeight != 0) {
      for (int j = 0; j < t.rows; ++j) s += std::to_string(t.droppedLineHeight) + (j + 1 < t.rows ? " " : "\n");
      continue;
    }
    bool any = false;
    for (const Cone& c : t.cones)
      if (std::fabs(lat - c.apexLat) * 111000 < c.radius + 200) any = true;
    if (!any && t.plainFrom == 0) {
      s += flat;
      continue;
    }
    std::fill(h.begin(), h.end(), t.ground);
    if (t.plainFrom > 0)
      for (int j = 0; j < t.rows; ++j)
        if (greatCircle(t.observerLat, t.observerLon, lat, t.left + j * t.cellSize) > t.plainFrom) h[j] = t.plainHeight;
    for (const Cone& c : t.cones) {
      if (std::fabs(lat - c.apexLat) * 111000 >= c.radius + 200) continue;
      const double dLon = (c.radius + 200) / (111000 * std::cos(lat * kToRad));
      const int j0 = std::max(0, static_cast<int>(std::floor((c.apexLon - dLon - t.left) / t.cellSize)));
      const int j1 = std::min(t.rows - 1, static_cast<int>(std::ceil((c.apexLon + dLon - t.left) / t.cellSize)));
      for (int j = j0; j <= j1; ++j)
        h[j] = std::max(h[j], t.ground + static_cast<int>(std::lround(coneHeight(c, lat, t.left + j * t.cellSize))));
    }
    for (int j = 0; j < t.rows; ++j) {
      s += std::to_string(h[j]);
      s += j + 1 < t.rows ? ' ' : '\n';
    }
  }
  return s;
}

// The grid text without its last n lines, as a download cut short leaves it.
inline std::string withoutLastLines(std::string grid, int n) {
  for (int i = 0; i < n; ++i) grid.erase(grid.rfind('\n', grid.size() - 2) + 1);
  return grid;
}

// Skyline elevation (degrees) along one bearing from an observer at
// altitude h0: the largest signed angle of the line of sight to the exact
// terrain surface between minDistance and maxDistance, or 0.
inline double referenceElevation(const TerrainSpec& t, double bearing, double h0, double minDistance,
                                 double maxDistance, double step = 2.0) {
  double best = 0;
  for (double s = minDistance; s <= maxDistance; s += step) {
    double lat, lon;
    destination(t.observerLat, t.observerLon, bearing, s, lat, lon);
    double h = t.ground;
    for (const Cone& c : t.cones) h = std::max(h, t.ground + coneHeight(c, lat, lon));
    if (h <= h0) continue;
    const double g = s / kR;
    const double e = std::atan2((kR + h) * std::cos(g) - (kR + h0), (kR + h) * std::sin(g)) / kToRad;
    best = std::max(best, e);
  }
  return best;
}

}  // namespace tavrel::test
