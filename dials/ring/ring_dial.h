// The ring dial (dial kind 'r', the farmer's ring): a short cylindrical
// ring hangs from a cord; sunlight enters a pin hole and throws a light
// mark on the opposite inner surface, whose place along the circumference
// tells the sun's altitude and so, with the date, the time.
//
// Ring frame (the ring hanging, seen along its axis): a circle of radius
// R = D/2 in a vertical plane; the pin hole lies on it at the angle alpha
// from the top on the side facing the sun. A ray of altitude h that makes
// the angle psi with the ring's plane (the ring turned about the vertical
// by psi away from the sun) enters through the hole and meets the inner
// surface after the chord k R.
//
// Band coordinates (DIAL MILLIMETRES at true size, the inner surface
// unrolled, y DOWNWARDS):
//   x  arc along the inner circumference from the reference point Q0 (the
//      mark of a horizontal ray: the point opposite the hole at the same
//      angle alpha from the top), increasing downwards on the far side;
//      0 .. pi R, half the inner circumference;
//   y  across the ring's width, 0 at the upper edge .. ringWidth; a
//      declination d lies at y(d) = W (e - d) / (2 e), e = 23.44 degrees.
// Without lateral deflection the mark lies at x = R 2h (inscribed-angle
// theorem: the arc is twice the angle); with it, at R (2h + beta) with
// beta from ringRay.
//
// The pin hole and the date:
//   ringRayDeflection 0  the hole is set across the width to the day's
//                        date line (psi = 0, the mark on the date line);
//   ringRayDeflection 1  the hole stays at its place and the ring is turned
//                        about the vertical until the mark falls on the
//                        day's date line; solveRingRay gives psi and beta;
//   ringRayDeflection 2  both, joined by short lines.
//   Holes: one band (wholeYearQuadrant) has one hole at the declination
//   gnomonHoleOffset; within 0.5 degrees of gnomonHoleOffsetMax
//   (gnomonHoleOffsetMin) only the declinations >= 0 (<= 0) are drawn.
//   Otherwise two holes, at gnomonHoleOffsetMax for the declinations >= 0
//   and at gnomonHoleOffsetMin for the others.
//   noonLineHorizontal: the band of hour lines is turned along the
//   circumference with the date by the arc that brings the day's noon mark
//   to the noon mark of the highest sun of the year (altitude
//   min(90, 90 - |latitude| + 23.44)), so that noon is one generator of the
//   ring, a horizontal line on the hanging ring; the band carries the date
//   scale for setting it. One rule for every day: with deflection, the
//   day's noon mark on its date line sets the band only when every day of
//   the band (with either hole) has one; otherwise (a high sun and a large
//   offset: low latitudes) the noon mark in the hole's plane sets it. A
//   rule that changed from one date line to the next would bend every
//   hour line where it changes, and the two holes share the equinox.
//   The ring is turned by at most kRingTurnLimit: beyond it the light
//   falls so obliquely through the hole that the mark is no longer a spot,
//   and near the largest offset a high sun can reach the mark runs along
//   the circumference faster than any line can follow. No mark, and no
//   noon mark that sets a band, needs more.
//
// Sun: local apparent time, the declination held for the day; altitude
// from Meeus, "Astronomical Algorithms", 2nd ed., eq. 13.6; temporal,
// Babylonian and Italian hours after Rohr, "Sundials" (Dover 1996), ch. 1
// (astro/time_systems.h). The ring dial itself: Rohr ch. 6; the chord of
// a ray in a circle: plane geometry (power of a point).
#pragma once

#include <string>
#include <vector>

#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"
#include "plot/target_placement.h"

namespace tavrel {

struct DesignState;

// ---- the ray through the pin hole -----------------------------------------

struct RingRayResult {
  double beta = 0;            // arc degrees of the mark beyond its position 2 h
  double relativeHeight = 0;  // height of the mark over the centre / R
  double axialOffset = 0;     // mm across the band from the hole's plane (>= 0 for psi >= 0)
};

// The mark of a ray of altitude hsun and deflection psi through the hole at
// alpha (all degrees) in a ring of inner diameter D (mm):
//   k = 2 (sin h cos a + cos h sin a cos psi) / (sin^2 h + cos^2 h cos^2 psi)
//   axialOffset = cos h (D/2 k) sin psi; relativeHeight = cos a - k sin h;
//   L = asin(relativeHeight); side = D/2 (k cos h cos psi - sin a);
//   beta = 90 - a - L - 2h (side >= 0) or L + 270 - a - 2h.
// For psi = 0, beta is 0: the inscribed-angle position.
RingRayResult ringRay(double psi, double hsun, double alpha, double diameterMm);

// The same for many deflections of one altitude, hole and ring: the sines
// and cosines of hsun and alpha worked out once (the results are those of
// ringRay to the last digit).
class RingRayOptics {
 public:
  RingRayOptics(double hsun, double alpha, double diameterMm);
  // The mark of deflection psi, with sp = sin psi and cp = cos psi given.
  RingRayResult ray(double sp, double cp) const;
  RingRayResult ray(double psi) const;
  // Only its offset across the band (HUGE_VAL: never meets the ring).
  double offset(double psi) const;
  double offset(double sp, double cp) const;

