// The Sawyer dial and the Peaucellier dial, which share it: the parameter window's page.
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
#include "dials/sawyer/sawyer_labels.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_page.h"

namespace tavrel {

// Window texts (ui_texts.tsv) of this page.
namespace T {
constexpr int kSawyerDial = 1390;
constexpr int kSawyerDialItems = 1391;
constexpr int kSawyerTime = 1393;
constexpr int kSawyerTimeItems = 1394;
constexpr int kLineAngle = 1398;
constexpr int kPeaucellierParameter = 1399;
constexpr int kUnit = 1400;
}  // namespace T

namespace {

// The page shows the Sawyer dial (position 0) or the Peaucellier dial
// (position 1) of the kinds that share it.
bool peaucellierShown() { return parameterPageKindIndex(design()) == 1; }

QWidget* buildSawyerPage(ParameterWindow& win) {
  DesignState& d = design();
  QGroupBox* dial = win.makeRadios(tx(T::kSawyerDial), sources(T::kSawyerDialItems, 2),
                               [] { return parameterPageKindIndex(design()); },
                               [](int i) { selectParameterPageKind(design(), i); }, 2);
  QGroupBox* time = win.makeRadios(
      tx(T::kSawyerTime), sources(T::kSawyerTimeItems, 4),
      [] { return int(design().sawyerTimeMode); },
      [](int i) {
        DesignState& s = design();
        s.sawyerTimeMode = static_cast<std::uint8_t>(i);
        s.sawyerMeanHalfAnalemma = i == 2;
        s.sawyerMeanStraight = i == 3;
        s.cylinderWithEot = i >= 2;
        setZoneTime(i == 1);
      });
  win.visibleWhen(time, [] { return !peaucellierShown(); });

  // Latitude: a dial at the equator would need an infinitely long
  // construction; |v| < 0.0049 is taken as 0.0049 with the sign of v.
  ChildForm::NumberField lat;
  lat.label = tx(T::kLatitude);
  lat.target = &d.latitude;
  lat.show = [] { return qs(fixedText(design().latitude, 11, 6)).trimmed(); };
  auto latCheck = [](EditField& e, const std::string& name) {
    double& v = design().latitude;
    if (!checkRangedRealField(e, v, name, 90, -90)) return false;
    if (std::fabs(v) < 0.0049) {
      v = v < 0 ? -0.0049 : 0.0049;
      e.setText(fixedText(v, 11, 6));
    }
    return true;
  };
  lat.onExit = latCheck;
  lat.onClose = latCheck;

  QGroupBox* sawyer = fieldsGroup(win.makeGroup(tx(T::kDialPlane)));
  win.fieldRow(gridOf(sawyer), 0, ts(6), win.makeField(ranged(ts(6), &d.gnomonLength, 5, 200), kRealKeys));
  win.fieldRow(gridOf(sawyer), 1, tx(T::kLineAngle),
           win.makeField(ranged(tx(T::kLineAngle), &d.sawyerLineAngle, 0.5, 15), kRealKeys));
  win.fieldRow(gridOf(sawyer), 2, tx(T::kLatitude), win.makeField(std::move(lat), kRealKeys));
  win.fieldRow(gridOf(sawyer), 3, ts(166), win.makeField(ranged(ts(166), &d.sawyerCentre, 0, 900), kRealKeys));
  win.fieldRow(gridOf(sawyer), 4, tx(T::kPeaucellierParameter),
           win.makeField(ranged(tx(T::kPeaucellierParameter), &d.peaucellierParameter, -2.1, 2.1), kRealKeys));
  win.fieldRow(gridOf(sawyer), 5, tx(T::kUnit), win.makeIntField(tx(T::kUnit), &d.sawyerUnit, 0, 300));
  // The rows of the dial not chosen stay hidden.
  auto* grid = gridOf(sawyer);
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < 2; ++c) {
      QLayoutItem* item = grid->itemAtPosition(r, c);
      if (!item || !item->widget()) continue;
      QWidget* w = item->widget();
      if (r == 0 || r == 1 || r == 3)
        win.visibleWhen(w, [] { return !peaucellierShown(); });
      else if (r == 4 || r == 5)
        win.visibleWhen(w, [] { return peaucellierShown(); });
    }
  }

  QGroupBox* hours = win.timeLinesGroup(tx(T::kHourLines));
  gridOf(hours)->addWidget(win.makeLabel(tx(T::kInterval)), 0, 0);
  gridOf(hours)->addWidget(win.makeCombo(listB, [] { return design().otherHourInterval - '0'; },
                                     [](int i) { design().otherHourInterval = static_cast<char>('0' + i); }),
                           0, 1);
  QGroupBox* dates = win.makeRadios(tx(T::kDateLines), sources(T::kHabermelDateItems, 3),
                                [] { return design().dateLineMode - '0'; },
                                [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  win.visibleWhen(dates, [] { return !peaucellierShown(); });
  return twoColumns(column({dial, sawyer}), column({time, hours, dates}));
}

// --- own date lines -------------------------------------------------------------------

const ParameterPageRegistrar kPage{[] {
  ParameterPageDef p;
  p.id = "sawyer";
  p.captionRow = labelRow::kSawyerFamily;
  p.build = buildSawyerPage;
  return p;
}()};

}  // namespace
}  // namespace tavrel
