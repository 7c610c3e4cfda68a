// The language a test reads the program's texts in, chosen the way the
// program chooses it (selectLanguage: the language number, the string
// offset and the help file together), so that no fixture sets the fields
// one by one.
#pragma once

#include "core/language.h"

namespace tavrel {

// 1 German, 2 English, as DesignState::language counts them.
inline void useLanguage(int language) { selectLanguage(language == 1); }

}  // namespace tavrel
