// The printed hour-line angle table on printer pages of 0.1 mm: the
// dial-type title (height 48, centred on x = 900, y = 145), the
// information lines from x = 150 at y = 180 + (k + 1) * line height, and
// the table of four column groups " hh:mm dd.dd tangens" in a frame with a
// rule every four rows and three rules between the groups. The font is
// "MS Serif", bold, black, height 40; a line is Round(1.1 * 40) high. The
// cells are right-aligned in columns as wide as their widest text, so the
// table stays aligned in a font that is not fixed-pitch; a table wider
// than the page is set in a smaller font. When the rows do not fit, "Table
// on the following page!" is printed and the table goes on at the top of a
// new page.
#pragma once

#include <functional>

#include "dials/planar/angle_table_print.h"
#include "plot/canvas.h"

namespace tavrel {

// Draws the pages on `page` (units 0.1 mm, printable size pageWidth x
// pageHeight); newPage is called between two pages. Returns the number of
// pages.
int drawAngleTablePages(Canvas& page, const AngleTablePrintout& printout, int pageWidth, int pageHeight,
                        const std::function<void()>& newPage);

}  // namespace tavrel
