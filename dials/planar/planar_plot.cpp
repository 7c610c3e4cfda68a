#include "dials/planar/planar_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "dials/planar/planar_lines.h"
#include "dials/planar/planar_marks.h"
#include "dials/planar/planar_plane.h"
#include "dials/planar/planar_plot_texts.h"
#include "dials/planar/planar_texts.h"
#include "dials/planar/pole_style_info.h"
#include "plot/page_constants.h"

namespace tavrel {

namespace {

double wrap180(double a) {
  while (a > 180) a -= 360;
  while (a <= -180) a += 360;
  return a;
}

bool isWholeHour(double t) { return std::isfinite(t) && t == std::floor(t); }

class PlanarPlotWriter : private PlanarLineObserver {
 public:
  PlanarPlotWriter(HpglWriter& writer, const DesignState& d, const PlanarPlotRequest& request,
                   CoordinatesListing* listing)
      : w_(writer),
        rq_(request),
        list_(listing),
        d_(d),
        plane_(planarPlane(d_)),
        R_(request.resolutionFactor),
        u_(static_cast<double>(kPlotUnitsPerMm) * request.resolutionFactor),
        Lp_(plotGnomonUnits(d, request.zoomFactor, request.resolutionFactor)) {}

  void run() {
    w_.writeStandardPrologue();
    if (list_) list_->writeHead(d_, poleStyleInfoOfDesign(d_, Lp_ / u_).lines, rq_.plotFileName);
    placeFootAndText();
    grid();
    if (d_.plotLineWidth != 1) w_.setPenWidth(0);
    const PlanarLines lines = computeLines();
    at_ = {xp_, yp_, u_, false};
    header(lines);
    horizonLine();
    styleAndTriangle(lines.style);
    // The lines, drawn with the plot's pen width.
    if (d_.plotLineWidth != 1) w_.setPenWidth(d_.plotLineWidth - 1);
    pen_ = 0;  // the line families select their pens
    plotLines(lines, PlanarLineKind::DayLength);
    if (list_) list_->dateLinesHeading();
    plotLines(lines, PlanarLineKind::DateLine);
    plotLines(lines, PlanarLineKind::Temporal);
    plotLines(lines, PlanarLineKind::Babylonian);
    plotLines(lines, PlanarLineKind::Italian);
    plotLines(lines, PlanarLineKind::Altitude);
    plotLines(lines, PlanarLineKind::HourLine);
    plotLines(lines, PlanarLineKind::EotHourLine);
    plotLines(lines, PlanarLineKind::Analemma);
    analemmaMarks(lines);
    if (d_.plotLineWidth != 1) w_.setPenWidth(0);
    if (plane_.kind == 'i' || plane_.kind == 'v') endMarks(lines.style);
  }

 private:
  double r(double v) const { return v * R_; }
  double px(double xMm) const { return at_.x(xMm); }
  double py(double yMm) const { return at_.y(yMm); }

  void label(double x, double y, const std::string& text) { w_.label(x, y, asciiUmlauts(text)); }
  void labelHere(const std::string& text) { w_.labelHere(asciiUmlauts(text)); }
  void polyline(std::initializer_list<PlotVertex> vertices) { w_.polyline(vertices); }

  void placeFootAndText() {
    if (rq_.footFixed) {
      xp_ = rq_.footX;
      yp_ = rq_.footY;
    } else {
      const PlotPoint p = defaultPlotFoot(d_, Lp_, R_);
      xp_ = p.x;
      yp_ = p.y;
    }
    if (rq_.textMarked) {
      X_ = rq_.textX;
      Y_ = rq_.textY;
      if (plane_.kind != 'v') Y_ = std::min(Y_, r(10800));
    } else {
      const PlotPoint t = defaultPlotTextAnchor(d_, R_);
      X_ = t.x;
      Y_ = t.y;
    }
  }

  void grid() {
    const std::optional<int> spacing = plotGridSpacing(rq_.grid, rq_.gridSpacingMm);
    if (spacing)
      w_.hpglGrid(xp_, yp_, r(kPlotGridWidth), static_cast<double>(*spacing) * u_, r(kPlotGridHeight));
  }

  // The horizon of an inclined plane lies Lp cot i above the foot (an
  // umbrella's disc edge Lp / sin i); the lines are cut 1200 R above it.
  double inclinedHorizonY() const {
    double i = d_.planeInclination;
    if (std::fabs(i) < 1e-12) i = 1e-12;
    double y = yp_ + inclinedHorizonHeight(plane_.umbrella, i, Lp_);
    if (!(y <= r(kPlotWindowHeight))) y = r(kPlotWindowHeight);
    if (y < r(1)) y = r(1);
    return y;
  }

