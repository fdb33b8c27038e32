#include "sim/StationKeepingScore.h"

#include <cmath>
#include <limits>

#include "sim/NumberText.h"
#include "sim/RunSettings.h"

namespace sim {

double StationKeepingScore::mean() const {
  if (windowTicks_ == 0) return std::numeric_limits<double>::quiet_NaN();
  return sum_ / double(windowTicks_);
}

std::string describeScore(const StationKeepingScore& score) {
  if (!score.reached()) return "not reached";
  if (score.complete()) return fixed(score.mean(), 2) + " m";
  if (score.windowTicks() == 0) return "incomplete, the run ended as the boat came within range";
  // Minutes of the window the run covered, rounded down to a hundredth so that an
  // unfinished window never reads as five minutes.
  const double minutes = std::floor(double(score.windowTicks()) * 100 / (kTicksPerSecond * 60)) / 100;
  return "incomplete, " + fixed(score.mean(), 2) + " m over " + fixed(minutes, 2) + " of 5 min";
}

}  // namespace sim
