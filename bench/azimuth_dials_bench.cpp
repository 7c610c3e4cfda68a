// One full construction of the Peaucellier azimuthal dial and of
// Hollander's mean-time dial at 1600 x 1000 pixels on the recording
// canvas, every option on (15-minute lines; Hollander: hours 0 .. 24 and
// three calendar date lines a month, horizontal and vertical plate).
#include <benchmark/benchmark.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/hollander/hollander_dial.h"
#include "dials/peaucellier/peaucellier_dial.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

void BM_PeaucellierDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  DesignState& d = design();
  d.dialKind = 'p';
  d.otherHourInterval = '3';
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawPeaucellierDial(surface, peaucellierInputOf(design()), true, 1600, 1000, -1, -1);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_PeaucellierDial)->Unit(benchmark::kMillisecond);

// 0 horizontal plate, 1 vertical wall declining 20 degrees west.
void BM_HollanderDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  DesignState& d = design();
  d.dialKind = 'm';
  d.hollanderVariant = static_cast<std::uint8_t>(state.range(0));
  d.wallDeclination = 20;
  d.otherHoursFrom = 0;
  d.otherHoursTo = 24;
  d.otherHourInterval = '3';
  d.dateLineMode = '2';
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawHollanderDial(surface, hollanderInputOf(design()), true, 1600, 1000, 1, 800, 800, -1, -1, true);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_HollanderDial)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {

// The Hollander geometry alone (no canvas): date pairs, hour points,
// date lines.
void BM_HollanderGeometry(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  tavrel::HollanderInput in = tavrel::hollanderInputOf(tavrel::design());
  in.variant = static_cast<int>(state.range(0));
  in.wallDeclination = 20;
  in.hoursFrom = 0;
  in.hoursTo = 24;
  in.subdivisions = 4;
  in.dateLineMode = 2;
  in.limitMm = 2 * 1600 / (1600 / 280.0);
  std::size_t points = 0;
  for (auto _ : state) {
    const tavrel::HollanderDial dial = tavrel::computeHollanderDial(in);
    points = 0;
    for (const auto& l : dial.lines) points += l.points.size();
    benchmark::DoNotOptimize(dial.lines.data());
  }
  state.counters["points"] = static_cast<double>(points);
}
BENCHMARK(BM_HollanderGeometry)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
