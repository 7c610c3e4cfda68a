// The azimuthal dial: the parameter window's page.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

#include "base/geometry.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/dial_type_rules.h"
#include "dials/azimuthal/azimuthal_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kAzimuthKind = 1112;
constexpr int kDateCirclesShow = 1340;
constexpr int kDeclination = 1341;
constexpr int kDatesPerMonth = 1342;
constexpr int kDatesPerMonthItems = 1343;
constexpr int kEcliptic = 1347;
constexpr int kAzimuthArrangement = 1348;
constexpr int kJanuaryOutside = 1349;
constexpr int kJuneOutsideAz = 1350;
constexpr int kBasePlate = 1351;
constexpr int kObserver = 1352;
constexpr int kAltitudeCircles = 1353;
constexpr int kAltitudeCircleItems = 1354;
}  // namespace T

namespace {

QWidget* buildAzimuthalPage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* kind = win.makeRadios(
      tx(T::kAzimuthKind),
      {tdt(dialTypeRow::kAzimuthKindFirst), tdt(dialTypeRow::kAzimuthKindFirst + 1)},
      [] { return int(design().azimuthDialKind); },
      [](int i) { design().azimuthDialKind = static_cast<std::uint8_t>(i); }, 2);
  QGroupBox* display = win.makeRadios(
      tx(T::kTimeDisplay), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().zoneTime ? 1 : 0; }, [](int i) { setZoneTime(i == 1); }, 2);
  QGroupBox* circles = win.makeRadios(tx(T::kDateCirclesShow), {tx(T::kCalendarDate), tx(T::kDeclination)},
                                  [] { return design().showDateCircles ? 1 : 0; },
                                  [](int i) { design().showDateCircles = i == 1; }, 2);
  QGroupBox* perMonth = win.makeRadios(
      tx(T::kDatesPerMonth), sources(T::kDatesPerMonthItems, 4),
      [] { return int(design().dateLinesPerMonth) - 1; },
      [](int i) { design().dateLinesPerMonth = static_cast<std::uint8_t>(i + 1); }, 2);
  QGroupBox* arrangement = win.makeRadios(
      tx(T::kAzimuthArrangement), {tx(T::kJanuaryOutside), tx(T::kJuneOutsideAz)},
      [] { return design().januaryOutside ? 0 : 1; },
      [](int i) { design().januaryOutside = i == 0; }, 2);
  QGroupBox* heights = win.makeRadios(tx(T::kAltitudeCircles), sources(T::kAltitudeCircleItems, 3),
                                  [] { return int(design().azimuthHeightMode); },
                                  [](int i) { design().azimuthHeightMode = static_cast<std::uint8_t>(i); });
  QCheckBox* ecliptic = win.makeCheck(tx(T::kEcliptic), &d.drawEcliptic);
  win.visibleWhen(ecliptic, [] {
    return design().azimuthHeightMode == 2 && design().azimuthDialKind == 1;
  });
  QGroupBox* sizes = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(sizes), 0, tx(T::kBasePlate),
           win.makeField(ranged(tx(T::kBasePlate), &d.azimuthBasePlate, 3, 200), kRealKeys));
  win.fieldRow(gridOf(sizes), 1, tx(T::kObserver),
           win.makeField(ranged(tx(T::kObserver), &d.azimuthObserverDistance, 10, 400), kRealKeys));

  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  win.rangeRow(gridOf(hours), 1, win.makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.otherTemporalFrom, &d.otherTemporalTo, ParameterWindow::RangeList::Temporal,
           win.temporalInterval(&d.temporalIntervalOther));
  win.rangeRow(gridOf(hours), 2, win.makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.babylonianInterval));
  win.rangeRow(gridOf(hours), 3, win.makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.italianInterval));
  return twoColumns(
      column({kind, display, sizes, heights, ecliptic}),
      column({hours, circles, perMonth, arrangement,
              win.makeCheck(tx(T::kWithEotConstruction), &d.constructionWithEot),
              win.makeCheck(tx(T::kSunshineLines), &d.integerSunshineLines),
              win.makeCheck([] { return qs(horizonText::text(horizonText::kIncludeProfile)); },
                        [] { return horizonState().showHorizonProfile; },
                        [](bool on) { setHorizonProfileSwitch(on, 5); })}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "azimuthal";
  p.captionRow = labelRow::kAzimuthalFamily;
  p.build = buildAzimuthalPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
