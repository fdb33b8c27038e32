#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/RunSettings.h"
#include "sim/StationKeepingScore.h"

namespace sim {

/// Many runs: every wind speed with `runs` starting points of the random sequence,
/// spread over worker processes.
struct WindSweep {
  std::vector<double> winds;  ///< Wind speeds, in order (m/s)
  int runs = 1;               ///< Runs per wind speed
  int jobs = 1;               ///< Worker processes at once
};

/// What one run of a sweep reports.
struct SweepRunResult {
  double wind = 0;        ///< (m/s)
  int run = 0;            ///< 0 to runs - 1
  std::int64_t skip = 0;  ///< Where its random sequence started
  StationKeepingScore score20{kScoreRadiusWide};
  StationKeepingScore score15{kScoreRadiusNarrow};
  std::int64_t firstNonFiniteTick = 0;  ///< 0: every value stayed finite
};

/// Where run r of a sweep starts the random sequence: after base.skip values and r
/// times the values that one run draws (ticks x (repaints + 1)), so that the runs
/// take consecutive stretches of the sequence that do not overlap.
std::int64_t sweepRunSkip(const RunSettings& base, int run);

/// Runs the sweep: each run is base with its wind speed and sweepRunSkip(), and gives
/// exactly what the same run gives alone. Result i is run i / winds.size() of wind
/// speed i % winds.size().
///
/// The random sequence is one global state, so the runs go to worker processes
/// rather than threads: this process walks the sequence once, from run to run, and
/// forks the workers of each run where it stands, so that each inherits its own
/// copy of the sequence at its starting point. Throws std::runtime_error when a
/// worker fails.
std::vector<SweepRunResult> runSweep(const RunSettings& base, const WindSweep& sweep, bool showProgress);

/// The scores per wind speed: how many runs were scored, the mean and the worst.
std::string sweepTable(const RunSettings& base, const WindSweep& sweep,
                       const std::vector<SweepRunResult>& results);

/// Processors this process may run on: the default number of workers.
int availableProcessors();

}  // namespace sim
