// Hollander's mean-time sundial (dial kind 'm'): an inclined circular cone
// stands on the dial plane; its axis lies in the meridian plane of the
// (equivalent) horizontal dial and rises at the axis inclination psi from
// the plane to the apex. The shadow of the cone has two straight edges,
// the tangents from the apex shadow to the footprint ellipse; one hour
// curve serves two dates of equal declination but different equation of
// time, the hour point of a date pair being where the edge of one date
// meets the other edge of the other date.
//
// Geometry is computed once (computeHollanderDial) in DIAL MILLIMETRES at
// true size; one emitter (emitHollanderDial) draws it on the window
// picture, the printer page and the HPGL plot.
//
// Axes (mm): origin = the centre of the footprint ellipse (the gnomon foot
// of the drawing window); x to the right, y DOWNWARDS as the plate is seen
// from the sun's side. On a horizontal plate north is up (-y) and east to
// the right; on a vertical or inclined plate the picture is that of the
// equivalent horizontal dial turned by theta of rotateSpherical. The axis
// foot A is at (0, -c) and the point S under the apex at (0, -c - L cos
// psi) before the turn; the apex stands L sin psi above S.
//
// Sources: the equivalent horizontal dial of a plane (rotateSpherical),
// Rohr, "Sundials", ch. 4, and Waugh, "Sundials", ch. 9; apex shadow of a
// horizontal dial, Waugh ch. 4; the conic section of a cone cut by a plane
// and the tangents from an outside point to an ellipse, Bronshtein &
// Semendyayev, "Handbook of Mathematics", 2.6.3; the idea of the cone
// whose two shadow edges serve the two dates of equal declination, Hollander
// (Compendium of the North American Sundial Society, 1998); declination and
// equation of time after Meeus, "Astronomical Algorithms", ch. 25 and 28.
#pragma once

#include <string>
#include <vector>

#include "plot/hpgl_writer.h"
#include "plot/plot_refusal.h"
#include "plot/screen_surface.h"
#include "plot/target_placement.h"

