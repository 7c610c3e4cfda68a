#include "tables/rise_set_tables.h"

#include <cmath>

#include "astro/time_format.h"
#include "core/design_state.h"
#include "base/number_text.h"
#include "core/platform.h"
#include "tables/rise_set_search.h"
#include "tables/table_calendar.h"
#include "tables/table_texts.h"

namespace tavrel {

namespace {

std::string padLeft(std::string s, std::size_t width) {
  if (s.size() < width) s.insert(0, width - s.size(), ' ');
  return s;
}

std::string padRight(std::string s, std::size_t width) {
  // Width in characters, counting a UTF-8 sequence as one.
  std::size_t chars = 0;
  for (unsigned char c : s)
    if ((c & 0xC0) != 0x80) ++chars;
  if (chars < width) s.append(width - chars, ' ');
  return s;
}

std::string dayPrefix(int day) { return padLeft(std::to_string(day), 3) + ". "; }

// The words of a column-title line, split at blanks and "/".
std::vector<std::string> titleWords(const std::string& line) {
  std::vector<std::string> words;
  std::string w;
  for (char c : line) {
    if (c == ' ' || c == '/') {
      if (!w.empty()) words.push_back(w);
      w.clear();
    } else {
      w += c;
    }
  }
  if (!w.empty()) words.push_back(w);
  return words;
}

// Places words at the given field positions of a record of `count` fields.
std::vector<std::string> fieldsAt(const std::vector<std::string>& words,
                                  const std::vector<int>& positions, int count) {
  std::vector<std::string> fields(count);
  for (std::size_t i = 0; i < words.size() && i < positions.size(); ++i)
    fields[positions[i]] = words[i];
  return fields;
}

std::string positionLine(int longitudeWidth, int longitudeDecimals) {
  const DesignState& d = design();
  return " " + tablesText(TablesText::kCivilTime) + tablesText(TablesText::kNotDst) +
         tablesText(TablesText::kPosition) + fixedTextOrMessage(d.longitude, longitudeWidth, longitudeDecimals) +
         "°/" + fixedText(d.latitude, 5, 2) + "°";
}

TableLine text(std::string s, bool shown = true) {
  TableLine l;
  l.text = std::move(s);
  l.shownOnScreen = shown;
  return l;
}

}  // namespace

std::string monthTableRow(int year, int month, int day) {
  if (isCalendarReformGap(year, month, day))
    return "   ---  " + tablesText(TablesText::kOmittedDays) + "  --- ";
  std::string row = dayPrefix(day);
  row += riseSetTimes(RiseSetObject::Sun, year, month, day).cell;
  row += riseSetTimes(RiseSetObject::Twilight, year, month, day).cell;
  row += riseSetTimes(RiseSetObject::Moon, year, month, day).cell;
  const NoonSun sun = noonSun(year, month, day, design().zoneMeridian);
  row += formatMinutesSeconds(sun.eot) + " " + fixedText(sun.declination, 6, 2);
  return row;
}

std::string zoneLine() {
  // The zone runs -zoneMeridian / 15 hours ahead of UT.
  const double hours = -design().zoneMeridian / 15.0;
  const double magnitude = std::fabs(hours);
  std::string amount = fixedText(magnitude, 4, 0);
  if (std::fabs(magnitude - std::round(magnitude)) > 1e-9) {
    // A zone of half or quarter hours keeps its fraction.
    amount = fixedText(magnitude, 4, 2);
    while (amount.back() == '0') amount.pop_back();
    amount = padLeft(amount, 4);
  }
  return tablesText(TablesText::kZoneLine) + (hours >= 0 ? " +" : " -") + amount + " h)" +
         tablesText(TablesText::kNotDst);
}

SolarTable monthRiseSetTable(int year, int month) {
  SolarTable t;
  t.layout = TableLayout::MonthRiseSet;
  t.lines.push_back(text(tablesText(TablesText::kMonthTableTitle) + fullMonthName(month) + " " +
                         std::to_string(year)));
  t.lines.push_back(text(positionLine(6, 1)));
  t.lines.push_back(text(""));
  for (TablesText id : {TablesText::kMonthColumns1, TablesText::kMonthColumns2}) {
    TableLine l = text(tablesText(id));
    l.csv = CsvRule::Fields;
    const std::vector<std::string> words = titleWords(l.text);
    // Date, Sun, Twilight, Moon, EoT, Declin over the day-row fields; the
    // second line names the two events of each cell, the units last.
    l.fields = id == TablesText::kMonthColumns1 ? fieldsAt(words, {0, 1, 3, 5, 7, 8}, 10)
                                                : fieldsAt(words, {1, 2, 3, 4, 5, 6, 7, 8}, 10);
    t.lines.push_back(std::move(l));
  }
  const int days = daysInTableMonth(year, month);
  for (int day = 1; day <= days; ++day) {
    TableLine row = text(monthTableRow(year, month, day));
    if (!isCalendarReformGap(year, month, day)) row.csv = CsvRule::Cut;
    t.lines.push_back(std::move(row));
    if (day % 5 == 0) t.lines.push_back(text(""));
  }
  t.lines.push_back(text(std::string(60, ' ')));
  t.lines.push_back(text(zoneLine(), false));
  t.lines.push_back(text("   " + tablesText(TablesText::kTwilightDisplayed) +
                         twilightName(design().twilightKind) + "."));
  t.lines.push_back(text(tablesText(TablesText::kAuthorLine), false));
  t.lines.push_back(text(std::string(60, ' '), false));
  return t;
}

SolarTable halfYearSunTable(int year, int firstMonth) {
  const int first = firstMonth >= 7 ? 7 : 1;
  SolarTable t;
  t.layout = TableLayout::HalfYearRiseSet;

  TableLine columns = text("      ");
  columns.csv = CsvRule::Fields;
  columns.fields.push_back("");
  TableLine names = text(padRight(tablesText(TablesText::kDate), 6));
  names.csv = CsvRule::Fields;
  names.fields.push_back(tablesText(TablesText::kDate));
  for (int m = first; m < first + 6; ++m) {
    columns.text += tablesText(TablesText::kHalfYearColumn);
    for (const std::string& w : titleWords(tablesText(TablesText::kHalfYearColumn)))
      columns.fields.push_back(w);
    names.text += padRight(" " + fullMonthName(m), 21);
    names.fields.insert(names.fields.end(), {fullMonthName(m), "", ""});
  }
  while (!names.text.empty() && names.text.back() == ' ') names.text.pop_back();
  t.lines.push_back(std::move(columns));
  t.lines.push_back(std::move(names));
  t.lines.push_back(text(""));
  t.lines.push_back(text(positionLine(7, 2)));
  t.lines.push_back(
      text(" " + tablesText(TablesText::kHalfYearTitle) + std::to_string(year)));

  for (int day = 1; day <= 31; ++day) {
    TableLine row = text(dayPrefix(day));
    row.csv = CsvRule::Cut;
    for (int m = first; m < first + 6; ++m) {
      if (day > daysInTableMonth(year, m) || isCalendarReformGap(year, m, day)) {
        row.text += "       -------       ";
        continue;
      }
      row.text += riseSetTimes(RiseSetObject::Sun, year, m, day).cell;
      row.text += formatMinutesSeconds(noonSun(year, m, day, design().zoneMeridian).eot) + " ";
    }
    t.lines.push_back(std::move(row));
    if (day % 5 == 0 && day != 30) t.lines.push_back(text(""));
  }
  t.lines.push_back(text(std::string(110, ' ')));
  t.lines.push_back(text(tablesText(TablesText::kAuthorLine)));
  return t;
}

}  // namespace tavrel
