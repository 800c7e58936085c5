#pragma once

#include <string>

#include "api/CrankOrigin.h"
#include "analysis/FrictionCycle.h"
#include "api/TableColumns.h"

// torlin-modes --loads --friction: each row's contacts (slip, entrainment, friction,
// film), the rollers' spins, friction's power and what it adds to each shaft's torque;
// the mode's friction summary as "# name,value" lines, or as the map's columns.
CsvColumns<FrictionRow> FrictionRowColumns();
CsvColumns<FrictionSummary> FrictionSummaryColumns(const CrankOrigin& origin);
