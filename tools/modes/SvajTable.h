#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/DemonstrationRevolution.h"
#include "analysis/SvajSeries.h"

// The rows of torlin-modes --svaj: the exact curves at every step and at every frame
// of the window's revolution, and the window's lift at its frames.
struct SvajRow {
  SvajSample exact;
  std::optional<double> windowLiftMm;  // at the window's frames where its linkage solved
};

std::vector<SvajRow> SvajRows(const ExactKinematics& model, double stepDeg,
                              const DemonstrationRevolution& window);

std::string SvajHeader(std::optional<double> rpm);
std::string SvajCsvRow(const SvajRow& row, std::optional<double> rpm);

// The words for an outcome, as the CSV's status column has them.
const char* OutcomeText(ExactOutcome outcome);
