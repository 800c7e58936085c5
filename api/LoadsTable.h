#pragma once

#include <optional>
#include <string>

#include "api/CrankOrigin.h"
#include "analysis/LoadSeries.h"
#include "api/TableColumns.h"

// torlin-modes --loads as CSV: one row per crank angle (two at every curvature jump),
// then the mode's summary as "# name,value" lines; with --loads on the map, the same
// summary as columns. Crank angles are measured from origin, and their column names
// say so as every other table's do.

// A peak's value and, beside it, where it occurs: NAME_UNIT (NAME for a pure number)
// and NAMEAt_crankDeg.
template <class Row, class Get>
void AddPeak(CsvColumns<Row>& columns, const std::string& name, const std::string& unit, const CrankOrigin& origin,
             Get get) {
  columns.push_back(NumberColumn<Row>(unit.empty() ? name : name + "_" + unit, [get](const Row& s) {
    const std::optional<AtCrank> at = get(s);
    return at ? std::optional<double>(at->value) : std::nullopt;
  }));
  columns.push_back(NumberColumn<Row>(origin.Column(name + "At_crankDeg"), [get, origin](const Row& s) {
    const std::optional<AtCrank> at = get(s);
    return at ? std::optional<double>(origin.Shown(at->crankDeg)) : std::nullopt;
  }));
}

// bodies: the chain's bodies have mass, which adds the contact-loss speeds and the
// return spring (columns that are otherwise left out, so the massless CSV stays as it was).
CsvColumns<LoadRow> LoadRowColumns(const CrankOrigin& origin, bool bodies = false);
CsvColumns<LoadSummary> LoadSummaryColumns(const CrankOrigin& origin, bool bodies = false);

// Modes that barely open separate only at absurd speeds; heat maps of the separation
// speed stop their colour scale here so that the speeds an engine reaches keep their
// colours apart.
inline constexpr int kSeparationScaleTopRpm = 20000;
