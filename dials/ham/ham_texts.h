// The texts of the ham dial (rows of the text table, TextTable::Texts).
#pragma once

#include <string>

namespace tavrel {

enum class HamText {
  Title = 1510,            // "Schinkensonnenuhr"
  Stretch = 1511,          // "Streckungsfaktor [1.2 ...3.] = "
  EquinoxPosition = 1512,  // "Position Aequinox [deg] = "
  HelpClear = 1513,        // "<Alt> + linker Mausclick: Stundenpunkte löschen"
  HelpMark = 1514,         // "<Strg> + linker Mausclick: (max.8) Stundenpunkte markieren"
  HelpDraw = 1515,         // "<Shift> + linker Mausclick: markierte Stundenpunkte zeichnen"
  EightPoints = 1516,      // "Es sind schon 8 Stundenpunkte gespeichert!"
  LoadTitle = 1517,        // "SchinkenSU"
  LoadFilter = 1518,       // "Starteinstellungen (*.ham)|*.ham|Alle Dateien (*.*)|*.* )"
  SaveFilter = 1519,       // the filter of the save dialog
  NotSettingsFile = 1520,  // " is not a settings file of the ham dial."
  Unreadable = 1521,       // " cannot be read."
  NoHourPoints = 1522,     // " holds no hour points of the ham dial ..."
  FaultyLine = 1523,       // " : faulty line " (then the line number)
  FaultySection = 1524,    // " in the section [Schinkensonnenuhr] ..."
};

// The text in the current language.
std::string hamText(HamText t);

}  // namespace tavrel
