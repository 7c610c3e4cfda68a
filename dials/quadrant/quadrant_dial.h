// Altitude dials of dial kind 'q', read with a plumb line or a gnomon
// turned towards the sun:
//   variant 0  the quadrant sundial: a quarter disc sighted at the sun
//              along its upper edge; the plumb line from the apex makes the
//              sun's altitude h with the vertical edge, and its bead, set on
//              the day's date arc, marks the hour. Date arcs by calendar
//              date, by solar declination, or on the stereographic scale of
//              Gunter's quadrant.
//   variant 1  vertical Habermel dial I: a vertical disc turned to face the
//              sun, a horizontal pin gnomon g perpendicular to it. The disc
//              is turned in its own plane until a thread hanging from the
//              pin crosses the day's mark on the rim; the pin tip's shadow
//              then falls on the thread, g tan h below the pin.
//   variant 2  vertical Habermel dial II: the same disc hanging upright, the
//              pin set into the day's hole of a horizontal date bar; the
//              shadow falls g tan h straight below the pin.
//
// Geometry is computed once (computeQuadrant, computeHabermel) in DIAL
// MILLIMETRES at true size and drawn by one emitter (emitQuadrantDial)
// through the PlotSurface interface on the window picture, the printer
// page or the HPGL plot.
//
// Dial axes (mm): x to the right, y DOWNWARDS.
//   quadrant   origin at the apex, x along the upper (sighting) edge, y
//              along the vertical edge; the point of altitude h on the arc
//              of radius r is (r sin h, r cos h).
//   Habermel   origin at the centre of the disc.
// Arc angles are counted as the picture is seen: 0 to the right, 90 up,
// sweeps counter-clockwise positive.
//
// Sources: Rohr, "Sundials: History, Theory and Practice" (Dover 1996),
// ch. 6 (altitude dials, quadrants); Gunter, "De sectore et radio" (1623),
// the quadrant's stereographic projection on the plane of the equator
// (radius of the parallel of declination d: k tan((90 + d) / 2)); Waugh,
// "Sundials: Their Theory and Construction" (Dover 1973), ch. 13 (shadow of
// a gnomon on a plate turned to the sun: g tan h); sun positions after
// Meeus, "Astronomical Algorithms", 2nd ed., ch. 13 and 25; temporal hours
// after Rohr ch. 1 (astro/time_systems.h).
#pragma once

#include <string>
#include <vector>

#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"
#include "plot/target_placement.h"

