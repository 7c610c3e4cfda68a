// One full construction of the bi-azimuthal dial at 1600 x 1000 pixels on
// the recording canvas with every option on (analemmas with marks, quarter
// hours, three date lines a month), with and without the world map; and
// the world map over a horizontal dial alone.
#include <benchmark/benchmark.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/biazimuthal/biazimuthal_dial.h"
#include "dials/world_map/world_map.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

void BM_BiAzimuthalDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  DesignState& d = design();
  d.dialKind = 'c';
  d.latitude2 = 40.42;
  d.longitude2 = 3.70;
  d.drawingScale = 40;
  d.constructionWithEot = true;
  d.eotLinesFrom = 9;
  d.eotLinesTo = 17;
  d.markAnalemma = true;
  d.analemmaMarkDays = 4;
  d.otherHoursFrom = 6;
  d.otherHoursTo = 20;
  d.otherHourInterval = '3';
  d.dateLineMode = '2';
  d.mapOverlay = state.range(0) != 0;
  std::size_t primitives = 0;
  // The recording canvas keeps its list from one drawing to the next: a
  // fresh list of 40,000 primitives (8 MB) would be mostly the kernel
  // handing out new pages, and the program's own canvases record nothing.
  RecordingCanvas canvas;
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    DialScreenRequest r{surface, true, 1600, 1000, 800, 330, 1050, 40, true, true, true, 1.0, nullptr};
    drawBiAzimuthalDial(r, design());
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
// 0 without, 1 with the world map.
BENCHMARK(BM_BiAzimuthalDial)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

void BM_WorldMapOverHorizontalDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  design().dialKind = 'h';
  RecordingCanvas canvas;  // kept, as above
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawWorldMap(surface, design(), true, 35, 800, 700);
    drawWorldMap(surface, design(), false, 35, 800, 700);
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
}
BENCHMARK(BM_WorldMapOverHorizontalDial)->Unit(benchmark::kMillisecond);

}  // namespace
