#include "tables/solar_table.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "core/language.h"
#include "core/platform.h"
#include "base/text_encoding.h"
#include "base/safe_file_writer.h"
#include "tables/table_texts.h"

namespace tavrel {

CsvColumns csvColumns(TableLayout layout) {
  switch (layout) {
    case TableLayout::MonthRiseSet: return {5, 4, 7, 9};
    case TableLayout::HalfYearRiseSet: return {5, 4, 7, 18};
    case TableLayout::Year: return {3, 3, 7, 12};
    case TableLayout::YearTransit: return {3, 3, 9, 12};
  }
  return {3, 3, 7, 12};
}

std::vector<std::string> tableLines(const SolarTable& table) {
  std::vector<std::string> lines;
  lines.reserve(table.lines.size());
  for (const TableLine& l : table.lines) lines.push_back(l.text);
  return lines;
}

std::vector<std::string> screenLines(const SolarTable& table) {
  std::vector<std::string> lines;
  for (const TableLine& l : table.lines)
    if (l.shownOnScreen) lines.push_back(l.text);
  return lines;
}

namespace {

std::string piece(const std::string& line, int start, int width) {
  if (start >= static_cast<int>(line.size())) return {};
  return line.substr(start, width);
}

std::string quoted(const std::string& field, char separator) {
  if (field.find_first_of(std::string{separator, '"', '\r', '\n'}) == std::string::npos)
    return field;
  std::string q = "\"";
  for (char c : field) {
    if (c == '"') q += '"';
    q += c;
  }
  return q + "\"";
}

}  // namespace

std::string csvRecord(const std::vector<std::string>& fields, char separator) {
  std::string record;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) record += separator;
    record += quoted(fields[i], separator);
  }
  return record;
}

std::vector<std::string> csvLines(const SolarTable& table, char separator) {
  const CsvColumns c = csvColumns(table.layout);
  std::vector<std::string> records;
  records.reserve(table.lines.size());
  for (const TableLine& l : table.lines) {
    switch (l.csv) {
      case CsvRule::OneField: records.push_back(csvRecord({l.text}, separator)); break;
      case CsvRule::Fields: records.push_back(csvRecord(l.fields, separator)); break;
      case CsvRule::Cut: {
        std::vector<std::string> fields{piece(l.text, 0, c.leadWidth)};
        for (int k = 0; k < c.fieldCount; ++k)
          fields.push_back(piece(l.text, c.firstField + k * c.fieldWidth, c.fieldWidth));
        records.push_back(csvRecord(fields, separator));
        break;
      }
    }
  }
  return records;
}

bool tableFileFormatOf(const std::string& path, TableFileFormat& format) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return false;
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
  if (ext == "txt") {
    format = TableFileFormat::Text;
    return true;
  }
  if (ext == "csv") {
    format = TableFileFormat::Csv;
    return true;
  }
  return false;
}

std::string withTableExtension(const std::string& path, TableFileFormat format) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  std::string base = path;
  if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
    base = path.substr(0, dot);
  return base + (format == TableFileFormat::Text ? ".txt" : ".csv");
}

std::string tableFileBytes(const SolarTable& table, TableFileFormat format, char separator) {
  return encodeFileLines(format == TableFileFormat::Text ? tableLines(table)
                                                         : csvLines(table, separator));
}

bool saveTable(const SolarTable& table, const std::string& path, TableFileFormat format,
               char separator) {
  if (!writeFileSafely(path, tableFileBytes(table, format, separator))) return true;
  showMessage(MsgCaption::Error, MsgIcon::Error, tablesText(TablesText::kSaveOpenError) + path);
  return false;
}

bool saveTableAs(const SolarTable& table) {
  FileDialogRequest request;
  request.title = dialogTitle(DialogTitle::SaveTable);
  request.filter = workText(workTextRow::kTableFileFilter);
  request.defaultExtension = "txt";
  request.initialName = workText(workTextRow::kTableFileName);
  const std::optional<FileChoice> chosen = platform().saveFileChoice(request);
  if (!chosen || chosen->path.empty()) return false;
  // The filter decides the format; the typed extension is replaced by it.
  const TableFileFormat format =
      chosen->filterIndex == 1 ? TableFileFormat::Csv : TableFileFormat::Text;
  const std::string path = withTableExtension(chosen->path, format);
  char separator = ';';
  if (format == TableFileFormat::Csv &&
      showMessage(MsgCaption::Question, MsgIcon::Question,
                  workText(workTextRow::kCsvSeparatorQuestion),
                  MsgButtons::YesNo) != MsgAnswer::Yes)
    separator = ',';
  return saveTable(table, path, format, separator);
}

}  // namespace tavrel
