#include "api/SummaryColumns.h"

#include "analysis/SummaryQuantities.h"

// The summary's quantities as analysis/ names them. The crank angle of the maximum is
// a frame's angle, a multiple of the step, so it is written rounded; opening and
// closing are interpolated between frames, so they keep every digit.
namespace {

template <class Value>
CsvColumn<ModeSummary> Column(std::string name, bool sampledAngle, Value value) {
  if (!sampledAngle) return NumberColumn<ModeSummary>(std::move(name), value);
  return RoundedColumn<ModeSummary>(std::move(name), kAngleDecimals, value);
}

// An intake valve's events as engine people give them, from the gas-exchange top dead
// centre: where a quantity's column names one, the event's name and the angle.
struct IntakeEvent {
  std::string_view column;
  std::string_view name;
  double (*angle)(double shownCrankDeg);
};
const IntakeEvent kIntakeEvents[] = {
    {"maxLiftAt_crankDeg", "maxLiftAt_crankDegAfterTdc", [](double at) { return CrankOrigin::Signed(at); }},
    {"opening0.1mm_crankDeg", "opening0.1mm_crankDegBeforeTdc", [](double at) { return -CrankOrigin::Signed(at); }},
    {"closing0.1mm_crankDeg", "closing0.1mm_crankDegAfterBdc",
     [](double at) { return CrankOrigin::Signed(at - CrankOrigin::kBdcAfterTdcDeg); }},
    {"opening1mm_crankDeg", "opening1mm_crankDegBeforeTdc", [](double at) { return -CrankOrigin::Signed(at); }},
    {"closing1mm_crankDeg", "closing1mm_crankDegAfterBdc",
     [](double at) { return CrankOrigin::Signed(at - CrankOrigin::kBdcAfterTdcDeg); }},
};

}  // namespace

CsvColumns<ModeSummary> SummaryColumns(const CrankOrigin& origin) {
  CsvColumns<ModeSummary> columns;
  for (const SummaryQuantity& quantity : kSummaryQuantities) {
    const auto value = [origin, value = quantity.value, position = quantity.crankPosition](const ModeSummary& s) {
      return position ? origin.Shown(value(s)) : value(s);
    };
    const std::string name = quantity.crankPosition ? origin.Column(quantity.column) : quantity.column;
    columns.push_back(Column(name, quantity.sampledAngle, value));
  }
  if (!origin.FromTdc()) return columns;
  for (const IntakeEvent& event : kIntakeEvents) {
    for (const SummaryQuantity& quantity : kSummaryQuantities) {
      if (quantity.column != event.column) continue;
      columns.push_back(Column(std::string(event.name), quantity.sampledAngle,
                               [origin, value = quantity.value, angle = event.angle](const ModeSummary& s) {
                                 const std::optional<double> at = origin.Shown(value(s));
                                 return at ? std::optional<double>(angle(*at)) : std::nullopt;
                               }));
    }
  }
  return columns;
}
