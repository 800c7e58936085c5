#pragma once

#include <string>

#include "CrankOrigin.h"
#include "analysis/LoadSeries.h"
#include "common/CsvColumns.h"

// torlin-modes --loads as CSV: one row per crank angle (two at every curvature jump),
// then the mode's summary as "# name,value" lines; with --loads on the map, the same
// summary as columns. Crank angles are measured from origin, and their column names
// say so as every other table's do.

// bodies: the chain's bodies have mass, which adds the contact-loss speeds and the
// return spring (columns that are otherwise left out, so the massless CSV stays as it was).
CsvColumns<LoadRow> LoadRowColumns(const CrankOrigin& origin, bool bodies = false);
CsvColumns<LoadSummary> LoadSummaryColumns(const CrankOrigin& origin, bool bodies = false);
std::string LoadSummaryBlock(const LoadSummary& summary, const CrankOrigin& origin, bool bodies = false);

// Modes that barely open separate only at absurd speeds; heat maps of the separation
// speed stop their colour scale here so that the speeds an engine reaches keep their
// colours apart.
inline constexpr int kSeparationScaleTopRpm = 20000;
