// korvalen-sim: the Korvalen boat without a window, faster than real time, with a
// station-keeping summary, a log of every tick, a plot of the track and sweeps over
// the wind. `korvalen-sim --help` tells the options.

#include <unistd.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "sim/AtomicFile.h"
#include "sim/Interruption.h"
#include "sim/Options.h"
#include "sim/SingleRun.h"
#include "sim/WindSweep.h"

namespace {

// Exit statuses besides 0; SIGINT, SIGTERM and SIGHUP end the program with 128 + signal.
constexpr int kExitFailure = 1;
constexpr int kExitBadOptions = 2;

// Writes all of `text` to standard output; says so and returns false if it could not
// (a full disk, a closed pipe), so that a lost summary never looks like success.
bool print(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0)
    return true;
  std::fputs("korvalen-sim: cannot write to standard output\n", stderr);
  return false;
}

int run(const sim::Options& options) {
  const bool terminal = isatty(STDERR_FILENO) == 1;
  std::string out;
  if (options.sweep) {
    const auto results = sim::runSweep(options.run, options.windSweep, terminal);
    out = sim::sweepTable(options.run, options.windSweep, results);
  } else {
    const auto summary = sim::runSingle(options.run, options.outputs, terminal);
    if (options.outputs.csvPath.empty() && options.outputs.svgPath.empty()) out = summary.text();
  }
  return print(out) ? 0 : kExitFailure;
}

}  // namespace

int main(int argc, char** argv) {
  sim::Options options;
  try {
    options = sim::parseOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const sim::OptionError& error) {
    std::fprintf(stderr, "korvalen-sim: %s\n", error.what());
    return kExitBadOptions;
  }
  if (options.help) return print(sim::helpText()) ? 0 : kExitFailure;

  sim::installInterruptionHandler();
  try {
    return run(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "korvalen-sim: %s\n", error.what());
    return kExitFailure;
  }
}
