#include "animation/ContactSearch.h"

#include <algorithm>
#include <array>
#include <limits>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "animation/PitchRotation.h"
#include "animation/Rounding.h"

namespace {

constexpr int kStepsPerTurn = 7200;
constexpr int kCopiedEntries = 40;
constexpr int kLeverFirstSample = 600;
constexpr int kLeverSampleStep = 20;
constexpr int kLeverSamples = (kLeverLast - kLeverFirstSample) / kLeverSampleStep + 1;  // 151
constexpr int kCoarsePitchSamples = 23;  // one per degree
constexpr int kCoarsePitchStep = 20;
constexpr int kFineHalfWidth = 20;

// The nearest of a run of lever points to one pitch point: its squared distance and
// its place in the run, the first one among equals.
struct RunMinimum {
  double distSq;
  int offset;
};

// Scanning the run pair by pair and keeping only strictly nearer pairs ends on the
// pair that is first at the run's minimum; it replaces the best so far if it beats it.
// Each squared distance is the same expression, rounded the same way, whichever way
// the run is scanned.
RunMinimum NearestInRunScalar(double px, double py, const double* xs, const double* ys, int begin, int count,
                              RunMinimum nearest) {
  for (int i = begin; i < count; ++i) {
    const double dx = px - xs[i];
    const double dy = py - ys[i];
    const double distSq = dx * dx + dy * dy;
    if (distSq < nearest.distSq) nearest = {distSq, i};
  }
  return nearest;
}

#if defined(__SSE2__)
// Two points at a time in each of two lane pairs: lane n scans the offsets n, n + 4,
// n + 8, ... and keeps its first strictly nearer point. Of equal lane minima the one
// at the lowest offset was scanned first. The two pairs work independently, so one
// need not wait for the other's comparison.
struct LanePair {
  __m128d least = _mm_set1_pd(std::numeric_limits<double>::infinity());
  __m128d leastAt = _mm_setzero_pd();
  __m128d at;

  void Consider(__m128d pointX, __m128d pointY, const double* xs, const double* ys) {
    const __m128d dx = _mm_sub_pd(pointX, _mm_loadu_pd(xs));
    const __m128d dy = _mm_sub_pd(pointY, _mm_loadu_pd(ys));
    const __m128d distSq = _mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy));
    const __m128d nearer = _mm_cmplt_pd(distSq, least);
    least = _mm_min_pd(distSq, least);  // distSq < least ? distSq : least
    leastAt = _mm_or_pd(_mm_and_pd(nearer, at), _mm_andnot_pd(nearer, leastAt));
    at = _mm_add_pd(at, _mm_set1_pd(4));
  }

  void Merge(RunMinimum& nearest) const {
    double lane[2], laneAt[2];
    _mm_storeu_pd(lane, least);
    _mm_storeu_pd(laneAt, leastAt);
    for (int n = 0; n < 2; ++n) {
      const int offset = static_cast<int>(laneAt[n]);
      if (lane[n] < nearest.distSq || (lane[n] == nearest.distSq && offset < nearest.offset)) {
        nearest = {lane[n], offset};
      }
    }
  }
};

RunMinimum NearestInRun(double px, double py, const double* xs, const double* ys, int count) {
  const __m128d pointX = _mm_set1_pd(px);
  const __m128d pointY = _mm_set1_pd(py);
  LanePair even{.at = _mm_set_pd(1, 0)};
  LanePair odd{.at = _mm_set_pd(3, 2)};
  int i = 0;
  for (; i + 4 <= count; i += 4) {
    even.Consider(pointX, pointY, xs + i, ys + i);
    odd.Consider(pointX, pointY, xs + i + 2, ys + i + 2);
  }
  RunMinimum nearest{std::numeric_limits<double>::infinity(), 0};
  even.Merge(nearest);
  odd.Merge(nearest);
  // The last few points come after all the others.
  return NearestInRunScalar(px, py, xs, ys, i, count, nearest);
}
#else
RunMinimum NearestInRun(double px, double py, const double* xs, const double* ys, int count) {
  return NearestInRunScalar(px, py, xs, ys, 0, count, {std::numeric_limits<double>::infinity(), 0});
}
#endif

