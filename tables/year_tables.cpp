#include "tables/year_tables.h"

#include <cmath>

#include "astro/calendar.h"
#include "astro/time_format.h"
#include "core/design_state.h"
#include "base/number_text.h"
#include "tables/table_calendar.h"
#include "tables/table_texts.h"

namespace tavrel {

namespace {

TableLine line(std::string s, CsvRule csv = CsvRule::OneField) {
  TableLine l;
  l.text = std::move(s);
  l.csv = csv;
  return l;
}

std::string trimLeft(const std::string& s) {
  const std::size_t p = s.find_first_not_of(' ');
  return p == std::string::npos ? std::string() : s.substr(p);
}

}  // namespace

std::string transitText(double d) {
  std::string hour = "12:";
  if (d >= 15) {
    hour = "13:";
    d -= 15;
  } else if (d < 0) {
    hour = "11:";
    d += 15;
  }
  std::string mmss = trimLeft(formatMinutesSeconds(d));
  if (mmss.size() < 5) mmss.insert(0, 5 - mmss.size(), '0');
  // Just below a full hour the seconds round up to "60:00", which is the
  // next hour.
  if (mmss.rfind("60:", 0) == 0) {
    hour = hour == "11:" ? "12:" : hour == "12:" ? "13:" : "14:";
    mmss.replace(0, 2, "00");
  }
  return hour + mmss;
}

std::string yearTableCell(int year, int month, int day, YearTableKind kind, double correction) {
  const NoonSun sun = noonSun(year, month, day, design().zoneMeridian);
  switch (kind) {
    case YearTableKind::Eot:
    case YearTableKind::EotLongitude: return formatMinutesSeconds(sun.eot - correction);
    case YearTableKind::Declination: {
      const double rounded = static_cast<double>(roundHalfEven(sun.declination * 1000)) / 1000;
      return fixedText(rounded, 6, 2);
    }
    case YearTableKind::Transit: return transitText(correction - sun.eot);
  }
  return {};
}

SolarTable yearTable(int year, YearTableKind kind) {
  const DesignState& st = design();
  const double zone = st.zoneMeridian;
  const double longitude = st.longitude;
  const bool corrected = kind == YearTableKind::EotLongitude || kind == YearTableKind::Transit;
  const double correction = corrected ? longitude - zone : 0.0;
  const std::string yearText = std::to_string(year);

  SolarTable t;
  t.layout = kind == YearTableKind::Transit ? TableLayout::YearTransit : TableLayout::Year;
  auto add = [&](std::string s) { t.lines.push_back(line(std::move(s))); };

  switch (kind) {
    case YearTableKind::Eot:
      add(tablesText(TablesText::kEotTitle) + yearText + "  " + tablesText(TablesText::kZoneMeridianIs) +
          fixedText(zone, 5, 1) + "° )");
      break;
    case YearTableKind::EotLongitude: add(tablesText(TablesText::kEotLongitudeTitle) + yearText); break;
    case YearTableKind::Declination:
      add(tablesText(TablesText::kDeclinationTitle) + yearText + "  " +
          tablesText(TablesText::kZoneMeridianIs) + fixedText(zone, 6, 1) + "° )");
      break;
    case YearTableKind::Transit: add(tablesText(TablesText::kTransitTitle)); break;
  }
  add("");
  add("");
  switch (kind) {
    case YearTableKind::Eot: add(tablesText(TablesText::kEotDefinition)); break;
    case YearTableKind::EotLongitude: add(tablesText(TablesText::kCivilTimeRule)); break;
    default: add(""); break;
  }
  if (kind == YearTableKind::Transit)
    add(tablesText(TablesText::kTransitNote) + yearText);
  else
    add(tablesText(TablesText::kNoonNote));
  if (corrected)
    add(tablesText(TablesText::kLongitudeCorrection) + fixedText(longitude, 7, 2) + "° = " +
        formatMinutesSeconds(correction) + tablesText(TablesText::kMinSec) +
        tablesText(TablesText::kZoneMeridianIs) + fixedText(zone, 6, 1) + "° )");
  else
    add("");
  add("");
  // The screen leaves out one of the lines above.
  const int hidden = kind == YearTableKind::Transit        ? 3
                     : kind == YearTableKind::EotLongitude ? 4
                                                           : 5;
  t.lines[hidden].shownOnScreen = false;

  const int cellWidth = kind == YearTableKind::Transit ? 8 : 6;
  // "      Jan    Feb ..." (columns of 7) or "      Jan      Feb ..." (9).
  std::string header = kind == YearTableKind::Transit ? "" : "  ";
  for (int m = 1; m <= 12; ++m) header += std::string(cellWidth - 2, ' ') + monthAbbreviation(m, design().language);
  t.lines.push_back(line(header, CsvRule::Cut));

  for (int day = 1; day <= 31; ++day) {
    if (day % 5 == 1 && day <= 26) t.lines.push_back(line("", CsvRule::Cut));
    std::string row = fixedText(day, 2, 0) + ".";
    for (int m = 1; m <= 12; ++m) {
      if (isCalendarReformGap(year, m, day))
        row += kind == YearTableKind::Transit ? "   ----  " : "   ----";
      else if (day > daysInTableMonth(year, m))
        row += std::string(cellWidth + 1, ' ');
      else
        row += " " + yearTableCell(year, m, day, kind, correction);
    }
    t.lines.push_back(line(row, CsvRule::Cut));
  }
  t.lines.push_back(line(tablesText(TablesText::kAuthorLine)));
  return t;
}

}  // namespace tavrel
