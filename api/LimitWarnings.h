#pragma once

#include <string>
#include <vector>

#include "api/CrankOrigin.h"
#include "analysis/DesignLimits.h"

// One flag in words, after its limit's name ("camHertz: the cam's Hertz pressure
// reaches ..."): the value, where it lies and the limit's value, without a comma.
std::string LimitWarningText(const LimitFlag& flag, const CrankOrigin& origin);

// The flags of one mode as '# warning,...' lines, one per limit crossed, each the
// flag's text, so that a CSV reader sees two cells.
std::string LimitWarningBlock(const std::vector<LimitFlag>& flags, const CrankOrigin& origin);

// Over a map: how many modes cross each limit, one line per limit crossed anywhere.
struct LimitTally {
  std::size_t modes = 0;
  std::size_t crossing[6] = {};  // by LimitKind
  double limit[6] = {};
  void Add(const std::vector<LimitFlag>& flags);
};
std::string LimitTallyBlock(const LimitTally& tally);
