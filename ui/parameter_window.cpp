#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>
#include <cmath>

#include "astro/calendar.h"
#include "core/date_list_file.h"
#include "core/design_state.h"
#include "dials/dial_type_rules.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/geometry.h"
#include "base/number_text.h"
#include "tables/horizon_session.h"
#include "tables/horizon_texts.h"
#include "ui/parameter_window.h"
#include "ui/main_window.h"
#include "ui/wall_declination_window.h"

namespace tavrel {

namespace {

// Window texts (ui_texts.tsv).
namespace T {
constexpr int kFrom = 1200, kTo = 1201, kInterval = 1202;
constexpr int kDialPlane = 1210, kWallDeclination = 1211, kInclination = 1212, kDateLines = 1213,
              kPlanarDates = 1214, kToStyleFoot = 1218, kHourLines = 1219, kWithoutEot = 1220,
              kWithEot = 1221, kTimeDisplay = 1222, kLocalTime = 1223, kZoneTime = 1224,
              kEotLinesShow = 1225, kOwnMeridian = 1226, kZoneMeridian = 1227,
              kBabylonian = 1228, kItalian = 1229, kTemporal = 1230, kExtendTemporal = 1231,
              kAltitudeLines = 1232, kAnalemma = 1233, kAnalemmaHour = 1234, kAnalemmaDays = 1235,
              kPoleTriangle = 1236, kSunshineLines = 1237, kFurtherLines = 1238, kMarks = 1239,
              kCaptionPrefix = 1240;
constexpr int kRodHeight = 1251, kDiscRadius = 1252;
constexpr int kQuadrantKind = 1107, kQuadrantItems = 1108, kUmbrellaKind = 1106;
constexpr int kAzimuthLines = 1261, kArrangement = 1262, kJuneOutside = 1263, kJuneInside = 1264,
              kWholeYear = 1265, kMirrored = 1266, kWithEotConstruction = 1267, kHours = 1268,
              kDateCircles = 1269, kCalendarDate = 1270, kZodiac = 1271, kGunter = 1272,
              kQuadrantSize = 1273, kHourLinesIn = 1274, kTemporalHours = 1276, kTrueTime = 1277,
              kGnomonLength = 1278, kDiameter = 1279, kLatitude = 1280, kHabermelDates = 1281,
              kHabermelDateItems = 1282;
constexpr int kCylinderGnomon = 1290, kMonthAxis = 1291, kCylinderRadius = 1292,
              kGnomonDeclination = 1293, kMonthScale = 1295,
              kTogether = 1296, kSideBySide = 1297, kCylinderDates = 1298, kSevenDates = 1299,
              kThreeDates = 1300;
constexpr int kMonthScaleLength = 1311, kHorizontalScale = 1312, kVerticalFace = 1314;
constexpr int kRingWidth = 1321, kRingAlpha = 1322, kOneBand = 1323, kDeflection = 1324,
              kDeflectionItems = 1325, kNoonHorizontal = 1328, kOffsetAll = 1329,
              kOffsetMax = 1330, kOffsetMin = 1331;
constexpr int kRingOldHoursPart = 20300;  // caption, then the three choices
constexpr int kAzimuthKind = 1112, kDateCirclesShow = 1340, kDeclination = 1341,
              kDatesPerMonth = 1342, kDatesPerMonthItems = 1343, kEcliptic = 1347,
              kAzimuthArrangement = 1348, kJanuaryOutside = 1349, kJuneOutsideAz = 1350,
              kBasePlate = 1351, kObserver = 1352, kAltitudeCircles = 1353,
              kAltitudeCircleItems = 1354;
constexpr int kPosition1 = 1360, kPosition2 = 1361, kLongitude = 1362, kZoneMeridianField = 1363,
              kSecondVertical = 1364, kSecondDeclination = 1365, kPlane = 1366,
              kPlaneItems = 1367, kTimeFrom = 1370, kTimeFromItems = 1371, kTimeKind = 1373,
              kApparentTime = 1374, kScale = 1375;
constexpr int kConeHeight = 1380, kConeAxis = 1381, kHalfAngle = 1382, kHalfAngleMessage = 1383;
constexpr int kSawyerDial = 1390, kSawyerDialItems = 1391, kSawyerTime = 1393,
              kSawyerTimeItems = 1394, kLineAngle = 1398, kPeaucellierParameter = 1399,
              kUnit = 1400;
constexpr int kOwnDates = 1410, kDateEntry = 1411, kAdd = 1412, kRemove = 1413,
              kSaveDates = 1414, kLoadDates = 1415;
constexpr int kClose = 2020, kNext = 1020;
// The ham dial's fields on the planar page.
constexpr int kHamDial = 20500, kHamSize = 20501, kHamStretch = 20502, kHamEquinox = 20503;
}  // namespace T

QStringList listA() {
  QStringList out;
  for (const std::string& s : design().intervalChoices) out << qs(s);
  return out;
}
QStringList listB() { return listA().mid(0, 4); }

std::vector<TextSource> sources(int first, int count) {
  std::vector<TextSource> out;
  for (int i = 0; i < count; ++i) out.push_back(tx(first + i));
  return out;
}

// A field check for the reals of this window that also rewrites nothing
// else: checkRangedRealField with the window's label.
ChildForm::NumberField ranged(TextSource label, double* target, double min, double max) {
  ChildForm::NumberField f;
  f.label = std::move(label);
  f.target = target;
  f.show = [target] { return qs(fixedText(*target, 11, 6)).trimmed(); };
  auto check = [target, min, max](EditField& e, const std::string& name) {
    return checkRangedRealField(e, *target, name, max, min);
  };
  f.onExit = check;
  f.onClose = check;
  return f;
}

// Gnomon height of the planar page [mm].
constexpr double kGnomonHeightMin = 5, kGnomonHeightMax = 200;

// The Sawyer page shows the Sawyer dial (position 0) or the Peaucellier
// dial (position 1) of the kinds that share it.
bool peaucellierShown() { return parameterPageKindIndex(design()) == 1; }

void setZoneTime(bool zone) {
  design().zoneTime = zone;
  design().localTime = !zone;
}

}  // namespace

ParameterWindow::Page ParameterWindow::pageFor(const DesignState& d) {
  return parameterPageOf(d);
}

ParameterWindow::ParameterWindow(MainWindow* main) : ChildForm(main, ShellWindow::Parameters) {
  DesignState& d = design();
  inWizard_ = d.wizardStep >= 4;
  page_ = pageFor(d);
  if (page_ == Page::Planar && dialHas(d, kCapLevelFace)) d.wallDeclination = 0;
  // The window shows 6 for the 10-minute EoT interval as index 4.
  auto* outer = new QVBoxLayout(body());
  auto* columns = new QHBoxLayout;
  outer->addLayout(columns);

  auto* title = new QLabel(body());
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);
  bindText([this, title] {
    const DesignState& s = design();
    QString name = qs(tableText(TextTable::Labels, labelRow::kPageCaptionBase + int(page_)));
    if (const int row = parameterPageTitleRow(s); page_ == Page::Planar && row >= 0)
      name = qs(tableText(TextTable::Texts, row));
    title->setText(name);
    setWindowTitle(inWizard_ ? wizardCaption(QStringLiteral("3")) : uiq(T::kCaptionPrefix) + name);
  });
  outer->insertWidget(0, title);

