// libFuzzer harness: a construction-data file ("*.tav") read on arbitrary
// bytes, then the dial it describes constructed as the drawing window
// shows it, and optionally saved as a plot file.
//
// Input: one byte of options, then the file.
//   bits 0..3  answers to the first four Yes/No questions of the reader
//              (1 = Yes; later questions are answered No)
//   bit 4      the plot is saved as well (HPGL)
//   bits 5..6  the picture: 1600 x 1000, 800 x 500, 1000 x 1000, 240 x 150
//   bit 7      the program is in English before reading
//
// Checked beyond "no crash, no hang, no sanitizer report": every point of
// the picture is a finite number; the plot files that were saved (the plot,
// and the cone file of the Hollander dial) hold no control characters but
// line ends and the label terminator, and nothing else remains beside the
// data file (but the backup of a damaged data file the program rewrote).
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <string>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/scripted_platform.h"
#include "core/settings_file.h"
#include "core/settings_location.h"
#include "dials/dial_family.h"
#include "dials/hollander/hollander_dial.h"
#include "drawing/drawing_controller.h"
#include "drawing/save_route.h"
#include "plot/recording_canvas.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace tavrel;

constexpr int kPictures[4][2] = {{1600, 1000}, {800, 500}, {1000, 1000}, {240, 150}};

void checkPicture(const RecordingCanvas& picture) {
  for (const Primitive& p : picture.primitives)
    for (double v : p.p) fuzz::check(std::isfinite(v), "a picture coordinate is not finite");
}

// The plot and, for the Hollander dial, its cone file hold no control
// characters but the line ends and the label terminator; nothing else is
// left beside the data file.
void checkPlot(const fuzz::FuzzFolder& folder, const std::string& data, const std::string& plot) {
  const std::string cone = hollanderConeFileName(plot);
  for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
    const std::string name = entry.path().string();
    if (name == data) continue;
    // A damaged data file the structure check rewrote is kept as its backup.
    if (name == settingsBackupPath(data)) continue;
    fuzz::check(name == plot || name == cone, "a stray file remains beside the plot");
    const auto bytes = fuzz::readBytes(name);
    fuzz::check(bytes.has_value(), "a plot file cannot be read");
    for (const char c : *bytes) {
      const auto u = static_cast<unsigned char>(c);
      fuzz::check(u >= 0x20 ? u != 0x7F : u == '\r' || u == '\n' || u == 3 || u == '\t',
                  "a control character in a plot file");
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::StartedProgram setup;
  if (size == 0) return 0;
  const std::uint8_t options = data[0];

  setup.folder.clear();
  design() = setup.started;
  if (options & 0x80) selectLanguage(false);
  setup.platform.boxes.clear();
  setup.platform.answers.clear();
  for (int bit = 0; bit < 4; ++bit)
    setup.platform.answers.push_back((options >> bit) & 1 ? MsgAnswer::Yes : MsgAnswer::No);

  const std::string path = setup.folder.file("data.tav");
  fuzz::writeBytes(path, data + 1, size - 1);
  if (!readSettingsFile(path, prepareObliquity).fileRead()) return 0;
  setup.platform.answers.clear();

  const int* picture = kPictures[(options >> 5) & 3];
  RecordingCanvas canvas;
  DrawingController controller(canvas);
  controller.showDrawing(picture[0], picture[1]);
  checkPicture(canvas);

  if (options & 0x10) {
    if (!dialPlottable(design())) return 0;
    SavePanel panel;
    if (!openSavePanel(controller.state(), panel, PlotTarget::Hpgl)) return 0;
    const std::string plot = setup.folder.file("out.plt");
    controller.state().plotFileName = plot;
    SaveChoices choices;
    choices.askFileName = false;
    choices.grid = PlotGrid::Off;
    savePlot(controller, panel, {}, choices);
    checkPlot(setup.folder, path, plot);
  }
  return 0;
}
