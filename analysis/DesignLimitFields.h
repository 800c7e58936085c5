#pragma once

#include <optional>

#include "analysis/DesignLimits.h"

// The limits a designer may set, each with its name (as torlin-modes' settings block
// and a page's address write it), what it is, its unit and its range (above 0 up to
// max): those the loads alone judge (the film ratio needs friction, the seating
// velocity the elastic model). The separation limit has no number of its own by
// default: the engine speed.
struct DesignLimitField {
  const char* name;
  const char* label;
  const char* unit;
  double max;
  std::optional<double> (*get)(const DesignLimits& limits);
  void (*set)(DesignLimits& limits, double value);
};

inline constexpr double kMaxLimitRpm = 100000;
inline constexpr double kMaxLimitHertzMPa = 100000;
inline constexpr double kMaxLimitAngleDeg = 90;
inline constexpr double kMaxLimitSeatingVelocityMPerS = 100;
inline constexpr double kMaxLimitFilmRatio = 100;

inline constexpr DesignLimitField kDesignLimitFields[] = {
    {"limitSeparation_rpm", "separation and contact loss flagged below", "rpm", kMaxLimitRpm,
     [](const DesignLimits& l) { return l.minSeparationRpm; },
     [](DesignLimits& l, double v) { l.minSeparationRpm = v; }},
    {"limitCamHertz_MPa", "allowable cam Hertz pressure", "MPa", kMaxLimitHertzMPa,
     [](const DesignLimits& l) { return std::optional<double>(l.allowableCamHertzMPa); },
     [](DesignLimits& l, double v) { l.allowableCamHertzMPa = v; }},
    {"limitPressureAngle_deg", "pressure angle guideline", "deg", kMaxLimitAngleDeg,
     [](const DesignLimits& l) { return std::optional<double>(l.maxPressureAngleDeg); },
     [](DesignLimits& l, double v) { l.maxPressureAngleDeg = v; }},
};

constexpr bool InRange(const DesignLimitField& field, double value) { return value > 0 && value <= field.max; }
