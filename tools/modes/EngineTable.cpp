#include "EngineTable.h"

CsvColumns<std::optional<EngineShaftTorques>> EngineRowColumns() {
  using T = std::optional<EngineShaftTorques>;
  CsvColumns<T> columns;
  for (const auto& [name, member] : {std::pair{"engineGreenShaftTorque_Nm", &EngineShaftTorques::greenNm},
                                     {"engineOrangeShaftTorque_Nm", &EngineShaftTorques::orangeNm}}) {
    const auto shaft = member;  // a copy: the WebAssembly compiler does not capture bindings
    columns.push_back(NumberColumn<T>(name, [shaft](const T& t) { return t ? std::optional<double>((*t).*shaft) : std::nullopt; }));
  }
  return columns;
}

std::string EngineSummaryBlock(const std::vector<EngineTorqueRow>& rows, const CrankOrigin& origin) {
  std::string block;
  const auto line = [&](const std::string& name, std::optional<double> value) {
    block += "# " + name + ',';
    AppendNumber(block, value);
    block += '\n';
  };
  for (const auto& [name, member] : {std::pair{"GreenShaft", &EngineShaftTorques::greenNm},
                                     {"OrangeShaft", &EngineShaftTorques::orangeNm}}) {
    const EngineTorqueSummary s = SummariseEngineTorque(rows, member);
    const std::string shaft = std::string(name) + "Torque";
    line("enginePeak" + shaft + "_Nm", s.peakNm ? std::optional(s.peakNm->value) : std::nullopt);
    line(origin.Column("enginePeak" + shaft + "At_crankDeg"),
         s.peakNm ? std::optional(origin.Shown(s.peakNm->crankDeg)) : std::nullopt);
    line("engineMean" + shaft + "_Nm", s.meanNm);
    line("engine" + shaft + "Ripple_Nm", s.rippleNm);
  }
  return block;
}
