#include "analysis/DesignLimits.h"

#include <algorithm>

std::string LimitName(LimitKind kind) {
  switch (kind) {
    case LimitKind::Separation: return "separation";
    case LimitKind::ContactLoss: return "contactLoss";
    case LimitKind::CamHertz: return "camHertz";
    case LimitKind::PressureAngle: return "pressureAngle";
    case LimitKind::FilmRatio: return "filmRatio";
    case LimitKind::SeatingVelocity: return "seatingVelocity";
  }
  return {};
}

LimitedFigures FiguresOf(const LoadSummary& summary, std::optional<double> rpm) {
  LimitedFigures figures;
  figures.rpm = rpm;
  figures.separationRpm = summary.separationRpm;
  figures.firstContactLossRpm = summary.firstContactLossRpm;
  figures.firstContactLost = summary.firstContactLost;
  figures.peakCamHertzMPa = summary.peakCamHertzMPa;
  figures.largestPressureAngleDeg = summary.largestPressureAngleDeg;
  return figures;
}

std::vector<LimitFlag> FlagsAgainstLimits(const LimitedFigures& figures, const DesignLimits& limits) {
  std::vector<LimitFlag> flags;
  // Running past separation is never accepted: a lower speed asked for still flags it.
  std::optional<double> speedLimit = limits.minSeparationRpm ? limits.minSeparationRpm : figures.rpm;
  if (speedLimit && figures.rpm) speedLimit = std::max(*speedLimit, *figures.rpm);
  // A speed at which the motion fails: below the limit, and past the engine speed's.
  const auto speed = [&](LimitKind kind, const std::optional<AtCrank>& at, unsigned contacts) {
    if (!at || !speedLimit || !(at->value < *speedLimit)) return;
    flags.push_back({kind, at->value, *speedLimit, at->crankDeg, contacts, figures.rpm && at->value <= *figures.rpm});
  };
  const auto above = [&](LimitKind kind, const std::optional<AtCrank>& at, double limit) {
    if (at && at->value > limit) flags.push_back({kind, at->value, limit, at->crankDeg, 0, false});
  };
  speed(LimitKind::Separation, figures.separationRpm, 0);
  speed(LimitKind::ContactLoss, figures.firstContactLossRpm, figures.firstContactLost);
  above(LimitKind::CamHertz, figures.peakCamHertzMPa, limits.allowableCamHertzMPa);
  above(LimitKind::PressureAngle, figures.largestPressureAngleDeg, limits.maxPressureAngleDeg);
  if (figures.smallestFilmRatio && figures.smallestFilmRatio->value < limits.minFilmRatio) {
    flags.push_back({LimitKind::FilmRatio, figures.smallestFilmRatio->value, limits.minFilmRatio,
                     figures.smallestFilmRatio->crankDeg, 0, false});
  }
  if (figures.seatingVelocityMPerS && *figures.seatingVelocityMPerS > limits.maxSeatingVelocityMPerS) {
    flags.push_back({LimitKind::SeatingVelocity, *figures.seatingVelocityMPerS, limits.maxSeatingVelocityMPerS, std::nullopt, 0, false});
  }
  return flags;
}

std::string LimitNames(const std::vector<LimitFlag>& flags) {
  std::string names;
  for (const LimitFlag& flag : flags) {
    if (!names.empty()) names += '+';
    names += LimitName(flag.kind);
  }
  return names;
}