  switch (page_) {
    case Page::Planar: pageWidget_ = buildPlanar(); break;
    case Page::Umbrella: pageWidget_ = buildUmbrella(); break;
    case Page::Quadrant: pageWidget_ = buildQuadrant(); break;
    case Page::Cylinder: pageWidget_ = buildCylinder(); break;
    case Page::Altitude: pageWidget_ = buildAltitude(); break;
    case Page::Ring: pageWidget_ = buildRing(); break;
    case Page::Azimuthal: pageWidget_ = buildAzimuthal(); break;
    case Page::BiAzimuthal: pageWidget_ = buildBiAzimuthal(); break;
    case Page::Hollander: pageWidget_ = buildHollander(); break;
    case Page::Sawyer: pageWidget_ = buildSawyer(); break;
  }
  columns->addWidget(pageWidget_);
  if (page_ == Page::Planar || page_ == Page::Umbrella) {
    datePanel_ = buildDatePanel();
    columns->addWidget(datePanel_);
  }

  auto* buttons = new QHBoxLayout;
  close_ = makeButton([this] { return uiq(inWizard_ ? T::kNext : T::kClose); }, body());
  cancel_ = makeButton(ts(8), body());
  help_ = makeButton(ts(10), body());
  for (QPushButton* b : {close_, cancel_, help_}) b->setAutoDefault(false);
  cancel_->setVisible(inWizard_);
  buttons->addStretch();
  buttons->addWidget(close_);
  buttons->addWidget(cancel_);
  buttons->addWidget(help_);
  outer->addLayout(buttons);
  exemptFromChecks(cancel_);
  exemptFromChecks(help_);
  for (QLineEdit* e : pageWidget_->findChildren<QLineEdit*>()) setReturnTarget(e, close_);
  connect(close_, &QPushButton::clicked, this, [this] { close(); });
  connect(cancel_, &QPushButton::clicked, this, [this] { mainForm()->cancelWizard(); });
  connect(help_, &QPushButton::clicked, this, [this] { mainForm()->openHelp(helpTopic()); });
  setHelpTopic(dialTypeHelpTopic(dialTypeEntryOf(d)));
  refreshChoices();
}

// --- shared building blocks ------------------------------------------------------

ParameterWindow::Interval ParameterWindow::intervalA(char* field, bool eot) {
  return Interval{listA,
                  [field] { return *field == '6' ? 4 : *field - '0'; },
                  [field, eot](int i) {
                    *field = (eot && i == 4) ? '6' : static_cast<char>('0' + i);
                  }};
}

ParameterWindow::Interval ParameterWindow::intervalB(char* field) {
  return Interval{listB, [field] { return *field - '0'; },
                  [field](int i) { *field = static_cast<char>('0' + i); }};
}

ParameterWindow::Interval ParameterWindow::intervalB(std::uint8_t* field) {
  return Interval{listB, [field] { return int(*field); },
                  [field](int i) { *field = static_cast<std::uint8_t>(i); }};
}

ParameterWindow::Interval ParameterWindow::temporalInterval(std::uint8_t* field) {
  return Interval{[] { return QStringList{"1", "0.5", "0.333", "0.25"}; },
                  [field] { return int(*field); },
                  [field](int i) { *field = static_cast<std::uint8_t>(i); }};
}

ParameterWindow::Interval ParameterWindow::altitudeInterval() {
  std::uint8_t* field = &design().altitudeInterval;
  return Interval{[] { return QStringList{QStringLiteral("10 °"), QStringLiteral("5 °"),
                                          QStringLiteral("2.5 °")}; },
                  [field] { return int(*field); },
                  [field](int i) { *field = static_cast<std::uint8_t>(i); }};
}

void ParameterWindow::rangeRow(QGridLayout* g, int row, QWidget* lead, std::int32_t* from,
                      std::int32_t* to, RangeList list, const Interval& interval) {
  std::function<QStringList()> items;
  std::function<int(std::int32_t)> indexOf;
  std::function<std::int32_t(int)> valueOf;
  switch (list) {
    case RangeList::Hours:
      items = [] {
        QStringList out;
        for (int n = 0; n < int(design().hourChoices.size()); ++n) out << qs(hourChoiceText(n));
        return out;
      };
      indexOf = [](std::int32_t v) { return v; };
      valueOf = [](int i) { return i; };
      break;
    case RangeList::Temporal:
      items = [] {
        QStringList out;
        for (const std::string& s : design().numberChoices12) out << qs(s);
        return out;
      };
      indexOf = [](std::int32_t v) { return v; };
      valueOf = [](int i) { return i; };
      break;
    case RangeList::Altitude:
      items = [] {
        QStringList out;
        for (int a = 10; a <= 80; a += 10) out << QStringLiteral("%1 °").arg(a);
        return out;
      };
      indexOf = [](std::int32_t v) { return v % 10 == 0 && v >= 10 && v <= 80 ? v / 10 - 1 : -1; };
      valueOf = [](int i) { return (i + 1) * 10; };
      break;
  }
  if (lead) g->addWidget(lead, row, 0);
  g->addWidget(makeLabel(tx(T::kFrom), g->parentWidget()), row, 1, Qt::AlignRight);
  g->addWidget(makeCombo(items, [from, indexOf] { return indexOf(*from); },
                         [from, valueOf](int i) { *from = valueOf(i); }, g->parentWidget()),
               row, 2);
  g->addWidget(makeLabel(tx(T::kTo), g->parentWidget()), row, 3, Qt::AlignRight);
  g->addWidget(makeCombo(items, [to, indexOf] { return indexOf(*to); },
                         [to, valueOf](int i) { *to = valueOf(i); }, g->parentWidget()),
               row, 4);
  if (!interval.items) return;  // a range without an interval
  g->addWidget(makeLabel(tx(T::kInterval), g->parentWidget()), row, 5, Qt::AlignRight);
  QComboBox* c = makeCombo(interval.items, interval.get, interval.set, g->parentWidget());
  g->addWidget(c, row, 6);
  if (interval.items().size() == 5 && !hourInterval_)
    hourInterval_ = c;
  else if (interval.items().size() == 5)
    eotInterval_ = c;
}

QGroupBox* ParameterWindow::timeLinesGroup(TextSource title) {
  QGroupBox* g = makeGroup(std::move(title), nullptr);
  auto* grid = new QGridLayout(g);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(7, 1);
  return g;
}

void ParameterWindow::fieldRow(QGridLayout* g, int row, TextSource label, QLineEdit* edit) {
  QLabel* l = makeLabel(std::move(label), g->parentWidget());
  l->setBuddy(edit);
  edit->setFixedWidth(96);
  g->addWidget(l, row, 0);
  g->addWidget(edit, row, 1);
}

