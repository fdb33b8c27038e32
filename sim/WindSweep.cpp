#include "sim/WindSweep.h"

#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <type_traits>

#include "sim/Interruption.h"
#include "sim/NumberText.h"
#include "sim/ProgressBar.h"
#include "sim/RunSummary.h"
#include "sim/Simulation.h"

namespace sim {

namespace {

// What a worker sends back through its pipe: a plain record, smaller than a pipe's
// buffer, so that it is all there once the worker has ended.
struct WorkerReport {
  StationKeepingScore score20{kScoreRadiusWide};
  StationKeepingScore score15{kScoreRadiusNarrow};
  std::int64_t firstNonFiniteTick = 0;
};
static_assert(std::is_trivially_copyable_v<WorkerReport>);
static_assert(sizeof(WorkerReport) <= PIPE_BUF);

// A worker in flight.
struct Worker {
  pid_t pid;
  int readEnd;       // its pipe
  int slot;          // its registration for the interruption handler
  std::size_t task;  // index into the results
};

// The worker's side: runs from the sequence position it inherited, reports, ends.
[[noreturn]] void runWorker(const RunSettings& settings, int writeEnd) {
  RunSummary summary(settings);
  simulate(
      settings,
      [&](std::int64_t n, const Voilier& etat, float w1, float w2) { summary.add(n, etat, w1, w2); },
      [](std::int64_t) {});
  WorkerReport report;
  report.score20 = summary.score20;
  report.score15 = summary.score15;
  report.firstNonFiniteTick = summary.firstNonFiniteTick;
  const char* data = reinterpret_cast<const char*>(&report);
  std::size_t left = sizeof report;
  while (left > 0) {
    const ssize_t written = write(writeEnd, data, left);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) _exit(1);
    data += written;
    left -= std::size_t(written);
  }
  // _exit: the worker must not flush or destroy anything that belongs to the parent.
  _exit(0);
}

class WorkerPool {
 public:
  WorkerPool(std::vector<SweepRunResult>& results, std::optional<ProgressBar>& progress)
      : results_(results), progress_(progress) {}
  ~WorkerPool() {
    // Only reached with workers left when something failed: stop them all.
    for (const Worker& w : workers_) {
      kill(w.pid, SIGTERM);
      waitpid(w.pid, nullptr, 0);
      close(w.readEnd);
      unregisterWorker(w.slot);
    }
  }
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  std::size_t running() const { return workers_.size(); }

  // Starts a worker for results[task] from where the random sequence stands now.
  void launch(const RunSettings& settings, std::size_t task) {
    int ends[2];
    if (pipe(ends) != 0)
      throw std::runtime_error(std::string("cannot start a worker: ") + std::strerror(errno));
    // Whatever this process still has buffered must not be written twice.
    std::fflush(stdout);
    std::fflush(stderr);
    InterruptionsDeferred deferred;
    const pid_t pid = fork();
    if (pid == 0) {
      resetInterruptionHandlingInWorker();
      deferred.restore();
      close(ends[0]);
      runWorker(settings, ends[1]);
    }
    close(ends[1]);
    if (pid < 0) {
      close(ends[0]);
      throw std::runtime_error(std::string("cannot start a worker: ") + std::strerror(errno));
    }
    workers_.push_back({pid, ends[0], registerWorker(pid), task});
  }

  // Waits for a worker to finish and takes its report. A worker's pipe becomes
  // readable when it has written its report or ended without one; only then is that
  // worker waited for, so that no other child process of ours is ever reaped here.
  void collectOne() {
    std::vector<pollfd> pipes;
    for (const Worker& w : workers_) pipes.push_back({w.readEnd, POLLIN, 0});
    while (poll(pipes.data(), nfds_t(pipes.size()), -1) < 0)
      if (errno != EINTR) throw std::runtime_error(std::string("lost the workers: ") + std::strerror(errno));
    std::size_t i = 0;
    while (pipes[i].revents == 0) ++i;
    const Worker worker = workers_[i];
    workers_.erase(workers_.begin() + std::ptrdiff_t(i));

    WorkerReport report;
    const std::size_t got = readAll(worker.readEnd, &report, sizeof report);
    close(worker.readEnd);
    int status = 0;
    while (waitpid(worker.pid, &status, 0) < 0 && errno == EINTR) {
    }
    unregisterWorker(worker.slot);

    SweepRunResult& result = results_[worker.task];
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || got != sizeof report)
      throw std::runtime_error("the worker for wind " + shortest(result.wind) + " m/s, run " +
                               std::to_string(result.run) + " failed");
    result.score20 = report.score20;
    result.score15 = report.score15;
    result.firstNonFiniteTick = report.firstNonFiniteTick;
    if (progress_) progress_->update(std::int64_t(++collected_));
  }

 private:
  static std::size_t readAll(int fd, void* buffer, std::size_t size) {
    char* p = static_cast<char*>(buffer);
    std::size_t got = 0;
    while (got < size) {
      const ssize_t n = read(fd, p + got, size - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += std::size_t(n);
    }
    return got;
  }

  std::vector<SweepRunResult>& results_;
  std::optional<ProgressBar>& progress_;
  std::vector<Worker> workers_;
  std::size_t collected_ = 0;
};

}  // namespace

