// Speed of korvalen-sim's runs, printed as figures: ticks per second of a one-hour run
// with the summary only, rows per second of the same run with the CSV log, and the
// speed-up of a wind sweep on two worker processes over one.
//
// Usage: bench_sim [FOLDER]   (the CSV files go to FOLDER, by default the temporary folder)

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "sim/SingleRun.h"
#include "sim/WindSweep.h"

namespace {

using Clock = std::chrono::steady_clock;

// Repetitions of each measurement; the figures are the median and the best.
constexpr int kRunRepeats = 31;
constexpr int kCsvRepeats = 15;
constexpr int kSweepRepeats = 3;

double seconds(Clock::duration d) { return std::chrono::duration<double>(d).count(); }

// Times `work` `repeats` times; `after` runs after each, untimed.
template <class Work, class After>
std::vector<double> timed(int repeats, Work&& work, After&& after) {
  std::vector<double> times;
  for (int i = 0; i < repeats; ++i) {
    const auto start = Clock::now();
    work();
    times.push_back(seconds(Clock::now() - start));
    after();
  }
  std::sort(times.begin(), times.end());
  return times;
}

double median(const std::vector<double>& sorted) { return sorted[sorted.size() / 2]; }

std::string loadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five;
  in >> one >> five;
  return one + " (1 min), " + five + " (5 min)";
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path();
  if (argc > 2 || !std::filesystem::is_directory(folder)) {
    std::fprintf(stderr, "usage: bench_sim [FOLDER]   (FOLDER: an existing folder for the CSV files)\n");
    return 2;
  }
  const sim::RunSettings hour;  // the defaults: one hour, wind 10, 10 repaints per tick
  const double ticks = double(hour.ticks);
  std::printf("korvalen-sim speed, %d processors available, load average %s\n", sim::availableProcessors(),
              loadAverage().c_str());

  // The summary only: the tick and its bookkeeping, on one core.
  const auto summary = timed(
      kRunRepeats, [&] { sim::runSingle(hour, {}, false); }, [] {});
  std::printf("one-hour run, summary only: %.2f M ticks/s (median of %d), best %.2f M ticks/s\n",
              ticks / median(summary) / 1e6, kRunRepeats, ticks / summary.front() / 1e6);

  // The same run writing its log to a new file each time.
  const std::string csvPath = (folder / "bench-sim.csv").string();
  double csvBytes = 0;
  const auto csv = timed(
      kCsvRepeats,
      [&] {
        sim::runSingle(hour, {csvPath, ""}, false);
      },
      [&] {
        csvBytes = double(std::filesystem::file_size(csvPath));
        std::filesystem::remove(csvPath);
      });
  std::printf("one-hour run with --csv: %.2f M rows/s (median of %d), best %.2f M rows/s, %.0f MB/s\n",
              ticks / median(csv) / 1e6, kCsvRepeats, ticks / csv.front() / 1e6,
              csvBytes / median(csv) / 1e6);

  // A sweep of one-hour runs on one worker and on two, taken in turns so that a
  // passing load on the machine touches both alike.
  sim::WindSweep sweep;
  for (double wind = 4; wind <= 14; ++wind) sweep.winds.push_back(wind);
  sweep.runs = 8;
  const double runs = double(sweep.winds.size()) * sweep.runs;
  double best[2] = {1e300, 1e300};
  for (int repeat = 0; repeat < kSweepRepeats; ++repeat) {
    for (const int jobs : {1, 2}) {
      sweep.jobs = jobs;
      const auto start = Clock::now();
      sim::runSweep(hour, sweep, false);
      best[jobs - 1] = std::min(best[jobs - 1], seconds(Clock::now() - start));
    }
  }
  for (const int jobs : {1, 2})
    std::printf("sweep of %.0f one-hour runs on %d worker%s: %.3f s (best of %d), %.0f runs/s\n", runs, jobs,
                jobs > 1 ? "s" : "", best[jobs - 1], kSweepRepeats, runs / best[jobs - 1]);
  std::printf("sweep speed-up, 2 workers over 1: %.2f\n", best[0] / best[1]);
  return 0;
}
