#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

#include "SimTestSupport.h"

namespace {

using simtest::Csv;
using simtest::parseExact;
using simtest::readCsv;
using simtest::runSim;
using simtest::TempDir;

// The figures of a run worked out here from its log, independently of the program:
// distances from the target at the end of each tick.
struct Figures {
  struct Score {
    std::string state;  // "complete", "incomplete" or "not reached"
    double entryTime;   // s
    double mean;        // m, over the window ticks the run covered
    double minutes;     // of the window covered
  };
  Score score20, score15;
  double lastHalfMean, lastHalfLargest;
  double within12, within20;  // %
  int legChanges;
  double negativeSpeed, rudderAtLimit;  // %
};

Figures figuresFromCsv(const Csv& csv, double targetX, double targetY) {
  constexpr float kRudderLimit = 0.62831855f;
  const std::size_t ticks = csv.rows.size();
  std::vector<double> d;
  Figures f{};
  int within12 = 0, within20 = 0, negative = 0, atLimit = 0;
  double previousQ = 3;  // a new boat starts on leg 3
  for (const auto& row : csv.rows) {
    const double x = parseExact<float>(row[csv.column("x")]), y = parseExact<float>(row[csv.column("y")]);
    d.push_back(std::hypot(x - targetX, y - targetY));
    within12 += d.back() <= 12;
    within20 += d.back() <= 20;
    const double q = parseExact<double>(row[csv.column("q")]);
    f.legChanges += q != previousQ;
    previousQ = q;
    negative += parseExact<float>(row[csv.column("v")]) < 0;
    atLimit += std::fabs(parseExact<float>(row[csv.column("deltag")])) == kRudderLimit;
  }
  auto score = [&](double radius) {
    Figures::Score s{"not reached", 0, 0, 0};
    std::size_t entry = 0;
    while (entry < ticks && !(d[entry] <= radius)) ++entry;
    if (entry == ticks) return s;
    // The five minutes after the tick of entry: 3000 ticks, or as many as are left.
    const std::size_t end = std::min(ticks, entry + 1 + 3000);
    double sum = 0;
    for (std::size_t i = entry + 1; i < end; ++i) sum += d[i];
    const std::size_t covered = end - entry - 1;
    s.state = covered == 3000 ? "complete" : "incomplete";
    s.entryTime = double(entry + 1) / 10;
    s.mean = covered > 0 ? sum / double(covered) : 0;
    s.minutes = double(covered) / 600;
    return s;
  };
  f.score20 = score(20);
  f.score15 = score(15);
  double sum = 0;
  for (std::size_t i = ticks / 2; i < ticks; ++i) {
    sum += d[i];
    f.lastHalfLargest = std::max(f.lastHalfLargest, d[i]);
  }
  f.lastHalfMean = sum / double(ticks - ticks / 2);
  f.within12 = 100.0 * within12 / double(ticks);
  f.within20 = 100.0 * within20 / double(ticks);
  f.negativeSpeed = 100.0 * negative / double(ticks);
  f.rudderAtLimit = 100.0 * atLimit / double(ticks);
  return f;
}

// The number after `label` in the summary; fails the test when the line is missing.
double figureAfter(const std::string& summary, const std::string& label) {
  const auto at = summary.find(label);
  if (at == std::string::npos) {
    ADD_FAILURE() << "no '" << label << "' in\n" << summary;
    return NAN;
  }
  return std::stod(summary.substr(at + label.size()));
}

// The printed figure agrees with the computed one to its last printed digit.
::testing::AssertionResult Printed(double printed, double computed, int decimals) {
  const double halfUnit = 0.5 * std::pow(10.0, -decimals) + 1e-9;
  if (std::fabs(printed - computed) <= halfUnit) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "printed " << printed << ", computed " << computed;
}

void expectScoreLine(const std::string& summary, const std::string& radius, const Figures::Score& s) {
  const std::string label = "station-keeping score, " + radius + " m: ";
  const auto at = summary.find(label);
  ASSERT_NE(at, std::string::npos) << summary;
  const std::string line = summary.substr(at + label.size(), summary.find('\n', at) - at - label.size());
  // The whole line must match the form: %n is only reached when everything before it did.
  double mean = 0, minutes = 0, entry = 0;
  int end = -1;
  if (s.state == "not reached") {
    EXPECT_EQ(line, "not reached");
  } else if (s.state == "complete") {
    std::sscanf(line.c_str(), "%lf m (within %*d m at t = %lf s)%n", &mean, &entry, &end);
    ASSERT_EQ(end, int(line.size())) << line;
    EXPECT_TRUE(Printed(mean, s.mean, 2)) << radius;
    EXPECT_DOUBLE_EQ(entry, s.entryTime);
  } else {
    std::sscanf(line.c_str(), "incomplete, %lf m over %lf of 5 min (within %*d m at t = %lf s)%n", &mean,
                &minutes, &entry, &end);
    ASSERT_EQ(end, int(line.size())) << line;
    EXPECT_TRUE(Printed(mean, s.mean, 2)) << radius;
    // Minutes are rounded down, so that an unfinished window never reads as five.
    EXPECT_LE(minutes, s.minutes);
    EXPECT_GT(minutes, s.minutes - 0.01);
    EXPECT_DOUBLE_EQ(entry, s.entryTime);
  }
}

struct SummaryCase {
  std::vector<std::string> args;  // besides --csv
  double targetX, targetY;
  std::string state20;  // what the 20 m score must be, so that each kind is covered
};

void PrintTo(const SummaryCase& c, std::ostream* os) { *os << simtest::joined(c.args); }

class Summary : public ::testing::TestWithParam<SummaryCase> {};

// The summary of a run agrees with the figures worked out from the log of the same run.
TEST_P(Summary, AgreesWithTheFiguresOfItsLog) {
  const TempDir dir;
  std::vector<std::string> args = GetParam().args;
  const auto summaryRun = runSim(args);
  ASSERT_EQ(summaryRun.status, 0) << summaryRun.err;
  args.insert(args.end(), {"--csv", dir.file("log.csv")});
  const auto logRun = runSim(args);
  ASSERT_EQ(logRun.status, 0) << logRun.err;

  const std::string& summary = summaryRun.out;
  const Figures f = figuresFromCsv(readCsv(dir.file("log.csv")), GetParam().targetX, GetParam().targetY);
  ASSERT_EQ(f.score20.state, GetParam().state20) << "the case no longer covers what it is meant to";

  expectScoreLine(summary, "20", f.score20);
  expectScoreLine(summary, "15", f.score15);
  EXPECT_TRUE(Printed(figureAfter(summary, "mean distance "), f.lastHalfMean, 2));
  EXPECT_TRUE(Printed(figureAfter(summary, "largest "), f.lastHalfLargest, 2));
  EXPECT_TRUE(Printed(figureAfter(summary, "time within 12 m: "), f.within12, 1));
  EXPECT_TRUE(Printed(figureAfter(summary, "time within 20 m: "), f.within20, 1));
  EXPECT_EQ(figureAfter(summary, "leg changes: "), f.legChanges);
  EXPECT_TRUE(Printed(figureAfter(summary, "time with negative speed: "), f.negativeSpeed, 1));
  EXPECT_TRUE(Printed(figureAfter(summary, "time with the rudder at its limit: "), f.rudderAtLimit, 1));
  EXPECT_NE(summary.find("every value finite: yes\n"), std::string::npos) << summary;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Summary,
    ::testing::Values(
        // Fifteen minutes with the defaults: both windows complete.
        SummaryCase{{"--duration", "900"}, 100, 100, "complete"},
        // Over before the five minutes after the boat comes near.
        SummaryCase{{"--duration", "200"}, 100, 100, "incomplete"},
        // A target upwind, too far to reach in a minute.
        SummaryCase{{"--duration", "60", "--target", "300,300"}, 300, 300, "not reached"},
        // A target downwind, reached late: the run ends inside the window.
        SummaryCase{{"--duration", "120", "--target", "400,-300"}, 400, -300, "incomplete"},
        // No repaints: the wind walks off and the boat with it, backwards at times and
        // with the rudder at its stops; another target, another start in the sequence.
        SummaryCase{{"--duration", "600", "--repaints-per-tick", "0", "--wind", "6", "--target", "-30,80",
                     "--skip", "11"},
                    -30,
                    80,
                    "not reached"}));

}  // namespace
