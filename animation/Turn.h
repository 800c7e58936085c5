#pragma once

// The kinds of event-loop turn the loop yields. The front end decides how long a turn
// may wait: the model never reads a clock.
enum class Turn {
  Plain,        // handle pending events and resume at once
  FramePacing,  // the first turn of the pause check: resume at the frame's deadline,
                // handling events meanwhile
  Paused,       // a further turn while paused: resume once an event has been handled
};
