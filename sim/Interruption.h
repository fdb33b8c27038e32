#pragma once

#include <signal.h>
#include <sys/types.h>

// What an interrupted run must undo. On SIGINT, SIGTERM or SIGHUP the handler
// removes every temporary file still registered, stops every worker process still
// registered, and ends the program with status 128 + signal (130, 143, 129).
// Registration is meant for a single thread; the handler itself only calls unlink,
// kill and _exit.

namespace sim {

/// The signals that interrupt a run.
constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};

/// Installs the handler for the interruptions.
void installInterruptionHandler();

/// Puts back the default handling of the interruptions and forgets every
/// registration, as a worker process does right after the fork.
void resetInterruptionHandlingInWorker();

/// Registers a temporary file for removal; returns its slot, or -1 when the path is
/// too long or every slot is taken (the caller then refuses to create the file).
int registerTemporaryFile(const char* path);
void unregisterTemporaryFile(int slot);

/// Registers a worker process to stop; returns its slot, or -1 when every slot is taken.
int registerWorker(pid_t pid);
void unregisterWorker(int slot);

/// Blocks the interruptions for its lifetime, so that creating a temporary file or a
/// worker and registering it happen as one step for the handler; restore() lets the
/// signals through earlier (a worker does, once it has reset its handling).
class InterruptionsDeferred {
 public:
  InterruptionsDeferred() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kInterruptions) sigaddset(&set, signal);
    sigprocmask(SIG_BLOCK, &set, &previous_);
  }
  ~InterruptionsDeferred() { restore(); }
  void restore() { sigprocmask(SIG_SETMASK, &previous_, nullptr); }
  InterruptionsDeferred(const InterruptionsDeferred&) = delete;
  InterruptionsDeferred& operator=(const InterruptionsDeferred&) = delete;

 private:
  sigset_t previous_;
};

/// Most workers that can be registered at once.
constexpr int kMaxWorkers = 256;

}  // namespace sim
