#pragma once

#include <QtGlobal>

// Watches the creation of the application object, where Qt connects to the window
// system. If that fails, Qt's fatal message would abort the program; instead the
// program ends with status 1 and one line that gives Qt's own reason (for a
// missing display, with a hint how to run it). A failed connection to a display
// whose server is there is a passing fault (the server busy or just starting): the
// program then starts afresh, a few times, after a short pause.
// The messages Qt gives meanwhile are held back to explain a failure; if the start
// succeeds, only its critical ones are passed on, so that a successful start says
// nothing.
class StartGuard {
 public:
  // Keeps a copy of the command line for a fresh start; Qt removes its own options
  // from argv while it starts.
  StartGuard(int argc, char** argv);
  ~StartGuard();
  StartGuard(const StartGuard&) = delete;
  StartGuard& operator=(const StartGuard&) = delete;

  // The application started: restore the previous handler and pass on what was held.
  void Release();

  // How many times in all the program tries to reach a display that is there.
  static constexpr int kAttempts = 4;

 private:
  QtMessageHandler previous_;
  bool released_ = false;
};
