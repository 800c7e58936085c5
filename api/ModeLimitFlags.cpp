#include "api/ModeLimitFlags.h"

#include "api/CrankOrigin.h"
#include "api/LimitWarnings.h"

std::vector<ShownLimitFlag> ShownLimitFlags(const LoadSummary& loads, double rpm, const DesignLimits& limits) {
  std::vector<ShownLimitFlag> shown;
  for (const LimitFlag& flag : FlagsAgainstLimits(FiguresOf(loads, rpm), limits)) {
    shown.push_back({LimitName(flag.kind), LimitWarningText(flag, CrankOrigin()), flag.pastTheSpeed});
  }
  return shown;
}
