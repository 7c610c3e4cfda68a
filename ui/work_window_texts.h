// The texts of the drawing, calculator and table windows: rows 0.. of the
// work-text table (resources/work_texts.tsv) in enum order, in the current
// language (design().language) or the given one.
#pragma once

#include <QString>

#include "ui/ui_texts.h"

namespace tavrel {

enum class WorkText {
  // Drawing window: commands.
  Display,
  DisplayGrid,
  StylusInfo,
  Colours,
  HourLines,
  AsPrintout,
  AsSavedFile,
  Print,
  SaveHpgl,
  SaveDxf,
  Coordinates,
  PrintInfo,
  SaveData,
  LoadData,
  Parameter,
  Close,
  PoleTriangle,
  LinesToStyleFoot,
  RunDrawing,
  // Drawing window: panels.
  LongitudeSwitch,
  PanelTitleHpgl,
  PanelTitleDxf,
  LineThickness,
  Fine,
  Medium,
  Thick,
  CoordinatesNone,
  CoordinatesPrinter,
  CoordinatesFile,
  PlotFileName,
  CoordinatesFileName,
  Continue,
  Cancel,
  PrintTable,
  ZoomHint,
  // Calculator window.
  CalculatorTitle,
  Year,
  Month,
  Day,
  LongitudeField,
  LatitudeField,
  ZoneField,
  PanelDeclination,
  PanelRiseSet,
  PanelAzimuth,
  PanelPosition,
  Twilight,
  TwilightCivil,
  TwilightNautical,
  TwilightAstronomical,
  AzimuthField,
  ClockTimeField,
  TimeApparent,
  TimeMean,
  TimeZone,
  StartComputation,
  Table,
  EotGraphics,
  TablesMenu,
  TableRiseSet,
  TableEot,
  TableDeclination,
  TableNoon,
  SunPathPolar,
  EotDiagram,
  PrintWithFormFeed,
  PrintWithoutFormFeed,
  PrintFormFeed,
  ClearResults,
  // Table window.
  TableTitle,
  YearTableFor,
  SubEot,
  SubEotLongitude,
  SubDeclination,
  SubTransit,
  Scope,
  ScopeMonth,
  ScopeFirstHalf,
  ScopeSecondHalf,
  PrintTableWindow,
  SaveTable,
  Symmetric,
  ValuesPerYear,
  SaveEotPairs,
  PrintEotPairs,
  Count
};

QString wtext(WorkText id);
QString wtext(WorkText id, int language);
// A text that follows the language.
TextSource wt(WorkText id);

}  // namespace tavrel
