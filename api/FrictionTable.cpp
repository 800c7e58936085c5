#include "api/FrictionTable.h"

#include <cmath>
#include <optional>

#include "api/LoadsTable.h"

namespace {

constexpr const char* kContactNames[] = {"cam", "lever", "roller"};

}  // namespace

CsvColumns<FrictionRow> FrictionRowColumns() {
  using R = FrictionRow;
  CsvColumns<R> columns;
  // Speeds and forces in size; their senses follow from the spins.
  const auto perContact = [&](const char* quantity, const char* unit, auto value) {
    for (int i = 0; i < kRollerContacts; ++i) {
      columns.push_back(NumberColumn<R>(std::string(kContactNames[i]) + quantity + "_" + unit,
                                        [i, value](const R& r) -> std::optional<double> {
                                          if (!r.evaluated) return std::nullopt;
                                          return value(r.contact[i]);
                                        }));
    }
  };
  perContact("Slip", "mPerS", [](const ContactFriction& c) -> std::optional<double> { return std::abs(c.slipMPerS); });
  perContact("Entrainment", "mPerS",
             [](const ContactFriction& c) -> std::optional<double> { return std::abs(c.entrainmentMPerS); });
  perContact("Friction", "N", [](const ContactFriction& c) -> std::optional<double> { return std::abs(c.frictionN); });
  const auto when = [](double R::*member) {
    return [member](const R& r) { return r.evaluated ? std::optional<double>(r.*member) : std::nullopt; };
  };
  columns.push_back(NumberColumn<R>("freeRollerSpin_radPerS", [](const R& r) {
    return r.evaluated ? std::optional<double>(r.spins.freeRadPerS) : std::nullopt;
  }));
  columns.push_back(NumberColumn<R>("secondRollerSpin_radPerS", [](const R& r) {
    return r.evaluated ? std::optional<double>(r.spins.secondRadPerS) : std::nullopt;
  }));
  columns.push_back(NumberColumn<R>("frictionPower_W", when(&R::powerW)));
  columns.push_back(NumberColumn<R>("camshaftFrictionTorque_Nm", when(&R::camshaftTorqueNm)));
  columns.push_back(NumberColumn<R>("greenShaftFrictionTorque_Nm", when(&R::greenTorqueNm)));
  columns.push_back(NumberColumn<R>("orangeShaftFrictionTorque_Nm", when(&R::orangeTorqueNm)));
  const auto film = [](double FilmThickness::*member) {
    return [member](const ContactFriction& c) -> std::optional<double> {
      return c.film ? std::optional<double>((*c.film).*member) : std::nullopt;
    };
  };
  perContact("Film", "um", film(&FilmThickness::centralUm));
  perContact("MinFilm", "um", film(&FilmThickness::minimumUm));
  for (int i = 0; i < kRollerContacts; ++i) {
    columns.push_back(NumberColumn<R>(std::string(kContactNames[i]) + "FilmRatio", [i](const R& r) {
      const ContactFriction& c = r.contact[i];
      return r.evaluated && c.film ? std::optional<double>(c.film->filmRatio) : std::nullopt;
    }));
  }
  return columns;
}

CsvColumns<FrictionSummary> FrictionSummaryColumns(const CrankOrigin& origin) {
  using S = FrictionSummary;
  CsvColumns<S> columns;
  columns.push_back(NumberColumn<S>("meanFrictionPower_W", [](const S& s) { return s.meanPowerW; }));
  AddPeak(columns, "peakFrictionPower", "W", origin, [](const S& s) { return s.peakPowerW; });
  AddPeak(columns, "peakSlip", "mPerS", origin, [](const S& s) { return s.peakSlipMPerS; });
  columns.push_back(WordsColumn<S>("peakSlipContact", [](const S& s) { return RollerContactName(s.peakSlipContact); }));
  AddPeak(columns, "minFilmRatio", "", origin, [](const S& s) { return s.minFilmRatio; });
  columns.push_back(WordsColumn<S>("minFilmContact", [](const S& s) { return RollerContactName(s.minFilmContact); }));
  columns.push_back(WordsColumn<S>("slidingContact", [](const S& s) { return RollerContactName(s.slidingContact); }));
  columns.push_back(NumberColumn<S>("spinPeriodic", [](const S& s) { return long{s.periodic ? 1 : 0}; }));
  return columns;
}
