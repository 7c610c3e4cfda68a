// libFuzzer target: the reader of profile files (".ele") on arbitrary
// bytes.
//
// Checked beyond "no crash, no hang, no sanitizer report": a refused file
// changes nothing; an accepted one gives 720 points in index order with
// finite numbers, and the profile written from them reads back to the
// same place and points (to the file's decimals).
#include <cmath>
#include <cstdint>
#include <string>

#include "base/text_encoding.h"
#include "tables/horizon_profile.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using tavrel::fuzz::check;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace tavrel;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = splitLines(decodeFileText(bytes));

  HorizonProfile profile = emptyHorizonProfile();
  std::string note = "unchanged";
  const auto place = parseHorizonProfile(lines, profile, note);
  if (!place) {
    check(note == "unchanged");
    return 0;
  }
  check(std::isfinite(place->latitude) && std::isfinite(place->longitude));
  for (const HorizonPoint& p : profile)
    check(std::isfinite(p.azimuth) && std::isfinite(p.elevation) && std::isfinite(p.distance));

  // Written and read again.
  const HorizonFileInfo info{place->latitude, -place->longitude, 0, 0, 180};
  HorizonProfile again = emptyHorizonProfile();
  std::string noteAgain;
  const auto placeAgain = parseHorizonProfile(horizonProfileLines(profile, info), again, noteAgain);
  check(placeAgain.has_value());
  check(std::fabs(placeAgain->latitude - place->latitude) <= 1e-9 * std::max(1.0, std::fabs(place->latitude)));
  return 0;
}
