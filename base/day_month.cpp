#include "base/day_month.h"

namespace tavrel {

namespace {

// Whole decimal number: leading blanks, an optional sign, at least one
// digit and nothing after it (the integer conversion of the entry fields).
bool parseInteger(std::string_view text, int& value) {
  std::size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  long long v = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
    if (v > 1000000) return false;  // far outside every day or month
  }
  value = static_cast<int>(negative ? -v : v);
  return true;
}

}  // namespace

bool isGregorianLeapYear(int year) {
  return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::optional<DayMonthParts> dayMonthOfEntry(std::string_view text, int year) {
  std::string_view dayPart = text.substr(0, 2);
  std::string_view monthPart;
  if (const std::size_t slash = text.find('/'); slash != std::string_view::npos)
    monthPart = text.substr(slash + 1, 2);
  if (dayPart.size() == 2 && (dayPart[1] == ' ' || dayPart[1] == '/')) dayPart = dayPart.substr(0, 1);
  if (monthPart.size() == 2 && monthPart[1] == ' ') monthPart = monthPart.substr(0, 1);

  int day = 0, month = 0;
  bool valid = !text.empty() && parseInteger(dayPart, day) && parseInteger(monthPart, month);
  if (valid) valid = month >= 1 && month <= 12 && day >= 1 && day <= 31;
  if (valid) {
    switch (month) {
      case 2:
        valid = day <= 28 || (day == 29 && isGregorianLeapYear(year));
        break;
      case 4: case 6: case 9: case 11:
        valid = day <= 30;
        break;
      default:
        break;
    }
  }
  if (!valid) return std::nullopt;
  return DayMonthParts{day, month};
}

}  // namespace tavrel
