// Texts of the drawing window that the language tables do not hold yet,
// German and English (current language: design().language).
#pragma once

#include <string>

namespace tavrel {

enum class DrawingText {
  HintFixGnomon,         // "Left mouseclick fixes the gnomon position - <Alt>+left mouseclick marks text position!"
  HintMarkText,          // "<Alt>+left mouseclick marks the text position for saved or printed constructions!"
  HintDataButtons,       // "Save / Load sundial construction data"
};

std::string drawingText(DrawingText id);
std::string drawingText(DrawingText id, int language);

}  // namespace tavrel
