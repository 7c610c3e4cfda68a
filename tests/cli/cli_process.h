// Runs tavrel-cli with arguments and captures its output and exit status.
#pragma once

#include <string>
#include <vector>

namespace tavrel::test {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult runCli(const std::vector<std::string>& args);

}  // namespace tavrel::test
