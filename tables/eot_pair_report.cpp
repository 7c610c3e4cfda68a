#include "tables/eot_pair_report.h"

#include <optional>

#include "astro/startup.h"
#include "core/design_state.h"
#include "core/language.h"
#include "core/platform.h"
#include "base/text_encoding.h"
#include "base/safe_file_writer.h"
#include "base/number_text.h"
#include "tables/solar_table.h"
#include "tables/table_texts.h"

namespace tavrel {

namespace {

const std::vector<std::string> kColumnNames = {"nr",     "lam",  "delta",       "EoT[s]",
                                               "Eotsym", "m:ss", "Vgl. Kepler", "Vgl. Reihe"};
const int kColumnWidths[] = {4, 7, 8, 7, 7, 7, 12, 11};

std::string padLeft(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string trimmed(const std::string& s) {
  const std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  return s.substr(a, s.find_last_not_of(' ') - a + 1);
}

}  // namespace

bool isEotPairCount(int values) {
  for (int v : {72, 120, 144, 180, 240, 288, 360})
    if (v == values) return true;
  return false;
}

EotPairReport eotPairReport(int values, int year) {
  EotPairReport r;
  r.values = values;
  r.year = year;
  buildEotSeriesTable(values, year);
  const std::vector<EotSeriesRow>& rows = design().eotSeriesReport;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const EotSeriesRow& row = rows[i];
    r.rows.push_back({fixedText(static_cast<double>(i), 4, 0), fixedText(row.lambda, 7, 2),
                      fixedText(row.declination, 8, 3), fixedText(row.eotSeconds, 7, 0),
                      fixedText(row.eotAntisymmetric, 7, 0), padLeft(row.eotMinutesText, 7),
                      padLeft(row.eotKeplerText, 12), padLeft(row.eotSeriesText, 11)});
  }
  return r;
}

std::string eotPairPrintHeader(const EotPairReport& report) {
  return " nr    lam   delta   EoT[s]  Eotsym   (" + std::to_string(report.values) + " Zeilen)";
}

std::vector<std::string> eotPairLines(const EotPairReport& report, bool csv) {
  std::vector<std::string> lines;
  std::vector<std::string> names;
  for (std::size_t k = 0; k < kColumnNames.size(); ++k)
    names.push_back(csv ? kColumnNames[k] : padLeft(kColumnNames[k], kColumnWidths[k]));
  auto join = [&](const std::vector<std::string>& fields) {
    if (csv) {
      std::vector<std::string> t;
      for (const std::string& f : fields) t.push_back(trimmed(f));
      return csvRecord(t, ';');
    }
    std::string s;
    for (std::size_t k = 0; k < fields.size(); ++k) s += (k ? "/" : "") + fields[k];
    return s;
  };
  lines.push_back(join(names));
  for (const auto& row : report.rows) lines.push_back(join(row));
  return lines;
}

bool saveEotPairReport(const EotPairReport& report, const std::string& path, bool csv) {
  if (writeFileSafely(path, encodeFileLines(eotPairLines(report, csv)))) {
    showMessage(MsgCaption::Error, MsgIcon::Error, tablesText(TablesText::kSaveError) + path);
    return false;
  }
  showMessage(MsgCaption::Information, path + messageText(58));
  return true;
}

bool saveEotPairReportAs(const EotPairReport& report) {
  FileDialogRequest request;
  request.title = dialogTitle(DialogTitle::SaveTable);
  request.filter = "Textfile(*.txt)|*.txt|Excel-Format (*.csv)|*.csv|alle Formate  (*.*)|*.*";
  request.defaultExtension = "txt";
  request.initialName = "EoT-Paare";
  const std::optional<std::string> chosen = platform().saveFileName(request);
  if (!chosen || chosen->empty()) {
    showMessage(MsgCaption::Information, messageText(1));
    return false;
  }
  TableFileFormat format = TableFileFormat::Text;
  const bool csv = tableFileFormatOf(*chosen, format) && format == TableFileFormat::Csv;
  return saveEotPairReport(report, *chosen, csv);
}

}  // namespace tavrel
