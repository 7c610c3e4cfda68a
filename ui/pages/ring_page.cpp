// The ring dial: the parameter window's page.
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
#include "dials/ring/ring_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kRingWidth = 1321;
constexpr int kRingAlpha = 1322;
constexpr int kOneBand = 1323;
constexpr int kDeflection = 1324;
constexpr int kDeflectionItems = 1325;
constexpr int kNoonHorizontal = 1328;
constexpr int kOffsetAll = 1329;
constexpr int kOffsetMax = 1330;
constexpr int kOffsetMin = 1331;
constexpr int kRingOldHoursPart = 20300;
}  // namespace T

namespace {

QWidget* buildRingPage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* timeKind = win.makeRadios(
      tx(T::kHourLinesIn), {tx(T::kLocalTime), tx(T::kTemporalHours)},
      [] { return design().temporalHours ? 1 : 0; },
      [](int i) {
        DesignState& s = design();
        if (i == 0) {
          s.temporalHours = false;
          s.zoneTime = false;
          s.localTime = true;
        } else {
          s.zoneTime = false;
          s.temporalHours = true;
          s.localTime = false;
        }
      },
      2);
  QGroupBox* sizes = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(sizes), 0, tx(T::kDiameter),
           win.makeField(ranged(tx(T::kDiameter), &d.ringDiameter, 10, 300), kRealKeys));
  win.fieldRow(gridOf(sizes), 1, tx(T::kRingWidth),
           win.makeField(ranged(tx(T::kRingWidth), &d.ringWidth, 4.5, 300), kRealKeys));
  win.fieldRow(gridOf(sizes), 2, tx(T::kRingAlpha),
           win.makeField(ranged(tx(T::kRingAlpha), &d.ringAlpha, 10, 90), kRealKeys));
  QLineEdit* offset = win.makeField(ranged(tx(T::kOffsetAll), &d.gnomonHoleOffset, -23.44, 23.44), kRealKeys);
  // Two bands have two holes: the summer band's at the maximum offset, the
  // winter band's at the minimum.
  QLineEdit* offsetMax = win.makeField(ranged(tx(T::kOffsetMax), &d.gnomonHoleOffsetMax, 0, 23.44), kRealKeys);
  QLineEdit* offsetMin = win.makeField(ranged(tx(T::kOffsetMin), &d.gnomonHoleOffsetMin, -23.44, 0), kRealKeys);
  QLabel* offsetLabel = win.makeLabel(tx(T::kOffsetAll));
  QLabel* offsetMaxLabel = win.makeLabel(tx(T::kOffsetMax));
  QLabel* offsetMinLabel = win.makeLabel(tx(T::kOffsetMin));
  for (QLineEdit* e : {offset, offsetMax, offsetMin}) e->setFixedWidth(96);
  gridOf(sizes)->addWidget(offsetLabel, 3, 0);
  gridOf(sizes)->addWidget(offset, 3, 1);
  gridOf(sizes)->addWidget(offsetMaxLabel, 4, 0);
  gridOf(sizes)->addWidget(offsetMax, 4, 1);
  gridOf(sizes)->addWidget(offsetMinLabel, 5, 0);
  gridOf(sizes)->addWidget(offsetMin, 5, 1);
  for (QWidget* w : std::initializer_list<QWidget*>{offset, offsetLabel})
    win.visibleWhen(w, [] { return design().wholeYearQuadrant; });
  for (QWidget* w : std::initializer_list<QWidget*>{offsetMax, offsetMaxLabel, offsetMin, offsetMinLabel})
    win.visibleWhen(w, [] { return !design().wholeYearQuadrant; });

  QGroupBox* deflection = win.makeRadios(tx(T::kDeflection), sources(T::kDeflectionItems, 3),
                                     [] { return int(design().ringRayDeflection); },
                                     [](int i) { design().ringRayDeflection = static_cast<std::uint8_t>(i); });
  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  // The ring dial draws the main hour range (hourLinesFrom .. hourLinesTo).
  win.rangeRow(gridOf(hours), 0, win.makeLabel(tx(T::kHours)), &d.hourLinesFrom, &d.hourLinesTo,
           ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  win.rangeRow(gridOf(hours), 1, win.makeLabel(tx(T::kTemporal)), &d.otherTemporalFrom,
           &d.otherTemporalTo, ParameterWindow::RangeList::Temporal, win.temporalInterval(&d.temporalIntervalOther));
  win.rangeRow(gridOf(hours), 2, win.makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.italianInterval));
  win.rangeRow(gridOf(hours), 3, win.makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.babylonianInterval));
  // Italian and Babylonian hours: "only before noon", only afternoon or
  // all day (ringOldHoursPart 1, 2, 0).
  QGroupBox* oldHoursPart = win.makeRadios(
      tx(T::kRingOldHoursPart), sources(T::kRingOldHoursPart + 1, 3),
      [] {
        const int part = design().ringOldHoursPart;
        return part == 0 ? 2 : part - 1;
      },
      [](int i) { design().ringOldHoursPart = static_cast<std::uint8_t>(i == 2 ? 0 : i + 1); }, 3);
  return twoColumns(column({timeKind, sizes, deflection}),
                    column({hours, oldHoursPart, win.makeCheck(tx(T::kOneBand), &d.wholeYearQuadrant),
                            win.makeCheck(tx(T::kNoonHorizontal), &d.noonLineHorizontal)}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "ring";
  p.captionRow = labelRow::kRingFamily;
  p.build = buildRingPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
