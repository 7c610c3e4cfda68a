#include "astro/startup.h"

#include <filesystem>
#include <string>

#include "astro/solar_ephemeris.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/settings_location.h"
#include "core/world_outline_lines.h"

namespace tavrel {

namespace {

std::string withTrailingSeparator(std::string dir) {
  if (dir.empty() || (dir.back() != '/' && dir.back() != '\\')) dir += '/';
  return dir;
}

}  // namespace

void prepareObliquity(int year) {
  DesignState& d = design();
  const ObliquityTables t = obliquityTables(year);
  d.meanObliquity = t.meanObliquity;
  d.obliquityRounded = t.obliquityRounded;
  d.declinationByLongitude = t.declinationByLongitude;
  d.zodiacDeclination = t.zodiacDeclination;
}

void buildEotSeriesTable(int steps, int year) {
  DesignState& d = design();
  d.eotSeriesWork = eotSeriesRows(steps, year);
  d.eotSeriesReport = d.eotSeriesWork;
}

void initializeDesignState() {
  DesignState& d = design();
  loadDefaultValues();
  d.azimuthObserverDistance = 300.0;
  d.azimuthBasePlate = 180.0;
  defaultColors();
  d.lineWidth = 1;
  prepareObliquity(d.referenceYear);
  loadWorldOutline(d);
  d.gnomonHoleOffset = 0;
  d.gnomonHoleOffsetMax = d.obliquityRounded / 2;
  d.gnomonHoleOffsetMin = -d.obliquityRounded / 2;

  d.numberChoices24.clear();
  for (int n = 0; n <= 24; ++n) d.numberChoices24.push_back("  " + std::to_string(n));
  d.numberChoices12.clear();
  for (int n = 0; n <= 12; ++n) d.numberChoices12.push_back("  " + std::to_string(n));

  d.dialKind = 'v';
  d.showHints = false;
  d.umbrellaMode = false;
  d.germanSelected = true;
  d.childWindowsNormal = true;
  d.extendTemporalHours = true;

  buildEotSeriesTable(288, 2022);
  d.eotSeriesTable = d.eotSeriesWork;
}

void startProgramBeforeSettings() {
  DesignState& d = design();
  selectLanguage(true);
  initializeDesignState();

  Platform& p = platform();
  d.exeDirectory = withTrailingSeparator(p.executableDirectory());
  d.workingDirectory = p.currentDirectory();
  const SettingsLocations files = locateSettingsFiles(d.workingDirectory, p.configurationDirectory());
  d.settingsFileName = files.settingsFile;
  d.dateSettingsFileName = files.dateListFile;

  d.hourChoices.clear();
  for (int n = 0; n <= 24; ++n) d.hourChoices.push_back(" " + std::to_string(n) + "  Uhr");
  d.intervalChoices = {" 60 min", " 30 min", " 20 min", " 15 min", " 10 min"};

  const ScreenInfo screen = p.screen();
  d.largeFonts = screen.pixelsPerInch >= 120;
  d.largeScreen = screen.width >= 1000;

  d.inputValid = true;
  d.paperA4 = true;
  defaultColors();

  const LocalDateTime today = p.now();
  d.calcYear = today.year;
  d.calcMonth = today.month;
  d.calcDay = today.day;
  d.referenceYear = today.year;
  d.calcTime = 0.5;
  d.calcTimeOffset = 0;

  selectLanguage(true);
}

void startProgramAfterSettings() {
  DesignState& d = design();
  d.twilightKind = 2;
  if (d.ownDateLines.empty())
    d.ownDateLines.assign(kDefaultOwnDateLines.begin(), kDefaultOwnDateLines.end());
  // The help-file box of the language switch is left to startUpNotices.
  selectLanguage(d.germanSelected);
}

void startProgram() {
  startProgramBeforeSettings();
  startProgramAfterSettings();
}

void startUpNotices() {
  DesignState& d = design();
  // The main window looks for the German help file before the settings
  // file is read; a missing one is reported, the program runs without help.
  const std::string name = helpFileBaseName(true, d.useHtmlHelp);
  const std::string germanHelp = programDataFolder(d.exeDirectory, name) + name;
  if (!std::filesystem::exists(germanHelp))
    showMessage(MsgCaption::Information, "Help file " + germanHelp + " not found!");
  if (!fontInstalled("Wingdings"))
    showMessage(MsgCaption::Warning, messagePair(60, 61));
}

}  // namespace tavrel
