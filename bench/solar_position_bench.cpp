// Throughput of the solar ephemeris: solarPosition calls per second over
// the days of one year, near 2000 and at the ends of the supported range
// (where the large mean-motion terms are reduced).
#include <benchmark/benchmark.h>

#include "astro/solar_ephemeris.h"
#include "astro/startup.h"

namespace {

void BM_SolarPosition(benchmark::State& state) {
  const int year = static_cast<int>(state.range(0));
  double x = 1.0;
  double declination = 0, eot = 0;
  for (auto _ : state) {
    tavrel::solarPosition(year, x, declination, eot);
    benchmark::DoNotOptimize(declination);
    benchmark::DoNotOptimize(eot);
    x += 0.37;
    if (x > 366) x -= 365;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_SolarPosition)->Arg(2024)->Arg(1300)->Arg(2500);

void BM_BuildEotSeriesTable(benchmark::State& state) {
  for (auto _ : state) tavrel::buildEotSeriesTable(288, 2022);
  state.SetItemsProcessed(state.iterations() * 289);
}
BENCHMARK(BM_BuildEotSeriesTable);

}  // namespace
