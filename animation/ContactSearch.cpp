#include "animation/ContactSearch.h"

#include <algorithm>

#include "animation/Rounding.h"

namespace {

constexpr int kStepsPerTurn = 7200;
constexpr int kCopiedEntries = 40;
constexpr int kLeverFirstSample = 600;
constexpr int kLeverSampleStep = 20;
constexpr int kCoarsePitchSamples = 23;  // one per degree
constexpr int kCoarsePitchStep = 20;
constexpr int kFineHalfWidth = 20;

// Keeps the running minimum; only a strictly nearer pair replaces it, so among equal
// distances the pair met first wins.
struct NearestPair {
  AnimationState& state;

  void Consider(int j, int k) {
    const double dx = state.camPitchX[j] - state.leverCurveNowX[k];
    const double dy = state.camPitchY[j] - state.leverCurveNowY[k];
    const double d = dx * dx + dy * dy;
    if (d < state.bestDistSq) {
      state.bestDistSq = d;
      state.bestPitchIndex = j;
      state.bestLeverIndex = k;
    }
  }
};

void CoarseStage(NearestPair& nearest, double camAngle) {
  for (int m = 0; m < kCoarsePitchSamples; ++m) {
    const int j = CoarsePitchIndex(camAngle, m);
    for (int k = kLeverFirstSample; k <= kLeverLast; k += kLeverSampleStep) {
      nearest.Consider(j, k);
    }
  }
}

void CopyWrapMargin(AnimationState& state) {
  for (int j = 1; j <= kCopiedEntries; ++j) {
    state.camPitchX[kStepsPerTurn + j] = state.camPitchX[j];
    state.camPitchY[kStepsPerTurn + j] = state.camPitchY[j];
  }
}

void FineStage(NearestPair& nearest, AnimationState& state) {
  int s = state.bestPitchIndex - kFineHalfWidth;
  if (s < 0) s += kStepsPerTurn;
  // s + 40 stays within the table whenever the coarse stage found a pair, as it
  // always does with the start tables; the bound guards a stale index all the same.
  const int last = std::min(s + 2 * kFineHalfWidth, kPitchLast);
  for (int j = s; j <= last; ++j) {
    // The lever window is centred anew for every pitch entry, on the best so far.
    const int b = state.bestLeverIndex;
    for (int k = b - kFineHalfWidth; k <= b + kFineHalfWidth; ++k) {
      // Below 0 cannot happen with the start tables; it guards the table bounds.
      if (k > kLeverLast || k < 0) continue;
      nearest.Consider(j, k);
    }
  }
}

}  // namespace

int CoarsePitchIndex(double camAngle, int m) {
  // The sector 137.5 to 159.5 degrees from +y faces the lever whatever the cam angle.
  const int j0 = static_cast<int>(RoundHalfEven(2750 - 20 * camAngle));
  // For cam angles of a turn this adds 7200 to a negative index; the remainder also
  // keeps any other angle inside the table.
  const int j = (j0 + kCoarsePitchStep * m) % kStepsPerTurn;
  return j < 0 ? j + kStepsPerTurn : j;
}

void RunContactSearch(AnimationState& state) {
  state.bestDistSq = 5000;
  NearestPair nearest{state};
  CoarseStage(nearest, state.camAngle);
  CopyWrapMargin(state);
  FineStage(nearest, state);

  state.prevRollerX = state.rollerX;
  state.prevRollerY = state.rollerY;
  state.rollerX =
      (state.camPitchX[state.bestPitchIndex] + state.leverCurveNowX[state.bestLeverIndex]) / 2;
  state.rollerY =
      (state.camPitchY[state.bestPitchIndex] + state.leverCurveNowY[state.bestLeverIndex]) / 2;
}
