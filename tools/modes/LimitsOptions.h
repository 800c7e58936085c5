#pragma once

#include <optional>

#include "analysis/DesignLimits.h"
#include "common/CommandLine.h"

// The limits each mode's loads are judged against, as given (none: the default).
struct LimitsOptions {
  std::optional<double> minSeparationRpm;
  std::optional<double> allowableCamHertzMPa;
  std::optional<double> maxPressureAngleDeg;
  std::optional<double> maxSeatingVelocityMPerS;
  std::optional<double> minFilmRatio;

  DesignLimits Limits() const;
  bool Given() const;
};

// Declares the limits' options, each needing --loads (and the seating velocity's
// --dynamics too, which the caller declares after).
void DeclareLimitsOptions(CommandLine& line, LimitsOptions& target, CLI::Option* loads);
CLI::Option* DeclareSeatingVelocityLimit(CommandLine& line, LimitsOptions& target, CLI::Option* dynamics);
// --min-film-ratio, which needs --friction.
void DeclareFilmRatioLimit(CommandLine& line, LimitsOptions& target, CLI::Option* friction);

// The help's paragraph on the flags.
std::string LimitsHelp();
