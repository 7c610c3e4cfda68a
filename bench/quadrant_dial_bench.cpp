// One full construction of each quadrant form at 1600 x 1000 pixels on the
// recording canvas, every option of the form switched on: the calendar
// quadrant with EoT in quarter hours, the declination scale, Gunter's
// quadrant with its azimuth lines, and the two Habermel dials with three
// date lines a month.
//
// Medians of 5 repetitions on the 2-core build machine under load (wall
// time): calendar with EoT 1.7 ms, declination 0.2 ms, Gunter 3.1 ms,
// Habermel I 3.0 ms, Habermel II 4.2 ms (2.4 ms CPU); the goal is 5 ms.
#include <benchmark/benchmark.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "dials/quadrant/quadrant_dial.h"
#include "recording_draw.h"

namespace {

using namespace tavrel;

void everyOption(int which) {
  DesignState& d = design();
  d.dialKind = 'q';
  d.quadrantVariant = static_cast<std::uint8_t>(which >= 3 ? which - 2 : 0);
  d.zodiacScale = static_cast<std::uint8_t>(which < 3 ? which : 0);
  d.constructionWithEot = which == 0;
  d.includeAzimuthLines = true;
  d.otherHoursFrom = 4;
  d.otherHoursTo = 20;
  d.otherHourInterval = '3';
  d.dateLineMode = '2';
  d.habermelGnomonLength = which == 3 ? 70 : 35;
}

void BM_QuadrantDial(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  everyOption(static_cast<int>(state.range(0)));
  benchRecordingDraw(state, [](ScreenSurface& s) { drawQuadrantDial(s, design(), 1600, 1000, true); });
}
// 0 calendar with EoT, 1 declination, 2 Gunter, 3 Habermel I, 4 Habermel II.
BENCHMARK(BM_QuadrantDial)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);

}  // namespace
