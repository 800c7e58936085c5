#include "analysis/ElasticCycle.h"

#include <algorithm>
#include <boost/numeric/odeint.hpp>
#include <cmath>
#include <cstddef>
#include <numeric>

#include "analysis/LumpedValveTrain.h"

namespace {

namespace odeint = boost::numeric::odeint;
using State = LumpedValveTrain::State;

constexpr double kCycleDeg = 720;
constexpr double kMmPerM = 1000;
constexpr int kMaxCycles = 40;
// Errors per step: positions to 1e-10 m, speeds likewise relative.
constexpr double kAbsoluteError = 1e-10;
constexpr double kRelativeError = 1e-8;
// A contact change is placed to this, in seconds.
constexpr double kEventTime = 1e-12;
// A cycle repeats when no position moved more than this (m) and no speed (m/s).
constexpr double kRepeatPosition = 1e-9;
constexpr double kRepeatSpeed = 1e-5;
constexpr long kMaxStepsPerCycle = 2'000'000;

class CycleRun {
 public:
  CycleRun(const KinematicLiftCurve& lift, const LoadParameters& load, const ElasticParameters& elastic,
           std::span<const double> crankAngles, double startDeg)
      : lift_(lift),
        model_(load, elastic),
        degPerSecond_(6 * load.rpm),
        startDeg_(startDeg),
        crankAngles_(crankAngles) {
    // The asked angles in the order a cycle from the start meets them.
    order_.resize(crankAngles.size());
    std::iota(order_.begin(), order_.end(), std::size_t{0});
    std::stable_sort(order_.begin(), order_.end(),
                     [&](std::size_t a, std::size_t b) { return SinceStart(crankAngles[a]) < SinceStart(crankAngles[b]); });
  }

  const LumpedValveTrain& Model() const { return model_; }

  // One cycle from the state given; it becomes the state at the cycle's end. False if
  // the steps ran out.
  bool Run(State& state, ElasticCycle& out) {
    out.rows.assign(crankAngles_.size(), ElasticRow{});
    out.impacts.clear();
    out.flights.clear();
    out.chainUnloaded.clear();
    next_ = 0;
    const double end = kCycleDeg / degPerSecond_;
    const auto system = [this](const State& s, State& ds, double t) { model_.Derivative(s, ds, InputAt(t)); };
    auto stepper = odeint::make_dense_output(kAbsoluteError, kRelativeError, MaxStep(),
                                             odeint::runge_kutta_dopri5<State>());
    stepper.initialize(state, 0.0, MaxStep() / 16);
    unsigned contacts = model_.Contacts(state, InputAt(0));
    StartTracking(state, contacts, 0, out);
    State probe(state.size());
    long steps = 0;
    while (stepper.current_time() < end) {
      if (++steps > kMaxStepsPerCycle) return false;
      const auto [from, to] = stepper.do_step(system);
      double reached = to;
      unsigned now = model_.Contacts(stepper.current_state(), InputAt(to));
      if (now != contacts) {
        // The first time the contacts differ, by bisection on the dense output.
        double lo = from;
        double hi = to;
        while (hi - lo > kEventTime) {
          const double mid = (lo + hi) / 2;
          stepper.calc_state(mid, probe);
          (model_.Contacts(probe, InputAt(mid)) != contacts ? hi : lo) = mid;
        }
        reached = hi;
      }
      Sample(stepper, std::min(reached, end), out);
      if (reached >= end) break;
      if (reached < to || now != contacts) {
        stepper.calc_state(reached, probe);
        now = model_.Contacts(probe, InputAt(reached));
        Track(probe, contacts, now, reached, out);
        contacts = now;
        if (reached < to) stepper.initialize(probe, reached, stepper.current_time_step());
      } else {
        Track(stepper.current_state(), contacts, contacts, reached, out);
      }
    }
    stepper.calc_state(end, state);
    Finish(state, end, out);
    return true;
  }

 private:
  double SinceStart(double crankDeg) const {
    const double since = std::fmod(crankDeg - startDeg_, kCycleDeg);
    return since < 0 ? since + kCycleDeg : since;
  }
  double CrankAt(double t) const { return startDeg_ + t * degPerSecond_; }
  double MaxStep() const { return 0.5 / degPerSecond_; }  // half a crank degree
  LumpedValveTrain::Input InputAt(double t) const {
    const double crank = CrankAt(t);
    return {lift_.LiftMm(crank) / kMmPerM, lift_.VelocityMmPerDeg(crank) * degPerSecond_ / kMmPerM};
  }
  double Wrapped(double crank) const {
    const double c = std::fmod(crank, kCycleDeg);
    return c < 0 ? c + kCycleDeg : c;
  }

  template <class Stepper>
  void Sample(Stepper& stepper, double until, ElasticCycle& out) {
    State& s = sample_;
    State& ds = sampleRate_;
    s.resize(model_.Size());
    ds.resize(model_.Size());
    while (next_ < order_.size()) {
      const std::size_t i = order_[next_];
      const double t = SinceStart(crankAngles_[i]) / degPerSecond_;
      if (t > until) break;
      stepper.calc_state(t, s);
      const auto in = InputAt(t);
      const auto forces = model_.ForcesAt(s, in);
      model_.Derivative(s, ds, in);
      out.rows[i] = {crankAngles_[i], in.liftM * kMmPerM, s[0] * kMmPerM, s[1], ds[1], forces.chainN, forces.seatN};
      ++next_;
    }
  }

