// The ham dial nomogram on the picture and the printer page, and the
// marking of hour points with the mouse.
#include "dials/ham/ham_dial.h"

#include <algorithm>
#include <cmath>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/ham/ham_texts.h"

namespace tavrel {

namespace {

long long rnd(double x) { return roundHalfEven(x); }

constexpr Colour kBlue = rgb(0, 0, 255);
constexpr Colour kRed = rgb(255, 0, 0);
constexpr double kMarkRadius = 5;

void circleIn(Canvas& c, double x, double y, double r, Colour colour, double width = 1) {
  c.setPen({colour, width, PenStyle::Solid});
  const Brush old = c.brush();
  c.setBrush({kWhite, BrushStyle::Clear});
  c.ellipse(x - r, y - r, x + r, y + r);
  c.setBrush(old);
}

}  // namespace

HamLayout hamLayout(int W, int H, double scale, double sizeMm, double latitude, double stretch,
                    double equinoxPosition) {
  HamLayout l;
  l.scale = scale;
  l.radius = sizeMm * scale;
  l.centre = {static_cast<double>(W / 2), static_cast<double>(rnd(H / 2.0))};
  const double phi = radians(latitude);
  for (int k = 1; k <= 7; ++k) {
    const double d = 23.5 * std::cos(radians(30.0 * k - 210));
    l.declination[k] = d;
    l.circleAngle[k] = stretch * d + equinoxPosition;
    l.datePoint[k] = {l.centre.x - l.radius * std::cos(radians(l.circleAngle[k])),
                      l.centre.y - l.radius * std::sin(radians(l.circleAngle[k]))};
    for (int i = 0; i <= 8; ++i) {
      const double s = std::cos(radians(15.0 * i)) * std::cos(phi) * std::cos(radians(d)) + std::sin(phi) * std::sin(radians(d));
      l.altitude[k][i] = degrees(std::asin(std::clamp(s, -1.0, 1.0)));
    }
  }
  return l;
}

std::optional<HamPoint> hamIntersection(const HamLayout& l, int a, int b, int i) {
  if (a == b || a < 1 || a > 7 || b < 1 || b > 7 || i < 0 || i > 8) return std::nullopt;
  const HamPoint A = l.datePoint[a], B = l.datePoint[b];
  const double ma = std::tan(radians(l.altitude[a][i])), mb = std::tan(radians(l.altitude[b][i]));
  // Equal slopes: the lines are parallel and meet nowhere.
  if (!(std::fabs(mb - ma) > 1e-12)) return std::nullopt;
  const double s = ((A.y - B.y) - (A.x - B.x) * ma) / (mb - ma);
  const HamPoint P{B.x + s, B.y + s * mb};
  if (!std::isfinite(P.x) || !std::isfinite(P.y)) return std::nullopt;
  return P;
}

double hamScreenScale(int height) { return static_cast<double>(rnd(height / 105.0)); }

int HamHourPoints::firstFree() const {
  for (int r = 1; r <= 8; ++r)
    if (records[static_cast<std::size_t>(r)].x == 0) return r;
  return 0;
}

HamHourPoints& hamHourPoints(std::any& kept) {
  if (HamHourPoints* p = std::any_cast<HamHourPoints>(&kept)) return *p;
  kept = HamHourPoints{};
  return *std::any_cast<HamHourPoints>(&kept);
}

HamDialValues hamDialValuesOf(const DesignState& d) {
  return {d.latitude, d.hamDiameter, d.hamStretch, d.hamEquinoxPosition};
}

void drawHamDial(ScreenSurface& s, int W, int H, HamHourPoints& points, const HamDialValues& v,
                 bool screenMode) {
  const double D = v.sizeMm, latitude = v.latitude;
  Canvas& c = s.canvas();
  const double scale = screenMode ? hamScreenScale(H) : 20.0;
  const HamLayout l = hamLayout(W, H, scale, D, latitude, v.stretch, v.equinoxPosition);
  if (screenMode) {
    points.records[0] = l.centre;
    points.scale = scale;
  }

  // Texts, in the colour of pen 4.
  const Colour textColour = s.penColour(4);
  const auto write = [&](double x, double y, const std::string& t, double height, bool bold) {
    Font f = c.font();
    f.face = "Arial";
    f.height = height;
    f.weight = bold ? kFontWeightBold : kFontWeightNormal;
    f.angle = 0;
    f.colour = textColour;
    c.setFont(f);
    c.text(x, y, t);
  };
  const double fh = screenMode ? 14 : 35;
  const double x = W / 25, y0 = H / 25;
  write(x, y0, hamText(HamText::Title), screenMode ? 20 : 45, true);
  const std::string lines[] = {
      tableText(TextTable::Texts, textRow::kLatitudeIs) + fixedText(latitude, 5, 2) +
          tableText(TextTable::Texts, textRow::kDegrees),
      loadString(308) + " = " + tableText(TextTable::Texts, textRow::kLocalApparentTime),
      loadString(580) + " = " + fixedText(D, 4, 1) + " mm",
      hamText(HamText::Stretch) + fixedText(v.stretch, 3, 1),
      hamText(HamText::EquinoxPosition) + fixedText(v.equinoxPosition, 6, 2)};
  const double steps[] = {2, 3.2, 4.4, 5.6, 6.8};
  for (int n = 0; n < 5; ++n) write(x, y0 + static_cast<double>(rnd(steps[n] * fh)), lines[n], fh, false);
  const double hx = W / 80, hy = H - 4 * fh;
  write(hx, hy, hamText(HamText::HelpClear), fh, false);
  write(hx, hy + static_cast<double>(rnd(1.2 * fh)), hamText(HamText::HelpMark), fh, false);
  write(hx, hy + static_cast<double>(rnd(2.4 * fh)), hamText(HamText::HelpDraw), fh, false);

  // The date points (blue) and the circle (red).
  for (int k = 1; k <= 7; ++k) circleIn(c, l.datePoint[k].x, l.datePoint[k].y, 6, kBlue);
  circleIn(c, l.centre.x, l.centre.y, l.radius, kRed);
  circleIn(c, l.centre.x, l.centre.y, l.radius / 30, kRed);

  // The marked hour points and the curve through them, and nothing else.
  if (points.showHourPoints) {
    const HamPoint centre = points.records[0];
    circleIn(c, centre.x, centre.y, kMarkRadius, kRed);
    for (int r = 1; r <= 9; ++r) {
      const HamPoint p = points.records[static_cast<std::size_t>(r)];
      if (p.x > 0) circleIn(c, p.x, p.y, kMarkRadius, kRed);
    }
    c.setPen({kBlack, 1, PenStyle::Solid});
    c.moveTo(centre.x, centre.y);
    for (int r = 1; r <= 9; ++r) {
      const HamPoint p = points.records[static_cast<std::size_t>(r)];
      if (p.x > 0) c.lineTo(p.x, p.y);
    }
    return;
  }

  // The altitude lines of each hour from the date points A2..A7, cut
  // where they meet the line from A1; the line from A1 itself with pen 1.
  for (int i = 0; i <= 8; ++i) {
    for (int j = 2; j <= 7; ++j) {
      const std::optional<HamPoint> P = hamIntersection(l, j, 1, i);
      if (!P) continue;
      const HamPoint A = l.datePoint[j];
      s.selectPen(j);
      if (P->y > A.y - 0.1) {
        s.moveTo(A.x, A.y);
        s.lineTo(A.x + 1.1 * (P->x - A.x), A.y + 1.1 * (P->y - A.y));
      }
      if (j == 2 && P->y > l.datePoint[1].y - 0.1) {
        s.selectPen(1);
        s.moveTo(l.datePoint[1].x, l.datePoint[1].y);
        s.lineTo(P->x, P->y);
      }
    }
  }
  // The hour points of the lines from A1/A3, A3/A5 and A5/A7.
  const double cross = screenMode ? 8 : 20;
  const int pens[] = {3, 5, 7};
  for (int i = 2; i <= 7; ++i) {
    for (int j = 0; j <= 2; ++j) {
      const std::optional<HamPoint> P = hamIntersection(l, 2 * j + 1, 2 * j + 3, i);
      if (!P) continue;
      s.selectPen(pens[j]);
      s.moveTo(P->x - cross, P->y);
      s.lineTo(P->x + cross, P->y);
      s.moveTo(P->x, P->y - cross);
      s.lineTo(P->x, P->y + cross);
    }
  }
}

void hamPictureClick(HamHourPoints& points, HamClick click, double x, double y, Canvas& picture) {
  points.showHourPoints = false;
  switch (click) {
    case HamClick::Plain:
      return;
    case HamClick::Alt:
      points.records = {};
      return;
    case HamClick::Ctrl: {
      const int r = points.firstFree();
      if (r == 0) {
        showMessage(MsgCaption::Information, MsgIcon::Information, hamText(HamText::EightPoints));
        return;
      }
      points.records[static_cast<std::size_t>(r)] = {x, y};
      circleIn(picture, x, y, kMarkRadius, kRed);
      return;
    }
    case HamClick::Shift:
      for (int r = 1; r <= 9; ++r) {
        const HamPoint p = points.records[static_cast<std::size_t>(r)];
        if (p.x > 0) circleIn(picture, p.x, p.y, kMarkRadius, kRed);
      }
      points.showHourPoints = true;
      return;
  }
}

}  // namespace tavrel
