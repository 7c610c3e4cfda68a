// One full construction of the ring dial at 1600 x 1000 pixels on the
// recording canvas, every option on (both deflection modes, quarter
// hours, Babylonian and Italian hours), and the offset-correction chart.
// Measured on the 2-core build machine (loaded, the former code beside it
// in the same minutes): BM_RingDial median 7.1 .. 8.4 ms CPU (before 9.4 ..
// 12.5; goal 5 ms), of it the lines alone (BM_RingDialGeometry) 2.3 ..
// 2.6 ms; the rest is the recording canvas (21.5k primitives of 200 bytes,
// its vector grown and its fresh pages faulted in every time).
// BM_RingCorrectionChart 4.1 .. 4.6 ms CPU (before 17 .. 18).
#include <benchmark/benchmark.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/ring/ring_dial.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

void everyOption() {
  DesignState& d = design();
  d.dialKind = 'r';
  d.latitude = 47.25;
  d.ringRayDeflection = 2;
  d.noonLineHorizontal = true;
  d.babylonianHours = d.italianHours = true;
  d.hourLinesFrom = 4;
  d.hourLinesTo = 20;
  d.otherHourInterval = '3';
  d.babylonianInterval = d.italianInterval = 3;
}

void BM_RingDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyOption();
  const DesignState& d = design();
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawRingDial(surface, RingDialInput::of(d), 1600, 1000, true);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
BENCHMARK(BM_RingDial)->Unit(benchmark::kMillisecond);

// The lines alone (computeRingDial), without the recording canvas: the
// share of BM_RingDial that the ring's own geometry takes.
void BM_RingDialGeometry(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyOption();
  const RingDialInput in = RingDialInput::of(design());
  std::size_t lines = 0;
  for (auto _ : state) {
    const RingDial dial = computeRingDial(in);
    lines = dial.lines.size();
    benchmark::DoNotOptimize(dial.lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_RingDialGeometry)->Unit(benchmark::kMillisecond);

void BM_RingCorrectionChart(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  for (auto _ : state) {
    const RingCorrectionChart chart = computeRingCorrectionChart(150, 30);
    benchmark::DoNotOptimize(chart.curves.data());
  }
}
BENCHMARK(BM_RingCorrectionChart)->Unit(benchmark::kMillisecond);

}  // namespace
