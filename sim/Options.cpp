#include "sim/Options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <string_view>

#include "sim/Interruption.h"
#include "sim/NumberText.h"

namespace sim {

namespace {

// Limits of the values. Together they keep every count of ticks and of random
// values within 64 bits: 1e9 ticks x 10001 values x 1e5 runs + 1e12 < 2^63.
constexpr double kMaxDuration = 1e8;        // s: about three years
constexpr double kMaxWind = 100;            // m/s: far beyond any sailing
constexpr double kMaxTargetDistance = 1e5;  // m: |X| and |Y| of the target
constexpr int kMaxRepaintsPerTick = 10000;
constexpr std::int64_t kMaxSkip = 1000000000000;  // random values
constexpr int kMaxRuns = 100000;
constexpr int kMaxWindSpeeds = 1000;
// Runs of a sweep in all (wind speeds x runs): their results stay in memory.
constexpr std::int64_t kMaxSweepRuns = 1000000;
// The plot keeps every point of the track: at most this many ticks (s / 0.1).
constexpr std::int64_t kMaxPlottedTicks = 10000000;
// Significant digits of the swept wind speeds, so that FROM + i x STEP gives the
// speed as one would type it (0.3, not 0.30000000000000004).
constexpr int kSweepWindDigits = 12;

const std::set<std::string_view> kValueOptions = {"--duration", "--wind", "--target", "--repaints-per-tick",
                                                  "--skip",     "--csv",  "--svg",    "--sweep-wind",
                                                  "--runs",     "--jobs"};

// The text in single quotes, as messages show what was given.
std::string quoted(std::string_view text) {
  std::string out;
  out += '\'';
  out += text;
  out += '\'';
  return out;
}

[[noreturn]] void fail(std::string_view option, const std::string& message) {
  throw OptionError(std::string(option) + ": " + message);
}

double parseNumber(std::string_view option, std::string_view text) {
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size())
    fail(option, quoted(text) + " is not a number");
  if (!std::isfinite(value)) fail(option, quoted(text) + " is not a finite number");
  return value;
}

double parseNumberIn(std::string_view option, std::string_view text, double low, double high,
                     const std::string& range) {
  const double value = parseNumber(option, text);
  if (value < low || value > high) fail(option, quoted(text) + " is out of range (" + range + ")");
  return value;
}

std::int64_t parseWhole(std::string_view option, std::string_view text, std::int64_t low, std::int64_t high) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  const std::string range = "a whole number from " + std::to_string(low) + " to " + std::to_string(high);
  if (text.empty() || error == std::errc::invalid_argument || end != text.data() + text.size())
    fail(option, quoted(text) + " is not " + range);
  if (error == std::errc::result_out_of_range || value < low || value > high)
    fail(option, quoted(text) + " is out of range (" + range + ")");
  return value;
}

std::vector<std::string_view> split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t at = text.find(separator, start);
    parts.push_back(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

// Rounds to kSweepWindDigits significant digits, through their decimal text.
double roundedWind(double value) {
  char text[64];
  const auto end =
      std::to_chars(text, text + sizeof text, value, std::chars_format::general, kSweepWindDigits).ptr;
  double rounded = 0;
  std::from_chars(text, end, rounded);
  return rounded;
}

std::vector<double> parseWindSweep(std::string_view option, std::string_view text) {
  const auto parts = split(text, ':');
  if (parts.size() != 3) fail(option, "expected FROM:TO:STEP, got " + quoted(text));
  const std::string range = "0 to " + fixed(kMaxWind, 0) + " m/s";
  const double from = parseNumberIn(option, parts[0], 0, kMaxWind, range);
  const double to = parseNumberIn(option, parts[1], 0, kMaxWind, range);
  const double step = parseNumber(option, parts[2]);
  if (step <= 0) fail(option, "STEP must be greater than 0, got " + quoted(parts[2]));
  if (to < from) fail(option, "TO must not be below FROM, got " + quoted(text));
  // Speeds from FROM up to TO, TO included when a whole number of steps reaches it
  // (up to rounding in the last digits).
  const double steps = std::floor((to - from) / step * (1 + 1e-12));
  if (steps + 1 > kMaxWindSpeeds)
    fail(option, "more than " + std::to_string(kMaxWindSpeeds) + " wind speeds in " + quoted(text));
  std::vector<double> winds;
  for (int i = 0; i <= int(steps); ++i) winds.push_back(std::min(roundedWind(from + i * step), kMaxWind));
  return winds;
}

}  // namespace

