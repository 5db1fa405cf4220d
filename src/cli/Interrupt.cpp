#include "cli/Interrupt.h"

#include <csignal>
#include <cstdio>

namespace {

constexpr int kSlots = 4;
// Written before a signal can read them: a slot's path is set, then the
// slot is marked; the handler reads only marked slots.
const char* volatile gTemporary[kSlots] = {};
std::atomic<bool> gStopRequested{false};
volatile std::sig_atomic_t gStopping = 0;

const int kSignals[] = {
    SIGINT,
    SIGTERM,
#if defined(SIGHUP)
    SIGHUP,
#endif
};

extern "C" void endProgram(int signal) {
  // remove() unlinks a file: nothing here allocates or takes a lock.
  for (const char* path : gTemporary) {
    if (path != nullptr) std::remove(path);
  }
  std::signal(signal, SIG_DFL);
  std::raise(signal);
}

extern "C" void requestStop(int) {
  gStopRequested.store(true);
  for (int s : kSignals) std::signal(s, endProgram);
}

void handleSignals() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  for (int s : kSignals) std::signal(s, gStopping ? requestStop : endProgram);
}

}  // namespace

void removeOnSignal(const char* path) {
  handleSignals();
  for (const char* volatile& slot : gTemporary) {
    if (slot == nullptr) {
      slot = path;
      return;
    }
  }
}

void forget(const char* path) {
  for (const char* volatile& slot : gTemporary) {
    if (slot == path) slot = nullptr;
  }
}

const std::atomic<bool>& stopOnSignal() {
  gStopping = 1;
  for (int s : kSignals) std::signal(s, requestStop);
  return gStopRequested;
}