 private:
  double hsun_, alpha_, sh_, ch_, sa_, ca_, r_;
};

struct RingRaySolution {
  double beta = 0, relativeHeight = 0, axialOffset = 0;
  double psi = 0;  // the deflection found, degrees
  bool found = false;
};

// The deflection psi whose mark lies targetMm across the band (its
// magnitude; the mark of -psi lies as far on the other side with the same
// beta): the first psi where the offset reaches the target, to better
// than 0.0001 degrees. A target reached below psi 0.02 gives 0 (found);
// none below 90 degrees: not found. psiStart, a deflection near the
// answer (the neighbouring point of a line), only makes it faster.
RingRaySolution solveRingRay(double targetMm, double hsun, double alpha, double diameterMm,
                             double psiStart = -1);

// ---- the band -------------------------------------------------------------

enum class RingLineKind {
  Frame,       // pen 1
  DateLine,    // pen 4
  Hour,        // full hours pen 2, parts pen 3
  Temporal,    // pen 10, parts pen 3
  Italian,     // pen 5, parts pen 9; hour 24 (sunset) pen 8
  Babylonian,  // pen 6, parts pen 9; hour 0 (sunrise) pen 8
  Joint,       // deflection both, in the pen of its hour line: from the mark
               // without to the mark with deflection
};

struct RingPoint {
  double x = 0, y = 0;  // band mm
};

struct RingLine {
  RingLineKind kind = RingLineKind::Frame;
  int pen = 1;
  double value = 0;      // clock hour, temporal, Italian or Babylonian hour; declination
  bool subdivision = false;
  int deflection = 0;    // 0 without, 1 with lateral deflection (hour families)
  std::vector<RingPoint> points;
};

struct RingLabel {
  int pen = 4;
  double x = 0, y = 0;  // band mm, the label's reference point
  std::string text;
};

// The geometry of one hour point: the sun and the hole of its date line.
struct RingMark {
  bool shown = false;
  double x = 0, y = 0;   // band mm
  double psi = 0;        // deflection of the ring (deflection 1)
  bool beyondTurn = false;  // deflection 1: no turn within kRingTurnLimit reaches the date line
};

struct RingDialInput {
  double diameterMm = 150, widthMm = 80, alpha = 30;
  double latitude = 47.25;
  int year = 2020;
  int deflection = 1;          // ringRayDeflection
  bool noonHorizontal = true;  // noonLineHorizontal
  bool singleBand = false;     // wholeYearQuadrant
  double holeOffset = 0, holeOffsetMax = 11.72, holeOffsetMin = -11.72;
  // Hour families, ranges and intervals (the design record's fields).
  bool temporal = false;
  int hoursFrom = 8, hoursTo = 19, hourParts = 1;
  int temporalFrom = 1, temporalTo = 6, temporalParts = 1;
  bool babylonian = false, italian = false;
  int babylonianFrom = 0, babylonianTo = 20, babylonianParts = 1;
  int italianFrom = 5, italianTo = 24, italianParts = 2;
  int oldHoursPart = 0;        // 0 all day, 1 before noon, 2 afternoon
  // Declination steps along an hour line between the date lines.
  int declinationSteps = 48;
  // The values of the design record d.
  static RingDialInput of(const DesignState& d);
};

struct RingDial {
  double radiusMm = 75, lengthMm = 0, widthMm = 80;  // band pi R x W
  std::vector<RingLine> lines;
  std::vector<RingLabel> labels;
  bool temporalRefused = false;   // temporal hours at |latitude| > 65
  bool temporalRangeBad = false;  // temporal range above 12
  // Title block, in the current language.
  std::string title, dataLine, locationLine, timeLine, offsetLine;
};

// The declination limit of the band (degrees).
inline constexpr double kRingDeclinationLimit = 23.44;

// y of declination d on a band W mm wide.
double ringBandY(double declination, double widthMm);

// A part of the band: the declinations decHigh .. decLow (decHigh >=
// decLow) served by the hole at holeDeclination.
struct RingBandPart {
  double decHigh = kRingDeclinationLimit, decLow = -kRingDeclinationLimit;
  double holeDeclination = 0;
};
// The parts drawn: one band (all, or only the upper or lower half when the
// offset is within 0.5 degrees of its maximum or minimum) or two bands.
std::vector<RingBandPart> ringBandParts(const RingDialInput& in);

// Where the mark of the sun at altitude h (degrees) lies on the date line
// of declination d with the hole at holeDeclination, for deflection 0 or 1,
// the band turned by noonShift (ringNoonShift); psiStart a deflection near
// the answer (-1: none). Not shown: sun below the horizon, no deflection
// found, or off the band's length.
RingMark ringMark(const RingDialInput& in, double declination, double holeDeclination,
                  double altitude, int deflection, double noonShift, double psiStart = -1);

// The largest turn of the ring (degrees) for a mark with deflection.
inline constexpr double kRingTurnLimit = 45;

// Whether the days set the band by their noon marks with deflection:
// every declination of every part of the band (in steps of at most 0.1
// degree) has one with the part's hole.
bool ringBandSetByDeflectedNoon(const RingDialInput& in);

// The arc (degrees) by which the band is turned for the date line of
// declination d: by its noon mark with deflection (deflectedNoon; NaN when
// there is none) or in the hole's plane; 0 without noonHorizontal.
double ringNoonShift(const RingDialInput& in, double declination, double holeDeclination,
                     bool deflectedNoon);

// The whole band. Shows no message.
RingDial computeRingDial(const RingDialInput& in);

// ---- drawing ----------------------------------------------------------------

// Placement of band millimetres on a target: origin + unitsPerMm (x, y),
// y downwards (screen) or upwards (plot).
struct RingPlacement : TargetPlacement {
  double charWidthCm = 0.16, charHeightCm = 0.24;  // labels
  double titleWidthCm = 0.3, titleHeightCm = 0.4;  // title
  double textWidthCm = 0.2, textHeightCm = 0.32;   // data lines
  double titleX = 0, titleY = 0;                   // target units
  double dataX = 0, dataY = 0;                     // second line
  double timeX = 0, timeY = 0;
  double lineStep = 0;                             // further lines
  bool asciiTexts = false;                         // plot: umlauts spelled out
  bool writeWidths = true;
};

// The one emitter of both targets.
void emitRingDial(PlotSurface& surface, const RingDial& dial, const RingPlacement& placement);

// The screen construction (onScreen false: printer page, 10 units per mm,
// margin 50). A band larger than the picture asks whether to shrink it;
// No ends the construction (false).
bool drawRingDial(ScreenSurface& surface, const RingDialInput& input, int width, int height, bool onScreen);

// The plot (the writer's plain page start), at true size when the band fits the
// A3 page, else reduced (the factor is written under the title).
// Temporal hours where the sun does not rise or set every day are refused
// (message 64, returned) before anything is written. plotLineWidth: 1
// fine (no width commands), 2 medium, 3 thick.
PlotOutcome plotRingDial(HpglWriter& writer, const RingDialInput& input, int plotLineWidth);

// ---- the offset-correction chart ------------------------------------------

struct RingChartCurve {
  double hsun = 0;
  int colour = 0;                     // 0x00BBGGRR
  std::vector<RingPoint> points;      // x degrees of scale, y = 1 - relative offset
};

struct RingCorrectionChart {
  std::vector<RingChartCurve> curves;
  std::vector<std::string> fileLines;  // "Schoener-Tabelle.txt"
};

// The curves of hsun = 2.5 c (c < 37) and the file lines (header, alpha
// line, one line per altitude step where the relative offset reaches 1.0
// within 0.001, a closing blank line), in the current language.
RingCorrectionChart computeRingCorrectionChart(double ringDiameter, double ringAlpha);

inline constexpr const char* kRingCorrectionFileName = "Schoener-Tabelle.txt";

// The chart on the picture or printer page; with writeFile (the record's
// writeCorrectionFile) the table goes to "Schoener-Tabelle.txt" in the
// working directory (an open failure: "Open error: File  " + name, the
// chart is still drawn).
void drawRingCorrectionChart(ScreenSurface& surface, int width, int height, double ringDiameter,
                             double ringAlpha, bool onScreen, bool writeFile);

}  // namespace tavrel
