#include "Capture.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

// Runs the built program with stderr captured and its stdout the file
// descriptor `out`, which this process closes once the child has it.
Outcome RunWithStdout(const std::vector<std::string>& arguments, int out, bool ignoreSigpipe) {
  char directory[] = "/tmp/vantorel-props-test-XXXXXX";
  if (!mkdtemp(directory)) return {};
  const std::string errPath = std::string(directory) + "/err";
  const std::string program = VANTOREL_PROPS;
  const auto argv = Argv(program, arguments);
  const pid_t pid = fork();
  if (pid == 0) {
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || err < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0) _exit(127);
    std::signal(SIGPIPE, ignoreSigpipe ? SIG_IGN : SIG_DFL);  // SIG_IGN outlives exec
    execv(program.c_str(), const_cast<char* const*>(argv.data()));
    _exit(127);
  }
  close(out);
  Outcome outcome;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid) {
    if (WIFEXITED(status)) outcome.code = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) outcome.signal = WTERMSIG(status);
  }
  outcome.err = Slurp(errPath);
  std::remove(errPath.c_str());
  rmdir(directory);
  return outcome;
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
  Outcome outcome = RunWithStdout(arguments, open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), false);
  if (stdoutPath.empty()) {
    outcome.out = Slurp(outPath);
    std::remove(outPath.c_str());
  }
  rmdir(directory);
  return outcome;
}

Outcome RunProgramIntoClosedPipe(const std::vector<std::string>& arguments, bool ignoreSigpipe) {
  int ends[2];
  if (pipe(ends) != 0) return {};
  close(ends[0]);  // nobody will read
  return RunWithStdout(arguments, ends[1], ignoreSigpipe);
}

}  // namespace vantorel::cli::testing
