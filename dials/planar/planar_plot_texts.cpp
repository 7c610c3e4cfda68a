#include "dials/planar/planar_plot_texts.h"

#include <array>

#include "core/design_state.h"

namespace tavrel {

namespace {

struct TextPair {
  const char* german;
  const char* english;
};

constexpr std::array<TextPair, 11> kTexts{{
    {"Schattenbahn ", "Shadow path "},
    {"Stundenlinien (ohne Zeitgleichung,", "Hour lines (without EoT,"},
    {"(Negatives Vorzeichen bei Abweichung nach Osten!)", "(Negative sign for deviation to East!)"},
    {"Dateiname der gespeicherten Konstruktion: ", "File name of saved construction: "},
    {" Sonnendeklination", " Sun Declination"},
    {"Linie ", "Line "},
    {"Temporalstunde", "Temporal hour"},
    {"Babylonische Stunde", "Babylonian hour"},
    {"Italienische Stunde", "Italian hour"},
    {"Sonnenhöhe: ", "Sun altitude: "},
    {"Datei ", "File "},
}};

}  // namespace

std::string plotText(PlotText id, int language) {
  const TextPair& t = kTexts[static_cast<std::size_t>(id)];
  return language == 2 ? t.english : t.german;
}

std::string plotText(PlotText id) { return plotText(id, design().language); }

}  // namespace tavrel
