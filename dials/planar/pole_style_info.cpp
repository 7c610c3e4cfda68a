#include "dials/planar/pole_style_info.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "astro/time_format.h"
#include "core/design_state.h"
#include "core/language.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "dials/planar/planar_lines.h"
#include "dials/planar/planar_plane.h"

namespace tavrel {

namespace {

double sinDeg(double x) { return static_cast<double>(sinl(x * kDegToRad)); }
double cosDeg(double x) { return static_cast<double>(cosl(x * kDegToRad)); }
double atanDeg(double x) { return static_cast<double>(atanl(x) / kDegToRad); }
double asinDeg(double x) { return static_cast<double>(asinl(std::clamp(x, -1.0, 1.0)) / kDegToRad); }

std::string poleText(int row) { return tableText(TextTable::PoleStyle, row); }

// The dial name of the plot title with its first letter upper-cased.
std::string dialName(char kind) {
  const int row = kind == 'v'   ? textRow::kVerticalSundial
                  : kind == 'i' ? textRow::kInclinedSundial
                                : textRow::kHorizontalSundial;
  std::string name = tableText(TextTable::Texts, row);
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return name;
}

// Appends `text` to `lines`, starting a new line at every CR LF.
void appendText(std::vector<std::string>& lines, std::string_view text) {
  for (;;) {
    const std::size_t at = text.find("\r\n");
    lines.back() += std::string(text.substr(0, at));
    if (at == std::string_view::npos) return;
    lines.emplace_back();
    text.remove_prefix(at + 2);
  }
}

// The declinations of the days whose daylight lasts a whole number of
// hours: 12 h at the equinox, then 12 + k hours on the summer side and
// 12 - k on the winter side, four entries to a line.
void sunshineDeclinations(std::vector<std::string>& lines, double latitude, double obliquity) {
  const std::string hours = poleText(poleStyleRow::kHours);
  lines.emplace_back();
  appendText(lines, "\r\n    " + poleText(poleStyleRow::kSunshineHours));
  lines.push_back("    12 " + hours + ": 0.0°;");
  const std::vector<double> decl = dayLengthDeclinations(latitude, obliquity);
  for (int side : {1, -1}) {
    std::string group = "   ";
    int count = 0;
    for (int k = 1; k <= 12; ++k) {
      const double d = decl[static_cast<std::size_t>(k)];
      if (std::isnan(d)) continue;
      group += " " + fixedText(12 + side * k, 2, 0) + " " + hours + ": " + fixedText(side * d, 6, 2) + "°,";
      if (++count % 4 == 0) group += "\r\n   ";
    }
    lines.emplace_back();
    appendText(lines, group);
  }
}

}  // namespace

PoleStyleInfo poleStyleInfo(const DesignState& d, double longitude, double inclination, double declination,
                            double latitude, double gnomonMm) {
  const char kind = planarPlane(d).kind;
  const std::string deg = tableText(TextTable::Texts, textRow::kDegrees);
  PoleStyleInfo info;
  std::vector<std::string>& lines = info.lines;

  lines.push_back(dialName(kind));
  lines.push_back(poleText(poleStyleRow::kLatitude) + fixedText(latitude, 31, 2) + deg);
  lines.push_back(poleText(poleStyleRow::kLongitude) + fixedText(longitude, 31, 2) + deg);
  if (kind != 'h') {
    lines.push_back(poleText(poleStyleRow::kDeclination) + fixedText(declination, 8, 2) + deg);
    lines.push_back(poleText(poleStyleRow::kInclination) + fixedText(inclination, 8, 2) + deg);
  }
  lines.push_back(poleText(poleStyleRow::kGnomonLength) + fixedText(gnomonMm, 8, 3) + " [ mm ]");

  // The polar style through the tip meets the face in S (Rohr, ch. 4).
  double G = latitude;
  if (std::fabs(std::fabs(G) - 90) < 0.0005) G = (G >= 0 ? 1 : -1) * 89.999;
  const double D = declination, i = inclination;
  const double J = cosDeg(D) * sinDeg(i) - sinDeg(G) * cosDeg(i) / cosDeg(G);
  info.styleParallel = std::fabs(J) < 1e-7 || std::fabs(J) > 1e7;
  if (info.styleParallel) {
    lines.push_back(poleText(poleStyleRow::kStyleParallel));
  } else {
    info.sx = -gnomonMm * sinDeg(D) / J;
    info.sy = gnomonMm * (cosDeg(D) * cosDeg(i) + sinDeg(i) * tanDeg(G)) / J;
    lines.push_back(poleText(poleStyleRow::kIntersection) + fixedText(info.sx, 6, 3) + "/" +
                    fixedText(info.sy, 6, 3) + ")");
  }

  info.styleOrthogonal = std::fabs(info.sx) + std::fabs(info.sy) < 0.005 && std::fabs(J) > 1e-7;
  if (info.styleOrthogonal) {
    lines.push_back(poleText(poleStyleRow::kStyleOrthogonal));
  } else {
    // -J cos G is the cosine of the angle between the plane's normal and
    // the north polar axis.
    info.styleHeight = asinDeg(-J * cosDeg(G));
    info.styleHeightText = fixedText(info.styleHeight, 8, 2);
    lines.push_back(poleText(poleStyleRow::kStyleHeight) + info.styleHeightText + deg);
    double a;
    if (std::fabs(sinDeg(D)) < 1e-7)
      a = std::fabs(D) >= 1 ? 90 : -90;
    else
      a = atanDeg((cosDeg(D) * cosDeg(i) + sinDeg(i) * tanDeg(G)) / sinDeg(D));
    info.substyleDirection = a + 90;
    info.substyleText = fixedText(a + 90, 8, 2);
    lines.push_back(poleText(poleStyleRow::kSubstyleDirection) + info.substyleText + deg);
  }

  // The shadow lies on the substyle when the sun's hour circle contains
  // the plane's normal (Waugh, ch. 10: tan u = tan D / sin G on a wall).
  info.shadowHourAngle = substyleShadowHourAngle(inclination, declination, latitude);
  info.shadowTimeText = formatMinutesSeconds(info.shadowHourAngle / 60 + 3);
  lines.push_back(poleText(poleStyleRow::kSubstyleShadow) + "  " + info.shadowTimeText + " " +
                  poleText(poleStyleRow::kOClock));

  if (d.integerSunshineLines) sunshineDeclinations(lines, latitude, d.obliquityRounded);

  lines.push_back(" ");
  for (int r = 0; r < explanationRow::kPoleStyleCount; ++r)
    lines.push_back(tableText(TextTable::Explanations, explanationRow::kPoleStyleFirst + r));
  return info;
}

PoleStyleInfo poleStyleInfoOfDesign(const DesignState& d, double gnomonMm) {
  const PlanarPlane plane = planarPlane(d);
  return poleStyleInfo(d, d.longitude, plane.inclination, plane.declination, d.latitude, gnomonMm);
}

PoleStyleInfo poleStyleInfoAtZoom(const DesignState& d, double zoomFactor) {
  const double mm = static_cast<double>(roundHalfEven(d.gnomonLength * zoomFactor * 100)) / 100;
  return poleStyleInfoOfDesign(d, mm);
}

std::string poleStyleInfoText(const PoleStyleInfo& info) {
  std::string text;
  for (std::size_t k = 0; k < info.lines.size(); ++k) {
    if (k > 0) text += "\r\n";
    text += info.lines[k];
  }
  return text;
}

std::vector<std::string> poleStyleInfoPrintLines(const PoleStyleInfo& info) {
  std::string separator;
  for (int k = 0; k < 79; ++k) separator += k % 2 == 0 ? '-' : ' ';
  std::vector<std::string> out{separator};
  out.insert(out.end(), info.lines.begin(), info.lines.end());
  out.push_back(separator);
  return out;
}

}  // namespace tavrel
