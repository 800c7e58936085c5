#include "common/ToolDesign.h"

#include "analysis/DesignCheck.h"
#include "geometry/DesignFile.h"

namespace {

MechanismPtr& Chosen() {
  static MechanismPtr chosen = WindowMechanism();
  return chosen;
}

bool& FromFile() {
  static bool fromFile = false;
  return fromFile;
}

}  // namespace

const MechanismPtr& ToolMechanism() { return Chosen(); }

std::vector<std::string> UseDesignFile(const std::string& path) {
  try {
    CheckedMechanism checked = CheckMechanism(ReadDesignFile(path), path);
    if (!checked.mechanism) return checked.problems;
    Chosen() = std::move(checked.mechanism);
    FromFile() = true;
    return {};
  } catch (const DesignError& e) {
    return e.Problems();
  }
}

std::string ToolDesignName() {
  if (!FromFile()) return "built-in (the window's)";
  return Chosen()->GetDesign().name;
}
