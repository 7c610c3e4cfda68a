// The Hollander dial (mean time on a cone): the parameter window's page.
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
#include "dials/hollander/hollander_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kConeHeight = 1380;
constexpr int kConeAxis = 1381;
constexpr int kHalfAngle = 1382;
constexpr int kHalfAngleMessage = 1383;
}  // namespace T

namespace {

QWidget* buildHollanderPage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* p1 = fieldsGroup(win.makeGroup(tx(T::kPosition1)));
  win.fieldRow(gridOf(p1), 0, tx(T::kLatitude), win.makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  win.fieldRow(gridOf(p1), 1, tx(T::kLongitude), win.makeField(ranged(tx(T::kLongitude), &d.longitude, -180, 180), kRealKeys));
  win.fieldRow(gridOf(p1), 2, tx(T::kZoneMeridianField),
           win.makeField(ranged(tx(T::kZoneMeridianField), &d.zoneMeridian, -180, 180), kRealKeys));
  win.fieldRow(gridOf(p1), 3, tx(T::kWallDeclination),
           win.makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  win.fieldRow(gridOf(p1), 4, tx(T::kInclination), win.makeRealField(tx(T::kInclination), &d.planeInclination));

  QGroupBox* cone = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(cone), 0, tx(T::kConeHeight),
           win.makeField(ranged(tx(T::kConeHeight), &d.gnomonLength, 5, 500), kRealKeys));
  // The cone axis: a negative inclination is the same axis seen from the
  // other side, 180 degrees on.
  ChildForm::NumberField axis;
  axis.label = tx(T::kConeAxis);
  axis.target = &d.coneAxisInclination;
  axis.show = [] { return qs(fixedText(design().coneAxisInclination, 11, 6)).trimmed(); };
  auto axisCheck = [](double min) {
    return [min](EditField& e, const std::string& name) {
      double& a = design().coneAxisInclination;
      if (!checkRangedRealField(e, a, name, 175, min)) return false;
      if (a < 0) {
        a += 180;
        e.setText(fixedText(a, 11, 6));
      }
      return true;
    };
  };
  axis.onExit = axisCheck(-90);
  axis.onClose = axisCheck(-175);
  win.fieldRow(gridOf(cone), 1, tx(T::kConeAxis), win.makeField(std::move(axis), kRealKeys));
  ChildForm::NumberField half;
  half.label = tx(T::kHalfAngle);
  half.target = &d.coneHalfAngle;
  half.show = [] { return qs(fixedText(design().coneHalfAngle, 11, 6)).trimmed(); };
  auto halfCheck = [](double max) {
    return [max](EditField& e, const std::string& name) {
      DesignState& s = design();
      if (!checkRangedRealField(e, s.coneHalfAngle, name, max, 0)) return false;
      if (s.coneHalfAngle >= s.coneAxisInclination) {
        showMessage(MsgCaption::Error, uiText(T::kHalfAngleMessage));
        e.takeFocus();
        return false;
      }
      return true;
    };
  };
  half.onExit = halfCheck(87);
  half.onClose = halfCheck(85);
  win.fieldRow(gridOf(cone), 2, tx(T::kHalfAngle), win.makeField(std::move(half), kRealKeys));

  QGroupBox* plane = win.makeRadios(tx(T::kPlane), sources(T::kPlaneItems, 3),
                                [] { return int(design().hollanderVariant) % 3; },
                                [](int i) { design().hollanderVariant = static_cast<std::uint8_t>(i); }, 3);
  QGroupBox* time = win.makeRadios(tx(T::kTimeDisplay), {tx(T::kLocalTime), tx(T::kZoneTime)},
                               [] { return design().zoneTime ? 1 : 0; },
                               [](int i) { setZoneTime(i == 1); }, 2);
  // The dial draws otherHoursFrom .. otherHoursTo with otherHourInterval.
  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           ParameterWindow::RangeList::Hours, win.intervalB(&d.otherHourInterval));
  QGroupBox* dates = win.makeRadios(tx(T::kDateLines), sources(T::kHabermelDateItems, 3),
                                [] { return design().dateLineMode - '0'; },
                                [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  return twoColumns(column({p1, cone}),
                    column({plane, time, hours, dates}));
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "hollander";
  p.captionRow = labelRow::kHollanderFamily;
  p.build = buildHollanderPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
