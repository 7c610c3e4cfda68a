// The numeric field checks every input window runs when the user leaves a
// field or closes the window. A check reads the field's text, stores an
// accepted value in its target, and on a fault shows the program's box,
// puts the focus back into the field and reports failure; the caller then
// sets inputValid false. The checks see a field only through EditField,
// so they run the same with a real edit field and in tests without one.
//
// Labels are the field's caption with every "&" and ":" removed.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tavrel {

// A one-line edit field as the checks see it.
class EditField {
 public:
  virtual ~EditField() = default;
  virtual std::string text() const = 0;
  virtual void setText(const std::string& text) = 0;
  // The field gets the focus back after a failed check.
  virtual void takeFocus() = 0;
};

// The line break inside the program's messages (LF CR).
inline constexpr std::string_view kMessageBreak = "\n\r";

// A real number as the windows read it: blanks around it are ignored, "."
// is the decimal point, an exponent is allowed, a leading "+" too; the
// whole text must be the number and it must be finite.
std::optional<double> parseRealText(std::string_view text);

// An integer as the windows read it: blanks around it are ignored, an
// optional sign, digits only, within the 32-bit range.
std::optional<std::int32_t> parseIntText(std::string_view text);

// Empty field: shows the stored value (fixedText(target, 7, 2)), success.
// Not a number: problem box message 4, field cleared, focus, failure.
// Otherwise the value is stored.
bool checkRealField(EditField& field, double& target);

// Empty field: shows the stored value, success. An integer in [min, max]
// is stored. Anything else: question box (OK, Cancel) label + "=" + text +
// message 13 + " [" + min + ".." + max + "] !", focus, failure; the stored
// value is kept.
bool checkIntField(EditField& field, std::int32_t min, std::int32_t max, const std::string& label,
                   std::int32_t& target);

// As checkIntField, but the box ends with a line break and
// "     Nochmals eingeben?" and offers Yes and No: Yes = focus and failure,
// No = success without storing.
bool checkIntFieldAsk(EditField& field, std::int32_t min, std::int32_t max,
                      const std::string& label, std::int32_t& target);

// The text is reduced to "+", "-", "." and digits (a "," becomes ".") and
// the value stored in target at once. Not a number: problem box message 4,
// the field shows fixedText(target, 8, 2), focus, failure. Above max or
// below min: problem box label + "=" + the reduced text + line break +
// message 13 + " [" + fixedText(min, 8, 2) + ", ...," + fixedText(max, 7, 1)
// + "] !", focus, failure; the value stays stored.
bool checkRangedRealField(EditField& field, double& target, const std::string& label, double max,
                          double min);

// The reduction checkRangedRealField applies to a text ("12,5" -> "12.5",
// "1e3" -> "13").
std::string rangedRealFilter(std::string_view text);

}  // namespace tavrel
