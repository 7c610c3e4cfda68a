// The computation of a horizon profile from elevation tiles.
//
// Given the centre (latitude north positive, longitude EAST positive,
// degrees) and the settings, every terrain point within reach that rises
// above the observer's horizontal plane updates the half-degree bin of its
// bearing with its elevation angle, distance and height:
//
// - far field: one pass over the rows of each tile within the reach
//   (maxObjectDistance); spherical Earth of radius 6 372 800 m, central
//   angle by the haversine formula, bearing by the great-circle initial
//   course (Meeus, Astronomical Algorithms, 2nd ed., ch. 17 for the
//   angular distance; Snyder, Map Projections - A Working Manual, eq. 5-4b
//   for the azimuth), elevation angle from the vertical and horizontal
//   components of the line of sight between the two points at their radii
//   (signed: a point higher than the observer but below the observer's
//   horizontal plane because of the Earth's curvature has a negative angle
//   and never counts);
// - near field: the 500 rows around the centre, held as numbers, on a local
//   plane; every half-degree ray is intersected with the grid's column and
//   row lines and the height interpolated along the line (cubic through
//   four nodes where they are valid, else linear); the elevation angle of
//   an intersection takes the Earth's curvature into account as in the far
//   field (the window reaches 23 km, 33 km in its corners, at 3").
//
// The work is split so that a window can show its boxes between the steps
// and run the long ones off its own thread: `open` (header and coverage),
// `run` (centre height, near window, far field, near field), `addTile`
// for each neighbouring tile, `finish` (near field again when tiles were
// added). The long steps report progress in per mille and stop early when
// asked; none of them shows a box.
#pragma once

#include <atomic>
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "tables/elevation_grid.h"
#include "tables/horizon_profile.h"

namespace tavrel {

inline constexpr double kEarthRadiusM = 6372800.0;
inline constexpr double kKmPerDegreeLatitude = 111.11;
inline constexpr int kNearWindowRows = 500;

// The settings of the calculation panel (kept while the program runs).
struct HorizonSettings {
  int pedestalHeight = 0;       // 0 .. 300 m above the ground
  int minObjectDistance = 180;  // 100 .. 500 m, raised to at least 180
  int maxObjectDistance = 60;   // 0 .. 300 km
};
HorizonSettings& horizonSettings();

// The minimum distance as stored from an entered value (at least 180).
int storedMinObjectDistance(int entered);

// Directions in which the search area leaves the first tile.
inline constexpr unsigned kDirNorth = 1u << 0;
inline constexpr unsigned kDirSouth = 1u << 1;
inline constexpr unsigned kDirWest = 1u << 2;
inline constexpr unsigned kDirEast = 1u << 3;
inline constexpr unsigned kDirNorthEast = 1u << 4;
inline constexpr unsigned kDirNorthWest = 1u << 5;
inline constexpr unsigned kDirSouthEast = 1u << 6;
inline constexpr unsigned kDirSouthWest = 1u << 7;

enum class HorizonStatus {
  Ok,
  NotAGrid,        // the file is not an elevation grid (gridFault().headerLine)
  MissingRows,     // the grid has fewer data rows than its header announces
  CentreOutside,   // the centre is not in the first tile
  NoCentreHeight,  // no height at the centre
  WrongArea,       // an added tile is no missing neighbour
  WrongKind,       // an added tile has another row count or cell size
  Cancelled,
};

// Shared with a window while a long step runs on another thread.
struct HorizonProgress {
  std::atomic<int> perMille{0};
  std::atomic<bool> cancel{false};
};

// What was wrong with the last grid refused as NotAGrid or MissingRows.
struct GridFault {
  int headerLine = 0;   // first faulty header line (1 .. 6)
  int rowsPresent = 0;  // data rows in the file
  int rowsExpected = 0; // data rows the header announces
};

// A data row with another number of values than the tile's row count.
struct RowCountReport {
  int row = 0;
  int values = 0;
  int expected = 0;
};

class HorizonCalculation {
 public:
  HorizonCalculation(double latitude, double longitudeEast, const HorizonSettings& settings);

  // Reads the first tile's header and checks the coverage.
  HorizonStatus open(std::istream& grid);
  // Centre height, observer altitude, near window, far field and near
  // field of the first tile (the stream given to open).
  HorizonStatus run(HorizonProgress& progress);
  // A neighbouring tile: its direction must be missing and its kind that
  // of the first tile; its rows go through the far field and fill its part
  // of the near window.
  HorizonStatus addTile(std::istream& grid, HorizonProgress& progress);
  // The near field again over the completed window (after added tiles).
  void finish(HorizonProgress& progress);

  const HorizonProfile& profile() const { return profile_; }
  const ElevationTile& tile() const { return first_; }
  unsigned missing() const { return missing_; }
  int centreHeight() const { return centreHeight_; }
  int observerAltitude() const { return observerAltitude_; }
  double latitude() const { return phi_; }
  double longitudeEast() const { return lambda_; }
  const HorizonSettings& settings() const { return settings_; }
  const std::vector<RowCountReport>& rowCountReports() const { return rowReports_; }
  const GridFault& gridFault() const { return fault_; }
  int tilesAdded() const { return tilesAdded_; }
  // The near window (row-major, kNearWindowRows x nearColumns()); cells
  // without data hold -9999.
  int nearColumns() const { return windowCols_; }
  const std::vector<std::int16_t>& nearWindow() const { return window_; }

  // The profile file's information for the result.
  HorizonFileInfo fileInfo() const;

 private:
  struct TilePlacement {
    int rowOffset = 0;  // global row = data row + rowOffset
    int colOffset = 0;  // global column = value index + colOffset
  };
  void fillWindowAndFarField(ElevationGridReader& reader, const TilePlacement& at, bool farField,
                             HorizonProgress& progress, int progressFrom, int progressTo);
  void nearField();
  void updateBin(int bin, double elevation, double distance, double height);
  // Opens a grid: NotAGrid with fault_ set, else Ok.
  HorizonStatus openGrid(ElevationGridReader& reader, std::istream& grid);
  // MissingRows with fault_ set when rows the header announces are absent.
  HorizonStatus checkComplete(const ElevationGridReader& reader);

  double phi_, lambda_;
  HorizonSettings settings_;
  double maxDistanceM_ = 0;
  double dLat_ = 0, dLon_ = 0;
  int nearRowsExcluded_ = 2, nearColsExcluded_ = 2;
  ElevationGridReader firstReader_;
  ElevationTile first_;
  unsigned missing_ = 0;
  int centreRow_ = 0, centreCol_ = 0;   // global data row r, value index c
  double fracRow_ = 0, fracCol_ = 0;
  int windowCols_ = 0;
  std::vector<std::int16_t> window_;
  int centreHeight_ = 0;
  int observerAltitude_ = 0;
  HorizonProfile profile_ = emptyHorizonProfile();
  std::vector<RowCountReport> rowReports_;
  GridFault fault_;
  int tilesAdded_ = 0;
};

}  // namespace tavrel
