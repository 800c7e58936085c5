#include "ModeMap.h"

std::vector<ModeSetting> GridModes(const ModesOptions& options) {
  std::vector<ModeSetting> modes;
  modes.reserve(options.lever.values.size() * options.eccentric.values.size());
  for (int lever : options.lever.values) {
    for (int eccentric : options.eccentric.values) modes.push_back({lever, eccentric});
  }
  return modes;
}

ModeResult DemonstrationMapJob::operator()(std::size_t index) {
  return MapResultOf(*model_, (*modes_)[index], speed_, revolution_);
}
