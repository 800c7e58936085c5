#include "analysis/SummaryQuantities.h"

const std::array<SummaryQuantity, 9> kSummaryQuantities = {{
    {"maxLift_mm", "maximum lift", "mm", [](const ModeSummary& s) { return s.maxLiftMm; }},
    {"maxLiftAt_crankDeg", "crank angle of maximum lift", "crank °",
     [](const ModeSummary& s) { return s.maxLiftCrankDeg; }, true, true},
    {"opens", "opens (reaches 0.1 mm)", "1 yes, 0 no",
     [](const ModeSummary& s) { return std::optional<double>(s.opens ? 1.0 : 0.0); }},
    {"opening0.1mm_crankDeg", "opening at 0.1 mm", "crank °",
     [](const ModeSummary& s) { return s.atOpeningLift.openingCrankDeg; }, false, true},
    {"closing0.1mm_crankDeg", "closing at 0.1 mm", "crank °",
     [](const ModeSummary& s) { return s.atOpeningLift.closingCrankDeg; }, false, true},
    {"duration0.1mm_crankDeg", "duration above 0.1 mm", "crank °",
     [](const ModeSummary& s) { return s.atOpeningLift.durationCrankDeg; }},
    {"opening1mm_crankDeg", "opening at 1 mm", "crank °",
     [](const ModeSummary& s) { return s.atFullLift.openingCrankDeg; }, false, true},
    {"closing1mm_crankDeg", "closing at 1 mm", "crank °",
     [](const ModeSummary& s) { return s.atFullLift.closingCrankDeg; }, false, true},
    {"duration1mm_crankDeg", "duration above 1 mm", "crank °",
     [](const ModeSummary& s) { return s.atFullLift.durationCrankDeg; }},
}};
