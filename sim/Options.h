#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "sim/RunSettings.h"
#include "sim/SingleRun.h"
#include "sim/WindSweep.h"

namespace sim {

/// A malformed, out-of-range or conflicting option; the message names the option.
class OptionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

/// What the command line asks for.
struct Options {
  RunSettings run;      ///< The run, or the base of every run of a sweep
  RunOutputs outputs;   ///< Files of a single run
  bool sweep = false;   ///< --sweep-wind given: many runs and a table
  WindSweep windSweep;  ///< Wind speeds, runs and workers of the sweep
  bool help = false;    ///< --help given: print the help and nothing else
};

/// Reads the arguments (without the program's name), GNU style: "--name value" or
/// "--name=value". Checks every value and every combination before anything runs.
/// Throws OptionError.
Options parseOptions(const std::vector<std::string>& args);

/// The text of --help: every option with its default, and what the figures mean.
std::string helpText();

}  // namespace sim
