// One full construction of the default planar dial (vertical declining,
// start-up values) with every line family switched on, on the recording
// canvas at 1600 x 1000 pixels, and the same without the canvas (the
// geometry alone).
#include <benchmark/benchmark.h>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/planar/planar_dial.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

void everyFamily() {
  DesignState& d = design();
  d.localTimeNoEot = d.withEot = d.markAnalemma = true;
  d.temporalHourLines = d.babylonianHours = d.italianHours = true;
  d.sunAltitudeLines = d.integerSunshineLines = true;
  d.linesToStyleFoot = true;
  d.dateLineMode = '0';
}

PlanarDialView defaultView() {
  PlanarDialView view;
  view.footX = 800;
  view.footY = 50;  // the drawing window's default for 'v' on 1600 x 1000
  view.textX = 600;
  view.textY = 850;
  return view;
}

void BM_PlanarDialDefaultEveryFamily(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyFamily();
  const HourLineAngleTable table = computeHourLineAngles(design());
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    PlanarDialView view = defaultView();
    view.angles = &table;
    drawPlanarDial(surface, design(), true, 1600, 1000, view);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_PlanarDialDefaultEveryFamily)->Unit(benchmark::kMillisecond);

// The same construction redrawn with the sun kept from the drawing before
// (what the drawing window does on a zoom step).
void BM_PlanarDialRedrawWithKeptSun(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyFamily();
  const HourLineAngleTable table = computeHourLineAngles(design());
  PlanarSunCache cache;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    PlanarDialView view = defaultView();
    view.angles = &table;
    view.sunCache = &cache;
    drawPlanarDial(surface, design(), true, 1600, 1000, view);
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
}
BENCHMARK(BM_PlanarDialRedrawWithKeptSun)->Unit(benchmark::kMillisecond);

void BM_PlanarLinesDefaultEveryFamily(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyFamily();
  const HourLineAngleTable table = computeHourLineAngles(design());
  for (auto _ : state) {
    PlanarDialView view = defaultView();
    view.angles = &table;
    const PlanarLines lines = planarDialLines(design(), true, 1600, 1000, view);
    benchmark::DoNotOptimize(lines.lines.data());
  }
}
BENCHMARK(BM_PlanarLinesDefaultEveryFamily)->Unit(benchmark::kMillisecond);

}  // namespace
