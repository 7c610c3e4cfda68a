#include "drawing/drawing_texts.h"

#include <array>

#include "core/design_state.h"

namespace tavrel {

namespace {

struct TextPair {
  const char* german;
  const char* english;
};

constexpr std::array<TextPair, 17> kTexts{{
    {"Konstruktion einer", "Construction of a"},
    {" Schirm-Sonnenuhr", "n Umbrella Dial"},
    {" Quadranten-Sonnenuhr", " Quadrant Sundial"},
    {" Zylindersonnenuhr", " Cylinder Sundial"},
    {" (Hirtenuhr)", " (Shepherds´ Dial)"},
    {" (Hutuhr)", " (Hat Dial)"},
    {" (Polstab)", " (Polar Style)"},
    {" azimutalen Sonnenuhr", "n Azimuthal Sundial"},
    {" biazimutalen (komprimierten) Sonnenuhr", "n Biazimuthal (compressed) Sundial"},
    {" Sonnenuhr für mittlere Zeit", " Sundial for Mean Time"},
    {" horizontalen Höhensonnenuhr", " horizontal elevation Sundial"},
    {"Sawyer-Sonnenuhren", "Sawyer Sundials"},
    {"Peaucellier-", "Peaucellier-"},
    {"Azimutale Sonnenuhr", "Azimuthal Sundial"},
    {"Linker Mausklick fixiert die Gnomonposition - <Alt>+linker Mausklick markiert die Textposition!",
     "Left mouseclick fixes the gnomon position - <Alt>+left mouseclick marks text position!"},
    {"<Alt>+linker Mausklick markiert die Textposition für gespeicherte oder gedruckte Konstruktionen!",
     "<Alt>+left mouseclick marks the text position for saved or printed constructions!"},
    {"Sonnenuhr-Konstruktionsdaten speichern / laden", "Save / Load sundial construction data"},
}};

}  // namespace

std::string drawingText(DrawingText id, int language) {
  const TextPair& t = kTexts[static_cast<std::size_t>(id)];
  return language == 2 ? t.english : t.german;
}

std::string drawingText(DrawingText id) { return drawingText(id, design().language); }

}  // namespace tavrel
