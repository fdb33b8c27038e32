#include "sim/SingleRun.h"

#include <memory>
#include <optional>

#include "sim/AtomicFile.h"
#include "sim/CsvWriter.h"
#include "sim/ProgressBar.h"
#include "sim/Simulation.h"
#include "sim/TrackPlot.h"

namespace sim {

RunSummary runSingle(const RunSettings& settings, const RunOutputs& outputs, bool showProgress) {
  // Open every output first: a file that cannot be written fails before the run.
  std::unique_ptr<CsvWriter> csv;
  if (!outputs.csvPath.empty()) csv = std::make_unique<CsvWriter>(outputs.csvPath);
  std::unique_ptr<AtomicFile> svgFile;
  std::unique_ptr<TrackPlot> track;
  if (!outputs.svgPath.empty()) {
    svgFile = std::make_unique<AtomicFile>(outputs.svgPath);
    track = std::make_unique<TrackPlot>();
  }
  std::optional<ProgressBar> progress;
  if (showProgress) progress.emplace(settings.ticks, "ticks");

  RunSummary summary(settings);
  startRandomSequence(settings.skip);
  simulate(
      settings,
      [&](std::int64_t n, const Voilier& etat, float w1, float w2) {
        summary.add(n, etat, w1, w2);
        if (csv) csv->add(n, etat, w1, w2);
        if (track) track->add(etat);
      },
      [&](std::int64_t n) {
        if (progress) progress->update(n);
      });
  progress.reset();

  // Write everything before naming anything, so that a full disk leaves no file.
  if (csv) csv->finish();
  if (svgFile) svgFile->write(track->svg(summary));
  if (csv) csv->commit();
  if (svgFile) svgFile->commit();
  return summary;
}

}  // namespace sim
