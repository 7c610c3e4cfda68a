// The horizontal altitude dial (hidokai): the parameter window's page.
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
constexpr int kMonthScaleLength = 1311;
constexpr int kHorizontalScale = 1312;
constexpr int kVerticalFace = 1314;
}  // namespace T

namespace {

QWidget* buildAltitudePage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* sizes = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(sizes), 0, tx(T::kGnomonLength),
           win.makeIntField(tx(T::kGnomonLength), &d.altitudeDialGnomonLength, 4, 110));
  win.fieldRow(gridOf(sizes), 1, tx(T::kMonthScaleLength),
           win.makeIntField(tx(T::kMonthScaleLength), &d.altitudeMonthScale, 0, 180));
  win.fieldRow(gridOf(sizes), 2, tx(T::kHorizontalScale),
           win.makeIntField(tx(T::kHorizontalScale), &d.altitudeHorizontalScale, 0, 260));
  QGroupBox* scale = win.makeRadios(tx(T::kMonthScale), {tx(T::kTogether), tx(T::kSideBySide)},
                                [] { return design().halfYearMonthScale ? 1 : 0; },
                                [](int i) { design().halfYearMonthScale = i == 1; });
  QGroupBox* timeKind = win.makeRadios(
      tx(T::kHourLinesIn), {tx(T::kLocalTime), tx(T::kZoneTime), tx(T::kTemporalHours)},
      [] { const DesignState& s = design(); return s.temporalHours ? 2 : s.zoneTime ? 1 : 0; },
      [](int i) {
        design().temporalHours = i == 2;
        if (i < 2) setZoneTime(i == 1);
      });
  QCheckBox* eot = win.makeCheck(tx(T::kWithEotConstruction), &d.cylinderWithEot);
  win.enabledWhen(eot, [] { return !design().temporalHours; });
  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  win.rangeRow(gridOf(hours), 1, win.makeLabel(tx(T::kTemporal)), &d.otherTemporalFrom,
           &d.otherTemporalTo, ParameterWindow::RangeList::Temporal, win.temporalInterval(&d.temporalIntervalOther));
  return twoColumns(column({sizes, scale, timeKind}),
                    column({hours, eot, win.makeCheck(tx(T::kVerticalFace), &d.withVerticalDial)}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "altitude";
  p.captionRow = labelRow::kAltitudeFamily;
  p.build = buildAltitudePage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
