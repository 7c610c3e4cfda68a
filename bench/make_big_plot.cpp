// make-big-plot OUT.plt MEGABYTES [SEED]: writes the converter's timing
// input (see big_plot.h) of at least MEGABYTES x 2^20 characters.
#include <cstdio>
#include <cstdlib>

#include "bench/big_plot.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::fprintf(stderr, "usage: make-big-plot OUT.plt MEGABYTES [SEED]\n");
    return 2;
  }
  const double megabytes = std::atof(argv[2]);
  if (!(megabytes > 0)) {
    std::fprintf(stderr, "make-big-plot: MEGABYTES must be positive\n");
    return 2;
  }
  const auto bytes = static_cast<std::uint64_t>(megabytes * 1048576.0);
  const bool ok = argc == 4 ? tavrel::bench::writeBigPlot(argv[1], bytes,
                                                          std::strtoull(argv[3], nullptr, 10))
                            : tavrel::bench::writeBigPlot(argv[1], bytes);
  if (!ok) {
    std::perror(argv[1]);
    return 1;
  }
  return 0;
}
