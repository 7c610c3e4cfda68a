#include "cli_process.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <sstream>

namespace tavrel::test {

namespace {
std::string slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}
}  // namespace

CliResult runCli(const std::vector<std::string>& args, bool asNobody) {
  char outName[] = "/tmp/tavrel-cli-outXXXXXX";
  char errName[] = "/tmp/tavrel-cli-errXXXXXX";
  const int outFd = mkstemp(outName);
  const int errFd = mkstemp(errName);
  CliResult r;
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(outFd, 1);
    dup2(errFd, 2);
    if (asNobody && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(126);
    std::vector<char*> argv;
    std::string program = TAVREL_CLI_PATH;
    argv.push_back(program.data());
    std::vector<std::string> copy = args;
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execv(program.c_str(), argv.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  close(outFd);
  close(errFd);
  r.out = slurp(outName);
  r.err = slurp(errName);
  std::remove(outName);
  std::remove(errName);
  return r;
}

}  // namespace tavrel::test
