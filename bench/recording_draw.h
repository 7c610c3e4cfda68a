// One dial drawn per iteration on the recording canvas at 1600 x 1000
// pixels; the number of primitives drawn becomes the counter "primitives".
#pragma once

#include <benchmark/benchmark.h>

#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"

namespace tavrel {

template <typename Draw>
void benchRecordingDraw(benchmark::State& state, Draw draw) {
  std::size_t primitives = 0;
  for (auto _ : state) {
    RecordingCanvas canvas;
    ScreenSurface surface = ScreenSurface::screen(canvas, 1600, 1000);
    draw(surface);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}

}  // namespace tavrel
