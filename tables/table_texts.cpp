#include "tables/table_texts.h"

#include <array>

#include "core/design_state.h"

namespace tavrel {

namespace {

struct Pair {
  std::string german;
  std::string english;
};

const std::array<Pair, static_cast<int>(TablesText::kCount)>& texts() {
  static const std::array<Pair, static_cast<int>(TablesText::kCount)> table = {{
      {"immer sichtbar", " always seen  "},
      {"  immer hell  ", "always bright "},
      {" nie sichtbar ", " not visible  "},
      {" immer dunkel ", " always  dark "},
      {" -----", " -----"},
      {"bürgerl. (0.83°-6°)", "civil (0.83°-6°)"},
      {"nautisch (6°-12°)", "nautical (6°-12°)"},
      {"astronom.(12°-18°)", "astronom.(12°-18°)"},
      {" Auf- und Untergang von Sonne und Mond im ", " Rise and Set of Sun and Moon for "},
      {"Zonenzeit", "Civil Time"},
      {" und keine Sommerzeit !", " and not DST !"},
      {" Position: ", " Position: "},
      {" Datum    Sonne      Dämmerung       Mond       ZGl   Deklin",
       " Date     Sun        Twilight        Moon       EoT   Declin"},
      {"       Aufg/Unter   Ende /Beginn    Aufg/Unter   mm:ss  Grad",
       "       rise/ set    end /begin     rise/ set    mm:ss   deg"},
      {"entfällt (Wechsel zum Gregorianischen Kalender)", "omitted  (change to Gregorian Calendar)"},
      {"  Alle Zeiten sind Zonenzeit (= UT", "  All times are standard time (= UT"},
      {"Dargestellte Dämmerung: ", "Type of twilight displayed: "},
      {"Aufg./Unter Zeitgl.  ", " Rise /Set    EoT    "},
      {"Datum", "Date"},
      {"Sonnenauf- und -untergang und Zeitgleichung für ",
       "Times of Sunrise/Sunset and Equation of time for "},
      {"  Zeitgleichung in min:sec für ", "  Equation of Time in min:sec for "},
      {"  Zeitgleichung + Längenkorrektur in min:sec für ",
       "  EoT + Longitude Correction in min:sec for "},
      {"  Deklination der Sonne in dd.dd für ", "  Declination of Sun in dd.dd for "},
      {"  Zeit des Meridiandurchgangs (= 12 Uhr wahre Ortszeit)",
       "  Time of Meridian Passage (= 12 Local Apparent Time)"},
      {" (Zonenmeridian = ", " (Zone meridian = "},
      {"  [ Zeitgleichung = Wahre Ortszeit - Mittlere Ortszeit ]",
       "  [ Equation of Time = Local Apparent Time - Local Mean Time ]"},
      {"  Zonenzeit = Wahre Ortszeit - Tabellenwert",
       "  Civil Time = Local Apparent Time - Value in Table"},
      {"  Die Zeiten sind Zonenzeit des Zonenmeridians ohne Sommerzeit, genau für das Jahr ",
       "  Times in table are Standard Time of Zone Meridian but no DST, exact for Year "},
      {"  Alle Werte für 12 Uhr Zonenzeit (= 13 Uhr Sommerzeit)!",
       "  All values for 12 standard time (= 13 for Daylight Saving Time)!"},
      {"  Längenkorrektur für", "  Correction for longitude"},
      {" min:sec  ", " min:sec  "},
      {"  Berechnet mit Tavrel, Sonnenuhren und scheinbarer Lauf der Sonne",
       "  Computed with Tavrel, sundials and the apparent motion of the sun"},
      {"    Datum:           ", "    Date :           "},
      {"    Geogr. Breite:  ", "    Latitude :      "},
      {"    Geogr. Länge:  ", "    Longitude:     "},
      {" Grad         Zonenmeridian: ", " deg          Zone meridian: "},
      {" Grad ", " deg "},
      {"Sonnendeklination: ", "Sun declination :  "},
      {"Zeitgleichung   :  ", "Equation of Time:  "},
      {" Grad", " deg"},
      {"  min:sec", "  min:sec"},
      {"   Werte für 12 Uhr Zonenzeit", "   Values for noon standard time"},
      {"    Sonnenaufgang:    ", "    Sunrise :         "},
      {"  Sonnenuntergang:    ", "     Sunset :         "},
      {"    Dämmerungsbeginn: ", "    Twilight begins:  "},
      {"     Dämmerungsende:  ", "     Twilight ends:   "},
      {"Mondaufgang:      ", "Moonrise:         "},
      {"Monduntergang:   ", "Moonset:         "},
      {" hh:min", " hh:min"},
      {"[ N= -180° ..<..  O= -90° ..<..  S= 0° ..<..  W= +90° ..<..  N=+180°  ] ",
       "[ N= -180° ..<..  O= -90° ..<..  S= 0° ..<..  W= +90° ..<..  N=+180°  ] "},
      {"Azimut der Sonne:         ", "Azimuth of the sun:       "},
      {"Sonnenstand erreicht um:  ", "Sunposition reached at:  "},
      {"Sonnenhöhe dann:          ", "Altitude of the sun then: "},
      {"Die Sonne steht unter dem Horizont!", "The sun is below the horizon!"},
      {"    Uhrzeit :        ", "    Time :           "},
      {"Wahre Ortszeit", "Local Apparent Time"},
      {"Mittlere Ortszeit", "Local Mean Time"},
      {"Zonenzeit", "Standard Time"},
      {"    Sonnenhöhe :     ", "    Altitude :       "},
      {"    Azimut :         ", "    Azimuth :        "},
      {"    Deklination :    ", "    Declination :    "},
      {"    Zeitgleichung :  ", "    Equation of Time:"},
      {"Eingabe?", "Input?"},
      {"Die geogr. Länge ist mehr als 15 Grad", "The difference between zone meridian"},
      {"  vom Zonenmeridian entfernt!", " and longitude is more than 15 deg!"},
      {" Ist dies in Ordnung?", "Are these values correct?"},
      {"Fehler beim Öffnen: Datei  ", "Open error: File  "},
      {"Fehler beim Speichern: Datei  ", "Save error: File  "},
  }};
  return table;
}

const std::array<Pair, 12>& monthNames() {
  static const std::array<Pair, 12> names = {{
      {"Januar", "January"},
      {"Februar", "February"},
      {"März", "March"},
      {"April", "April"},
      {"Mai", "May"},
      {"Juni", "June"},
      {"Juli", "July"},
      {"August", "August"},
      {"September", "September"},
      {"Oktober", "October"},
      {"November", "November"},
      {"Dezember", "December"},
  }};
  return names;
}

const std::string& pick(const Pair& p, int language) {
  return language == 2 ? p.english : p.german;
}

}  // namespace

const std::string& tablesText(TablesText id, int language) {
  static const std::string empty;
  const int i = static_cast<int>(id);
  if (i < 0 || i >= static_cast<int>(TablesText::kCount)) return empty;
  return pick(texts()[i], language);
}

const std::string& tablesText(TablesText id) { return tablesText(id, design().language); }

const std::string& fullMonthName(int month) {
  static const std::string empty;
  if (month < 1 || month > 12) return empty;
  return pick(monthNames()[month - 1], design().language);
}

const std::string& twilightName(int twilightKind) {
  switch (twilightKind) {
    case 0: return tablesText(TablesText::kTwilightCivil);
    case 1: return tablesText(TablesText::kTwilightNautical);
    default: return tablesText(TablesText::kTwilightAstronomical);
  }
}

}  // namespace tavrel
