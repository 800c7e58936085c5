#include "analysis/TargetSolver.h"

#include <algorithm>
#include <array>
#include <boost/math/tools/minima.hpp>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "analysis/ExactLiftSummary.h"

namespace {

constexpr std::size_t kMaxStarts = 6;
constexpr int kMaxIterations = 40;
// A hit is refined on until it misses by less than this (crank degrees' worth), so
// that searches that end on one solution end at one place.
constexpr double kConvergedMiss = 1e-7;
// The nearest point's polish: the first reach of its line searches (bar values), the
// rounds, and the bits the minimiser works to.
constexpr double kLeverReach = 2;
constexpr double kEccentricReach = 20;
constexpr int kPolishRounds = 12;
constexpr int kPolishBits = 32;
constexpr std::uintmax_t kPolishIterations = 60;
// Finite-difference steps in bar values: small against the bars' fine features,
// large against the exact model's 1e-9 crank-degree refinement.
constexpr double kLeverDifference = 1e-3;
constexpr double kEccentricDifference = 1e-2;
// Two answers nearer than this (in bar values) are one mode.
constexpr double kSameModeDistance = 0.5;

struct Box {
  double leverFirst, leverLast, eccentricFirst, eccentricLast;
  const MechanismPtr& mechanism;
  double ClampLever(double v) const { return std::clamp(v, leverFirst, leverLast); }
  double ClampEccentric(double v) const { return std::clamp(v, eccentricFirst, eccentricLast); }
};

TargetPoint ExactPoint(const MechanismPtr& mechanism, double lever, double eccentric) {
  const ExactLiftSummary summary = SummariseExactLift(ExactKinematics(mechanism, lever, eccentric));
  return {summary.maxLiftMm, summary.durationCrankDeg};
}

TargetMode WithTiming(TargetMode mode) {
  const ExactLiftSummary summary = SummariseExactLift(ExactKinematics(mode.lever, mode.eccentric));
  mode.openingCrankDeg = summary.openingCrankDeg;
  mode.closingCrankDeg = summary.closingCrankDeg;
  mode.maxLiftCrankDeg = summary.maxLiftCrankDeg;
  return mode;
}

// The miss in lift and duration, both in crank degrees' worth.
std::array<double, 2> Miss(TargetPoint reached, TargetPoint target) {
  return {(reached.liftMm - target.liftMm) * kCrankDegPerMm, reached.durationCrankDeg - target.durationCrankDeg};
}

double Size(const std::array<double, 2>& miss) { return std::hypot(miss[0], miss[1]); }

bool Hits(TargetPoint reached, TargetPoint target) {
  return std::abs(reached.liftMm - target.liftMm) <= kTargetLiftToleranceMm &&
         std::abs(reached.durationCrankDeg - target.durationCrankDeg) <= kTargetDurationToleranceDeg;
}

// Levenberg-Marquardt on the miss, held inside the bars' ranges: ends at the target
// where the start leads to it, otherwise near a mode whose point is locally nearest.
TargetMode Descend(double lever, double eccentric, TargetPoint target, const Box& box) {
  TargetPoint reached = ExactPoint(box.mechanism, lever, eccentric);
  std::array<double, 2> miss = Miss(reached, target);
  double damping = 1e-3;
  for (int iteration = 0; iteration < kMaxIterations && Size(miss) > kConvergedMiss; ++iteration) {
    // Differences taken inward where a step outward would leave the range.
    const double dl = lever + kLeverDifference <= box.leverLast ? kLeverDifference : -kLeverDifference;
    const double de = eccentric + kEccentricDifference <= box.eccentricLast ? kEccentricDifference : -kEccentricDifference;
    const auto byLever = Miss(ExactPoint(box.mechanism, lever + dl, eccentric), target);
    const auto byEccentric = Miss(ExactPoint(box.mechanism, lever, eccentric + de), target);
    const double j00 = (byLever[0] - miss[0]) / dl, j10 = (byLever[1] - miss[1]) / dl;
    const double j01 = (byEccentric[0] - miss[0]) / de, j11 = (byEccentric[1] - miss[1]) / de;
    // Normal equations (J^T J + damping diag) step = -J^T miss.
    const double a00 = j00 * j00 + j10 * j10, a01 = j00 * j01 + j10 * j11, a11 = j01 * j01 + j11 * j11;
    const double g0 = j00 * miss[0] + j10 * miss[1], g1 = j01 * miss[0] + j11 * miss[1];
    bool improved = false;
    for (int attempt = 0; attempt < 8 && !improved; ++attempt) {
      const double b00 = a00 * (1 + damping), b11 = a11 * (1 + damping);
      const double det = b00 * b11 - a01 * a01;
      if (!(std::abs(det) > 0) || !std::isfinite(det)) break;
      const double nextLever = box.ClampLever(lever - (b11 * g0 - a01 * g1) / det);
      const double nextEccentric = box.ClampEccentric(eccentric - (b00 * g1 - a01 * g0) / det);
      const TargetPoint nextReached = ExactPoint(box.mechanism, nextLever, nextEccentric);
      const auto nextMiss = Miss(nextReached, target);
      if (Size(nextMiss) < Size(miss)) {
        lever = nextLever;
        eccentric = nextEccentric;
        reached = nextReached;
        miss = nextMiss;
        damping = std::max(damping / 10, 1e-9);
        improved = true;
      } else {
        damping *= 10;
      }
    }
    if (!improved) break;
  }
  TargetMode mode;
  mode.lever = lever;
  mode.eccentric = eccentric;
  mode.reached = reached;
  return mode;
}

// Line searches along each bar in turn by a bracketing minimiser of the distance, on
// from where the descent stopped: at a range's end, where the descent's steps are cut
// short, or in a curved valley, they go on to the distance's own minimum.
TargetMode Polish(TargetMode mode, TargetPoint target, const Box& box) {
  double leverReach = kLeverReach;
  double eccentricReach = kEccentricReach;
  double distance = Size(Miss(mode.reached, target));
  for (int round = 0; round < kPolishRounds; ++round) {
    const double before = distance;
    const auto search = [&](bool alongLever) {
      const double at = alongLever ? mode.lever : mode.eccentric;
      const double reach = alongLever ? leverReach : eccentricReach;
      const double first = alongLever ? box.ClampLever(at - reach) : box.ClampEccentric(at - reach);
      const double last = alongLever ? box.ClampLever(at + reach) : box.ClampEccentric(at + reach);
      if (!(first < last)) return;
      const auto pointAt = [&](double v) { return alongLever ? ExactPoint(box.mechanism, v, mode.eccentric) : ExactPoint(box.mechanism, mode.lever, v); };
      std::uintmax_t iterations = kPolishIterations;
      const auto [best, bestDistance] = boost::math::tools::brent_find_minima(
          [&](double v) { return Size(Miss(pointAt(v), target)); }, first, last, kPolishBits, iterations);
      if (!(bestDistance < distance)) return;
      (alongLever ? mode.lever : mode.eccentric) = best;
      mode.reached = pointAt(best);
      distance = Size(Miss(mode.reached, target));
    };
    search(true);
    search(false);
    if (!(distance < before - 1e-12)) {
      if (leverReach < 1e-6) break;
      leverReach /= 8;
      eccentricReach /= 8;
    }
  }
  return mode;
}

// Two hits are one mode where they lie together or the way between them stays in the
// tolerance box: one piece of it.
bool OneMode(const TargetMode& a, const TargetMode& b, TargetPoint target, const MechanismPtr& mechanism) {
  if (std::abs(a.lever - b.lever) < kSameModeDistance && std::abs(a.eccentric - b.eccentric) < kSameModeDistance) {
    return true;
  }
  constexpr int kWaySteps = 4;
  for (int i = 1; i < kWaySteps; ++i) {
    const double share = double(i) / kWaySteps;
    const TargetPoint on = ExactPoint(mechanism, a.lever + (b.lever - a.lever) * share, a.eccentric + (b.eccentric - a.eccentric) * share);
    if (!Hits(on, target)) return false;
  }
  return true;
}

struct Start {
  double lever, eccentric, distance;
};

// The seeds nearest the target, no two of them next to each other on the grid, so
// that each start can lead to a different answer.
std::vector<Start> Starts(TargetPoint target, const TargetSeeds& seeds) {
  const std::size_t columns = seeds.eccentrics.size();
  std::vector<std::size_t> order(seeds.points.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  const auto distance = [&](std::size_t i) { return Size(Miss(seeds.points[i], target)); };
  std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return distance(a) < distance(b); });
  std::vector<Start> starts;
  std::vector<std::size_t> taken;
  for (std::size_t index : order) {
    if (starts.size() == kMaxStarts) break;
    const auto neighbours = [&](std::size_t other) {
      const auto rows = static_cast<long>(index / columns) - static_cast<long>(other / columns);
      const auto cols = static_cast<long>(index % columns) - static_cast<long>(other % columns);
      return std::abs(rows) <= 2 && std::abs(cols) <= 2;
    };
    if (std::any_of(taken.begin(), taken.end(), neighbours)) continue;
    taken.push_back(index);
    starts.push_back({seeds.levers[index / columns], seeds.eccentrics[index % columns], distance(index)});
  }
  return starts;
}

}  // namespace

