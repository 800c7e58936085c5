#pragma once

#include <cmath>
#include <optional>
#include <string>
#include <string_view>

#include "api/CsvNumbers.h"

// Where torlin-modes measures crank positions from: the model's own crank zero, or top
// dead centre at --tdc on that axis. Every crank position it prints or draws (an
// opening, a closing, where a peak lies, a crank axis) goes through Shown, and every
// such column name and axis title through Column and AxisTitle, so that a table or a
// picture never mixes the two. Lengths of crank angle (durations) do not move.
class CrankOrigin {
 public:
  static constexpr double kCycleDeg = 720;

  CrankOrigin() = default;
  explicit CrankOrigin(std::optional<double> tdcDeg) : tdcDeg_(tdcDeg) {}

  bool FromTdc() const { return tdcDeg_.has_value(); }
  double TdcDeg() const { return tdcDeg_.value_or(0); }

  // A crank position of the model as shown: unchanged without --tdc, else measured
  // from TDC and wrapped into [0, 720).
  double Shown(double crankDeg) const { return tdcDeg_ ? Wrapped(crankDeg - *tdcDeg_) : crankDeg; }
  std::optional<double> Shown(std::optional<double> crankDeg) const {
    return crankDeg ? std::optional<double>(Shown(*crankDeg)) : std::nullopt;
  }

  // A crank position's column name as shown: with --tdc, "opening1mm_crankDeg" becomes
  // "opening1mm_crankDegFromTdc" and "crank_deg" becomes "crankFromTdc_deg".
  std::string Column(std::string_view name) const {
    if (!tdcDeg_) return std::string(name);
    constexpr std::string_view kCrankDeg = "_crankDeg";
    constexpr std::string_view kDeg = "_deg";
    if (name.ends_with(kCrankDeg)) return std::string(name) + "FromTdc";
    if (name.ends_with(kDeg)) return std::string(name.substr(0, name.size() - kDeg.size())) + "FromTdc_deg";
    return std::string(name) + "_fromTdc";
  }

  // The title of a crank axis.
  std::string AxisTitle() const {
    if (!tdcDeg_) return "crank angle (degrees)";
    std::string title = "crank angle from TDC at ";
    AppendNumber(title, *tdcDeg_);
    return title + " (degrees)";
  }

  // Bottom dead centre after the gas-exchange top dead centre, on an intake stroke.
  static constexpr double kBdcAfterTdcDeg = 180;

  // A crank angle from TDC as after it (positive) or before it (negative): in (-360, 360].
  static double Signed(double crankDeg) {
    const double shown = Wrapped(crankDeg);
    return shown > kCycleDeg / 2 ? shown - kCycleDeg : shown;
  }

  // A crank angle wrapped into [0, 720), as from top dead centre at 0.
  static double Wrapped(double crankDeg) {
    double shown = std::fmod(crankDeg, kCycleDeg);
    if (shown < 0) shown += kCycleDeg;
    return shown == kCycleDeg ? 0 : shown;
  }

 private:
  std::optional<double> tdcDeg_;
};
