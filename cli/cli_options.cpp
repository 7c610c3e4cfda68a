#include "cli/cli_options.h"

#include <charconv>
#include <cmath>

namespace tavrel::cli {

namespace {

bool isLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int daysInMonth(int y, int m) {
  static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return m == 2 && isLeap(y) ? 29 : kDays[m - 1];
}

bool parseFixedDigits(const std::string& s, std::size_t pos, std::size_t n, int& out) {
  if (pos + n > s.size()) return false;
  for (std::size_t i = pos; i < pos + n; ++i)
    if (s[i] < '0' || s[i] > '9') return false;
  std::from_chars(s.data() + pos, s.data() + pos + n, out);
  return true;
}

}  // namespace

std::optional<double> parseNumber(const std::string& text) {
  double v = 0;
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(text.data(), last, v);
  if (ec != std::errc() || end != last || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<int> parseInt(const std::string& text) {
  int v = 0;
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(text.data(), last, v);
  if (ec != std::errc() || end != last) return std::nullopt;
  return v;
}

std::optional<std::pair<double, double>> parsePair(const std::string& text, char separator) {
  const std::size_t at = text.find(separator);
  if (at == std::string::npos) return std::nullopt;
  const auto a = parseNumber(text.substr(0, at)), b = parseNumber(text.substr(at + 1));
  if (!a || !b) return std::nullopt;
  return std::make_pair(*a, *b);
}

std::optional<LocalDateTime> parseIsoDate(const std::string& text) {
  LocalDateTime d;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  if (!parseFixedDigits(text, 0, 4, d.year) || !parseFixedDigits(text, 5, 2, d.month) ||
      !parseFixedDigits(text, 8, 2, d.day))
    return std::nullopt;
  if (d.year < 1 || d.month < 1 || d.month > 12 || d.day < 1 ||
      d.day > daysInMonth(d.year, d.month))
    return std::nullopt;
  d.hour = 12;
  return d;
}

bool parseGlobalOptions(const std::vector<std::string>& args, GlobalOptions& out,
                        std::string& error) {
  std::size_t i = 0;
  auto needValue = [&](const std::string& opt) -> const std::string* {
    if (i + 1 >= args.size()) {
      error = "option " + opt + " needs a value";
      return nullptr;
    }
    return &args[++i];
  };
  for (; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      out.help = true;
    } else if (a == "--data") {
      const std::string* v = needValue(a);
      if (!v) return false;
      out.dataFile = *v;
    } else if (a == "--set") {
      const std::string* v = needValue(a);
      if (!v) return false;
      const auto eq = v->find('=');
      if (eq == std::string::npos || eq == 0) {
        error = "--set expects FIELD=VALUE, got '" + *v + "'";
        return false;
      }
      out.sets.emplace_back(v->substr(0, eq), v->substr(eq + 1));
    } else if (a == "--lang") {
      const std::string* v = needValue(a);
      if (!v) return false;
      if (*v == "de") out.language = 1;
      else if (*v == "en") out.language = 2;
      else {
        error = "--lang expects de or en, got '" + *v + "'";
        return false;
      }
    } else if (a == "--answer") {
      const std::string* v = needValue(a);
      if (!v) return false;
      if (*v == "yes") out.answerYes = true;
      else if (*v == "no") out.answerYes = false;
      else {
        error = "--answer expects yes or no, got '" + *v + "'";
        return false;
      }
    } else if (a == "--today") {
      const std::string* v = needValue(a);
      if (!v) return false;
      out.today = parseIsoDate(*v);
      if (!out.today) {
        error = "--today expects a date YYYY-MM-DD, got '" + *v + "'";
        return false;
      }
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option '" + a + "'";
      return false;
    } else {
      out.command = a;
      out.commandArgs.assign(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
      return true;
    }
  }
  return true;
}

std::string lowerExtension(const std::string& path) {
  const std::size_t dot = path.find_last_of('.');
  const std::size_t slash = path.find_last_of("/\\");
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  std::string ext = path.substr(dot + 1);
  for (char& c : ext)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return ext;
}

}  // namespace tavrel::cli