  bool OffSeat(const State& s) const { return s[0] > model_.SeatTouchM(); }

  void StartTracking(const State& s, unsigned contacts, double t, ElasticCycle& out) {
    flying_ = OffSeat(s);
    if (flying_) out.flights.push_back({Wrapped(CrankAt(t)), Wrapped(CrankAt(t)), 0});
    unloaded_ = false;
    Track(s, contacts, contacts, t, out);
  }

  void Track(const State& s, unsigned before, unsigned after, double t, ElasticCycle& out) {
    const double crank = Wrapped(CrankAt(t));
    const bool seatBefore = (before & LumpedValveTrain::kSeatContact) != 0;
    const bool seatAfter = (after & LumpedValveTrain::kSeatContact) != 0;
    if (!seatBefore && seatAfter) out.impacts.push_back({crank, std::max(0.0, -s[1])});
    const bool off = OffSeat(s) && !seatAfter;
    if (off && !flying_) out.flights.push_back({crank, crank, 0});
    if (off) {
      out.flights.back().heightMm = std::max(out.flights.back().heightMm, (s[0] - model_.SeatTouchM()) * kMmPerM);
      out.flights.back().toDeg = crank;
    }
    flying_ = off;
    const bool unloaded =
        (after & LumpedValveTrain::kChainContact) == 0 && InputAt(t).liftM * kMmPerM > kBounceThresholdMm;
    if (unloaded && !unloaded_) out.chainUnloaded.push_back({crank, crank});
    if (unloaded) out.chainUnloaded.back().toDeg = crank;
    unloaded_ = unloaded;
  }

  void Finish(const State& s, double t, ElasticCycle& out) {
    const unsigned contacts = model_.Contacts(s, InputAt(t));
    Track(s, contacts, contacts, t, out);
  }

  const KinematicLiftCurve& lift_;
  LumpedValveTrain model_;
  double degPerSecond_;
  double startDeg_;
  std::span<const double> crankAngles_;
  std::vector<std::size_t> order_;
  std::size_t next_ = 0;
  State sample_;  // kept between steps: a step should not allocate
  State sampleRate_;
  bool flying_ = false;
  bool unloaded_ = false;
};

bool Repeats(const State& a, const State& b, std::size_t coils) {
  for (std::size_t i = 0; i < a.size(); ++i) {
    const bool speed = i == 1 || i >= 2 + coils;
    if (std::abs(a[i] - b[i]) > (speed ? kRepeatSpeed : kRepeatPosition)) return false;
  }
  return true;
}

}  // namespace

std::optional<ValveFlight> ElasticCycle::Opening() const {
  if (flights.empty()) return std::nullopt;
  return *std::max_element(flights.begin(), flights.end(),
                           [](const ValveFlight& a, const ValveFlight& b) { return a.heightMm < b.heightMm; });
}

std::optional<double> ElasticCycle::SeatingVelocityMPerS() const {
  if (impacts.empty()) return std::nullopt;
  return std::max_element(impacts.begin(), impacts.end(), [](const SeatImpact& a, const SeatImpact& b) {
           return a.velocityMPerS < b.velocityMPerS;
         })->velocityMPerS;
}

std::optional<ValveFlight> ElasticCycle::HighestBounce() const {
  const auto opening = Opening();
  std::optional<ValveFlight> best;
  bool skipped = false;
  for (const ValveFlight& flight : flights) {
    if (!skipped && opening && flight.fromDeg == opening->fromDeg && flight.heightMm == opening->heightMm) {
      skipped = true;
      continue;
    }
    if (!best || flight.heightMm > best->heightMm) best = flight;
  }
  return best;
}

bool ElasticCycle::Bounces() const {
  const auto bounce = HighestBounce();
  return bounce && bounce->heightMm > kBounceThresholdMm;
}

double ElasticCycle::ChainUnloadedDeg() const {
  double degrees = 0;
  for (const CrankInterval& interval : chainUnloaded) {
    degrees += interval.toDeg >= interval.fromDeg ? interval.toDeg - interval.fromDeg
                                                  : interval.toDeg + 720 - interval.fromDeg;
  }
  return degrees;
}

int ElasticCycle::BounceCount() const {
  const auto above = std::count_if(flights.begin(), flights.end(),
                                   [](const ValveFlight& flight) { return flight.heightMm > kBounceThresholdMm; });
  return above > 0 ? static_cast<int>(above) - 1 : 0;
}

std::optional<ElasticCycle> ElasticCycleAt(const KinematicLiftCurve& lift, const LoadParameters& load,
                                           const ElasticParameters& elastic, std::span<const double> crankAngles) {
  const auto start = lift.RestingCrankDeg();
  if (!start) return std::nullopt;
  CycleRun run(lift, load, elastic, crankAngles, *start);
  State state = run.Model().Rest();
  ElasticCycle cycle;
  for (cycle.cycles = 1; cycle.cycles <= kMaxCycles; ++cycle.cycles) {
    const State before = state;
    if (!run.Run(state, cycle)) break;
    if (Repeats(before, state, run.Model().Coils())) {
      cycle.periodic = true;
      break;
    }
  }
  cycle.cycles = std::min(cycle.cycles, kMaxCycles);
  return cycle;
}
