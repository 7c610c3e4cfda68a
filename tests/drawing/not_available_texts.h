// The refusal of a dial type whose family is not built yet, per language
// (design().language: 1 German, 2 English).
#pragma once

namespace tavrel {

struct NotAvailableText {
  int language;
  const char* text;
};

inline constexpr NotAvailableText kNotAvailableTexts[] = {
    {2, "This dial type is not available yet."},
    {1, "Dieser Sonnenuhrtyp ist noch nicht verfügbar."},
};

}  // namespace tavrel
