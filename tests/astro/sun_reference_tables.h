// Readers of the PyEphem tables of the sun seen from places on the Earth
// (tests/data/sun_horizontal_reference.tsv, sun_rise_set_reference.tsv;
// written by tests/data/make_horizontal_reference.py). A missing table is
// a test failure.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tavrel::testing {

inline std::vector<std::vector<std::string>> readTsv(const std::string& name) {
  const std::string path = std::string(TAVREL_TEST_DATA_DIR) + "/" + name;
  std::ifstream in(path);
  if (!in) ADD_FAILURE() << "missing reference table " << path;
  std::vector<std::vector<std::string>> rows;
  std::string line;
  bool header = true;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    if (header) {
      header = false;
      continue;
    }
    std::vector<std::string> fields;
    std::istringstream fieldStream(line);
    for (std::string f; std::getline(fieldStream, f, '\t');) fields.push_back(f);
    rows.push_back(fields);
  }
  return rows;
}

inline double num(const std::string& s) { return std::atof(s.c_str()); }

// ephem's azimuth (from north through east) in the program's convention
// (from south, west positive, -180..180].
inline double azimuthFromSouth(double azimuthNorthEast) {
  double a = azimuthNorthEast - 180;
  while (a <= -180) a += 360;
  while (a > 180) a -= 360;
  return a;
}

// Signed difference of two azimuths, -180..180.
inline double azimuthDifference(double a, double b) {
  double d = a - b;
  while (d <= -180) d += 360;
  while (d > 180) d -= 360;
  return d;
}

struct HorizontalReferenceRow {
  std::string place;
  double latitude, longitude, zoneMeridian;
  int year, month, day;
  double zoneTime, altitude, azimuthNorthEast;
};

inline std::vector<HorizontalReferenceRow> horizontalReference() {
  std::vector<HorizontalReferenceRow> rows;
  for (const auto& f : readTsv("sun_horizontal_reference.tsv")) {
    EXPECT_EQ(f.size(), 10u);
    if (f.size() != 10) continue;
    rows.push_back({f[0], num(f[1]), num(f[2]), num(f[3]), std::atoi(f[4].c_str()),
                    std::atoi(f[5].c_str()), std::atoi(f[6].c_str()), num(f[7]), num(f[8]),
                    num(f[9])});
  }
  return rows;
}

struct RiseSetReferenceRow {
  std::string place;
  double latitude, longitude;
  int year, month, day;
  std::string kind;  // "rise_set", "up" (never sets), "down" (never rises)
  double rise, set;  // local apparent time, hours
  double riseAzimuthNorthEast, setAzimuthNorthEast;
};

inline std::vector<RiseSetReferenceRow> riseSetReference() {
  std::vector<RiseSetReferenceRow> rows;
  for (const auto& f : readTsv("sun_rise_set_reference.tsv")) {
    EXPECT_GE(f.size(), 7u);
    if (f.size() < 7) continue;
    RiseSetReferenceRow r{f[0], num(f[1]), num(f[2]), std::atoi(f[3].c_str()),
                          std::atoi(f[4].c_str()), std::atoi(f[5].c_str()), f[6], 0, 0, 0, 0};
    if (r.kind == "rise_set") {
      EXPECT_EQ(f.size(), 11u);
      if (f.size() != 11) continue;
      r.rise = num(f[7]);
      r.set = num(f[8]);
      r.riseAzimuthNorthEast = num(f[9]);
      r.setAzimuthNorthEast = num(f[10]);
    }
    rows.push_back(r);
  }
  return rows;
}

}  // namespace tavrel::testing
