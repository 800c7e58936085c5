#include "common/StopSignals.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

#include "common/ToolOutput.h"

namespace {

std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free, "a signal handler may only touch lock-free atomics");

// The handler also writes a byte here, so that a watcher can block until a signal
// comes instead of polling a flag.
int signalPipe[2] = {-1, -1};

constexpr int kGraceMs = 200;  // for the work to end by itself after a stop signal

std::mutex& FileWrites() {
  static std::mutex writes;
  return writes;
}

extern "C" void OnStopSignal(int signal) {
  int none = 0;
  received.compare_exchange_strong(none, signal);
  const int saved = errno;
  if (signalPipe[1] >= 0 && write(signalPipe[1], "s", 1) < 0) {
    // full already: a watcher has its wake-up
  }
  errno = saved;
}

// True if fd became readable within timeoutMs (-1: no limit).
bool Readable(int fd, int timeoutMs) {
  pollfd watched{fd, POLLIN, 0};
  int ready;
  do {
    ready = poll(&watched, 1, timeoutMs);
  } while (ready < 0 && errno == EINTR);
  return ready > 0;
}

}  // namespace

void CatchStopSignals() {
  if (signalPipe[0] < 0 && pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0) signalPipe[0] = signalPipe[1] = -1;
  struct sigaction action = {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESETHAND;  // the next one takes the default way out
  sigset_t caught;
  sigemptyset(&caught);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) {
    // A signal the parent ignores stays ignored: nohup's hang-up, a background job's Ctrl-C.
    struct sigaction before = {};
    if (sigaction(signal, nullptr, &before) == 0 && before.sa_handler == SIG_IGN) continue;
    sigaction(signal, &action, nullptr);
    sigaddset(&caught, signal);
  }
  // One the parent blocked would leave the run unstoppable but by SIGKILL; one that came
  // while it was blocked, even before this program started, arrives now, to the handler.
  sigprocmask(SIG_UNBLOCK, &caught, nullptr);
}

int StopSignal() { return received.load(); }

StopWithoutPolling::StopWithoutPolling(std::string program, std::string line) {
  if (signalPipe[0] < 0 || pipe2(done_, O_CLOEXEC) != 0) return;
  watcher_ = std::thread([this, program = std::move(program), line = std::move(line)] {
    pollfd watched[2] = {{done_[0], POLLIN, 0}, {signalPipe[0], POLLIN, 0}};
    while (poll(watched, 2, -1) < 0 && errno == EINTR) {
    }
    if (watched[0].revents != 0 || Readable(done_[0], kGraceMs)) return;
    const std::unique_lock noFileHalfWritten = HoldOffStop();
    PrintError(program, line);
    _exit(ExitStatusForSignal(StopSignal()));
  });
}

StopWithoutPolling::~StopWithoutPolling() {
  if (watcher_.joinable()) {
    if (write(done_[1], "d", 1) < 0) {
      // cannot happen on a fresh pipe; the watcher would then wait for a signal
    }
    watcher_.join();
  }
  for (int fd : done_) {
    if (fd >= 0) close(fd);
  }
}

std::unique_lock<std::mutex> HoldOffStop() { return std::unique_lock(FileWrites()); }
