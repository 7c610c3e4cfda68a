#include "tables/rise_set_search.h"

#include <cmath>

#include "base/angles.h"
#include "core/design_state.h"
#include "tables/table_texts.h"

namespace tavrel {

namespace {


}  // namespace

double eventAltitudeSine(RiseSetObject object, int twilightKind) {
  switch (object) {
    case RiseSetObject::Moon: return std::sin(8.0 / 60.0 * kRadPerDeg);
    case RiseSetObject::Sun: return std::sin(-50.0 / 60.0 * kRadPerDeg);
    case RiseSetObject::Twilight: break;
  }
  const double depression = twilightKind == 0 ? 6.0 : twilightKind == 1 ? 12.0 : 18.0;
  return std::sin(-depression * kRadPerDeg);
}

QuadraticCrossing quadraticCrossing(double yMinus, double y0, double yPlus) {
  QuadraticCrossing q;
  const double a = 0.5 * (yPlus + yMinus) - y0;
  const double b = 0.5 * (yPlus - yMinus);
  const double c = y0;
  if (a == 0) return q;  // three samples on a line: no turning point, no zero counted
  q.extremumX = -b / (2.0 * a);
  q.extremumY = (a * q.extremumX + b) * q.extremumX + c;
  const double discriminant = b * b - 4.0 * a * c;
  if (discriminant >= 0) {
    const double dx = 0.5 * std::sqrt(discriminant) / std::fabs(a);
    q.root1 = q.extremumX - dx;
    q.root2 = q.extremumX + dx;
    if (std::fabs(q.root1) <= 1.0) ++q.count;
    if (std::fabs(q.root2) <= 1.0) ++q.count;
    if (q.root1 < -1.0) q.root1 = q.root2;
  }
  return q;
}

RiseSetEvents searchRiseSet(RiseSetObject object, double mjd0, double altitudeSine,
                            double longitudeWest, double latitude) {
  const double sinPhi = std::sin(latitude * kRadPerDeg);
  const double cosPhi = std::cos(latitude * kRadPerDeg);
  auto y = [&](double hour) {
    return sinAltitude(object, mjd0, hour, longitudeWest, cosPhi, sinPhi) - altitudeSine;
  };
  RiseSetEvents e;
  double hour = 1.0;
  double yMinus = y(hour - 1.0);
  e.aboveAtStart = yMinus > 0.0;
  do {
    const double y0 = y(hour);
    const double yPlus = y(hour + 1.0);
    const QuadraticCrossing q = quadraticCrossing(yMinus, y0, yPlus);
    if (q.count == 1) {
      if (yMinus < 0.0) {
        e.rise = hour + q.root1;
        e.riseFound = true;
      } else {
        e.set = hour + q.root1;
        e.setFound = true;
      }
    } else if (q.count == 2) {
      if (q.extremumY < 0.0) {
        e.rise = hour + q.root2;
        e.set = hour + q.root1;
      } else {
        e.rise = hour + q.root1;
        e.set = hour + q.root2;
      }
      e.riseFound = e.setFound = true;
    }
    yMinus = yPlus;
    hour += 2.0;
  } while (hour < 24.9999 && !(e.riseFound && e.setFound));
  return e;
}

double localMidnightMjd(int year, int month, int day, double zoneMeridian) {
  // The zone runs zoneMeridian / -360 of a day ahead of UT.
  return modifiedJulianDate(year, month, day, 0.0) + zoneMeridian / 360.0;
}

std::string eventTimeText(double hours) {
  const long minutes = std::lround(hours * 60.0);
  const long h = minutes / 60;
  const long m = minutes % 60;
  std::string hourText = std::to_string(h);
  if (hourText.size() < 3) hourText.insert(0, 3 - hourText.size(), ' ');
  return hourText + ":" + (m < 10 ? "0" : "") + std::to_string(m);
}

RiseSetCell riseSetCellOf(RiseSetObject object, const RiseSetEvents& e) {
  RiseSetCell c;
  c.missing = !(e.riseFound && e.setFound);
  if (!e.riseFound && !e.setFound) {
    const bool twilight = object == RiseSetObject::Twilight;
    TablesText id;
    if (e.aboveAtStart)
      id = twilight ? TablesText::kAlwaysBright : TablesText::kAlwaysSeen;
    else
      id = twilight ? TablesText::kAlwaysDark : TablesText::kNotVisible;
    c.first = tablesText(id);
    c.cell = c.first;
    return c;
  }
  const std::string& none = tablesText(TablesText::kNoEvent);
  const std::string rise = e.riseFound ? eventTimeText(e.rise) : none;
  const std::string set = e.setFound ? eventTimeText(e.set) : none;
  // Twilight: the end of the evening twilight (the sun sinking through the
  // depression) comes first, then the beginning of the morning twilight.
  if (object == RiseSetObject::Twilight) {
    c.first = set;
    c.second = rise;
  } else {
    c.first = rise;
    c.second = set;
  }
  c.cell = c.first + c.second + "  ";
  return c;
}

RiseSetEvents riseSetEvents(RiseSetObject object, int year, int month, int day) {
  const DesignState& d = design();
  return searchRiseSet(object, localMidnightMjd(year, month, day, d.zoneMeridian),
                       eventAltitudeSine(object, d.twilightKind), d.longitude, d.latitude);
}

RiseSetCell riseSetTimes(RiseSetObject object, int year, int month, int day) {
  return riseSetCellOf(object, riseSetEvents(object, year, month, day));
}

}  // namespace tavrel
