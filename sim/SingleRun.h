#pragma once

#include <string>

#include "sim/RunSettings.h"
#include "sim/RunSummary.h"

namespace sim {

/// Where a single run writes, besides its summary. An empty path: no such file.
struct RunOutputs {
  std::string csvPath;  ///< One row per tick (CsvWriter)
  std::string svgPath;  ///< The track seen from above (TrackPlot)
};

/// One run from the start of the random sequence, moved on by settings.skip values.
/// Creates the output files before the first tick, so that a file that cannot be
/// written stops the run before any work; each file is written whole or not at all.
/// Returns the summary. Throws FileError.
RunSummary runSingle(const RunSettings& settings, const RunOutputs& outputs, bool showProgress);

}  // namespace sim
