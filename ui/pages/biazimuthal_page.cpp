// The bi-azimuthal dial: the parameter window's page.
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
#include "dials/biazimuthal/biazimuthal_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kPosition2 = 1361;
constexpr int kSecondVertical = 1364;
constexpr int kSecondDeclination = 1365;
constexpr int kTimeFrom = 1370;
constexpr int kTimeFromItems = 1371;
constexpr int kTimeKind = 1373;
constexpr int kApparentTime = 1374;
constexpr int kScale = 1375;
}  // namespace T

namespace {

QWidget* buildBiAzimuthalPage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* p1 = fieldsGroup(win.makeGroup(tx(T::kPosition1)));
  win.fieldRow(gridOf(p1), 0, tx(T::kLatitude), win.makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  win.fieldRow(gridOf(p1), 1, tx(T::kLongitude), win.makeField(ranged(tx(T::kLongitude), &d.longitude, -180, 180), kRealKeys));
  QLineEdit* zone = win.makeField(ranged(tx(T::kZoneMeridianField), &d.zoneMeridian, -180, 180), kRealKeys);
  win.enabledWhen(zone, [] { return design().zoneTime; });
  win.fieldRow(gridOf(p1), 2, tx(T::kZoneMeridianField), zone);
  win.fieldRow(gridOf(p1), 3, tx(T::kWallDeclination),
           win.makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  win.fieldRow(gridOf(p1), 4, tx(T::kInclination), win.makeRealField(tx(T::kInclination), &d.planeInclination));
  QGroupBox* p2 = fieldsGroup(win.makeGroup(tx(T::kPosition2)));
  win.fieldRow(gridOf(p2), 0, tx(T::kLatitude), win.makeField(ranged(tx(T::kLatitude), &d.latitude2, -90, 90), kRealKeys));
  win.fieldRow(gridOf(p2), 1, tx(T::kLongitude), win.makeField(ranged(tx(T::kLongitude), &d.longitude2, -180, 180), kRealKeys));
  win.fieldRow(gridOf(p2), 2, tx(T::kSecondDeclination),
           win.makeField(ranged(tx(T::kSecondDeclination), &d.wallDeclination2, -180, 180), kRealKeys));
  gridOf(p2)->addWidget(win.makeCheck(tx(T::kSecondVertical), &d.secondPlaneVertical), 3, 0, 1, 2);

  QGroupBox* plane = win.makeRadios(tx(T::kPlane), sources(T::kPlaneItems, 3),
                                [] { return int(design().hollanderVariant) % 3; },
                                [](int i) { design().hollanderVariant = static_cast<std::uint8_t>(i); }, 3);
  QGroupBox* from = win.makeRadios(tx(T::kTimeFrom), sources(T::kTimeFromItems, 2),
                               [] { return design().timeFromPosition1 ? 0 : 1; },
                               [](int i) { design().timeFromPosition1 = i == 0; }, 2);
  QGroupBox* kind = win.makeRadios(tx(T::kTimeKind), {tx(T::kApparentTime), tx(T::kZoneTime)},
                               [] { return design().zoneTime ? 1 : 0; },
                               [](int i) { setZoneTime(i == 1); }, 2);
  // The dial reads the hour lines from otherHoursFrom .. otherHoursTo with
  // otherHourInterval, and the lines with EoT from eotLinesFrom ..
  // eotLinesTo (switched by "Construction with EoT", no interval).
  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  win.rangeRow(gridOf(hours), 1, win.makeLabel(tx(T::kWithEot)), &d.eotLinesFrom, &d.eotLinesTo,
           ParameterWindow::RangeList::Hours, ParameterWindow::Interval{});
  QGroupBox* more = fieldsGroup(win.makeGroup(tx(T::kFurtherLines)));
  gridOf(more)->addWidget(win.makeCheck(tx(T::kAnalemma), &d.markAnalemma), 0, 0, 1, 2);
  win.fieldRow(gridOf(more), 1, tx(T::kAnalemmaHour), win.analemmaHourField(nullptr));
  win.fieldRow(gridOf(more), 2, tx(T::kScale),
           win.makeIntField(tx(T::kScale), &d.drawingScale, 5, 66000000));
  QGroupBox* dates = win.makeRadios(tx(T::kDateLines), sources(T::kHabermelDateItems, 3),
                                [] { return design().dateLineMode - '0'; },
                                [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  return twoColumns(column({p1, p2, plane}),
                    column({from, kind, win.makeCheck(tx(T::kWithEotConstruction), &d.constructionWithEot),
                            hours, more, dates}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "biazimuthal";
  p.captionRow = labelRow::kBiAzimuthalFamily;
  p.build = buildBiAzimuthalPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
