#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iostream>

#include "boat/Voilier.h"
#include "platform/Random.h"

namespace {

bool AllFinite(const Voilier& b) {
  for (double f :
       {double(b.x), double(b.y), double(b.theta), double(b.v), double(b.omega), double(b.deltav),
        double(b.deltag), double(b.phi), double(b.dphi), b.V, b.cap, b.fg, b.fv, b.u1, b.u2, double(b.capd)})
    if (!std::isfinite(f)) return false;
  return true;
}

// An hour of the desktop program's simulation, without the window: before each tick a
// repaint sets the wind to 10 m/s and draws one random value; the target sits at (100, 100).
TEST(Scenario, AnHourOfStationKeepingAroundTheTarget) {
  constexpr float dT = 0.1f;
  constexpr int kTicks = 36000;
  constexpr double kTargetX = 100, kTargetY = 100;

  platform::resetRandom();
  Voilier etat;
  etat.xd = kTargetX;
  etat.yd = kTargetY;

  int legChanges = 0, legChangesLastHalf = 0;
  double sumDistance = 0, maxDistance = 0;
  int samples = 0;
  bool finite = true;
  for (int tick = 0; tick < kTicks; ++tick) {
    etat.V = 10;
    platform::nextRandom();

    const double q = etat.q;
    const float w2 = float(etat.guidage(dT));
    const float w1 = etat.consigneVoile();
    etat.evolution(dT, w1, w2);

    finite = finite && AllFinite(etat);
    if (etat.q != q) {
      ++legChanges;
      if (tick >= kTicks / 2) ++legChangesLastHalf;
    }
    if (tick >= kTicks / 2) {
      const double d = std::hypot(double(etat.x) - kTargetX, double(etat.y) - kTargetY);
      sumDistance += d;
      maxDistance = std::max(maxDistance, d);
      ++samples;
    }
  }
  const double meanDistance = sumDistance / samples;
  std::cout << "last half hour: mean distance " << meanDistance << " m, largest " << maxDistance
            << " m; leg changes " << legChanges << " (" << legChangesLastHalf << " in the last half hour)\n";
  RecordProperty("mean_distance_m", std::to_string(meanDistance));
  RecordProperty("max_distance_m", std::to_string(maxDistance));

  // Every value stays finite all hour.
  EXPECT_TRUE(finite);
  // Over the last half hour the boat keeps within 60 m of the target...
  EXPECT_LE(maxDistance, 60);
  // ...by sailing its circuit: the leg keeps changing.
  EXPECT_GE(legChangesLastHalf, 20);
  // The rudder never leaves its stops.
  EXPECT_LE(std::fabs(etat.deltag), Voilier::kRudderLimit);
}

}  // namespace
