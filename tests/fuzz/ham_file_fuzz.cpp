// libFuzzer harness: the loader of the ham dial's construction-data files
// ("*.ham": the settings text with the section of the marked hour points)
// on arbitrary bytes.
//
// Input: one byte of options, then the file.
//   bit 0  the program is in English (else German)
//
// Checked beyond "no crash, no hang, no sanitizer report": a refused file
// shows one error box that names the file and changes neither the marked
// points, nor the settings text list, nor the dial's latitude and size; an
// accepted file shows one information box, leaves at most eight finite
// points, and what the program's own writer saves of it loads again onto
// the same points (to the file's three decimals of a millimetre).
#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "dials/ham/ham_dial.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace tavrel;

constexpr int kWidth = 1600, kHeight = 1000;

bool beginsWith(const std::string& line, const std::string& head) { return line.rfind(head, 0) == 0; }

HamHourPoints markedPoints() {
  HamHourPoints p;
  p.records[0] = {800, 500};
  p.records[1] = {700, 450};
  p.records[2] = {900, 560};
  p.scale = 10;
  p.showHourPoints = true;
  return p;
}

bool samePoints(const HamHourPoints& a, const HamHourPoints& b, double tolerancePx) {
  for (std::size_t r = 0; r < a.records.size(); ++r)
    if (std::fabs(a.records[r].x - b.records[r].x) > tolerancePx ||
        std::fabs(a.records[r].y - b.records[r].y) > tolerancePx)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::StartedProgram setup;
  if (size == 0) return 0;
  selectLanguage((data[0] & 1) == 0);
  const std::string path = setup.folder.file("schink.ham");
  fuzz::writeBytes(path, data + 1, size - 1);

  DesignState& d = design();
  d.latitude = 47.25;
  d.hamDiameter = 30;
  const std::vector<std::string> before = {"kept"};
  hamSettingsText() = before;
  HamHourPoints points = markedPoints();
  setup.platform.boxes.clear();
  const std::optional<HamDialValues> loaded = loadHamSettingsFile(path, points, kWidth, kHeight);
  if (!loaded) {
    fuzz::check(hamSettingsText() == before, "a refused file changed the list");
    fuzz::check(samePoints(points, markedPoints(), 0), "a refused file changed the points");
    fuzz::check(d.latitude == 47.25 && d.hamDiameter == 30, "a refused file changed the dial");
    fuzz::check(setup.platform.boxes.size() == 1, "a refused file shows one box");
    fuzz::check(setup.platform.boxes[0].caption == MsgCaption::Error, "a refused file shows an error");
    fuzz::check(beginsWith(setup.platform.boxes[0].text, path), "the error names the file");
    return 0;
  }
  fuzz::check(setup.platform.boxes.size() == 1 && setup.platform.boxes[0].caption == MsgCaption::Information,
              "a loaded file shows one information box");
  fuzz::check(points.scale > 0 && std::isfinite(points.scale), "no scale after loading");
  for (std::size_t r = 0; r < points.records.size(); ++r) {
    fuzz::check(std::isfinite(points.records[r].x) && std::isfinite(points.records[r].y), "a point is not finite");
    if (r > 8) fuzz::check(points.records[r].x == 0, "more than eight hour points");
  }

  // Saved by the program's writer and loaded again.
  const HamHourPoints firstLoad = points;
  const std::string again = setup.folder.file("again.ham");
  fuzz::check(saveHamSettingsFile(again, firstLoad, *loaded, kWidth, kHeight), "the loaded points could not be saved");
  HamHourPoints reloaded = markedPoints();
  fuzz::check(loadHamSettingsFile(again, reloaded, kWidth, kHeight).has_value(), "the saved file was refused");
  fuzz::check(samePoints(reloaded, firstLoad, 0.001 * firstLoad.scale + 1e-6), "the saved points read back moved");
  return 0;
}
