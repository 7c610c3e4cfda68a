// The constructions are measured with a warm heap, as in the running
// program, where the memory of one redraw serves the next. Without this,
// glibc hands the top of the heap back to the kernel after every
// iteration that frees the recording canvas's primitives (several
// megabytes), and the next iteration pays for zeroed pages again: up to
// half of the time of the larger dials, and dependent on which benchmarks
// ran before. The figures without it: GLIBC_TUNABLES unset and this file
// left out.
#include <malloc.h>

namespace {

const bool kWarmHeap = [] {
  mallopt(M_TRIM_THRESHOLD, 256 << 20);
  mallopt(M_MMAP_THRESHOLD, 64 << 20);
  return true;
}();

}  // namespace
