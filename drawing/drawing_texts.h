// Texts of the drawing window: rows 240.. of the work-text table
// (resources/work_texts.tsv) in enum order, in the current language
// (design().language) or the given one.
#pragma once

#include <string>

namespace tavrel {

struct DesignState;

enum class DrawingText {
  HintFixGnomon,         // "Left mouseclick fixes the gnomon position - <Alt>+left mouseclick marks text position!"
  HintMarkText,          // "<Alt>+left mouseclick marks the text position for saved or printed constructions!"
  HintDataButtons,       // "Save / Load sundial construction data"
  HintFixGnomonOnly,     // "Left mouseclick fixes the gnomon position!"
};

std::string drawingText(DrawingText id);
std::string drawingText(DrawingText id, int language);

// The hint panel's text when the drawing window shows the record's dial:
// what a click does there (the gnomon foot and, with Alt, the text block,
// or the family's own clicks); empty where a plain click places no foot.
std::string mouseHint(const DesignState& d);

}  // namespace tavrel
