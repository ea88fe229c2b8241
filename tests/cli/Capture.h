#pragma once
// Runs vantorel-props with given arguments, in this process through Run or as
// the real program, and keeps what it wrote and its exit code.

#include <string>
#include <vector>

namespace vantorel::cli::testing {

struct Outcome {
  int code = -1;
  std::string out, err;
};

// Through Run, with both streams captured in memory.
Outcome RunInProcess(const std::vector<std::string>& arguments);

// The built program, with stdout sent to `stdoutPath` when one is given
// (then `out` stays empty) and otherwise captured.
Outcome RunProgram(const std::vector<std::string>& arguments, const std::string& stdoutPath = "");

}  // namespace vantorel::cli::testing
