#include "dials/planar/planar_dial.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "dials/planar/planar_marks.h"
#include "dials/planar/planar_texts.h"

namespace tavrel {

namespace {

constexpr Colour kRed = rgb(255, 0, 0);
constexpr Colour kDarkRed = rgb(128, 0, 0);

long long rnd(double x) { return roundHalfEven(x); }

// Character height in units of a font of `points` on the screen.
double pointsToPixels(double points) {
  int ppi = platform().screen().pixelsPerInch;
  if (ppi <= 0) ppi = 96;
  return std::round(points * ppi / 72.0);
}

class PlanarPicture {
 public:
  PlanarPicture(ScreenSurface& surface, const DesignState& d, bool screenMode, int width, int height,
                PlanarDialView& view)
      : s_(surface),
        c_(surface.canvas()),
        d_(d),
        screen_(screenMode),
        view_(view),
        layout_(planarDialLayout(d, screenMode, width, height, view)),
        x0_(view.footX),
        y0_(view.footY) {
    m_ = layout_.margin;
    R_ = layout_.right;
    B_ = layout_.bottom;
    hw_ = layout_.halfWidth;
    upm_ = layout_.unitsPerMm;
    at_ = {x0_, y0_, upm_, true};
    L_ = layout_.gnomonUnits;
    bigFont_ = screen_ ? pointsToPixels(d_.largeScreen ? 16 : 12) : 60;
    smallFont_ = screen_ ? pointsToPixels(8) : 30;
    // d of the gnomon scale bar, and of the marks and the time-system line
    // (doubled on the screen after the bar).
    if (screen_) {
      dBar_ = (hw_ / (d_.paperA4 ? 14 : 21)) / 2;
      dInfo_ = 2 * dBar_;
    } else {
      dBar_ = dInfo_ = m_ + 35;
    }
  }

  void draw() {
    const PlanarPlane plane = planarPlane(d_);
    if (plane.kind == 'i' && plane.umbrella && d_.umbrellaRadiusRatio == 0)
      showMessage(MsgCaption::Error, MsgIcon::Error, messageText(21));

    // Frame.
    s_.setFontFace("Arial");
    c_.setPen({kWhite, 1, PenStyle::Solid});
    c_.moveTo(R_ + 1, m_);
    c_.lineTo(R_ + 1, B_);
    c_.setPen({kBlack, 1, PenStyle::Solid});
    c_.setBrush({kWhite, BrushStyle::Clear});
    c_.rectangle(m_, m_, R_, B_);

    if (view_.grid)
      screenGrid(s_, !screen_, s_.penColour(9), 10, B_ - 20, R_ - 20,
                 static_cast<int>(rnd(y0_)), static_cast<int>(rnd(x0_)));

    PlanarLineInput input;
    input.plane = plane;
    input.gnomonMm = layout_.gnomonMm;
    input.frame = layout_.frame;
    input.sampling = PlanarLineSampling::screen();
    input.angles = view_.angles;
    input.sunCache = view_.sunCache;

    horizonLine(plane);
    informationBlock(plane);
    const PlanarLines lines = computePlanarLines(d_, input);
    drawLines(lines, PlanarLineKind::DayLength);
    drawLines(lines, PlanarLineKind::DateLine);
    gnomonScaleBar();
    drawLines(lines, PlanarLineKind::HourLine);
    drawLines(lines, PlanarLineKind::EotHourLine);
    drawLines(lines, PlanarLineKind::Analemma);
    analemmaMarks(lines);
    drawLines(lines, PlanarLineKind::Temporal);
    drawLines(lines, PlanarLineKind::Babylonian);
    drawLines(lines, PlanarLineKind::Italian);
    hourValueLabels(lines);
    drawLines(lines, PlanarLineKind::Altitude);
    hourNumbers(lines);
    styleAndTriangle(plane, lines.style);
    finish();
  }

 private:
  double ux(double x) const { return at_.x(x); }
  double uy(double y) const { return at_.y(y); }

  void setFont(double height, Colour colour, int weight = kFontWeightNormal) {
    Font f;
    f.face = "Arial";
    f.height = height;
    f.colour = colour;
    f.weight = weight;
    c_.setFont(f);
  }
  void text(double x, double y, const std::string& t) {
    if (!t.empty()) c_.text(x, y, t);
  }
  // A label beside a point of the dial, left out when it would not lie
  // wholly within the frame (its point is off the picture).
  void labelInFrame(double x, double y, const std::string& t) {
    const TextSize e = c_.textExtent(t);
    if (x >= m_ && y >= m_ && x + e.width <= R_ && y + e.height <= B_) text(x, y, t);
  }

