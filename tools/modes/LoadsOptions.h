#pragma once

#include <optional>
#include <string>
#include <vector>

#include "EngineOptions.h"
#include "ExactOptions.h"
#include "LimitsOptions.h"
#include "ShaftPositionText.h"
#include "analysis/ElasticParameters.h"
#include "analysis/FrictionParameters.h"
#include "analysis/LoadParameters.h"
#include "api/LoadInputs.h"
#include "api/LoadStudy.h"
#include "common/CommandLine.h"

// --loads and the load model's parameters.
struct LoadsOptions {
  bool given = false;                   // --loads, with or without a mode
  std::optional<ShaftPositions> mode;   // one mode's rows instead of the map's columns
  LoadInputs inputs;                    // the load model's numbers
  // --dynamics: the elastic valve train beside the rigid loads.
  bool dynamics = false;
  bool loftSpeeds = false;  // on the map: each mode's loft and bounce speeds too
  // What the modes are judged against, and the engine the rows are summed for.
  LimitsOptions limits;
  EngineOptions engine;

  LoadParameters Parameters(std::optional<double> rpm) const { return inputs.Parameters(rpm); }
  ElasticParameters Elastic() const { return inputs.Elastic(); }
  bool BodiesGiven() const { return inputs.BodiesGiven(); }
  std::optional<FrictionParameters> Friction() const { return inputs.Friction(); }
  // All of a mode's table asks for, at --rpm.
  LoadSettings Settings(std::optional<double> rpm) const;
};

// Declares --loads and the parameters; returns --loads, whose count says it
// was given (it may come without a value).
CLI::Option* DeclareLoadsOptions(CommandLine& line, LoadsOptions& target, const ExactOptionHandles& exact);

// What the options need of each other beyond what their counts say, as it depends on
// whether --loads came with a mode: --rpm needs --svaj or --loads; --step needs --svaj or
// a --loads mode; a --loads mode takes none of notForOneMode (the map's options). The
// one-line error, or empty.
std::string LoadsOptionsConflict(const LoadsOptions& loads, const ExactOptions& exact,
                                 const std::vector<CLI::Option*>& notForOneMode);

// Help sections: the per-angle columns, the map's columns, the model's assumptions.
std::string LoadsHelp();
