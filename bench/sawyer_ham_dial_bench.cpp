// One full construction of the Sawyer dial (every time mode, half-hour
// rays, three date lines per sign) and of the ham dial nomogram at 1600 x
// 1000 pixels on the recording canvas.
// Measured on the 2-core build machine (3 repetitions, median CPU time):
// Sawyer dial with a new canvas each time 4.5 .. 5.0 ms, with one kept
// canvas 1.9 .. 2.2 ms, in all four time modes (11 000 .. 12 400
// primitives: the date lines are sampled every 0.1 degree of hour angle,
// 34 000 points, and the screen draws only the steps that leave the pixel
// or turn); the geometry alone 1.4 ms; ham dial 0.012 ms. With a new
// canvas most of the time is the kernel handing the recording vector's
// pages back and in again (glibc trims the heap each time the canvas is
// freed); the figure depends on what the process allocated before.
#include <benchmark/benchmark.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/ham/ham_dial.h"
#include "dials/sawyer/sawyer_dial.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

// The design of the benches: latitude 48, time mode `mode`, half-hour
// rays, three date lines per sign.
DesignState& sawyerDesign(int mode) {
  startProgram();
  DesignState& d = design();
  d.latitude = 48;
  d.sawyerTimeMode = static_cast<std::uint8_t>(mode);
  d.zoneTime = mode == 1;
  d.sawyerMeanHalfAnalemma = mode == 2;
  d.sawyerMeanStraight = mode == 3;
  d.otherHourInterval = '1';
  d.dateLineMode = '2';
  return d;
}

// range(0): time mode; range(1): 1 keeps one canvas for all iterations
// (cleared, its storage kept), 0 a new canvas each time.
void BM_SawyerDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  const DesignState& d = sawyerDesign(static_cast<int>(state.range(0)));
  const bool kept = state.range(1) == 1;
  std::size_t primitives = 0;
  RecordingCanvas keptCanvas;
  for (auto _ : state) {
    RecordingCanvas fresh;
    RecordingCanvas& canvas = kept ? keptCanvas : fresh;
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawSawyerDial(surface, d, 1600, 1000, true, d.gnomonLength, 1, 800, 200, true, 600, 0);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_SawyerDial)->ArgsProduct({{0, 1, 2, 3}, {0, 1}})->Unit(benchmark::kMillisecond);

// The geometry alone (no canvas), mode 0.
void BM_SawyerGeometry(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  const DesignState& d = sawyerDesign(0);
  const SawyerDialInput in = sawyerInputFromDesign(d, 1600 * d.gnomonLength / 305,
                                                   1600 * d.sawyerCentre / 305, 16, 16, 10000);
  std::size_t points = 0;
  for (auto _ : state) {
    const SawyerDial dial = computeSawyerDial(in);
    points = 0;
    for (const SawyerLine& l : dial.lines)
      for (const auto& run : l.runs) points += run.size();
    benchmark::DoNotOptimize(points);
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_SawyerGeometry)->Unit(benchmark::kMillisecond);

void BM_HamDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  HamHourPoints points;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawHamDial(surface, 1600, 1000, points, {47.25, 40, design().hamStretch, design().hamEquinoxPosition}, true);
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
}
BENCHMARK(BM_HamDial)->Unit(benchmark::kMillisecond);

}  // namespace
