#pragma once

#include <cstdint>

namespace sim {

/// The simulation step, as the desktop program's simulation clock uses it (s).
constexpr float dT = 0.1f;

/// Simulation ticks per second of simulated time: tick n ends at n / 10 s.
constexpr double kTicksPerSecond = 10;

/// The inputs of one run: what the desktop program's sliders would hold, how many
/// repaints fall between two simulation ticks, and where the random sequence starts.
struct RunSettings {
  double wind = 10;            ///< Wind speed written into V by every repaint (m/s)
  double targetX = 100;        ///< Target point x written into xd (m)
  double targetY = 100;        ///< Target point y written into yd (m)
  std::int64_t ticks = 36000;  ///< Number of simulation ticks of dT (36000: one hour)
  int repaintsPerTick = 10;    ///< Repaints before each tick; each one draws a random value
  std::int64_t skip = 0;       ///< Values drawn from the random sequence before the first tick
};

/// Simulated time at the end of tick n (s), the decimal n / 10 rounded once.
inline double tickTime(std::int64_t n) { return double(n) / kTicksPerSecond; }

}  // namespace sim
