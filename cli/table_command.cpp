// table: the rise/set tables and the year tables as the table window shows
// and saves them, and the symmetric equation-of-time report.
#include <charconv>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "core/design_state.h"
#include "tables/sun_calculator_tables.h"
#include "tables/year_tables_graphs.h"

namespace tavrel::cli {
namespace {

void printLines(const std::vector<std::string>& lines) {
  for (const std::string& l : lines) std::cout << l << '\n';
}

int runTable(const std::vector<std::string>& args) {
  if (args.empty()) return usageError("table needs a KIND");
  const std::string kind = args[0];
  const bool isYearKind =
      kind == "eot" || kind == "eot-longitude" || kind == "declination" || kind == "transit";
  if (!isYearKind && kind != "riseset" && kind != "eot-symmetric")
    return usageError("unknown table kind '" + kind + "'");

  DesignState& d = design();
  int year = d.referenceYear;
  int month = d.calcMonth;
  std::string scope = "month";
  std::optional<std::string> out;
  std::optional<char> separator;
  int values = 288;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (i + 1 >= args.size()) return usageError(a + " needs a value");
    const std::string& v = args[++i];
    if (a == "--year") {
      const auto y = parseInt(v);
      if (!y || *y < 1300 || *y > 2500) return usageError("--year expects 1300..2500, got '" + v + "'");
      year = *y;
    } else if (a == "--month") {
      const auto m = parseInt(v);
      if (!m || *m < 1 || *m > 12) return usageError("--month expects 1..12, got '" + v + "'");
      month = *m;
    } else if (a == "--scope") {
      if (v != "month" && v != "h1" && v != "h2")
        return usageError("--scope expects month, h1 or h2, got '" + v + "'");
      scope = v;
    } else if (a == "--twilight") {
      if (v == "civil") d.twilightKind = 0;
      else if (v == "nautical") d.twilightKind = 1;
      else if (v == "astronomical") d.twilightKind = 2;
      else return usageError("--twilight expects civil, nautical or astronomical, got '" + v + "'");
    } else if (a == "--out") {
      out = v;
    } else if (a == "--separator") {
      if (v != ";" && v != ",") return usageError("--separator expects ';' or ',', got '" + v + "'");
      separator = v[0];
    } else if (a == "--values") {
      const auto n = parseInt(v);
      if (!n || !isEotPairCount(*n))
        return usageError("--values expects 72, 120, 144, 180, 240, 288 or 360, got '" + v + "'");
      values = *n;
    } else {
      return usageError("unknown table option '" + a + "'");
    }
  }

  TableFileFormat format = TableFileFormat::Text;
  if (out && !tableFileFormatOf(*out, format))
    return usageError("--out expects a file name ending in .txt or .csv, got '" + *out + "'");
  if (separator && format != TableFileFormat::Csv)
    return usageError("--separator applies to a CSV file only");

  if (kind == "eot-symmetric") {
    const EotPairReport report = eotPairReport(values, year);
    if (!out) {
      printLines(eotPairLines(report, false));
      return kExitOk;
    }
    return saveEotPairReport(report, *out, format == TableFileFormat::Csv) ? kExitOk : kExitFailed;
  }

  SolarTable table;
  if (kind == "riseset") {
    if (scope == "month") table = monthRiseSetTable(year, month);
    else table = halfYearSunTable(year, scope == "h1" ? 1 : 7);
  } else {
    const YearTableKind k = kind == "eot"             ? YearTableKind::Eot
                            : kind == "eot-longitude" ? YearTableKind::EotLongitude
                            : kind == "declination"   ? YearTableKind::Declination
                                                      : YearTableKind::Transit;
    table = yearTable(year, k);
  }
  if (!out) {
    printLines(tableLines(table));
    return kExitOk;
  }
  return saveTable(table, *out, format, separator.value_or(';')) ? kExitOk : kExitFailed;
}

const CommandRegistrar kTable{
    {"table",
     "table KIND [--year Y] [--month M] [--scope month|h1|h2]\n"
     "         [--twilight civil|nautical|astronomical] [--out F.txt|F.csv]\n"
     "         [--separator ';'|','] [--values N]\n"
     "                     KIND: riseset, eot, eot-longitude, declination, transit,\n"
     "                     eot-symmetric (--values 72..360, default 288); text to\n"
     "                     stdout, or the file as the table window saves it",
     runTable}};

}  // namespace
}  // namespace tavrel::cli
