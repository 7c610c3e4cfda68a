// Reading back pages that tavrel-cli writes: a file's bytes, a shell
// command's output, and the raster of a page as pdftoppm -gray writes it
// (binary PGM), with the dark runs of one pixel row.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavrel::test {

inline std::string slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline std::string shell(const std::string& command) {
  std::string out;
  if (FILE* p = popen(command.c_str(), "r")) {
    char buf[4096];
    std::size_t n;
    while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
    pclose(p);
  }
  return out;
}

// A binary greyscale PGM ("P5") as pdftoppm -gray writes it.
struct Greymap {
  int width = 0, height = 0;
  std::string pixels;
  unsigned char at(int x, int y) const {
    return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y) * width + x]);
  }
};

inline bool readPgm(const std::filesystem::path& path, Greymap& g) {
  std::ifstream in(path, std::ios::binary);
  std::string magic;
  int maxValue = 0;
  if (!(in >> magic >> g.width >> g.height >> maxValue) || magic != "P5" || maxValue != 255) return false;
  in.get();
  g.pixels.resize(static_cast<std::size_t>(g.width) * g.height);
  return static_cast<bool>(in.read(g.pixels.data(), static_cast<std::streamsize>(g.pixels.size())));
}

// Centres of the dark runs of row y between x0 and x1.
inline std::vector<double> darkRunCentres(const Greymap& g, int y, int x0, int x1) {
  std::vector<double> centres;
  int start = -1;
  for (int x = x0; x <= x1; ++x) {
    const bool dark = x < x1 && g.at(x, y) < 160;
    if (dark && start < 0) start = x;
    if (!dark && start >= 0) {
      centres.push_back((start + x - 1) / 2.0);
      start = -1;
    }
  }
  return centres;
}

}  // namespace tavrel::test
