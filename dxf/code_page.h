// The character-set pass of a finished DXF file: DOS (OEM) text to
// Windows (ANSI) text, line by line, with CR LF line ends.
#pragma once

#include <cstdio>

namespace tavrel {

// One character from code page 850 (DOS Latin 1, the OEM code page of
// German and Western European DOS) to Windows-1252. Codes below 128 are
// kept; characters that Windows-1252 lacks (box drawing, shading, dotless
// i, double low line) become "?".
unsigned char oemToAnsi(unsigned char c);

// Copies `in` to `out` converting every character with oemToAnsi. A line
// ends at CR, LF or CR LF; every line, the last included, is written with
// CR LF, and empty lines are kept. Returns false when reading or writing
// failed.
bool oemToAnsiLines(std::FILE* in, std::FILE* out);

}  // namespace tavrel
