#pragma once

#include <string>

#include "CrankOrigin.h"
#include "analysis/LoadSeries.h"
#include "common/CsvColumns.h"

// torlin-modes --loads as CSV: one row per crank angle (two at every curvature jump),
// then the mode's summary as "# name,value" lines; with --loads on the map, the same
// summary as columns. Crank angles are measured from origin, and their column names
// say so as every other table's do.

CsvColumns<LoadRow> LoadRowColumns(const CrankOrigin& origin);
CsvColumns<LoadSummary> LoadSummaryColumns(const CrankOrigin& origin);
std::string LoadSummaryBlock(const LoadSummary& summary, const CrankOrigin& origin);

// Modes that barely open separate only at absurd speeds; heat maps of the separation
// speed stop their colour scale here so that the speeds an engine reaches keep their
// colours apart.
inline constexpr int kSeparationScaleTopRpm = 20000;
