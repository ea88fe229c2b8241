#pragma once
// The library's version. CMake reads the project's version from these lines,
// so this file is the one place to change it.

#define VANTOREL_VERSION_MAJOR 1
#define VANTOREL_VERSION_MINOR 0
#define VANTOREL_VERSION_PATCH 0

#define VANTOREL_VERSION_STRINGIFY_(x) #x
#define VANTOREL_VERSION_STRINGIFY(x) VANTOREL_VERSION_STRINGIFY_(x)
// "1.0.0"
#define VANTOREL_VERSION_STRING                      \
  VANTOREL_VERSION_STRINGIFY(VANTOREL_VERSION_MAJOR) \
  "." VANTOREL_VERSION_STRINGIFY(VANTOREL_VERSION_MINOR) "." VANTOREL_VERSION_STRINGIFY(VANTOREL_VERSION_PATCH)
// One number that grows with each release: 10000 * major + 100 * minor + patch.
#define VANTOREL_VERSION (VANTOREL_VERSION_MAJOR * 10000 + VANTOREL_VERSION_MINOR * 100 + VANTOREL_VERSION_PATCH)
