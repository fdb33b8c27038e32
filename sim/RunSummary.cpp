#include "sim/RunSummary.h"

#include <limits>

#include "sim/NumberText.h"

namespace sim {

RunSummary::RunSummary(const RunSettings& runSettings)
    : settings(runSettings), lastHalfAfterTick(runSettings.ticks / 2), previousQ(Voilier{}.q) {}

double RunSummary::lastHalfMean() const {
  const std::int64_t count = ticks - lastHalfAfterTick;
  if (count <= 0) return std::numeric_limits<double>::quiet_NaN();
  return lastHalfSum / double(count);
}

namespace {

// A share of the run's ticks as a percentage with one decimal.
std::string percent(std::int64_t count, std::int64_t ticks) {
  return fixed(ticks > 0 ? 100.0 * double(count) / double(ticks) : 0.0, 1) + " %";
}

std::string scoreLine(const StationKeepingScore& score) {
  std::string line = "station-keeping score, " + fixed(score.radius(), 0) + " m: " + describeScore(score);
  if (score.reached())
    line +=
        " (within " + fixed(score.radius(), 0) + " m at t = " + shortest(tickTime(score.entryTick())) + " s)";
  return line + "\n";
}

}  // namespace

std::string RunSummary::text() const {
  const RunSettings& s = settings;
  std::string out;
  out += "run: " + shortest(tickTime(s.ticks)) + " s (" + std::to_string(s.ticks) + " ticks), wind " +
         shortest(s.wind) + " m/s, target (" + shortest(s.targetX) + ", " + shortest(s.targetY) + "), " +
         std::to_string(s.repaintsPerTick) + " repaints per tick, skip " + std::to_string(s.skip) + "\n";
  out += scoreLine(score20);
  out += scoreLine(score15);
  out += "last half (from t = " + shortest(tickTime(lastHalfAfterTick)) + " s): mean distance " +
         fixed(lastHalfMean(), 2) + " m, largest " + fixed(lastHalfMax, 2) + " m\n";
  out += "time within " + fixed(kCloseRadius, 0) + " m: " + percent(ticksWithin12, ticks) + "\n";
  out += "time within " + fixed(kScoreRadiusWide, 0) + " m: " + percent(ticksWithin20, ticks) + "\n";
  out += "leg changes: " + std::to_string(legChanges) + "\n";
  out += "time with negative speed: " + percent(ticksNegativeSpeed, ticks) + "\n";
  out += "time with the rudder at its limit: " + percent(ticksRudderAtLimit, ticks) + "\n";
  if (firstNonFiniteTick == 0)
    out += "every value finite: yes\n";
  else
    out += "every value finite: no, from tick " + std::to_string(firstNonFiniteTick) +
           " (t = " + shortest(tickTime(firstNonFiniteTick)) + " s)\n";
  return out;
}

}  // namespace sim
