// horizon: computes the horizon profile of the record's place from one or
// more elevation grids and saves it as a profile file. The grids after
// the first are added, in the order given, while the calculation asks for
// missing neighbouring tiles; one that cannot be used ends the command
// without a file.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <thread>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "tables/horizon.h"

namespace tavrel::cli {
namespace {

class BatchHorizonRunner : public HorizonRunner {
 public:
  BatchHorizonRunner(std::deque<std::string> grids, std::string out) : grids_(std::move(grids)), out_(std::move(out)) {}

  HorizonStatus runLong(const std::function<HorizonStatus(HorizonProgress&)>& step) override {
    HorizonProgress progress;
    if (!isatty(STDERR_FILENO)) return step(progress);
    HorizonStatus status = HorizonStatus::Ok;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
      status = step(progress);
      finished = true;
    });
    while (!finished) {
      std::fprintf(stderr, "\rhorizon: %3d %%", progress.perMille.load() / 10);
      std::fflush(stderr);
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    worker.join();
    std::fprintf(stderr, "\rhorizon: 100 %%\n");
    return status;
  }
  std::optional<std::string> chooseGrid() override {
    if (grids_.empty()) return std::nullopt;
    std::string g = grids_.front();
    grids_.pop_front();
    return g;
  }
  bool askAddMissing(const std::string&) override { return !grids_.empty(); }
  std::optional<std::string> chooseSaveName() override { return out_; }
  // A grid named on the command line that cannot be used is an error.
  bool refusedTileEnds() const override { return true; }

 private:
  std::deque<std::string> grids_;
  std::string out_;
};

bool endsWith(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

int runHorizon(const std::vector<std::string>& args) {
  std::deque<std::string> grids;
  std::optional<std::string> out;
  HorizonSettings& settings = horizonSettings();
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return usageError(a + " needs a value");
    const std::string& v = args[++i];
    auto ranged = [&](int lo, int hi, int& target) {
      const auto n = parseInt(v);
      if (!n || *n < lo || *n > hi) return false;
      target = *n;
      return true;
    };
    if (a == "--grid") {
      grids.push_back(v);
    } else if (a == "--out") {
      out = v;
    } else if (a == "--pedestal") {
      if (!ranged(0, 300, settings.pedestalHeight)) return usageError("--pedestal expects 0..300 m, got '" + v + "'");
    } else if (a == "--min-distance") {
      if (!ranged(100, 500, settings.minObjectDistance))
        return usageError("--min-distance expects 100..500 m, got '" + v + "'");
      settings.minObjectDistance = storedMinObjectDistance(settings.minObjectDistance);
    } else if (a == "--max-distance") {
      if (!ranged(0, 300, settings.maxObjectDistance))
        return usageError("--max-distance expects 0..300 km, got '" + v + "'");
    } else {
      return usageError("unknown horizon option '" + a + "'");
    }
  }
  if (grids.empty()) return usageError("horizon needs --grid F.asc");
  if (!out || !endsWith(*out, ".ele")) return usageError("horizon needs --out F.ele");
  BatchHorizonRunner runner(std::move(grids), *out);
  return runHorizonCalculation(runner) == HorizonOutcome::Saved ? kExitOk : kExitFailed;
}

const CommandRegistrar kHorizon{
    {"horizon",
     "horizon --grid F.asc [--grid F2.asc ...] --out F.ele [--pedestal M]\n"
     "         [--min-distance M] [--max-distance KM]\n"
     "                     computes the horizon profile of the record's place from\n"
     "                     elevation grids (ESRI ASCII, SRTM 1\" or 3\"); the further\n"
     "                     grids are the missing neighbouring tiles; progress on\n"
     "                     stderr when it is a terminal",
     runHorizon}};

}  // namespace
}  // namespace tavrel::cli