Options parseOptions(const std::vector<std::string>& args) {
  Options options;
  std::set<std::string> given;
  bool jobsGiven = false;

  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "-h" || arg == "--help") {
      options.help = true;
      continue;
    }
    if (arg.size() < 3 || arg.compare(0, 2, "--") != 0) {
      if (!arg.empty() && arg[0] == '-') throw OptionError("unknown option " + quoted(arg));
      throw OptionError("unexpected argument " + quoted(arg));
    }
    // "--name=value" or "--name value".
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (name == "--help") fail(name, "takes no value");
    if (!kValueOptions.count(name)) throw OptionError("unknown option " + quoted(name));
    std::string value;
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
    } else {
      if (i + 1 == args.size()) fail(name, "missing value");
      value = args[++i];
    }
    given.insert(name);

    if (name == "--duration") {
      const double duration = parseNumber(name, value);
      if (duration < 0) fail(name, "must not be negative, got " + quoted(value));
      if (duration > kMaxDuration)
        fail(name, quoted(value) + " is out of range (at most " + fixed(kMaxDuration, 0) + " s)");
      options.run.ticks = std::llround(duration * kTicksPerSecond);
      if (options.run.ticks == 0) fail(name, "must be at least one tick of 0.1 s, got " + quoted(value));
    } else if (name == "--wind") {
      options.run.wind = parseNumberIn(name, value, 0, kMaxWind, "0 to " + fixed(kMaxWind, 0) + " m/s");
    } else if (name == "--target") {
      const auto parts = split(value, ',');
      if (parts.size() != 2) fail(name, "expected X,Y, got " + quoted(value));
      const std::string range = fixed(-kMaxTargetDistance, 0) + " to " + fixed(kMaxTargetDistance, 0) + " m";
      options.run.targetX = parseNumberIn(name, parts[0], -kMaxTargetDistance, kMaxTargetDistance, range);
      options.run.targetY = parseNumberIn(name, parts[1], -kMaxTargetDistance, kMaxTargetDistance, range);
    } else if (name == "--repaints-per-tick") {
      options.run.repaintsPerTick = int(parseWhole(name, value, 0, kMaxRepaintsPerTick));
    } else if (name == "--skip") {
      options.run.skip = parseWhole(name, value, 0, kMaxSkip);
    } else if (name == "--csv" || name == "--svg") {
      if (value.empty()) fail(name, "missing file name");
      (name == "--csv" ? options.outputs.csvPath : options.outputs.svgPath) = value;
    } else if (name == "--sweep-wind") {
      options.sweep = true;
      options.windSweep.winds = parseWindSweep(name, value);
    } else if (name == "--runs") {
      options.windSweep.runs = int(parseWhole(name, value, 1, kMaxRuns));
    } else if (name == "--jobs") {
      options.windSweep.jobs = int(parseWhole(name, value, 1, kMaxWorkers));
      jobsGiven = true;
    }
  }
  if (options.help) return options;

  // Combinations.
  if (options.sweep) {
    for (const char* single : {"--wind", "--csv", "--svg"})
      if (given.count(single)) fail(single, "cannot be used with --sweep-wind");
    const auto total = std::int64_t(options.windSweep.winds.size()) * options.windSweep.runs;
    if (total > kMaxSweepRuns)
      fail("--runs", std::to_string(options.windSweep.runs) + " runs of " +
                         std::to_string(options.windSweep.winds.size()) + " wind speeds make more than " +
                         std::to_string(kMaxSweepRuns) + " runs");
  } else {
    for (const char* sweepOnly : {"--runs", "--jobs"})
      if (given.count(sweepOnly)) fail(sweepOnly, "only goes with --sweep-wind");
  }
  if (!options.outputs.csvPath.empty() && options.outputs.csvPath == options.outputs.svgPath)
    fail("--svg", "same file as --csv");
  if (!options.outputs.svgPath.empty() && options.run.ticks > kMaxPlottedTicks)
    fail("--svg", "cannot draw a run longer than " + fixed(tickTime(kMaxPlottedTicks), 0) + " s");
  if (!jobsGiven) options.windSweep.jobs = std::min(availableProcessors(), kMaxWorkers);
  return options;
}

