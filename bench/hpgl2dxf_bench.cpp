// The HPGL-to-DXF converter on a generated plot file (big_plot.h) of
// 16 MiB: polylines of 60 points inside a clip window, labels, circles
// and arcs, at scale 40 (plot files saved as HPGL) and 1000 (plot files
// written for DXF). The DXF goes to a file in the temporary folder; the
// rate counts plot-file bytes read per second.
#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/big_plot.h"
#include "core/scripted_platform.h"
#include "dxf/dxf.h"

namespace {

namespace fs = std::filesystem;
using namespace tavrel;

constexpr std::uint64_t kPlotBytes = std::uint64_t{16} << 20;

// The plot file, written at the first use and removed at the end.
struct PlotFile {
  fs::path path;
  bool tried = false;
  ~PlotFile() {
    std::error_code ec;
    if (!path.empty()) fs::remove(path, ec);
  }
} gPlot;

const fs::path& plotFile() {
  if (!gPlot.tried) {
    gPlot.tried = true;
    fs::path p = fs::temp_directory_path() / ("tavrel-bench-" + std::to_string(getpid()) + ".plt");
    if (bench::writeBigPlot(p.string(), kPlotBytes)) gPlot.path = p;
  }
  return gPlot.path;
}

void BM_Hpgl2Dxf(benchmark::State& state) {
  const fs::path& in = plotFile();
  if (in.empty()) {
    state.SkipWithError("cannot write the plot file");
    return;
  }
  const fs::path out = fs::path(in).replace_extension(".dxf");
  const double scale = static_cast<double>(state.range(0));
  ScopedScriptedPlatform platform;
  for (auto _ : state) {
    const DxfResult result = convertHpglToDxf(in.string(), out.string(), 1, scale);
    if (result != DxfResult::Converted) state.SkipWithError("conversion failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(in)));
  state.counters["dxf_MiB"] = static_cast<double>(fs::file_size(out)) / (1 << 20);
  std::error_code ec;
  fs::remove(out, ec);
}
BENCHMARK(BM_Hpgl2Dxf)->Arg(40)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// A damaged plot file: one number of 16 MiB digits in a coordinate list
// (PD, PA, PU are read in pieces) and in another command. Passing over
// the over-long number should cost what reading its bytes costs, as for
// the generated plot above, not a scan of the held text per character.
void BM_Hpgl2DxfLongNumber(benchmark::State& state) {
  const char* command = state.range(0) == 0 ? "PD" : "SI";
  const fs::path in = fs::temp_directory_path() /
                      ("tavrel-bench-long-" + std::to_string(getpid()) + command + ".plt");
  {
    std::FILE* f = std::fopen(in.c_str(), "wb");
    if (!f) {
      state.SkipWithError("cannot write the plot file");
      return;
    }
    std::string digits(std::size_t{1} << 20, '7');
    std::fprintf(f, "IN;PU 0,0;%s ", command);
    for (std::uint64_t i = 0; i < kPlotBytes >> 20; ++i) std::fwrite(digits.data(), 1, digits.size(), f);
    std::fputs(";PD 400,0;", f);
    std::fclose(f);
  }
  const fs::path out = fs::path(in).replace_extension(".dxf");
  ScopedScriptedPlatform platform;
  for (auto _ : state) {
    if (convertHpglToDxf(in.string(), out.string(), 1, 40) != DxfResult::Converted)
      state.SkipWithError("conversion failed");
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(fs::file_size(in)));
  std::error_code ec;
  fs::remove(out, ec);
  fs::remove(in, ec);
}
BENCHMARK(BM_Hpgl2DxfLongNumber)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
