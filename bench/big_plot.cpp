#include "bench/big_plot.h"

#include <cstdio>

namespace tavrel::bench {

namespace {

// SplitMix64 (Steele, Lea and Flood, "Fast splittable pseudorandom number
// generators", OOPSLA 2014): the same numbers on every platform, unlike
// the distributions of <random>.
class SplitMix64 {
 public:
  explicit SplitMix64(std::uint64_t seed) : state_(seed) {}
  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  long below(long n) { return static_cast<long>(next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

constexpr long kPageX = 16400, kPageY = 11480;
constexpr int kPointsPerPolyline = 60;

void appendGroup(std::string& out, SplitMix64& random, long index) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "SP%ld;", 1 + index % 8);
  out += buffer;
  // A random walk that wanders a little beyond the page, so that some
  // segments are clipped and some dropped.
  long x = random.below(kPageX), y = random.below(kPageY);
  std::snprintf(buffer, sizeof buffer, "PU%ld,%ld;PD", x, y);
  out += buffer;
  for (int i = 1; i < kPointsPerPolyline; ++i) {
    x += random.below(401) - 200;
    y += random.below(401) - 200;
    std::snprintf(buffer, sizeof buffer, i == 1 ? "%ld,%ld" : ",%ld,%ld", x, y);
    out += buffer;
  }
  out += ";\n";
  if (index % 4 == 0) {
    // DI with run and rise both 0 has no direction (hp2xx refuses it).
    static constexpr int kRunRise[4][2] = {{1, 0}, {0, 1}, {1, 1}, {-1, 1}};
    const auto& d = kRunRise[random.below(4)];
    std::snprintf(buffer, sizeof buffer, "DI%d,%d;LBHour %ld\x03\n", d[0], d[1], index % 24);
    out += buffer;
  }
  if (index % 8 == 0) {
    std::snprintf(buffer, sizeof buffer, "CI%ld;", 20 + random.below(2000));
    out += buffer;
  }
  if (index % 16 == 0) {
    std::snprintf(buffer, sizeof buffer, "AA%ld,%ld,%ld;", x + random.below(400) - 200,
                  y + random.below(400) - 200, random.below(361) - 180);
    out += buffer;
  }
  if (index % 32 == 0) {
    std::snprintf(buffer, sizeof buffer, "PR;PD%ld,%ld,%ld,%ld;PA;\n", random.below(81) - 40,
                  random.below(81) - 40, random.below(81) - 40, random.below(81) - 40);
    out += buffer;
  }
}

}  // namespace

bool writeBigPlot(const std::string& path, std::uint64_t bytes, std::uint64_t seed) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  SplitMix64 random(seed);
  std::string chunk = "IN;IW0,0,16400,11480;SI0.19,0.27;SP1;\n";
  std::uint64_t written = 0;
  bool ok = true;
  for (long index = 0; ok && written + chunk.size() < bytes; ++index) {
    appendGroup(chunk, random, index);
    if (chunk.size() >= (1u << 20)) {
      ok = std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
      written += chunk.size();
      chunk.clear();
    }
  }
  if (ok && !chunk.empty()) ok = std::fwrite(chunk.data(), 1, chunk.size(), file) == chunk.size();
  return std::fclose(file) == 0 && ok;
}

}  // namespace tavrel::bench
