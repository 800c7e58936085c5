#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>

#include "analysis/DemonstrationRevolution.h"
#include "api/MapSlices.h"
#include "geometry/Mechanism.h"

// A design as a long-lived caller (the Explorer's worker) keeps it: built and checked
// once from its file's text, then its mechanism, the window's model on it and the map
// computed last on it.
struct CachedDesign {
  std::string text;        // the design file's; empty for the window's design
  MechanismPtr mechanism;  // none if the design cannot be used
  std::unique_ptr<DemonstrationModel> model;
  std::unique_ptr<MapSlices> map;  // none until one is started

  // The name a CSV's "# design" line gives it.
  std::string Name() const;
  // The map computed last on the design (an empty one before any).
  MapSlices& Map();
};

// The designs asked about, the one asked for last in front; past kept, the one asked
// for longest ago is dropped.
class DesignCache {
 public:
  explicit DesignCache(std::size_t kept) : kept_(kept) {}
  // The design of that text, built if it is not kept.
  CachedDesign& Get(const std::string& text);
  // The same, with the window's design standing in for one that cannot be used, so
  // that no computation fails on a design its caller should have checked.
  CachedDesign& Usable(const std::string& text);

 private:
  std::size_t kept_;
  std::list<CachedDesign> designs_;
};
