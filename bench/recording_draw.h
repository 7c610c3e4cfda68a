// One dial drawn per iteration on the recording canvas at 1600 x 1000
// pixels; the number of primitives drawn becomes the counter "primitives".
//
// The dial benches keep one recording canvas and clear it before each
// drawing, as the drawing window keeps its picture from one redraw to the
// next. A new canvas per drawing would mostly measure the C library handing
// the list's megabytes back to the kernel and the page faults of the next
// drawing (up to two thirds of the time of the larger dials, and varying
// with what ran before); the program's own canvases record nothing.
#pragma once

#include <benchmark/benchmark.h>

#include "plot/recording_canvas.h"
#include "plot/screen_surface.h"
#include "drawing/surface_pens.h"

namespace tavrel {

template <typename Draw>
void benchRecordingDraw(benchmark::State& state, Draw draw) {
  std::size_t primitives = 0;
  RecordingCanvas canvas;  // kept between drawings, see above
  for (auto _ : state) {
    canvas.primitives.clear();
    ScreenSurface surface = screenSurfaceOf(design(), canvas, 1600, 1000);
    draw(surface);
    primitives = canvas.primitives.size();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
  state.counters["primitives"] = static_cast<double>(primitives);
}

}  // namespace tavrel
