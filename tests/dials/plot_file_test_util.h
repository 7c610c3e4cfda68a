// Helpers of the dial tests: the started program in English, the distance
// of a point from a drawn segment, a plot file written and read whole.
// (A DXF is read through tests/dxf/ezdxf_view.h.)
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <functional>
#include <string>

#include <unistd.h>

#include "astro/startup.h"
#include "core/design_state.h"
#include "plot/hpgl_writer.h"
#include "tests/core/language_choice.h"

namespace tavrel::testing {

// The program started, its design record in English for `referenceYear`.
inline DesignState& startEnglishDesign(int referenceYear) {
  startProgram();
  DesignState& d = design();
  useLanguage(2);
  d.referenceYear = referenceYear;
  return d;
}

inline std::string readAll(const std::filesystem::path& p) {
  std::ifstream f(p, std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  return s.str();
}

// Distance of (x, y) from the segment a-b.
inline double segmentDistance(double x, double y, double ax, double ay, double bx, double by) {
  const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
  const double t = len2 > 0 ? std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0) : 0;
  return std::hypot(ax + t * dx - x, ay + t * dy - y);
}

// A scratch folder of this test process, made when missing.
inline std::filesystem::path scratchFolder(const std::string& prefix) {
  const auto p = std::filesystem::temp_directory_path() / (prefix + std::to_string(getpid()));
  std::filesystem::create_directories(p);
  return p;
}

// The plot that `write` puts into a writer of resolution factor R, as the
// file holds it.
inline std::string plotFileText(int resolution, const std::filesystem::path& file,
                                const std::function<void(HpglWriter&)>& write) {
  HpglWriter w(resolution);
  w.hpglOpen(file.string());
  write(w);
  w.hpglClose();
  return readAll(file);
}

}  // namespace tavrel::testing