QGroupBox* ParameterWindow::dateLineChoice() {
  dateLines_ = makeRadios(
      tx(T::kDateLines), sources(T::kPlanarDates, 4),
      [] { return design().dateLineMode - '0'; },
      [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  return dateLines_;
}

QComboBox* ParameterWindow::analemmaDaysChoice() {
  analemmaDays_ = makeCombo(
      [] {
        return QStringList{"(  1.  )", "( 1.,  15. )", "( 7.,  22. )", "( 1., 11., 21. )",
                           "( 1., 8., 15., 22. )"};
      },
      [] { return int(design().analemmaMarkDays); },
      [](int i) { design().analemmaMarkDays = static_cast<std::uint8_t>(i); });
  return analemmaDays_;
}

QLineEdit* ParameterWindow::analemmaHourField(QWidget* parent) {
  return makeIntField(tx(T::kAnalemmaHour), &design().analemmaMarkHour, 1, 23, parent);
}

namespace {
QGridLayout* gridOf(QGroupBox* g) { return static_cast<QGridLayout*>(g->layout()); }

QWidget* column(std::initializer_list<QWidget*> widgets) {
  auto* w = new QWidget;
  auto* l = new QVBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  for (QWidget* x : widgets) l->addWidget(x);
  l->addStretch();
  return w;
}

QWidget* twoColumns(QWidget* left, QWidget* right) {
  auto* w = new QWidget;
  auto* l = new QHBoxLayout(w);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(left, 0, Qt::AlignTop);
  l->addWidget(right, 0, Qt::AlignTop);
  return w;
}

QGroupBox* fieldsGroup(QGroupBox* g) {
  auto* grid = new QGridLayout(g);
  grid->setContentsMargins(6, 4, 6, 4);
  grid->setVerticalSpacing(3);
  grid->setColumnStretch(2, 1);
  return g;
}

}  // namespace

// --- pages --------------------------------------------------------------------------

QWidget* ParameterWindow::buildPlanar() {
  DesignState& d = design();
  QGroupBox* plane = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(plane), 0, tx(T::kWallDeclination),
           makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  NumberField incl = ranged(tx(T::kInclination), &d.planeInclination, 0, 175);
  fieldRow(gridOf(plane), 1, tx(T::kInclination), makeField(std::move(incl), kRealKeys));
  // The gnomon height takes the range of the dial-type window's field
  // check, so that a height of 0 or below never reaches the construction.
  fieldRow(gridOf(plane), 2, ts(6),
           makeField(ranged(ts(6), &d.gnomonLength, kGnomonHeightMin, kGnomonHeightMax), kRealKeys));
  // The wall's declination measured with a board, for walls (not level faces).
  QPushButton* measureWall = makeButton(wallDeclinationToolText(), plane);
  connect(measureWall, &QPushButton::clicked, this,
          [this] { openWallDeclinationWindow(mainForm(), this, [this] { refreshFields(); }); });
  gridOf(plane)->addWidget(measureWall, 3, 0, 1, 3);
  visibleWhen_.emplace_back(measureWall, [] { return !dialHas(design(), kCapLevelFace) && !dialHas(design(), kCapHamFields); });

  QGroupBox* dates = dateLineChoice();
  QCheckBox* styleFoot = makeCheck(tx(T::kToStyleFoot), &d.linesToStyleFoot);
  enabledWhen_.emplace_back(styleFoot, [] { return design().localTimeNoEot; });

  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeCheck(tx(T::kWithoutEot), &d.localTimeNoEot),
           &d.hourLinesFrom, &d.hourLinesTo, RangeList::Hours, intervalA(&d.hourLineInterval, false));
  rangeRow(gridOf(hours), 1, makeCheck(tx(T::kWithEot), &d.withEot), &d.eotLinesFrom,
           &d.eotLinesTo, RangeList::Hours, intervalA(&d.eotLineInterval, true));
  QGroupBox* display = makeRadios(
      tx(T::kTimeDisplay), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().zoneTime ? 1 : 0; }, [](int i) { setZoneTime(i == 1); }, 2);
  QGroupBox* meridian = makeRadios(
      tx(T::kEotLinesShow), {tx(T::kOwnMeridian), tx(T::kZoneMeridian)},
      [] { return design().eotLinesOwnMeridian ? 0 : 1; },
      [](int i) { design().eotLinesOwnMeridian = i == 0; }, 2);

  QGroupBox* further = timeLinesGroup(tx(T::kFurtherLines));
  rangeRow(gridOf(further), 0, makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, RangeList::Hours, intervalB(&d.babylonianInterval));
  rangeRow(gridOf(further), 1, makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, RangeList::Hours, intervalB(&d.italianInterval));
  rangeRow(gridOf(further), 2, makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.temporalFrom, &d.temporalTo, RangeList::Temporal, temporalInterval(&d.temporalInterval));
  QCheckBox* extend = makeCheck(tx(T::kExtendTemporal), &d.extendTemporalHours);
  enabledWhen_.emplace_back(extend, [] { return design().temporalHourLines; });
  gridOf(further)->addWidget(extend, 3, 0, 1, 7);
  rangeRow(gridOf(further), 4, makeCheck(tx(T::kAltitudeLines), &d.sunAltitudeLines),
           &d.altitudeFrom, &d.altitudeTo, RangeList::Altitude, altitudeInterval());

  QGroupBox* analemma = makeGroup(tx(T::kMarks));
  auto* ag = new QGridLayout(analemma);
  ag->setContentsMargins(6, 4, 6, 4);
  ag->addWidget(makeCheck(tx(T::kAnalemma), &d.markAnalemma), 0, 0);
  ag->addWidget(makeLabel(tx(T::kAnalemmaHour)), 0, 1);
  QLineEdit* hour = analemmaHourField(nullptr);
  hour->setFixedWidth(40);
  ag->addWidget(hour, 0, 2);
  ag->addWidget(makeLabel(tx(T::kAnalemmaDays)), 0, 3);
  ag->addWidget(analemmaDaysChoice(), 0, 4);
  ag->addWidget(makeCheck(tx(T::kPoleTriangle), &d.drawPoleTriangle), 1, 0, 1, 5);
  ag->addWidget(makeCheck(tx(T::kSunshineLines), &d.integerSunshineLines), 2, 0, 1, 5);
  ag->setColumnStretch(5, 1);

  // The ham dial reads its size, stretch, equinox position and latitude.
  QGroupBox* ham = fieldsGroup(makeGroup(tx(T::kHamDial)));
  fieldRow(gridOf(ham), 0, tx(T::kHamSize),
           makeField(ranged(tx(T::kHamSize), &d.hamDiameter, 1, 300), kRealKeys));
  fieldRow(gridOf(ham), 1, tx(T::kHamStretch),
           makeField(ranged(tx(T::kHamStretch), &d.hamStretch, 1.2, 3), kRealKeys));
  fieldRow(gridOf(ham), 2, tx(T::kHamEquinox),
           makeField(ranged(tx(T::kHamEquinox), &d.hamEquinoxPosition, -180, 180), kRealKeys));
  fieldRow(gridOf(ham), 3, tx(T::kLatitude),
           makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  visibleWhen_.emplace_back(ham, [] { return dialHas(design(), kCapHamFields); });

  return twoColumns(column({plane, dates, styleFoot, display, meridian, ham}),
                    column({hours, further, analemma}));
}

QWidget* ParameterWindow::buildUmbrella() {
  DesignState& d = design();
  QGroupBox* kind = makeRadios(
      tx(T::kUmbrellaKind),
      {tdt(dialTypeRow::kUmbrellaKindFirst), tdt(dialTypeRow::kUmbrellaKindFirst + 1),
       tdt(dialTypeRow::kUmbrellaKindFirst + 2)},
      [] { return umbrellaKindIndex(design()); }, [](int i) { selectUmbrellaKind(design(), i); });

  QGroupBox* plane = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(plane), 0, tx(T::kRodHeight), makeRealField(tx(T::kRodHeight), &d.gnomonLength));
  NumberField disc;
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
  fieldRow(gridOf(plane), 1, tx(T::kDiscRadius), makeField(std::move(disc), kRealKeys));
  fieldRow(gridOf(plane), 2, tx(T::kInclination), makeRealField(tx(T::kInclination), &d.planeInclination));
  fieldRow(gridOf(plane), 3, tx(T::kWallDeclination),
           makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  fieldRow(gridOf(plane), 4, tx(T::kAnalemmaHour), analemmaHourField(nullptr));

  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeCheck(tx(T::kWithoutEot), &d.localTimeNoEot),
           &d.hourLinesFrom, &d.hourLinesTo, RangeList::Hours, intervalA(&d.hourLineInterval, false));
  rangeRow(gridOf(hours), 1, makeCheck(tx(T::kWithEot), &d.withEot), &d.eotLinesFrom,
           &d.eotLinesTo, RangeList::Hours, intervalA(&d.eotLineInterval, true));
  rangeRow(gridOf(hours), 2, makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, RangeList::Hours, intervalB(&d.babylonianInterval));
  rangeRow(gridOf(hours), 3, makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, RangeList::Hours, intervalB(&d.italianInterval));
  rangeRow(gridOf(hours), 4, makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.temporalFrom, &d.temporalTo, RangeList::Temporal, temporalInterval(&d.temporalInterval));
  rangeRow(gridOf(hours), 5, makeCheck(tx(T::kAltitudeLines), &d.sunAltitudeLines),
           &d.altitudeFrom, &d.altitudeTo, RangeList::Altitude, altitudeInterval());
  QGroupBox* meridian = makeRadios(
      tx(T::kEotLinesShow), {tx(T::kOwnMeridian), tx(T::kZoneMeridian)},
      [] { return design().eotLinesOwnMeridian ? 0 : 1; },
      [](int i) { design().eotLinesOwnMeridian = i == 0; }, 2);
  QWidget* extra = new QWidget;
  auto* el = new QVBoxLayout(extra);
  el->setContentsMargins(0, 0, 0, 0);
  auto* analemma = new QHBoxLayout;
  analemma->addWidget(makeCheck(tx(T::kAnalemma), &d.markAnalemma));
  analemma->addWidget(makeLabel(tx(T::kAnalemmaDays)));
  analemma->addWidget(analemmaDaysChoice());
  analemma->addStretch();
  el->addLayout(analemma);
  el->addWidget(makeCheck(tx(T::kSunshineLines), &d.integerSunshineLines));
  return twoColumns(column({kind, plane, dateLineChoice()}), column({hours, meridian, extra}));
}

