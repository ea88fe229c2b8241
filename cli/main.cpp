// vantorel-props: the tables' look-ups from a terminal or a script.

#include <cstdio>

#include "Cli.h"

int main(int argc, char** argv) { return vantorel::cli::Run(argc, argv, stdout, stderr); }
