#pragma once
// Runs vantorel-props with given arguments, in this process through Run or as
// the real program, and keeps what it wrote and its exit code.

#include <string>
#include <vector>

namespace vantorel::cli::testing {

struct Outcome {
  int code = -1;   // the exit code; -1 when a signal ended the program
  int signal = 0;  // the signal that ended it, if one did
  std::string out, err;
};

// Through Run, with both streams captured in memory.
Outcome RunInProcess(const std::vector<std::string>& arguments);

// The built program, with stdout sent to `stdoutPath` when one is given
// (then `out` stays empty) and otherwise captured.
Outcome RunProgram(const std::vector<std::string>& arguments, const std::string& stdoutPath = "");

// The built program writing into a pipe nobody reads any more, as in
// `vantorel-props ... | head -1` once head has gone; with SIGPIPE ignored, as
// some parents leave it, when `ignoreSigpipe`.
Outcome RunProgramIntoClosedPipe(const std::vector<std::string>& arguments, bool ignoreSigpipe);

}  // namespace vantorel::cli::testing