std::string helpText() {
  return R"(Usage: korvalen-sim [OPTION]...
Runs the Korvalen sailing boat without a window, faster than real time: the
same boat, autopilot and random gusts as the desktop program, tick by tick
(0.1 s).

Run:
  --duration SECONDS     simulated time, rounded to whole ticks of 0.1 s
                         (default 3600)
  --wind V               wind speed in m/s, 0 to 100, as the wind slider sets
                         it (default 10)
  --target X,Y           target point in metres, each -100000 to 100000
                         (default 100,100)
  --repaints-per-tick K  repaints of the view between two ticks (default 10,
                         as the desktop program's 10 ms display tick gives):
                         each one sets the wind speed V to --wind again and
                         draws one random value. Wind and target are also set
                         once before the first tick, so with 0 the wind
                         starts at --wind and is then left to the gusts.
  --skip N               draw N random values before the first tick, to start
                         the gusts elsewhere in the sequence (default 0)

Output (without --csv or --svg, a summary on standard output):
  --csv FILE             one row per tick: tick, time (s) and every field of
                         the boat that a tick changes, then the setpoints w1
                         and w2, each in its shortest form that reads back
                         exactly
  --svg FILE             the track seen from above: each leg in the colour of
                         its q, the target with its 24 x 24 m square, the
                         wind, a scale bar and the score in the title (runs
                         up to 1000000 s)

Many runs:
  --sweep-wind FROM:TO:STEP
                         run every wind speed FROM, FROM+STEP, ... up to TO
                         (m/s) and print a table of the scores per wind
                         speed: how many runs were scored, their mean and the
                         worst
  --runs N               runs per wind speed (default 1); run r (from 0)
                         starts the random sequence at
                         --skip + r x ticks x (K + 1), right after the values
                         that run r - 1 draws, and gives exactly what a single
                         run with that --skip gives
  --jobs N               worker processes (default: every processor available)

  -h, --help             this help

The summary:
  station-keeping score  mean distance from the target over the five minutes
                         (3000 ticks) after the boat first comes within 20 m,
                         and the same for 15 m; "within" is at most that
                         distance at the end of a tick; "not reached" if it
                         never does. A run that ends before the five minutes
                         are over reports the score as incomplete, with the
                         mean over the minutes it covered; a sweep counts
                         such a run as not scored.
  last half              mean and largest distance over the ticks after half
                         of the run
  time within 12, 20 m   share of the ticks that end that close to the target
  leg changes            ticks at which the circuit's leg q changed
  negative speed,        share of the ticks that end with v < 0, and with the
  rudder at its limit    rudder at its limit (36 degrees)
  every value finite     whether every field that a tick changes stayed finite

Exit status: 0 done; 1 a file could not be written or a worker failed; 2 bad
options (nothing is run); 130, 143 or 129 interrupted by SIGINT, SIGTERM or
SIGHUP. Output files are written whole or not at all: a run that fails or is
interrupted leaves nothing under the requested name.
)";
}

}  // namespace sim