namespace tavrel {

struct DesignState;

enum class QuadrantScale { Calendar = 0, Declination = 1, Gunter = 2 };

enum class QuadrantLineKind {
  Frame,        // edges and arc of the quadrant, rim of the disc: pen 1
  DateMark,     // Habermel date marks and lines
  Hour,         // ordinary hours: whole pen 2, parts pen 3
  Temporal,     // temporal hours: whole pen 10, parts pen 3
  Azimuth,      // Gunter azimuth lines: pen 5 / 7
  Gnomon,       // Habermel: the gnomon sign and the date bar
};

struct QuadrantPoint {
  double x = 0, y = 0;  // dial mm
  double key = 0;       // day of the year or declination the point belongs to
};

struct QuadrantLine {
  QuadrantLineKind kind = QuadrantLineKind::Frame;
  int pen = 1;
  double value = 0;  // hour value, declination, azimuth, day
  bool subdivision = false;
  std::vector<QuadrantPoint> points;
};

// A circular arc: centre, radius, start angle and sweep (degrees).
struct QuadrantArc {
  int pen = 1;
  double cx = 0, cy = 0, r = 0;
  double fromDeg = 0, sweepDeg = 90;
  double value = 0;    // day of the year (calendar) or declination
  bool monthStart = false;
};

struct QuadrantLabel {
  int pen = 4;
  double x = 0, y = 0;   // dial mm, the reference point
  std::string text;
  double angleDeg = 0;   // direction of the text as the picture is seen
};

// A ring to be filled on the screen (the Gunter zodiac band).
struct QuadrantRing {
  bool shown = false;
  double r1 = 0, r2 = 0;  // mm about the apex
};

// What one quadrant shows.
struct QuadrantInput {
  double radiusMm = 150;
  QuadrantScale scale = QuadrantScale::Calendar;
  bool wholeYear = false;
  bool juneOutside = false;  // januaryOutside: the arc of 21 June outermost
  bool secondHalf = false;   // the half year 21 December .. 21 June
  bool temporal = false;
  int from = 10, to = 18;    // hour range (temporal: 0..12)
  int parts = 1;             // parts of an hour
  bool zoneClock = false;    // ordinary hours in zone time
  bool withEot = false;      // ordinary hours read as mean time
  bool mergeMirrored = false;// local apparent time: t and 24 - t coincide
  double textMm = 3;         // height of a text line (Gunter inset: 13 of them)
  double charMm = 2.25;      // width of a label character
  bool azimuthLines = false; // Gunter: lines of equal azimuth
};

struct QuadrantDial {
  int variant = 0;
  QuadrantInput input;
  double radiusMm = 0;       // quadrant radius, disc radius
  double gunterRadiusMm = 0; // Rg: tropic of Cancer on the Gunter scale
  std::vector<QuadrantLine> lines;
  std::vector<QuadrantArc> arcs;
  std::vector<QuadrantLabel> labels;
  QuadrantRing band;
  // Habermel: where the gnomon stands (dial mm), its length, the usable
  // radius of the hour area.
  double gnomonX = 0, gnomonY = 0, gnomonMm = 0, hourRadiusMm = 0;
  bool temporalRefused = false;  // |latitude| > 65 with temporal hours
  bool southRefused = false;     // Habermel dials south of the equator
  bool anyHour = false;
  std::string title, locationLine, timeLine, gnomonLine, diameterLine;
};

// The radius (mm) of the date arc of day n (calendar) or of declination
// d (declination and Gunter scales) on a quadrant of radius R, as the
// input's layout gives it.
double quadrantArcRadius(const DesignState& d, const QuadrantInput& in, double dayOrDeclination);

// The quadrant of the input, with the latitude, clock and ephemeris of the
// design record. Shows no message.
QuadrantDial computeQuadrant(const DesignState& d, const QuadrantInput& input);

// The quadrant input the screen uses (noon folding in zone time, temporal
// ranges cut to 12).
QuadrantInput screenQuadrantInput(const DesignState& d, double radiusMm, double textMm);

// Habermel dial I (variant 1) or II (variant 2) of gnomon g and diameter D.
QuadrantDial computeHabermel(const DesignState& d, int variant, double gnomonMm, double diameterMm);

// Habermel dial I: the direction from the pin (degrees as the picture is
// seen) in which the thread hangs when set on declination d in the rising
// (21 Dec .. 21 Jun) or falling half of the year; obliquity in degrees.
double habermelThreadDirection(double declination, bool rising, double obliquity);

// Placement of dial mm on a target: target = origin + unitsPerMm * (dir x,
// y) (screen, y down) or (dir x, -y) (plot, yUp).
struct QuadrantPlacement : TargetPlacement {
  double direction = 1;  // -1: mirrored
  double charWidthCm = 0.24, charHeightCm = 0.32;
  bool writeWidths = true;
  bool plot = false;           // umlauts spelled out, label directions as "DI"
  Canvas* screenCanvas = nullptr;  // screen: the zodiac band's fill
  // Screen and printer: the label height (target units) and the page the
  // labels keep to; a label that would cover another is moved outwards
  // from the dial's origin or left out. 0: labels are written as placed.
  double labelHeight = 0;
  double labelAdvance = 0;  // per character; 0: 0.6 labelHeight (the screen's)
  double pageWidth = 0, pageHeight = 0;
};

// Draws the lines, arcs and labels of `dial` (not its title block).
void emitQuadrantDial(PlotSurface& surface, const QuadrantDial& dial, const QuadrantPlacement& p);

// ---- screen and printer (onScreen false: printer page, 10 units per mm)
void drawQuadrant(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen);
void habermelDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                  double gnomonMm);
void habermelDial2(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen,
                   double gnomonMm);
// By quadrantVariant.
void drawQuadrantDial(ScreenSurface& surface, const DesignState& d, int width, int height, bool onScreen);

// ---- plot (the writer's resolution factor scales every coordinate). A
// refusal (message 64 for temporal hours beyond 65 degrees of latitude,
// the Habermel dials south of the equator) is returned before anything is
// written.
PlotOutcome plotQuadrantPage(HpglWriter& writer, const DesignState& d);
PlotOutcome plotGunterQuadrant(HpglWriter& writer, const DesignState& d, double quadrantSizeMm);
PlotOutcome plotHabermel(HpglWriter& writer, const DesignState& d, int variant, double gnomonMm);
// By quadrantVariant and zodiacScale.
PlotOutcome plotQuadrantDial(HpglWriter& writer, const DesignState& d);

// The resolution factor of a DXF plot: 25 for the Gunter quadrant and the
// Habermel dials, 1 for the two-quadrant page.
bool quadrantPlotScaled(int variant, int zodiacScale);

}  // namespace tavrel
