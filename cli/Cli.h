#pragma once
// vantorel-props as a function: the command line in, the output and the
// messages written to the two files given, the exit code returned.
//
// Exit codes: 0 done; 2 the command line was refused (nothing is written to
// `out` then, and one line explains why on `err`); 1 the output could not be
// written.

#include <cstdio>

namespace vantorel::cli {

int Run(int argc, const char* const* argv, std::FILE* out, std::FILE* err);

}  // namespace vantorel::cli