TargetAnswer SolveTarget(TargetPoint target, const TargetSeeds& seeds) {
  TargetAnswer answer;
  if (seeds.levers.empty() || seeds.eccentrics.empty() ||
      seeds.points.size() != seeds.levers.size() * seeds.eccentrics.size() ||
      !std::isfinite(target.liftMm) || !std::isfinite(target.durationCrankDeg)) {
    return answer;
  }
  const Box box{seeds.levers.front(), seeds.levers.back(), seeds.eccentrics.front(), seeds.eccentrics.back(),
                seeds.mechanism};
  std::vector<TargetMode> hits;
  TargetMode nearest{};
  double nearestMiss = INFINITY;
  for (const Start& start : Starts(target, seeds)) {
    const TargetMode mode = Descend(start.lever, start.eccentric, target, box);
    const double miss = Size(Miss(mode.reached, target));
    if (miss < nearestMiss) {
      nearestMiss = miss;
      nearest = mode;
    }
    if (!Hits(mode.reached, target)) continue;
    const auto same = std::find_if(hits.begin(), hits.end(), [&](const TargetMode& hit) { return OneMode(hit, mode, target, seeds.mechanism); });
    if (same == hits.end()) {
      hits.push_back(mode);
    } else if (miss < Size(Miss(same->reached, target))) {
      *same = mode;
    }
  }
  answer.reachable = !hits.empty();
  if (answer.reachable) {
    std::sort(hits.begin(), hits.end(), [&](const TargetMode& a, const TargetMode& b) {
      return Size(Miss(a.reached, target)) < Size(Miss(b.reached, target));
    });
    answer.modes = std::move(hits);
  } else if (std::isfinite(nearestMiss)) {
    answer.modes = {Polish(nearest, target, box)};
  }
  for (TargetMode& mode : answer.modes) mode = WithTiming(mode);
  return answer;
}

TargetSeeds ExactSeeds(double leverFirst, double leverLast, int leverSteps, double eccentricFirst,
                       double eccentricLast, int eccentricSteps) {
  TargetSeeds seeds;
  const auto spread = [](double first, double last, int steps, std::vector<double>& values) {
    for (int i = 0; i < steps; ++i) values.push_back(steps < 2 ? first : first + (last - first) * i / (steps - 1));
  };
  spread(leverFirst, leverLast, leverSteps, seeds.levers);
  spread(eccentricFirst, eccentricLast, eccentricSteps, seeds.eccentrics);
  const std::size_t columns = seeds.eccentrics.size();
  seeds.points.resize(seeds.levers.size() * columns);
  for (std::size_t i = 0; i < seeds.points.size(); ++i) {
    seeds.points[i] = ExactPoint(seeds.mechanism, seeds.levers[i / columns], seeds.eccentrics[i % columns]);
  }
  return seeds;
}
