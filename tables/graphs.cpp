#include "tables/graphs.h"

#include <algorithm>
#include <cmath>

#include "astro/calendar.h"
#include "core/design_state.h"
#include "core/language.h"
#include "plot/canvas.h"
#include "plot/hpgl_writer.h"
#include "base/number_text.h"
#include "plot/screen_surface.h"
#include "plot/symbol_font.h"
#include "tables/graph_texts.h"

namespace tavrel {

namespace {

constexpr double kEotRange = 17;  // minutes above and below the axis

bool isPlot(const GraphTarget& t) { return t.medium == GraphMedium::Plot; }

// The direction "up the page" in the target's y.
double upward(const GraphTarget& t) { return isPlot(t) ? 1.0 : -1.0; }

// The top edge of the box.
double boxTop(const GraphTarget& t) { return isPlot(t) ? t.top + t.height : t.top; }

void setTextHeight(PlotSurface& s, const GraphTarget& t, double height) {
  s.setCharSize(0.6 * height / t.unitsPerCm, height / t.unitsPerCm);
}

// A text whose baseline starts at (x, y).
void textAt(PlotSurface& s, const GraphTarget& t, double x, double y, const std::string& text, double height) {
  setTextHeight(s, t, height);
  // The plot writer spells the umlauts in ASCII itself.
  if (isPlot(t))
    s.label(x, y, text);
  else
    s.label(x, y - height * kAscentEm, text);
}

// A text centred on x.
void textCentred(PlotSurface& s, const GraphTarget& t, double x, double y, const std::string& text, double height) {
  textAt(s, t, x - 0.5 * kAverageAdvanceEm * height * static_cast<double>(utf8Length(text)), y, text, height);
}

// Pen width one unit wider than the screen line width (screen and printer).
void widerPen(PlotSurface& s, const GraphTarget& t, int extra) {
  if (!isPlot(t)) s.setPenWidth(std::max<int>(1, design().lineWidth) + extra);
}

std::string compassName(int k) {  // 0 N, 1 S, 2 E, 3 W
  std::string name = stripAccelerators(graphRow::text(graphRow::kCompassFirst + k));
  const std::size_t first = name.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : name.substr(first);
}

std::string zodiacLetters(int sign) {
  const std::string name = asciiUmlauts(tableText(TextTable::PoleStyle, poleStyleRow::kZodiacFirst + sign));
  const std::size_t first = name.find_first_not_of(' ');
  return first == std::string::npos ? std::string() : name.substr(first, 2);
}

void zodiacAt(PlotSurface& s, const GraphTarget& t, double x, double y, int sign) {
  sign = ((sign % 12) + 12) % 12;
  if (t.zodiac) {
    t.zodiac(s, x, y, sign);
  } else {
    textAt(s, t, x, y, zodiacLetters(sign), t.textHeight);
  }
}

int lastDay(int year) { return dayOfYear(year, 12, 31); }

// The four text lines of the sun-path diagrams at the top left.
void sunPathTexts(PlotSurface& s, const GraphTarget& t, const std::string& title, bool withPlace, bool zoneTime,
                  SunPathPeriod period) {
  const double h = t.textHeight;
  const double x = t.left + t.width / 40;
  double y = boxTop(t) - upward(t) * 2.0 * h;
  s.selectPen(4);
  textAt(s, t, x, y, title, 1.4 * h);
  y -= upward(t) * 1.8 * h;
  if (withPlace) {
    textAt(s, t, x, y, placeLine(), h);
    y -= upward(t) * 1.5 * h;
  }
  textAt(s, t, x, y, sunPathTimeLine(zoneTime, design().constructionWithEot), h);
  y -= upward(t) * 1.5 * h;
  std::string p = periodText(period);
  const std::size_t first = p.find_first_not_of(' ');
  textAt(s, t, x, y, first == std::string::npos ? p : p.substr(first), h);
}

// A polyline through the points, mapped to the target.
template <class Points, class Map>
void polyline(PlotSurface& s, const Points& points, const Map& map) {
  bool first = true;
  for (const auto& p : points) {
    const auto [x, y] = map(p);
    if (first)
      s.moveTo(x, y);
    else
      s.lineTo(x, y);
    first = false;
  }
  s.penUp();
}

int linePen(const SunPathLine& line, const SkyPiece& piece) {
  if (piece.belowHorizon) return 11;
  switch (line.kind) {
    case SunPathLineKind::ZodiacStart: return 6;
    case SunPathLineKind::DateLine: return 7;
    case SunPathLineKind::FullHour: return 2;
    case SunPathLineKind::PartHour: return 3;
  }
  return 2;
}

bool wideLine(const SunPathLine& line) {
  return line.kind == SunPathLineKind::ZodiacStart || line.kind == SunPathLineKind::FullHour;
}

// The largest turn of the azimuth between two samples that the cartesian
// diagram draws as a straight step. The azimuth is not continuous at the
// zenith: a path through it turns by 180 degrees at once (the noon line
// where the sun culminates overhead, the daily path of the declination
// equal to the latitude), and a turn of more than 90 degrees between two
// samples only happens within about a degree of it. A straight line there
// would run along the top of the diagram where the sun never is.
constexpr double kMaxCartesianAzimuthTurn = 90;

// Draws the pieces of a line through `map`. With `cartesian`, a step across
// north (the azimuth jumping by more than 180 degrees) goes on to the edge
// of the chart and on from the other edge, and a step past the zenith
// lifts the pen.
template <class Map>
void drawLine(PlotSurface& s, const GraphTarget& t, const SunPathLine& line, const Map& map, bool cartesian) {
  for (const SkyPiece& piece : line.pieces) {
    s.selectPen(linePen(line, piece));
    widerPen(s, t, wideLine(line) ? 1 : 0);
    bool first = true;
    SkyPoint last;
    for (const SkyPoint& p : piece.points) {
      const auto [x, y] = map(p);
      const double step = p.azimuth - last.azimuth;
      if (first) {
        s.moveTo(x, y);
      } else if (cartesian && std::fabs(std::remainder(step, 360.0)) > kMaxCartesianAzimuthTurn) {
        s.moveTo(x, y);
      } else if (cartesian && std::fabs(step) > 180) {
        // Across north: on to the edge of the chart, on from the other edge.
        const double edge = last.azimuth > 0 ? 180 : -180;
        const double to = p.azimuth + 2 * edge;  // p's azimuth on last's side
        const double f = to != last.azimuth ? (edge - last.azimuth) / (to - last.azimuth) : 0;
        const double altitude = last.altitude + f * (p.altitude - last.altitude);
        const auto [x1, y1] = map({edge, altitude});
        const auto [x2, y2] = map({-edge, altitude});
        s.lineTo(x1, y1);
        s.moveTo(x2, y2);
        s.lineTo(x, y);
      } else {
        s.lineTo(x, y);
      }
      first = false;
      last = p;
    }
    s.penUp();
  }
  widerPen(s, t, 0);
}

std::string hourText(double hour) {
  const double whole = std::floor(hour + 1e-9);
  const int minutes = static_cast<int>(std::lround((hour - whole) * 60));
  if (minutes == 0) return fixedText(whole, 1, 0);
  return fixedText(whole, 1, 0) + ":" + (minutes < 10 ? "0" : "") + std::to_string(minutes);
}

}  // namespace

// --- texts ---------------------------------------------------------------------

std::string sunPathTimeLine(bool zoneTime, bool withEot) {
  using namespace graphRow;
  std::string line = text(zoneTime ? kTimeAtZoneMeridian : kLocalTime) + " " + text(withEot ? kWithEot : kWithoutEot);
  if (!withEot && !zoneTime) line += text(kApparentTimeMark);
  const int system = withEot ? (zoneTime ? kCivilTime : kLocalMeanTime)
                             : (zoneTime ? kApparentZoneTimeNoEot : kLocalApparentTimeWoz);
  return line + " = " + text(system);
}

std::string placeLine() {
  const DesignState& d = design();
  return tableText(TextTable::Texts, textRow::kLatitudeIs) + fixedText(d.latitude, 5, 2) +
         tableText(TextTable::Texts, textRow::kDegrees) + tableText(TextTable::Texts, textRow::kLongitudeIs) +
         fixedText(d.longitude, 5, 2) + tableText(TextTable::Texts, textRow::kDegrees);
}

std::string periodText(SunPathPeriod period) {
  return graphRow::text(graphRow::kWholeYear + static_cast<int>(period));
}

// --- frames -------------------------------------------------------------------------

EotFrame eotFrame(const GraphTarget& t, const GraphOptions& o, double longitude, double zoneMeridian) {
  EotFrame f;
  const double W = t.width, H = t.height;
  switch (t.medium) {
    case GraphMedium::Screen:
      f.x0 = t.left + std::round(W / 190 * 8) + 12;
      f.dayScale = std::round(W * 180 / 192) / 365;
      f.axisY = t.top + 0.45 * H;
      f.minuteScale = -H / 45;
      break;
    case GraphMedium::Printer:
      f.x0 = t.left + std::round(W / 190 * 8) + 12;
      f.dayScale = (W - 100) / 375;
      f.axisY = t.top + 0.5 * H;
      f.minuteScale = -H / 45;
      break;
    case GraphMedium::Plot:
      f.x0 = t.left;
      f.dayScale = W / 366;
      f.axisY = t.top + H / 2;
      f.minuteScale = 30 * o.yFactor * (o.mirror ? -1 : 1);
      break;
  }
  f.shift = eotShift(longitude, zoneMeridian, o.zoneTime, isPlot(t));
  return f;
}

CartesianFrame cartesianFrame(const GraphTarget& t) {
  CartesianFrame f;
  const double marginLeft = 0.07 * t.width, marginRight = 0.04 * t.width;
  const double marginBottom = 0.12 * t.height, marginTop = 0.2 * t.height;
  f.originX = t.left + marginLeft;
  f.sx = (t.width - marginLeft - marginRight) / 360;
  f.sy = (t.height - marginBottom - marginTop) / 90;
  f.ySign = upward(t);
  f.baseY = isPlot(t) ? t.top + marginBottom : t.top + t.height - marginBottom;
  return f;
}

PolarChart polarFrame(const GraphTarget& t) {
  PolarChart c;
  c.cx = t.left + 0.57 * t.width;
  c.cy = t.top + 0.5 * t.height;
  c.r0 = std::min(0.40 * t.height, 0.3 * t.width);
  c.ySign = isPlot(t) ? -1 : 1;
  c.spacing = AltitudeSpacing::Equal;
  return c;
}

// --- equation of time ---------------------------------------------------------------

void emitEotGraph(PlotSurface& s, const GraphTarget& t, const GraphOptions& o) {
  const DesignState& d = design();
  const int year = d.referenceYear;
  const EotFrame f = eotFrame(t, o, d.longitude, d.zoneMeridian);
  const double h = t.textHeight;
  const bool plot = isPlot(t);
  const int gridPen = plot ? 1 : 8, curvePen = plot ? 1 : 3, monthPen = plot ? 1 : 9, textPen = plot ? 8 : 4;
  auto xOf = [&](double day) { return f.x0 + (day - 1) * f.dayScale; };
  auto yOf = [&](double minutes) { return f.axisY + minutes * f.minuteScale; };
  const int last = lastDay(year);
  const double xEnd = xOf(last + 1);
  const double down = -upward(t);  // physical downwards on the page

  // The month names as long as a month's width holds them: whole, three
  // letters or the initial (the plotter advances 1.5 character widths of
  // the prologue's 0.14 cm; the screen about 0.6 of the text height).
  const double advance = plot ? 1.5 * 0.14 * t.unitsPerCm : kAverageAdvanceEm * h;
  const double monthWidth = 28 * f.dayScale - 0.5 * h;
  auto monthNameThatFits = [&](int m) {
    std::string name = monthName(m);
    for (std::size_t keep : {std::size_t{3}, std::size_t{1}})
      if (advance * static_cast<double>(utf8Length(name)) > monthWidth) {
        // The first `keep` characters (UTF-8 continuation bytes stay with theirs).
        std::size_t end = 0;
        for (std::size_t n = 0; end < name.size() && n < keep; ++n)
          do ++end; while (end < name.size() && (static_cast<unsigned char>(name[end]) & 0xC0) == 0x80);
        name.resize(end);
      }
    return name;
  };

  // Month lines, ticks and names.
  s.selectPen(monthPen);
  for (int m = 1; m <= 12; ++m) {
    const double x = xOf(m < 12 ? dayOfYear(year, m + 1, 1) : last + 1);
    s.moveTo(x, yOf(-kEotRange));
    s.lineTo(x, yOf(kEotRange));
    s.penUp();
  }
  s.selectPen(textPen);
  for (int m = 1; m <= 12; ++m) {
    const int start = dayOfYear(year, m, 1);
    for (int day : {10, 20}) {
      const double x = xOf(start + day - 1);
      s.moveTo(x, f.axisY - 0.3 * h);
      s.lineTo(x, f.axisY + 0.3 * h);
      s.penUp();
    }
    const double x = xOf(start);
    s.moveTo(x, f.axisY - 0.7 * h);
    s.lineTo(x, f.axisY + 0.7 * h);
    s.penUp();
    textAt(s, t, xOf(start + 4), f.axisY + down * 1.4 * h, monthNameThatFits(m), h);
  }

  // Minute grid: a tick every minute, every fifth and the ends across.
  for (int m = -static_cast<int>(kEotRange); m <= kEotRange; ++m) {
    const bool across = m % 5 == 0 || std::abs(m) == kEotRange;
    s.selectPen(across ? gridPen : textPen);
    s.moveTo(f.x0 - 0.4 * h, yOf(m));
    s.lineTo(across ? xEnd : f.x0 + 0.4 * h, yOf(m));
    s.penUp();
    // The ends of the scale are numbered only where they stand clear of
    // the number of the nearest fifth minute.
    const int nearestFifth = static_cast<int>(std::lround(m / 5.0)) * 5;
    const bool numbered =
        m % 5 == 0 || std::fabs((m - nearestFifth) * f.minuteScale) >= 1.2 * h;
    if (across && numbered) {
      s.selectPen(textPen);
      const std::string label = fixedText(m + f.shift.whole, 1, 0);
      textAt(s, t, f.x0 - (0.6 * static_cast<double>(label.size()) + 1.0) * h, yOf(m) + down * 0.4 * h, label, h);
    }
  }

  // Axes, two units wide.
  s.selectPen(textPen);
  if (!plot) s.setPenWidth(2);
  s.moveTo(f.x0, f.axisY);
  s.lineTo(xEnd, f.axisY);
  s.penUp();
  s.moveTo(f.x0, yOf(-kEotRange));
  s.lineTo(f.x0, yOf(kEotRange));
  s.penUp();

  // The curve.
  s.selectPen(curvePen);
  if (!plot) s.setPenWidth(2);
  polyline(s, eotCurve(year), [&](const EotSample& e) {
    return std::pair<double, double>{xOf(e.day), yOf(e.minutes + f.shift.fraction)};
  });
  if (!plot) s.setPenWidth(1);

  // Texts.
  s.selectPen(textPen);
  const double top = std::max(yOf(kEotRange) * -down, yOf(-kEotRange) * -down) * -down;
  textAt(s, t, f.x0, top - down * 1.2 * h,
         graphRow::text(o.zoneTime ? graphRow::kZoneTimeDefinition : graphRow::kMeanTimeDefinition), h);
  if (!o.zoneTime) {
    s.selectPen(9);
    const double x = xOf(dayOfYear(year, 5, 15));
    textAt(s, t, x, yOf(12), graphRow::text(graphRow::kSunIsFast), 1.2 * h);
    textAt(s, t, x, yOf(-12), graphRow::text(graphRow::kSunIsLate), 1.2 * h);
  }
}

// --- polar sun-path diagram -----------------------------------------------------------

void emitSunPathPolar(PlotSurface& s, const GraphTarget& t, const GraphOptions& o) {
  const SunPathGeometry g = sunPathGeometry(sunPathOptionsFromDesign(o.zoneTime, o.period));
  const PolarChart c = polarFrame(t);
  const double h = t.textHeight;
  auto at = [&](double altitude, double azimuth) { return polarChartPoint(c, altitude, azimuth); };

  // Cross through the centre.
  s.selectPen(4);
  s.moveTo(c.cx - c.r0, c.cy);
  s.lineTo(c.cx + c.r0, c.cy);
  s.penUp();
  s.moveTo(c.cx, c.cy - c.r0);
  s.lineTo(c.cx, c.cy + c.r0);
  s.penUp();

  // Altitude circles and azimuth spokes.
  s.selectPen(9);
  for (int a = 0; a <= 80; a += 10) s.circle(c.cx, c.cy, altitudeRadius(c, a));
  s.penUp();
  for (int az = -180; az < 180; az += 10) {
    const auto [x0, y0] = at(0, az);
    const auto [x1, y1] = at(az % 30 == 0 ? 80 : 70, az);
    s.moveTo(x0, y0);
    s.lineTo(x1, y1);
    s.penUp();
  }
  s.selectPen(4);
  // The altitude numbers on the spoke away from the noon sun (north of
  // the equator the northern one), clear of the noon hour labels.
  const double numbersAzimuth = design().latitude >= 0 ? 180 : 0;
  for (int a = 20; a <= 80; a += 20) {
    const auto [x, y] = at(a, numbersAzimuth);
    textAt(s, t, x + 0.3 * h, y - upward(t) * 0.2 * h, fixedText(a, 2, 0), 0.8 * h);
  }

  // Compass ring: degree ticks, a double outer circle, azimuth numbers
  // (bearings from north through east) and the names of the directions.
  const double ring = 0.07 * c.r0;
  for (int b = 0; b < 360; ++b) {
    const double len = b % 30 == 0 ? ring : b % 10 == 0 ? 0.75 * ring : b % 5 == 0 ? 0.5 * ring : 0.3 * ring;
    const double az = b - 180.0;
    PolarChart outer = c;
    outer.r0 = c.r0 + len;
    const auto [x0, y0] = at(0, az);
    const auto [x1, y1] = polarChartPoint(outer, 0, az);
    s.moveTo(x0, y0);
    s.lineTo(x1, y1);
    s.penUp();
  }
  s.circle(c.cx, c.cy, c.r0 + ring);
  s.circle(c.cx, c.cy, c.r0 + 1.1 * ring);
  s.penUp();
  for (int b = 0; b < 360; b += 30) {
    PolarChart outer = c;
    outer.r0 = c.r0 + ring + 1.2 * h;
    const auto [x, y] = polarChartPoint(outer, 0, b - 180.0);
    textCentred(s, t, x, y - upward(t) * 0.4 * h, fixedText(b, 1, 0), 0.8 * h);
  }
  const double compassAzimuth[4] = {180, 0, -90, 90};
  for (int k = 0; k < 4; ++k) {
    // North and south beyond the numbers, east and west beside them.
    const std::string name = compassName(k);
    PolarChart outer = c;
    outer.r0 = c.r0 + ring + (k < 2 ? 3.0 * h : 2.6 * h + 0.3 * h * static_cast<double>(utf8Length(name)));
    const auto [x, y] = polarChartPoint(outer, 0, compassAzimuth[k]);
    textCentred(s, t, x, y - upward(t) * 0.4 * h, name, h);
  }

  // The horizon profile as a closed polygon.
  if (!g.horizon.empty()) {
    s.selectPen(4);
    polyline(s, g.horizon, [&](const SkyPoint& p) { return at(std::max(0.0, p.altitude), p.azimuth); });
  }

  auto map = [&](const SkyPoint& p) { return at(p.altitude, p.azimuth); };
  for (const SunPathLine& line : g.dateLines) drawLine(s, t, line, map, false);
  for (const SunPathLine& line : g.hourLines) {
    drawLine(s, t, line, map, false);
    if (line.hasLabelPoint && std::fabs(line.value - std::round(line.value)) < 0.05) {
      s.selectPen(4);
      const double r = std::max(0.0, altitudeRadius(c, line.labelPoint.altitude) - h);
      PolarChart inner = c;
      inner.r0 = r;
      const auto [x, y] = polarChartPoint(inner, 0, line.labelPoint.azimuth);
      const double raise = std::fabs(design().latitude) <= 25 ? 1.2 * h : 0;
      textCentred(s, t, x, y - upward(t) * (raise - 0.4 * h), hourText(line.value), h);
    }
  }

  sunPathTexts(s, t, graphRow::text(graphRow::kPolarTitle), true, o.zoneTime, o.period);
}

// --- cartesian sun-path diagram -------------------------------------------------------

void emitSunPathCartesian(PlotSurface& s, const GraphTarget& t, const GraphOptions& o) {
  const SunPathGeometry g = sunPathGeometry(sunPathOptionsFromDesign(o.zoneTime, o.period));
  const CartesianFrame f = cartesianFrame(t);
  const double h = t.textHeight;
  const double down = -upward(t);
  auto X = [&](double azimuth) { return f.originX + (azimuth + 180) * f.sx; };
  auto Y = [&](double altitude) { return f.baseY + f.ySign * altitude * f.sy; };

  // Grid every 30 degrees of azimuth and 10 degrees of altitude.
  s.selectPen(9);
  for (int b = 30; b < 360; b += 30) {
    s.moveTo(X(b - 180.0), Y(0));
    s.lineTo(X(b - 180.0), Y(90));
    s.penUp();
  }
  for (int a = 10; a <= 90; a += 10) {
    s.moveTo(X(-180), Y(a));
    s.lineTo(X(180), Y(a));
    s.penUp();
  }
  // Axes with their numbers and the compass names.
  s.selectPen(4);
  s.moveTo(X(-180), Y(90));
  s.lineTo(X(-180), Y(0));
  s.lineTo(X(180), Y(0));
  s.penUp();
  for (int a = 0; a <= 90; a += 10) {
    const std::string label = fixedText(a, 1, 0);
    textAt(s, t, X(-180) - (0.6 * static_cast<double>(label.size()) + 0.8) * h, Y(a) + down * 0.4 * h, label, h);
  }
  for (int b = 0; b <= 360; b += 30) {
    s.moveTo(X(b - 180.0), Y(0));
    s.lineTo(X(b - 180.0), Y(0) + down * 0.4 * h);
    s.penUp();
    textCentred(s, t, X(b - 180.0), Y(0) + down * 1.5 * h, fixedText(b, 1, 0), h);
  }
  const double names[5][2] = {{-180, 0}, {180, 0}, {-90, 2}, {0, 1}, {90, 3}};
  for (const auto& n : names)
    textCentred(s, t, X(n[0]), Y(0) + down * 2.9 * h, compassName(static_cast<int>(n[1])), h);
  textAt(s, t, X(180) + 0.5 * h, Y(0) + down * 0.4 * h, graphRow::text(graphRow::kAzimuthAxis), h);

  // The horizon profile over the azimuth axis.
  if (!g.horizon.empty()) {
    s.selectPen(4);
    polyline(s, g.horizon,
             [&](const SkyPoint& p) { return std::pair<double, double>{X(p.azimuth), Y(std::max(0.0, p.altitude))}; });
  }

  auto map = [&](const SkyPoint& p) { return std::pair<double, double>{X(p.azimuth), Y(p.altitude)}; };
  for (const SunPathLine& line : g.dateLines) {
    drawLine(s, t, line, map, true);
    if (line.kind != SunPathLineKind::ZodiacStart || line.pieces.empty()) continue;
    // The signs of the line: the longitude itself at its western end, the
    // longitude of the same declination in the other half-year at the eastern.
    // Both stand where the line has risen 5 degrees, outside it.
    s.selectPen(4);
    const std::vector<SkyPoint>& first = line.pieces.front().points;
    const std::vector<SkyPoint>& last = line.pieces.back().points;
    auto risen = [](const SkyPoint& p) { return p.altitude >= 5; };
    auto eastIt = std::find_if(first.begin(), first.end(), risen);
    auto westIt = std::find_if(last.rbegin(), last.rend(), risen);
    const SkyPoint& east = eastIt != first.end() ? *eastIt : first.front();
    const SkyPoint& west = westIt != last.rend() ? *westIt : last.back();
    const int sign = static_cast<int>(std::lround(line.value)) / 30 % 12;
    const int other = (static_cast<int>(std::lround(540 - line.value)) % 360) / 30;
    zodiacAt(s, t, X(west.azimuth) + 0.4 * h, Y(west.altitude) - down * 0.5 * h, sign);
    if (other != sign) zodiacAt(s, t, X(east.azimuth) - 1.4 * h, Y(east.altitude) - down * 0.5 * h, other);
  }
  for (const SunPathLine& line : g.hourLines) {
    drawLine(s, t, line, map, true);
    if (line.hasLabelPoint && std::fabs(line.value - std::round(line.value)) < 0.05) {
      s.selectPen(4);
      textCentred(s, t, X(line.labelPoint.azimuth), Y(line.labelPoint.altitude) - down * 0.6 * h,
                  hourText(line.value), h);
    }
  }

  const DesignState& d = design();
  sunPathTexts(s, t, graphRow::text(graphRow::kCartesianTitle) + placeLine(), false, o.zoneTime, o.period);
  (void)d;
  if (o.sunlightOnPlane) {
    const PlaneSunlight p = planeSunlight(o.planeLatitude, o.planeLongitude, d.zoneMeridian, o.zoneTime,
                                          o.planeDeclination, o.planeInclination);
    s.selectPen(4);
    textAt(s, t, X(-180), Y(0) + down * 4.3 * h, p.line, 0.8 * h);
  }
  if (t.symbolFontMissing) {
    s.selectPen(4);
    const double below = o.sunlightOnPlane ? 5.5 : 4.3;
    textAt(s, t, X(-180), Y(0) + down * below * h, messageText(60), 0.8 * h);
    textAt(s, t, X(-180), Y(0) + down * (below + 1.1) * h, messageText(61), 0.8 * h);
  }
}

// --- targets -------------------------------------------------------------------------

GraphTarget screenGraphTarget(ScreenSurface& surface, double left, double top, double height, double width,
                              bool onScreen) {
  GraphTarget t;
  t.medium = onScreen ? GraphMedium::Screen : GraphMedium::Printer;
  t.left = left;
  t.top = top;
  t.width = width;
  t.height = height;
  t.unitsPerCm = 10 * surface.unitsPerMm();
  t.textHeight = onScreen ? std::max(9.0, height / 50) : 35;
  if (fontInstalled(kSymbolFace)) {
    t.zodiac = [&surface](PlotSurface&, double x, double y, int sign) {
      // The signs U+2648 .. U+2653 in UTF-8.
      const char32_t c = 0x2648 + static_cast<char32_t>(sign);
      const std::string text = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                                static_cast<char>(0x80 | (c & 0x3F))};
      const std::string face = surface.fontFace();
      surface.setFontFace(kSymbolFace);
      surface.label(x, y - surface.unitsPerMm(), text);
      surface.setFontFace(face);
    };
  } else {
    // Without the font the symbol codes show as the letters they are.
    t.zodiac = [](PlotSurface& s, double x, double y, int sign) {
      s.label(x, y, std::string(1, static_cast<char>('^' + sign)));
    };
    t.symbolFontMissing = true;
  }
  return t;
}