  PlanarLines computeLines() {
    frameTop_ = r(kPlotWindowHeight);
    if (plane_.kind == 'i') frameTop_ = inclinedHorizonY() + r(1200);
    const double W = r(kPlotWindowWidth), H = r(kPlotWindowHeight);
    PlanarLineInput input;
    input.plane = plane_;
    input.gnomonMm = Lp_ / u_;
    input.frame.left = (0 - xp_) / u_;
    input.frame.right = (W - xp_) / u_;
    input.frame.bottom = (0 - yp_) / u_;
    input.frame.top = (frameTop_ - yp_) / u_;
    input.frame.wideLeft = input.frame.left;
    input.frame.wideRight = (2 * W - xp_) / u_;
    input.frame.wideBottom = (-H - yp_) / u_;
    input.frame.wideTop = input.frame.top;
    // Thresholds that the construction states in target units are taken
    // in plotter units at R = 1, so that the file written for a DXF is the
    // HPGL file times R.
    input.frame.unitsPerMm = kPlotUnitsPerMm;
    input.sampling = PlanarLineSampling::plot();
    input.angles = rq_.angles;
    return computePlanarLines(d_, input);
  }

  // Marks at the foot, scale bar, title, legend and hour numbers.
  void header(const PlanarLines& lines) {
    const char k = plane_.kind;
    const double x = xp_, y = yp_, arm = r(200);
    w_.selectPen(4);
    polyline({{x - arm, y, false}, {x + arm, y, true}, {x, y, true}, {x, y + arm, true}, {x, y - arm, true}});
    // The double gnomon length as a bracket in the lower left corner.
    const double c40 = r(40), c160 = r(160), end = 2 * Lp_ + r(40);
    polyline({{c40, c40, false}, {end, c40, true}, {end, c160, true}});
    polyline({{c40, c40, false}, {c40, end, true}, {c160, end, true}});
    w_.moveTo(c160, c160);
    w_.setCharSize(0.16, 0.24);
    w_.labelHere(workText(workTextRow::kDoubleGnomonHeight) + fixedText(Lp_ / u_, 6, 3) + " mm)");
    w_.endCommand();

    // The title, indented as the plot has always set it.
    const int indent = !plane_.umbrella ? (k == 'i' ? 5 : 0) : (k == 'v' ? 4 : 3);
    w_.setCharSize(0.28, 0.5);
    label(X_, Y_, std::string(static_cast<std::size_t>(indent), ' ') + planarDialName(plane_));

    w_.setCharSize(0.2, 0.3);
    const PlanarInfoTexts info = planarInfoTexts(d_);
    const double locationDy = k == 'h' ? (plane_.umbrella ? 220 : 300) : 440;
    label(X_, Y_ - r(locationDy), info.location);
    if (k == 'i')
      label(X_, Y_ - r(650), info.inclination + "; " + info.deviation);
    else if (k == 'v')
      label(X_, Y_ - r(650), info.deviation);
    if (plane_.umbrella) {
      const std::string disk = planarText(PlanarText::DiskRadius) + fixedText(d_.umbrellaRadiusRatio, 5, 2) +
                               planarText(PlanarText::TimesHeight);
      if (k == 'h')
        label(X_ + r(705), Y_ - r(400), disk);
      else
        label(X_ + r(870), Y_ - r(220), disk);
    }
    if (k != 'h') {
      w_.setCharSize(0.16, 0.24);
      label(X_ + r(870), Y_ - r(800), plotText(PlotText::NegativeSignEast));
    }

    // Legend: a sample of the shadow paths (pen 1) and of the hour lines
    // (pen 3).
    const double a = k == 'i' ? 1020 : k == 'h' ? 560 : 1100;
    const double b = k == 'i' ? 610 : k == 'h' ? 705 : 690;
    const double c = k == 'i' ? 1160 : k == 'h' ? 700 : 1240;
    w_.selectPen(1);
    w_.moveTo(X_, Y_ - r(a));
    w_.lineTo(X_ + r(b), Y_ - r(a));
    w_.selectPen(4);
    labelHere("  " + plotText(PlotText::ShadowPath));
    w_.selectPen(3);
    w_.moveTo(X_, Y_ - r(c));
    w_.lineTo(X_ + r(b), Y_ - r(c));
    if (k == 'v') {
      w_.selectPen(4);
      labelHere("  " + plotText(PlotText::HourLinesWithoutEot) +
                (d_.eotLinesOwnMeridian ? " " + tableText(TextTable::Texts, textRow::kLocalApparentTime)
                                        : tableText(TextTable::Texts, textRow::kApparentTimeZoneMeridian)) +
                ")");
    }

    hourNumbers(lines);
  }

