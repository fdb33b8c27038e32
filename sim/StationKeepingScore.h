#pragma once

#include <cstdint>
#include <string>

namespace sim {

/// Radii of the two station-keeping scores (m).
constexpr double kScoreRadiusWide = 20;
constexpr double kScoreRadiusNarrow = 15;

/// Length of the scoring window: five minutes of ticks of 0.1 s.
constexpr std::int64_t kScoreWindowTicks = 5 * 60 * 10;

/// The station-keeping score for one radius: the mean distance from the target over
/// the five minutes after the boat first comes within the radius.
///
/// The boat has come within the radius at the first tick whose distance is at most
/// the radius; the window is the kScoreWindowTicks ticks that follow it, that is the
/// positions at the ends of ticks entry + 1 to entry + 3000. A run that ends before
/// the window is over leaves the score incomplete: the mean then covers only the
/// ticks the run had.
class StationKeepingScore {
 public:
  explicit StationKeepingScore(double radius) : radius_(radius) {}

  /// Feeds the distance from the target at the end of tick n (ticks in order, from 1).
  void add(std::int64_t n, double distance) {
    if (entryTick_ == 0) {
      if (distance <= radius_) entryTick_ = n;
    } else if (windowTicks_ < kScoreWindowTicks) {
      sum_ += distance;
      ++windowTicks_;
    }
  }

  double radius() const { return radius_; }  ///< (m)
  bool reached() const { return entryTick_ != 0; }
  /// Tick at which the boat first came within the radius; 0 if it never did.
  std::int64_t entryTick() const { return entryTick_; }
  /// Ticks of the window that the run covered: kScoreWindowTicks when complete.
  std::int64_t windowTicks() const { return windowTicks_; }
  bool complete() const { return windowTicks_ == kScoreWindowTicks; }
  /// Mean distance over the ticks of the window covered so far (m); NaN if none.
  double mean() const;

 private:
  double radius_;
  std::int64_t entryTick_ = 0;
  std::int64_t windowTicks_ = 0;
  double sum_ = 0;
};

/// The score in words, for the summary and the plot: "6.52 m", "not reached", or
/// "incomplete, 4.10 m over 2.50 of 5 min".
std::string describeScore(const StationKeepingScore& score);

}  // namespace sim
