// libFuzzer harness: the four outline tools of the drawing window on
// arbitrary files.
//
// Input: one byte of options, then the outline file.
//   bits 0..1  the tool: halve, join, shorten decimals, search
//   bits 2..4  the number of decimals of "shorten" (0 .. 7)
//
// Checked beyond "no crash, no hang, no sanitizer report": the tool asks
// once and ends with one message; its output appears complete (every line
// ended by CR LF) or not at all, and nothing else is left in the folder;
// halving and joining write only lines of the input, never more of them;
// shortening writes no more lines than it read, and each point it writes
// reads back as numbers with the chosen decimals; a search lists
// increasing numbers of point lines of the input.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/scripted_platform.h"
#include "core/world_outline_lines.h"
#include "dials/world_map/outline_tools.h"
#include "dials/world_map/world_outline.h"
#include "tests/fuzz/fuzz_support.h"

namespace {

using namespace tavrel;

struct Setup {
  fuzz::FuzzFolder folder;
  ScriptedPlatform platform;
  Setup() { setPlatform(&platform); }
};

// The input's lines as the tools take them: leading blanks off, at most
// 49 characters.
std::vector<std::string> toolLines(const std::string& bytes) {
  std::vector<std::string> lines = outlineLines(bytes);
  for (std::string& l : lines) {
    const std::size_t start = l.find_first_not_of(' ');
    l = start == std::string::npos ? std::string() : l.substr(start, 49);
  }
  return lines;
}

// The output's lines; every one must end with CR LF.
std::vector<std::string> outputLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = bytes.find("\r\n", start)) != std::string::npos) {
    lines.push_back(bytes.substr(start, end - start));
    start = end + 2;
  }
  fuzz::check(start == bytes.size(), "the output's last line has no CR LF");
  return lines;
}

bool hasDecimals(double v, int n) {
  const double scaled = v * std::pow(10.0, n);
  return std::fabs(scaled - std::round(scaled)) <= 1e-6 * std::max(1.0, std::fabs(scaled));
}

void checkOutput(OutlineTool tool, int decimals, const std::vector<std::string>& in,
                 const std::vector<std::string>& out) {
  const std::set<std::string> inputs(in.begin(), in.end());
  switch (tool) {
    case OutlineTool::Halve:
    case OutlineTool::Join:
      fuzz::check(out.size() <= in.size(), "more lines written than read");
      for (const std::string& l : out) fuzz::check(inputs.count(l) == 1, "a written line is not an input line");
      break;
    case OutlineTool::Shorten:
      fuzz::check(out.size() <= in.size(), "more lines written than read");
      for (const std::string& l : out) {
        // Lines that are no point (comments, short or text lines) are copied as separators.
        if (inputs.count(l) == 1 && !isToolPointLine(l)) continue;
        double a = 0, b = 0;
        outlineValues(l, a, b);
        fuzz::check(hasDecimals(a, decimals) && hasDecimals(b, decimals),
                    "a shortened point has more decimals than asked");
      }
      break;
    case OutlineTool::Search: {
      std::size_t previous = 0;
      for (const std::string& l : out) {
        fuzz::check(!l.empty() && l.find_first_not_of("0123456789") == std::string::npos,
                    "a search result is not a line number");
        const std::size_t n = std::stoul(l);
        fuzz::check(n > previous && n <= in.size(), "search results out of order or range");
        fuzz::check(isToolPointLine(in[n - 1]), "a search result is no point line");
        previous = n;
      }
      break;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Setup setup;
  if (size == 0) return 0;
  const auto tool = static_cast<OutlineTool>(data[0] & 3);
  const int decimals = (data[0] >> 2) & 7;

  setup.folder.clear();
  const std::string input = setup.folder.file("outline.dat");
  fuzz::writeBytes(input, data + 1, size - 1);
  setup.platform.boxes.clear();
  setup.platform.answers = {tool == OutlineTool::Shorten ? MsgAnswer::Yes : MsgAnswer::Ok};

  bool written = false;
  std::string output;
  switch (tool) {
    case OutlineTool::Halve:
      written = halveOutlineFile(input);
      output = outlineToolOutputName(input, "_halb.dat");
      break;
    case OutlineTool::Join:
      written = joinOutlineSegments(input);
      output = outlineToolOutputName(input, "_verbd.dat");
      break;
    case OutlineTool::Shorten:
      written = shortenDecimals(input, decimals);
      output = outlineToolOutputName(input, "_Dez_" + std::to_string(decimals) + ".dat");
      break;
    case OutlineTool::Search:
      written = searchOutlineLines(input);
      output = outlineToolOutputName(input, "_Info.dat");
      break;
  }
  fuzz::check(setup.platform.boxes.size() == 2, "a tool asks once and ends with one message");
  for (const auto& entry : std::filesystem::directory_iterator(setup.folder.path())) {
    const std::string name = entry.path().string();
    fuzz::check(name == input || (written && name == output), "a stray file remains");
  }
  if (!written) return 0;
  const std::string in(reinterpret_cast<const char*>(data + 1), size - 1);
  const auto out = fuzz::readBytes(output);
  fuzz::check(out.has_value(), "the output is missing");
  checkOutput(tool, decimals, toolLines(in), outputLines(*out));
  return 0;
}
