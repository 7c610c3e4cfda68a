#include "core/field_checks.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "core/language.h"
#include "core/platform.h"
#include "base/number_text.h"

namespace tavrel {

namespace {

std::string_view trimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Message 13 is " Value has to be within Interval".
std::string intervalText(std::int32_t min, std::int32_t max) {
  return messageText(13) + " [" + std::to_string(min) + ".." + std::to_string(max) + "] !";
}

}  // namespace

std::optional<double> parseRealText(std::string_view text) {
  std::string_view s = trimBlanks(text);
  if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  double v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

std::optional<std::int32_t> parseIntText(std::string_view text) {
  std::string_view s = trimBlanks(text);
  if (s.size() > 1 && s.front() == '+' && s[1] != '-' && s[1] != '+') s.remove_prefix(1);
  if (s.empty()) return std::nullopt;
  std::int32_t v = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  return v;
}

bool checkRealField(EditField& field, double& target) {
  const std::string text = field.text();
  if (trimBlanks(text).empty()) {
    field.setText(fixedText(target, 7, 2));
    return true;
  }
  const std::optional<double> v = parseRealText(text);
  if (!v) {
    showMessage(MsgCaption::Problem, messageText(4));
    field.setText("");
    field.takeFocus();
    return false;
  }
  target = *v;
  return true;
}

bool checkIntField(EditField& field, std::int32_t min, std::int32_t max, const std::string& label,
                   std::int32_t& target) {
  const std::string text = field.text();
  if (trimBlanks(text).empty()) {
    field.setText(std::to_string(target));
    return true;
  }
  const std::optional<std::int32_t> v = parseIntText(text);
  if (v && *v >= min && *v <= max) {
    target = *v;
    return true;
  }
  showMessage(MsgCaption::Question, MsgIcon::Question, label + "=" + text + intervalText(min, max),
              MsgButtons::OkCancel);
  field.takeFocus();
  return false;
}

bool checkIntFieldAsk(EditField& field, std::int32_t min, std::int32_t max,
                      const std::string& label, std::int32_t& target) {
  const std::string text = field.text();
  if (trimBlanks(text).empty()) {
    field.setText(std::to_string(target));
    return true;
  }
  const std::optional<std::int32_t> v = parseIntText(text);
  if (v && *v >= min && *v <= max) {
    target = *v;
    return true;
  }
  const MsgAnswer answer =
      showMessage(MsgCaption::Question, MsgIcon::Question,
                  label + "=" + text + intervalText(min, max) + std::string(kMessageBreak) +
                      "     Nochmals eingeben?",
                  MsgButtons::YesNo);
  if (answer == MsgAnswer::Yes) {
    field.takeFocus();
    return false;
  }
  return true;
}

std::string rangedRealFilter(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == ',')
      out += '.';
    else if (c == '+' || c == '-' || c == '.' || (c >= '0' && c <= '9'))
      out += c;
  }
  return out;
}

bool checkRangedRealField(EditField& field, double& target, const std::string& label, double max,
                          double min) {
  const std::string filtered = rangedRealFilter(field.text());
  const std::optional<double> v = parseRealText(filtered);
  if (!v) {
    showMessage(MsgCaption::Problem, messageText(4));
    field.setText(fixedText(target, 8, 2));
    field.takeFocus();
    return false;
  }
  target = *v;
  if (*v > max || *v < min) {
    showMessage(MsgCaption::Problem, label + "=" + filtered + std::string(kMessageBreak) +
                                         messageText(13) + " [" + fixedText(min, 8, 2) +
                                         ", ...," + fixedText(max, 7, 1) + "] !");
    field.takeFocus();
    return false;
  }
  return true;
}

}  // namespace tavrel
