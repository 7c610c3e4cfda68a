// The pages of the parameter window. Each page lives in its own file under
// ui/pages/ and registers itself there with a ParameterPageRegistrar; a
// row of the family table names the page it opens (DialFamily::page), so
// the window knows no family. A row may also name a section it adds to its
// page (DialFamily::pageSection, registered with ParameterSectionRegistrar):
// the section is shown while a design of that row is edited.
//
// Adding a page: a file ui/pages/<page>_page.cpp with the page's build
// function and its registrar, listed in ui/CMakeLists.txt under
// tavrel_parameter_pages.
#pragma once

#include <QStringList>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "dials/dial_family.h"
#include "ui/parameter_window.h"

class QGridLayout;
class QGroupBox;
class QWidget;

namespace tavrel {

struct ParameterPageDef {
  const char* id = "";            // as the rows of the family table name it
  int captionRow = 0;             // label-table row of the page's caption
  bool ownDates = false;          // the user's own date lines beside the page
  QWidget* (*build)(ParameterWindow&) = nullptr;
  // The page's own checks when the window closes, after the field checks
  // (nullptr: none); false keeps the window open.
  bool (*closeCheck)(DesignState&) = nullptr;
};

class ParameterPageRegistrar {
 public:
  explicit ParameterPageRegistrar(const ParameterPageDef& page);
};

// The page of an id (nullptr: none registered).
const ParameterPageDef* parameterPageDef(std::string_view id);

struct ParameterSectionDef {
  const char* id = "";    // as DialFamily::pageSection names it
  const char* page = "";  // the page that shows it
  QWidget* (*build)(ParameterWindow&) = nullptr;
};

class ParameterSectionRegistrar {
 public:
  explicit ParameterSectionRegistrar(const ParameterSectionDef& section);
};

// The sections of a page, built, each shown while the record's row names it.
std::vector<QWidget*> buildPageSections(ParameterWindow& window, std::string_view page);

// --- Building blocks the pages share -----------------------------------------

// Window texts (ui_texts.tsv) several pages use.
namespace T {
constexpr int kInterval = 1202;
constexpr int kDialPlane = 1210;
constexpr int kWallDeclination = 1211;
constexpr int kInclination = 1212;
constexpr int kDateLines = 1213;
constexpr int kHourLines = 1219;
constexpr int kWithoutEot = 1220;
constexpr int kWithEot = 1221;
constexpr int kTimeDisplay = 1222;
constexpr int kLocalTime = 1223;
constexpr int kZoneTime = 1224;
constexpr int kEotLinesShow = 1225;
constexpr int kOwnMeridian = 1226;
constexpr int kZoneMeridian = 1227;
constexpr int kBabylonian = 1228;
constexpr int kItalian = 1229;
constexpr int kTemporal = 1230;
constexpr int kAltitudeLines = 1232;
constexpr int kAnalemma = 1233;
constexpr int kAnalemmaHour = 1234;
constexpr int kAnalemmaDays = 1235;
constexpr int kSunshineLines = 1237;
constexpr int kFurtherLines = 1238;
constexpr int kWithEotConstruction = 1267;
constexpr int kHours = 1268;
constexpr int kCalendarDate = 1270;
constexpr int kHourLinesIn = 1274;
constexpr int kTemporalHours = 1276;
constexpr int kTrueTime = 1277;
constexpr int kGnomonLength = 1278;
constexpr int kDiameter = 1279;
constexpr int kLatitude = 1280;
constexpr int kHabermelDateItems = 1282;
constexpr int kMonthScale = 1295;
constexpr int kTogether = 1296;
constexpr int kSideBySide = 1297;
constexpr int kPosition1 = 1360;
constexpr int kLongitude = 1362;
constexpr int kZoneMeridianField = 1363;
constexpr int kPlane = 1366;
constexpr int kPlaneItems = 1367;
}  // namespace T

// The interval choices: every interval (A) or the first four (B).
QStringList listA();
QStringList listB();

// Window texts first .. first + count - 1.
std::vector<TextSource> sources(int first, int count);

// A field check for the reals of the pages that also rewrites nothing
// else: checkRangedRealField with the page's label.
ChildForm::NumberField ranged(TextSource label, double* target, double min, double max);

// zoneTime on, localTime off, or the other way round.
void setZoneTime(bool zone);

// The grid of a group made by fieldsGroup or ParameterWindow::timeLinesGroup.
QGridLayout* gridOf(QGroupBox* g);
// A group with a two-column grid of labels and fields.
QGroupBox* fieldsGroup(QGroupBox* g);
// Widgets one below the other, and two such columns side by side.
QWidget* column(std::initializer_list<QWidget*> widgets);
QWidget* column(const std::vector<QWidget*>& widgets);
QWidget* twoColumns(QWidget* left, QWidget* right);

}  // namespace tavrel
