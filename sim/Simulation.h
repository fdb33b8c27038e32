#pragma once

#include <algorithm>
#include <cstdint>

#include "boat/Voilier.h"
#include "platform/Random.h"
#include "sim/RunSettings.h"

namespace sim {

/// Puts the program's random sequence back to its start and draws `skip` values, so
/// that the next value drawn is value number skip + 1 of the sequence.
void startRandomSequence(std::int64_t skip);

/// Ticks between two calls of the chunk callback of simulate(): often enough for a
/// progress bar, rarely enough to cost nothing.
constexpr std::int64_t kTicksPerChunk = 4096;

/// Runs the boat through settings.ticks simulation ticks, from wherever the random
/// sequence stands now (call startRandomSequence() first for a run of its own).
///
/// Stands in for the desktop program: before the first tick the display has set the
/// wind V and the target (xd, yd); before every tick K = settings.repaintsPerTick
/// repaints each write the wind into V and draw one random value, as the boat's
/// drawing does. The tick itself is the simulation clock's: guidage, consigneVoile,
/// evolution with dT. With K = 0, V is set once and then left to the gusts.
///
/// After tick n (1-based) it calls onTick(n, etat, w1, w2), and after every
/// kTicksPerChunk ticks and the last one, onChunk(n).
template <class OnTick, class OnChunk>
void simulate(const RunSettings& settings, OnTick&& onTick, OnChunk&& onChunk) {
  Voilier etat;
  etat.V = settings.wind;
  // The display tick writes the target after its repaint; it never changes here, so
  // writing it once before the first tick is the same as writing it before each.
  etat.xd = settings.targetX;
  etat.yd = settings.targetY;

  for (std::int64_t n = 1; n <= settings.ticks;) {
    const std::int64_t chunkEnd = std::min(settings.ticks, n + kTicksPerChunk - 1);
    for (; n <= chunkEnd; ++n) {
      // The repaints between two simulation ticks.
      for (int k = 0; k < settings.repaintsPerTick; ++k) {
        etat.V = settings.wind;
        platform::nextRandom();
      }
      // The simulation tick.
      const float w2 = float(etat.guidage(dT));
      const float w1 = etat.consigneVoile();
      etat.evolution(dT, w1, w2);
      onTick(n, static_cast<const Voilier&>(etat), w1, w2);
    }
    onChunk(chunkEnd);
  }
}

}  // namespace sim
