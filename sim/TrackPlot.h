#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "boat/Voilier.h"
#include "sim/RunSettings.h"
#include "sim/RunSummary.h"

namespace sim {

/// The track of a run seen from above, kept point by point while the run goes and
/// drawn as SVG at the end: each leg of the circuit in the colour of its q, the
/// target with the circuit's 24 x 24 square and the 20 m circle, the wind direction,
/// a scale bar, and the score in the title. North is up.
class TrackPlot {
 public:
  /// Starts the track at the boat's starting position.
  TrackPlot();

  /// Adds the position at the end of the next tick; q marks the leg.
  void add(const Voilier& etat) {
    if (etat.q != legs_.back().q) legs_.push_back({points_.size() - 1, etat.q});
    points_.push_back({etat.x, etat.y});
  }

  /// The drawing, as a whole SVG document.
  std::string svg(const RunSummary& summary) const;

  struct Point {
    float x, y;  ///< Position (m)
  };
  struct Leg {
    std::size_t firstPoint;  ///< Index of the point where the leg begins
    double q;                ///< Leg of the circuit, 1 to 4
  };
  const std::vector<Point>& points() const { return points_; }
  const std::vector<Leg>& legs() const { return legs_; }

 private:
  // A leg starts at the position where the tick that changed q began: that tick
  // already steers for the new leg.
  std::vector<Point> points_;
  std::vector<Leg> legs_;
};

}  // namespace sim
