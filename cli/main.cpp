// vantorel-props: the tables' look-ups from a terminal or a script.

#include <cstdio>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#endif

#include "Cli.h"

int main(int argc, char** argv) {
#ifdef _WIN32
  // The arguments arrive in UTF-8 (the program's manifest says so); the
  // console shows what it writes as UTF-8 too, and the lines end in "\n" as
  // on every other system, so a CSV or JSON file is the same byte for byte.
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
  return vantorel::cli::Run(argc, argv, stdout, stderr);
}
