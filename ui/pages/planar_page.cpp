// The planar dials' page (horizontal, vertical, inclined): the parameter window's page.
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>

#include "base/geometry.h"
#include "base/number_text.h"
#include "core/design_state.h"
#include "core/field_checks.h"
#include "core/language.h"
#include "core/platform.h"
#include "dials/dial_type_rules.h"
#include "dials/planar/planar_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"
#include "ui/wall_declination_window.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kToStyleFoot = 1218;
constexpr int kExtendTemporal = 1231;
constexpr int kPoleTriangle = 1236;
constexpr int kMarks = 1239;
}  // namespace T

namespace {

// Gnomon height [mm].
constexpr double kGnomonHeightMin = 5, kGnomonHeightMax = 200;

QWidget* buildPlanarPage(ParameterWindow& win) {
  DesignState& d = design();
  // A horizontal dial lies flat and faces no direction.
  if (dialHas(d, kCapLevelFace)) d.wallDeclination = 0;
  QGroupBox* plane = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(plane), 0, tx(T::kWallDeclination),
           win.makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  ChildForm::NumberField incl = ranged(tx(T::kInclination), &d.planeInclination, 0, 175);
  win.fieldRow(gridOf(plane), 1, tx(T::kInclination), win.makeField(std::move(incl), kRealKeys));
  // The gnomon height takes the range of the dial-type window's field
  // check, so that a height of 0 or below never reaches the construction.
  win.fieldRow(gridOf(plane), 2, ts(6),
           win.makeField(ranged(ts(6), &d.gnomonLength, kGnomonHeightMin, kGnomonHeightMax), kRealKeys));
  // The wall's declination measured with a board, for the dials that face a
  // wall (those whose value fields hold its declination).
  QPushButton* measureWall = win.makeButton(wallDeclinationToolText(), plane);
  QObject::connect(measureWall, &QPushButton::clicked, &win, [&win] {
    openWallDeclinationWindow(win.mainForm(), &win, [&win] { win.refreshFields(); });
  });
  gridOf(plane)->addWidget(measureWall, 3, 0, 1, 3);
  win.visibleWhen(measureWall, [] {
    const std::vector<const DialValueField*> shown = dialValueFields(design());
    return std::find(shown.begin(), shown.end(), &kWallDeclinationField) != shown.end();
  });

  QGroupBox* dates = win.dateLineChoice();
  QCheckBox* styleFoot = win.makeCheck(tx(T::kToStyleFoot), &d.linesToStyleFoot);
  win.enabledWhen(styleFoot, [] { return design().localTimeNoEot; });

  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeCheck(tx(T::kWithoutEot), &d.localTimeNoEot),
           &d.hourLinesFrom, &d.hourLinesTo, ParameterWindow::RangeList::Hours, win.intervalA(&d.hourLineInterval, false));
  win.rangeRow(gridOf(hours), 1, win.makeCheck(tx(T::kWithEot), &d.withEot), &d.eotLinesFrom,
           &d.eotLinesTo, ParameterWindow::RangeList::Hours, win.intervalA(&d.eotLineInterval, true));
  QGroupBox* display = win.makeRadios(
      tx(T::kTimeDisplay), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().zoneTime ? 1 : 0; }, [](int i) { setZoneTime(i == 1); }, 2);
  QGroupBox* meridian = win.makeRadios(
      tx(T::kEotLinesShow), {tx(T::kOwnMeridian), tx(T::kZoneMeridian)},
      [] { return design().eotLinesOwnMeridian ? 0 : 1; },
      [](int i) { design().eotLinesOwnMeridian = i == 0; }, 2);

  QGroupBox* further = win.timeLinesGroup(tx(T::kFurtherLines));
  win.rangeRow(gridOf(further), 0, win.makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.babylonianInterval));
  win.rangeRow(gridOf(further), 1, win.makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.italianInterval));
  win.rangeRow(gridOf(further), 2, win.makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.temporalFrom, &d.temporalTo, ParameterWindow::RangeList::Temporal, win.temporalInterval(&d.temporalInterval));
  QCheckBox* extend = win.makeCheck(tx(T::kExtendTemporal), &d.extendTemporalHours);
  win.enabledWhen(extend, [] { return design().temporalHourLines; });
  gridOf(further)->addWidget(extend, 3, 0, 1, 7);
  win.rangeRow(gridOf(further), 4, win.makeCheck(tx(T::kAltitudeLines), &d.sunAltitudeLines),
           &d.altitudeFrom, &d.altitudeTo, ParameterWindow::RangeList::Altitude, win.altitudeInterval());

  QGroupBox* analemma = win.makeGroup(tx(T::kMarks));
  auto* ag = new QGridLayout(analemma);
  ag->setContentsMargins(6, 4, 6, 4);
  ag->addWidget(win.makeCheck(tx(T::kAnalemma), &d.markAnalemma), 0, 0);
  ag->addWidget(win.makeLabel(tx(T::kAnalemmaHour)), 0, 1);
  QLineEdit* hour = win.analemmaHourField(nullptr);
  hour->setFixedWidth(40);
  ag->addWidget(hour, 0, 2);
  ag->addWidget(win.makeLabel(tx(T::kAnalemmaDays)), 0, 3);
  ag->addWidget(win.analemmaDaysChoice(), 0, 4);
  ag->addWidget(win.makeCheck(tx(T::kPoleTriangle), &d.drawPoleTriangle), 1, 0, 1, 5);
  ag->addWidget(win.makeCheck(tx(T::kSunshineLines), &d.integerSunshineLines), 2, 0, 1, 5);
  ag->setColumnStretch(5, 1);

  std::vector<QWidget*> left{plane, dates, styleFoot, display, meridian};
  for (QWidget* section : buildPageSections(win, "planar")) left.push_back(section);
  return twoColumns(column(left),
                    column({hours, further, analemma}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "planar";
  p.captionRow = labelRow::kPlanarFamily;
  p.ownDates = true;
  p.build = buildPlanarPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
