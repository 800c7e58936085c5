#include "Interrupt.h"

#include <atomic>
#include <csignal>

namespace {

std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler may only touch lock-free atomics");

extern "C" void OnInterrupt(int) { requested.store(true); }

}  // namespace

void CatchInterrupt() {
  struct sigaction action = {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the next Ctrl-C takes the default way out
  sigaction(SIGINT, &action, nullptr);
}

bool InterruptRequested() { return requested.load(); }
