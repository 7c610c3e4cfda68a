// One full construction of each cylinder dial and of the hidokai (with the
// wall) at 1600 x 1000 pixels on the recording canvas, every line family
// of the kind switched on.
#include <benchmark/benchmark.h>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/cylinder/cylinder_dial.h"
#include "plot/recording_canvas.h"

namespace {

using namespace tavrel;

void BM_CylinderDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  DesignState& d = design();
  d.dialKind = state.range(0) == 3 ? 'k' : 'z';
  d.cylinderVariant = static_cast<std::uint8_t>(state.range(0) % 3);
  d.localTimeNoEot = d.cylinderWithEot = true;
  d.temporalHourLines = d.babylonianHours = d.italianHours = true;
  d.sunAltitudeLines = d.expertMode = true;
  d.withVerticalDial = true;
  d.otherHourInterval = '3';
  d.temporalIntervalOther = 3;
  d.eotLineInterval = '3';
  std::size_t primitives = 0;
  for (auto _ : state) {
    RecordingCanvas canvas;
    ScreenSurface surface = ScreenSurface::screen(canvas, 1600, 1000);
    drawCylinderOrAltitudeDial(surface, 1600, 1000, true);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
// 0 shepherd's dial, 1 hat dial, 2 polar style, 3 hidokai.
BENCHMARK(BM_CylinderDial)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

}  // namespace