  void horizonLine(const PlanarPlane& plane) {
    double y;
    if (plane.kind == 'v') {
      y = y0_;
    } else if (plane.kind == 'i' && plane.umbrella) {
      if (std::fabs(d_.planeInclination * kDegToRadDouble) <= 1e-10) return;
      y = y0_ - inclinedHorizonHeight(true, d_.planeInclination, L_);
      if (y < m_) y = m_;
    } else if (plane.kind == 'i') {
      if (std::fabs(d_.planeInclination) <= 1e-10) return;
      y = y0_ - inclinedHorizonHeight(false, d_.planeInclination, L_);
    } else {
      return;
    }
    if (!(y > 0) || !std::isfinite(y)) return;
    s_.selectPen(5);
    s_.moveTo(m_ + 5, y);
    s_.lineTo(m_ + R_ - 5, y);
  }

  void informationBlock(const PlanarPlane& plane) {
    // Marks at the gnomon foot.
    const double q = dInfo_ / 6.0;
    c_.setBrush({kWhite, BrushStyle::Clear});
    c_.setPen({s_.penColour(9), 1, PenStyle::Solid});
    c_.rectangle(x0_ - q, y0_ - q, x0_ + q, y0_ + q);
    if (plane.kind == 'v' && !plane.umbrella) {
      s_.selectPen(5);
      s_.moveTo(5, y0_);
      s_.lineTo(R_ - 5, y0_);
    }
    const double half = dInfo_ / 2.0;
    c_.setPen({s_.penColour(4), 1, PenStyle::Solid});
    c_.moveTo(x0_ - half, y0_);
    c_.lineTo(x0_ + half, y0_);
    c_.moveTo(x0_, y0_ - half);
    c_.lineTo(x0_, y0_ + half);

    // The text block.
    const Colour textColour = s_.penColour(4);
    double tx = view_.textX, ty = view_.textY;
    setFont(bigFont_, textColour);
    text(tx, ty, planarDialName(plane));
    ty += bigFont_;
    setFont(smallFont_, textColour);
    const PlanarInfoTexts info = planarInfoTexts(d_);
    text(tx, ty, info.location);
    ty += smallFont_;
    const std::string& deviation = info.deviation;
    const std::string& inclination = info.inclination;
    std::string line;
    if (plane.kind == 'v') {
      line = deviation;
      if (plane.umbrella)
        line += planarText(PlanarText::RadiusR) + fixedText(d_.umbrellaRadiusRatio, 6, 3) +
                planarText(PlanarText::TimesH);
    } else if (plane.kind == 'i') {
      if (plane.umbrella)
        line = inclination + "; " + deviation + planarText(PlanarText::RatioR) +
               fixedText(d_.umbrellaRadiusRatio, 6, 3) + planarText(PlanarText::TimesH);
      else
        line = deviation + ";  " + inclination;
    } else if (plane.umbrella) {
      line = planarText(PlanarText::DiskRadius) + fixedText(d_.umbrellaRadiusRatio, 6, 2) +
             planarText(PlanarText::TimesHeight);
    }
    text(tx, ty, line);

    // The time-system line.
    std::string system;
    if (d_.localTimeNoEot)
      system = planarText(PlanarText::StraightHourLinesShow) +
               (d_.eotLinesOwnMeridian ? tableText(TextTable::Texts, textRow::kLocalApparentTime)
                                       : planarText(PlanarText::ApparentTimeZoneMeridian));
    else
      system = planarText(PlanarText::EightSlopesShow) +
               (d_.umbrellaLocalTime ? loadString(498) : planarText(PlanarText::CivilTime));
    setFont(smallFont_, textColour);
    text(m_ + rnd(0.73 * dInfo_), m_ + 4, system);
  }

  void drawLines(const PlanarLines& lines, PlanarLineKind kind) {
    int pen = -1;
    emitPlanarLines(s_, lines, kind, at_, pen);
  }

  void gnomonScaleBar() {
    const double d = dBar_;
    const double e = screen_ ? 0 : 45;
    s_.selectPen(4);
    c_.setPen({s_.penColour(4), 1, PenStyle::Solid});
    c_.moveTo(d + e + 5, B_ - d - L_);
    c_.lineTo(d, B_ - d - L_);
    c_.lineTo(d, B_ - d);
    c_.lineTo(d + L_, B_ - d);
    c_.lineTo(d + L_, B_ - d - e - 5);
    const double height = screen_ ? smallFont_ : 35;
    setFont(height, s_.penColour(4));
    text(d, B_ - d + std::fabs(static_cast<double>(rnd(height * 0.5))),
         loadStringPlain(6) + " (=" + fixedText(layout_.gnomonMm, 6, 2) + ")");
  }

