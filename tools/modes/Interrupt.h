#pragma once

// Ctrl-C as a request to stop: the first SIGINT sets a flag that the work polls, so
// that what was computed is written out and flushed; a second one ends the program
// at once, as usual.
void CatchInterrupt();
bool InterruptRequested();

inline constexpr int kInterruptedExitCode = 130;  // 128 + SIGINT, as shells report it
