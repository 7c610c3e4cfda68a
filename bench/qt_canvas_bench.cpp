// The redraw of the drawing window after one zoom step: the construction
// of the default planar dial painted with the Qt canvas into the window's
// picture (a QImage), as the "+" key does it, at the sizes of a laptop and
// of a large screen, with and without smoothing; and the same with every
// line family switched on. One frame at 60 Hz is 16.7 ms.
#include <QImage>
#include <benchmark/benchmark.h>

#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "astro/startup.h"
#include "drawing/drawing_controller.h"
#include "plot/recording_canvas.h"
#include "ui/qt_canvas.h"

namespace {

using namespace tavrel;

void zoomStep(benchmark::State& state, bool everyFamily) {
  ensureGuiApplication();
  ScopedScriptedPlatform platform;
  startProgram();
  DesignState& d = design();
  if (everyFamily) {
    d.localTimeNoEot = d.withEot = d.markAnalemma = true;
    d.temporalHourLines = d.babylonianHours = d.italianHours = true;
    d.sunAltitudeLines = d.integerSunshineLines = true;
    d.dateLineMode = '0';
  }
  const int W = static_cast<int>(state.range(0)), H = static_cast<int>(state.range(1));
  const bool smooth = state.range(2) != 0;
  QImage picture(W, H, QImage::Format_RGB32);
  QtCanvas canvas;
  canvas.setAntialiasing(smooth);
  DrawingController controller(canvas);
  canvas.begin(&picture);
  controller.showDrawing(W, H, true);
  canvas.end();
  int step = 0;
  for (auto _ : state) {
    canvas.begin(&picture);
    // In and out in turn, so that the picture stays the same size.
    if (++step % 2) controller.zoomIn(); else controller.zoomOut();
    canvas.end();
    benchmark::DoNotOptimize(picture.constBits());
  }
}

// The construction alone, on the recording canvas: what the zoom step
// costs before any pixel is painted.
void BM_ZoomStepConstructionOnly(benchmark::State& state) {
  ScopedScriptedPlatform platform;
  startProgram();
  RecordingCanvas canvas;
  DrawingController controller(canvas);
  controller.showDrawing(1600, 1000, true);
  int step = 0;
  for (auto _ : state) {
    canvas.primitives.clear();
    if (++step % 2) controller.zoomIn(); else controller.zoomOut();
    benchmark::DoNotOptimize(canvas.primitives.data());
  }
}
BENCHMARK(BM_ZoomStepConstructionOnly)->Unit(benchmark::kMillisecond);

void BM_ZoomStepRedraw(benchmark::State& state) { zoomStep(state, false); }
void BM_ZoomStepRedrawEveryFamily(benchmark::State& state) { zoomStep(state, true); }

// {width, height, smoothing}
BENCHMARK(BM_ZoomStepRedraw)
    ->Args({1100, 700, 1})
    ->Args({1600, 1000, 1})
    ->Args({1600, 1000, 0})
    ->Args({2400, 1400, 1})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ZoomStepRedrawEveryFamily)->Args({1600, 1000, 1})->Args({1600, 1000, 0})->Unit(benchmark::kMillisecond);

}  // namespace
