// The geometry of the hybrid Peaucellier azimuthal dial, in dial mm (see
// peaucellier_dial.h for the axes and the sources).
#include <algorithm>
#include <cmath>

#include "base/angles.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/language.h"
#include "dials/peaucellier/peaucellier_dial.h"
#include "dials/peaucellier/peaucellier_texts.h"

namespace tavrel {

namespace {


// The half day arc of declination delta at latitude phi (degrees): 0 when
// the sun stays below the horizon, 180 when it does not set.
double sunsetHourAngle(double phi, double delta) {
  const double c = -std::tan(radians(phi)) * std::tan(radians(delta));
  if (c <= -1) return 180;
  if (c >= 1) return 0;
  return degrees(std::acos(c));
}

// Hour angles closer to midnight than this are not drawn: the shadow line
// runs along the meridian there and the hour point goes to infinity.
constexpr double kLastHourAngle = 165;

}  // namespace

double peaucellierDateDeclination(double obliquity, double lambda) {
  return std::round(1000 * obliquity * std::sin(radians(lambda))) / 1000;
}

PeaucellierInput peaucellierInputOf(const DesignState& d) {
  PeaucellierInput in;
  in.latitude = d.latitude;
  in.obliquity = d.obliquityRounded;
  in.f = d.peaucellierParameter;
  in.unitMm = d.sawyerUnit;
  const int digit = d.otherHourInterval - '0';
  in.subdivisions = std::clamp(digit, 0, 3) + 1;
  in.language = d.language;
  return in;
}

PeaucellierDial computePeaucellierDial(const PeaucellierInput& in) {
  PeaucellierDial dial;
  dial.latitude = in.latitude;
  dial.f = in.f == 0 ? kPeaucellierDefaultF : in.f;
  dial.unitMm = in.unitMm == 0 ? kPeaucellierDefaultUnit : in.unitMm;
  dial.subdivisions = std::clamp(in.subdivisions, 1, 4);
  const int lang = in.language;
  const bool south = in.latitude < 0;
  dial.title = peaucellierText(PeaucellierText::Title, lang);
  dial.credit = peaucellierText(PeaucellierText::Credit, lang);
  const std::string hemi = peaucellierText(south ? PeaucellierText::South : PeaucellierText::North, lang);
  const double absPhi = std::fabs(in.latitude);
  const std::string central = peaucellierText(PeaucellierText::CentralDistance, lang);
  const std::string constant = peaucellierText(PeaucellierText::Constant, lang);
  const std::string latitude = peaucellierText(PeaucellierText::Latitude, lang);
  dial.dataLineScreen = central + " = " + fixedText(dial.unitMm, 3, 0) + ";  " + constant + " = " +
                        fixedText(dial.f, 7, 4) + ";    " + latitude + " = " + fixedText(absPhi, 7, 2) +
                        " " + hemi;
  dial.dataLinePlot = central + "=" + fixedText(dial.unitMm, 3, 0) + ";  " + constant + " = " +
                      fixedText(dial.f, 7, 4) + "; " + latitude + " =" + fixedText(absPhi, 6, 2);
  if (absPhi < kPeaucellierMinLatitude) {
    dial.refused = true;
    return dial;
  }
  const double p = dial.unitMm, f = dial.f;
  const double sphi = std::sin(radians(absPhi)), cphi = std::cos(radians(absPhi));
  const auto yOf = [&](double delta) { return p / (1 + f * std::tan(radians(delta))); };
  // The point of declination delta on the shadow line of hour angle H.
  const auto xOf = [&](double y, double H, double delta) {
    return y * (sphi * std::cos(radians(H)) - cphi * std::tan(radians(delta))) / std::sin(radians(H));
  };
  dial.numberSizeMm = p / (1 - std::fabs(std::tan(radians(23.45)) * f));

  // Date lines.
  for (int j = 0; j < 7; ++j) {
    const double delta = peaucellierDateDeclination(in.obliquity, 90.0 + 30.0 * j);
    const double y = yOf(delta);
    const double H0 = std::min(sunsetHourAngle(absPhi, delta), kLastHourAngle);
    const double x1 = xOf(y, 15, delta);
    // No sun that day beyond one hour from noon: the line keeps its
    // closing piece across the meridian.
    const double xs = H0 > 15 ? xOf(y, H0, delta) : x1;
    dial.declination[j] = delta;
    dial.y[j] = y;
    dial.xSunset[j] = xs;
    dial.xOneHour[j] = x1;
    PeaucellierLine line;
    line.kind = PeaucellierLineKind::DateLine;
    line.dateIndex = j;
    if (j == 0 || j == 3 || j == 6) {
      line.screenPen = j == 0 ? 7 : j == 3 ? 6 : 2;
      line.plotPen = line.screenPen;
      line.extraWidth = 1;
      line.printerExtraWidth = 3;
    } else {
      line.screenPen = 8;
      line.plotPen = 1;
    }
    line.points = {{xs, y}, {x1, y}, {x1, -y}, {xs, -y}};
    dial.lines.push_back(line);
    if (j == 0 || j == 3 || j == 6) {
      const PeaucellierText letter = j == 0 ? PeaucellierText::Summer
                                     : j == 3 ? PeaucellierText::Equinox : PeaucellierText::Winter;
      for (int side : {1, -1}) {
        PeaucellierLabel l;
        l.role = PeaucellierLabelRole::DateLetter;
        l.x = xs;
        l.y = side * y;
        l.alongX = xs <= x1 ? -0.8 : 1.3;
        l.alongY = -0.4;
        l.text = peaucellierText(letter, lang);
        dial.labels.push_back(l);
      }
    }
  }
  const double eps = dial.declination[0];
  dial.maxHourAngle = sunsetHourAngle(absPhi, eps);

  // Noon line and the arrow towards the pole.
  {
    PeaucellierLine noon;
    noon.kind = PeaucellierLineKind::NoonLine;
    noon.screenPen = noon.plotPen = 3;
    noon.points = {{dial.xOneHour[6], 0}, {dial.xOneHour[0], 0}};
    dial.lines.push_back(noon);
    PeaucellierLine arrow;
    arrow.kind = PeaucellierLineKind::NorthArrow;
    arrow.screenPen = arrow.plotPen = 3;
    arrow.points = {{0, 0}, {0.7 * p, 0}};
    dial.lines.push_back(arrow);
    PeaucellierLabel pole;
    pole.role = PeaucellierLabelRole::PoleLetter;
    pole.alongX = -1.6;
    pole.alongY = -0.4;
    pole.text = peaucellierText(south ? PeaucellierText::South : PeaucellierText::North, lang);
    dial.labels.push_back(pole);
    PeaucellierLabel twelve;
    twelve.role = PeaucellierLabelRole::Noon;
    const double x0 = dial.xOneHour[0], x6 = dial.xOneHour[6];
    twelve.x = x0;
    twelve.alongX = x0 >= x6 ? 1.5 + 1 : -1.5;
    twelve.alongY = -0.5;
    twelve.text = "12";
    twelve.screenPen = twelve.plotPen = 3;
    twelve.bold = true;
    dial.labels.push_back(twelve);
  }

  // Hour lines of at least one hour from noon.
  const int a = dial.subdivisions;
  const int lastG = static_cast<int>(std::lround(dial.maxHourAngle)) / 15 + 1;
  for (int G = 1; G <= lastG; ++G) {
    for (int w = 0; w < a; ++w) {
      const double H = 15.0 * G - 15.0 * w / a;
      if (H < 15 - 1e-9 || H > dial.maxHourAngle + 1e-9 || H > kLastHourAngle) continue;
      const double dTop = eps;
      double dLow = degrees(std::atan(-std::cos(radians(H)) / std::tan(radians(absPhi))));
      dLow = std::max(dLow, -23.44);
      const double yTop = yOf(dTop), yLow = yOf(dLow);
      const double xTop = xOf(yTop, H, dTop), xLow = xOf(yLow, H, dLow);
      for (int side : {1, -1}) {
        PeaucellierLine line;
        line.kind = w == 0 ? PeaucellierLineKind::WholeHour : PeaucellierLineKind::PartHour;
        line.screenPen = w == 0 ? 3 : 8;
        line.plotPen = w == 0 ? 3 : 8;
        line.extraWidth = w == 0 ? 1 : 0;
        line.printerExtraWidth = w == 0 ? 2 : 0;
        line.hourAngle = side * H;
        line.afternoon = side > 0;
        line.points = {{xTop, side * yTop}, {xLow, side * yLow}};
        dial.lines.push_back(line);
        if (w != 0) continue;
        int n = side > 0 ? G : 12 - G;
        if (south) n = 12 - n;
        PeaucellierLabel l;
        l.role = PeaucellierLabelRole::HourNumber;
        const bool atLow = f >= 0;
        l.x = atLow ? xLow : xTop;
        l.y = side * (atLow ? yLow : yTop);
        l.alongX = 0.7;
        l.alongY = side > 0 ? 0.5 : -1.5;
        l.text = std::to_string(n);
        l.screenPen = l.plotPen = 3;
        l.bold = true;
        dial.labels.push_back(l);
      }
    }
  }

  // Part hours between noon and one hour from it: polylines through the
  // seven date lines.
  for (int w = 1; w < a; ++w) {
    const double H = 15.0 - 15.0 * w / a;
    for (int side : {1, -1}) {
      PeaucellierLine line;
      line.kind = PeaucellierLineKind::PartHour;
      line.screenPen = 8;
      line.plotPen = 8;
      line.hourAngle = side * H;
      line.afternoon = side > 0;
      for (int j = 0; j < 7; ++j) {
        const double x1 = dial.xOneHour[j];
        const double delta = dial.declination[j];
        const double k = sphi * std::cos(radians(H)) - cphi * std::tan(radians(delta));
        // The shadow line of H meets x = x1 at y = x1 tan(A).
        const double y = std::fabs(k) < 1e-12 ? dial.y[j] : x1 * std::sin(radians(H)) / k;
        line.points.push_back({x1, side * y});
      }
      dial.lines.push_back(line);
    }
  }
  return dial;
}

}  // namespace tavrel
