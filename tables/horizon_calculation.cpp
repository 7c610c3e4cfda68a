#include "tables/horizon_calculation.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "base/angles.h"
#include "base/number_text.h"

namespace tavrel {
namespace {

constexpr std::int16_t kNoData = -9999;
constexpr int kWindowCentreRow = 249;  // window row of data row r
constexpr int kMaxHalfColumns = 4000;  // near-window half width near the poles

int roundInt(double x) { return static_cast<int>(roundHalfEven(x)); }

// Bearing of (x east, y north) from north through east, degrees in
// (-180, 180].
double bearingOf(double x, double y) { return std::atan2(x, y) * kDegPerRad; }

}  // namespace

HorizonSettings& horizonSettings() {
  static HorizonSettings settings;
  return settings;
}

int storedMinObjectDistance(int entered) { return std::max(entered, 180); }

HorizonCalculation::HorizonCalculation(double latitude, double longitudeEast, const HorizonSettings& settings)
    : phi_(std::fabs(latitude) < 0.0001 ? 0.000001 : latitude), lambda_(longitudeEast), settings_(settings) {
  settings_.minObjectDistance = storedMinObjectDistance(settings_.minObjectDistance);
  maxDistanceM_ = 1000.0 * settings_.maxObjectDistance;
  dLat_ = settings_.maxObjectDistance / kKmPerDegreeLatitude;
  dLon_ = dLat_ / std::cos(phi_ * kRadPerDeg);
}

HorizonStatus HorizonCalculation::openGrid(ElevationGridReader& reader, std::istream& grid) {
  fault_ = {};
  if (!reader.open(grid)) {
    fault_.headerLine = reader.headerFault();
    return HorizonStatus::NotAGrid;
  }
  return HorizonStatus::Ok;
}

HorizonStatus HorizonCalculation::checkComplete(const ElevationGridReader& reader) {
  if (reader.complete()) return HorizonStatus::Ok;
  fault_.rowsPresent = reader.rowsPresent();
  fault_.rowsExpected = reader.tile().dataRows();
  return HorizonStatus::MissingRows;
}

HorizonStatus HorizonCalculation::open(std::istream& grid) {
  if (const HorizonStatus s = openGrid(firstReader_, grid); s != HorizonStatus::Ok) return s;
  if (const HorizonStatus s = checkComplete(firstReader_); s != HorizonStatus::Ok) return s;
  first_ = firstReader_.tile();
  const ElevationTile& t = first_;
  if (!(t.topLatitude - t.span <= phi_ && phi_ < t.topLatitude && t.leftLongitude <= lambda_ &&
        lambda_ < t.leftLongitude + t.span))
    return HorizonStatus::CentreOutside;

  const double cosPhi = std::cos(phi_ * kRadPerDeg);
  nearRowsExcluded_ = t.cellSize <= 0.00083 ? settings_.minObjectDistance / 90 + 1 : 4;
  nearRowsExcluded_ = std::max(nearRowsExcluded_, 2);
  nearColsExcluded_ = roundInt(nearRowsExcluded_ / cosPhi + 0.5);

  const bool north = phi_ + dLat_ > t.topLatitude;
  const bool south = t.topLatitude - t.span > phi_ - dLat_;
  const bool west = lambda_ - dLon_ < t.leftLongitude;
  const bool east = t.leftLongitude + t.span < lambda_ + dLon_;
  missing_ = (north ? kDirNorth : 0) | (south ? kDirSouth : 0) | (west ? kDirWest : 0) |
             (east ? kDirEast : 0) | (north && east ? kDirNorthEast : 0) |
             (north && west ? kDirNorthWest : 0) | (south && east ? kDirSouthEast : 0) |
             (south && west ? kDirSouthWest : 0);

  const double rowPos = (t.topLatitude - phi_) / t.cellSize;
  const double colPos = (lambda_ - t.leftLongitude) / t.cellSize;
  centreRow_ = static_cast<int>(std::floor(rowPos));
  centreCol_ = static_cast<int>(std::floor(colPos));
  fracRow_ = rowPos - centreRow_;
  fracCol_ = colPos - centreCol_;
  const int half = std::min(roundInt(250.0 / cosPhi), kMaxHalfColumns);
  windowCols_ = 2 * half;
  return HorizonStatus::Ok;
}

void HorizonCalculation::updateBin(int bin, double elevation, double distance, double height) {
  HorizonPoint& p = profile_[bin];
  p.elevation = elevation;
  p.distance = distance;
  p.terrainHeight = height;
}

HorizonStatus HorizonCalculation::run(HorizonProgress& progress) {
  window_.assign(static_cast<std::size_t>(kNearWindowRows) * windowCols_, kNoData);
  profile_ = emptyHorizonProfile();
  fillWindowAndFarField(firstReader_, {}, false, progress, 0, 0);

  // Centre height: linear between values c and c + 1 of data rows r and
  // r + 1, each row rounded first.
  const int mc = windowCols_ / 2 - 1;
  auto cell = [&](int k, int m) { return window_[static_cast<std::size_t>(k) * windowCols_ + m]; };
  auto rowHeight = [&](int k) -> std::optional<double> {
    const int a = cell(k, mc);
    if (a == kNoData) return std::nullopt;
    const int b = cell(k, mc + 1);
    if (b == kNoData) return a;
    return static_cast<double>(roundHalfEven(a + fracCol_ * (b - a)));
  };
  const auto hr = rowHeight(kWindowCentreRow);
  const auto hr1 = rowHeight(kWindowCentreRow + 1);
  if (!hr && !hr1) return HorizonStatus::NoCentreHeight;
  if (hr && hr1) centreHeight_ = roundInt(*hr + fracRow_ * (*hr1 - *hr));
  else centreHeight_ = roundInt(hr ? *hr : *hr1);
  observerAltitude_ = settings_.pedestalHeight + centreHeight_;

  fillWindowAndFarField(firstReader_, {}, true, progress, 0, 900);
  if (progress.cancel) return HorizonStatus::Cancelled;
  nearField();
  progress.perMille = 1000;
  return progress.cancel ? HorizonStatus::Cancelled : HorizonStatus::Ok;
}

HorizonStatus HorizonCalculation::addTile(std::istream& grid, HorizonProgress& progress) {
  ElevationGridReader reader;
  if (const HorizonStatus s = openGrid(reader, grid); s != HorizonStatus::Ok) return s;
  const ElevationTile& t = reader.tile();
  constexpr double eps = 1e-6;
  const double span = first_.span + eps;
  const double dTop = t.topLatitude - first_.topLatitude;
  const double dLeft = t.leftLongitude - first_.leftLongitude;
  const bool sameTop = std::fabs(dTop) < eps, sameLeft = std::fabs(dLeft) < eps;
  unsigned dir = 0;
  if (sameTop && !sameLeft && std::fabs(dLeft) <= span) dir = dLeft > 0 ? kDirEast : kDirWest;
  else if (sameLeft && !sameTop && std::fabs(dTop) <= span) dir = dTop > 0 ? kDirNorth : kDirSouth;
  else if (!sameTop && !sameLeft && std::fabs(dTop) <= span && std::fabs(dLeft) <= span)
    dir = dTop > 0 ? (dLeft > 0 ? kDirNorthEast : kDirNorthWest) : (dLeft > 0 ? kDirSouthEast : kDirSouthWest);
  if (dir == 0 || !(missing_ & dir)) return HorizonStatus::WrongArea;
  if (t.rowCount != first_.rowCount || std::fabs(t.cellSize - first_.cellSize) > 0.0001)
    return HorizonStatus::WrongKind;
  if (const HorizonStatus s = checkComplete(reader); s != HorizonStatus::Ok) return s;

  const TilePlacement at{roundInt((first_.topLatitude - t.topLatitude) / first_.cellSize),
                         roundInt((t.leftLongitude - first_.leftLongitude) / first_.cellSize)};
  ++tilesAdded_;
  fillWindowAndFarField(reader, at, false, progress, 0, 0);
  fillWindowAndFarField(reader, at, true, progress, 0, 1000);
  if (progress.cancel) return HorizonStatus::Cancelled;
  missing_ &= ~dir;
  return HorizonStatus::Ok;
}

void HorizonCalculation::finish(HorizonProgress& progress) {
  if (tilesAdded_ > 0 && !progress.cancel) nearField();
  progress.perMille = 1000;
}

HorizonFileInfo HorizonCalculation::fileInfo() const {
  return {phi_, lambda_, observerAltitude_, settings_.pedestalHeight, settings_.minObjectDistance};
}

// One pass over the rows of a tile. Without `farField` the rows of the near
// window are read into it; with it every row within reach goes through
// the far field (the cells of the near window excepted).
void HorizonCalculation::fillWindowAndFarField(ElevationGridReader& reader, const TilePlacement& at,
                                               bool farField, HorizonProgress& progress, int progressFrom,
                                               int progressTo) {
  const ElevationTile& t = reader.tile();
  const double cs = t.cellSize;
  const int half = windowCols_ / 2;
  const int windowFirstRow = centreRow_ - kWindowCentreRow;           // global
  const int windowFirstCol = centreCol_ - half + 1;                   // global
  const int windowLastCol = centreCol_ + half;
  std::string line;
  std::vector<int> values;
  values.reserve(t.rowCount + 16);
  static constexpr int kInvalid = -32768;

  auto parse = [&](int row) {
    reader.readRow(row, line);
    parseHeightRow(line, kInvalid, values);
    if (static_cast<int>(values.size()) != t.rowCount) {
      const RowCountReport report{row, static_cast<int>(values.size()), t.rowCount};
      const bool known = std::any_of(rowReports_.begin(), rowReports_.end(), [&](const RowCountReport& r) {
        return r.row == report.row && r.values == report.values;
      });
      if (!known) rowReports_.push_back(report);
    }
  };

  if (!farField) {
    for (int k = 0; k < kNearWindowRows; ++k) {
      const int row = windowFirstRow + k - at.rowOffset;
      if (row < 1 || row > reader.rowsPresent()) continue;
      parse(row);
      std::int16_t* out = &window_[static_cast<std::size_t>(k) * windowCols_];
      for (int m = 0; m < windowCols_; ++m) {
        const int j = windowFirstCol + m - at.colOffset;
        if (j < 0 || j >= static_cast<int>(values.size())) continue;
        const int h = values[j];
        if (h != kInvalid && h != t.noDataValue) out[m] = static_cast<std::int16_t>(h);
      }
    }
    return;
  }

  // Far field. Per value of the tile: the longitude terms; per row: the
  // latitude terms of the haversine and of the initial course.
  const double phiRad = phi_ * kRadPerDeg;
  const double sinPhi = std::sin(phiRad), cosPhi = std::cos(phiRad);
  struct Column {
    double sinHalfSq, sinDl, cosDl;
    bool inReach, nearMeridian;
  };
  std::vector<Column> cols(t.rowCount);
  for (int j = 0; j < t.rowCount; ++j) {
    const double dl = t.valueLongitude(j) - lambda_;
    const double s = std::sin(dl * kRadPerDeg / 2);
    cols[j] = {s * s, std::sin(dl * kRadPerDeg), std::cos(dl * kRadPerDeg), std::fabs(dl) <= dLon_, std::fabs(dl) < 0.00027};
  }
  const double R = kEarthRadiusM;
  const double observerRadius = R + observerAltitude_;
  const double minDist = settings_.minObjectDistance;
  const double hMin = std::sin(minDist / R / 2), hMax = std::sin(maxDistanceM_ / R / 2);
  const double havMin = hMin * hMin * (1 - 1e-9), havMax = hMax * hMax * (1 + 1e-9);

  int firstRow = static_cast<int>(std::ceil((t.topLatitude - phi_ - dLat_) / cs)) - 1;
  int lastRow = static_cast<int>(std::floor((t.topLatitude - phi_ + dLat_) / cs)) + 1;
  firstRow = std::max(firstRow, 1);
  lastRow = std::min(lastRow, reader.rowsPresent());
  const int rowsInReach = std::max(lastRow - firstRow + 1, 1);
  for (int row = firstRow; row <= lastRow; ++row) {
    if (progress.cancel) return;
    progress.perMille = progressFrom + (progressTo - progressFrom) * (row - firstRow) / rowsInReach;
    const double phiP = t.rowLatitude(row);
    if (!(std::fabs(phiP - phi_) < dLat_)) continue;
    parse(row);
    const int globalRow = row + at.rowOffset;
    const bool inWindowRows = globalRow >= windowFirstRow && globalRow < windowFirstRow + kNearWindowRows;
    const double phiPRad = phiP * kRadPerDeg;
    const double sinPhiP = std::sin(phiPRad), cosPhiP = std::cos(phiPRad);
    const double sHalf = std::sin((phiPRad - phiRad) / 2);
    const double havLat = sHalf * sHalf;
    const double cosCos = cosPhi * cosPhiP;
    const double meridianDistance = std::fabs(phiPRad - phiRad) * R;
    const int n = std::min(static_cast<int>(values.size()), t.rowCount);
    for (int j = 0; j < n; ++j) {
      const int h = values[j];
      // Only points higher than the observer can rise above the horizontal.
      if (h <= observerAltitude_ || h == kInvalid || h == t.noDataValue) continue;
      const Column& col = cols[j];
      if (!col.inReach) continue;
      if (inWindowRows) {
        const int globalCol = j + at.colOffset;
        if (globalCol >= windowFirstCol && globalCol <= windowLastCol) continue;
      }
      const double hav = havLat + cosCos * col.sinHalfSq;
      if (hav < havMin || hav > havMax) continue;
      const double gamma = 2 * std::asin(std::sqrt(std::min(hav, 1.0)));
      double s = gamma * R;
      if (col.nearMeridian && std::fabs(meridianDistance - s) > 0.1) s = meridianDistance;
      if (s < minDist || s > maxDistanceM_ || !(s > minDist)) continue;
      // Initial great-circle course from north through east.
      double bearing = std::atan2(col.sinDl * cosPhiP, cosPhi * sinPhiP - sinPhi * cosPhiP * col.cosDl) * kDegPerRad;
      if (bearing < 0) bearing += 360;
      const int bin = static_cast<int>(roundHalfEven(2 * bearing)) % kHorizonPoints;
      // Line of sight in the observer's vertical plane: horizontal and
      // vertical components of the point seen from the observer, both at
      // their distance from the Earth's centre.
      const double pointRadius = R + h;
      const double horizontal = pointRadius * std::sin(gamma);
      const double vertical = pointRadius * std::cos(gamma) - observerRadius;
      const double e = std::atan2(vertical, horizontal) * kDegPerRad;
      if (e > profile_[bin].elevation) updateBin(bin, e, s, h);
    }
  }
  progress.perMille = progressTo;
}

// Rays of every half-degree bin intersected with the column lines and the
// row lines of the near window, on the local tangent plane.
void HorizonCalculation::nearField() {
  const int rows = kNearWindowRows, cols = windowCols_;
  const int half = cols / 2;
  const int kc = kWindowCentreRow, mc = half - 1;
  const double R = kEarthRadiusM;
  const double cosPhi = std::cos(phi_ * kRadPerDeg);
  std::vector<double> x(cols), y(rows);
  for (int m = 0; m < cols; ++m)
    x[m] = cosPhi * (first_.valueLongitude(centreCol_ - half + 1 + m) - lambda_) * kRadPerDeg * R;
  for (int k = 0; k < rows; ++k) y[k] = (first_.rowLatitude(centreRow_ - kc + k) - phi_) * kRadPerDeg * R;
  auto cell = [&](int k, int m) -> int { return window_[static_cast<std::size_t>(k) * cols + m]; };
  const double minDist = settings_.minObjectDistance;
  const double h0 = observerAltitude_;

  // The elevation angle of a point at planar distance d and height h,
  // with the Earth's curvature as in the far field (taking d as the arc):
  // a point 20 km away lies 31 m below the tangent plane, 0.09 degrees.
  const double observerRadius = R + h0;
  auto elevationOf = [&](double d, double h) {
    const double g = d / R;
    return std::atan2((R + h) * std::cos(g) - observerRadius, (R + h) * std::sin(g));
  };
  auto consider = [&](int bin, double px, double py, double h) {
    const double d = std::hypot(px, py);
    if (d < minDist) return;
    const double e = elevationOf(d, h) * kDegPerRad;
    if (e > profile_[bin].elevation) updateBin(bin, e, d, h);
  };

  // One grid line: nodes 0 .. count-1 at (px(i), py(i)) with heights hv(i)
  // (kNoData where missing). `alongColumn`: x fixed, rays cut y; else y
  // fixed, rays cut x.
  auto line = [&](int count, auto px, auto py, auto hv, bool alongColumn) {
    // Bearings continuous along the line: a column east or west of the
    // centre never crosses north or south, a row north of the centre
    // never crosses south; a row south of it is counted 0 .. 360.
    const bool wrapTo360 = !alongColumn && py(0) < 0;
    auto bearing = [&](int i) {
      double b = bearingOf(px(i), py(i));
      if (wrapTo360 && b < 0) b += 360;
      return b;
    };
    auto valid = [&](int i) { return i >= 0 && i < count && hv(i) != kNoData; };
    for (int i = 0; i + 1 < count; ++i) {
      if (!valid(i) || !valid(i + 1)) continue;
      const double b0 = bearing(i), b1 = bearing(i + 1);
      const double lo = std::min(b0, b1), hi = std::max(b0, b1);
      const double hA = hv(i), hB = hv(i + 1);
      const bool cubic = valid(i - 1) && valid(i + 2);
      const double dm1 = cubic ? hv(i - 1) - hA : 0, dp1 = hB - hA, dp2 = cubic ? hv(i + 2) - hA : 0;
      auto heightAt = [&](double t, bool linear) {
        if (linear || !cubic) return hA + t * dp1;
        return hA + t * (6 * dp1 - dp2 - 2 * dm1) / 6 + t * t * (dm1 + dp1) / 2 +
               t * t * t * (dp2 - dm1 - 3 * dp1) / 6;
      };
      auto cut = [&](int j, bool linear) {
        const int bin = ((j % kHorizonPoints) + kHorizonPoints) % kHorizonPoints;
        const double theta = j * 0.5 * kRadPerDeg;
        if (alongColumn) {
          if (bin == 0 || bin == 360) return;  // parallel to the column
          const double cx = px(i);
          const double cy = cx / std::tan(theta);
          const double t = std::clamp((cy - py(i)) / (py(i + 1) - py(i)), 0.0, 1.0);
          consider(bin, cx, py(i) + t * (py(i + 1) - py(i)), heightAt(t, linear));
        } else {
          if (bin == 180 || bin == 540) return;  // parallel to the row
          if (bin == 0 || bin == 360) {
            // Due north or south: the node that is seen higher.
            const double eA = elevationOf(std::hypot(px(i), py(i)), hA);
            const double eB = elevationOf(std::hypot(px(i + 1), py(i + 1)), hB);
            const int node = eA >= eB ? i : i + 1;
            consider(bin, px(node), py(node), hv(node));
            return;
          }
          const double cy = py(i);
          const double cx = cy * std::tan(theta);
          const double t = std::clamp((cx - px(i)) / (px(i + 1) - px(i)), 0.0, 1.0);
          consider(bin, px(i) + t * (px(i + 1) - px(i)), cy, heightAt(t, linear));
        }
      };
      if (hi - lo < 0.5) {
        cut(static_cast<int>(roundHalfEven(lo + hi)), true);
        continue;
      }
      for (int j = static_cast<int>(std::ceil(2 * lo)); j <= static_cast<int>(std::floor(2 * hi)); ++j)
        cut(j, false);
    }
  };

  // Column lines: rows within o of the centre row (one more at each end),
  // all rows beyond 250.
  for (int m = 0; m < cols; ++m) {
    const int o = std::abs(m - mc);
    if (o <= nearColsExcluded_) continue;
    const int k0 = o > 250 ? 0 : std::max(0, kc - o - 1);
    const int k1 = o > 250 ? rows - 1 : std::min(rows - 1, kc + o + 1);
    line(k1 - k0 + 1, [&](int) { return x[m]; }, [&](int i) { return y[k0 + i]; },
         [&](int i) { return cell(k0 + i, m); }, true);
  }
  // Row lines: columns within o of the centre column, likewise.
  for (int k = 0; k < rows; ++k) {
    const int o = std::abs(k - kc);
    if (o <= nearRowsExcluded_) continue;
    const int m0 = o > 250 ? 0 : std::max(0, mc - o - 1);
    const int m1 = o > 250 ? cols - 1 : std::min(cols - 1, mc + o + 1);
    line(m1 - m0 + 1, [&](int i) { return x[m0 + i]; }, [&](int) { return y[k]; },
         [&](int i) { return cell(k, m0 + i); }, false);
  }
}

}  // namespace tavrel