GraphTarget plotGraphTarget(int graphKind, bool polar) {
  GraphTarget t;
  t.medium = GraphMedium::Plot;
  t.unitsPerCm = 400;
  if (graphKind == kEotGraphKind) {
    t.left = 100, t.top = 100, t.width = 2000, t.height = 1500;
    t.textHeight = 0.24 * 400;
  } else {
    // The printed layout of 2900 x 2000 tenths of a millimetre.
    t.left = polar ? 0 : 100, t.top = polar ? 0 : 100;
    t.width = 2900 * 4.0, t.height = 2000 * 4.0;
    t.textHeight = (polar ? 0.24 : 0.21) * 400;
  }
  return t;
}

void drawEotGraph(ScreenSurface& surface, double left, double top, double height, double width, bool onScreen,
                  const GraphOptions& options) {
  emitEotGraph(surface, screenGraphTarget(surface, left, top, height, width, onScreen), options);
}

void drawSunPathPolar(ScreenSurface& surface, double left, double top, double height, double width,
                      bool onScreen, const GraphOptions& options) {
  emitSunPathPolar(surface, screenGraphTarget(surface, left, top, height, width, onScreen), options);
}

void drawSunPathCartesian(ScreenSurface& surface, double left, double top, double height, double width,
                          bool onScreen, const GraphOptions& options) {
  emitSunPathCartesian(surface, screenGraphTarget(surface, left, top, height, width, onScreen), options);
}

