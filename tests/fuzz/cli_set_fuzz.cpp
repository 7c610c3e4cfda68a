// libFuzzer harness: the global options of tavrel-cli on arbitrary
// arguments, above all the values of --set FIELD=VALUE.
//
// Input: the arguments, separated by NUL bytes ("--set\0latitude=47.5").
//
// Checked beyond "no crash, no hang, no sanitizer report": a usage error is
// one line (unless it quotes an argument that holds a line break); a --set
// that is refused names its field and leaves the record as it was; one that
// is taken gives the field a value that reads back as the same value, and
// that value set again changes nothing (what `show` prints goes back
// through --set unchanged).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "astro/startup.h"
#include "cli/cli_options.h"
#include "core/design_fields.h"
#include "core/design_state.h"
#include "core/scripted_platform.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace tavrel;

// Every field of the record as text, arrays and lists element by element.
std::vector<std::string> recordText(const DesignState& d) {
  std::vector<std::string> out;
  for (std::string name : designFieldNames()) {
    if (name.size() > 2 && name.compare(name.size() - 2, 2, "[]") == 0) {
      name.resize(name.size() - 2);
      for (std::size_t i = 0;; ++i) {
        const auto v = getDesignField(d, name + "[" + std::to_string(i) + "]");
        if (!v) break;
        out.push_back(*v);
      }
      out.push_back("|");
    } else {
      out.push_back(getDesignField(d, name).value_or("?"));
    }
  }
  return out;
}

// The whole text as a finite number (the reading back of a numeric field).
bool asNumber(const std::string& text, double& x) {
  if (text.empty()) return false;
  char* end = nullptr;
  x = std::strtod(text.c_str(), &end);
  return end == text.c_str() + text.size();
}

void checkSet(DesignState& d, const std::string& field, const std::string& value) {
  const std::vector<std::string> before = recordText(d);
  if (const auto error = setDesignField(d, field, value)) {
    fuzz::check(error->find(field.substr(0, field.find('['))) != std::string::npos,
                "a refused --set does not name its field");
    fuzz::check(recordText(d) == before, "a refused --set changed the record");
    return;
  }
  const auto shown = getDesignField(d, field);
  fuzz::check(shown.has_value(), "a field that was set cannot be read");
  double given = 0, read = 0;
  fuzz::check(*shown == value || (asNumber(value, given) && asNumber(*shown, read) && given == read),
              "a field reads back another value than was set");
  DesignState again = d;
  fuzz::check(!setDesignField(again, field, *shown), "the value read back is refused");
  fuzz::check(recordText(again) == recordText(d), "the value read back changes the record");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::StartedProgram setup;
  std::vector<std::string> args;
  std::string current;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == 0) {
      args.push_back(current);
      current.clear();
    } else {
      current += static_cast<char>(data[i]);
    }
  }
  args.push_back(current);

  for (const std::string& a : args) {
    if (const auto x = cli::parseNumber(a)) fuzz::check(std::isfinite(*x), "a number is not finite");
    if (const auto date = cli::parseIsoDate(a))
      fuzz::check(date->month >= 1 && date->month <= 12 && date->day >= 1 && date->day <= 31,
                  "an impossible date was taken");
  }

  cli::GlobalOptions options;
  std::string error;
  if (!cli::parseGlobalOptions(args, options, error)) {
    // One line, unless it quotes an argument that holds a line break.
    const bool breakGiven = std::any_of(args.begin(), args.end(), [](const std::string& a) {
      return a.find_first_of("\r\n") != std::string::npos;
    });
    fuzz::check(!error.empty() && (breakGiven || error.find_first_of("\r\n") == std::string::npos),
                "a usage error is not one line");
    return 0;
  }
  DesignState d = setup.started;
  for (const auto& [field, value] : options.sets) checkSet(d, field, value);
  return 0;
}
