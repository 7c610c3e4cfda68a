// The offset-correction chart of the ring dial: how far the reading moves
// when the light mark lies off the hole's plane, the ring being turned by
// psi about the vertical (ringRay), and its table "Schoener-Tabelle.txt".
//
// Chart axes: x degrees of the inner scale (the altitude the mark would
// show without deflection: hsun + beta / 2), 0 .. 90 to the right; y the
// relative offset of the mark (offset / ring radius), 0 at the top .. 1.
#include <algorithm>
#include <cmath>
#include <vector>

#include "base/angles.h"
#include "base/number_text.h"
#include "base/safe_file_writer.h"
#include "base/text_encoding.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/text_file.h"
#include "dials/ring/ring_dial.h"
#include "dials/ring/ring_texts.h"

namespace tavrel {

namespace {

constexpr Colour kGrey = 8421504;
constexpr Colour kRed = 255;
constexpr Colour kNavy = 0x800000;
constexpr Colour kDarkRed = 128;
constexpr int kOpenErrorText = 166;  // work text "Open error: File  "

}  // namespace

RingCorrectionChart computeRingCorrectionChart(double ringDiameter, double ringAlpha) {
  RingCorrectionChart chart;
  chart.fileLines.push_back(ringText(RingText::ChartFileHeader));
  chart.fileLines.push_back("  (alpha=" + fixedText(ringAlpha, 4, 1) + "deg)");
  const double radius = ringDiameter / 2;
  // The deflections 0 .. 120 degrees in steps of 0.01, their sines and
  // cosines worked out once for every altitude.
  constexpr int kSteps = 12000;
  std::vector<double> sines(kSteps + 1), cosines(kSteps + 1);
  for (int j = 0; j <= kSteps; ++j) {
    const double psi = j / 100.0;
    sines[j] = std::sin(psi * kRadPerDeg);
    cosines[j] = std::cos(psi * kRadPerDeg);
  }
  for (int c = 0; c <= 50; ++c) {
    const double hsun = 2.5 * c;
    const RingRayOptics optics(hsun, ringAlpha, ringDiameter);
    RingChartCurve curve;
    curve.hsun = hsun;
    curve.colour = c % 3 == 0 ? kRed : kNavy;
    for (int j = 0; j <= kSteps; ++j) {
      const double rel = optics.offset(sines[j], cosines[j]) / radius;
      if (!(rel <= 1.01)) break;
      const bool onCurve = c < 37 && rel <= 1.001, inTable = std::fabs(rel - 1.0) <= 0.001;
      if (!onCurve && !inTable) continue;
      const RingRayResult r = optics.ray(sines[j], cosines[j]);
      if (onCurve) curve.points.push_back({hsun + r.beta / 2, 1 - rel});
      if (inTable) {
        chart.fileLines.push_back("rel. offset=" + fixedText(rel, 7, 5) + "   hsun=" +
                                  fixedText(hsun, 4, 1) + "\u00b0   yd=" +
                                  fixedText(r.relativeHeight, 9, 6) + "   beta=" +
                                  fixedText(r.beta, 7, 4));
      }
    }
    if (c < 37) chart.curves.push_back(std::move(curve));
  }
  chart.fileLines.push_back(" ");
  return chart;
}

namespace {

void setFont(Canvas& c, const char* face, double height, Colour colour, int weight = kFontWeightNormal) {
  Font f = c.font();
  f.face = face;
  f.height = height;
  f.colour = colour;
  f.weight = weight;
  f.angle = 0;
  c.setFont(f);
}

void line(Canvas& c, Colour colour, double x1, double y1, double x2, double y2) {
  Pen p = c.pen();
  p.colour = colour;
  p.width = 1;
  p.style = PenStyle::Solid;
  c.setPen(p);
  c.moveTo(x1, y1);
  c.lineTo(x2, y2);
}

// Writes the table; false (with its message shown) when it could not.
bool writeCorrectionTable(const std::vector<std::string>& lines) {
  SafeFileWriter file;
  std::error_code ec = file.open(kRingCorrectionFileName);
  if (ec) {
    showMessage(MsgCaption::Error, MsgIcon::Error,
                tableText(TextTable::WorkTexts, kOpenErrorText) + kRingCorrectionFileName);
    return false;
  }
  ec = file.write(encodeFileLines(lines));
  if (!ec) ec = file.commit();
  if (ec) {
    file.abandon();
    reportFileWriteError(kRingCorrectionFileName, ec);
    return false;
  }
  return true;
}

}  // namespace

void drawRingCorrectionChart(ScreenSurface& s, int width, int height, double ringDiameter,
                             double ringAlpha, bool onScreen, bool writeFile) {
  const RingCorrectionChart chart = computeRingCorrectionChart(ringDiameter, ringAlpha);
  const bool written = writeFile && writeCorrectionTable(chart.fileLines);
  Canvas& c = s.canvas();
  const Font oldFont = c.font();
  const Pen oldPen = c.pen();
  const int m = onScreen ? 0 : 50;
  const double w = width - 2 * m, h = height - 2 * m;
  const double fh = onScreen ? 14 : 30;
  const double left = m + 0.1 * w, right = m + 0.95 * w;
  const double top = m + 0.16 * h, bottom = m + 0.88 * h;
  const auto X = [&](double scaleDeg) { return left + (right - left) * scaleDeg / 90.0; };
  const auto Y = [&](double v) { return top + (bottom - top) * (1 - v); };  // v = 1 - rel

  setFont(c, "Arial", fh, kBlack);
  c.text(m + 0.03 * w, m + 0.02 * h,
         ringText(RingText::ChartTitle) + fixedText(ringAlpha, 4, 0) + ringText(RingText::Deg) +
             ringText(RingText::ChartTitleEnd) + ringText(RingText::ChartDepends));
  if (written) c.text(m + 0.03 * w, m + 0.02 * h + 1.4 * fh, "  (alpha=" + fixedText(ringAlpha, 4, 1) + "deg)");
  setFont(c, "Times New Roman", fh, kDarkRed);
  c.text(left, m + 0.07 * h, ringText(RingText::ChartOffsetAxis));
  c.text(left + 0.4 * (right - left), bottom + 1.8 * fh, ringText(RingText::ChartScaleAxis));
  c.text(left, m + 0.07 * h + 1.4 * fh, ringText(RingText::ChartAltitudeAxis));

  // The grid: 36 steps of 2.5 degrees of scale, 21 lines of offset.
  setFont(c, "Arial", 0.85 * fh, kBlack);
  for (int i = 0; i <= 36; ++i) {
    const double x = X(2.5 * i);
    line(c, i % 3 == 0 ? kRed : kGrey, x, top, x, bottom);
    if (i % 4 == 0) c.text(x - 0.5 * fh, bottom + 0.3 * fh, fixedText(2.5 * i, 1, 0) + "\u00b0");
  }
  const double labelWidth = c.textExtent("abcd").width;
  for (int n = 0; n <= 20; ++n) {
    const double y = Y(1 - n / 20.0);
    line(c, n % 3 == 0 ? kRed : kGrey, left, y, right, y);
    // Steps of 0.05 need two decimals (one would print 0.1 three times).
    c.text(left - labelWidth, y - 0.5 * fh, fixedText(n / 20.0, 4, 2));
  }

  // The curves, each labelled with its altitude at the top edge.
  for (const RingChartCurve& curve : chart.curves) {
    Pen p = c.pen();
    p.colour = curve.colour;
    p.width = std::max(1, s.pens().lineWidth);
    c.setPen(p);
    bool first = true;
    for (const RingPoint& q : curve.points) {
      if (q.x < 0 || q.x > 90) {
        first = true;
        continue;
      }
      if (first) c.moveTo(X(q.x), Y(q.y));
      else c.lineTo(X(q.x), Y(q.y));
      first = false;
    }
    if (curve.colour == kRed && !curve.points.empty()) {
      setFont(c, "Arial", 0.8 * fh, kRed);
      c.text(X(curve.hsun) + 2, top - 1.1 * fh, fixedText(curve.hsun, 1, 1));
    }
  }
  if (written) {
    setFont(c, "Arial", fh, kBlack, kFontWeightBold);
    c.text(right - 0.35 * w, bottom + 1.8 * fh, ringText(RingText::ChartDataNote));
  }
  // The reference line: the scale value whose mark reaches the bottom of
  // the ring, 90 - alpha / 2; beyond it the scale enters the hole's half.
  const double ref = 90 - ringAlpha / 2;
  line(c, kDarkRed, X(ref), top - 0.5 * fh, X(ref), bottom);
  setFont(c, "Times New Roman", 0.8 * fh, kDarkRed);
  c.text(X(ref) + 2, bottom - 1.2 * fh, "alpha");
  c.setFont(oldFont);
  c.setPen(oldPen);
}

}  // namespace tavrel
