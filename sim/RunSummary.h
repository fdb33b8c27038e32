#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include "boat/Voilier.h"
#include "sim/RunSettings.h"
#include "sim/StationKeepingScore.h"

namespace sim {

/// Radius of the "close" share: the half-size of the circuit's square (m).
constexpr double kCloseRadius = 12;

/// How well the boat kept station over a run, gathered tick by tick without keeping
/// the track: the two scores, the distances over the last half of the run, the shares
/// of time near the target, the leg changes, and the signs of trouble (negative
/// speed, the rudder at its stop, values that are no longer finite).
struct RunSummary {
  explicit RunSummary(const RunSettings& settings);

  /// Feeds the boat as it stands at the end of tick n (ticks in order, from 1), with
  /// the setpoints w1, w2 of that tick.
  void add(std::int64_t n, const Voilier& etat, float w1, float w2) {
    const double dx = double(etat.x) - etat.xd;
    const double dy = double(etat.y) - etat.yd;
    const double distance = std::sqrt(dx * dx + dy * dy);

    score20.add(n, distance);
    score15.add(n, distance);
    if (n > lastHalfAfterTick) {
      lastHalfSum += distance;
      // A NaN distance stays in the largest, so that it cannot hide behind later ones.
      if (distance > lastHalfMax || std::isnan(distance)) lastHalfMax = distance;
    }
    ticksWithin12 += distance <= kCloseRadius;
    ticksWithin20 += distance <= kScoreRadiusWide;
    legChanges += etat.q != previousQ;
    previousQ = etat.q;
    ticksNegativeSpeed += etat.v < 0;
    ticksRudderAtLimit += std::fabs(etat.deltag) >= Voilier::kRudderLimit;
    if (firstNonFiniteTick == 0 && !allFinite(etat, w1, w2)) firstNonFiniteTick = n;
    ticks = n;
  }

  /// The summary as the program prints it: one figure per line.
  std::string text() const;

  RunSettings settings;
  StationKeepingScore score20{kScoreRadiusWide};
  StationKeepingScore score15{kScoreRadiusNarrow};
  std::int64_t lastHalfAfterTick;       ///< The last half is the ticks after this one
  double lastHalfSum = 0;               ///< Sum of the distances over the last half (m)
  double lastHalfMax = 0;               ///< Largest distance over the last half (m)
  std::int64_t ticksWithin12 = 0;       ///< Ticks ending within kCloseRadius of the target
  std::int64_t ticksWithin20 = 0;       ///< Ticks ending within kScoreRadiusWide of the target
  std::int64_t legChanges = 0;          ///< Ticks at which q changed
  double previousQ;                     ///< q before the tick being added
  std::int64_t ticksNegativeSpeed = 0;  ///< Ticks ending with v < 0
  std::int64_t ticksRudderAtLimit = 0;  ///< Ticks ending with deltag at one of its stops
  std::int64_t firstNonFiniteTick = 0;  ///< First tick after which a value was not finite; 0: none
  std::int64_t ticks = 0;               ///< Ticks added so far

  /// Mean distance over the last half (m).
  double lastHalfMean() const;

  /// Every field that the tick changes, and the setpoints, are finite.
  static bool allFinite(const Voilier& e, float w1, float w2) {
    using std::isfinite;
    return isfinite(e.x) & isfinite(e.y) & isfinite(e.theta) & isfinite(e.v) & isfinite(e.omega) &
           isfinite(e.deltav) & isfinite(e.deltag) & isfinite(e.phi) & isfinite(e.dphi) & isfinite(e.V) &
           isfinite(e.cap) & isfinite(e.q) & isfinite(e.fg) & isfinite(e.fv) & isfinite(e.u1) &
           isfinite(e.u2) & isfinite(e.capd) & isfinite(w1) & isfinite(w2);
  }
};

}  // namespace sim
