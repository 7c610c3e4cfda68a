// The model space of a DXF file as the independent reader python3-ezdxf
// sees it, through the one check script tests/dxf/check_dxf.py (its --dump
// mode): the entities with their points (polyline vertices, the two ends
// of a line, the centre of a circle or arc, the insertion point of a
// text) in drawing units to four decimals, and the number of errors the
// audit could not fix.
#pragma once

#include <array>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

namespace tavrel::testing {

struct EzdxfEntity {
  std::string type, layer;  // POLYLINE, LINE, CIRCLE, ARC, TEXT
  std::vector<std::array<double, 2>> points;
  double radius = 0;
  std::string text;
};

struct EzdxfView {
  bool read = false;     // ezdxf read the file
  int auditErrors = -1;  // errors its audit left (-1: not read)
  std::vector<EzdxfEntity> entities;
  std::string output;    // what the script printed, for failure messages
};

// Runs check_dxf.py --dump on `dxf` with the system interpreter (the one
// that has Debian's python3-ezdxf).
inline EzdxfView readWithEzdxf(const std::filesystem::path& dxf) {
  EzdxfView view;
  const std::string command =
      "/usr/bin/python3 " TAVREL_SOURCE_DIR "/tests/dxf/check_dxf.py --dump '" + dxf.string() + "' 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return view;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) view.output.append(buffer, n);
  pclose(pipe);
  const auto point = [](const std::string& p) {
    const std::size_t comma = p.find(',');
    return std::array<double, 2>{std::stod(p.substr(0, comma)), std::stod(p.substr(comma + 1))};
  };
  const auto points = [&](const std::string& list, std::vector<std::array<double, 2>>& out) {
    std::istringstream v(list);
    for (std::string p; std::getline(v, p, ';');) out.push_back(point(p));
  };
  int errors = 0;
  std::istringstream lines(view.output);
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("FILE ", 0) == 0) {
      view.read = true;
      continue;
    }
    if (line.rfind("AUDIT-ERROR ", 0) == 0) {
      ++errors;
      continue;
    }
    std::istringstream f(line);
    EzdxfEntity e;
    std::string colour;
    f >> e.type >> e.layer >> colour;
    if (e.type == "POLYLINE") {
      std::string linetype, startWidth, endWidth, vertices;
      f >> linetype >> startWidth >> endWidth >> vertices;
      points(vertices, e.points);
    } else if (e.type == "LINE") {
      std::string ends;
      f >> ends;
      points(ends, e.points);
    } else if (e.type == "CIRCLE" || e.type == "ARC") {
      std::string centre;
      f >> centre >> e.radius;
      e.points.push_back(point(centre));
    } else if (e.type == "TEXT") {
      std::string at;
      f >> at;
      e.points.push_back(point(at));
      e.text = line.substr(line.find('|') + 1);
      e.text.pop_back();
    } else {
      continue;
    }
    view.entities.push_back(std::move(e));
  }
  if (view.read) view.auditErrors = errors;
  return view;
}

// The entities of the view that are lines of two points: LINE entities and
// polylines of two vertices.
inline std::vector<std::array<std::array<double, 2>, 2>> twoPointLines(const EzdxfView& view) {
  std::vector<std::array<std::array<double, 2>, 2>> out;
  for (const EzdxfEntity& e : view.entities)
    if ((e.type == "LINE" || e.type == "POLYLINE") && e.points.size() == 2) out.push_back({e.points[0], e.points[1]});
  return out;
}

}  // namespace tavrel::testing
