#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "api/CrankOrigin.h"
#include "analysis/DemonstrationRevolution.h"
#include "analysis/SvajSeries.h"
#include "api/TableColumns.h"

// The rows of torlin-modes --svaj: the exact curves at every step, at every frame of
// the window's revolution and on both sides of every curvature jump, and the window's
// lift at its frames.
struct SvajRow {
  SvajSample exact;
  std::optional<double> windowLiftMm;  // at the window's frames where its linkage solved
};

// The table's crank angles in order: each multiple i * step below 720 and each of the
// window's frames, a frame and a multiple that differ only by rounding being one.
std::vector<double> SvajAngles(double stepDeg, const DemonstrationRevolution& window);

// The rows at the given places (some of CrankPlaces of SvajAngles).
std::vector<SvajRow> SvajRowsAt(const ExactKinematics& model, std::span<const CrankPlace> places,
                                const DemonstrationRevolution& window);

// The columns: derivatives by crank angle, or by time at the engine speed rpm; the
// crank angle measured from origin (the rows stay in the model's crank order).
CsvColumns<SvajRow> SvajColumns(std::optional<double> rpm, const CrankOrigin& origin = {});


// The words for an outcome, as the CSV's status column has them.
const char* OutcomeText(ExactOutcome outcome);
