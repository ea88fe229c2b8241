// The built vantorel-props, run through its path: what reaches stdout and
// stderr, and the exit code.

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <ostream>
#include <string>
#include <vector>

#include <vantorel/vantorel.h>
#include "Capture.h"
#include "Request.h"

namespace vantorel::cli {
namespace {

using testing::Outcome;
using testing::RunInProcess;
using testing::RunProgram;
using testing::RunProgramIntoClosedPipe;

TEST(ProgramTest, WritesWhatItsLibraryWritesAndExitsWithZero) {
  for (const char* format : {"table", "csv", "json"}) {
    const std::vector<std::string> arguments = {"nitrogen", "--from", "100", "--to", "130",
                                                "--step",   "12.5",   "-f",  format};
    const Outcome outcome = RunProgram(arguments);
    EXPECT_EQ(outcome.code, 0) << format;
    EXPECT_EQ(outcome.err, "") << format;
    EXPECT_NE(outcome.out, "") << format;
    EXPECT_EQ(outcome.out, RunInProcess(arguments).out) << format;
  }
}

TEST(ProgramTest, HelpGoesToStdoutWithExitZero) {
  const Outcome outcome = RunProgram({"--help"});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.err, "");
  for (const char* word : {"--from", "--to", "--step", "--format", "--list", "--si", "--explain", "--version", "FLUID",
                           "\"state\"", "null"})
    EXPECT_NE(outcome.out.find(word), std::string::npos) << word;
  EXPECT_EQ(outcome.out.find("\"infinite\" for"), std::string::npos) << "JSON has no infinite string any more";
}

TEST(ProgramTest, VersionGoesToStdoutWithExitZero) {
  const Outcome outcome = RunProgram({"--version"});
  EXPECT_EQ(outcome.code, 0);
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(outcome.out, "vantorel-props " + std::string(Version()) + "\n");
}

TEST(ProgramTest, AnOutputThatCannotBeWrittenExitsWithOne) {
  const Outcome outcome = RunProgram({"air", "310"}, "/dev/full");
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "vantorel-props: could not write the output\n");
}

// `vantorel-props ... | head`: the sweep stops when its reader has gone,
// quietly by SIGPIPE as a filter does, or, where SIGPIPE is ignored, with
// exit code 1 and the one line.
TEST(ProgramTest, AClosedPipeStopsTheSweep) {
  const std::vector<std::string> sweep = {"air", "--from", "100", "--to", "3000", "--step", "0.0003", "-f", "json"};
  const Outcome killed = RunProgramIntoClosedPipe(sweep, false);
  EXPECT_EQ(killed.signal, SIGPIPE);
  EXPECT_EQ(killed.err, "");
  const Outcome told = RunProgramIntoClosedPipe(sweep, true);
  EXPECT_EQ(told.signal, 0);
  EXPECT_EQ(told.code, 1);
  EXPECT_EQ(told.err, "vantorel-props: could not write the output\n");
}

struct Refused {
  std::vector<std::string> arguments;
  std::string (*says)();  // the line without the program's name
};

std::ostream& operator<<(std::ostream& os, const Refused& r) {
  for (const std::string& a : r.arguments) os << '[' << a << ']';
  return os;
}

class RefusalTest : public ::testing::TestWithParam<Refused> {};

TEST_P(RefusalTest, SaysWhyInOneLineOnStderrWritesNothingAndExitsWithTwo) {
  const Outcome outcome = RunProgram(GetParam().arguments);
  EXPECT_EQ(outcome.code, 2);
  EXPECT_EQ(outcome.out, "");
  EXPECT_EQ(outcome.err, "vantorel-props: " + GetParam().says() + "\n");
  EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1) << outcome.err;
}

const Fluid& Air() { return **ResolveFluid("air"); }

// The library's refusals come in its words, once and unchanged; the
// command line's own are about how its options go together.
INSTANTIATE_TEST_SUITE_P(
    TheLibrarys, RefusalTest,
    ::testing::Values(Refused{{}, [] { return ResolveFluid("").error().message(); }},
                      Refused{{"", "300"}, [] { return ResolveFluid("").error().message(); }},
                      Refused{{"argon", "300"}, [] { return ResolveFluid("argon").error().message(); }},
                      Refused{{"nak", "500"}, [] { return ResolveFluid("nak").error().message(); }},
                      Refused{{"air", "0x12C"}, [] { return LookUpText(Air(), "0x12C").error().message(); }},
                      Refused{{"air", "5000"}, [] { return LookUpText(Air(), "5000").error().message(); }},
                      // One bad temperature among good ones: nothing of the good ones is written.
                      Refused{{"air", "310", "320", "25"}, [] { return LookUpText(Air(), "25").error().message(); }},
                      Refused{{"air", "--from", "300", "--to", "310", "--step", "0"},
                              [] { return PlanSweep(Air(), "300", "310", "0", kMaxSweepRows).error().message(); }},
                      Refused{
                          {"air", "--from", "100", "--to", "3000", "--step", "0.0001"},
                          [] { return PlanSweep(Air(), "100", "3000", "0.0001", kMaxSweepRows).error().message(); }},
                      Refused{{"air", "--from", "50", "--to", "300", "--step", "1"},
                              [] { return PlanSweep(Air(), "50", "300", "1", kMaxSweepRows).error().message(); }},
                      Refused{{"water", "--pressure", "300bar"},
                              [] { return LookUpPressure("water", "300bar").error().message(); }},
                      Refused{{"water", "-P", "2"}, [] { return LookUpPressure("water", "2").error().message(); }},
                      Refused{{"air", "--pressure", "1 bar"},
                              [] { return LookUpPressure("air", "1 bar").error().message(); }}));

INSTANTIATE_TEST_SUITE_P(
    TheCommandLines, RefusalTest,
    ::testing::Values(
        Refused{{"air"},
                [] { return std::string("no temperature given: FLUID T [T ...], or FLUID --from A --to B --step S"); }},
        Refused{{"air", "310", "--from", "300", "--to", "320", "--step", "1"},
                [] { return std::string("give either temperatures or --from/--to/--step, not both"); }},
        Refused{{"air", "--from", "300", "--to", "320"},
                [] { return std::string("a sweep needs all three of --from, --to and --step"); }},
        Refused{{"--list", "air"},
                [] {
                  return std::string("--list takes no fluid, no temperature and no --explain, --si, --pressure or --units");
                }},
        Refused{{"water", "310", "--pressure", "2bar"},
                [] { return std::string("give either temperatures or --pressure, not both"); }},
        Refused{{"air", "310", "--units", "metric"},
                [] { return std::string("unknown units \"metric\": use book, si, engineering or us"); }},
        Refused{{"air", "310", "--units", "us", "--si", "-f", "csv"},
                [] { return std::string("--si gives SI units: leave out --units us"); }},
        Refused{{"air", "310", "-f", "json", "--si"},
                [] {
                  return std::string(
                      "--si goes with --format csv (JSON gives each value in SI units as \"si\" already)");
                }},
        Refused{{"air", "--from", "300", "--to", "310", "--step", "1", "--explain"},
                [] { return std::string("--explain works out one temperature: give just one, and no sweep"); }},
        Refused{{"air", "310", "-f", "csv", "--explain"},
                [] { return std::string("--explain writes its working as text: leave out --format"); }},
        Refused{{"air", "310", "--format", "xml"},
                [] { return std::string("unknown format \"xml\": use table, csv or json"); }},
        Refused{{"air", "310", "--colour"}, [] {
                  return std::string("The following argument was not expected: --colour (--help shows the usage)");
                }}));

}  // namespace
}  // namespace vantorel::cli
