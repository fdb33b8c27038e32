#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace sim {

/// A progress bar on standard error, for runs that take a while: it shows only when
/// standard error is a terminal, and only once a second of wall time has gone by, so
/// short runs and redirected output never see it.
class ProgressBar {
 public:
  /// `total` units of work (ticks, runs); `unit` names them in the bar.
  ProgressBar(std::int64_t total, std::string unit);
  ~ProgressBar();  // clears the bar
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  /// Reports that `done` units are complete. Cheap enough to call a few thousand
  /// times a second.
  void update(std::int64_t done);

 private:
  std::int64_t total_;
  std::string unit_;
  bool enabled_;
  bool shown_ = false;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
};

}  // namespace sim