namespace tavrel {

struct DesignState;

struct HollanderPoint {
  double x = 0, y = 0;  // dial mm
};

// One row of the date-pair table: the listed day (summer to winter
// solstice) and its partner of the other half-year.
struct HollanderDatePair {
  int day = -1, partner = -1;                // day of the year; -1: none
  double declination = 99, partnerDeclination = 99, meanDeclination = 99;
  double eot = 99, partnerEot = 99;          // degrees
  // sin, cos and tan of the mean declination (kept for the many hour points).
  double sinMean = 0, cosMean = 1, tanMean = 0;
};

enum class HollanderLineKind { Ellipse, MajorAxis, Mark, HourLine, PartHour, ZodiacDate, CalendarDate };

struct HollanderLine {
  HollanderLineKind kind = HollanderLineKind::HourLine;
  int pen = 1;
  int extraWidth = 0;
  double hour = 0;      // hour lines: mean time; date lines: the row
  int row = 0;
  std::vector<HollanderPoint> points;
};

struct HollanderLabel {
  double x = 0, y = 0;  // dial mm
  // A radial offset from the origin, in text heights (hour numbers).
  double radialHeights = 0;
  std::string text;
  int pen = 4;
};

// The label of a zodiac date line where it crosses the noon line; the
// emitter writes them outwards from the footprint, leaving out those that
// would overlap the one before.
struct HollanderDateLabel {
  double x = 0, y = 0;       // dial mm
  double distance = 0;       // from the ellipse centre, mm
  std::string text;          // "21. Jun / 21. Jun"
};

struct HollanderInput {
  double coneAxisMm = 100;     // L (gnomonLength)
  double axisInclination = 47; // psi
  double halfAngle = 12;       // alpha
  int variant = 0;             // hollanderVariant (0..8)
  double wallDeclination = 0, planeInclination = 90;
  double latitude = 47, longitude = -8, zoneMeridian = -15;
  bool zoneTime = false;
  int year = 2020;
  int hoursFrom = 10, hoursTo = 18;
  int subdivisions = 1;        // a = otherHourInterval digit + 1
  int dateLineMode = 0;        // 0 zodiac, 1 + the 6th, 2 + the 1st and 11th
  double obliquity = 23.44;
  int language = 2;
  double limitMm = 1e9;        // points farther from the origin are left out
};

enum class HollanderRefusal { None, InputError, ApexAngleTooLarge };

struct HollanderDial {
  HollanderRefusal refusal = HollanderRefusal::None;
  std::string refusalText;
  // The equivalent horizontal dial.
  double equivalentLatitude = 0, longitudeDifference = 0, turn = 0;
  // The cone: footprint half axes (b across, a along the meridian), the
  // offset c of the axis foot from the ellipse centre, apex height.
  int variant = 0;
  double sinLat = 0, cosLat = 1;  // of the equivalent latitude
  double cosTurn = 1, sinTurn = 0;  // of -turn: the picture is turned as the plate is seen
  double L = 0, psi = 0, alpha = 0, a = 0, b = 0, c = 0, apexHeight = 0;
  HollanderPoint axisFoot, underApex;  // dial mm, turned
  std::vector<HollanderDatePair> rows;  // rows[0] is row 1 (21 June)
  std::vector<HollanderLine> lines;
  std::vector<HollanderLabel> labels;
  std::vector<HollanderDateLabel> dateLabels;
  std::string declinationListing;
  std::string title, dataLine, coneLine;
};

// The date-pair table of a year: 21 June to 21 December, each day paired
// with the day of the other half-year of nearest declination.
std::vector<HollanderDatePair> hollanderDatePairs(int year);

// The apex shadow in the equivalent horizontal system (x east, y north,
// mm from the ellipse centre) for declination delta, equation of time eot
// (degrees) and mean time t (hours); false when the sun is not above the
// plane.
bool hollanderApexShadow(const HollanderDial& dial, double delta, double eot, double t, double& x,
                         double& y);

// The hour point of row (1-based) at mean time t of the equivalent plane,
// in dial mm (mirrored and turned); false when there is none.
bool hollanderShadowPoint(const HollanderDial& dial, int row, double t, double& x, double& y);

// The whole dial. Shows no message (the refusal is in the result).
HollanderDial computeHollanderDial(const HollanderInput& input);

// The input of the design record d.
HollanderInput hollanderInputOf(const DesignState& d);

// Placement on a target (TargetPlacement): target = origin + unitsPerMm (x, +-y).
struct HollanderPlacement : TargetPlacement {
  bool plot = false;
  double markUnits = 5;       // half size of the marks
  double charWidthCm = 0.2, charHeightCm = 0.28;
  double textHeight = 12;     // target units (hour numbers' offsets)
  double textX = 0, textY = 0, lineStep = 20;
  bool hint = false;          // the screen's hint in the top-left corner
  Canvas* screenCanvas = nullptr;
  // The page the labels must stay on (target units from the origin of
  // the target); 0: no limit.
  double pageWidth = 0, pageHeight = 0;
};

void emitHollanderDial(PlotSurface& surface, const HollanderDial& dial, const HollanderPlacement& placement);

// Shows the refusal box of a refused dial (error caption); true if refused.
bool showHollanderRefusal(const HollanderDial& dial);
// The refusal of `dial` as the plot returns it (empty: none).
PlotOutcome hollanderPlotRefusal(const HollanderDial& dial);

// The dial of `input` on the screen (screenMode) or printer page of width
// x height surface units; originX/Y the ellipse centre (below 1: the
// middle of the picture).
void drawHollanderDial(ScreenSurface& surface, const HollanderInput& input, bool screenMode, int width, int height, double zoom,
                       double originX, double originY, double textX, double textY, bool grid);

// The HPGL plot; positions in plotter units already multiplied by R. Angles
// that make no cone are refused (returned) before anything is written.
PlotOutcome plotHollanderDial(HpglWriter& writer, const HollanderInput& input, double zoom, double originX, double originY, double textX,
                              double textY);

// The cone file: the cross section through the axis and the unfolded
// cone surface, true size (times zoom).
void plotHollanderCone(HpglWriter& writer, const HollanderInput& input, double zoom);

// The lines of the drawing window's information on the dial: title,
// place and cone, the footprint, the equivalent horizontal dial of a wall,
// the spread of the date pairs' apex shadows at noon over the year
// ("Dist.", L = axis length times zoom), and the declination listing.
std::vector<std::string> hollanderInformation(const HollanderInput& input, double zoom);

// The spread ("Dist.", mm) of the two apex shadows of each date pair at
// noon, mean time of the plane; pairs whose shadows miss the plane are
// left out.
struct HollanderNoonSpread {
  int day = -1, partner = -1;
  double dist = 0;
};
std::vector<HollanderNoonSpread> hollanderNoonSpread(const HollanderDial& dial);

// The information graphic ("Grafik zeigen"): the spread over the year with
// its smallest and largest value, on a picture of width x height.
void drawHollanderInfo(ScreenSurface& surface, const HollanderInput& input, int width, int height,
                       double zoom);

// The name of the cone file: "Cone" before the extension of the plot file
// (a DXF target's cone file is an HPGL plot: ".plt").
std::string hollanderConeFileName(const std::string& plotFile);

}  // namespace tavrel
