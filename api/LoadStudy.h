#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/CrankPlaces.h"
#include "analysis/DesignLimits.h"
#include "analysis/ElasticCycle.h"
#include "analysis/ElasticParameters.h"
#include "analysis/ElasticSpeedLimits.h"
#include "analysis/EngineShaftTorque.h"
#include "analysis/FrictionCycle.h"
#include "analysis/FrictionParameters.h"
#include "analysis/LoadParameters.h"
#include "analysis/LoadSeries.h"
#include "api/CrankOrigin.h"
#include "api/ShaftPositions.h"
#include "api/TableColumns.h"

// What one mode's load table takes beyond the mode: the load model's parameters (at
// the engine speed, or at rest), and the layers asked for on top of the rigid loads.
struct LoadSettings {
  LoadParameters parameters;
  bool bodyColumns = false;                   // every body's d'Alembert forces as columns
  std::optional<FrictionParameters> friction;  // none: frictionless rows
  std::optional<ElasticParameters> elastic;    // none: no elastic valve train
  std::optional<EngineLayout> engine;          // none: no engine's shaft torques
};

// A load row with, under friction, its contacts' friction, with the elastic model the
// elastic valve train's at its crank angle, and with an engine the engine's shaft
// torques (under friction the sum of the frictional rows, each cylinder the same
// periodic cycle shifted).
struct LoadLine {
  LoadRow loads;
  ElasticRow elastic;
  FrictionRow friction;
  std::optional<EngineShaftTorques> engine;
};

// The states of the whole cycle that every row reads, solved before any row: the
// rollers' periodic spins under friction, and the elastic valve train's periodic cycle
// with its loft and bounce speeds.
struct LoadPlan {
  ExactKinematics model;
  LoadSettings settings;
  std::vector<CrankPlace> places;  // at every step and on both sides of every jump
  std::optional<FrictionCycle> friction;
  std::optional<ElasticCycle> elastic;
  ElasticSpeedLimits elasticLimits;
  // With an engine under friction, its torques at every place: from the friction
  // cycle's rows, which hold the rollers' periodic spins.
  std::vector<std::optional<EngineShaftTorques>> frictionalEngine;
};

// The plan, or why there is none (the one line, without the program's name).
struct PlannedLoads {
  std::optional<LoadPlan> plan;
  std::string error;
};
// The rows' own work is spread over `threads` of the pool (0: one per core).
PlannedLoads PlanLoads(const MechanismPtr& mechanism, ShaftPositions mode, const LoadSettings& settings,
                       double stepDeg, int threads = 0);

// Rows first .. first + count - 1 of the plan.
std::vector<LoadLine> LoadLinesAt(const LoadPlan& plan, std::size_t first, std::size_t count);

// The table's columns: the loads', then friction's, the elastic model's and the
// engine's as the plan has them.
TableColumns<LoadLine> LoadLineColumns(const LoadPlan& plan, const CrankOrigin& origin);

// The summary of the rows.
LoadSummary SummariseLoadLines(const LoadPlan& plan, const std::vector<LoadLine>& lines);

// The limits the mode crosses: the summary's figures, the elastic model's seating
// velocity and friction's smallest film ratio where the plan has them.
std::vector<LimitFlag> PlanFlags(const LoadPlan& plan, const LoadSummary& summary, std::optional<double> rpm,
                                 const DesignLimits& limits);
