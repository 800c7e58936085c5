#pragma once

#include <cmath>

#include "animation/AnimationState.h"

// The contact search written as the plain scan: every pair in scan order, one at a
// time, keeping only strictly nearer pairs. The model's search must find what this
// finds, whatever way it is computed.

struct PlainTables {
  PitchTable pitchX{}, pitchY{};
  LeverTable leverX{}, leverY{};
};

struct PlainResult {
  int pitch = 0, lever = 0;
  double rollerX = 0, rollerY = 0;
};

inline PlainResult PlainSearch(PlainTables& t, double camAngle) {
  double best = 5000;
  PlainResult result;
  auto consider = [&](int j, int k) {
    const double d = (t.pitchX[j] - t.leverX[k]) * (t.pitchX[j] - t.leverX[k]) +
                     (t.pitchY[j] - t.leverY[k]) * (t.pitchY[j] - t.leverY[k]);
    if (d < best) {
      best = d;
      result.pitch = j;
      result.lever = k;
    }
  };
  const int j0 = static_cast<int>(std::nearbyint(2750 - 20 * camAngle));
  for (int m = 0; m <= 22; ++m) {
    int j = j0 + 20 * m;
    if (j < 0) j += 7200;
    for (int k = 600; k <= 3600; k += 20) consider(j, k);
  }
  for (int j = 1; j <= 40; ++j) {
    t.pitchX[7200 + j] = t.pitchX[j];
    t.pitchY[7200 + j] = t.pitchY[j];
  }
  int s = result.pitch - 20;
  if (s < 0) s += 7200;
  for (int j = s; j <= s + 40; ++j) {
    const int b = result.lever;
    for (int k = b - 20; k <= b + 20; ++k) {
      if (k <= 3600) consider(j, k);
    }
  }
  result.rollerX = (t.pitchX[result.pitch] + t.leverX[result.lever]) / 2;
  result.rollerY = (t.pitchY[result.pitch] + t.leverY[result.lever]) / 2;
  return result;
}
