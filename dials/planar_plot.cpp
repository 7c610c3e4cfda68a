#include "dials/planar_plot.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/planar_lines.h"
#include "dials/planar_plane.h"
#include "dials/planar_plot_texts.h"
#include "dials/planar_texts.h"
#include "dials/pole_style_info.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "plot/page_constants.h"

namespace tavrel {

namespace {

constexpr double kRad = static_cast<double>(kDegToRad);

std::string I(double v) { return hpglInt(v); }

double wrap180(double a) {
  while (a > 180) a -= 360;
  while (a <= -180) a += 360;
  return a;
}

bool isWholeHour(double t) { return std::isfinite(t) && t == std::floor(t); }

class PlanarPlotWriter {
 public:
  PlanarPlotWriter(HpglWriter& writer, const PlanarPlotRequest& request, CoordinatesListing* listing)
      : w_(writer),
        rq_(request),
        list_(listing),
        d_(design()),
        plane_(planarPlane(d_)),
        R_(request.resolutionFactor),
        u_(static_cast<double>(kPlotUnitsPerMm) * request.resolutionFactor),
        Lp_(plotGnomonUnits(request.zoomFactor, request.resolutionFactor)) {}

  void run() {
    w_.writeStandardPrologue();
    if (list_) list_->writeHead(poleStyleInfoOfDesign(Lp_ / u_).lines, rq_.plotFileName);
    placeFootAndText();
    grid();
    if (d_.plotLineWidth != 1) w_.hpglWrite(";PW 0;");
    const PlanarLines lines = computeLines();
    header(lines);
    horizonLine();
    styleAndTriangle(lines.style);
    // The lines, drawn with the plot's pen width.
    if (d_.plotLineWidth != 1) w_.hpglWrite(";PW " + std::to_string(d_.plotLineWidth - 1) + ";");
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
    if (d_.plotLineWidth != 1) w_.hpglWrite(";PW 0;");
    if (plane_.kind == 'i' || plane_.kind == 'v') endMarks(lines.style);
  }

 private:
  double r(double v) const { return v * R_; }
  double px(double xMm) const { return xp_ + xMm * u_; }
  double py(double yMm) const { return yp_ + yMm * u_; }

  void label(double x, double y, const std::string& text) { w_.label(x, y, asciiUmlauts(text)); }
  // A label at the pen's position.
  void labelHere(const std::string& text) {
    w_.hpglWrite(";LB" + hpglLabelText(asciiUmlauts(text)) + kLabelTerminator);
  }

  void placeFootAndText() {
    if (rq_.footFixed) {
      xp_ = rq_.footX;
      yp_ = rq_.footY;
    } else {
      const PlotPoint p = defaultPlotFoot(Lp_, R_);
      xp_ = p.x;
      yp_ = p.y;
    }
    if (rq_.textMarked) {
      X_ = rq_.textX;
      Y_ = rq_.textY;
      if (plane_.kind != 'v') Y_ = std::min(Y_, r(10800));
    } else {
      const PlotPoint t = defaultPlotTextAnchor(R_);
      X_ = t.x;
      Y_ = t.y;
    }
  }

  void grid() {
    std::optional<int> spacing;
    switch (rq_.grid) {
      case PlotGrid::Ask: spacing = askPlotGrid(); break;
      case PlotGrid::On: spacing = rq_.gridSpacingMm; break;
      case PlotGrid::Off: break;
    }
    if (spacing)
      w_.hpglGrid(xp_, yp_, r(kPlotGridWidth), static_cast<double>(*spacing) * u_, r(kPlotGridHeight));
  }

  // The horizon of an inclined plane lies Lp cot i above the foot (an
  // umbrella's disc edge Lp / sin i); the lines are cut 1200 R above it.
  double inclinedHorizonY() const {
    double i = d_.planeInclination;
    if (std::fabs(i) < 1e-12) i = 1e-12;
    const double s = std::sin(i * kRad);
    double y = plane_.umbrella ? yp_ + Lp_ / s : yp_ + Lp_ * std::cos(i * kRad) / s;
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
    return computePlanarLines(input);
  }

