#include <gtest/gtest.h>

#include <algorithm>

#include "SimTestSupport.h"
#include "sim/Options.h"

namespace {

using simtest::runSim;
using simtest::TempDir;

// A command line that must be refused before any work: the option its message must
// name. "{dir}" in an argument stands for the test's folder, so that a refused run
// with an output file can be checked for leaving nothing there.
struct BadOptionCase {
  std::vector<std::string> args;
  std::string named;  // text the one-line message must contain
};

void PrintTo(const BadOptionCase& c, std::ostream* os) { *os << simtest::joined(c.args); }

class BadOptions : public ::testing::TestWithParam<BadOptionCase> {};

TEST_P(BadOptions, OneLineNamingTheOptionExitTwoAndNoWork) {
  const TempDir dir;
  std::vector<std::string> args = GetParam().args;
  for (auto& a : args)
    if (const auto at = a.find("{dir}"); at != std::string::npos) a.replace(at, 5, dir.path());

  const auto result = runSim(args);

  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  EXPECT_EQ(result.err.rfind("korvalen-sim: ", 0), 0u) << result.err;
  EXPECT_NE(result.err.find(GetParam().named), std::string::npos) << result.err;
  EXPECT_TRUE(dir.entries().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BadOptions,
    ::testing::Values(
        // Unknown options and stray arguments.
        BadOptionCase{{"--frobnicate"}, "--frobnicate"}, BadOptionCase{{"-x"}, "-x"},
        BadOptionCase{{"60"}, "'60'"}, BadOptionCase{{"--help=yes"}, "--help"},
        // Missing values, the last one with an output file named before it.
        BadOptionCase{{"--duration"}, "--duration: missing value"},
        BadOptionCase{{"--csv", "{dir}/a.csv", "--wind"}, "--wind: missing value"},
        BadOptionCase{{"--csv="}, "--csv"},
        // Numbers that do not parse.
        BadOptionCase{{"--duration", "abc"}, "--duration"},
        BadOptionCase{{"--duration", "60s"}, "--duration"}, BadOptionCase{{"--duration", ""}, "--duration"},
        BadOptionCase{{"--duration", "nan"}, "--duration"},
        BadOptionCase{{"--duration", "inf"}, "--duration"}, BadOptionCase{{"--wind", "ten"}, "--wind"},
        BadOptionCase{{"--target", "100"}, "--target"}, BadOptionCase{{"--target", "1,2,3"}, "--target"},
        BadOptionCase{{"--target", "a,100"}, "--target"}, BadOptionCase{{"--target", "100,"}, "--target"},
        BadOptionCase{{"--repaints-per-tick", "2.5"}, "--repaints-per-tick"},
        BadOptionCase{{"--skip", "1e3"}, "--skip"},
        BadOptionCase{{"--skip", "99999999999999999999999"}, "--skip"},
        // Out of range.
        BadOptionCase{{"--duration", "-5", "--csv", "{dir}/a.csv"}, "--duration: must not be negative"},
        BadOptionCase{{"--duration", "0"}, "--duration"},
        BadOptionCase{{"--duration", "1e300"}, "--duration"}, BadOptionCase{{"--wind", "-1"}, "--wind"},
        BadOptionCase{{"--wind", "101"}, "--wind"}, BadOptionCase{{"--target", "100,1e6"}, "--target"},
        BadOptionCase{{"--repaints-per-tick", "-1"}, "--repaints-per-tick"},
        BadOptionCase{{"--skip", "-3"}, "--skip"},
        // Sweeps.
        BadOptionCase{{"--sweep-wind", "5:10:0"}, "--sweep-wind: STEP must be greater than 0"},
        BadOptionCase{{"--sweep-wind", "5:10:-1"}, "--sweep-wind"},
        BadOptionCase{{"--sweep-wind", "10:5:1"}, "--sweep-wind"},
        BadOptionCase{{"--sweep-wind", "5:10"}, "--sweep-wind"},
        BadOptionCase{{"--sweep-wind", "0:100:0.001"}, "--sweep-wind"},
        BadOptionCase{{"--sweep-wind", "5:10:1", "--runs", "0"}, "--runs"},
        BadOptionCase{{"--sweep-wind", "5:10:1", "--jobs", "0"}, "--jobs"},
        BadOptionCase{{"--sweep-wind", "0:100:0.5", "--runs", "10000"}, "--runs"},
        // Options that do not go together.
        BadOptionCase{{"--runs", "3"}, "--runs"}, BadOptionCase{{"--jobs", "2"}, "--jobs"},
        BadOptionCase{{"--sweep-wind", "5:10:1", "--wind", "7"}, "--wind"},
        BadOptionCase{{"--sweep-wind", "5:10:1", "--csv", "{dir}/a.csv"}, "--csv"},
        BadOptionCase{{"--csv", "{dir}/a", "--svg", "{dir}/a"}, "--svg"},
        BadOptionCase{{"--svg", "{dir}/a.svg", "--duration", "2000000"}, "--svg"}));

// Command lines that are accepted, and the run they describe.
struct GoodOptionCase {
  std::vector<std::string> args;
  sim::RunSettings expected;
};

void PrintTo(const GoodOptionCase& c, std::ostream* os) { *os << simtest::joined(c.args); }

class GoodOptions : public ::testing::TestWithParam<GoodOptionCase> {};

TEST_P(GoodOptions, GiveTheRun) {
  const sim::RunSettings run = sim::parseOptions(GetParam().args).run;
  const sim::RunSettings& expected = GetParam().expected;
  EXPECT_EQ(run.ticks, expected.ticks);
  EXPECT_EQ(run.wind, expected.wind);
  EXPECT_EQ(run.targetX, expected.targetX);
  EXPECT_EQ(run.targetY, expected.targetY);
  EXPECT_EQ(run.repaintsPerTick, expected.repaintsPerTick);
  EXPECT_EQ(run.skip, expected.skip);
}

INSTANTIATE_TEST_SUITE_P(
    Table, GoodOptions,
    ::testing::Values(
        // The defaults: an hour, wind 10, target (100, 100), 10 repaints, the start of the sequence.
        GoodOptionCase{{}, {10, 100, 100, 36000, 10, 0}},
        // Both spellings of a value; negative numbers after an option are its value.
        GoodOptionCase{{"--duration=60", "--target", "-50,20.5", "--wind=0"}, {0, -50, 20.5, 600, 10, 0}},
        // Durations round to whole ticks.
        GoodOptionCase{{"--duration", "0.25"}, {10, 100, 100, 3, 10, 0}},
        GoodOptionCase{{"--duration", "0.06"}, {10, 100, 100, 1, 10, 0}},
        // The last of a repeated option counts.
        GoodOptionCase{{"--skip", "5", "--repaints-per-tick", "0", "--skip", "7"},
                       {10, 100, 100, 36000, 0, 7}}));

TEST(SweepOptions, WindSpeedsAreTheDecimalsOneWouldType) {
  const auto options = sim::parseOptions({"--sweep-wind", "0:1:0.1", "--runs", "3", "--jobs", "2"});
  ASSERT_TRUE(options.sweep);
  const std::vector<double> expected = {0, 0.1, 0.2, 0.3, 0.4, 0.5, 0.6, 0.7, 0.8, 0.9, 1};
  EXPECT_EQ(options.windSweep.winds, expected);
  EXPECT_EQ(options.windSweep.runs, 3);
  EXPECT_EQ(options.windSweep.jobs, 2);

  // TO is included only when a whole number of steps reaches it.
  EXPECT_EQ(sim::parseOptions({"--sweep-wind", "5:10:2"}).windSweep.winds, (std::vector<double>{5, 7, 9}));
  EXPECT_EQ(sim::parseOptions({"--sweep-wind", "8:8:1"}).windSweep.winds, (std::vector<double>{8}));
}

TEST(Help, ListsEveryOptionAndRunsNothing) {
  const auto result = runSim({"--help"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  for (const char* option : {"--duration", "--wind", "--target", "--repaints-per-tick", "--skip", "--csv",
                             "--svg", "--sweep-wind", "--runs", "--jobs", "--help"})
    EXPECT_NE(result.out.find(option), std::string::npos) << option;
  EXPECT_NE(result.out.find("(default 3600)"), std::string::npos);
  EXPECT_NE(result.out.find("incomplete"), std::string::npos);
}

}  // namespace