// The running minimum over the pairs scanned so far.
struct NearestPair {
  AnimationState& state;

  // Considers pitch entry j against a run of lever points, in the run's order; the run's
  // point n is lever entry leverIndexOf0 + leverIndexStep * n.
  void ConsiderRun(int j, const double* leverX, const double* leverY, int count, int leverIndexOf0,
                   int leverIndexStep) {
    const RunMinimum run = NearestInRun(state.camPitchX[j], state.camPitchY[j], leverX, leverY, count);
    if (run.distSq < state.bestDistSq) {
      state.bestDistSq = run.distSq;
      state.bestPitchIndex = j;
      state.bestLeverIndex = leverIndexOf0 + leverIndexStep * run.offset;
    }
  }
};

// The coarse stage's pitch samples at one cam angle, in scan order.
using CoarseSamples = std::array<int, kCoarsePitchSamples>;
CoarseSamples CoarseSamplesAt(double camAngle) {
  CoarseSamples samples;
  const int first = CoarsePitchIndex(camAngle, 0);
  for (int m = 0; m < kCoarsePitchSamples; ++m) {
    // The same wrap into the turn as CoarsePitchIndex, without rounding again.
    const int j = first + kCoarsePitchStep * m;
    samples[m] = j >= kStepsPerTurn ? j - kStepsPerTurn : j;
  }
  return samples;
}

// The coarse lever samples in groups of consecutive ones, each with the box that
// holds its points.
constexpr int kGroupSize = 16;
constexpr int kGroups = (kLeverSamples + kGroupSize - 1) / kGroupSize;

struct Box {
  double minX, maxX, minY, maxY;

  // Never more than the squared distance from (px, py) to any point in the box as
  // NearestInRun computes it: the differences to the box's edges are no larger than
  // those to its points, and rounding to nearest keeps that order through the
  // subtraction, the squares and the sum.
  // A hair is taken off all the same, so that a compiler fusing the multiply and add
  // here but not there could not tip a tie.
  double LeastDistSq(double px, double py) const {
    const double dx = std::max(std::max(minX - px, px - maxX), 0.0);
    const double dy = std::max(std::max(minY - py, py - maxY), 0.0);
    return (dx * dx + dy * dy) * (1 - 1e-12);
  }
};

// Every pitch sample of the sector against every 20th lever entry from 600 on; the
// pitch entries must have been turned. A group whose box lies no nearer than the best
// pair so far holds no strictly nearer pair, so skipping it changes nothing.
void CoarseStage(NearestPair& nearest, const AnimationState& state, const CoarseSamples& samples) {
  std::array<double, kLeverSamples> sampleX, sampleY;
  for (int n = 0; n < kLeverSamples; ++n) {
    sampleX[n] = state.leverCurveNowX[kLeverFirstSample + kLeverSampleStep * n];
    sampleY[n] = state.leverCurveNowY[kLeverFirstSample + kLeverSampleStep * n];
  }
  std::array<Box, kGroups> boxes;
  for (int g = 0; g < kGroups; ++g) {
    const int first = g * kGroupSize;
    const int end = std::min(first + kGroupSize, kLeverSamples);
    const auto [minX, maxX] = std::minmax_element(&sampleX[first], &sampleX[0] + end);
    const auto [minY, maxY] = std::minmax_element(&sampleY[first], &sampleY[0] + end);
    boxes[g] = {*minX, *maxX, *minY, *maxY};
  }
  for (int j : samples) {
    const double px = state.camPitchX[j];
    const double py = state.camPitchY[j];
    for (int g = 0; g < kGroups; ++g) {
      if (boxes[g].LeastDistSq(px, py) >= state.bestDistSq) continue;
      const int first = g * kGroupSize;
      nearest.ConsiderRun(j, &sampleX[first], &sampleY[first], std::min(kGroupSize, kLeverSamples - first),
                          kLeverFirstSample + kLeverSampleStep * first, kLeverSampleStep);
    }
  }
}

void CopyWrapMargin(AnimationState& state) {
  for (int j = 1; j <= kCopiedEntries; ++j) {
    state.camPitchX[kStepsPerTurn + j] = state.camPitchX[j];
    state.camPitchY[kStepsPerTurn + j] = state.camPitchY[j];
  }
}

