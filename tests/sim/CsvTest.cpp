#include <gtest/gtest.h>

#include <bit>
#include <cmath>

#include "SimTestSupport.h"
#include "boat/Voilier.h"
#include "platform/Random.h"
#include "sim/CsvWriter.h"

namespace {

// The shortest text of a double that reads back to it, as the log must hold it.
std::string shortestText(double value) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, value).ptr);
}

using simtest::Csv;
using simtest::parseExact;
using simtest::readCsv;
using simtest::runSim;
using simtest::TempDir;

// The log must read back to exactly the values of the boat: a boat run here, by the
// desktop program's own sequence (K repaints, each setting V and drawing one value,
// then guidage, consigneVoile, evolution), with the same inputs.
TEST(Csv, ReadsBackToExactlyTheBoatsValues) {
  constexpr double kWind = 12.5, kTargetX = -40, kTargetY = 60;
  constexpr int kRepaints = 3, kSkip = 7, kTicks = 3000;
  const TempDir dir;
  const auto result = runSim({"--duration", "300", "--wind", "12.5", "--target", "-40,60",
                              "--repaints-per-tick", "3", "--skip", "7", "--csv", dir.file("log.csv")});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");  // the log replaces the summary

  const Csv csv = readCsv(dir.file("log.csv"));
  const std::vector<std::string> header = {"tick",   "time",   "x",   "y",    "theta", "v",   "omega",
                                           "deltav", "deltag", "phi", "dphi", "V",     "cap", "q",
                                           "fg",     "fv",     "u1",  "u2",   "capd",  "w1",  "w2"};
  ASSERT_EQ(csv.header, header);
  ASSERT_EQ(csv.rows.size(), std::size_t(kTicks));

  platform::resetRandom();
  for (int i = 0; i < kSkip; ++i) platform::nextRandom();
  Voilier etat;
  etat.V = kWind;
  etat.xd = kTargetX;
  etat.yd = kTargetY;
  const float dT = 0.1f;
  for (int n = 1; n <= kTicks; ++n) {
    for (int k = 0; k < kRepaints; ++k) {
      etat.V = kWind;
      platform::nextRandom();
    }
    const float w2 = float(etat.guidage(dT));
    const float w1 = etat.consigneVoile();
    etat.evolution(dT, w1, w2);

    // Compared bit for bit, so that -0 and 0 differ too.
    const auto& row = csv.rows[std::size_t(n - 1)];
    ASSERT_EQ(row.size(), header.size()) << "tick " << n;
    auto same = [&](const char* column, auto expected) {
      using T = decltype(expected);
      using Bits = std::conditional_t<sizeof(T) == 4, std::uint32_t, std::uint64_t>;
      const T read = parseExact<T>(row[csv.column(column)]);
      EXPECT_EQ(std::bit_cast<Bits>(read), std::bit_cast<Bits>(expected))
          << column << " at tick " << n << ": " << row[csv.column(column)] << " vs " << expected;
    };
    EXPECT_EQ(row[0], std::to_string(n));
    same("time", double(n) / 10);
    EXPECT_EQ(row[1], shortestText(double(n) / 10));
    same("x", etat.x);
    same("y", etat.y);
    same("theta", etat.theta);
    same("v", etat.v);
    same("omega", etat.omega);
    same("deltav", etat.deltav);
    same("deltag", etat.deltag);
    same("phi", etat.phi);
    same("dphi", etat.dphi);
    same("V", etat.V);
    same("cap", etat.cap);
    same("q", etat.q);
    same("fg", etat.fg);
    same("fv", etat.fv);
    same("u1", etat.u1);
    same("u2", etat.u2);
    same("capd", etat.capd);
    same("w1", w1);
    same("w2", w2);
    if (::testing::Test::HasFailure()) return;  // one tick's report is enough
  }
}

// The time column is formed from the tick's digits up to 10^5 s and by the general
// conversion beyond: both give the shortest text, the exponent form where it is
// shorter ("1e+05").
TEST(Csv, TimeIsTheShortestTextOnBothSidesOfTenToTheFiveSeconds) {
  const TempDir dir;
  const std::vector<std::int64_t> ticks = {1,      9,       10,      11,      99999,   100000,   999990,
                                           999999, 1000000, 1000001, 1000010, 2000000, 12345670, 123456789};
  {
    sim::CsvWriter csv(dir.file("times.csv"));
    for (const std::int64_t n : ticks) csv.add(n, Voilier{}, 0, 0);
    csv.finish();
    csv.commit();
  }
  const Csv csv = readCsv(dir.file("times.csv"));
  ASSERT_EQ(csv.rows.size(), ticks.size());
  for (std::size_t i = 0; i < ticks.size(); ++i)
    EXPECT_EQ(csv.rows[i][1], shortestText(double(ticks[i]) / 10)) << "tick " << ticks[i];
  EXPECT_EQ(csv.rows[8][1], "1e+05");
}

// With repaints, each tick starts from the wind option and V ends it one gust away;
// with none, nothing puts V back and the gusts add up to a random walk.
struct WindCase {
  int repaints;
  bool randomWalk;
};

void PrintTo(const WindCase& c, std::ostream* os) { *os << c.repaints << " repaints per tick"; }

class WindBetweenTicks : public ::testing::TestWithParam<WindCase> {};

TEST_P(WindBetweenTicks, FollowsTheRepaints) {
  constexpr double kWind = 8, kGust = 0.5;
  const TempDir dir;
  const auto result = runSim({"--duration", "200", "--wind", "8", "--repaints-per-tick",
                              std::to_string(GetParam().repaints), "--csv", dir.file("log.csv")});
  ASSERT_EQ(result.status, 0) << result.err;
  const Csv csv = readCsv(dir.file("log.csv"));
  ASSERT_EQ(csv.rows.size(), 2000u);

  double before = kWind;  // V as the first tick finds it
  double farthest = 0;
  for (const auto& row : csv.rows) {
    const double V = parseExact<double>(row[csv.column("V")]);
    const double start = GetParam().randomWalk ? before : kWind;
    ASSERT_TRUE(V == start + kGust || V == start - kGust) << "V " << V << " after starting from " << start;
    farthest = std::max(farthest, std::fabs(V - kWind));
    before = V;
  }
  // Two thousand gusts wander far from the start only when nothing resets V.
  if (GetParam().randomWalk)
    EXPECT_GT(farthest, 5 * kGust);
  else
    EXPECT_EQ(farthest, kGust);
}

INSTANTIATE_TEST_SUITE_P(Table, WindBetweenTicks,
                         ::testing::Values(WindCase{0, true}, WindCase{1, false}, WindCase{10, false}));

}  // namespace
