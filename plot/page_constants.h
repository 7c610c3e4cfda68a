// Page constants of the three targets and the conversion of stored screen
// positions to plotter units.
//
// Plotter file: 40 plotter units per millimetre (0.025 mm), origin
// bottom-left, y upwards; A3 landscape. Every plotter coordinate, page
// constant and character size of a plot is multiplied by the resolution
// factor R: 1 for an HPGL file, 25 for the intermediate file of a DXF
// conversion (the converter is then told 40 * R units per millimetre).
// Printer page: 10 units per millimetre, y downwards. Screen: a drawing
// scale of picture width / 280 pixels per millimetre (printed layout, A4)
// or / 420 (saved layout, A3).
#pragma once

namespace tavrel {

inline constexpr int kPlotUnitsPerMm = 40;
inline constexpr int kResolutionFactorHpgl = 1;
inline constexpr int kResolutionFactorDxf = 25;

inline constexpr int kPlotWindowWidth = 16157;   // IW and EA of the prologue
inline constexpr int kPlotWindowHeight = 11038;
inline constexpr int kPlotPageWidth = 16400;     // page frame, full-width lines
inline constexpr int kPlotPageHeight = 11480;    // planar dials, Hollander cone
inline constexpr int kPlotPageHeightQuadrant = 10400;
inline constexpr int kPlotGridWidth = 16150;
inline constexpr int kPlotGridHeight = 11030;

inline constexpr int kPrinterUnitsPerMm = 10;
// The margin the dial constructions keep on the printer page (0.1 mm).
inline constexpr int kPrinterPageMargin = 50;

// The part of a width x height picture a construction draws into: the
// whole picture on the screen, the page less its margin on the printer.
struct DrawingArea {
  int x0 = 0, y0 = 0, w = 0, h = 0;
};
inline DrawingArea drawingArea(int width, int height, bool onScreen) {
  const int m = onScreen ? 0 : kPrinterPageMargin;
  return {m, m, width - 2 * m, height - 2 * m};
}
inline constexpr double kScreenWidthMmA4 = 280;  // millimetres across the picture
inline constexpr double kScreenWidthMmA3 = 420;

// Pixels per millimetre of a picture `pictureWidth` pixels wide.
double screenUnitsPerMm(double pictureWidth, bool paperA4);

// Stored screen position to plotter units (planar, bi-azimuthal, cylinder
// and Peaucellier dials): Round(16157 / W * x), Round(11040 - 11038 / H * y).
long long screenToPlotX(double xScreen, double pictureWidth);
long long screenToPlotY(double yScreen, double pictureHeight);
// The Sawyer dial: Round(16400 / W * x), Round(10480 - 10470 / H * y).
long long sawyerScreenToPlotX(double xScreen, double pictureWidth);
long long sawyerScreenToPlotY(double yScreen, double pictureHeight);

}  // namespace tavrel
