#include "sim/Interruption.h"

#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <climits>
#include <cstring>

namespace sim {

namespace {

// Temporary files open at once: the CSV and the plot.
constexpr int kMaxTemporaryFiles = 4;

// Filled before the slot is marked in use, cleared after it is marked free, so that
// the handler only ever reads a whole path.
char temporaryPaths[kMaxTemporaryFiles][PATH_MAX];
volatile sig_atomic_t temporaryInUse[kMaxTemporaryFiles];
volatile sig_atomic_t workers[kMaxWorkers];  // pid, or 0 for a free slot

extern "C" void onInterruption(int signal) {
  for (int i = 0; i < kMaxTemporaryFiles; ++i)
    if (temporaryInUse[i]) unlink(temporaryPaths[i]);
  for (int i = 0; i < kMaxWorkers; ++i)
    if (workers[i] > 0) kill(pid_t(workers[i]), SIGTERM);
  _exit(128 + signal);
}

}  // namespace

void installInterruptionHandler() {
  struct sigaction action {};
  action.sa_handler = onInterruption;
  sigemptyset(&action.sa_mask);
  // While one signal is handled the others wait: the handler runs once.
  for (const int signal : kInterruptions) sigaddset(&action.sa_mask, signal);
  for (const int signal : kInterruptions) sigaction(signal, &action, nullptr);
}

void resetInterruptionHandlingInWorker() {
  for (int i = 0; i < kMaxTemporaryFiles; ++i) temporaryInUse[i] = 0;
  for (int i = 0; i < kMaxWorkers; ++i) workers[i] = 0;
  for (const int interruption : kInterruptions) signal(interruption, SIG_DFL);
}

int registerTemporaryFile(const char* path) {
  if (std::strlen(path) >= PATH_MAX) return -1;
  for (int i = 0; i < kMaxTemporaryFiles; ++i) {
    if (temporaryInUse[i]) continue;
    std::strcpy(temporaryPaths[i], path);
    // The handler must see the whole path before it sees the slot in use.
    std::atomic_signal_fence(std::memory_order_seq_cst);
    temporaryInUse[i] = 1;
    return i;
  }
  return -1;
}

void unregisterTemporaryFile(int slot) {
  if (slot >= 0) temporaryInUse[slot] = 0;
}

int registerWorker(pid_t pid) {
  for (int i = 0; i < kMaxWorkers; ++i) {
    if (workers[i] != 0) continue;
    workers[i] = sig_atomic_t(pid);
    return i;
  }
  return -1;
}

void unregisterWorker(int slot) {
  if (slot >= 0) workers[slot] = 0;
}

}  // namespace sim
