// libFuzzer target: the elevation-grid reader and the horizon computation
// on arbitrary bytes.
//
// Input: one byte of options, then the grid file.
//   bits 0..5  maximum object distance in km (0 .. 63)
//   bit 6      centre at the tile's south-west corner (else its middle)
//   bit 7      the file is also offered as an eastern neighbour
//
// Checked beyond "no crash, no hang, no sanitizer report": a file that is
// refused leaves the profile empty, and every bin of a computed profile
// holds a finite elevation in [0, 90], a distance within the reach and its
// own azimuth.
#include <cmath>
#include <cstdint>
#include <sstream>
#include <string>

#include "base/angles.h"
#include "tables/horizon_calculation.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tavrel::fuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrel;
  if (size == 0) return 0;
  const std::uint8_t options = data[0];
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

  std::istringstream probe(text);
  ElevationGridReader reader;
  if (!reader.open(probe)) return 0;
  const ElevationTile& t = reader.tile();
  check(t.rowCount >= 2 && t.span >= 1 && reader.rowsPresent() <= t.dataRows());
  std::string row;
  std::vector<int> values;
  for (int i = 1; i <= reader.rowsPresent(); ++i) {
    check(reader.readRow(i, row));
    parseHeightRow(row, -32768, values);
  }

  HorizonSettings s;
  s.maxObjectDistance = options & 63;
  const double lat = (options & 64) ? t.topLatitude - t.span : t.topLatitude - t.span / 2.0;
  const double lon = (options & 64) ? t.leftLongitude : t.leftLongitude + t.span / 2.0;
  HorizonCalculation calc(lat, lon, s);
  std::istringstream in(text);
  HorizonProgress progress;
  HorizonStatus status = calc.open(in);
  if (status == HorizonStatus::Ok) status = calc.run(progress);
  if (status == HorizonStatus::Ok && (options & 128)) {
    std::string shifted = text;
    std::istringstream neighbour(shifted);
    calc.addTile(neighbour, progress);
    calc.finish(progress);
  }
  // The far field reaches maxObjectDistance, the near window at most
  // 250 rows by 4000 columns.
  const double reach = std::max(1000.0 * s.maxObjectDistance, radians(4100.0 * t.cellSize) * kEarthRadiusM);
  for (int k = 0; k < kHorizonPoints; ++k) {
    const HorizonPoint& p = calc.profile()[k];
    check(p.azimuth == k * 0.5 - 180);
    check(std::isfinite(p.elevation) && p.elevation >= 0 && p.elevation <= 90);
    check(std::isfinite(p.distance) && p.distance >= 0 && p.distance <= reach);
    if (status != HorizonStatus::Ok && status != HorizonStatus::Cancelled) check(p.elevation == 0);
  }
  return 0;
}
