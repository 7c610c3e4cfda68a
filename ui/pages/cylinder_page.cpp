// The cylinder dials (shepherd's dial, hat dial, polar style): the parameter window's page.
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
#include "dials/cylinder/cylinder_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kCylinderGnomon = 1290;
constexpr int kMonthAxis = 1291;
constexpr int kCylinderRadius = 1292;
constexpr int kGnomonDeclination = 1293;
constexpr int kCylinderDates = 1298;
constexpr int kSevenDates = 1299;
constexpr int kThreeDates = 1300;
}  // namespace T

namespace {

QWidget* buildCylinderPage(ParameterWindow& win) {
  DesignState& d = design();
  const bool polar = d.cylinderVariant == 2;
  QGroupBox* sizes = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  int row = 0;
  if (polar) {
    win.fieldRow(gridOf(sizes), row++, tx(T::kCylinderGnomon),
             win.makeField(ranged(tx(T::kCylinderGnomon), &d.cylinderGnomonLength, 4, 110), kRealKeys));
    win.fieldRow(gridOf(sizes), row++, tx(T::kCylinderRadius),
             win.makeField(ranged(tx(T::kCylinderRadius), &d.cylinderRadius, 4, 500), kRealKeys));
    win.fieldRow(gridOf(sizes), row++, tx(T::kGnomonDeclination),
             win.makeField(ranged(tx(T::kGnomonDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  } else {
    win.fieldRow(gridOf(sizes), row++, tx(T::kCylinderGnomon),
             win.makeIntField(tx(T::kCylinderGnomon), &d.cylinderGnomonLengthInt, 4, 110));
    win.fieldRow(gridOf(sizes), row++, tx(T::kMonthAxis),
             win.makeIntField(tx(T::kMonthAxis), &d.shepherdScaleLength, 0, 400));
  }

  QGroupBox* scale = win.makeRadios(tx(T::kMonthScale), {tx(T::kTogether), tx(T::kSideBySide)},
                                [] { return design().halfYearMonthScale ? 1 : 0; },
                                [](int i) { design().halfYearMonthScale = i == 1; });
  // The cylinder constructions take their meridian from localTime.
  QGroupBox* trueTime = win.makeRadios(
      tx(T::kTrueTime), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().localTime ? 0 : 1; },
      [](int i) { setZoneTime(i == 1); }, 2);
  QCheckBox* eot = win.makeCheck(tx(T::kWithEotConstruction), &d.cylinderWithEot);

  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeCheck(tx(T::kHours), &d.localTimeNoEot), &d.otherHoursFrom,
           &d.otherHoursTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  win.rangeRow(gridOf(hours), 1, win.makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.babylonianInterval));
  win.rangeRow(gridOf(hours), 2, win.makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.italianInterval));
  win.rangeRow(gridOf(hours), 3, win.makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.otherTemporalFrom, &d.otherTemporalTo, ParameterWindow::RangeList::Temporal,
           win.temporalInterval(&d.temporalIntervalOther));
  // The cylinder dials draw the whole altitude scale; they have no
  // altitude range.
  gridOf(hours)->addWidget(win.makeCheck(tx(T::kAltitudeLines), &d.sunAltitudeLines), 4, 0);
  // The hat dial and the polar style draw their own lines with EoT; the
  // shepherd's dial turns its hour lines into mean time instead.
  if (d.cylinderVariant != 0) {
    win.rangeRow(gridOf(hours), 5, win.makeLabel(tx(T::kWithEot)), &d.eotLinesFrom, &d.eotLinesTo,
             ParameterWindow::RangeList::Hours, win.intervalA(&d.eotLineInterval, true));
  }
  QWidget* left = column({sizes, scale, trueTime, eot});
  if (polar) {
    QGroupBox* option = win.makeRadios(tx(T::kCylinderDates), {tx(T::kSevenDates), tx(T::kThreeDates)},
                                   [] { return int(design().cylinderOption); },
                                   [](int i) { design().cylinderOption = static_cast<std::uint8_t>(i); });
    left->layout()->addWidget(option);
  }
  return twoColumns(left, column({hours}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "cylinder";
  p.captionRow = labelRow::kCylinderFamily;
  p.build = buildCylinderPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