  // The hours 6, 9, .., 21 at their shadow point of the summer solstice,
  // written 300 R below it.
  void hourNumbers(const PlanarLines& lines) {
    if (!(d_.localTimeNoEot || d_.withEot)) return;
    w_.penUpPenAndSize(4, 0.2, 0.3);
    const bool south = d_.latitude < 0;
    for (const HourNumberAnchor& a : lines.hourNumbers) {
      const ShadowPoint& p = south ? a.december : a.june;
      const double azimuth = south ? a.azimuthDecember : a.azimuthJune;
      const double x = px(p.x), y = py(p.y) - r(300);
      if (!(x > 0 && x < r(16300) && y > 0 && y < r(11400))) continue;
      if (!p.inFront) continue;
      // The sun on the face's side: for a wall its azimuth within 90
      // degrees of the wall's; for other planes the sun above the plane.
      if (plane_.vertical) {
        if (!(std::fabs(wrap180(azimuth - d_.wallDeclination)) < 90)) continue;
      } else if (!plane_.umbrella && !p.facing) {
        continue;
      }
      label(x, y, std::to_string(a.hour));
    }
  }

  void horizonLine() {
    if (plane_.kind != 'i' && plane_.kind != 'v') return;
    const double y = plane_.kind == 'i' ? inclinedHorizonY() : yp_;
    w_.selectPen(5);
    w_.moveTo(plane_.kind == 'i' ? 0 : 5, y);
    w_.lineTo(r(kPlotPageWidth), y);
  }

  // The style P-S and the polar triangle P, T', S (T' the gnomon tip
  // laid down on the face), cut at the drawing window.
  void styleAndTriangle(StyleFoot style) {
    if (!d_.drawPoleTriangle) return;
    if (plane_.umbrella && plane_.kind != 'h') return;
    const double sx = style.sx * u_, sy = style.sy * u_;
    const DialPoint tip = poleTriangleTip(sx, sy, Lp_, d_.latitude);
    const DialPoint P{xp_, yp_}, S{xp_ + sx, yp_ + sy}, T{xp_ + tip.x, yp_ + tip.y};
    DialFrame window;
    window.left = 0;
    window.right = r(kPlotWindowWidth);
    window.bottom = 0;
    window.top = r(kPlotWindowHeight);
    // P and the cut points are written 7 wide, T' and S as integers.
    auto form = [&](const DialPoint& q, const DialPoint& original) {
      const bool exact = q.x == original.x && q.y == original.y;
      w_.setCoordinateWidth(exact && !(original.x == P.x && original.y == P.y) ? 0 : 7);
    };
    w_.selectPen(4);
    for (auto [a0, b0] : {std::pair{P, S}, std::pair{P, T}, std::pair{T, S}}) {
      DialPoint a = a0, b = b0;
      if (!clipSegment(a, b, window)) continue;
      form(a, a0);
      w_.moveTo(a.x, a.y);
      form(b, b0);
      w_.lineTo(b.x, b.y);
    }
    w_.setCoordinateWidth(0);
  }

  std::string sectionTitle(const PlanarLine& line) const {
    const std::string oClock = tableText(TextTable::PoleStyle, poleStyleRow::kOClock);
    const std::string deg = tableText(TextTable::Texts, textRow::kDegrees);
    switch (line.kind) {
      case PlanarLineKind::DayLength:
        return plotText(PlotText::SunDeclination) + ": " + fixedText(line.value, 6, 2) + deg;
      case PlanarLineKind::DateLine:
        if (d_.dateLineMode == '0')
          return plotText(PlotText::SunDeclination) + ": " + fixedText(line.value, 6, 2) + deg;
        return plotText(PlotText::Line) + line.label + ":";
      case PlanarLineKind::HourLine:
      case PlanarLineKind::EotHourLine:
      case PlanarLineKind::Analemma: {
        const int hour = static_cast<int>(std::floor(line.value + 1e-9));
        const long long minutes = roundHalfEven((line.value - hour) * 60);
        if (!line.subdivision)
          return plotText(PlotText::Line) + fixedText(hour, 3, 0) + ":00 " + oClock + ":";
        return plotText(PlotText::Line) + fixedText(hour, 3, 0) + ":" +
               fixedText(static_cast<double>(minutes), 2, 0) + " " + oClock + ":";
      }
      case PlanarLineKind::Temporal:
        return plotText(PlotText::TemporalHour) + " " + fixedText(line.value, 5, 2) + ":";
      case PlanarLineKind::Babylonian:
        return plotText(PlotText::BabylonianHour) + " " + fixedText(line.value, 5, 2) + ":";
      case PlanarLineKind::Italian:
        return plotText(PlotText::ItalianHour) + " " + fixedText(line.value, 5, 2) + ":";
      case PlanarLineKind::Altitude:
        return plotText(PlotText::SunAltitude) + fixedText(line.value, 5, 1) + deg;
    }
    return {};
  }

