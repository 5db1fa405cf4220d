#include "cli/Interrupt.h"

#include <csignal>
#include <cstdio>

namespace {

// The files to remove on a signal: a list that only grows, whose nodes are
// reused once forgotten, so that the handler can walk it at any moment
// without a lock. A node's path is published whole by one atomic store.
struct TNode {
  std::atomic<const char*> path;
  TNode* next;
};
std::atomic<TNode*> gTemporaries{nullptr};

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
  for (TNode* node = gTemporaries.load(); node != nullptr; node = node->next) {
    const char* path = node->path.load();
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
  for (TNode* node = gTemporaries.load(); node != nullptr; node = node->next) {
    const char* unused = nullptr;
    if (node->path.compare_exchange_strong(unused, path)) return;
  }
  TNode* node = new TNode{{path}, gTemporaries.load()};
  while (!gTemporaries.compare_exchange_weak(node->next, node)) {
  }
}

void forget(const char* path) {
  for (TNode* node = gTemporaries.load(); node != nullptr; node = node->next) {
    const char* held = path;
    node->path.compare_exchange_strong(held, nullptr);
  }
}

const std::atomic<bool>& stopOnSignal() {
  gStopping = 1;
  for (int s : kSignals) std::signal(s, requestStop);
  return gStopRequested;
}