QWidget* ParameterWindow::buildQuadrant() {
  DesignState& d = design();
  // The Habermel fields are built for every kind and shown while a Habermel
  // kind is chosen, so that choosing one in the open window shows them and
  // the close check (which checks the visible fields) checks them.
  const auto habermel = [] { return design().quadrantVariant == 1 || design().quadrantVariant == 2; };
  QGroupBox* kind = makeRadios(
      tx(T::kQuadrantKind), sources(T::kQuadrantItems, 3),
      [] { return int(design().quadrantVariant); },
      [this](int i) {
        DesignState& s = design();
        const bool wasHabermel = s.quadrantVariant == 1 || s.quadrantVariant == 2;
        s.quadrantVariant = static_cast<std::uint8_t>(i);
        // A Habermel kind chosen here takes the gnomon derived from its
        // diameter, as the dial-type window gives it.
        if (!wasHabermel && (i == 1 || i == 2)) {
          deriveHabermelGnomonLength(s);
          refreshFields();
        }
      });
  kind->setVisible(d.expertModeActive);

  QGroupBox* sizes = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  int row = 0;
  {
    NumberField gnomon;
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
    fieldRow(gridOf(sizes), row++, tx(T::kGnomonLength), makeField(std::move(gnomon), kRealKeys));
    fieldRow(gridOf(sizes), row++, tx(T::kDiameter),
             makeField(ranged(tx(T::kDiameter), &d.habermelDiameter, 30, 200), kRealKeys));
    for (int r = first; r < row; ++r)
      for (int c = 0; c < 2; ++c)
        if (QLayoutItem* item = gridOf(sizes)->itemAtPosition(r, c); item && item->widget())
          visibleWhen_.emplace_back(item->widget(), habermel);
  }
  fieldRow(gridOf(sizes), row++, tx(T::kLatitude),
           makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  fieldRow(gridOf(sizes), row++, tx(T::kQuadrantSize),
           makeIntField(tx(T::kQuadrantSize), &d.quadrantSize, 80, 200));

  QGroupBox* timeKind = makeRadios(
      tx(T::kHourLinesIn), {tx(T::kLocalTime), tx(T::kTemporalHours)},
      [] { return design().temporalHours ? 1 : 0; },
      [](int i) { design().temporalHours = i == 1; }, 2);
  QGroupBox* trueTime = makeRadios(
      tx(T::kTrueTime), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().zoneTime ? 1 : 0; }, [](int i) { setZoneTime(i == 1); }, 2);
  QCheckBox* eot = makeCheck(tx(T::kWithEotConstruction), &d.constructionWithEot);
  enabledWhen_.emplace_back(eot, [] { return !design().temporalHours && !design().showDateCircles; });

  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           RangeList::Hours, intervalB(&d.otherHourInterval));
  rangeRow(gridOf(hours), 1, makeLabel(tx(T::kTemporal)), &d.otherTemporalFrom,
           &d.otherTemporalTo, RangeList::Temporal, temporalInterval(&d.temporalIntervalOther));

  QGroupBox* circles = makeRadios(tx(T::kDateCircles),
                                  {tx(T::kCalendarDate), tx(T::kZodiac), tx(T::kGunter)},
                                  [] { return int(design().zodiacScale); },
                                  [](int i) { design().zodiacScale = static_cast<std::uint8_t>(i); });
  QGroupBox* arrangement = makeRadios(
      tx(T::kArrangement), {tx(T::kJuneOutside), tx(T::kJuneInside)},
      [] { return design().januaryOutside ? 0 : 1; },
      [](int i) { design().januaryOutside = i == 0; });
  QWidget* checks = column({makeCheck(tx(T::kAzimuthLines), &d.includeAzimuthLines),
                            makeCheck(tx(T::kWholeYear), &d.wholeYearQuadrant),
                            makeCheck(tx(T::kMirrored), &d.quadrantMirrored), eot});
  QWidget* rightColumn = column({hours, circles, arrangement});
  QGroupBox* dates = makeRadios(
      tx(T::kHabermelDates), sources(T::kHabermelDateItems, 3),
      [] { return design().dateLineMode - '0'; },
      [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  visibleWhen_.emplace_back(dates, habermel);
  rightColumn->layout()->addWidget(dates);
  return twoColumns(column({kind, sizes, timeKind, trueTime, checks}), rightColumn);
}

QWidget* ParameterWindow::buildCylinder() {
  DesignState& d = design();
  const bool polar = d.cylinderVariant == 2;
  QGroupBox* sizes = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  int row = 0;
  if (polar) {
    fieldRow(gridOf(sizes), row++, tx(T::kCylinderGnomon),
             makeField(ranged(tx(T::kCylinderGnomon), &d.cylinderGnomonLength, 4, 110), kRealKeys));
    fieldRow(gridOf(sizes), row++, tx(T::kCylinderRadius),
             makeField(ranged(tx(T::kCylinderRadius), &d.cylinderRadius, 4, 500), kRealKeys));
    fieldRow(gridOf(sizes), row++, tx(T::kGnomonDeclination),
             makeField(ranged(tx(T::kGnomonDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  } else {
    fieldRow(gridOf(sizes), row++, tx(T::kCylinderGnomon),
             makeIntField(tx(T::kCylinderGnomon), &d.cylinderGnomonLengthInt, 4, 110));
    fieldRow(gridOf(sizes), row++, tx(T::kMonthAxis),
             makeIntField(tx(T::kMonthAxis), &d.shepherdScaleLength, 0, 400));
  }

  QGroupBox* scale = makeRadios(tx(T::kMonthScale), {tx(T::kTogether), tx(T::kSideBySide)},
                                [] { return design().halfYearMonthScale ? 1 : 0; },
                                [](int i) { design().halfYearMonthScale = i == 1; });
  // The cylinder constructions take their meridian from localTime.
  QGroupBox* trueTime = makeRadios(
      tx(T::kTrueTime), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().localTime ? 0 : 1; },
      [](int i) { setZoneTime(i == 1); }, 2);
  QCheckBox* eot = makeCheck(tx(T::kWithEotConstruction), &d.cylinderWithEot);

  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeCheck(tx(T::kHours), &d.localTimeNoEot), &d.otherHoursFrom,
           &d.otherHoursTo, RangeList::Hours, intervalB(&d.otherHourInterval));
  rangeRow(gridOf(hours), 1, makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, RangeList::Hours, intervalB(&d.babylonianInterval));
  rangeRow(gridOf(hours), 2, makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, RangeList::Hours, intervalB(&d.italianInterval));
  rangeRow(gridOf(hours), 3, makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.otherTemporalFrom, &d.otherTemporalTo, RangeList::Temporal,
           temporalInterval(&d.temporalIntervalOther));
  // The cylinder dials draw the whole altitude scale; they have no
  // altitude range.
  gridOf(hours)->addWidget(makeCheck(tx(T::kAltitudeLines), &d.sunAltitudeLines), 4, 0);
  // The hat dial and the polar style draw their own lines with EoT; the
  // shepherd's dial turns its hour lines into mean time instead.
  if (d.cylinderVariant != 0) {
    rangeRow(gridOf(hours), 5, makeLabel(tx(T::kWithEot)), &d.eotLinesFrom, &d.eotLinesTo,
             RangeList::Hours, intervalA(&d.eotLineInterval, true));
  }
  QWidget* left = column({sizes, scale, trueTime, eot});
  if (polar) {
    QGroupBox* option = makeRadios(tx(T::kCylinderDates), {tx(T::kSevenDates), tx(T::kThreeDates)},
                                   [] { return int(design().cylinderOption); },
                                   [](int i) { design().cylinderOption = static_cast<std::uint8_t>(i); });
    left->layout()->addWidget(option);
  }
  return twoColumns(left, column({hours}));
}

QWidget* ParameterWindow::buildAltitude() {
  DesignState& d = design();
  QGroupBox* sizes = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(sizes), 0, tx(T::kGnomonLength),
           makeIntField(tx(T::kGnomonLength), &d.altitudeDialGnomonLength, 4, 110));
  fieldRow(gridOf(sizes), 1, tx(T::kMonthScaleLength),
           makeIntField(tx(T::kMonthScaleLength), &d.altitudeMonthScale, 0, 180));
  fieldRow(gridOf(sizes), 2, tx(T::kHorizontalScale),
           makeIntField(tx(T::kHorizontalScale), &d.altitudeHorizontalScale, 0, 260));
  QGroupBox* scale = makeRadios(tx(T::kMonthScale), {tx(T::kTogether), tx(T::kSideBySide)},
                                [] { return design().halfYearMonthScale ? 1 : 0; },
                                [](int i) { design().halfYearMonthScale = i == 1; });
  QGroupBox* timeKind = makeRadios(
      tx(T::kHourLinesIn), {tx(T::kLocalTime), tx(T::kZoneTime), tx(T::kTemporalHours)},
      [] { const DesignState& s = design(); return s.temporalHours ? 2 : s.zoneTime ? 1 : 0; },
      [](int i) {
        design().temporalHours = i == 2;
        if (i < 2) setZoneTime(i == 1);
      });
  QCheckBox* eot = makeCheck(tx(T::kWithEotConstruction), &d.cylinderWithEot);
  enabledWhen_.emplace_back(eot, [] { return !design().temporalHours; });
  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           RangeList::Hours, intervalB(&d.otherHourInterval));
  rangeRow(gridOf(hours), 1, makeLabel(tx(T::kTemporal)), &d.otherTemporalFrom,
           &d.otherTemporalTo, RangeList::Temporal, temporalInterval(&d.temporalIntervalOther));
  return twoColumns(column({sizes, scale, timeKind}),
                    column({hours, eot, makeCheck(tx(T::kVerticalFace), &d.withVerticalDial)}));
}

QWidget* ParameterWindow::buildRing() {
  DesignState& d = design();
  QGroupBox* timeKind = makeRadios(
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
  QGroupBox* sizes = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(sizes), 0, tx(T::kDiameter),
           makeField(ranged(tx(T::kDiameter), &d.ringDiameter, 10, 300), kRealKeys));
  fieldRow(gridOf(sizes), 1, tx(T::kRingWidth),
           makeField(ranged(tx(T::kRingWidth), &d.ringWidth, 4.5, 300), kRealKeys));
  fieldRow(gridOf(sizes), 2, tx(T::kRingAlpha),
           makeField(ranged(tx(T::kRingAlpha), &d.ringAlpha, 10, 90), kRealKeys));
  QLineEdit* offset = makeField(ranged(tx(T::kOffsetAll), &d.gnomonHoleOffset, -23.44, 23.44), kRealKeys);
  // Two bands have two holes: the summer band's at the maximum offset, the
  // winter band's at the minimum.
  QLineEdit* offsetMax = makeField(ranged(tx(T::kOffsetMax), &d.gnomonHoleOffsetMax, 0, 23.44), kRealKeys);
  QLineEdit* offsetMin = makeField(ranged(tx(T::kOffsetMin), &d.gnomonHoleOffsetMin, -23.44, 0), kRealKeys);
  QLabel* offsetLabel = makeLabel(tx(T::kOffsetAll));
  QLabel* offsetMaxLabel = makeLabel(tx(T::kOffsetMax));
  QLabel* offsetMinLabel = makeLabel(tx(T::kOffsetMin));
  for (QLineEdit* e : {offset, offsetMax, offsetMin}) e->setFixedWidth(96);
  gridOf(sizes)->addWidget(offsetLabel, 3, 0);
  gridOf(sizes)->addWidget(offset, 3, 1);
  gridOf(sizes)->addWidget(offsetMaxLabel, 4, 0);
  gridOf(sizes)->addWidget(offsetMax, 4, 1);
  gridOf(sizes)->addWidget(offsetMinLabel, 5, 0);
  gridOf(sizes)->addWidget(offsetMin, 5, 1);
  for (QWidget* w : std::initializer_list<QWidget*>{offset, offsetLabel})
    visibleWhen_.emplace_back(w, [] { return design().wholeYearQuadrant; });
  for (QWidget* w : std::initializer_list<QWidget*>{offsetMax, offsetMaxLabel, offsetMin, offsetMinLabel})
    visibleWhen_.emplace_back(w, [] { return !design().wholeYearQuadrant; });

  QGroupBox* deflection = makeRadios(tx(T::kDeflection), sources(T::kDeflectionItems, 3),
                                     [] { return int(design().ringRayDeflection); },
                                     [](int i) { design().ringRayDeflection = static_cast<std::uint8_t>(i); });
  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  // The ring dial draws the main hour range (hourLinesFrom .. hourLinesTo).
  rangeRow(gridOf(hours), 0, makeLabel(tx(T::kHours)), &d.hourLinesFrom, &d.hourLinesTo,
           RangeList::Hours, intervalB(&d.otherHourInterval));
  rangeRow(gridOf(hours), 1, makeLabel(tx(T::kTemporal)), &d.otherTemporalFrom,
           &d.otherTemporalTo, RangeList::Temporal, temporalInterval(&d.temporalIntervalOther));
  rangeRow(gridOf(hours), 2, makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, RangeList::Hours, intervalB(&d.italianInterval));
  rangeRow(gridOf(hours), 3, makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, RangeList::Hours, intervalB(&d.babylonianInterval));
  // Italian and Babylonian hours: "only before noon", only afternoon or
  // all day (ringOldHoursPart 1, 2, 0).
  QGroupBox* oldHoursPart = makeRadios(
      tx(T::kRingOldHoursPart), sources(T::kRingOldHoursPart + 1, 3),
      [] {
        const int part = design().ringOldHoursPart;
        return part == 0 ? 2 : part - 1;
      },
      [](int i) { design().ringOldHoursPart = static_cast<std::uint8_t>(i == 2 ? 0 : i + 1); }, 3);
  return twoColumns(column({timeKind, sizes, deflection}),
                    column({hours, oldHoursPart, makeCheck(tx(T::kOneBand), &d.wholeYearQuadrant),
                            makeCheck(tx(T::kNoonHorizontal), &d.noonLineHorizontal)}));
}

QWidget* ParameterWindow::buildAzimuthal() {
  DesignState& d = design();
  QGroupBox* kind = makeRadios(
      tx(T::kAzimuthKind),
      {tdt(dialTypeRow::kAzimuthKindFirst), tdt(dialTypeRow::kAzimuthKindFirst + 1)},
      [] { return int(design().azimuthDialKind); },
      [](int i) { design().azimuthDialKind = static_cast<std::uint8_t>(i); }, 2);
  QGroupBox* display = makeRadios(
      tx(T::kTimeDisplay), {tx(T::kLocalTime), tx(T::kZoneTime)},
      [] { return design().zoneTime ? 1 : 0; }, [](int i) { setZoneTime(i == 1); }, 2);
  QGroupBox* circles = makeRadios(tx(T::kDateCirclesShow), {tx(T::kCalendarDate), tx(T::kDeclination)},
                                  [] { return design().showDateCircles ? 1 : 0; },
                                  [](int i) { design().showDateCircles = i == 1; }, 2);
  QGroupBox* perMonth = makeRadios(
      tx(T::kDatesPerMonth), sources(T::kDatesPerMonthItems, 4),
      [] { return int(design().dateLinesPerMonth) - 1; },
      [](int i) { design().dateLinesPerMonth = static_cast<std::uint8_t>(i + 1); }, 2);
  QGroupBox* arrangement = makeRadios(
      tx(T::kAzimuthArrangement), {tx(T::kJanuaryOutside), tx(T::kJuneOutsideAz)},
      [] { return design().januaryOutside ? 0 : 1; },
      [](int i) { design().januaryOutside = i == 0; }, 2);
  QGroupBox* heights = makeRadios(tx(T::kAltitudeCircles), sources(T::kAltitudeCircleItems, 3),
                                  [] { return int(design().azimuthHeightMode); },
                                  [](int i) { design().azimuthHeightMode = static_cast<std::uint8_t>(i); });
  QCheckBox* ecliptic = makeCheck(tx(T::kEcliptic), &d.drawEcliptic);
  visibleWhen_.emplace_back(ecliptic, [] {
    return design().azimuthHeightMode == 2 && design().azimuthDialKind == 1;
  });
  QGroupBox* sizes = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(sizes), 0, tx(T::kBasePlate),
           makeField(ranged(tx(T::kBasePlate), &d.azimuthBasePlate, 3, 200), kRealKeys));
  fieldRow(gridOf(sizes), 1, tx(T::kObserver),
           makeField(ranged(tx(T::kObserver), &d.azimuthObserverDistance, 10, 400), kRealKeys));

  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           RangeList::Hours, intervalB(&d.otherHourInterval));
  rangeRow(gridOf(hours), 1, makeCheck(tx(T::kTemporal), &d.temporalHourLines),
           &d.otherTemporalFrom, &d.otherTemporalTo, RangeList::Temporal,
           temporalInterval(&d.temporalIntervalOther));
  rangeRow(gridOf(hours), 2, makeCheck(tx(T::kBabylonian), &d.babylonianHours),
           &d.babylonianFrom, &d.babylonianTo, RangeList::Hours, intervalB(&d.babylonianInterval));
  rangeRow(gridOf(hours), 3, makeCheck(tx(T::kItalian), &d.italianHours), &d.italianFrom,
           &d.italianTo, RangeList::Hours, intervalB(&d.italianInterval));
  return twoColumns(
      column({kind, display, sizes, heights, ecliptic}),
      column({hours, circles, perMonth, arrangement,
              makeCheck(tx(T::kWithEotConstruction), &d.constructionWithEot),
              makeCheck(tx(T::kSunshineLines), &d.integerSunshineLines),
              makeCheck([] { return qs(horizonText::text(horizonText::kIncludeProfile)); },
                        [] { return horizonState().showHorizonProfile; },
                        [](bool on) { setHorizonProfileSwitch(on, 5); })}));
}

