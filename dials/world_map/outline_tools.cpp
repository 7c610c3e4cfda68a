#include "dials/world_map/outline_tools.h"

#include <cmath>
#include <new>
#include <system_error>

#include "base/file_reading.h"
#include "base/number_text.h"
#include "base/safe_file_writer.h"
#include "core/language.h"
#include "core/platform.h"
#include "core/text_file.h"
#include "core/world_outline_lines.h"
#include "dials/world_map/world_outline.h"

namespace tavrel {

namespace {

// Rows of the text table (TextTable::Texts).
enum ToolText : int {
  kTitleHalve = 1400,
  kTitleJoin = 1401,
  kTitleDecimals = 1402,
  kFilter = 1403,
  kShortenAsk = 1404,
  kShortenAskEnd = 1405,
  kTheFile = 1406,
  kNotOpened = 1407,
  kNotOpenedForWriting = 1408,
  kRecordsInFile = 1409,
  kShortenedTo = 1410,
  kDecimalsShortened = 1411,
  kJoinAsk = 1412,
  kWillBeSaved = 1413,
  kSegmentsJoined = 1414,
  kSaved = 1415,
  kHalveAsk = 1416,
  kHalvedFile = 1417,
  kHasBeenSaved = 1418,
  kSearchAsk = 1419,
  kLineNumbersIn = 1420,
  kNotOpenedForWritingSearch = 1421,
};

std::string text(int row) { return tableText(TextTable::Texts, row); }

// The file's lines as the tools read them: leading blanks removed, at most
// 49 characters kept. Only a regular file of at most kMaxTextFileBytes is
// read (see readWholeFile). nullopt (after the message) when it cannot be
// read.
std::optional<std::vector<std::string>> readToolLines(const std::string& file) {
  std::string data;
  std::error_code ec = readWholeFile(file, kMaxTextFileBytes, data);
  if (!ec) {
    try {
      std::vector<std::string> lines = outlineLines(data);
      for (std::string& l : lines) {
        const std::size_t start = l.find_first_not_of(' ');
        l = start == std::string::npos ? std::string() : l.substr(start, 49);
      }
      return lines;
    } catch (const std::bad_alloc&) {
      ec = std::make_error_code(std::errc::not_enough_memory);
    }
  }
  showMessage(MsgCaption::Error, MsgIcon::Error, text(kTheFile) + file + text(kNotOpened));
  return std::nullopt;
}

// Writes the lines (CR LF each) through the safe writer; on failure the
// message `failureText` after the file name, and false.
bool writeToolLines(const std::string& file, const std::vector<std::string>& lines, int failureText) {
  std::string data;
  for (const std::string& l : lines) data += l + "\r\n";
  SafeFileWriter w;
  std::error_code ec = w.open(file);
  if (!ec) ec = w.write(data);
  if (!ec) ec = w.commit();
  if (ec) {
    w.abandon();
    showMessage(MsgCaption::Error, MsgIcon::Error, text(kTheFile) + file + text(failureText));
    return false;
  }
  return true;
}

bool confirmed(const std::string& question) {
  return showMessage(MsgCaption::Information, MsgIcon::Information, question, MsgButtons::OkCancel) ==
         MsgAnswer::Ok;
}

void told(const std::string& message) {
  showMessage(MsgCaption::Information, MsgIcon::Information, message);
}

}  // namespace

bool isToolPointLine(const std::string& line) {
  if (line.size() < 7) return false;
  const char c = line.front();
  return c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9');
}

std::string outlineToolOutputName(const std::string& input, const std::string& suffix) {
  const std::size_t slash = input.find_last_of("/\\");
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = input.find('.', nameStart);
  return input.substr(0, dot == std::string::npos ? input.size() : dot) + suffix;
}

std::optional<std::string> askOutlineFile(OutlineTool tool) {
  FileDialogRequest r;
  r.title = text(tool == OutlineTool::Halve  ? kTitleHalve
                 : tool == OutlineTool::Join ? kTitleJoin
                                             : kTitleDecimals);
  r.filter = text(kFilter);
  r.defaultExtension = "dat";
  return platform().openFileName(r);
}

bool shortenDecimals(const std::string& file, int n) {
  const std::string out = outlineToolOutputName(file, "_Dez_" + std::to_string(n) + ".dat");
  if (showMessage(MsgCaption::Information, MsgIcon::Information,
                  text(kShortenAsk) + fixedText(n, 2, 0) + text(kShortenAskEnd),
                  MsgButtons::YesNoCancel) != MsgAnswer::Yes)
    return false;
  const auto lines = readToolLines(file);
  if (!lines) return false;
  const double scale = std::pow(10.0, n), near = 0.9 / scale;
  std::vector<std::string> written;
  double lastA = 500, lastB = 500;
  for (const std::string& line : *lines) {
    // Comments ("#..."), short lines and any other line that is no point
    // are separators, as for the other tools: copied, and a new segment.
    if (!isToolPointLine(line)) {
      written.push_back(line);
      lastA = lastB = 500;
      continue;
    }
    double a = 0, b = 0;
    outlineValues(line, a, b);
    a = static_cast<double>(roundHalfEven(a * scale)) / scale;
    b = static_cast<double>(roundHalfEven(b * scale)) / scale;
    if (std::fabs(a - lastA) <= near && std::fabs(b - lastB) <= near) continue;
    written.push_back(fixedText(a, n + 2, n) + "\t" + fixedText(b, n + 2, n));
    lastA = a;
    lastB = b;
  }
  if (!writeToolLines(out, written, kNotOpenedForWriting)) return false;
  told(std::to_string(lines->size()) + text(kRecordsInFile) + out + text(kShortenedTo) +
       std::to_string(n) + text(kDecimalsShortened));
  return true;
}

bool joinOutlineSegments(const std::string& file) {
  const std::string out = outlineToolOutputName(file, "_verbd.dat");
  if (!confirmed(text(kJoinAsk) + out + text(kWillBeSaved))) return false;
  const auto lines = readToolLines(file);
  if (!lines) return false;
  std::vector<std::string> written, window;
  int joins = 0;
  for (const std::string& line : *lines) {
    window.push_back(line);
    if (window.size() < 3) continue;
    if (window[0] == window[2] && !isToolPointLine(window[1])) {
      window.resize(1);
      ++joins;
      continue;
    }
    if (!window[0].empty()) written.push_back(window[0]);
    window.erase(window.begin());
  }
  for (const std::string& l : window)
    if (!l.empty()) written.push_back(l);
  if (!writeToolLines(out, written, kNotOpenedForWriting)) return false;
  told(std::to_string(joins) + text(kSegmentsJoined) + out + text(kSaved));
  return true;
}

bool halveOutlineFile(const std::string& file) {
  const std::string out = outlineToolOutputName(file, "_halb.dat");
  if (!confirmed(text(kHalveAsk) + out + text(kWillBeSaved))) return false;
  const auto lines = readToolLines(file);
  if (!lines) return false;
  std::vector<std::string> written;
  std::string lastPoint;
  bool due = true;  // the next point of the segment is written
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (i + 1 == lines->size()) {
      if (due) written.push_back(line);
      break;
    }
    if (isToolPointLine(line)) {
      if (due) written.push_back(line);
      due = !due;
      lastPoint = line;
      continue;
    }
    if (!lastPoint.empty() && (written.empty() || written.back() != lastPoint))
      written.push_back(lastPoint);
    if (line != lastPoint) written.push_back(line);
    lastPoint.clear();
    due = true;
  }
  if (!writeToolLines(out, written, kNotOpenedForWriting)) return false;
  told(text(kHalvedFile) + out + text(kHasBeenSaved));
  return true;
}

