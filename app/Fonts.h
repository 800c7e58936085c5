#pragma once

#include <QFont>

// Arial bold at the given point size; Liberation Sans (same metrics) where Arial
// is not installed.
QFont ArialBold(double pointSize);