QWidget* ParameterWindow::buildBiAzimuthal() {
  DesignState& d = design();
  QGroupBox* p1 = fieldsGroup(makeGroup(tx(T::kPosition1)));
  fieldRow(gridOf(p1), 0, tx(T::kLatitude), makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  fieldRow(gridOf(p1), 1, tx(T::kLongitude), makeField(ranged(tx(T::kLongitude), &d.longitude, -180, 180), kRealKeys));
  QLineEdit* zone = makeField(ranged(tx(T::kZoneMeridianField), &d.zoneMeridian, -180, 180), kRealKeys);
  enabledWhen_.emplace_back(zone, [] { return design().zoneTime; });
  fieldRow(gridOf(p1), 2, tx(T::kZoneMeridianField), zone);
  fieldRow(gridOf(p1), 3, tx(T::kWallDeclination),
           makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  fieldRow(gridOf(p1), 4, tx(T::kInclination), makeRealField(tx(T::kInclination), &d.planeInclination));
  QGroupBox* p2 = fieldsGroup(makeGroup(tx(T::kPosition2)));
  fieldRow(gridOf(p2), 0, tx(T::kLatitude), makeField(ranged(tx(T::kLatitude), &d.latitude2, -90, 90), kRealKeys));
  fieldRow(gridOf(p2), 1, tx(T::kLongitude), makeField(ranged(tx(T::kLongitude), &d.longitude2, -180, 180), kRealKeys));
  fieldRow(gridOf(p2), 2, tx(T::kSecondDeclination),
           makeField(ranged(tx(T::kSecondDeclination), &d.wallDeclination2, -180, 180), kRealKeys));
  gridOf(p2)->addWidget(makeCheck(tx(T::kSecondVertical), &d.secondPlaneVertical), 3, 0, 1, 2);

  QGroupBox* plane = makeRadios(tx(T::kPlane), sources(T::kPlaneItems, 3),
                                [] { return int(design().hollanderVariant) % 3; },
                                [](int i) { design().hollanderVariant = static_cast<std::uint8_t>(i); }, 3);
  QGroupBox* from = makeRadios(tx(T::kTimeFrom), sources(T::kTimeFromItems, 2),
                               [] { return design().timeFromPosition1 ? 0 : 1; },
                               [](int i) { design().timeFromPosition1 = i == 0; }, 2);
  QGroupBox* kind = makeRadios(tx(T::kTimeKind), {tx(T::kApparentTime), tx(T::kZoneTime)},
                               [] { return design().zoneTime ? 1 : 0; },
                               [](int i) { setZoneTime(i == 1); }, 2);
  // The dial reads the hour lines from otherHoursFrom .. otherHoursTo with
  // otherHourInterval, and the lines with EoT from eotLinesFrom ..
  // eotLinesTo (switched by "Construction with EoT", no interval).
  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           RangeList::Hours, intervalB(&d.otherHourInterval));
  rangeRow(gridOf(hours), 1, makeLabel(tx(T::kWithEot)), &d.eotLinesFrom, &d.eotLinesTo,
           RangeList::Hours, Interval{});
  QGroupBox* more = fieldsGroup(makeGroup(tx(T::kFurtherLines)));
  gridOf(more)->addWidget(makeCheck(tx(T::kAnalemma), &d.markAnalemma), 0, 0, 1, 2);
  fieldRow(gridOf(more), 1, tx(T::kAnalemmaHour), analemmaHourField(nullptr));
  fieldRow(gridOf(more), 2, tx(T::kScale),
           makeIntField(tx(T::kScale), &d.drawingScale, 5, 66000000));
  QGroupBox* dates = makeRadios(tx(T::kDateLines), sources(T::kHabermelDateItems, 3),
                                [] { return design().dateLineMode - '0'; },
                                [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  return twoColumns(column({p1, p2, plane}),
                    column({from, kind, makeCheck(tx(T::kWithEotConstruction), &d.constructionWithEot),
                            hours, more, dates}));
}

QWidget* ParameterWindow::buildHollander() {
  DesignState& d = design();
  QGroupBox* p1 = fieldsGroup(makeGroup(tx(T::kPosition1)));
  fieldRow(gridOf(p1), 0, tx(T::kLatitude), makeField(ranged(tx(T::kLatitude), &d.latitude, -90, 90), kRealKeys));
  fieldRow(gridOf(p1), 1, tx(T::kLongitude), makeField(ranged(tx(T::kLongitude), &d.longitude, -180, 180), kRealKeys));
  fieldRow(gridOf(p1), 2, tx(T::kZoneMeridianField),
           makeField(ranged(tx(T::kZoneMeridianField), &d.zoneMeridian, -180, 180), kRealKeys));
  fieldRow(gridOf(p1), 3, tx(T::kWallDeclination),
           makeField(ranged(tx(T::kWallDeclination), &d.wallDeclination, -180, 180), kRealKeys));
  fieldRow(gridOf(p1), 4, tx(T::kInclination), makeRealField(tx(T::kInclination), &d.planeInclination));

  QGroupBox* cone = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(cone), 0, tx(T::kConeHeight),
           makeField(ranged(tx(T::kConeHeight), &d.gnomonLength, 5, 500), kRealKeys));
  // The cone axis: a negative inclination is the same axis seen from the
  // other side, 180 degrees on.
  NumberField axis;
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
  fieldRow(gridOf(cone), 1, tx(T::kConeAxis), makeField(std::move(axis), kRealKeys));
  NumberField half;
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
  fieldRow(gridOf(cone), 2, tx(T::kHalfAngle), makeField(std::move(half), kRealKeys));

  QGroupBox* plane = makeRadios(tx(T::kPlane), sources(T::kPlaneItems, 3),
                                [] { return int(design().hollanderVariant) % 3; },
                                [](int i) { design().hollanderVariant = static_cast<std::uint8_t>(i); }, 3);
  QGroupBox* time = makeRadios(tx(T::kTimeDisplay), {tx(T::kLocalTime), tx(T::kZoneTime)},
                               [] { return design().zoneTime ? 1 : 0; },
                               [](int i) { setZoneTime(i == 1); }, 2);
  // The dial draws otherHoursFrom .. otherHoursTo with otherHourInterval.
  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  rangeRow(gridOf(hours), 0, makeLabel(tx(T::kHours)), &d.otherHoursFrom, &d.otherHoursTo,
           RangeList::Hours, intervalB(&d.otherHourInterval));
  QGroupBox* dates = makeRadios(tx(T::kDateLines), sources(T::kHabermelDateItems, 3),
                                [] { return design().dateLineMode - '0'; },
                                [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  return twoColumns(column({p1, cone}),
                    column({plane, time, hours, dates}));
}

QWidget* ParameterWindow::buildSawyer() {
  DesignState& d = design();
  QGroupBox* dial = makeRadios(tx(T::kSawyerDial), sources(T::kSawyerDialItems, 2),
                               [] { return parameterPageKindIndex(design()); },
                               [](int i) { selectParameterPageKind(design(), i); }, 2);
  QGroupBox* time = makeRadios(
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
  visibleWhen_.emplace_back(time, [] { return !peaucellierShown(); });

  // Latitude: a dial at the equator would need an infinitely long
  // construction; |v| < 0.0049 is taken as 0.0049 with the sign of v.
  NumberField lat;
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

  QGroupBox* sawyer = fieldsGroup(makeGroup(tx(T::kDialPlane)));
  fieldRow(gridOf(sawyer), 0, ts(6), makeField(ranged(ts(6), &d.gnomonLength, 5, 200), kRealKeys));
  fieldRow(gridOf(sawyer), 1, tx(T::kLineAngle),
           makeField(ranged(tx(T::kLineAngle), &d.sawyerLineAngle, 0.5, 15), kRealKeys));
  fieldRow(gridOf(sawyer), 2, tx(T::kLatitude), makeField(std::move(lat), kRealKeys));
  fieldRow(gridOf(sawyer), 3, ts(166), makeField(ranged(ts(166), &d.sawyerCentre, 0, 900), kRealKeys));
  fieldRow(gridOf(sawyer), 4, tx(T::kPeaucellierParameter),
           makeField(ranged(tx(T::kPeaucellierParameter), &d.peaucellierParameter, -2.1, 2.1), kRealKeys));
  fieldRow(gridOf(sawyer), 5, tx(T::kUnit), makeIntField(tx(T::kUnit), &d.sawyerUnit, 0, 300));
  // The rows of the dial not chosen stay hidden.
  auto* grid = gridOf(sawyer);
  for (int r = 0; r < grid->rowCount(); ++r) {
    for (int c = 0; c < 2; ++c) {
      QLayoutItem* item = grid->itemAtPosition(r, c);
      if (!item || !item->widget()) continue;
      QWidget* w = item->widget();
      if (r == 0 || r == 1 || r == 3)
        visibleWhen_.emplace_back(w, [] { return !peaucellierShown(); });
      else if (r == 4 || r == 5)
        visibleWhen_.emplace_back(w, [] { return peaucellierShown(); });
    }
  }

  QGroupBox* hours = timeLinesGroup(tx(T::kHourLines));
  gridOf(hours)->addWidget(makeLabel(tx(T::kInterval)), 0, 0);
  gridOf(hours)->addWidget(makeCombo(listB, [] { return design().otherHourInterval - '0'; },
                                     [](int i) { design().otherHourInterval = static_cast<char>('0' + i); }),
                           0, 1);
  QGroupBox* dates = makeRadios(tx(T::kDateLines), sources(T::kHabermelDateItems, 3),
                                [] { return design().dateLineMode - '0'; },
                                [](int i) { design().dateLineMode = static_cast<char>('0' + i); });
  visibleWhen_.emplace_back(dates, [] { return !peaucellierShown(); });
  return twoColumns(column({dial, sawyer}), column({time, hours, dates}));
}

// --- own date lines -------------------------------------------------------------------

QWidget* ParameterWindow::buildDatePanel() {
  QGroupBox* box = makeGroup(tx(T::kOwnDates));
  auto* layout = new QVBoxLayout(box);
  dates_ = new QListWidget(box);
  dates_->setMinimumWidth(190);
  layout->addWidget(dates_);
  auto* entryRow = new QHBoxLayout;
  QLabel* label = makeLabel(tx(T::kDateEntry), box);
  dateEntry_ = new QLineEdit(box);
  dateEntry_->setFixedWidth(70);
  dateEntry_->setPlaceholderText(QStringLiteral("dd/mm"));
  label->setBuddy(dateEntry_);
  entryRow->addWidget(label);
  entryRow->addWidget(dateEntry_);
  layout->addLayout(entryRow);
  QPushButton* add = makeButton(tx(T::kAdd), box);
  QPushButton* remove = makeButton(tx(T::kRemove), box);
  QPushButton* save = makeButton(tx(T::kSaveDates), box);
  QPushButton* load = makeButton(tx(T::kLoadDates), box);
  for (QPushButton* b : {add, remove, save, load}) {
    b->setAutoDefault(false);
    layout->addWidget(b);
    exemptFromChecks(b);
  }
  connect(add, &QPushButton::clicked, this, [this] { addDateEntry(); });
  connect(dateEntry_, &QLineEdit::returnPressed, this, [this] { addDateEntry(); });
  connect(remove, &QPushButton::clicked, this, [this] { removeDateEntry(); });
  connect(save, &QPushButton::clicked, this, [] { saveDatesToSettingsFile(); });
  connect(load, &QPushButton::clicked, this, [this] {
    loadDatesFromSettingsFile();
    refreshDateList();
  });
  refreshDateList();
  return box;
}

void ParameterWindow::refreshDateList() {
  if (!dates_) return;
  dates_->clear();
  for (const std::string& line : design().ownDateLines)
    dates_->addItem(qs(ownDateLineShown(line, design().referenceYear, design().language)));
  updateEnabled();
}

bool ParameterWindow::addDateEntry() {
  const QString text = dateEntry_->text().trimmed();
  if (text.isEmpty() || text == QStringLiteral("/")) {
    dateEntry_->setFocus();
    return false;
  }
  const DayMonth parsed =
      parseDayMonth(text.toStdString(), design().referenceYear, design().language);
  if (!parsed.ok) {
    showMessage(MsgCaption::Error, messageText(6));
    dateEntry_->setFocus();
    return false;
  }
  const std::string entry = parsed.key + "    ( " + parsed.label + " )";
  std::vector<std::string>& lines = design().ownDateLines;
  auto it = lines.begin();
  for (; it != lines.end(); ++it) {
    const DayMonth other = parseDayMonth(*it, design().referenceYear, design().language);
    if (other.ok && other.number >= parsed.number) break;
  }
  lines.insert(it, entry);
  refreshDateList();
  dateEntry_->clear();
  return true;
}

void ParameterWindow::removeDateEntry() {
  const int row = dates_->currentRow();
  std::vector<std::string>& lines = design().ownDateLines;
  if (row < 0 || row >= static_cast<int>(lines.size())) return;
  lines.erase(lines.begin() + row);
  refreshDateList();
}

// --- state ---------------------------------------------------------------------------

void ParameterWindow::updateEnabled() {
  for (auto& [w, when] : enabledWhen_) w->setEnabled(when());
  for (auto& [w, when] : visibleWhen_) w->setVisible(when());
  if (dates_) {
    const bool own = design().dateLineMode == '2';
    dates_->setStyleSheet(own ? QStringLiteral("QListWidget { background: #fff6c8; }") : QString());
  }
}

void ParameterWindow::applyLanguage() {
  ChildForm::applyLanguage();
  refreshDateList();
}

QLineEdit* ParameterWindow::fieldFor(const void* target) const {
  for (QLineEdit* e : findChildren<QLineEdit*>())
    if (auto* f = const_cast<ParameterWindow*>(this)->numberField(e); f && f->target == target) return e;
  return nullptr;
}

bool ParameterWindow::closeQuery() {
  DesignState& d = design();
  bool ok = runFieldCloseChecks();
  switch (page_) {
    case Page::Quadrant:
      if (d.quadrantVariant == 1 || d.quadrantVariant == 2) d.temporalHours = false;
      if (d.temporalHours) d.zoneTime = false;
      break;
    case Page::Umbrella:
      if (dialHas(d, kCapInclinedFace)) {
        const double r = d.umbrellaRadiusRatio;
        if (r == 0) {
          showMessage(MsgCaption::Error, messageText(21));
          ok = false;
        } else if (tanDeg(d.planeInclination) >= 1 / std::fabs(r)) {
          showMessage(MsgCaption::Error, messageText(17));
          ok = false;
        }
      }
      break;
    default: break;
  }
  d.inputValid = ok;
  if (!ok) {
    showMessage(MsgCaption::Error, messageText(8));
    QApplication::beep();
  }
  return ok;
}

}  // namespace tavrel
