#include "api/DesignCache.h"

#include <algorithm>

#include "analysis/DesignCheck.h"

std::string CachedDesign::Name() const {
  return text.empty() ? std::string("built-in (the window's)") : mechanism->GetDesign().name;
}

MapSlices& CachedDesign::Map() {
  if (!map) map = std::make_unique<MapSlices>();
  return *map;
}

CachedDesign& DesignCache::Get(const std::string& text) {
  const auto known = std::find_if(designs_.begin(), designs_.end(), [&](const CachedDesign& d) { return d.text == text; });
  if (known != designs_.end()) {
    designs_.splice(designs_.begin(), designs_, known);
    return designs_.front();
  }
  CachedDesign loaded{text, text.empty() ? WindowMechanism() : CheckMechanismJson(text, "design").mechanism, nullptr, {}};
  if (loaded.mechanism) loaded.model = std::make_unique<DemonstrationModel>(loaded.mechanism);
  if (designs_.size() >= kept_) designs_.pop_back();
  designs_.push_front(std::move(loaded));
  return designs_.front();
}

CachedDesign& DesignCache::Usable(const std::string& text) {
  CachedDesign& loaded = Get(text);
  return loaded.mechanism ? loaded : Get("");
}
