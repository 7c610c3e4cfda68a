// One full construction of each cylinder dial and of the hidokai (with the
// wall) at 1600 x 1000 pixels on the recording canvas, every line family
// of the kind switched on.
#include <benchmark/benchmark.h>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "dials/cylinder/cylinder_dial.h"
#include "plot/recording_canvas.h"
#include "drawing/surface_pens.h"

namespace {

using namespace tavrel;

void everyOption(int which) {
  DesignState& d = design();
  d.dialKind = which == 3 ? 'k' : 'z';
  d.cylinderVariant = static_cast<std::uint8_t>(which % 3);
  d.localTimeNoEot = d.cylinderWithEot = true;
  d.temporalHourLines = d.babylonianHours = d.italianHours = true;
  d.sunAltitudeLines = d.expertMode = true;
  d.withVerticalDial = true;
  d.otherHourInterval = '3';
  d.temporalIntervalOther = 3;
  d.eotLineInterval = '3';
}

void BM_CylinderDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyOption(static_cast<int>(state.range(0)));
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings (see recording_draw.h)
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    drawCylinderOrAltitudeDial(surface, design(), 1600, 1000, true);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}
// 0 shepherd's dial, 1 hat dial, 2 polar style, 3 hidokai.
BENCHMARK(BM_CylinderDial)->DenseRange(0, 3)->Unit(benchmark::kMillisecond);

// The geometry of the cylinder with polar style alone (no canvas), every
// option on: the part of the construction that is this family's own.
void BM_PolarCylinderGeometry(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyOption(2);
  CylinderDialInput in;
  in.kind = CylinderDialKind::PolarStyle;
  in.gnomonMm = design().cylinderGnomonLength;
  in.radiusMm = design().cylinderRadius;
  in.sampling = CylinderSampling::screen(240);
  std::size_t points = 0;
  for (auto _ : state) {
    const CylinderDial dial = computeCylinderDial(design(), in);
    points = 0;
    for (const CylinderLine& l : dial.lines) points += l.points.size();
    benchmark::DoNotOptimize(points);
  }
  state.counters["points"] = static_cast<double>(points);
  std::size_t datePoints = 0;
  for (const CylinderLine& l : computeCylinderDial(design(), in).lines)
    if (l.kind == CylinderLineKind::DateLine) datePoints += l.points.size();
  state.counters["datePoints"] = static_cast<double>(datePoints);
}
BENCHMARK(BM_PolarCylinderGeometry)->Unit(benchmark::kMillisecond);

}  // namespace
