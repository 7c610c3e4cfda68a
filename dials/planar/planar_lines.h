// The lines of a planar dial, computed once for every target: the sun
// positions of each line family, their shadow points and the polylines
// they make inside the drawing area, in dial coordinates (millimetres,
// origin at the gnomon foot, y upwards; see planar_plane.h). The screen
// and printer picture (planar_dial.h) and the plot file draw these lines
// with their own pens, page placement and labels; where the two differ
// in what is computed (sampling of the hour lines, the pen of some
// subdivisions, the drawing area) PlanarLineSampling and DialFrame say so.
//
// Every line is a polyline of shadow points: no line is drawn from a
// closed-form angle except the extension of an hour line that has no
// visible point at all (see linesToStyleFoot).
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "astro/horizontal_coordinates.h"

#include "dials/planar/hour_line_angles.h"
#include "dials/planar/planar_plane.h"
#include "dials/planar/shadow_projection.h"

namespace tavrel {

struct DesignState;

enum class PlanarLineKind {
  DayLength,   // whole-hour day-length lines, pen 11
  DateLine,    // pen 1
  HourLine,    // without equation of time: pen 3, subdivisions pen 8
  EotHourLine, // with equation of time: pen 4, subdivisions pen 2
  Analemma,    // the figure-eight of analemmaMarkHour, pen 4
  Temporal,    // pen 10
  Babylonian,  // pen 7, subdivisions by PlanarLineSampling
  Italian,     // pen 6, subdivisions by PlanarLineSampling
  Altitude,    // pen 5
};

struct PlanarLine {
  PlanarLineKind kind = PlanarLineKind::DateLine;
  int pen = 1;
  bool subdivision = false;
  double value = 0;   // declination (date, day-length), clock time (hours), hour value, altitude
  std::string label;  // date label of a date line
  // The vertices carry their sampling parameter: the clock hour t of the
  // date and day-length lines (hour angle 15 t - 180 on the constant
  // declinations), the day of the year of hour lines and of temporal,
  // Babylonian and Italian hours (the declination on the extension of
  // temporal hours), the azimuth of altitude lines.
  DialPath path;
};

// A mark on the analemma of analemmaMarkHour.
struct AnalemmaMark {
  double x = 0, y = 0;
  int month = 1, day = 1;
  bool firstOfMonth = false;  // filled red on the screen
  bool shown = false;         // visible and facing (umbrella: visible and in front)
};

// Label of an even whole Babylonian or Italian hour at its point of 21
// September (visible points only).
struct HourValueLabel {
  PlanarLineKind kind = PlanarLineKind::Babylonian;
  int pen = 7;
  double x = 0, y = 0;
  std::string text;
};

// The shadow of the tip at a whole hour (6, 9, 12, 15, 18, 21) on
// 23 September, 21 June and 21 December, without equation of time: the
// anchors of the hour numbers.
struct HourNumberAnchor {
  int hour = 12;
  ShadowPoint equinox;     // 23 September
  ShadowPoint june, december;
  double azimuthEquinox = 0, azimuthJune = 0, azimuthDecember = 0;
};

// What the targets compute differently.
struct PlanarLineSampling {
  // Hour lines: the first day, then firstStep days later, then every
  // `step` days: the screen samples while the day is below 366 (day 171 ..
  // 365 without, 1 .. 365 with equation of time); the plot samples up to
  // lastDayNoEot / lastDayEot with the last step shortened to end on it.
  int hourFirstStep = 5;
  int hourStep = 3;
  bool endOnLastDay = false;
  int lastDayNoEot = 365;
  int lastDayEot = 365;
  // Pen of the subdivisions of Babylonian and Italian hours.
  int otherHourSubdivisionPen = 8;
  // Hour-number anchors only for the hours within hourLinesFrom ..
  // hourLinesTo (the screen); the plot numbers every third hour 6 .. 21.
  bool hourNumbersInHourRange = true;

  static PlanarLineSampling screen();
  static PlanarLineSampling plot();
};

// Sun positions of earlier constructions, for redrawing the same dial
// (a zoom step, another gnomon foot, the printer page): the sun does not
// move with the picture. A position is found by every argument that
// determines it (compared bit for bit), so a hit is the very value the
// astronomy would give; nothing goes stale when the design changes, it
// only stops being asked for. Kept below a fixed size by starting over.
class PlanarSunCache {
 public:
  using Key = std::array<double, 8>;  // a tag for the routine, then its arguments

  template <typename Compute>
  SunPosition get(const Key& key, Compute compute) {
    if (auto it = map_.find(key); it != map_.end()) return it->second;
    if (map_.size() >= kMaxEntries) map_.clear();
    const SunPosition sun = compute();
    map_.emplace(key, sun);
    return sun;
  }
  std::size_t size() const { return map_.size(); }
  void clear() { map_.clear(); }

 private:
  static constexpr std::size_t kMaxEntries = 200000;
  struct Hash {
    std::size_t operator()(const Key& k) const;
  };
  struct Same {
    bool operator()(const Key& a, const Key& b) const;
  };
  std::unordered_map<Key, SunPosition, Hash, Same> map_;
};

struct PlanarLineInput {
  PlanarPlane plane;
  double gnomonMm = 35;
  DialFrame frame;
  PlanarLineSampling sampling;
  // The last hour-line angle table (sunlit window and the angles of
  // hour lines without any visible point); nullptr counts as "not yet
  // computed" (window 0..0, every angle missing).
  const HourLineAngleTable* angles = nullptr;
  // Sun positions kept between constructions; nullptr computes them all.
  PlanarSunCache* sunCache = nullptr;
};

struct PlanarLines {
  StyleFoot style;                 // S relative to P, dial coordinates
  std::vector<PlanarLine> lines;   // in computing order
  std::vector<AnalemmaMark> marks;
  std::vector<HourValueLabel> hourValueLabels;
  std::vector<HourNumberAnchor> hourNumbers;
  bool temporalRefused = false;    // |latitude| > 66
  bool babylonianItalianRefused = false;  // |latitude| > 65
};

// Computes every line family switched on in the design record. Shows the
// latitude messages of the temporal and of the Babylonian and Italian
// hours (problem caption, stop icon) and the own-list message of a date
// that does not convert.
PlanarLines computePlanarLines(const DesignState& d, const PlanarLineInput& input);

// The declinations of the whole-hour day-length lines: entry 0 the
// equinox, entry k (1..12) the declination at which the day lasts 12 + k
// hours, tan d = sin(7.5 k) cos|phi| / sin|phi| (the half day arc 90 +
// 7.5 k in cos H0 = -tan phi tan d, Meeus, Astronomical Algorithms, 2nd ed.,
// eq. 15.1); nullopt-like NaN for the lines the sun cannot reach
// (above obliquityRounded); below 1 degree counts as 0; all 0 when
// |latitude| < 0.01.
std::vector<double> dayLengthDeclinations(double latitude, double obliquity);

}  // namespace tavrel
