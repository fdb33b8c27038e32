// Window benchmark: runs the real main window, maximized, for a while and prints how
// fast it draws and simulates.
//
//   bench_window [seconds]   (default 60)
//
// The form's two clocks are re-bound, not changed: the display tick's timer calls
// TimerAffichageClock through a stopwatch, the simulation tick's timer calls
// TimerdTClock through a counter, and the panel's paint handler through a frame
// counter. Everything else runs as in the program.

#include <sys/resource.h>

#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "app/Conduite.h"
#include "platform/Application.h"
#include "platform/Form.h"
#include "platform/OpenGLPanel.h"

namespace {

using Clock = std::chrono::steady_clock;

// How long the window runs unless the first argument says otherwise (s).
constexpr double kDefaultSeconds = 60;

// Longest run the first argument may ask for: a day (s).
constexpr double kLongestSeconds = 24 * 3600;

// Display ticks expected per second, to size the sample buffer up front (1/s).
constexpr double kExpectedTicksPerSecond = 100;

// Milliseconds per second, kibibytes per mebibyte.
constexpr double kMillisecondsPerSecond = 1000;
constexpr double kKibPerMib = 1024;

// Seconds between two instants.
double secondsBetween(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double>(to - from).count();
}

// User plus system CPU time of the process so far (s).
double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return double(t.tv_sec) + double(t.tv_usec) / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Peak resident memory of the process (MiB); Linux gives ru_maxrss in KiB.
double peakMemoryMib() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_maxrss) / kKibPerMib;
}

// The value below which the given fraction of the samples lie (nearest rank).
double percentile(std::vector<double> samples, double fraction) {
  if (samples.empty()) return std::numeric_limits<double>::quiet_NaN();
  const auto rank = std::size_t(std::ceil(fraction * double(samples.size())));
  const std::size_t index = std::clamp<std::size_t>(rank, 1, samples.size()) - 1;
  std::nth_element(samples.begin(), samples.begin() + std::ptrdiff_t(index), samples.end());
  return samples[index];
}

// The run's duration from the first argument (s), or the default.
bool parseSeconds(int argc, char** argv, double& seconds) {
  seconds = kDefaultSeconds;
  if (argc < 2) return true;
  char* end = nullptr;
  seconds = std::strtod(argv[1], &end);
  return argc == 2 && end != argv[1] && *end == '\0' && seconds > 0 && seconds <= kLongestSeconds;
}

// What one run counts, from the start of the measured span.
struct Counts {
  long frames = 0;                 ///< Frames painted to their end
  long simulationTicks = 0;        ///< Simulation ticks run
  std::vector<double> tickTimes;   ///< Duration of each display tick (ms)
  std::vector<double> paintTimes;  ///< Duration of each frame's paint handler, swap excluded (ms)
  bool measuring = false;          ///< True between the start and the end of the span
};

}  // namespace

int main(int argc, char** argv) {
  double seconds = 0;
  if (!parseSeconds(argc, argv, seconds)) {
    std::fprintf(stderr, "usage: %s [seconds]   (more than 0, at most %g, default %g)\n", argv[0],
                 kLongestSeconds, kDefaultSeconds);
    return 2;
  }

  // The program's start-up: the application, the form, the window shown maximized.
  TApplication application(argc, argv);
  application.SetTitle("Korvalen");
  Form1 = new TForm1();
  platform::ShowMaximized(Form1);

  Counts counts;
  counts.tickTimes.reserve(std::size_t(seconds * kExpectedTicksPerSecond * 2));
  counts.paintTimes.reserve(std::size_t(seconds * kExpectedTicksPerSecond * 2));

  // Frames: the panel's paint handler, timed, and counted once it has run to its end.
  // The rest of a display tick's repaint is the buffer swap, where the renderer
  // rasterizes the frame and hands it to the display.
  const std::function<void(QObject*)> paint = Form1->OpenGLPanel1->OnPaint;
  Form1->OpenGLPanel1->OnPaint = [&counts, paint](QObject* Sender) {
    const Clock::time_point start = Clock::now();
    if (paint) paint(Sender);
    if (counts.measuring) {
      ++counts.frames;
      counts.paintTimes.push_back(secondsBetween(start, Clock::now()) * kMillisecondsPerSecond);
    }
  };

  // Display tick: the form's handler, timed from call to return.
  QObject::disconnect(Form1->TimerAffichage, &QTimer::timeout, nullptr, nullptr);
  QObject::connect(Form1->TimerAffichage, &QTimer::timeout, Form1, [&counts] {
    TApplication::Handle([&counts] {
      const Clock::time_point start = Clock::now();
      Form1->TimerAffichageClock(Form1->TimerAffichage);
      const double milliseconds = secondsBetween(start, Clock::now()) * kMillisecondsPerSecond;
      if (counts.measuring) counts.tickTimes.push_back(milliseconds);
    });
  });

  // Simulation tick: the form's handler, counted.
  QObject::disconnect(Form1->TimerdT, &QTimer::timeout, nullptr, nullptr);
  QObject::connect(Form1->TimerdT, &QTimer::timeout, Form1, [&counts] {
    TApplication::Handle([&counts] {
      Form1->TimerdTClock(Form1->TimerdT);
      if (counts.measuring) ++counts.simulationTicks;
    });
  });

  // The measured span starts once the loop runs and ends after the given time.
  Clock::time_point wallStart;
  double cpuStart = 0;
  QTimer::singleShot(0, Form1, [&] {
    wallStart = Clock::now();
    cpuStart = cpuSeconds();
    counts.measuring = true;
  });
  const int spanMilliseconds = int(std::lround(seconds * kMillisecondsPerSecond));
  double wall = 0, cpu = 0;
  QTimer::singleShot(spanMilliseconds, Qt::PreciseTimer, Form1, [&] {
    counts.measuring = false;
    wall = secondsBetween(wallStart, Clock::now());
    cpu = cpuSeconds() - cpuStart;
    QApplication::quit();
  });
  QApplication::exec();

  // The figures.
  const QSize panel(Form1->OpenGLPanel1->Width(), Form1->OpenGLPanel1->Height());
  const QRect screen = Form1->screen()->geometry();
  std::printf("window benchmark: %.1f s, screen %d x %d, panel %d x %d px\n", wall, screen.width(),
              screen.height(), panel.width(), panel.height());
  std::printf("frames drawn per second:           %8.1f  (%ld frames)\n", double(counts.frames) / wall,
              counts.frames);
  std::printf("display ticks per second:          %8.1f  (%zu ticks)\n",
              double(counts.tickTimes.size()) / wall, counts.tickTimes.size());
  std::printf("display tick, median:              %8.2f ms\n", percentile(counts.tickTimes, 0.5));
  std::printf("display tick, 99th percentile:     %8.2f ms\n", percentile(counts.tickTimes, 0.99));
  std::printf("frame paint handler, median:       %8.2f ms  (swap excluded)\n",
              percentile(counts.paintTimes, 0.5));
  std::printf("simulated seconds per wall second: %8.3f  (%ld ticks of %g s)\n",
              double(counts.simulationTicks) * double(Form1->dT) / wall, counts.simulationTicks,
              double(Form1->dT));
  std::printf("CPU use (user + system) / wall:    %8.2f\n", cpu / wall);
  std::printf("peak memory (max RSS):             %8.1f MiB\n", peakMemoryMib());

  delete Form1;
  Form1 = nullptr;
  return 0;
}