  void analemmaMarks(const PlanarLines& lines) {
    const double r = screen_ ? 2 : 6;
    for (const AnalemmaMark& m : lines.marks) {
      if (!m.shown) continue;
      const double x = ux(m.x), y = uy(m.y);
      if (m.firstOfMonth) {
        c_.setPen({kRed, 1, PenStyle::Solid});
        c_.setBrush({kRed, BrushStyle::Solid});
      } else {
        c_.setPen({s_.penColour(4), 1, PenStyle::Solid});
        c_.setBrush({kWhite, BrushStyle::Clear});
      }
      c_.ellipse(x - r, y - r, x + r, y + r);
    }
    c_.setBrush({kWhite, BrushStyle::Clear});
  }

  void hourValueLabels(const PlanarLines& lines) {
    for (const HourValueLabel& l : lines.hourValueLabels) {
      setFont(smallFont_, s_.penColour(l.pen));
      const double dy = l.kind == PlanarLineKind::Italian ? 0.1 * smallFont_ : -1.1 * smallFont_;
      labelInFrame(ux(l.x), uy(l.y) + dy, l.text);
    }
  }

  // Hour numbers 6, 9, 12, 15, 18: 30 units from the point of 23
  // September towards the point of 21 June (21 December south of -10),
  // 5 units to the left.
  void hourNumbers(const PlanarLines& lines) {
    setFont(smallFont_, s_.penColour(3));
    const bool south = d_.latitude < -10;
    const PlanarPlane plane = planarPlane(d_);
    for (const HourNumberAnchor& a : lines.hourNumbers) {
      if (a.hour > 18) continue;
      if (!a.equinox.inFront) continue;
      if (!plane.vertical && std::fabs(a.azimuthEquinox) >= 179.5) continue;
      const ShadowPoint& other = south ? a.december : a.june;
      const double ex = ux(a.equinox.x), ey = uy(a.equinox.y);
      const double dx = ux(other.x) - ex, dy = uy(other.y) - ey;
      const double len = std::hypot(dx, dy);
      double x = ex, y = ey;
      if (len > 1e-9 && std::isfinite(len)) {
        x += 30 * dx / len;
        y += 30 * dy / len;
      }
      labelInFrame(x - 5, y, std::to_string(a.hour));
    }
  }

  void label(double x, double y, const char* t, Colour colour, int weight) {
    setFont(smallFont_ * 1.3, colour, weight);
    labelInFrame(x, y, t);
  }

  void styleAndTriangle(const PlanarPlane& plane, StyleFoot S) {
    if (plane.umbrella && plane.kind != 'h') return;
    const double sx = S.sx * upm_, sy = S.sy * upm_;  // units, y upwards
    const double Sx = x0_ + sx, Sy = y0_ - sy;
    DialFrame frame = layout_.frame;
    auto clipped = [&](double ax, double ay, double bx, double by) {
      // A segment in surface units, cut at the frame.
      DialPoint a{(ax - x0_) / upm_, (y0_ - ay) / upm_}, b{(bx - x0_) / upm_, (y0_ - by) / upm_};
      if (!clipSegment(a, b, frame)) return;
      c_.moveTo(ux(a.x), uy(a.y));
      c_.lineTo(ux(b.x), uy(b.y));
    };
    if (d_.drawPoleTriangle) {
      const DialPoint tip = poleTriangleTip(sx, sy, L_, d_.latitude);
      const double tx = x0_ + tip.x, ty = y0_ - tip.y;
      c_.setPen({kRed, std::max<double>(1, d_.lineWidth), PenStyle::Solid});
      if (std::fabs(sx) < 20000 && std::fabs(sy) < 20000) {
        c_.moveTo(x0_, y0_);
        c_.lineTo(tx, ty);
        c_.lineTo(Sx, Sy);
        c_.lineTo(x0_, y0_);
      } else {
        clipped(x0_, y0_, tx, ty);
        clipped(tx, ty, Sx, Sy);
        clipped(Sx, Sy, x0_, y0_);
      }
      label(Sx + 6, Sy - 6 - smallFont_, "S", kRed, kFontWeightBold);
      label(x0_ + 6, y0_ + 4, "P", kRed, kFontWeightBold);
      return;
    }
    if (std::fabs(sx) >= 200000 || std::fabs(sy) >= 200000) return;
    const Colour colour = s_.penColour(4);
    c_.setPen({colour, 1, PenStyle::Dash});
    clipped(x0_, y0_, Sx, Sy);
    c_.setPen({colour, 1, PenStyle::Solid});
    c_.setBrush({kWhite, BrushStyle::Clear});
    c_.ellipse(Sx - 4, Sy - 4, Sx + 4, Sy + 4);
    c_.moveTo(Sx - 6, Sy);
    c_.lineTo(Sx + 6, Sy);
    c_.moveTo(Sx, Sy - 6);
    c_.lineTo(Sx, Sy + 6);
    label(Sx + 6, Sy - 6 - smallFont_, "S", colour, kFontWeightNormal);
    label(x0_ + 6, y0_ + 4, "P", colour, kFontWeightNormal);
  }