// The first pitch entry of the fine window and its last, around the coarse result.
struct FineWindow {
  int first;
  int last;
};
FineWindow FineWindowOf(const AnimationState& state) {
  int s = state.bestPitchIndex - kFineHalfWidth;
  if (s < 0) s += kStepsPerTurn;
  // s + 40 stays within the table whenever the coarse stage found a pair, as it
  // always does with the start tables; the bound guards a stale index all the same.
  return {s, std::min(s + 2 * kFineHalfWidth, kPitchLast)};
}

// The boxes of a lever window's blocks of consecutive entries, kept while the window
// stays where it is: it moves only when a pair improves.
constexpr int kBlockSize = 8;
constexpr int kMaxBlocks = (2 * kFineHalfWidth + 1 + kBlockSize - 1) / kBlockSize;

struct BoxedWindow {
  int first = 0;
  int last = -1;
  int blocks = 0;
  std::array<Box, kMaxBlocks> boxes;

  void Cover(const AnimationState& state, int windowFirst, int windowLast) {
    if (windowFirst == first && windowLast == last) return;
    first = windowFirst;
    last = windowLast;
    blocks = 0;
    for (int k = first; k <= last; k += kBlockSize) {
      const double* xs = &state.leverCurveNowX[k];
      const double* ys = &state.leverCurveNowY[k];
      const int count = std::min(kBlockSize, last - k + 1);
      const auto [minX, maxX] = std::minmax_element(xs, xs + count);
      const auto [minY, maxY] = std::minmax_element(ys, ys + count);
      boxes[blocks++] = {*minX, *maxX, *minY, *maxY};
    }
  }
};

void FineStage(NearestPair& nearest, AnimationState& state, FineWindow window) {
  BoxedWindow boxed;
  for (int j = window.first; j <= window.last; ++j) {
    // The lever window is centred anew for every pitch entry, on the best so far.
    // Entries past the table's end are skipped; below 0 cannot happen with the
    // start tables, and the bound guards the table all the same.
    const int b = state.bestLeverIndex;
    const int first = std::max(b - kFineHalfWidth, 0);
    const int last = std::min(b + kFineHalfWidth, kLeverLast);
    if (first > last) continue;
    boxed.Cover(state, first, last);
    const double px = state.camPitchX[j];
    const double py = state.camPitchY[j];
    // Blocks in scan order; one no nearer than the best so far cannot improve on it.
    for (int n = 0; n < boxed.blocks; ++n) {
      if (boxed.boxes[n].LeastDistSq(px, py) >= state.bestDistSq) continue;
      const int k = first + n * kBlockSize;
      nearest.ConsiderRun(j, &state.leverCurveNowX[k], &state.leverCurveNowY[k], std::min(kBlockSize, last - k + 1),
                          k, 1);
    }
  }
}

void PlaceRoller(AnimationState& state) {
  state.prevRollerX = state.rollerX;
  state.prevRollerY = state.rollerY;
  state.rollerX =
      (state.camPitchX[state.bestPitchIndex] + state.leverCurveNowX[state.bestLeverIndex]) / 2;
  state.rollerY =
      (state.camPitchY[state.bestPitchIndex] + state.leverCurveNowY[state.bestLeverIndex]) / 2;
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
  CoarseStage(nearest, state, CoarseSamplesAt(state.camAngle));
  CopyWrapMargin(state);
  FineStage(nearest, state, FineWindowOf(state));
  PlaceRoller(state);
}

void RunContactSearchTurningOnDemand(AnimationState& state) {
  const CamTurn turn = CamTurnOf(state);
  const CoarseSamples samples = CoarseSamplesAt(state.camAngle);
  for (int j : samples) RotatePitchEntry(state, turn, j, j);
  state.bestDistSq = 5000;
  NearestPair nearest{state};
  CoarseStage(nearest, state, samples);

  // The fine window's entries, those past the turn's end as copies of 1..40.
  const FineWindow window = FineWindowOf(state);
  for (int j = window.first; j <= window.last; ++j) {
    RotatePitchEntry(state, turn, j > kStepsPerTurn ? j - kStepsPerTurn : j, j);
  }
  FineStage(nearest, state, window);
  PlaceRoller(state);
}
