#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "boat/Voilier.h"
#include "sim/RunSummary.h"
#include "sim/StationKeepingScore.h"

namespace {

// The score of a made-up series of distances, one per tick.
struct ScoreCase {
  const char* name;
  std::function<double(std::int64_t)> distance;  // at the end of tick n
  std::int64_t ticks;
  std::int64_t entryTick;    // 0: never within 20 m
  std::int64_t windowTicks;  // ticks of the window covered
  double mean;               // m
  const char* text;          // as the summary shows it
};

void PrintTo(const ScoreCase& c, std::ostream* os) { *os << c.name; }

class Score : public ::testing::TestWithParam<ScoreCase> {};

TEST_P(Score, CoversTheFiveMinutesAfterTheFirstTickWithinTheRadius) {
  const ScoreCase& c = GetParam();
  sim::StationKeepingScore score(sim::kScoreRadiusWide);
  for (std::int64_t n = 1; n <= c.ticks; ++n) score.add(n, c.distance(n));
  EXPECT_EQ(score.entryTick(), c.entryTick);
  EXPECT_EQ(score.windowTicks(), c.windowTicks);
  if (c.windowTicks > 0) {
    EXPECT_DOUBLE_EQ(score.mean(), c.mean);
  }
  EXPECT_EQ(sim::describeScore(score), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, Score,
    ::testing::Values(
        // Exactly 20 m is within; the window is the 3000 ticks after, whatever follows.
        ScoreCase{"exactly at the radius",
                  [](std::int64_t n) { return n < 10      ? 50.0
                                              : n == 10   ? 20.0
                                              : n <= 3010 ? 4.0
                                                          : 99.0; },
                  5000, 10, 3000, 4.0, "4.00 m"},
        // Leaving the radius again changes nothing: the window counts every distance.
        ScoreCase{"leaves again", [](std::int64_t n) { return n == 1  ? 10.0
                                                              : n % 2 ? 30.0
                                                                      : 10.0; }, 3001, 1,
                  3000, 20.0, "20.00 m"},
        ScoreCase{"never within", [](std::int64_t) { return 20.001; }, 5000, 0, 0, 0, "not reached"},
        ScoreCase{"NaN is never within",
                  [](std::int64_t) { return std::numeric_limits<double>::quiet_NaN(); }, 10, 0, 0, 0,
                  "not reached"},
        // The run ends inside the window: 2999 of 3000 ticks are 4.99 minutes, not 5.
        ScoreCase{"one tick short", [](std::int64_t) { return 6.0; }, 3000, 1, 2999, 6.0,
                  "incomplete, 6.00 m over 4.99 of 5 min"},
        ScoreCase{"within at the last tick", [](std::int64_t n) { return n < 50 ? 30.0 : 1.0; }, 50, 50, 0, 0,
                  "incomplete, the run ended as the boat came within range"}));

// Every field that a tick changes, and each setpoint, is watched: a value that is not
// finite in any one of them marks the run from that tick on.
struct NonFiniteCase {
  const char* field;
  std::function<void(Voilier&, float&, float&)> spoil;
};

void PrintTo(const NonFiniteCase& c, std::ostream* os) { *os << c.field; }

class NotFinite : public ::testing::TestWithParam<NonFiniteCase> {};

TEST_P(NotFinite, IsReportedWithItsTick) {
  sim::RunSettings settings;
  settings.ticks = 6;
  sim::RunSummary summary(settings);
  for (std::int64_t n = 1; n <= settings.ticks; ++n) {
    Voilier etat;
    float w1 = 0.5f, w2 = 0.5f;
    if (n == 4) GetParam().spoil(etat, w1, w2);
    summary.add(n, etat, w1, w2);
  }
  EXPECT_EQ(summary.firstNonFiniteTick, 4);
  EXPECT_NE(summary.text().find("every value finite: no, from tick 4 (t = 0.4 s)\n"), std::string::npos)
      << summary.text();
}

constexpr float kNaNf = std::numeric_limits<float>::quiet_NaN();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

#define KORVALEN_SPOIL(field, value)                             \
  NonFiniteCase {                                                \
#field, [](Voilier & e, float&, float&) { e.field = value; } \
  }

INSTANTIATE_TEST_SUITE_P(
    Table, NotFinite,
    ::testing::Values(KORVALEN_SPOIL(x, kNaNf), KORVALEN_SPOIL(y, kNaNf), KORVALEN_SPOIL(theta, kNaNf),
                      KORVALEN_SPOIL(v, kNaNf), KORVALEN_SPOIL(omega, kNaNf), KORVALEN_SPOIL(deltav, kNaNf),
                      KORVALEN_SPOIL(deltag, kNaNf), KORVALEN_SPOIL(phi, kNaNf), KORVALEN_SPOIL(dphi, kNaNf),
                      KORVALEN_SPOIL(V, kInf), KORVALEN_SPOIL(cap, kNaN), KORVALEN_SPOIL(q, kNaN),
                      KORVALEN_SPOIL(fg, -kInf), KORVALEN_SPOIL(fv, kNaN), KORVALEN_SPOIL(u1, kNaN),
                      KORVALEN_SPOIL(u2, kInf), KORVALEN_SPOIL(capd, kNaNf),
                      NonFiniteCase{"w1", [](Voilier&, float& w1, float&) { w1 = kNaNf; }},
                      NonFiniteCase{"w2", [](Voilier&, float&, float& w2) { w2 = kNaNf; }}));

#undef KORVALEN_SPOIL

TEST(NotFinite, AFiniteRunSaysSo) {
  sim::RunSettings settings;
  settings.ticks = 3;
  sim::RunSummary summary(settings);
  for (std::int64_t n = 1; n <= settings.ticks; ++n) summary.add(n, Voilier{}, 0, 0);
  EXPECT_NE(summary.text().find("every value finite: yes\n"), std::string::npos);
}

}  // namespace
