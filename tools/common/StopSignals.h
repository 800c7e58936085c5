#pragma once

// SIGINT, SIGTERM and SIGHUP as requests to stop: the first one sets a flag that the
// work polls, so that every row already computed is written whole and flushed and
// the program exits with 128 + the signal's number, as shells report a signal. A
// second signal of the same kind ends the program at once, as usual.
void CatchStopSignals();

// The signal that asked to stop, 0 if none did.
int StopSignal();

inline int ExitStatusForSignal(int signal) { return 128 + signal; }
