#include "sim/ProgressBar.h"

#include <unistd.h>

#include <cstdio>

namespace sim {

namespace {

// Wall time before the bar appears, and between two redraws.
constexpr auto kDelayBeforeShowing = std::chrono::seconds(1);
constexpr auto kRedrawInterval = std::chrono::milliseconds(100);
// Width of the bar itself (characters).
constexpr int kBarWidth = 40;

}  // namespace

ProgressBar::ProgressBar(std::int64_t total, std::string unit)
    : total_(total),
      unit_(std::move(unit)),
      enabled_(isatty(STDERR_FILENO) == 1 && total > 0),
      start_(std::chrono::steady_clock::now()) {}

ProgressBar::~ProgressBar() {
  // Erase the bar's line so that what follows starts on a clean line.
  if (shown_) std::fputs("\r\033[K", stderr);
}

void ProgressBar::update(std::int64_t done) {
  if (!enabled_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now - start_ < kDelayBeforeShowing || (shown_ && now - lastDrawn_ < kRedrawInterval)) return;
  lastDrawn_ = now;
  shown_ = true;

  const double share = double(done) / double(total_);
  const int filled = int(share * kBarWidth);
  char bar[kBarWidth + 1];
  for (int i = 0; i < kBarWidth; ++i) bar[i] = i < filled ? '#' : '-';
  bar[kBarWidth] = '\0';
  std::fprintf(stderr, "\r[%s] %3d %% (%lld of %lld %s)", bar, int(share * 100), static_cast<long long>(done),
               static_cast<long long>(total_), unit_.c_str());
  std::fflush(stderr);
}

}  // namespace sim
