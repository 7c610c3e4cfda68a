#include "tables/wall_board_template.h"

#include <cmath>
#include <string>

#include "base/angles.h"
#include "plot/canvas.h"
#include "tables/wall_declination.h"

namespace tavrel {

namespace {

constexpr Colour kGuide = rgb(170, 170, 170);
constexpr Colour kRed = rgb(200, 0, 0);
constexpr double kTextHeight = 32;  // 3.2 mm

// The table of measurements on the right of the sheet.
constexpr double kTableX = 2100;
constexpr double kTableTop = 420;
constexpr double kRowHeight = 80;
constexpr int kTableRows = 12;
constexpr double kColumnWidths[4] = {100, 260, 200, 240};

void line(Canvas& c, double x1, double y1, double x2, double y2) {
  c.moveTo(x1, y1);
  c.lineTo(x2, y2);
}

void pen(Canvas& c, double width, Colour colour = kBlack, PenStyle style = PenStyle::Solid) {
  c.setPen({colour, width, style});
}

void font(Canvas& c, double height, int weight = kFontWeightNormal) {
  Font f;
  f.height = height;
  f.weight = weight;
  c.setFont(f);
}

// Text centred on (x, y).
void centredText(Canvas& c, double x, double y, const std::string& s) {
  const TextSize size = c.textExtent(s);
  c.text(x - size.width / 2, y - size.height / 2, s);
}

// The point of the scale at board angle t and radius r: the direction
// towards the wall (up the sheet) turned clockwise by t as the sheet is
// seen from above.
void scalePoint(const BoardLayout& b, double t, double r, double& x, double& y) {
  x = b.pinX + r * std::sin(radians(t));
  y = b.pinY - r * std::cos(radians(t));
}

std::string signedDegrees(int t) {
  if (t == 0) return "0";
  return (t > 0 ? "+" : "\xE2\x88\x92") + std::to_string(std::abs(t));  // U+2212 minus
}

void drawScale(Canvas& c, const BoardLayout& b, double radius, int tickStep, int labelStep,
               double labelOffset, bool labelEnds) {
  pen(c, 3);
  c.arc(b.pinX, b.pinY, radius, radius, 0, 180);
  font(c, kTextHeight);
  for (int t = -90; t <= 90; t += tickStep) {
    const double length = t % 10 == 0 ? 70 : t % 5 == 0 ? 45 : 25;
    double x1, y1, x2, y2;
    scalePoint(b, t, radius, x1, y1);
    scalePoint(b, t, radius - length, x2, y2);
    pen(c, t % 10 == 0 ? 3 : 2);
    line(c, x1, y1, x2, y2);
    if (t % labelStep == 0 && (labelEnds || std::abs(t) < 90)) {
      double lx, ly;
      scalePoint(b, t, radius + labelOffset, lx, ly);
      centredText(c, lx, ly, signedDegrees(t));
    }
  }
}

void drawProtractor(Canvas& c, const BoardLayout& b, int language) {
  // Guide lines every 10 degrees, and the perpendicular to the wall.
  pen(c, 1, kGuide);
  for (int t = -80; t <= 80; t += 10) {
    if (t == 0) continue;
    double x1, y1, x2, y2;
    scalePoint(b, t, 60, x1, y1);
    scalePoint(b, t, b.radius, x2, y2);
    line(c, x1, y1, x2, y2);
  }
  pen(c, 1, kGuide);
  line(c, b.pinX - b.radius, b.pinY, b.pinX + b.radius, b.pinY);
  pen(c, 3, kRed, PenStyle::Dash);
  line(c, b.pinX, b.wallY, b.pinX, b.pinY + 150);
  pen(c, 3, kRed);
  line(c, b.pinX, b.pinY + 150, b.pinX - 20, b.pinY + 110);
  line(c, b.pinX, b.pinY + 150, b.pinX + 20, b.pinY + 110);
  font(c, kTextHeight);
  c.text(b.pinX + 30, b.pinY + 90, wallTextOf(wallText::kPerpendicular, language));

  drawScale(c, b, b.radius, 1, 10, 50, true);
  drawScale(c, b, b.innerRadius, 5, 30, -100, false);

  // The pin mark.
  pen(c, 3);
  c.ellipse(b.pinX - 15, b.pinY - 15, b.pinX + 15, b.pinY + 15);
  line(c, b.pinX - 40, b.pinY, b.pinX + 40, b.pinY);
  line(c, b.pinX, b.pinY - 40, b.pinX, b.pinY + 40);
  font(c, kTextHeight, kFontWeightBold);
  c.text(b.pinX + 50, b.pinY + 20, "P  " + wallTextOf(wallText::kPinMark, language));
}

void drawWallEdge(Canvas& c, const BoardLayout& b, int language) {
  pen(c, 8);
  line(c, 50, b.wallY, kTableX - 100, b.wallY);
  font(c, kTextHeight, kFontWeightBold);
  c.text(120, b.wallY + 25, wallTextOf(wallText::kWallEdge, language));
}

void drawScaleBar(Canvas& c, const BoardLayout& b, int language) {
  const double x0 = b.scaleBarX, x1 = b.scaleBarX + b.scaleBarLength, y = b.scaleBarY;
  pen(c, 3);
  line(c, x0, y, x1, y);
  line(c, x0, y - 40, x0, y + 40);
  line(c, x1, y - 40, x1, y + 40);
  for (double x = x0 + 100; x < x1 - 1; x += 100) line(c, x, y, x, y + 20);
  font(c, kTextHeight);
  c.text(x1 + 40, y - kTextHeight / 2, wallTextOf(wallText::kScaleCheck, language));
}

void drawInstructions(Canvas& c, const BoardLayout& b, int language) {
  font(c, kTextHeight);
  double y = b.pinY + 220;
  for (int row : {wallText::kHowTo1, wallText::kHowTo2, wallText::kHowTo3}) {
    c.text(100, y, wallTextOf(row, language));
    y += kTextHeight * 1.6;
  }
}

void drawTable(Canvas& c, int language) {
  font(c, 45, kFontWeightBold);
  const std::string title = wallTextOf(wallText::kTemplateTitle, language);
  c.text(kTableX, 120, title);
  double width = 0;
  for (double w : kColumnWidths) width += w;
  const double bottom = kTableTop + kRowHeight * (kTableRows + 1);
  pen(c, 3);
  c.setBrush({kWhite, BrushStyle::Clear});
  c.rectangle(kTableX, kTableTop, kTableX + width, bottom);
  pen(c, 2);
  for (int r = 1; r <= kTableRows; ++r)
    line(c, kTableX, kTableTop + r * kRowHeight, kTableX + width, kTableTop + r * kRowHeight);
  double x = kTableX;
  const int headers[4] = {wallText::kColumnNumber, wallText::kColumnDate, wallText::kColumnTime,
                          wallText::kColumnAngle};
  font(c, kTextHeight, kFontWeightBold);
  for (int k = 0; k < 4; ++k) {
    centredText(c, x + kColumnWidths[k] / 2, kTableTop + kRowHeight / 2, wallTextOf(headers[k], language));
    if (k > 0) line(c, x, kTableTop, x, bottom);
    x += kColumnWidths[k];
  }
  font(c, kTextHeight);
  for (int r = 1; r <= kTableRows; ++r)
    centredText(c, kTableX + kColumnWidths[0] / 2, kTableTop + (r + 0.5) * kRowHeight, std::to_string(r));
  c.text(kTableX, bottom + 30, wallTextOf(wallText::kClockNote, language));
}

}  // namespace

void drawWallBoardTemplate(Canvas& canvas, int language) {
  const BoardLayout& b = kBoardLayout;
  canvas.setBrush({kWhite, BrushStyle::Clear});
  drawWallEdge(canvas, b, language);
  drawProtractor(canvas, b, language);
  drawInstructions(canvas, b, language);
  drawScaleBar(canvas, b, language);
  drawTable(canvas, language);
}

}  // namespace tavrel
