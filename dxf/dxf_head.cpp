#include "dxf/dxf_head.h"

#include <string>

#include "base/number_text.h"

namespace tavrel {

void writeDxfHead(DxfLineWriter& out, double scale) {
  const std::string x = fixedText(16440.0 / scale, 8, 2);
  const std::string y = fixedText(11500.0 / scale, 8, 2);

  out.lines({"0", "SECTION", "  2", "HEADER",
             "  9", "$EXTMIN", " 10", "0.000", " 20", "0.0",
             "  9", "$EXTMAX", " 10", x, " 20", y,
             "  9", "$LIMMIN", " 10", "0.000", " 20", "0.0",
             "  9", "$LIMMAX", " 10", x, " 20", y,
             "  9", "$LTSCALE", " 40", "0.0005",
             "  0", "ENDSEC"});

  // The table counts are the historic ones: 4 line types, "9" layers
  // although ten follow, 3 styles.
  out.lines({"  0", "SECTION", "  2", "TABLES", "  0", "TABLE", "  2", "LTYPE", " 70", "     4",
             "  0"});
  out.lines({"LTYPE", "  2", "CONTINUOUS", " 70", "64", "  3", "Solid line", " 72", "65", " 73",
             "0", " 40", "0.0", "  0"});
  out.lines({"LTYPE", "  2", "DASHED", " 70", "64", "  3", "- - - - - - ", " 72", "65", " 73", "2",
             " 40", "3.000001", " 49", "3.000001", " 49", "-0.000000", "  0"});
  out.lines({"LTYPE", "  2", "DASHDOT", " 70", "64", "  3", "- . - . - . - . ", " 72", "65", " 73",
             "4", " 40", "12.000004", " 49", "6.000002", " 49", "-3.000001", " 49", "0.00000",
             " 49", "-3.00001", "  0"});
  out.lines({"LTYPE", "  2", "DOT", " 70", "64", "  3", ". . . .  ", " 72", "65", " 73", "2", " 40",
             "3.000001", " 49", "0.00000", " 49", "-3.000001", "  0"});

  out.lines({"ENDTAB", "  0", "TABLE", "  2", "LAYER", " 70", "     9", "  0"});
  for (int n = 1; n <= 10; ++n) {
    const std::string number = std::to_string(n);
    out.lines({"LAYER", " 70", "64", "  2", "L_" + number, " 62", number, "  6", "CONTINUOUS",
               "  0"});
  }

  out.lines({"ENDTAB", "  0", "TABLE", "  2", "STYLE", " 70", "   3", "  0"});
  out.lines({"STYLE", "  2", "STANDARD", " 70", "0", " 40", "0.0", " 41", "1.00", " 50", "0.0",
             " 71", "     0", " 42", "2.4", "  3", "txt", "  4", "", "  0"});
  out.lines({"STYLE", "  2", "shx-font", " 70", "  1", " 40", "0.0", " 41", "1.00", " 50", "0.0",
             " 71", "     0", " 42", "2.4", "  3", "ltypeshp.shx", "  4", "", "  0"});
  out.lines({"STYLE", " 5", "2D", "100", "AcDbSymbolTableRecord", "100", "AcDbTextSTyleTableRecord",
             "  2", "symbols", " 70", "0", " 40", "0.0", " 41", "1.0", " 50", "0.0", " 71",
             "     0", " 42", "2.4", "  3", "WINGDING.TTF", "  4", "", "  0"});

  out.lines({"ENDTAB", "  0", "ENDSEC", "  0", "SECTION", "  2", "BLOCKS", "  0", "ENDSEC", "0",
             "SECTION", "2", "ENTITIES", "0"});
}

}  // namespace tavrel
