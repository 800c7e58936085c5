#pragma once

#include <mutex>
#include <string>
#include <thread>

// SIGINT, SIGTERM and SIGHUP as requests to stop: the first one sets a flag that the
// work polls, so that every row already computed is written whole and flushed and
// the program exits with 128 + the signal's number, as shells report a signal. A
// second signal of the same kind ends the program at once, as usual. Signals the parent
// ignores stay ignored (nohup); blocked ones are unblocked, so that one sent before the
// program began takes this way too.
void CatchStopSignals();

// The signal that asked to stop, 0 if none did.
int StopSignal();

inline int ExitStatusForSignal(int signal) { return 128 + signal; }

// For work that cannot poll (drawing one picture can take seconds): while this
// object lives, a stop signal ends the program within a fifth of a second, printing
// line as PROGRAM's error, unless the work ends first. Output must be flushed before.
class StopWithoutPolling {
 public:
  StopWithoutPolling(std::string program, std::string line);
  ~StopWithoutPolling();
  StopWithoutPolling(const StopWithoutPolling&) = delete;
  StopWithoutPolling& operator=(const StopWithoutPolling&) = delete;

 private:
  int done_[2] = {-1, -1};  // a pipe: written when the work ends
  std::thread watcher_;
};

// Held while a file is being put in place: an unpolled stop waits for it, so that no
// file is left half written.
std::unique_lock<std::mutex> HoldOffStop();