bool searchOutlineLines(const std::string& file) {
  if (!confirmed(text(kSearchAsk))) return false;
  const std::string out = outlineToolOutputName(file, "_Info.dat");
  const auto lines = readToolLines(file);
  if (!lines) return false;
  std::vector<std::string> found;
  for (std::size_t i = 0; i < lines->size(); ++i) {
    const std::string& line = (*lines)[i];
    if (!isToolPointLine(line)) continue;
    double a = 0, b = 0;
    outlineValues(line, a, b);
    if (a >= 52 && a <= 53.2 && b > 12.95 && b <= 14) found.push_back(std::to_string(i + 1));
  }
  if (!writeToolLines(out, found, kNotOpenedForWritingSearch)) return false;
  told(std::to_string(lines->size()) + text(kLineNumbersIn) + out + text(kSaved));
  return true;
}

void runOutlineTool(OutlineTool tool) {
  const std::optional<std::string> file = askOutlineFile(tool);
  if (!file || file->empty()) return;
  switch (tool) {
    case OutlineTool::Halve: halveOutlineFile(*file); break;
    case OutlineTool::Join: joinOutlineSegments(*file); break;
    case OutlineTool::Shorten: shortenDecimals(*file, 3); break;
    case OutlineTool::Search: searchOutlineLines(*file); break;
  }
}

}  // namespace tavrel
