#include "dials/planar/planar_texts.h"

#include <array>

#include "core/design_state.h"

namespace tavrel {

namespace {

struct TextPair {
  const char* german;
  const char* english;
};

constexpr std::array<TextPair, 18> kTexts{{
    {" Temporalstunden", " Temporal hours"},
    {"nicht möglich. Geogr. Breite zu groß!", "not possible. Latitude to high!"},
    {"Italienische und babylonische Stunden", "Italian and Babylonian hours"},
    {"Gerade Stundenlinien zeigen ", "Straight hour lines show "},
    {"wahre Zeit des Zonenmeridians", "apparent time at zone meridian"},
    {"8-Schleifen zeigen ", "8-slopes show "},
    {"Zonenzeit", "Civil Time"},
    {"Abweichung = ", "Deviation = "},
    {"Neigung= ", "Inclination= "},
    {"; Radius r = ", "; Radius r = "},
    {" x h", " x h"},
    {"; r = ", "; r = "},
    {"Scheibenradius r = ", "Disk radius r = "},
    {" x Höhe", " x height"},
    {"Zonenmeridian = ", "Zone meridian = "},
    {"Abweichung = ", "Declination = "},
    {"Neigung = ", "Inclination = "},
    {"(mit Längengrad-Korrektur)", "(longitude correction on)"},
}};

}  // namespace

std::string planarText(PlanarText id, int language) {
  const TextPair& t = kTexts[static_cast<std::size_t>(id)];
  return language == 2 ? t.english : t.german;
}

std::string planarText(PlanarText id) { return planarText(id, design().language); }

}  // namespace tavrel
