#include "api/EngineTable.h"

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
