// The ham dial ("Schinkensonnenuhr"): an altitude dial laid out as a
// geometric nomogram. Seven date points A1..A7 lie on a circle; from each
// date point a straight line leaves at the angle of the sun's altitude at
// a given hour on that date, and the lines of one hour meet in the hour
// points through which the ham-shaped hour curve is drawn by hand
// (marked with the mouse, up to eight points).
//
// Units and axes: pixels of the picture (screen) or 0.1 mm (printer page),
// origin top-left, y DOWNWARDS; slopes are taken in these axes, so a line
// at altitude a runs down to the right with slope tan a. Angles in
// degrees.
//
// Sources: the altitude of the sun at hour angle H and declination d,
//   sin a = cos H cos phi cos d + sin phi sin d
// (Meeus, Astronomical Algorithms, 2nd ed., eq. 13.6); the nomogram
// after the ham dial of the Roman portable altitude dials (Gibbs,
// "Greek and Roman Sundials", Yale 1976), with the zodiac boundaries of a
// 23.5 degree obliquity. There is no plot output for this dial.
#pragma once

#include <any>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "plot/screen_surface.h"

namespace tavrel {

struct DesignState;

struct HamPoint {
  double x = 0, y = 0;
};

// The layout of one construction: scale, circle, date points and the
// altitude table.
struct HamLayout {
  double scale = 1;             // units per millimetre: round(H / 105) on the screen, 20 on the printer
  double radius = 0;            // R = D * scale
  HamPoint centre;              // (W div 2, round(H / 2))
  std::array<double, 8> declination{};   // d[1..7]: 23.5 cos(30 k - 210); [0] unused
  std::array<double, 8> circleAngle{};   // t[1..7] = stretch * d + equinox position
  std::array<HamPoint, 8> datePoint{};   // A[1..7] = centre - R (cos t, sin t)
  double altitude[8][9] = {};            // alt[k][i]: hour angle 15 i, i = 0..8
};

// The values of the design record the ham dial is made of.
struct HamDialValues {
  double latitude = 0;         // degrees
  double sizeMm = 0;           // hamDiameter
  double stretch = 2;          // hamStretch
  double equinoxPosition = 0;  // hamEquinoxPosition, degrees
};
HamDialValues hamDialValuesOf(const DesignState& d);

// scale: units per millimetre; D the size ("Diameter") in mm.
HamLayout hamLayout(int width, int height, double scale, double sizeMm, double latitude,
                    double stretch, double equinoxPosition);

// The intersection of the line through A[a] with slope tan alt[a][i] and
// the line through A[b] with slope tan alt[b][i]:
//   s = ((ya - yb) - (xa - xb) tan alt[a][i]) / (tan alt[b][i] - tan alt[a][i]),
//   P = (xb + s, yb + s tan alt[b][i]).
// nullopt when a = b, when the two lines are parallel (no finite point)
// or an index lies outside 1..7 / 0..8.
std::optional<HamPoint> hamIntersection(const HamLayout& layout, int a, int b, int i);

// The hour-point table: record 0 the centre of the construction (written
// by every screen construction), records 1..8 the points marked with the
// mouse (x = 0 is a free record; record 9 is never filled).
struct HamHourPoints {
  std::array<HamPoint, 10> records{};
  bool showHourPoints = false;
  // Pixels per millimetre of the screen construction that wrote record 0
  // (0: none yet).
  double scale = 0;
  // The first free record from 1 on; 0 when records 1..8 are in use.
  int firstFree() const;
};

// Pixels per millimetre of the screen construction on a picture `height`
// pixels high: round(H / 105).
double hamScreenScale(int height);

// The table kept by the drawing window between redraws (created empty
// when `kept` holds something else).
HamHourPoints& hamHourPoints(std::any& kept);

// drawHamDial: the dial of `values` on the screen picture (screenMode) or
// the printer page, with the marked points and their polyline when
// showHourPoints is set. Writes the centre into record 0 on the screen.
void drawHamDial(ScreenSurface& surface, int width, int height, HamHourPoints& points,
                 const HamDialValues& values, bool screenMode);

// A click on the picture while the ham dial is shown: every click clears
// showHourPoints; Alt + left clears the table; Ctrl + left stores the
// point in the first free record and marks it with a red circle of radius
// 5 on `picture` (when records 1..8 are all in use the message "Es sind
// schon 8 Stundenpunkte gespeichert!" instead, table unchanged); Shift +
// left marks the points in use and sets showHourPoints for the next
// construction.
enum class HamClick { Plain, Alt, Ctrl, Shift };
void hamPictureClick(HamHourPoints& points, HamClick click, double x, double y, Canvas& picture);

// ---- The ham dial's construction-data files "*.ham": the settings text
// (what the settings writer makes of the record) with one section more,
// before its colour section:
//   [Schinkensonnenuhr]
//   latitude;D;stretch factor;equinox position
//   x;y       one line per marked hour point, in record order: millimetres
//             from the centre of the circle, x to the right, y downwards
// Millimetres, so that the points come back at their place on a picture of
// another size. The settings reader passes over the lines between its
// value lines and the colour section: the file also loads as construction
// data.
inline constexpr const char* kHamPointsHeader = "[Schinkensonnenuhr]";

// The settings text list: the lines of the last file saved or loaded.
std::vector<std::string>& hamSettingsText();

// Writes the settings text with the dial's `values` and the hour points of
// `points` (whole file or
// nothing): the information box path + " saved!", or the error box path +
// " :" + CR LF + "Could not save INI-file! (Write-protection?)". The
// points are converted with the centre and scale of the last screen
// construction, or of one on a picture width x height when none has run.
// True when written.
bool saveHamSettingsFile(const std::string& path, const HamHourPoints& points, const HamDialValues& values,
                         int width, int height);

// Reads path: the hour points, converted for a picture width x height,
// replace the marked ones and are shown with their curve at the next
// construction; the whole text becomes the settings text list; the
// information box path + " loaded!". Returns the ham dial's latitude,
// size, stretch factor and equinox position the points were marked on,
// for the caller to store in the record. A file that cannot be read, is
// no settings text, has no hour-point section or a faulty line in it gives
// the error box with the file name and the reason, changes nothing and
// returns nullopt.
std::optional<HamDialValues> loadHamSettingsFile(const std::string& path, HamHourPoints& points, int width,
                                                 int height);

// The drawing window's "Save" and "Load" while the ham dial is shown: the
// file dialogs ("TAVREL.EXE - Save Construction Data", "schink.ham";
// "SchinkenSU"), then the two above on the table kept in `kept`. True when
// a file was written; the values read (nullopt: none).
bool saveHamSettingsCommand(std::any& kept, const HamDialValues& values, int width, int height);
std::optional<HamDialValues> loadHamSettingsCommand(std::any& kept, int width, int height);

}  // namespace tavrel
