// The character set of a converted DXF file: DOS (OEM) text to Windows
// (ANSI) text.
#pragma once

namespace tavrel {

// One character from code page 850 (DOS Latin 1, the OEM code page of
// German and Western European DOS) to Windows-1252. Codes below 128 are
// kept; characters that Windows-1252 lacks (box drawing, shading, dotless
// i, double low line) become "?".
unsigned char oemToAnsi(unsigned char c);

}  // namespace tavrel
