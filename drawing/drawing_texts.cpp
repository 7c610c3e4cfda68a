#include "drawing/drawing_texts.h"

#include <array>

#include "core/design_state.h"

namespace tavrel {

namespace {

struct TextPair {
  const char* german;
  const char* english;
};

constexpr std::array<TextPair, 3> kTexts{{
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
