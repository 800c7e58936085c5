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
    Design design = ReadDesignFile(path);
    auto mechanism = std::make_shared<const Mechanism>(std::move(design));
    std::vector<std::string> problems = MechanismProblems(mechanism);
    for (std::string& line : problems) line = path + ": " + line;
    if (!problems.empty()) return problems;
    Chosen() = std::move(mechanism);
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
