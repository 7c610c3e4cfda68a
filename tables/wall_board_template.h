// The printable board of the wall-declination measurement
// (tables/wall_declination.h): an A4 landscape sheet, drawn once through
// the Canvas and written as SVG (plot/svg_canvas.h) or, through the Qt
// painter canvas, as PDF.
//
// Units: 0.1 mm, origin at the top-left corner of the sheet, y downwards,
// as the printer canvas wants them; the sheet is 2970 x 2100 units. At
// true size a millimetre on the sheet is a millimetre on paper.
//
// On the sheet (seen from above when it lies face up on the level board):
//   - the wall edge, a heavy line near the top: it is laid against the wall;
//   - the pin (or plumb-line) mark P, and the perpendicular to the wall
//     through it;
//   - a protractor about P on the wall side, -90 .. +90 degrees, each
//     degree ticked: the angle at direction "towards the wall turned
//     clockwise by t" is labelled t, which is the board angle of the
//     shadow S lying there (the line S -> P then points t clockwise from
//     the outward perpendicular);
//   - a 100 mm scale bar to check the print, instructions, and a table to
//     note date, clock time and angle of each measurement.
#pragma once

namespace tavrel {

class Canvas;

inline constexpr double kBoardSheetWidth = 2970;   // 0.1 mm
inline constexpr double kBoardSheetHeight = 2100;  // 0.1 mm

// Where things are, in sheet units, for the tests and the help picture.
struct BoardLayout {
  double pinX = 1050, pinY = 1400;     // P
  double wallY = 250;                  // the wall edge
  double radius = 900;                 // outer scale
  double innerRadius = 450;            // inner scale (short shadows)
  double scaleBarX = 100, scaleBarY = 1900, scaleBarLength = 1000;  // 100 mm
};
inline constexpr BoardLayout kBoardLayout{};

// Draws the sheet on `canvas` (0.1 mm units) with the texts of `language`
// (1 German, 2 English).
void drawWallBoardTemplate(Canvas& canvas, int language);

}  // namespace tavrel
