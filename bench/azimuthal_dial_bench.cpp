// One full construction of the azimuthal dial at 1600 x 1000 pixels on the
// recording canvas, every option on: the date circles on the zodiac scale
// with the equation of time, and the stereographic altitude chart with the
// ecliptic, the whole-hour day lengths and a horizon profile.
#include <benchmark/benchmark.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/azimuthal/azimuthal_dial.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

void everyOption(int mode) {
  DesignState& d = design();
  d.dialKind = 'a';
  d.azimuthDialKind = static_cast<std::uint8_t>(mode);
  d.azimuthHeightMode = 2;
  d.showDateCircles = true;
  d.constructionWithEot = true;
  d.drawEcliptic = d.integerSunshineLines = true;
  d.temporalHourLines = d.babylonianHours = d.italianHours = true;
  d.otherHoursFrom = 4;
  d.otherHoursTo = 20;
  d.otherHourInterval = '3';
  d.temporalIntervalOther = 3;
  d.dateLinesPerMonth = 3;
}

SkyOutline hills() {
  SkyOutline sky;
  for (int k = 0; k <= 720; ++k) sky.push_back({k * 0.5 - 180, k % 40 < 20 ? 8.0 : 3.0});
  return sky;
}

void BM_AzimuthalDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  const int mode = static_cast<int>(state.range(0));
  everyOption(mode);
  const SkyOutline sky = hills();
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    if (mode == 1) drawAzimuthAltitudeDial(surface, design(), 1600, 1000, false, &sky);
    else drawAzimuthDateDial(surface, design(), 1600, 1000, false);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
// 0 date circles, 1 altitude circles.
BENCHMARK(BM_AzimuthalDial)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

// The geometry alone (no canvas): the part of the construction that is
// this family's own.
void BM_AzimuthalGeometry(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  const int mode = static_cast<int>(state.range(0));
  everyOption(mode);
  const SkyOutline sky = hills();
  AzimuthalInput in = azimuthalScreenInput(design(), 1600, 1000, false);
  in.mode = mode;
  in.horizon = mode == 1 ? &sky : nullptr;
  std::size_t lines = 0;
  for (auto _ : state) {
    const AzimuthalDial dial = computeAzimuthalDial(design(), in);
    lines = dial.lines.size();
    benchmark::DoNotOptimize(dial.lines.data());
  }
  state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_AzimuthalGeometry)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

}  // namespace
