#include "dials/planar/hour_line_angles.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "astro/plane_sunlight.h"
#include "astro/time_format.h"
#include "core/design_state.h"
#include "core/language.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "dials/planar/planar_plane.h"
#include "dials/planar/planar_texts.h"
#include "dials/planar/planar_labels.h"

namespace tavrel {

namespace {

double sinDeg(double x) { return static_cast<double>(sinl(x * kDegToRad)); }
double cosDeg(double x) { return static_cast<double>(cosl(x * kDegToRad)); }
double atanDeg(double x) { return static_cast<double>(atanl(x) / kDegToRad); }

// Into [-180, 180).
double wrap180(double a) {
  while (a >= 180) a -= 360;
  while (a < -180) a += 360;
  return a;
}

std::string degText(double v) { return fixedText(v, 7, 3) + tableText(TextTable::Texts, textRow::kDegrees); }

// Where hour h, subdivision j lands in the grid: row and group.
struct Cell {
  int row, group;
  bool secondRow;
};
Cell cellOf(int h, int j, int from, int n) {
  if (n <= 3) return {h - from + 1, j, false};
  if (j <= 3) return {2 * (h - from) + 1, j, false};
  return {2 * (h - from) + 2, j - 3, true};  // j = 4, 5 in groups 1 and 2
}

std::string tangentText(double t, bool secondRow) {
  if (!secondRow) {
    if (std::fabs(t) >= 10000) return t > 0 ? "   >10000" : "  <-10000";
    if (std::fabs(t) >= 100) return fixedText(t, 9, 2);
    return fixedText(t, 9, 3);
  }
  if (t >= 10000) return fixedText(t, 9, 1);
  if (t >= 1000) return fixedText(t, 9, 2);
  return fixedText(t, 9, 3);
}

}  // namespace

HourLineAngleTable::HourLineAngleTable() {
  for (auto& row : hourLineAngles) row.fill(kNoHourLineAngle);
  grid.assign(kAngleGridRows, std::vector<std::string>(kAngleGridColumns));
}

HourLineAngleTable computeHourLineAngles(const DesignState& d) {
  HourLineAngleTable t;
  const char kind = planarPlane(d).kind;
  const double phi = d.latitude;
  const double delta = kind == 'h' ? 0.0 : d.wallDeclination;
  const double incl = kind == 'h' ? 0.0 : (kind == 'v' ? 90.0 : d.planeInclination);
  const bool longitudeCorrection = !d.eotLinesOwnMeridian;

  // 1. Header labels.
  const std::string none = " - - - -";
  t.latitudeText = degText(d.latitude);
  t.longitudeText = degText(d.longitude);
  t.zoneMeridianText = degText(d.zoneMeridian);
  t.declinationText = kind == 'h' ? none : degText(d.wallDeclination);
  t.inclinationText = kind == 'i' ? degText(d.planeInclination) : none;
  const int partRow = kind == 'h' ? labelRow::kHorizontalSundialPart
                      : kind == 'v' ? labelRow::kVerticalSundialPart
                                    : labelRow::kInclinedSundialPart;
  t.dialTypeLine = tableText(TextTable::Labels, labelRow::kHourLineAnglesTitle) +
                   tableText(TextTable::Labels, partRow);

  // 2. Sunlit window.
  const SunlitWindow window = sunlitWindowOnPlane(0, phi, delta, incl, d.obliquityRounded, false);
  t.sunlitEarliest = window.earliest;
  t.sunlitLatest = window.latest;
  t.sunlitLabel = loadString(566);
  t.sunlitText = window.text;
  t.sunOnDialText = t.sunlitLabel + window.text + "   " +
                    tableText(TextTable::Texts, textRow::kLocalApparentTime);

  // 3. Style height.
  const double c = sinDeg(phi) * cosDeg(incl) - cosDeg(phi) * sinDeg(incl) * cosDeg(delta);
  const double E = std::fabs(c) > 0.9999999 ? signOf(c) * 90.0 : static_cast<double>(asinl(c) / kDegToRad);
  t.styleHeight = E;

  // 4. Substyle angle.
  double G;
  if (kind == 'h') {
    G = phi >= 0 ? 180 : 0;
  } else if (std::fabs(delta * kDegToRadDouble) < 0.0001) {
    G = 0;
  } else {
    const double H = tanDeg(phi) * sinDeg(incl) + cosDeg(incl) * cosDeg(delta);
    G = 90 - atanDeg(H / sinDeg(delta));
    if (E * phi < 0 && std::fabs(G) < 90)
      G += 180;
    else if (E * phi > 0 && std::fabs(G) > 90)
      G = G > 0 ? G - 180 : G + 180;
    G = G >= 0 ? G - 180 : G + 180;
  }
  t.substyleAngle = G;

  // 5. Angle between the line of steepest slope and the noon line.
  double J = atanDeg(cosDeg(incl) * tanDeg(delta));
  const bool turnNorth = phi > 0 && E > 0 && c > 0 && std::fabs(delta) < 90;
  const bool turnSouth = phi <= 0 && E < 0 &&
                         sinDeg(phi) * cosDeg(incl) + cosDeg(phi) * sinDeg(incl) * cosDeg(delta) < 0 &&
                         std::fabs(delta) > 90;
  if (turnNorth || turnSouth) J = J >= 0 ? J - 180 : J + 180;
  t.steepestSlope = J;

  // 6. Information lines.
  const std::string deg = tableText(TextTable::Texts, textRow::kDegrees);
  t.shadowTimeText = formatMinutesSeconds(substyleShadowHourAngle(incl, delta, phi) / 60 + 3);
  t.infoLines.push_back("  " + tableText(TextTable::Texts, textRow::kSubstyleDirection) +
                        fixedText(G, 8, 3) + deg);
  t.infoLines.push_back("  " + tableText(TextTable::Texts, textRow::kStyleHeight) +
                        fixedText(E, 8, 3) + deg);
  t.infoLines.push_back("  " + tableText(TextTable::Texts, textRow::kSubstyleShadowTime) + "  " +
                        t.shadowTimeText);
  if (kind != 'h')
    t.infoLines.push_back("  " + tableText(TextTable::Texts, textRow::kSteepestSlope) + " " +
                          fixedText(J, 8, 3) + deg);

  // 7. Grid header.
  for (int g = 0; g < 4; ++g) {
    t.grid[0][4 * g] = tableText(TextTable::Texts, textRow::kTime) + "[hh;mm]";
    t.grid[0][4 * g + 1] = deg + "[dd.dd]";
    t.grid[0][4 * g + 2] = " tan(alpha)";
  }

  // 8. The angles.
  int digit = d.hourLineInterval - '0';
  if (digit < 0 || digit > 9) digit = 0;
  const int n = digit > 3 ? 5 : digit;
  const int step = 60 / (n + 1);
  const int from = std::clamp(d.hourLinesFrom, 0, 24), to = std::clamp(d.hourLinesTo, 0, 24);
  auto gridRows = [&](int row) {
    if (row >= static_cast<int>(t.grid.size()))
      t.grid.resize(static_cast<std::size_t>(row) + 1, std::vector<std::string>(kAngleGridColumns));
    t.usedRows = std::max(t.usedRows, row);
  };
  for (int h = from; h <= to; ++h) {
    for (int j = 0; j <= n && h + j / 6.0 <= to; ++j) {
      double tau = (j * step / 60.0 + h - 12) * 15;
      if (longitudeCorrection) tau = tau - d.longitude + d.zoneMeridian;
      if (std::fabs(tau) < 1e-17) tau = 1e-17;
      if (std::fabs(tau) == 90) tau = signOf(tau) * 89.999999999;
      const double q = -cosDeg(tau) / sinDeg(tau);
      const double N = cosDeg(incl) * (sinDeg(phi) * cosDeg(delta) + q * sinDeg(delta)) -
                       cosDeg(phi) * sinDeg(incl);
      double D = q * cosDeg(delta) - sinDeg(phi) * sinDeg(delta);
      if (std::fabs(D) < 1e-17) D = (signOf(D) + 0.1) * 1e-17;
      double alpha = atanDeg(N / D);
      if (kind == 'h') {
        if (tau > 90) alpha += 180;
        if (tau < -90) alpha -= 180;
      } else {
        alpha = wrap180(alpha);
        if (std::fabs(E) <= 1e-6) {
          alpha = G;
        } else if (E > 0) {
          if (tau <= 0 && (alpha < J || std::fabs(alpha - J) > 180)) alpha += 180;
          if (tau >= 0 && (alpha > J || std::fabs(alpha - J) > 180)) alpha -= 180;
        } else {
          if (tau <= 0 && (alpha > J || std::fabs(J - alpha) > 180)) alpha -= 180;
          if (tau >= 0 && (alpha < J || std::fabs(alpha - J) > 180)) alpha += 180;
        }
        alpha = wrap180(alpha);
      }
      const Cell cell = cellOf(h, j, from, n);
      gridRows(cell.row);
      auto& row = t.grid[static_cast<std::size_t>(cell.row)];
      row[4 * cell.group] = std::to_string(h) + ":" + (j == 0 ? "00" : std::to_string(j * step));
      if (cell.secondRow) t.grid[static_cast<std::size_t>(cell.row)][0] = " ";
      row[4 * cell.group + 1] = fixedText(alpha, 9, 2);
      row[4 * cell.group + 2] = tangentText(tanDeg(alpha), cell.secondRow);
      t.hourLineAngles[static_cast<std::size_t>(h)][static_cast<std::size_t>(j)] = alpha;
    }
  }

  // 9. and 10. Continuity outwards from the middle of the sunlit window.
  const int middle = static_cast<int>(roundHalfEven((t.sunlitLatest + t.sunlitEarliest) / 30)) + 12;
  auto turn = [&](double previous, double& alpha) {
    const double jump = std::fabs(previous - alpha);
    if (jump > 90 && jump < 300) {
      alpha += E >= 0 ? 180 : -180;
      return true;
    }
    return false;
  };
  {
    const int P = std::clamp(std::max(middle, from), 0, 24);
    double alpha = t.hourLineAngles[static_cast<std::size_t>(P)][0];
    for (int h = P; h <= to; ++h)
      for (int j = 0; j <= n && h + j / 6.0 <= to; ++j) {
        const double previous = alpha;
        alpha = t.hourLineAngles[static_cast<std::size_t>(h)][static_cast<std::size_t>(j)];
        if (turn(previous, alpha)) {
          t.hourLineAngles[static_cast<std::size_t>(h)][static_cast<std::size_t>(j)] = alpha;
          const Cell cell = cellOf(h, j, from, n);
          t.grid[static_cast<std::size_t>(cell.row)][4 * cell.group + 1] = fixedText(alpha, 9, 2);
        }
      }
  }
  {
    const int P = std::clamp(std::min(middle, to), 0, 24);
    double alpha = t.hourLineAngles[static_cast<std::size_t>(P)][0];
    for (int h = P; h >= from; --h)
      for (int j = n; j >= 0; --j) {
        if (h + j / 6.0 > P) continue;
        const double previous = alpha;
        alpha = t.hourLineAngles[static_cast<std::size_t>(h)][static_cast<std::size_t>(j)];
        if (turn(previous, alpha)) {
          t.hourLineAngles[static_cast<std::size_t>(h)][static_cast<std::size_t>(j)] = alpha;
          const Cell cell = cellOf(h, j, from, n);
          t.grid[static_cast<std::size_t>(cell.row)][4 * cell.group + 1] = fixedText(alpha, 9, 3);
        }
      }
  }

  // 11. The copy for printing.
  for (std::size_t r = 1; r < t.grid.size(); ++r) {
    std::vector<std::string> row = t.grid[r];
    for (std::string& cell : row)
      if (cell.size() > 15) cell.resize(15);
    t.printGrid.push_back(std::move(row));
  }
  t.computed = true;
  return t;
}

std::vector<std::string> hourLineAngleText(const DesignState& d, const HourLineAngleTable& t) {
  std::vector<std::string> out;
  out.push_back(t.dialTypeLine);
  out.push_back("");
  out.push_back("  " + tableText(TextTable::Texts, textRow::kLatitudeIs) + t.latitudeText);
  std::string longitude = tableText(TextTable::Texts, textRow::kLongitudeIs);  // ", Longitude = "
  if (longitude.rfind(", ", 0) == 0) longitude.erase(0, 2);
  out.push_back("  " + longitude + t.longitudeText);
  out.push_back("  " + planarText(PlanarText::ZoneMeridianIs) + t.zoneMeridianText);
  out.push_back("  " + planarText(PlanarText::DeclinationIs) + t.declinationText);
  out.push_back("  " + planarText(PlanarText::InclinationIs) + t.inclinationText);
  out.push_back("  " + t.sunlitLabel + t.sunlitText);
  for (const std::string& line : t.infoLines) out.push_back(line);
  out.push_back(d.eotLinesOwnMeridian ? "" : "  " + planarText(PlanarText::LongitudeCorrection));
  auto pad = [](std::string s, std::size_t w) {
    std::size_t len = 0;
    for (unsigned char ch : s)
      if ((ch & 0xC0) != 0x80) ++len;
    if (len < w) s.append(w - len, ' ');
    return s;
  };
  const int groupsUsed = 4;
  for (int r = 0; r <= t.usedRows && r < static_cast<int>(t.grid.size()); ++r) {
    std::string line;
    for (int g = 0; g < groupsUsed; ++g) {
      const auto& row = t.grid[static_cast<std::size_t>(r)];
      line += pad(row[4 * g], 14) + pad(row[4 * g + 1], 14) + pad(row[4 * g + 2], 12) + "  ";
    }
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out.push_back(line);
  }
  return out;
}

}  // namespace tavrel
