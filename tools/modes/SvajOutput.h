#pragma once

#include <QString>
#include <vector>

#include "ModesOptions.h"
#include "api/SvajTable.h"

// The pictures of torlin-modes --svaj --plot-dir: the four SVAJ plots stacked in one
// picture, and the window's lift against the exact one (not for a mode between whole
// bar values, which the window cannot take). Returns an empty string, or
// the one line that says what failed; stops early (with no line) when a signal asks.
QString WriteSvajPictures(const ModesOptions& options, const std::vector<SvajRow>& rows);
