#pragma once

// The window's three scroll bars as the tools take them: an option of the bar's name
// whose range and default are the bar's own, read from the window's control designs;
// the two shafts' ranges are those of the run's design (the window's own unless
// --design names another, which is why the tools read it before their other options).
struct BarRange {
  const char* option;  // the option that sets this bar
  int min;
  int max;
  int value;  // the window's start-up value, the option's default
};

BarRange LeverBar();      // VScroll1: the green control shaft, 1/300 rad per step
BarRange EccentricBar();  // VScroll2: the orange control shaft, 1/10 degree per step
BarRange SpeedBar();      // HScroll1: cam turn per frame, 1/100 degree per step
