#pragma once

#include <vector>

#include "analysis/LumpedValveTrain.h"

// The natural frequencies (Hz, ascending) of the lumped valve train while the chain
// carries the open valve: the eigenvalues of its mass and stiffness matrices. The
// lowest is the chain's with the valve; the others are spring surge.
std::vector<double> NaturalFrequenciesHz(const LumpedValveTrain& model);