std::int64_t sweepRunSkip(const RunSettings& base, int run) {
  return base.skip + std::int64_t(run) * base.ticks * (std::int64_t(base.repaintsPerTick) + 1);
}

std::vector<SweepRunResult> runSweep(const RunSettings& base, const WindSweep& sweep, bool showProgress) {
  const std::size_t windCount = sweep.winds.size();
  std::vector<SweepRunResult> results(std::size_t(sweep.runs) * windCount);
  std::optional<ProgressBar> progress;
  if (showProgress) progress.emplace(std::int64_t(results.size()), "runs");

  WorkerPool pool(results, progress);
  const std::size_t jobs = std::size_t(std::max(1, sweep.jobs));
  const std::int64_t drawsPerRun = sweepRunSkip(base, 1) - sweepRunSkip(base, 0);
  startRandomSequence(base.skip);
  for (int run = 0; run < sweep.runs; ++run) {
    if (run > 0)
      for (std::int64_t i = 0; i < drawsPerRun; ++i) platform::nextRandom();
    for (std::size_t w = 0; w < windCount; ++w) {
      const std::size_t task = std::size_t(run) * windCount + w;
      results[task].wind = sweep.winds[w];
      results[task].run = run;
      results[task].skip = sweepRunSkip(base, run);
      RunSettings settings = base;
      settings.wind = sweep.winds[w];
      settings.skip = results[task].skip;
      while (pool.running() >= jobs) pool.collectOne();
      pool.launch(settings, task);
    }
  }
  while (pool.running() > 0) pool.collectOne();
  return results;
}

namespace {

// Right-aligned in a column of the given width.
std::string column(const std::string& text, std::size_t width) {
  return text.size() >= width ? " " + text : std::string(width - text.size(), ' ') + text;
}

// "scored", "mean" and "worst" of one radius over the runs of one wind speed. The
// mean is over the runs whose window was complete; the worst is "not reached" or
// "incomplete" as soon as one run was, so that it never hides a failed run.
std::string scoreColumns(const std::vector<const StationKeepingScore*>& scores) {
  int complete = 0, notReached = 0, incomplete = 0;
  double sum = 0, worst = 0;
  for (const StationKeepingScore* s : scores) {
    if (!s->reached()) {
      ++notReached;
    } else if (!s->complete()) {
      ++incomplete;
    } else {
      ++complete;
      sum += s->mean();
      if (s->mean() > worst || std::isnan(s->mean())) worst = s->mean();
    }
  }
  const std::string scored = std::to_string(complete) + "/" + std::to_string(scores.size());
  const std::string mean = complete > 0 ? fixed(sum / complete, 2) + " m" : "-";
  const std::string worstText = notReached > 0   ? "not reached"
                                : incomplete > 0 ? "incomplete"
                                                 : fixed(worst, 2) + " m";
  return column(scored, 12) + column(mean, 11) + column(worstText, 13);
}

}  // namespace

std::string sweepTable(const RunSettings& base, const WindSweep& sweep,
                       const std::vector<SweepRunResult>& results) {
  std::string out = "sweep: " + shortest(tickTime(base.ticks)) + " s per run (" + std::to_string(base.ticks) +
                    " ticks), target (" + shortest(base.targetX) + ", " + shortest(base.targetY) + "), " +
                    std::to_string(base.repaintsPerTick) + " repaints per tick, " +
                    std::to_string(sweep.runs) + " runs per wind speed\n";
  out += "run r starts the random sequence at skip " + std::to_string(base.skip) + " + r x " +
         std::to_string(sweepRunSkip(base, 1) - sweepRunSkip(base, 0)) + "\n";
  out += column("wind (m/s)", 10) + column("scored 20 m", 12) + column("mean 20 m", 11) +
         column("worst 20 m", 13) + column("scored 15 m", 12) + column("mean 15 m", 11) +
         column("worst 15 m", 13) + column("finite", 8) + "\n";
  for (std::size_t w = 0; w < sweep.winds.size(); ++w) {
    std::vector<const StationKeepingScore*> wide, narrow;
    int finite = 0;
    for (std::size_t i = w; i < results.size(); i += sweep.winds.size()) {
      const SweepRunResult& r = results[i];
      wide.push_back(&r.score20);
      narrow.push_back(&r.score15);
      finite += r.firstNonFiniteTick == 0;
    }
    out += column(shortest(sweep.winds[w]), 10) + scoreColumns(wide) + scoreColumns(narrow) +
           column(std::to_string(finite) + "/" + std::to_string(wide.size()), 8) + "\n";
  }
  return out;
}

int availableProcessors() {
  cpu_set_t set;
  if (sched_getaffinity(0, sizeof set, &set) == 0) return std::max(1, CPU_COUNT(&set));
  const long online = sysconf(_SC_NPROCESSORS_ONLN);
  return online > 0 ? int(online) : 1;
}

}  // namespace sim