  void finish() {
    frameMargins(s_, R_ + m_, B_ + m_, m_);
    const std::string title = view_.angles ? view_.angles->sunOnDialText : computeHourLineAngles(d_).sunOnDialText;
    setFont(smallFont_, kDarkRed, kFontWeightBold);
    // Moved left where a narrow page would cut its end.
    const double x = std::min(static_cast<double>(rnd(1.3 * hw_)), R_ - c_.textExtent(title).width - smallFont_);
    text(x, B_ - 2 * std::fabs(static_cast<double>(rnd(0.8 * smallFont_))), title);
  }

  ScreenSurface& s_;
  Canvas& c_;
  const DesignState& d_;
  bool screen_;
  PlanarDialView& view_;
  PlanarDialLayout layout_;
  double x0_, y0_;
  DialPlacement at_;
  int m_ = 0, R_ = 0, B_ = 0, hw_ = 0;
  double upm_ = 1, L_ = 0;
  double bigFont_ = 21, smallFont_ = 11;
  int dBar_ = 0, dInfo_ = 0;
};

}  // namespace

PlanarDialLayout planarDialLayout(const DesignState& d, bool screenMode, int width, int height,
                                  const PlanarDialView& view) {
  PlanarDialLayout l;
  l.margin = screenMode ? 0 : 50;
  l.right = width - l.margin;
  l.bottom = height - l.margin;
  l.halfWidth = (l.right - l.margin) / 2;
  l.halfHeight = (l.bottom - l.margin) / 2;
  l.gnomonMm = roundedGnomonLength(d, view.zoomFactor, 1);
  if (!(l.gnomonMm >= 5)) l.gnomonMm = 5;
  l.unitsPerMm = screenMode ? l.right / (d.paperA4 ? 280.0 : 420.0) : 10.0;
  if (!(l.unitsPerMm > 0)) l.unitsPerMm = 1;
  l.gnomonUnits = l.gnomonMm * l.unitsPerMm;
  const double x0 = view.footX, y0 = view.footY, u = l.unitsPerMm;
  const int m = l.margin, R = l.right, B = l.bottom;
  l.frame.left = (m - x0) / u;
  l.frame.right = (R - x0) / u;
  l.frame.bottom = (y0 - B) / u;
  l.frame.top = (y0 - m) / u;
  l.frame.wideLeft = l.frame.left;
  l.frame.wideRight = (2.0 * R + m - x0) / u;
  l.frame.wideBottom = (y0 - (2.0 * B + m)) / u;
  l.frame.wideTop = l.frame.top;
  l.frame.unitsPerMm = u;
  return l;
}

PlanarLines planarDialLines(const DesignState& d, bool screenMode, int width, int height, PlanarDialView& view) {
  const PlanarDialLayout layout = planarDialLayout(d, screenMode, width, height, view);
  PlanarLineInput input;
  input.plane = planarPlane(d);
  input.gnomonMm = layout.gnomonMm;
  input.frame = layout.frame;
  input.sampling = PlanarLineSampling::screen();
  input.angles = view.angles;
  input.sunCache = view.sunCache;
  return computePlanarLines(d, input);
}

void drawPlanarDial(ScreenSurface& surface, const DesignState& d, bool screenMode, int width, int height,
                    PlanarDialView& view) {
  const double mm = roundedGnomonLength(d, view.zoomFactor, 1);
  if (!(mm >= 5) && d.gnomonLength > 0) view.zoomFactor = 5 / d.gnomonLength;
  PlanarPicture(surface, d, screenMode, width, height, view).draw();
}

}  // namespace tavrel
