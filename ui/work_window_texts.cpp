#include "ui/work_window_texts.h"

#include <array>

#include "core/design_state.h"

namespace tavrel {

namespace {

struct TextPair {
  const char* german;
  const char* english;
};

constexpr std::array<TextPair, static_cast<std::size_t>(WorkText::Count)> kTexts{{
    // Drawing window: commands.
    {"&Zeichnen", "&Display"},
    {"...+&Gitter", "...+&Grid"},
    {"Polstab-&Info", "Stylus&Info"},
    {"F&arben", "C&olors"},
    {"&Stundenlinien", "&Hour lines"},
    {"Anzeige wie im Ausdruck", "Display as in Printout"},
    {".. wie in gespeicherter Datei (DIN-A3)", ".. as in saved File (DIN-A3)"},
    {"&Drucken", "&Print"},
    {"Als HPGL-Datei speichern", "Save as HPGL-File"},
    {"Als dxf-Datei speichern...", "Save as dxf-File"},
    {"Koordinaten", "coordinates"},
    {"Info drucken", "Print Info"},
    {"Speichern", "Save"},
    {"Laden", "Load"},
    {"Para&meter", "Para&meter"},
    {" S&chließen", "  &Close"},
    {"Poldreieck zeichnen", "Draw the polar triangle"},
    {"Stundenlinien bis zum Fußpunkt", "Hour lines up to the style foot"},
    {"Zeichnung ausführen", "Run the drawing"},
    // Drawing window: panels.
    {"Längengrad-Korrektur", "Longitude correction"},
    {"Als HPGL-Datei speichern", "Save as HPGL-File"},
    {"Als DXF-Datei speichern", "Save as DXF-File"},
    {"Linienstärke", "Line thickness"},
    {"fein", "fine"},
    {"mittel", "medium"},
    {"dick", "thick"},
    {"keine Koordinaten", "no coordinates"},
    {"Koordinaten drucken", "coordinates to the printer"},
    {"Koordinaten als Textdatei", "coordinates as text file"},
    {"Zeichnungsdatei", "Plot file"},
    {"Koordinatendatei", "Coordinates file"},
    {"&Weiter >>", "C&ontinue >>"},
    {" Abbru&ch", " &Cancel"},
    {"Tabelle drucken", "Print table"},
    {"<+> / <-> oder Mausrad: Zoom", "<+> / <-> or mouse wheel: zoom"},
    // Calculator window.
    {"Sonnenrechner", "Sun Calculator"},
    {"Jahr", "Year"},
    {"Monat", "Month"},
    {"Tag", "Day"},
    {"Geogr. Länge (Ost negativ)", "Longitude (east negative)"},
    {"Geogr. Breite (Süd negativ)", "Latitude (south negative)"},
    {"Zonenmeridian (Ost negativ)", "Zone meridian (east negative)"},
    {"Deklination und Zeitgleichung", "Declination and Equation of Time"},
    {"Auf- und Untergang, Dämmerung, Mond", "Rise and Set, Twilight, Moon"},
    {"Uhrzeit zu einem Sonnenazimut", "Standard Time for given Sun Position"},
    {"Sonnenstand zu einer Uhrzeit", "Position of Sun at a given Time"},
    {"Dämmerung", "Twilight"},
    {"bürgerlich", "civil"},
    {"nautisch", "nautical"},
    {"astronomisch", "astronomical"},
    {"Azimut [Grad]", "Azimuth [deg]"},
    {"Uhrzeit (hh:mm:ss)", "Clock time (hh:mm:ss)"},
    {"wahre Ortszeit", "Local Apparent Time"},
    {"mittlere Ortszeit", "Local Mean Time"},
    {"Zonenzeit", "Standard Time"},
    {"&Berechnung starten", "&Start Computation"},
    {"&Tabelle", "&Table"},
    {" ZGL als &Grafik", " EoT in &Graphics"},
    {"&Tabellen ... ", "&Tables ... "},
    {"Tabelle der Auf-/Untergangszeiten", "Table of Rise/Set Times"},
    {"Tabelle der Zeitgleichung", "Table of Equation of Time"},
    {"Tabelle der Sonnendeklination", "Table of Sun Declination"},
    {"Tabelle des wahren Mittags", "Table of Local ApparentNoon"},
    {"Sonnenbahndiagramm (polar)", "Sun Path Diagram (polar)"},
    {"Diagramm der Zeitgleichung", "Diagram for Equation of Time"},
    {"Ausdruck mit Seitenvorschub", "Print Data with Form Feed"},
    {"Ausdruck ohne Seitenvorschub", "Print Data without Form Feed"},
    {"Seitenvorschub drucken", "Print Form Feed"},
    {"Ergebnisse löschen", "Clear Results"},
    // Table window.
    {"Tabellen", "Tables"},
    {"Jahrestabelle fuer", "Year table for"},
    {"Zeitgleichung", "Equation of Time"},
    {"ZGL + Längenkorrektur", "EoT + Longitude Correction"},
    {"Sonnendeklination", "Declination of Sun"},
    {"Meridiandurchgang", "Meridian Transit"},
    {"Umfang", "Scope"},
    {"ein Monat", "single month"},
    {"Monate 1-6", "months 1-6"},
    {"Monate 7-12", "months 7-12"},
    {"Drucken", "Print"},
    {"Tabelle speichern", " Save as &text"},
    {"Symmetrische Tabelle der ZGL, Näherung", "Symmetric Table of EoT, Approximation"},
    {"Werte/Jahr", "values/year"},
    {"Daten speichern", "Save data"},
    {"Daten drucken", "Print data"},
}};

}  // namespace

QString wtext(WorkText id, int language) {
  const TextPair& t = kTexts[static_cast<std::size_t>(id)];
  return QString::fromUtf8(language == 2 ? t.english : t.german);
}

QString wtext(WorkText id) { return wtext(id, design().language); }

TextSource wt(WorkText id) {
  return [id] { return wtext(id); };
}

}  // namespace tavrel