  // Marks at the foot, scale bar, title, legend and hour numbers.
  void header(const PlanarLines& lines) {
    const char k = plane_.kind;
    w_.hpglWrite(";SP 4;PU " + I(xp_ - r(200)) + " " + I(yp_) + ";PD " + I(xp_ + r(200)) + " " + I(yp_) +
                 " " + I(xp_) + " " + I(yp_) + " " + I(xp_) + " " + I(yp_ + r(200)) + " " + I(xp_) + " " +
                 I(yp_ - r(200)));
    // The double gnomon length as a bracket in the lower left corner.
    const std::string c40 = I(r(40)), c160 = I(r(160)), end = I(2 * Lp_ + r(40));
    w_.hpglWrite(";PU " + c40 + " " + c40 + ";PD " + end + " " + c40 + " " + end + " " + c160);
    w_.hpglWrite(";PU " + c40 + " " + c40 + ";PD " + c40 + " " + end + " " + c160 + " " + end);
    w_.hpglWrite(";PU " + c160 + " " + c160);
    w_.setCharSize(0.16, 0.24);
    w_.hpglWrite(";LBdoppelte Gnomonhoehe (= 2 * " + fixedText(Lp_ / u_, 6, 3) + " mm)" +
                 kLabelTerminator + ";");

    const std::string deg = tableText(TextTable::Texts, textRow::kDegrees);
    std::string title;
    if (k == 'h')
      title = plane_.umbrella ? "   " + tableText(TextTable::Texts, textRow::kHorizontalUmbrella)
                              : tableText(TextTable::Texts, textRow::kHorizontalSundial);
    else if (k == 'i')
      title = plane_.umbrella ? "   " + tableText(TextTable::Texts, textRow::kInclinedUmbrella)
                              : "     " + tableText(TextTable::Texts, textRow::kInclinedSundial);
    else
      title = plane_.umbrella ? "    " + tableText(TextTable::Texts, textRow::kVerticalUmbrella)
                              : tableText(TextTable::Texts, textRow::kVerticalSundial);
    w_.setCharSize(0.28, 0.5);
    label(X_, Y_, title);

    w_.setCharSize(0.2, 0.3);
    const std::string location = tableText(TextTable::Texts, textRow::kLatitudeIs) +
                                 fixedText(d_.latitude, 6, 2) + deg +
                                 tableText(TextTable::Texts, textRow::kLongitudeIs) +
                                 fixedText(d_.longitude, 6, 2) + deg;
    const double locationDy = k == 'h' ? (plane_.umbrella ? 220 : 300) : 440;
    label(X_, Y_ - r(locationDy), location);
    const std::string deviation = planarText(PlanarText::Deviation) + fixedText(d_.wallDeclination, 6, 2) + deg;
    if (k == 'i')
      label(X_, Y_ - r(650),
            planarText(PlanarText::Inclination) + fixedText(d_.planeInclination, 6, 2) + deg + "; " + deviation);
    else if (k == 'v')
      label(X_, Y_ - r(650), deviation);
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
    w_.hpglWrite(";SP 1;PU " + I(X_) + " " + I(Y_ - r(a)) + ";PD " + I(X_ + r(b)) + " " + I(Y_ - r(a)) + ";SP 4");
    labelHere("  " + plotText(PlotText::ShadowPath));
    w_.hpglWrite(";SP 3;PU " + I(X_) + " " + I(Y_ - r(c)) + ";PD " + I(X_ + r(b)) + " " + I(Y_ - r(c)));
    if (k == 'v') {
      w_.hpglWrite(";SP 4");
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
    w_.hpglWrite(";PU; SP4; SI " + fixedText(0.2 * R_, 5, 2) + "," + fixedText(0.3 * R_, 5, 2) + ";");
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
    if (plane_.kind == 'i') {
      const std::string y = I(inclinedHorizonY());
      w_.hpglWrite(";SP 5;PU 0 " + y + ";PD " + I(r(kPlotPageWidth)) + " " + y);
    } else if (plane_.kind == 'v') {
      w_.hpglWrite(";SP 5;PU 5 " + I(yp_) + ";PD " + I(r(kPlotPageWidth)) + " " + I(yp_));
    }
  }

  // The style P-S and the polar triangle P, T', S (T' the gnomon tip
  // laid down on the face), cut at the drawing window.
  void styleAndTriangle(StyleFoot style) {
    if (!d_.drawPoleTriangle) return;
    if (plane_.umbrella && plane_.kind != 'h') return;
    const double sx = style.sx * u_, sy = style.sy * u_;
    double e = std::sqrt(sx * sx + sy * sy);
    if ((sx >= 0 && sy > 0) || (d_.latitude < 0 && sx >= 0 && sy < 0)) e = -e;
    if (e == 0) e = 1;
    const DialPoint P{xp_, yp_}, S{xp_ + sx, yp_ + sy}, T{xp_ + Lp_ * sy / e, yp_ - Lp_ * sx / e};
    DialFrame window;
    window.left = 0;
    window.right = r(kPlotWindowWidth);
    window.bottom = 0;
    window.top = r(kPlotWindowHeight);
    auto coordinate = [&](const DialPoint& q, const DialPoint& original) {
      const bool exact = q.x == original.x && q.y == original.y;
      if (exact && !(original.x == P.x && original.y == P.y)) return I(q.x) + " " + I(q.y);
      return fixedText(q.x, 7, 0) + " " + fixedText(q.y, 7, 0);
    };
    std::string out = ";SP 4";
    for (auto [a0, b0] : {std::pair{P, S}, std::pair{P, T}, std::pair{T, S}}) {
      DialPoint a = a0, b = b0;
      if (!clipSegment(a, b, window)) continue;
      out += ";PU " + coordinate(a, a0) + ";PD " + coordinate(b, b0);
    }
    w_.hpglWrite(out);
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

  // Every line of one kind: its pen, then its path as "PU" moves and "PD"
  // polylines, ended by a pen-up; the listing gets the same points.
  void plotLines(const PlanarLines& lines, PlanarLineKind kind) {
    const bool byHour = kind == PlanarLineKind::DateLine || kind == PlanarLineKind::DayLength;
    for (const PlanarLine& line : lines.lines) {
      if (line.kind != kind) continue;
      if (line.pen != pen_) {
        w_.selectPen(line.pen);
        pen_ = line.pen;
      }
      if (list_) list_->beginSection(sectionTitle(line), byHour);
      if (line.path.vertices.empty()) continue;
      std::string out;
      bool drawing = false;
      for (const PathVertex& v : line.path.vertices) {
        const std::string xy = I(px(v.x)) + " " + I(py(v.y));
        if (!v.draw) {
          out += ";PU " + xy;
          drawing = false;
        } else if (drawing) {
          out += " " + xy;
        } else {
          out += ";PD " + xy;
          drawing = true;
        }
        if (list_) {
          if (byHour && isWholeHour(v.param))
            list_->hourPoint(static_cast<int>(v.param), v.x, v.y);
          else
            list_->point(v.x, v.y);
        }
      }
      out += ";PU;";
      w_.hpglWrite(out);
    }
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
    const std::string W = I(r(kPlotWindowWidth)), H = I(r(kPlotWindowHeight));
    const double q = r(60);
    w_.hpglWrite(";IW 0 0 " + W + " " + H + ";SP 4;PU " + I(xp_ - q) + " " + I(yp_ - q) + ";PD " +
                 I(xp_ + q) + " " + I(yp_ - q) + " " + I(xp_ + q) + " " + I(yp_ + q) + " " + I(xp_ - q) + " " +
                 I(yp_ + q) + " " + I(xp_ - q) + " " + I(yp_ - q) + ";");
    pen_ = 4;
    if (plane_.umbrella) return;
    const double Sx = px(style.sx), Sy = py(style.sy);
    if (!(std::fabs(Sx - r(kPlotPageWidth) / 2) < r(kPlotPageWidth) &&
          std::fabs(Sy - r(kPlotPageHeight) / 2) < r(kPlotPageHeight)))
      return;
    auto f = [](double v) { return fixedText(v, 5, 0); };
    const double arm = r(36);
    w_.hpglWrite(";LT 2,2; PU " + I(xp_) + " " + I(yp_) + " " + ";PD " + f(Sx) + " " + f(Sy) + ";LT ;PU " +
                 ";PU " + f(Sx - arm) + " " + f(Sy) + ";PD " + f(Sx + arm) + " " + f(Sy) + ";PU " + f(Sx) + " " +
                 f(Sy - arm) + ";PD " + f(Sx) + " " + f(Sy + arm) + ";PU " + f(Sx) + " " + f(Sy) + ";CI " +
                 I(r(50)) + ";;PU " + f(Sx + r(60)) + " " + f(Sy + r(20)) + ";LBS" + kLabelTerminator);
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
  int pen_ = 4;
};

}  // namespace

double plotGnomonUnits(double zoomFactor, int resolutionFactor) {
  const double v = design().gnomonLength * zoomFactor * resolutionFactor;
  return static_cast<double>(roundHalfEven(v * 100)) / 100 * kPlotUnitsPerMm;
}

PlotPoint defaultPlotFoot(double gnomonUnits, int R) {
  const DesignState& d = design();
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

PlotPoint defaultPlotTextAnchor(int R) {
  const DesignState& d = design();
  if (d.dialKind == 'v') return {(d.wallDeclination >= 0 ? 9000.0 : 800.0) * R, 1540.0 * R};
  if (d.dialKind == 'i') return {5200.0 * R, 1540.0 * R};
  return {5200.0 * R, 1000.0 * R};
}

std::optional<int> askPlotGrid() {
  if (showMessage(MsgCaption::Question, MsgIcon::Question, messageText(16), MsgButtons::YesNo) !=
      MsgAnswer::Yes)
    return std::nullopt;
  const std::optional<std::string> text =
      platform().inputBox(tableText(TextTable::Texts, textRow::kGridTitle),
                          tableText(TextTable::Texts, textRow::kGridWidthPrompt), "10");
  if (!text) return 10;
  // An integer as the old run-time library reads one: optional blanks and
  // sign, digits, nothing else.
  std::string s = *text;
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  while (!s.empty() && s.back() == ' ') s.pop_back();
  std::size_t i = (!s.empty() && (s[0] == '+' || s[0] == '-')) ? 1 : 0;
  if (i == s.size() || s.size() - i > 9) return 10;
  for (std::size_t k = i; k < s.size(); ++k)
    if (s[k] < '0' || s[k] > '9') return 10;
  return std::stoi(s);
}

void writePlanarPlot(HpglWriter& writer, const PlanarPlotRequest& request, CoordinatesListing* listing) {
  PlanarPlotWriter(writer, request, listing).run();
}

}  // namespace tavrel
