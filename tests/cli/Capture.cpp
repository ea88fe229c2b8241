#include "Capture.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "Cli.h"

namespace vantorel::cli::testing {

namespace {

std::vector<const char*> Argv(const std::string& program, const std::vector<std::string>& arguments) {
  std::vector<const char*> argv{program.c_str()};
  for (const std::string& a : arguments) argv.push_back(a.c_str());
  argv.push_back(nullptr);
  return argv;
}

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

Outcome RunInProcess(const std::vector<std::string>& arguments) {
  char* outText = nullptr;
  char* errText = nullptr;
  std::size_t outSize = 0, errSize = 0;
  std::FILE* out = open_memstream(&outText, &outSize);
  std::FILE* err = open_memstream(&errText, &errSize);
  const std::string program = "vantorel-props";  // outlives argv, which points into it
  const auto argv = Argv(program, arguments);
  Outcome outcome;
  outcome.code = Run(static_cast<int>(argv.size()) - 1, argv.data(), out, err);
  std::fclose(out);
  std::fclose(err);
  outcome.out.assign(outText, outSize);
  outcome.err.assign(errText, errSize);
  std::free(outText);
  std::free(errText);
  return outcome;
}

Outcome RunProgram(const std::vector<std::string>& arguments, const std::string& stdoutPath) {
  char directory[] = "/tmp/vantorel-props-test-XXXXXX";
  if (!mkdtemp(directory)) return {};
  const std::string outPath = stdoutPath.empty() ? std::string(directory) + "/out" : stdoutPath;
  const std::string errPath = std::string(directory) + "/err";

  const std::string program = VANTOREL_PROPS;
  const auto argv = Argv(program, arguments);
  Outcome outcome;
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
    execv(program.c_str(), const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) outcome.code = WEXITSTATUS(status);
  if (stdoutPath.empty()) outcome.out = Slurp(outPath);
  outcome.err = Slurp(errPath);
  if (stdoutPath.empty()) std::remove(outPath.c_str());
  std::remove(errPath.c_str());
  rmdir(directory);
  return outcome;
}

}  // namespace vantorel::cli::testing