void drawGraphChoice(ScreenSurface& surface, const GraphChoice& c, double left, double top, double height,
                     double width, bool onScreen) {
  if (c.kind == kEotGraphKind)
    drawEotGraph(surface, left, top, height, width, onScreen, c.options);
  else if (c.polar)
    drawSunPathPolar(surface, left, top, height, width, onScreen, c.options);
  else
    drawSunPathCartesian(surface, left, top, height, width, onScreen, c.options);
}

void plotEotGraph(HpglWriter& writer, const GraphOptions& options) {
  writer.beginPage(PageStart::EotGraph);
  emitEotGraph(writer, plotGraphTarget(kEotGraphKind, false), options);
  writer.endPage(PageEnd::PenAway);
}

void plotSunPathPolar(HpglWriter& writer, const GraphOptions& options) {
  writer.beginPage(PageStart::PolarGraph);
  emitSunPathPolar(writer, plotGraphTarget(kSunPathKind, true), options);
  writer.endPage(PageEnd::PenAway);
}

void plotSunPathCartesian(HpglWriter& writer, const GraphOptions& options) {
  writer.beginPage(PageStart::CartesianGraph);
  emitSunPathCartesian(writer, plotGraphTarget(kSunPathKind, false), options);
  writer.endPage(PageEnd::PenAway);
}

}  // namespace tavrel
