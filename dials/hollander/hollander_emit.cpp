// The one emitter of Hollander's mean-time dial, its screen, printer and
// plot entry points, and the cone file.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <vector>

#include "astro/calendar.h"
#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/hollander/hollander_dial.h"
#include "dials/hollander/hollander_texts.h"
#include "plot/label_space.h"
#include "plot/page_constants.h"

namespace tavrel {

void emitHollanderDial(PlotSurface& s, const HollanderDial& dial, const HollanderPlacement& p) {
  const auto X = [&](double x) { return p.x(x); };
  const auto Y = [&](double y) { return p.y(y); };
  int width = -1;
  for (const HollanderLine& line : dial.lines) {
    if (line.points.size() < 2) continue;
    s.selectPen(line.pen);
    const int w = p.lineWidth + line.extraWidth;
    if (!p.plot && w != width) s.setPenWidth(w), width = w;
    s.moveTo(X(line.points[0].x), Y(line.points[0].y));
    for (std::size_t i = 1; i < line.points.size(); ++i) s.lineTo(X(line.points[i].x), Y(line.points[i].y));
    s.penUp();
  }
  if (!p.plot) s.setPenWidth(1);
  // Labels go where they stay on the page and clear of the information
  // block and of each other (an hour number that would cover another
  // text is left out).
  const double h = p.textHeight;
  const double advance = p.plot ? 1.5 * p.charWidthCm / p.charHeightCm * h : kAverageAdvanceEm * h;
  const auto boxAt = [&](double x, double y, const std::string& t) {
    const double w = advance * static_cast<double>(utf8Length(t));
    return p.yUp ? LabelBox::of(x, y, w, h) : LabelBox::of(x, y, w, kLineHeightEm * h);
  };
  LabelSpace space(p.pageWidth > 0 ? LabelBox{0, 0, p.pageWidth, p.pageHeight} : LabelBox{-1e300, -1e300, 1e300, 1e300});
  const std::string* const block[] = {&dial.title, &dial.dataLine, &dial.coneLine};
  {
    double y = p.textY;
    for (const std::string* t : block) {
      space.take(boxAt(p.textX, y, *t));
      y += p.yUp ? -p.lineStep : p.lineStep;
    }
  }
  // The axis foot and the point under the apex.
  s.selectPen(4);
  s.setCharSize(p.charWidthCm, p.charHeightCm);
  const double m = p.markUnits;
  for (const auto& [pt, name] : {std::pair{dial.axisFoot, "A"}, std::pair{dial.underApex, "S"}}) {
    const double x = X(pt.x), y = Y(pt.y);
    s.moveTo(x - m, y);
    s.lineTo(x + m, y);
    s.moveTo(x, y - m);
    s.lineTo(x, y + m);
    s.penUp();
    const std::string text = p.plot ? std::string(name) : std::string(" ") + name;
    if (space.claim(boxAt(x + m, y, text))) s.label(x + m, y, text);
  }
  for (const HollanderLabel& l : dial.labels) {
    const double r = std::hypot(l.x, l.y);
    const double ux = r > 0 ? l.x / r : 0, uy = r > 0 ? l.y / r : 0;
    const double x = X(l.x) + ux * l.radialHeights * p.textHeight;
    const double y = Y(l.y) + (p.yUp ? -uy : uy) * l.radialHeights * p.textHeight;
    // Centred on its place: half a height left and up.
    const double lx = x - 0.5 * p.textHeight, ly = y - 0.5 * p.textHeight;
    if (!space.claim(boxAt(lx, ly, l.text))) continue;
    s.selectPen(l.pen);
    s.label(lx, ly, l.text);
  }
  // Date labels beside the noon line, outwards from the footprint.
  std::vector<HollanderDateLabel> dates = dial.dateLabels;
  std::sort(dates.begin(), dates.end(),
            [](const HollanderDateLabel& a, const HollanderDateLabel& b) { return a.distance < b.distance; });
  double lastX = 0, lastY = 0;
  bool any = false;
  s.selectPen(6);
  for (const HollanderDateLabel& l : dates) {
    const double x = X(l.x), y = Y(l.y);
    if (any && std::hypot(x - lastX, y - lastY) < 1.2 * p.textHeight) continue;
    const std::string text = p.plot ? asciiUmlauts(l.text) : l.text;
    const double lx = x + 0.4 * p.textHeight, ly = p.yUp ? y + 0.1 * p.textHeight : y - 1.1 * p.textHeight;
    if (!space.claim(boxAt(lx, ly, text))) continue;
    s.label(lx, ly, text);
    lastX = x, lastY = y, any = true;
  }
  s.selectPen(4);
  double y = p.textY;
  for (const std::string* t : block) {
    s.label(p.textX, y, p.plot ? asciiUmlauts(*t) : *t);
    y += p.yUp ? -p.lineStep : p.lineStep;
  }
}

PlotOutcome hollanderPlotRefusal(const HollanderDial& dial) {
  if (dial.refusal == HollanderRefusal::None) return {};
  return PlotRefusal{MsgCaption::Error, MsgIcon::Error, dial.refusalText};
}

bool showHollanderRefusal(const HollanderDial& dial) {
  const PlotOutcome refusal = hollanderPlotRefusal(dial);
  if (refusal) showPlotRefusal(*refusal);
  return refusal.has_value();
}

void drawHollanderDial(ScreenSurface& s, const HollanderInput& input, bool screenMode, int width, int height,
                       double zoom, double originX, double originY, double textX, double textY, bool grid) {
  const double z = std::max(zoom, 1e-3);
  const double units = (screenMode ? width / (s.paper() == ScreenPaper::A4 ? 280.0 : 420.0) : 10.0) * z;
  HollanderInput in = input;
  in.limitMm = 2.0 * std::max(width, height) / units;
  const HollanderDial dial = computeHollanderDial(in);
  if (showHollanderRefusal(dial)) return;
  HollanderPlacement p;
  p.originX = originX >= 1 ? originX : width / 2.0;
  p.originY = originY >= 1 ? originY : height / 2.0;
  p.unitsPerMm = units;
  p.lineWidth = std::max(1, s.pens().lineWidth);
  const double fh = screenMode ? 13 : 35;
  p.textHeight = fh;
  p.markUnits = screenMode ? 5 : 15;
  p.charWidthCm = p.charHeightCm = fh / (10 * s.unitsPerMm());
  p.textX = textX >= 1 ? textX : width * 3 / 8.0;
  p.textY = textY >= 1 ? textY : height / 25.0;
  p.lineStep = 1.4 * fh;
  p.screenCanvas = &s.canvas();
  p.pageWidth = width;
  p.pageHeight = height;
  if (grid) screenGrid(s, !screenMode, s.penColour(9), 10, height - 20, width - 20,
                       static_cast<int>(p.originY), static_cast<int>(p.originX));
  // The hour curves run on towards the horizon; the page ends them.
  s.setWindow(0, 0, width, height);
  emitHollanderDial(s, dial, p);
  s.resetWindow();
  if (screenMode) {
    Canvas& c = s.canvas();
    Font f = c.font();
    const Font old = f;
    f.face = "Arial";
    f.height = 13;
    f.colour = rgb(255, 0, 0);
    f.angle = 0;
    c.setFont(f);
    c.text(5, 5, hollanderText(HollanderText::Hint, in.language));
    c.setFont(old);
  }
}

PlotOutcome plotHollanderDial(HpglWriter& w, const HollanderInput& input, double zoom, double originX,
                              double originY, double textX, double textY) {
  const int R = w.resolutionFactor();
  const double z = std::max(zoom, 1e-3);
  const double units = 40.0 * R * z;
  HollanderInput in = input;
  in.limitMm = 2.0 * 16400.0 * R / units;
  const HollanderDial dial = computeHollanderDial(in);
  if (PlotOutcome refusal = hollanderPlotRefusal(dial)) return refusal;
  w.beginPage(PageStart::FramedPenFirst, 16157.0 * R, 11038.0 * R);
  HollanderPlacement p;
  p.plot = true;
  p.yUp = true;
  p.originX = originX >= 1 ? originX : 8078.0 * R;
  p.originY = originY >= 1 ? originY : 5519.0 * R;
  p.unitsPerMm = units;
  p.lineWidth = 0;
  p.markUnits = 60.0 * R;
  p.charWidthCm = 0.2;
  p.charHeightCm = 0.28;
  p.textHeight = 112.0 * R;
  p.textX = textX >= 1 ? textX : 1000.0 * R;
  p.textY = textY >= 1 ? textY : 10800.0 * R;
  p.lineStep = 200.0 * R;
  p.pageWidth = 16157.0 * R;
  p.pageHeight = 11038.0 * R;
  emitHollanderDial(w, dial, p);
  w.endPage(PageEnd::PenUpAway);
  return {};
}

namespace {

// The dial of the information: the axis at the drawing window's zoom, no
// hour curves.
HollanderInput informationInput(const HollanderInput& input, double zoom) {
  HollanderInput in = input;
  in.coneAxisMm *= std::max(zoom, 1e-3);
  in.hoursFrom = 1;
  in.hoursTo = 0;
  return in;
}

}  // namespace

std::vector<HollanderNoonSpread> hollanderNoonSpread(const HollanderDial& dial) {
  std::vector<HollanderNoonSpread> out;
  // The two apex shadows of a pair at noon (mean time of the plane).
  const double t = 12 - dial.longitudeDifference / 15;
  for (const HollanderDatePair& r : dial.rows) {
    double x1, y1, x2, y2;
    if (!hollanderApexShadow(dial, r.meanDeclination, r.eot, t, x1, y1) ||
        !hollanderApexShadow(dial, r.meanDeclination, r.partnerEot, t, x2, y2))
      continue;
    out.push_back({r.day, r.partner, std::hypot(x2 - x1, y2 - y1)});
  }
  return out;
}

void drawHollanderInfo(ScreenSurface& surface, const HollanderInput& input, int width, int height,
                       double zoom) {
  const HollanderInput in = informationInput(input, zoom);
  const int lang = in.language;
  const HollanderDial dial = computeHollanderDial(in);
  const double fh = std::max(8.0, height / 50.0);
  surface.selectPen(4);
  const double cm = fh / (10 * surface.unitsPerMm());
  surface.setCharSize(cm * 0.5, cm);
  surface.label(width * 0.06, height * 0.06, dial.title);
  if (dial.refusal != HollanderRefusal::None) {
    surface.label(width * 0.06, height * 0.06 + 2 * fh, dial.refusalText);
    return;
  }
  const std::vector<HollanderNoonSpread> spread = hollanderNoonSpread(dial);
  if (spread.empty()) return;
  const auto [lo, hi] = std::minmax_element(spread.begin(), spread.end(),
                                            [](const auto& a, const auto& b) { return a.dist < b.dist; });
  // The spread over the year: day of the year across, "Dist." (mm) up.
  const double left = width * 0.1, right = width * 0.9, top = height * 0.18, bottom = height * 0.85;
  const double yMax = std::max(hi->dist * 1.1, 1e-3);
  const auto X = [&](int day) { return left + (right - left) * (day - 1) / 365.0; };
  const auto Y = [&](double dist) { return bottom - (bottom - top) * dist / yMax; };
  const auto segment = [&](double x1, double y1, double x2, double y2) {
    surface.moveTo(x1, y1);
    surface.lineTo(x2, y2);
  };
  surface.selectPen(1);
  segment(left, top, left, bottom);
  surface.lineTo(right, bottom);
  for (int m = 1; m <= 12; ++m) {
    const double x = X(dayOfYear(in.year, m, 1));
    segment(x, bottom, x, bottom + fh * 0.4);
    surface.label(x + 2, bottom + fh * 0.6, monthName(m, lang));
  }
  surface.label(left - fh * 3, top - fh * 1.8, "Dist. [mm]");
  for (int k = 0; k <= 4; ++k) {
    const double v = yMax * k / 4;
    segment(left - fh * 0.4, Y(v), left, Y(v));
    surface.label(left - fh * 3.5, Y(v) - fh * 0.5, fixedText(v, 5, 2));
  }
  std::vector<PlotVertex> curve;
  std::vector<HollanderNoonSpread> sorted = spread;
  std::sort(sorted.begin(), sorted.end(), [](const auto& a, const auto& b) { return a.day < b.day; });
  for (const HollanderNoonSpread& s : sorted) curve.push_back({X(s.day), Y(s.dist), !curve.empty()});
  surface.selectPen(3);
  surface.polyline(curve);
  // The smallest and the largest spread, marked and named below.
  surface.selectPen(2);
  for (const HollanderNoonSpread* s : {&*lo, &*hi}) {
    const double x = X(s->day), y = Y(s->dist), r = fh * 0.4;
    segment(x - r, y - r, x + r, y + r);
    segment(x - r, y + r, x + r, y - r);
  }
  const auto pair = [&](const HollanderNoonSpread& s) {
    return " (" + dateLabel(s.day, in.year, lang) + " / " + dateLabel(s.partner, in.year, lang) + ")";
  };
  surface.selectPen(4);
  // The smallest on one line, the largest on the next: one line would run
  // off the picture.
  surface.label(left, bottom + fh * 2.5,
                hollanderText(HollanderText::DistMin, lang) + fixedText(lo->dist, 6, 2) + " mm" + pair(*lo));
  surface.label(left, bottom + fh * 3.8,
                hollanderText(HollanderText::DistMax, lang) + fixedText(hi->dist, 6, 2) + " mm" + pair(*hi));
}

std::vector<std::string> hollanderInformation(const HollanderInput& input, double zoom) {
  const HollanderInput in = informationInput(input, zoom);
  const int lang = in.language;
  const HollanderDial dial = computeHollanderDial(in);
  std::vector<std::string> lines{dial.title};
  if (dial.refusal != HollanderRefusal::None) {
    lines.push_back(dial.refusalText);
    return lines;
  }
  const auto text = [lang](HollanderText t) { return hollanderText(t, lang); };
  lines.push_back(dial.dataLine);
  lines.push_back(dial.coneLine);
  lines.push_back(text(HollanderText::FootprintA) + fixedText(dial.a, 7, 2) + text(HollanderText::FootprintB) +
                  fixedText(dial.b, 7, 2) + " mm");
  lines.push_back(text(HollanderText::AxisFootOffset) + fixedText(dial.c, 7, 2) + " mm");
  lines.push_back(text(HollanderText::ApexHeight) + fixedText(dial.apexHeight, 7, 2) + " mm");
  if (in.variant % 3 != 0) {
    lines.push_back(text(HollanderText::EquivalentLatitude) + fixedText(dial.equivalentLatitude, 7, 2) +
                    text(HollanderText::LongitudeDifference) + fixedText(dial.longitudeDifference, 7, 2) +
                    text(HollanderText::Turn) + fixedText(dial.turn, 7, 2));
  }
  const std::vector<HollanderNoonSpread> spread = hollanderNoonSpread(dial);
  if (!spread.empty()) {
    const auto [lo, hi] = std::minmax_element(spread.begin(), spread.end(),
                                              [](const auto& a, const auto& b) { return a.dist < b.dist; });
    const auto pair = [&](const HollanderNoonSpread& s) {
      return " (" + dateLabel(s.day, in.year, lang) + " / " + dateLabel(s.partner, in.year, lang) + ")";
    };
    lines.push_back(text(HollanderText::DistMin) + fixedText(lo->dist, 6, 2) + " mm" + pair(*lo) +
                    text(HollanderText::DistMax) + fixedText(hi->dist, 6, 2) + " mm" + pair(*hi));
  }
  std::string listing = dial.declinationListing;
  for (std::size_t from = 0; from < listing.size();) {
    const std::size_t cut = listing.find("\r\n", from);
    lines.push_back(listing.substr(from, cut == std::string::npos ? std::string::npos : cut - from));
    if (cut == std::string::npos) break;
    from = cut + 2;
  }
  return lines;
}

std::string hollanderConeFileName(const std::string& plotFile) {
  const std::filesystem::path path(plotFile);
  std::filesystem::path out = path;
  std::string ext = path.extension().string();
  if (ext == ".dxf" || ext == ".DXF") ext = ".plt";
  out.replace_filename(path.stem().string() + "Cone" + ext);
  return out.string();
}

void plotHollanderCone(HpglWriter& w, const HollanderInput& in, double zoom) {
  const int R = w.resolutionFactor();
  const double k = 40.0 * R;  // units per mm
  const double L = in.coneAxisMm * std::max(zoom, 1e-3);
  const double psi = radians(in.axisInclination);
  const double al = radians(in.halfAngle);
  w.beginPage(PageStart::FramedBraced, 16400.0 * R, 11480.0 * R);
  w.selectPen(4);
  w.setCharSize(0.25, 0.35);
  // Cross section in the meridian plane: the plate line, the axis from
  // its foot to the apex and the two generators in that plane.
  const double fx = 1500.0 * R, fy = 2000.0 * R;
  const double ax = fx + k * L * std::cos(psi), ay = fy + k * L * std::sin(psi);
  const double h = L * std::sin(psi);
  const double g1 = h / std::tan(psi + al), g2 = h / std::tan(psi - al);
  const double apexX = L * std::cos(psi);
  w.selectPen(1);
  w.moveTo(fx + k * (apexX - g2) - 400.0 * R, fy);
  w.lineTo(fx + k * (apexX - g1) + 400.0 * R, fy);
  w.penUp();
  w.selectPen(2);
  w.moveTo(fx + k * (apexX - g2), fy);
  w.lineTo(ax, ay);
  w.lineTo(fx + k * (apexX - g1), fy);
  w.penUp();
  w.selectPen(3);
  w.moveTo(fx, fy);
  w.lineTo(ax, ay);
  w.penUp();
  w.selectPen(4);
  w.label(fx, fy - 400.0 * R, asciiUmlauts(hollanderText(HollanderText::ConeSection, in.language)));
  // The unfolded surface of the cone from its apex to the plate: the
  // generators have the lengths from the apex to the footprint ellipse;
  // a generator at angle u about the axis has direction
  // (sin al cos u, sin al sin u, cos al) in the axis frame.
  const double cx = 10000.0 * R, cy = 6000.0 * R;
  const double unfoldFactor = std::sin(al);  // developed angle = u sin(al)
  w.selectPen(2);
  bool first = true;
  for (int i = 0; i <= 360; ++i) {
    const double u = radians(i);
    // Height of the generator's unit direction below the apex: the axis
    // points down at psi, the generator tilts from it by al about u.
    const double down = std::cos(al) * std::sin(psi) + std::sin(al) * std::cos(u) * std::cos(psi);
    const double len = down > 1e-6 ? h / down : 0;
    const double ang = u * unfoldFactor;
    const double x = cx + k * std::min(len, 250.0) * std::cos(ang);
    const double y = cy + k * std::min(len, 250.0) * std::sin(ang);
    if (first) w.moveTo(cx, cy), w.lineTo(x, y), first = false;
    else w.lineTo(x, y);
  }
  w.lineTo(cx, cy);
  w.penUp();
  w.selectPen(4);
  w.label(cx, cy - 400.0 * R, asciiUmlauts(hollanderText(HollanderText::ConeUnfolded, in.language)));
  w.endPage(PageEnd::PenUpAway);
}

}  // namespace tavrel
