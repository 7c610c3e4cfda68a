// The horizon-profile computation on a generated SRTM1-sized tile (3601 x
// 3601 heights, about 25 MB of text) with a 60 km radius: the far field
// touches every row of the tile. The terrain is rolling hills between 0 and
// 1200 m with the observer in a valley at 300 m, so that about half of all
// points rise above him. Reported: time per computation and the process's
// peak resident memory (the tile is written to disk row by row, never held
// whole).
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "tables/horizon_calculation.h"

namespace {

using namespace tavrel;

const std::string& tilePath() {
  static const std::string path = [] {
    const std::string p = (std::filesystem::temp_directory_path() / "tavrel-bench-srtm1.asc").string();
    std::ofstream out(p, std::ios::binary);
    out << "ncols        3601\r\nnrows        3601\r\nxllcorner    11.000\r\nyllcorner    47.000\r\n"
           "cellsize     0.000277777778\r\nNODATA_value -32768\r\n";
    std::string row;
    for (int i = 0; i < 3601; ++i) {
      row.clear();
      for (int j = 0; j < 3601; ++j) {
        const double h = 600 + 450 * std::sin(i / 97.0) * std::cos(j / 131.0) + 150 * std::sin((i + j) / 23.0);
        row += std::to_string(static_cast<int>(h));
        row += j + 1 < 3601 ? ' ' : '\r';
      }
      row += '\n';
      out << row;
    }
    return p;
  }();
  return path;
}

long peakRssKb() {
  rusage u{};
  getrusage(RUSAGE_SELF, &u);
  return u.ru_maxrss;
}

void BM_HorizonProfileSrtm1Radius60km(benchmark::State& state) {
  const std::string& path = tilePath();
  const long before = peakRssKb();
  HorizonSettings s;
  s.maxObjectDistance = 60;
  int centre = 0;
  for (auto _ : state) {
    std::ifstream in(path, std::ios::binary);
    HorizonCalculation calc(47.5, 11.5, s);
    HorizonProgress progress;
    if (calc.open(in) != HorizonStatus::Ok || calc.run(progress) != HorizonStatus::Ok) {
      state.SkipWithError("computation failed");
      return;
    }
    centre = calc.centreHeight();
    benchmark::DoNotOptimize(calc.profile());
  }
  state.counters["centre_m"] = centre;
  state.counters["peak_rss_MB"] = peakRssKb() / 1024.0;
  state.counters["peak_rss_before_MB"] = before / 1024.0;
}
BENCHMARK(BM_HorizonProfileSrtm1Radius60km)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
