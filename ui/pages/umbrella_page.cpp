// The umbrella form of the planar dials: the parameter window's page.
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
#include "dials/planar/planar_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kUmbrellaKind = 1106;
constexpr int kRodHeight = 1251;
constexpr int kDiscRadius = 1252;
}  // namespace T

namespace {

QWidget* buildUmbrellaPage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* kind = win.makeRadios(
      tx(T::kUmbrellaKind),
      {tdt(dialTypeRow::kUmbrellaKindFirst), tdt(dialTypeRow::kUmbrellaKindFirst + 1),
       tdt(dialTypeRow::kUmbrellaKindFirst + 2)},
      [] { return umbrellaKindIndex(design()); }, [](int i) { selectUmbrellaKind(design(), i); });

  QGroupBox* plane = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(plane), 0, tx(T::kRodHeight), win.makeRealField(tx(T::kRodHeight), &d.gnomonLength));
  ChildForm::NumberField disc;
  disc.label = tx(T::kDiscRadius);
  disc.target = &d.umbrellaRadiusRatio;
  disc.show = [] { return qs(fixedText(design().umbrellaRadiusRatio * 100, 7, 2)).trimmed(); };
  disc.onExit = [](EditField& e, const std::string&) {
    const std::optional<double> v = parseRealText(e.text());
    if (!v) {
      showMessage(MsgCaption::Problem, messageText(4));
    } else if (*v < -100 || *v > 200) {
      showMessage(MsgCaption::Problem, messageText(10));
    } else {
      design().umbrellaRadiusRatio = *v / 100;
      return true;
    }
    e.setText(fixedText(design().umbrellaRadiusRatio * 100, 7, 2));
    e.takeFocus();
    return false;
  };
  disc.onClose = [](EditField& e, const std::string&) {
    const std::optional<double> v = parseRealText(e.text());
    if (!v) return false;
    design().umbrellaRadiusRatio = *v / 100;
    return true;
  };
  win.fieldRow(gridOf(plane), 1, tx(T::kDiscRadius), win.makeField(std::move(disc), kRealKeys));
  win.fieldRow(gridOf(plane), 2, tx(T::kInclination), win.makeRealField(tx(T::kInclination), &d.planeInclination));
  win.fieldRow(gridOf(plane), 3, tx(T::kWallDeclination),
           win.makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  win.fieldRow(gridOf(plane), 4, tx(T::kAnalemmaHour), win.analemmaHourField(nullptr));

  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  win.rangeRow(gridOf(hours), 0, win.makeCheck(tx(T::kWithoutEot), &d.localTimeNoEot),
           &d.hourLinesFrom, &d.hourLinesTo, ParameterWindow::RangeList::Hours, win.intervalA(&d.hourLineInterval, false));
  win.rangeRow(gridOf(hours), 1, win.makeCheck(tx(T::kWithEot), &d.withEot), &d.eotLinesFrom,
           &d.eotLinesTo, ParameterWindow::RangeList::Hours, win.intervalA(&d.eotLineInterval, true));
  win.rangeRow(gridOf(hours), 2, win.makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.babylonianInterval));
  win.rangeRow(gridOf(hours), 3, win.makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, ParameterWindow::RangeList::Hours, win.intervalB(&d.italianInterval));
  win.rangeRow(gridOf(hours), 4, win.makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.temporalFrom, &d.temporalTo, ParameterWindow::RangeList::Temporal, win.temporalInterval(&d.temporalInterval));
  win.rangeRow(gridOf(hours), 5, win.makeCheck(tx(T::kAltitudeLines), &d.sunAltitudeLines),
           &d.altitudeFrom, &d.altitudeTo, ParameterWindow::RangeList::Altitude, win.altitudeInterval());
  QGroupBox* meridian = win.makeRadios(
      tx(T::kEotLinesShow), {tx(T::kOwnMeridian), tx(T::kZoneMeridian)},
      [] { return design().eotLinesOwnMeridian ? 0 : 1; },
      [](int i) { design().eotLinesOwnMeridian = i == 0; }, 2);
  QWidget* extra = new QWidget;
  auto* el = new QVBoxLayout(extra);
  el->setContentsMargins(0, 0, 0, 0);
  auto* analemma = new QHBoxLayout;
  analemma->addWidget(win.makeCheck(tx(T::kAnalemma), &d.markAnalemma));
  analemma->addWidget(win.makeLabel(tx(T::kAnalemmaDays)));
  analemma->addWidget(win.analemmaDaysChoice());
  analemma->addStretch();
  el->addLayout(analemma);
  el->addWidget(win.makeCheck(tx(T::kSunshineLines), &d.integerSunshineLines));
  return twoColumns(column({kind, plane, win.dateLineChoice()}), column({hours, meridian, extra}));
}

// An inclined umbrella needs a disc (message 21) whose edge stays below
// the horizon of the plane (message 17).
bool umbrellaCloseCheck(DesignState& d) {
  if (!dialHas(d, kCapInclinedFace)) return true;
  const double r = d.umbrellaRadiusRatio;
  if (r == 0) {
    showMessage(MsgCaption::Error, messageText(21));
    return false;
  }
  if (tanDeg(d.planeInclination) >= 1 / std::fabs(r)) {
    showMessage(MsgCaption::Error, messageText(17));
    return false;
  }
  return true;
}

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "umbrella";
  p.captionRow = labelRow::kUmbrellaFamily;
  p.ownDates = true;
  p.build = buildUmbrellaPage;
  p.closeCheck = umbrellaCloseCheck;
  return p;
}()};

}  // namespace
}  // namespace tavrel
