// The built vantorel-props, run through its path: what reaches stdout and
// stderr, and the exit code.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "Capture.h"
#include "Catalog.h"
#include "Display.h"
#include <vantorel/version.h>

namespace vantorel::cli {
namespace {

using testing::Outcome;
using testing::RunInProcess;
using testing::RunProgram;

TEST(ProgramTest, WritesAirAt310AndExitsWithZero) {
  const Outcome outcome = RunProgram({"air", "310"});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out.rfind("Air at T = 310 K\n", 0), 0u) << outcome.out;
  EXPECT_NE(outcome.out.find("  dynamic viscosity                         μ       189.3E-7  N·s/m²\n"),
            std::string::npos);
  EXPECT_EQ(outcome.out, RunInProcess({"air", "310"}).out);
}

TEST(ProgramTest, WritesJsonAndCsvAsTheLibraryDoes) {
  for (const char* format : {"csv", "json"}) {
    const std::vector<std::string> arguments = {"nitrogen", "--from", "100",      "--to", "1300",
                                                "--step",   "12.5",   "--format", format};
    const Outcome outcome = RunProgram(arguments);
    EXPECT_EQ(outcome.code, 0) << format;
    EXPECT_EQ(outcome.out, RunInProcess(arguments).out) << format;
  }
}

TEST(ProgramTest, HelpGoesToStdoutWithExitZero) {
  const Outcome outcome = RunProgram({"--help"});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.err, "");
  for (const char* word : {"--from", "--to", "--step", "--format", "--list", "--si", "--explain", "--version", "FLUID"})
    EXPECT_NE(outcome.out.find(word), std::string::npos) << word;
}

TEST(ProgramTest, VersionGoesToStdoutWithExitZero) {
  const Outcome outcome = RunProgram({"--version"});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "vantorel-props " VANTOREL_VERSION_STRING "\n");
}

TEST(ProgramTest, AnOutputThatCannotBeWrittenExitsWithOne) {
  const Outcome outcome = RunProgram({"air", "310"}, "/dev/full");
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "vantorel-props: could not write the output\n");
}

struct Refused {
  std::vector<std::string> arguments;
  std::string says;
};

std::ostream& operator<<(std::ostream& os, const Refused& r) {
  for (const std::string& a : r.arguments) os << '[' << a << ']';
  return os;
}

class RefusalTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusalTest, ExplainsInOneLineOnStderrWritesNothingAndExitsWithTwo) {
  const Outcome outcome = RunProgram(GetParam().arguments);
  EXPECT_EQ(outcome.code, 2);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err.rfind("vantorel-props: ", 0), 0u) << outcome.err;
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
  EXPECT_EQ(outcome.err.back(), '\n');
  EXPECT_NE(outcome.err.find(GetParam().says), std::string::npos) << outcome.err;
}

const std::string kOutside = "The temperature specified falls outside the temperature range.";

INSTANTIATE_TEST_SUITE_P(
    CommandLines, RefusalTest,
    ::testing::Values(
        Refused{{}, "no fluid given: FLUID T [T ...] (--list shows the fluids, --help the usage)"},
        Refused{{"argon", "300"}, "unknown fluid \"argon\"; closest: "}, Refused{{"ait", "310"}, "closest: air"},
        Refused{{"air"}, "no temperature given"}, Refused{{"air", "abc"}, "\"abc\" is not a temperature"},
        Refused{{"air", ""}, "\"\" is not a temperature"},
        Refused{{"air", "310KK"}, "\"310KK\" is not a temperature: give kelvin (310.5) or degrees with their unit"},
        Refused{{"air", "0x136K"}, "\"0x136K\" is not a temperature"},
        Refused{{"air", "nan"}, "\"nan\" is not a temperature"},
        Refused{{"air", "inf"}, "\"inf\" is not a temperature"},
        Refused{{"air", "1e999"}, "\"1e999\" is not a temperature"},
        // One bad temperature among good ones: nothing of the good ones is written.
        Refused{{"air", "310", "320", "5000"}, kOutside + " T = 5000 is not within 100K <= T <= 3000K for Air."},
        Refused{{"air", "99.9"}, kOutside},
        // A bare number that fits the range as degrees Celsius was most likely meant so.
        Refused{{"air", "25"},
                kOutside + " T = 25 is not within 100K <= T <= 3000K for Air; did you mean 25 °C = "
                           "298.15 K? write 25C"},
        Refused{{"saturated-water", "--from", "20", "--to", "30C", "--step", "1"},
                "--from 20 is not within 273.15K <= T <= 647.3K for Saturated Water; did you mean 20 °C = 293.15 K? "
                "write 20C"},
        Refused{{"air", "5000C"}, "T = 5000C = 5273.15 K is not within 100K <= T <= 3000K for Air."},
        Refused{{"air", "-300C"}, "T = -300C = -26.85 K is not within"},
        Refused{{"air", "--from", "50", "--to", "300", "--step", "1"}, kOutside},
        Refused{{"air", "--from", "300", "--to", "3001", "--step", "1"}, kOutside},
        // The planner's refusals, each in its words: temperatures_test.cpp.
        Refused{{"air", "--from", "300", "--to", "310", "--step", "0"}, "--step must be a positive number"},
        Refused{{"air", "--from", "x", "--to", "310", "--step", "1"}, "--from \"x\" is not a temperature"},
        Refused{{"air", "310", "--from", "300", "--to", "320", "--step", "1"}, "not both"},
        Refused{{"air", "--from", "300", "--to", "320"}, "needs all three"},
        Refused{{"--list", "air"}, "--list takes no fluid"},
        Refused{{"nak", "500"}, "\"nak\" could be nak-45 (NaK (45%/55%)) or nak-22 (NaK (22%/78%)): give one of them"},
        Refused{{"steem", "400"}, "closest: water-vapor"},
        Refused{{"air", "310", "--si"}, "--si goes with --format csv"},
        Refused{{"air", "310", "-f", "json", "--si"}, "--si goes with --format csv"},
        Refused{{"air", "310", "320", "--explain"}, "--explain works out one temperature"},
        Refused{{"air", "--from", "300", "--to", "310", "--step", "1", "--explain"}, "--explain works out one"},
        Refused{{"air", "310", "-f", "csv", "--explain"}, "--explain writes its working as text"},
        Refused{{"air", "310", "--format", "xml"}, "unknown format \"xml\""},
        // Usage errors found by the parser.
        Refused{{"air", "310", "--colour"}, "--colour (--help shows the usage)"},
        Refused{{"air", "--from"}, "--from"}));

}  // namespace
}  // namespace vantorel::cli
