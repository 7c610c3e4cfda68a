// Command-line parsing of tavrel-cli: the global options that come before
// the command, and the command with its own arguments.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/platform.h"

namespace tavrel::cli {

struct GlobalOptions {
  std::optional<std::string> dataFile;                     // --data FILE
  std::vector<std::pair<std::string, std::string>> sets;   // --set FIELD=VALUE, in order
  std::optional<int> language;                             // --lang de|en: 1 or 2
  bool answerYes = false;                                  // --answer yes|no
  std::optional<LocalDateTime> today;                      // --today YYYY-MM-DD
  bool help = false;                                       // --help / -h
  std::string command;                                     // empty: none given
  std::vector<std::string> commandArgs;
};

// Parses argv[1..]; on a usage error returns false with the message in
// `error` (one line, without the program name).
bool parseGlobalOptions(const std::vector<std::string>& args, GlobalOptions& out,
                        std::string& error);

// A finite decimal number with "." and nothing else around it.
std::optional<double> parseNumber(const std::string& text);
// A decimal integer and nothing else.
std::optional<int> parseInt(const std::string& text);
// "A<separator>B" with two numbers (--foot X,Y, --size WxH).
std::optional<std::pair<double, double>> parsePair(const std::string& text, char separator);

// "YYYY-MM-DD" with a real calendar date (Gregorian rule); nullopt otherwise.
std::optional<LocalDateTime> parseIsoDate(const std::string& text);

// The extension of a file's own name in lower case, without the dot ("" for none).
std::string lowerExtension(const std::string& path);

}  // namespace tavrel::cli
