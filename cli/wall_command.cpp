// wall: the declination of a wall from board measurements (the angle of a
// pin's shadow at noted clock times), at the place of the design record,
// and the printable board.
#include <cmath>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "base/number_text.h"
#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "core/design_state.h"
#include "plot/svg_canvas.h"
#include "tables/wall_board_template.h"
#include "tables/wall_declination.h"

#ifdef TAVREL_HAVE_QT_CANVAS
#include "ui/print_page.h"
#include "ui/qt_canvas.h"
#endif

namespace tavrel::cli {
namespace {

struct Instant {
  int year = 0, month = 0, day = 0;
  double hours = 0;
  std::string text;  // "YYYY-MM-DDTHH:MM:SS"
};

// "YYYY-MM-DDTHH:MM[:SS]" by its form; whether that day and hour exist is
// the computation's question.
std::optional<Instant> parseInstant(const std::string& s) {
  if ((s.size() != 16 && s.size() != 19) || s[4] != '-' || s[7] != '-' || s[10] != 'T' || s[13] != ':' ||
      (s.size() == 19 && s[16] != ':'))
    return std::nullopt;
  const auto y = parseInt(s.substr(0, 4)), mo = parseInt(s.substr(5, 2)), d = parseInt(s.substr(8, 2));
  const auto h = parseInt(s.substr(11, 2)), mi = parseInt(s.substr(14, 2));
  const auto sec = s.size() == 19 ? parseInt(s.substr(17, 2)) : std::optional<int>(0);
  if (!y || !mo || !d || !h || !mi || !sec || *mi > 59 || *sec > 59 || *h < 0 || *mi < 0 || *sec < 0)
    return std::nullopt;
  Instant i{*y, *mo, *d, *h + *mi / 60.0 + *sec / 3600.0, s.size() == 16 ? s + ":00" : s};
  return i;
}

int writeTemplate(const std::string& path, int language) {
  const std::string ext = lowerExtension(path);
  if (ext == "svg") {
    SvgCanvas svg(kBoardSheetWidth, kBoardSheetHeight, 10, true);
    drawWallBoardTemplate(svg, language);
    return svg.save(path) ? kExitOk : commandFailed("wall: could not write " + path);
  }
#ifdef TAVREL_HAVE_QT_CANVAS
  ensureGuiApplication();
  const bool written = writePdfPage(
      [language](QtCanvas& canvas, const PrinterDevice&) { drawWallBoardTemplate(canvas, language); }, path);
  return written ? kExitOk : commandFailed("wall: could not write " + path);
#else
  return usageError("wall: a .pdf board needs the Qt painter canvas, which this build does not have; use .svg");
#endif
}

int runWall(const std::vector<std::string>& args) {
  std::vector<Instant> instants;
  std::vector<double> angles;
  std::optional<std::string> boardFile;
  WallClock clock = WallClock::Zone;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--local") {
      clock = WallClock::LocalMean;
      continue;
    }
    if (a == "--zone") {
      clock = WallClock::Zone;
      continue;
    }
    if (i + 1 >= args.size()) return usageError("wall: " + a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--at") {
      const auto instant = parseInstant(v);
      if (!instant) return usageError("wall: --at expects YYYY-MM-DDTHH:MM[:SS], got '" + v + "'");
      instants.push_back(*instant);
    } else if (a == "--shadow-angle") {
      const auto angle = parseNumber(v);
      if (!angle) return usageError("wall: --shadow-angle expects degrees, got '" + v + "'");
      angles.push_back(*angle);
    } else if (a == "--template") {
      const std::string ext = lowerExtension(v);
      if (ext != "pdf" && ext != "svg") return usageError("wall: --template must name a .pdf or .svg file");
      boardFile = v;
    } else {
      return usageError("wall: unknown argument '" + a + "'");
    }
  }
  if (instants.size() != angles.size())
    return usageError("wall: every --at needs its --shadow-angle (" + std::to_string(instants.size()) +
                      " times, " + std::to_string(angles.size()) + " angles)");
  if (instants.empty() && !boardFile) return usageError("wall: give --at and --shadow-angle, or --template");

  const DesignState& d = design();
  const WallPlace place{d.latitude, d.longitude, d.zoneMeridian};
  std::vector<WallReading> readings;
  for (std::size_t k = 0; k < instants.size(); ++k) {
    const Instant& t = instants[k];
    const WallReading r = wallReading(place, {t.year, t.month, t.day, t.hours, clock, angles[k]});
    if (r.refusal != WallRefusal::None) {
      const std::string message = "wall: " + t.text + ", " + fixedText(angles[k], 2, 2) + ": " +
                                  wallRefusalText(r.refusal, d.language);
      // A sun below the horizon is a measurement that cannot be; the
      // others are input outside what exists.
      return r.refusal == WallRefusal::SunBelowHorizon ? commandFailed(message) : usageError(message);
    }
    readings.push_back(r);
  }
  if (boardFile)
    if (const int status = writeTemplate(*boardFile, d.language); status != kExitOk) return status;
  if (readings.empty()) return kExitOk;

  const WallSummary summary = summariseWallReadings(readings);
  for (std::size_t k = 0; k < readings.size(); ++k) {
    const WallReading& r = readings[k];
    std::cout << instants[k].text << ',' << fixedText(r.sunAzimuth, 2, 2) << ','
              << fixedText(r.sunAltitude, 2, 2) << ',' << fixedText(r.declination, 2, 2)
              << (summary.outlier[k] ? ",outlier" : "") << '\n';
  }
  std::cout << "mean," << fixedText(summary.mean, 2, 2) << ",spread," << fixedText(summary.spread, 2, 2) << '\n';
  return kExitOk;
}

const CommandRegistrar kWall{
    {"wall",
     "wall --at YYYY-MM-DDTHH:MM[:SS] --shadow-angle A [--at ... --shadow-angle ...]\n"
     "         [--zone|--local] [--template F.pdf|F.svg]\n"
     "                     the wall's declination from board measurements at the\n"
     "                     design's place: A is the angle from the wall's outward\n"
     "                     perpendicular to the line from the shadow of the pin's top\n"
     "                     to the pin, positive clockwise seen from above; times are\n"
     "                     zone time (--local: local mean time). One line per\n"
     "                     measurement, time,sun_azimuth,sun_altitude,declination\n"
     "                     (\",outlier\" appended to a row far from the rest), then\n"
     "                     mean,<deg>,spread,<deg> (outliers left out; spread is the\n"
     "                     standard deviation); --template writes the board to print",
     runWall}};

}  // namespace
}  // namespace tavrel::cli
