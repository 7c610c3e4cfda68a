// The quadrants and the Habermel dials: the parameter window's page.
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
#include "dials/quadrant/quadrant_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kQuadrantKind = 1107;
constexpr int kQuadrantItems = 1108;
constexpr int kAzimuthLines = 1261;
constexpr int kArrangement = 1262;
constexpr int kJuneOutside = 1263;
constexpr int kJuneInside = 1264;
constexpr int kWholeYear = 1265;
constexpr int kMirrored = 1266;
constexpr int kDateCircles = 1269;
constexpr int kZodiac = 1271;
constexpr int kGunter = 1272;
constexpr int kQuadrantSize = 1273;
constexpr int kHabermelDates = 1281;
}  // namespace T

namespace {

QWidget* buildQuadrantPage(ParameterWindow& win) {
  DesignState& d = design();
  // The Habermel fields are built for every kind and shown while a Habermel
  // kind is chosen, so that choosing one in the open window shows them and
  // the close check (which checks the visible fields) checks them.
  const auto habermel = [] { return design().quadrantVariant == 1 || design().quadrantVariant == 2; };
  QGroupBox* kind = win.makeRadios(
      tx(T::kQuadrantKind), sources(T::kQuadrantItems, 3),
      [] { return int(design().quadrantVariant); },
      [&win](int i) {
        DesignState& s = design();
        const bool wasHabermel = s.quadrantVariant == 1 || s.quadrantVariant == 2;
        s.quadrantVariant = static_cast<std::uint8_t>(i);
        // A Habermel kind chosen here takes the gnomon derived from its
        // diameter, as the dial-type window gives it.
        if (!wasHabermel && (i == 1 || i == 2)) {
          deriveHabermelGnomonLength(s);
          win.refreshFields();
        }
      });
  kind->setVisible(d.expertModeActive);

  QGroupBox* sizes = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  int row = 0;
  {
    ChildForm::NumberField gnomon;
    gnomon.label = tx(T::kGnomonLength);
    gnomon.target = &d.habermelGnomonLength;
    gnomon.show = [] { return qs(fixedText(design().habermelGnomonLength, 7, 2)).trimmed(); };
    // The length derived from the diameter is kept unless the user types a
    // value more than 0.1 away from it.
    auto check = [](EditField& e, const std::string& name) {
      const std::optional<double> v = parseRealText(rangedRealFilter(e.text()));
      if (v && std::fabs(*v - design().habermelGnomonLength) <= 0.1) return true;
      return checkRangedRealField(e, design().habermelGnomonLength, name, 100, 9);
    };
    gnomon.onExit = check;
    gnomon.onClose = check;
    const int first = row;
    win.fieldRow(gridOf(sizes), row++, tx(T::kGnomonLength), win.makeField(std::move(gnomon), kRealKeys));
    win.fieldRow(gridOf(sizes), row++, tx(T::kDiameter),
             win.makeField(ranged(tx(T::kDiameter), &d.habermelDiameter, 30, 200), kRealKeys));
    for (int r = first; r < row; ++r)
      for (int c = 0; c < 2; ++c)
        if (QLayoutItem* item = gridOf(sizes)->itemAtPosition(r, c); item && item->widget())
          win.visibleWhen(item->widget(), habermel);
  }
  win.fieldRow(gridOf(sizes), row++, tx(T::kLatitude),
           win.makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  win.fieldRow(gridOf(sizes), row++, tx(T::kQuadrantSize),
           win.makeIntField(tx(T::kQuadrantSize), &d.quadrantSize, 80, 200));

  QGroupBox* timeKind = win.makeRadios(
      tx(T::kHourLinesIn), {tx(T::kLocalTime), tx(T::kTemporalHours)},
      [] { return design().temporalHours ? 1 : 0; },
      [](int i) { design().temporalHours = i == 1; }, 2);
  QGroupBox* trueTime = win.makeRadios(
      tx(T::kTrueTime), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().zoneTime ? 1 : 0; }, [](int i) { setZoneTime(i == 1); }, 2);
  QCheckBox* eot = win.makeCheck(tx(T::kWithEotConstruction), &d.constructionWithEot);
  win.enabledWhen(eot, [] { return !design().temporalHours && !design().showDateCircles; });

  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  win.rangeRow(gridOf(hours), 1, win.makeLabel(tx(T::kTemporal)), &d.otherTemporalFrom,
           &d.otherTemporalTo, ParameterWindow::RangeList::Temporal, win.temporalInterval(&d.temporalIntervalOther));

  QGroupBox* circles = win.makeRadios(tx(T::kDateCircles),
                                  {tx(T::kCalendarDate), tx(T::kZodiac), tx(T::kGunter)},
                                  [] { return int(design().zodiacScale); },
                                  [](int i) { design().zodiacScale = static_cast<std::uint8_t>(i); });
  QGroupBox* arrangement = win.makeRadios(
      tx(T::kArrangement), {tx(T::kJuneOutside), tx(T::kJuneInside)},
      [] { return design().januaryOutside ? 0 : 1; },
      [](int i) { design().januaryOutside = i == 0; });
  QWidget* checks = column({win.makeCheck(tx(T::kAzimuthLines), &d.includeAzimuthLines),
                            win.makeCheck(tx(T::kWholeYear), &d.wholeYearQuadrant),
                            win.makeCheck(tx(T::kMirrored), &d.quadrantMirrored), eot});
  QWidget* rightColumn = column({hours, circles, arrangement});
  QGroupBox* dates = win.makeRadios(
      tx(T::kHabermelDates), sources(T::kHabermelDateItems, 3),
      [] { return design().dateLineMode - '0'; },
      [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  win.visibleWhen(dates, habermel);
  rightColumn->layout()->addWidget(dates);
  return twoColumns(column({kind, sizes, timeKind, trueTime, checks}), rightColumn);
}

// A Habermel dial shows no temporal hours; temporal hours show no zone time.
bool quadrantCloseCheck(DesignState& d) {
  if (d.quadrantVariant == 1 || d.quadrantVariant == 2) d.temporalHours = false;
  if (d.temporalHours) d.zoneTime = false;
  return true;
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "quadrant";
  p.captionRow = labelRow::kQuadrantFamily;
  p.build = buildQuadrantPage;
  p.closeCheck = quadrantCloseCheck;
  return p;
}()};

}  // namespace
}  // namespace tavrel
