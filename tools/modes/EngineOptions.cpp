#include "EngineOptions.h"

#include <sstream>

EngineLayout EngineOptions::Layout() const {
  return {cylinders, firingOrder.empty() ? DefaultFiringOrder(cylinders) : firingOrder, valvesPerCylinder};
}

CLI::Option* DeclareEngineOptions(CommandLine& line, EngineOptions& target, CLI::Option* loads) {
  CLI::Option* cylinders = line.WholeNumber(
      "--cylinders", 1, kMaxCylinders, target.cylinders,
      "with a --loads mode: the control shafts' torques of an engine of this many cylinders, each running "
      "the mode, fired evenly in --firing-order (1 up to " + std::to_string(kMaxCylinders) + ")");
  line.Needs(cylinders, loads);
  CLI::Option* order = line.Value(
      "--firing-order", "LIST", "cylinder numbers separated by commas, such as 1,3,4,2",
      [&target](const std::string& text) {
        std::vector<int> order;
        std::stringstream stream(text);
        for (std::string part; std::getline(stream, part, ',');) {
          const std::optional<int> cylinder = WholeNumberIn(part, 1, kMaxCylinders);
          if (!cylinder) return false;
          order.push_back(*cylinder);
        }
        if (order.empty() || text.back() == ',') return false;
        target.firingOrder = order;
        return true;
      },
      "the cylinders in firing order, default 1,3,4,2 for four, 1,5,3,6,2,4 for six, else 1,2,...,N");
  line.Needs(order, cylinders);
  line.Needs(line.WholeNumber("--valves-per-cylinder", 1, kMaxValvesPerCylinder, target.valvesPerCylinder,
                              "valves of each cylinder that one control shaft works, default 1 (1 up to " +
                                  std::to_string(kMaxValvesPerCylinder) + ")"),
             cylinders);
  return cylinders;
}

std::string EngineOptionsConflict(const EngineOptions& engine) {
  if (!engine.Given() || engine.firingOrder.empty()) return {};
  if (std::string problem = FiringOrderProblem(engine.firingOrder, engine.cylinders); !problem.empty()) {
    return "--firing-order: " + problem;
  }
  return {};
}

std::string FiringOrderText(const std::vector<int>& order) {
  std::string text;
  for (const int cylinder : order) text += (text.empty() ? "" : "-") + std::to_string(cylinder);
  return text;
}

std::string EngineHelp() {
  return "--cylinders N gives each control shaft's torque for an engine of N cylinders that all run the mode: "
         "the sum over the cylinders of the per-valve torque, the cylinder fired p-th (p = 0 for the first) "
         "shifted by 720/N * p crank degrees, times --valves-per-cylinder. Firing is evenly spaced, so the sum "
         "does not depend on the order (it says only which cylinder stands where). With --friction the sum takes "
         "the valve's frictional rows, each cylinder the same periodic cycle shifted (a shift between rows takes "
         "the two either side in proportion; a --step that divides 720/N puts every shift on a row). The rows gain "
         "engineGreenShaftTorque_Nm and engineOrangeShaftTorque_Nm, the summary for each shaft the engine's "
         "peak (largest in size, signed, with its crank angle), mean (over the evenly spaced rows: N times "
         "the valve's) and ripple (largest less smallest), e.g. engineGreenShaftTorqueRipple_Nm.";
}
