// The four tools of the drawing window's expert panel that prepare outline
// files (the line format of world_outline.h): shorten the decimals, join
// connected segments, halve the point count, search lines in a fixed box.
//
// Every tool reads the whole input file (a regular file of at most
// kMaxTextFileBytes, core/text_file.h), writes its output beside it
// through the safe writer (the output appears complete or not at all) and
// ends with one message; file errors show their message and write nothing.
// Each input line is read with its leading blanks removed and cut to at
// most 49 characters.
//
// Output names: the input name up to the first "." of its file name (the
// folder is kept), followed by "_Dez_" n ".dat", "_verbd.dat",
// "_halb.dat" or "_Info.dat".
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavrel {

enum class OutlineTool { Halve, Join, Shorten, Search };

// A point line of the tools: at least 7 characters and beginning with
// "+", "-", "." or a digit. Every other line is a separator.
bool isToolPointLine(const std::string& line);

// The output name of a tool for `input` (suffix as above).
std::string outlineToolOutputName(const std::string& input, const std::string& suffix);

// The open dialog of a tool: its title, the filter "Liste mit geograph.
// Daten    (*.dat)|*.dat|alle Dateien (*.*)|*.*" and the extension "dat".
// nullopt when the user cancels.
std::optional<std::string> askOutlineFile(OutlineTool tool);

// shortenDecimals: asks "Sollen die Daten werden auf nn Dez.stellen
// gekuerzt werden?" (Yes/No/Cancel; only Yes goes on). Lines that are no
// point line (isToolPointLine: comments beginning with "#", lines shorter
// than 7 characters, text) are copied and start a segment;
// point lines have both values rounded to n decimals (ties to even); a
// point whose two values both lie within 0.9 / 10^n of the last written
// point of its segment is dropped; points are written as fixedText(v,
// n + 2, n) TAB fixedText(w, n + 2, n). Returns false when nothing was
// written.
bool shortenDecimals(const std::string& file, int decimals);

// joinOutlineSegments: confirms (OK/Cancel), then slides a window of three
// lines A, B, C over the file: when A equals C and B is no point line, B
// and C are dropped (the segments on either side are joined). Lines that
// leave the window are written when not empty.
bool joinOutlineSegments(const std::string& file);

// halveOutlineFile: confirms (OK/Cancel). In each segment the first point
// and then every second point are written; at a separator the segment's
// last point is written when it is not the line written just before, then
// the separator when it differs from that point. The file's last line is
// written when the alternation is due (it would be written as a point).
bool halveOutlineFile(const std::string& file);

// searchOutlineLines: confirms (OK/Cancel), then writes the line number
// (from 1) of every point line whose first value lies in [52, 53.2] and
// whose second in (12.95, 14], one per line.
bool searchOutlineLines(const std::string& file);

// The tool with its open dialog ("stutzen" with 3 decimals).
void runOutlineTool(OutlineTool tool);

}  // namespace tavrel
