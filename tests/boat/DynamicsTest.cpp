#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "BoatTestSupport.h"
#include "boat/Voilier.h"

namespace {

constexpr float kLimit = Voilier::kRudderLimit;
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// The hand-worked state: a boat heeled a little, turning slowly, sail and rudder out.
Voilier WorkedExampleBoat() {
  Voilier b;
  b.x = 0;
  b.y = 0;
  b.theta = 0.3f;
  b.v = 2;
  b.omega = 0.1f;
  b.deltav = 0.4f;
  b.deltag = 0.2f;
  b.phi = 0.05f;
  b.dphi = 0.01f;
  b.V = 8;
  return b;
}

struct WorkedStep {
  int parity;  // of the random value the gust draws
  double V, fv, fg, x, y, theta, omega, u1, u2, deltav, deltag, v, phi, dphi;
};

void PrintTo(const WorkedStep& s, std::ostream* os) { *os << (s.parity ? "odd gust" : "even gust"); }

class DynamicsWorkedExample : public ::testing::TestWithParam<WorkedStep> {};

TEST_P(DynamicsWorkedExample, OneStepGivesTheHandWorkedFigures) {
  const WorkedStep& e = GetParam();
  SkipToParity(e.parity);
  Voilier b = WorkedExampleBoat();

  b.evolution(0.1f, 0.6f, 0.5f);

  EXPECT_EQ(b.V, e.V);
  EXPECT_TRUE(SixDigits(b.fv, e.fv));
  EXPECT_TRUE(SixDigits(b.fg, e.fg));
  EXPECT_TRUE(SixDigits(b.x, e.x));
  EXPECT_TRUE(SixDigits(b.y, e.y));
  EXPECT_TRUE(SixDigits(b.theta, e.theta));
  EXPECT_TRUE(SixDigits(b.omega, e.omega));
  EXPECT_TRUE(SixDigits(b.u1, e.u1));
  EXPECT_TRUE(SixDigits(b.u2, e.u2));
  EXPECT_TRUE(SixDigits(b.deltav, e.deltav));
  EXPECT_TRUE(SixDigits(b.deltag, e.deltag));
  EXPECT_TRUE(SixDigits(b.v, e.v));
  EXPECT_TRUE(SixDigits(b.phi, e.phi));
  EXPECT_TRUE(SixDigits(b.dphi, e.dphi));
}

INSTANTIATE_TEST_SUITE_P(
    EvenAndOddGust, DynamicsWorkedExample,
    ::testing::Values(WorkedStep{0, 7.5, 2478.74, 99.3347, 0.191067, 0.0216040, 0.31, 0.0933973, 0.16,
                                 -0.630019, 0.416, 0.136998, 2.07881, 0.051, 0.0105390},
                      WorkedStep{1, 8.5, 2861.16, 99.3347, 0.191067, 0.0166040, 0.31, 0.0954099, 0.16,
                                 -0.441208, 0.416, 0.155879, 2.09408, 0.051, 0.0107572}));

TEST(Dynamics, EachStepDrawsOneValueAndMovesTheWindByHalf) {
  platform::resetRandom();
  Voilier b;
  b.V = 10;
  for (float dT : {0.1f, 0.0f, 3.0f, -1.0f}) {
    // Peek at the value the step will draw, then replay the sequence up to it.
    platform::resetRandom();
    const int r = platform::nextRandom();
    const int second = platform::nextRandom();
    platform::resetRandom();
    const double before = b.V;
    b.evolution(dT, 0.2f, 0.4f);
    EXPECT_EQ(b.V - before, r % 2 ? 0.5 : -0.5) << "dT " << dT;
    // Exactly one value was drawn: the next one is the sequence's second.
    EXPECT_EQ(platform::nextRandom(), second);
  }
}

TEST(Dynamics, ZeroStepKeepsTheMotionButUpdatesForcesAndCommands) {
  SkipToParity(1);
  Voilier b = WorkedExampleBoat();
  const Voilier before = b;

  b.evolution(0.0f, 0.6f, 0.5f);

  for (auto [now, was] : {std::pair{b.x, before.x},
                          {b.y, before.y},
                          {b.theta, before.theta},
                          {b.omega, before.omega},
                          {b.deltav, before.deltav},
                          {b.deltag, before.deltag},
                          {b.v, before.v},
                          {b.phi, before.phi},
                          {b.dphi, before.dphi}})
    EXPECT_EQ(now, was);
  EXPECT_EQ(b.V, 8.5);
  EXPECT_NE(b.fv, 0);
  EXPECT_NE(b.fg, 0);
  EXPECT_EQ(b.u1, 0.8 * (double(0.6f) - double(0.4f)));
  EXPECT_TRUE(std::isfinite(b.u2));
}

TEST(Dynamics, FromRestTheRollRateFollowsTheSailForce) {
  // phi and dphi at 0: the angle stays, the rate becomes dT * hv * fv / Jx.
  SkipToParity(1);
  Voilier b;
  b.V = 10;
  b.evolution(0.1f, 0.5f, 0.5f);
  EXPECT_EQ(b.phi, 0.0f);
  EXPECT_EQ(b.dphi, float(double(0.1f) * b.hv * b.fv / b.Jx));
}

TEST(Dynamics, AtRestTheBoatOnlyDriftsDownwind) {
  SkipToParity(0);
  Voilier b;
  b.v = 0;
  b.V = 10;
  const float x0 = b.x, y0 = b.y;
  b.evolution(0.1f, 0.5f, 0.5f);
  EXPECT_EQ(b.x, x0);
  EXPECT_EQ(b.y, float(double(y0) - double(0.1f) * 0.05 * 9.5));
  EXPECT_EQ(b.fg, 0.0);
}

// The rudder law from a boat as built: sail, rudder and yaw rate at 0 and lm equal to rv,
// so everything but the heading error cancels: u2 = -5 Jz (w2 - theta) / (alphag rg v).
TEST(ControlLaws, RudderLawFromANewBoatIsMinusFiveTimesTheHeadingError) {
  SkipToParity(1);
  Voilier b;
  b.evolution(0.1f, 0.5235988f, 0.6f);
  EXPECT_NEAR(b.u2, -5 * (double(0.6f) - double(0.5235988f)), 1e-12);
  EXPECT_TRUE(SixDigits(b.u2, -0.382006));
  // The sail already stands at its setpoint: no sail motion.
  EXPECT_EQ(b.u1, 0.8 * double(0.5235988f));
}

TEST(ControlLaws, WithoutSpeedTheRudderGoesToAStop) {
  // v = 0 makes the rudder law's divisor zero: u2 is not finite, the rudder ends at a
  // limit and every other update stays finite.
  for (float w2 : {0.0f, 0.5235988f, 1.0f, -1.0f}) {
    SkipToParity(1);
    Voilier b;
    b.v = 0;
    b.V = 10;
    b.evolution(0.1f, 0.3f, w2);
    EXPECT_FALSE(std::isfinite(b.u2)) << "w2 " << w2;
    EXPECT_TRUE(b.deltag == kLimit || b.deltag == -kLimit) << "w2 " << w2;
    for (double f : {double(b.x), double(b.y), double(b.theta), double(b.omega), double(b.v), double(b.phi),
                     double(b.dphi), double(b.deltav), b.fv, b.fg, b.u1})
      EXPECT_TRUE(std::isfinite(f)) << "w2 " << w2;
  }
}

struct ClampCase {
  const char* name;
  float deltag;  // before a step of dT = 0, which leaves the angle as it is
  float v;
  float expected;
};

void PrintTo(const ClampCase& c, std::ostream* os) { *os << c.name; }

class RudderClamp : public ::testing::TestWithParam<ClampCase> {};

TEST_P(RudderClamp, HoldsTheRudderWithinItsStops) {
  const ClampCase& c = GetParam();
  SkipToParity(1);
  Voilier b;
  b.deltag = c.deltag;
  b.v = c.v;
  b.evolution(0.0f, 0.0f, 0.0f);
  EXPECT_EQ(b.deltag, c.expected);
}

constexpr float kFInf = std::numeric_limits<float>::infinity();
constexpr float kFNaN = std::numeric_limits<float>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    Cases, RudderClamp,
    ::testing::Values(ClampCase{"Inside", 0.3f, 3, 0.3f}, ClampCase{"AtUpperStop", kLimit, 3, kLimit},
                      ClampCase{"AtLowerStop", -kLimit, 3, -kLimit}, ClampCase{"Beyond", 1.0f, 3, kLimit},
                      ClampCase{"BeyondBelow", -1.0f, 3, -kLimit},
                      ClampCase{"MinusInfinity", -kFInf, 3, -kLimit},
                      ClampCase{"NotANumber", kFNaN, 3, -kLimit},
                      // Infinite and NaN angles make the forces NaN, and NaN goes to the lower stop.
                      // dT = 0 and v = 0: 0 times an infinite command is not a number.
                      ClampCase{"ZeroStepAtRest", 0.3f, 0, -kLimit}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Dynamics, AnyInputGivesADefinedStep) {
  // Nothing is validated: non-finite and huge inputs flow through the arithmetic without
  // a trap, and the rudder still ends within its stops.
  const float inputs[] = {0.0f, -0.0f, 1e30f, -1e30f, kFInf, -kFInf, kFNaN, 3.4e38f};
  for (float in : inputs) {
    SkipToParity(1);
    Voilier b;
    b.theta = in;
    b.v = in;
    b.omega = in;
    b.deltav = in;
    b.phi = in;
    b.dphi = in;
    b.V = in;
    b.evolution(in, in, in);
    EXPECT_TRUE(b.deltag >= -kLimit && b.deltag <= kLimit) << "input " << in;

    Voilier g;
    g.x = in;
    g.y = in;
    g.cap = in;
    g.xd = kNaN;
    g.yd = kInf;
    g.guidage(in);
    g.consigneVoile();
  }
}

}  // namespace
