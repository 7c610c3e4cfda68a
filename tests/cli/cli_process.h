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

// asNobody: the program runs as the user "nobody" (65534), so that
// permission bits count as they do for a user (root may write anything).
CliResult runCli(const std::vector<std::string>& args, bool asNobody = false);

}  // namespace tavrel::test
