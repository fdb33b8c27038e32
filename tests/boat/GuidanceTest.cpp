#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "BoatTestSupport.h"
#include "boat/Voilier.h"

namespace {

// Leg headings.
constexpr float kUpEast = 0.5235988f, kUpWest = 2.617994f, kDownEast = -0.7853982f, kDownWest = -2.3561945f,
                kDeadDown = -1.5707964f;
constexpr float kPi = 3.1415927f;
constexpr double kTwoPi = double(6.2831855f);

// Setpoints are quoted to seven decimals; the float result may sit one unit in the last
// place (6e-8 near 0.5) away from the float nearest the quoted figure.
constexpr double kSevenDigits = 1e-7;

// A boat at offset (dx, dy) from a target at (100, 100), on leg q with leg heading capd.
Voilier BoatAt(double dx, double dy, double q, float capd) {
  Voilier b;
  b.xd = 100;
  b.yd = 100;
  b.x = float(100 + dx);
  b.y = float(100 + dy);
  b.q = q;
  b.capd = capd;
  return b;
}

struct Transition {
  double dx, dy;  // offset from the target (m)
  double q;       // leg before
  double qAfter;
  float capdAfter;
};

void PrintTo(const Transition& t, std::ostream* os) {
  *os << "leg " << t.q << " at (" << t.dx << ", " << t.dy << ")";
}

class CircuitRules : public ::testing::TestWithParam<Transition> {};

TEST_P(CircuitRules, CornerAndLegGiveTheNextLeg) {
  const Transition& t = GetParam();
  Voilier b = BoatAt(t.dx, t.dy, t.q, 0.25f);
  b.guidage(0.1f);
  EXPECT_EQ(b.q, t.qAfter);
  EXPECT_EQ(b.capd, t.capdAfter);
}

// Corners: (-20, -20) south-west, (20, -20) south-east, (-20, 20) north-west, (20, 20) north-east.
// Every leg in every corner; "stays" rows keep the 0.25 the boat was given.
INSTANTIATE_TEST_SUITE_P(EveryLegInEveryCorner, CircuitRules,
                         ::testing::Values(
                             // From leg 1 (downwind to the east).
                             Transition{-20, -20, 1, 3, kUpEast}, Transition{20, -20, 1, 4, kUpWest},
                             Transition{-20, 20, 1, 1, 0.25f}, Transition{20, 20, 1, 2, kDownWest},
                             // From leg 2 (downwind to the west).
                             Transition{-20, -20, 2, 3, kUpEast}, Transition{20, -20, 2, 4, kUpWest},
                             Transition{-20, 20, 2, 1, kDownEast}, Transition{20, 20, 2, 2, 0.25f},
                             // From leg 3 (upwind to the east): the north-east corner runs dead downwind.
                             Transition{-20, -20, 3, 3, 0.25f}, Transition{20, -20, 3, 4, kUpWest},
                             Transition{-20, 20, 3, 1, kDownEast}, Transition{20, 20, 3, 2, kDeadDown},
                             // From leg 4 (upwind to the west).
                             Transition{-20, -20, 4, 3, kUpEast}, Transition{20, -20, 4, 4, 0.25f},
                             Transition{-20, 20, 4, 1, kDownEast}, Transition{20, 20, 4, 2, kDownWest},
                             // Outside the corners nothing changes: the square, the bands, exactly 12 off.
                             Transition{0, 0, 1, 1, 0.25f}, Transition{30, 5, 2, 2, 0.25f},
                             Transition{-5, -30, 4, 4, 0.25f}, Transition{12, 30, 3, 3, 0.25f},
                             Transition{-12, -30, 4, 4, 0.25f}, Transition{30, -12, 3, 3, 0.25f},
                             Transition{-30, 12, 2, 2, 0.25f},
                             // Just beyond 12 is a corner.
                             Transition{12.01, -12.01, 3, 4, kUpWest},
                             // A leg number outside 1..4 matches no rule.
                             Transition{20, 20, 0, 0, 0.25f}, Transition{-20, -20, 2.5, 2.5, 0.25f}));

TEST(CircuitRules, RegionsFollowTheTargetAsItMoves) {
  // A new boat at (0, 1) is in the south-west corner of (100, 100): it keeps leg 3.
  Voilier b;
  b.xd = 100;
  b.yd = 100;
  b.guidage(0.1f);
  EXPECT_EQ(b.q, 3);
  // Move the target to the boat's south-west: the boat now stands in the north-east
  // corner, and from leg 3 that starts the dead-downwind leg.
  b.xd = -50;
  b.yd = -50;
  b.guidage(0.1f);
  EXPECT_EQ(b.q, 2);
  EXPECT_EQ(b.capd, kDeadDown);
}

struct CapViseCase {
  double turns;  // cap - capd, in turns of 2 pi
  int k;         // whole turns the result moves capd by
};

void PrintTo(const CapViseCase& c, std::ostream* os) { *os << c.turns << " turns"; }

class CapVise : public ::testing::TestWithParam<CapViseCase> {};

TEST_P(CapVise, MovesTheLegHeadingByWholeTurnsTruncatedTowardZero) {
  const CapViseCase& c = GetParam();
  Voilier b;
  b.capd = 0.3f;
  b.cap = double(b.capd) + c.turns * kTwoPi;
  EXPECT_EQ(b.capVise(), float(double(b.capd) + 2.0 * c.k * double(kPi)));
}

INSTANTIATE_TEST_SUITE_P(Turns, CapVise,
                         ::testing::Values(CapViseCase{0, 0}, CapViseCase{0.95, 0}, CapViseCase{-0.95, 0},
                                           CapViseCase{-0.5, 0}, CapViseCase{1.05, 1}, CapViseCase{-1.05, -1},
                                           CapViseCase{-1.3, -1}, CapViseCase{2.7, 2}));

TEST(CapVise, NonFiniteReferencesGiveADefinedResult) {
  // Truncating in floating point keeps these defined: NaN stays NaN, a huge or infinite
  // gap gives a non-finite heading rather than undefined behaviour.
  const double inputs[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                           -std::numeric_limits<double>::infinity(), 1e300, -1e300};
  for (double cap : inputs) {
    Voilier b;
    b.cap = cap;
    const float t = b.capVise();
    EXPECT_FALSE(std::isfinite(t)) << "cap " << cap;
  }
}

TEST(ReferenceFilter, ApproachesANewLegHeadingByHalvesFromBelow) {
  // From pi/6 towards 150 deg with dT = 0.1: the gap halves each tick, no overshoot.
  Voilier b = BoatAt(20, -20, 3, kUpEast);  // south-east corner: leg 4 starts
  // Figures quoted to eight digits.
  const double expected[] = {1.5707964, 2.0943953, 2.3561947};
  for (double e : expected) {
    const double cap = b.guidage(0.1f);
    EXPECT_EQ(cap, b.cap);
    EXPECT_NEAR(cap, e, 5e-8);
  }
  for (int i = 0; i < 60; ++i) {
    b.guidage(0.1f);
    EXPECT_LE(b.cap, double(kUpWest));
  }
  EXPECT_NEAR(b.cap, double(kUpWest), 1e-12);
}

TEST(ReferenceFilter, SweepsFrom150ToMinus135ThroughHeadToWindAndDeadDownwind) {
  // Stage 1: settled on the 150 deg leg, the sail stands at -30 deg.
  Voilier b = BoatAt(20, -20, 4, kUpWest);
  b.cap = double(kUpWest);
  EXPECT_NEAR(b.consigneVoile(), -0.5235988f, kSevenDigits);

  // Stage 2: the north-east corner starts the -135 deg leg. The reference turns along
  // the number line; the sail setpoint is positive for two ticks, then jumps negative on
  // the tick the reference passes dead downwind.
  b = BoatAt(20, 20, 4, kUpWest);
  b.cap = double(kUpWest);
  bool passedHeadToWind = false;
  for (int tick = 1; tick <= 40; ++tick) {
    b.guidage(0.1f);
    passedHeadToWind |= b.cap < double(1.5707964f);
    const float w1 = b.consigneVoile();
    if (tick <= 2) {
      EXPECT_GT(w1, 0) << "tick " << tick;
    } else {
      EXPECT_LT(w1, 0) << "tick " << tick;
    }
    if (tick == 3) {
      EXPECT_LT(b.cap, double(kDeadDown));
    }
    EXPECT_GE(b.cap, double(kDownWest)) << "tick " << tick;
  }
  EXPECT_TRUE(passedHeadToWind);
}

struct SailCase {
  double cap;
  float w1;
};

void PrintTo(const SailCase& c, std::ostream* os) { *os << "cap " << c.cap; }

class SailSetpoint : public ::testing::TestWithParam<SailCase> {};

TEST_P(SailSetpoint, IsMinusHalfTheAngleOffTheWind) {
  Voilier b;
  b.cap = GetParam().cap;
  EXPECT_NEAR(b.consigneVoile(), GetParam().w1, kSevenDigits);
}

INSTANTIATE_TEST_SUITE_P(
    LegHeadings, SailSetpoint,
    ::testing::Values(SailCase{double(kUpEast), 0.5235988f}, SailCase{double(kUpWest), -0.5235988f},
                      SailCase{double(kDownEast), 1.1780972f}, SailCase{double(kDownWest), -1.1780972f},
                      // Exactly dead downwind: n = 0, the boom at +90 deg.
                      SailCase{double(kDeadDown), 1.5707964f}, SailCase{double(1.5707964f), 0.0f}));

TEST(SailSetpoint, JumpsSidesJustBelowDeadDownwind) {
  Voilier b;
  b.cap = std::nextafter(double(kDeadDown), -10.0);
  const float w1 = b.consigneVoile();
  EXPECT_LT(w1, 0);
  EXPECT_NEAR(w1, -1.5707964f, 1e-6);
}

}  // namespace
