// libFuzzer target over the HPGL-to-DXF converter.
//
// The first input byte picks the line-width choice and the scale, the rest
// is the plot file. Besides the sanitizers (address, undefined) every DXF
// written is checked for the shape a DXF reader relies on: pairs of lines,
// each group code an integer, every numeric value a finite number, no NUL,
// the file ending with ENDSEC / 0 / EOF. Diagnostics must stay bounded.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/scripted_platform.h"
#include "dxf/dxf.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "hpgl2dxf_fuzz: %s: %s\n", what, detail.c_str());
  std::abort();
}

std::string trimmed(const std::string& s) {
  std::size_t a = s.find_first_not_of(' ');
  if (a == std::string::npos) return {};
  std::size_t b = s.find_last_not_of(' ');
  return s.substr(a, b - a + 1);
}

// A decimal number as DXF readers take it: sign, digits, one point,
// optional exponent; finite.
bool isNumber(const std::string& raw) {
  const std::string s = trimmed(raw);
  std::size_t i = 0, digits = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exponentDigits = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  if (i != s.size()) return false;
  return std::isfinite(std::strtod(s.c_str(), nullptr));
}

bool isGroupCode(const std::string& raw, long& code) {
  const std::string s = trimmed(raw);
  if (s.empty() || s.size() > 4) return false;
  for (char c : s)
    if (c < '0' || c > '9') return false;
  code = std::strtol(s.c_str(), nullptr, 10);
  return true;
}

void checkDxf(const std::string& bytes) {
  if (bytes.find('\0') != std::string::npos) fail("NUL in DXF", "");
  const std::string end = bytes.find("\r\n") != std::string::npos ? "\r\n" : "\r";
  std::vector<std::string> lines;
  std::size_t start = 0, at;
  while ((at = bytes.find(end, start)) != std::string::npos) {
    lines.push_back(bytes.substr(start, at - start));
    start = at + end.size();
  }
  if (start != bytes.size()) fail("last line without line end", bytes.substr(start));
  if (lines.size() % 2 != 0) fail("odd number of lines", std::to_string(lines.size()));
  if (lines.size() < 3 || lines[lines.size() - 3] != "ENDSEC" || lines.back() != "EOF")
    fail("file does not end with ENDSEC/0/EOF", "");
  for (std::size_t i = 0; i < lines.size(); i += 2) {
    long code = 0;
    if (!isGroupCode(lines[i], code)) fail("not a group code", lines[i]);
    const std::string& value = lines[i + 1];
    if (value.find_first_of("\r\n") != std::string::npos) fail("line end inside a value", value);
    if (code >= 10 && code <= 79 && !isNumber(value))
      fail("not a number", "group " + std::to_string(code) + ": '" + value + "'");
  }
}

struct Setup {
  tavrel::fuzz::FuzzFolder folder;
  fs::path dir{folder.path()};
  tavrel::ScriptedPlatform platform;
  Setup() { tavrel::setPlatform(&platform); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Setup setup;
  if (size == 0) return 0;
  static const double kScales[] = {40, 1000, 1, 0, 25.4, 0.001, -3, 7};
  const int lineWidth = 1 + data[0] % 3;
  const double scale = kScales[(data[0] / 3) % 8];

  const fs::path in = setup.dir / "in.plt";
  const fs::path out = setup.dir / "out.dxf";
  tavrel::fuzz::writeBytes(in.string(), data + 1, size - 1);
  std::error_code ec;
  fs::remove(out, ec);
  setup.platform.boxes.clear();

  const tavrel::DxfResult result = tavrel::convertHpglToDxf(in.string(), out.string(), lineWidth, scale);

  if (tavrel::infoLines().size() > 10001) fail("unbounded diagnostics", "");
  const bool exists = fs::exists(out);
  const bool written = result == tavrel::DxfResult::Converted ||
                       result == tavrel::DxfResult::NothingConverted;
  if (exists != written) fail("result and file disagree", std::to_string(static_cast<int>(result)));
  if (setup.platform.boxes.empty()) fail("no final message", "");
  if (exists) checkDxf(tavrel::fuzz::readBytes(out.string()).value_or(std::string()));
  // Nothing but the input and the output may remain in the folder.
  for (const auto& entry : fs::directory_iterator(setup.dir))
    if (entry.path() != in && entry.path() != out) fail("stray file", entry.path().string());
  return 0;
}
