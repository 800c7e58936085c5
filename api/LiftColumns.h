#pragma once

#include "animation/FrontEnd.h"
#include "api/TableColumns.h"

// torlin-lift's CSV columns, one per field of a completed frame's report, then the
// crank angle and the valve lift in the tools' common terms.
const CsvColumns<FrameReport>& LiftColumns();

// The crank angle is twice the cam angle; the loop's cam angle is a running sum of
// steps of 1/100 degree, so its crank angle is rounded to 1/100 degree.
inline constexpr int kCrankDecimals = 2;