  // Every line of one kind, the listing seeing the same points.
  void plotLines(const PlanarLines& lines, PlanarLineKind kind) {
    emitPlanarLines(w_, lines, kind, at_, pen_, list_ ? this : nullptr);
  }

  void beginLine(const PlanarLine& line) override {
    list_->beginSection(sectionTitle(line), byHour(line));
  }
  void vertex(const PlanarLine& line, const PathVertex& v) override {
    if (byHour(line) && isWholeHour(v.param))
      list_->hourPoint(static_cast<int>(v.param), v.x, v.y);
    else
      list_->point(v.x, v.y);
  }
  static bool byHour(const PlanarLine& line) {
    return line.kind == PlanarLineKind::DateLine || line.kind == PlanarLineKind::DayLength;
  }

  // Circles of 0.6 mm on the analemma: pen 2 for the first mark of a
  // month, pen 4 for the others.
  void analemmaMarks(const PlanarLines& lines) {
    for (const AnalemmaMark& m : lines.marks) {
      if (!m.shown) continue;
      const int pen = m.firstOfMonth ? 2 : 4;
      if (pen != pen_) {
        w_.selectPen(pen);
        pen_ = pen;
      }
      w_.circle(px(m.x), py(m.y), r(24));
    }
  }

  // A square round P and, without umbrella, the dashed substyle to the
  // style foot S, marked by a cross, a circle and the letter S.
  void endMarks(StyleFoot style) {
    const double q = r(60), x = xp_, y = yp_;
    w_.setWindowOpen(0, 0, r(kPlotWindowWidth), r(kPlotWindowHeight));
    w_.selectPen(4);
    polyline({{x - q, y - q, false}, {x + q, y - q, true}, {x + q, y + q, true}, {x - q, y + q, true},
              {x - q, y - q, true}});
    w_.endCommand();
    pen_ = 4;
    if (plane_.umbrella) return;
    const double Sx = px(style.sx), Sy = py(style.sy);
    if (!(std::fabs(Sx - r(kPlotPageWidth) / 2) < r(kPlotPageWidth) &&
          std::fabs(Sy - r(kPlotPageHeight) / 2) < r(kPlotPageHeight)))
      return;
    // S is written 5 wide.
    const double arm = r(36);
    w_.setCoordinateWidth(5);
    w_.dashedSegment(xp_, yp_, Sx, Sy);
    w_.moveTo(Sx - arm, Sy);
    w_.lineTo(Sx + arm, Sy);
    w_.moveTo(Sx, Sy - arm);
    w_.lineTo(Sx, Sy + arm);
    w_.circle(Sx, Sy, r(50));
    w_.label(Sx + r(60), Sy + r(20), "S");
    w_.setCoordinateWidth(0);
  }

  HpglWriter& w_;
  const PlanarPlotRequest& rq_;
  CoordinatesListing* list_;
  const DesignState& d_;
  PlanarPlane plane_;
  int R_;
  double u_;
  double Lp_;
  double xp_ = 0, yp_ = 0, X_ = 0, Y_ = 0;
  double frameTop_ = 0;
  DialPlacement at_;
  int pen_ = 4;
};

}  // namespace

double plotGnomonUnits(const DesignState& d, double zoomFactor, int resolutionFactor) {
  return roundedGnomonLength(d, zoomFactor, resolutionFactor) * kPlotUnitsPerMm;
}

PlotPoint defaultPlotFoot(const DesignState& d, double gnomonUnits, int R) {
  PlotPoint p{8200.0 * R, 0};
  if (d.dialKind == 'v') {
    p.y = 11000.0 * R;
    if (d.wallDeclination > 50) p.x += 2400.0 * R;
    if (d.wallDeclination < -50) p.x -= 2400.0 * R;
    return p;
  }
  const double lat = std::fabs(d.latitude);
  p.y = (lat > 49 ? 2500.0 : lat > 30 ? 4000.0 : 5500.0) * R;
  if (lat > 50 && 3000.0 * R < gnomonUnits) p.y = 1500.0 * R;
  if (d.latitude < 0) p.y = 11000.0 * R - p.y;
  return p;
}

PlotPoint defaultPlotTextAnchor(const DesignState& d, int R) {
  if (d.dialKind == 'v') return {(d.wallDeclination >= 0 ? 9000.0 : 800.0) * R, 1540.0 * R};
  if (d.dialKind == 'i') return {5200.0 * R, 1540.0 * R};
  return {5200.0 * R, 1000.0 * R};
}

void writePlanarPlot(HpglWriter& writer, const DesignState& d, const PlanarPlotRequest& request,
                     CoordinatesListing* listing) {
  PlanarPlotWriter(writer, d, request, listing).run();
}

}  // namespace tavrel
