#include "analysis/FrictionCycle.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "analysis/ChainFrame.h"
#include "analysis/FrictionalChain.h"
#include "analysis/HertzContact.h"
#include "analysis/LoadSeries.h"

namespace {

constexpr double kKgPerG = 1e-3;
// A force this share of the largest contact force is zero to rounding.
constexpr double kRoundingShare = 1e-9;

double& NormalOf(LoadRow& row, int which) {
  switch (which) {
    case kCamContact: return row.camContactN;
    case kLeverContact: return row.leverContactN;
    default: return row.rollerContactN;
  }
}
double& HertzOf(LoadRow& row, int which) {
  switch (which) {
    case kCamContact: return row.camHertzMPa;
    case kLeverContact: return row.leverHertzMPa;
    default: return row.rollerHertzMPa;
  }
}

// The row with friction's forces in place of the frictionless ones.
FrictionalLoadRow Frictional(const LoadRow& base, const RollerContacts& contacts, const FrictionalForces& f,
                             const LoadParameters& parameters, const FrictionParameters& friction,
                             const ChainFrame& frame, const Spins& spins) {
  FrictionalLoadRow out{base, {}};
  LoadRow& row = out.loads;
  FrictionRow& fr = out.friction;
  fr.evaluated = true;
  fr.spins = spins;
  const double freeCurvature = 1 / (contacts.freeRadiusM * 1e3);
  const auto film = [&](int i) {
    if (i == kCamContact && row.undercut) return;
    ContactFriction& c = fr.contact[i];
    c.film = LineContactFilm(NormalOf(row, i), parameters.rollerWidthMm, freeCurvature, SurfaceCurvature(contacts, i),
                             c.entrainmentMPerS, parameters.youngsModulusGPa, parameters.poisson, friction.oil);
  };
  if (friction.coefficient == 0) {  // the frictionless rows as they are, with their contacts' motion
    for (int i = 0; i < kRollerContacts; ++i) {
      fr.contact[i].slipMPerS = f.speeds[i].slipMPerS;
      fr.contact[i].entrainmentMPerS = f.speeds[i].entrainmentMPerS;
      film(i);
    }
    return out;
  }
  row.rodForceN = base.seated ? base.rodForceN : f.chain.rodN;
  row.guideForceN = base.seated ? base.guideForceN : f.chain.guideN;
  row.linkForceN = base.seated ? base.linkForceN : f.chain.linkN;
  for (int i = 0; i < kRollerContacts; ++i) {
    const double normal = f.NormalN(i);
    NormalOf(row, i) = normal;
    const bool camUndercut = i == kCamContact && row.undercut;
    HertzOf(row, i) = camUndercut ? 0
                                  : HertzLinePressureMPa(normal, parameters.rollerWidthMm, freeCurvature,
                                                         SurfaceCurvature(contacts, i), parameters.youngsModulusGPa,
                                                         parameters.poisson);
    ContactFriction& c = fr.contact[i];
    c.slipMPerS = f.speeds[i].slipMPerS;
    c.entrainmentMPerS = f.speeds[i].entrainmentMPerS;
    c.frictionN = f.coefficient[i] * normal;
    c.powerW = c.frictionN * c.slipMPerS;
    film(i);
  }
  fr.powerW = f.powerW;
  fr.spinTorques = {f.freeSpinTorqueNm, f.secondSpinTorqueNm};
  const ShaftTorquesNm t = ShaftTorquesOf(frame, contacts.contact[kCamContact].pointMm, f.OnFreeRoller(contacts, kCamContact),
                                          contacts.contact[kLeverContact].pointMm,
                                          f.OnFreeRoller(contacts, kLeverContact), row.geometry.eccentric,
                                          f.chain.onEccentric);
  row.camshaftTorqueNm = t.camshaft;
  row.greenTorqueNm = t.green;
  row.orangeTorqueNm = base.seated ? 0 : t.orange;  // while seated the link carries nothing
  fr.camshaftTorqueNm = row.camshaftTorqueNm - base.camshaftTorqueNm;
  fr.greenTorqueNm = row.greenTorqueNm - base.greenTorqueNm;
  fr.orangeTorqueNm = row.orangeTorqueNm - base.orangeTorqueNm;
  // Contacts that would have to pull, as the frictionless rows say them.
  row.lost = 0;
  if (!row.separated) {
    const double pull =
        -kRoundingShare * std::max({std::abs(row.camContactN), std::abs(row.leverContactN), std::abs(row.rollerContactN)});
    if (row.camContactN < pull) row.lost |= kCamContactLost;
    if (row.leverContactN < pull) row.lost |= kLeverContactLost;
    if (!row.seated && row.rollerContactN < pull) row.lost |= kRollerContactLost;
  }
  return out;
}

}  // namespace

FrictionCycle FrictionCycleAt(const ExactKinematics& model, const LoadParameters& parameters,
                              const FrictionParameters& friction, const std::vector<CrankPlace>& places,
                              SeatedRows seatedRows, const ForEachRow& forEachRow) {
  LoadParameters moving = parameters;
  moving.bodyMotion = true;
  const Design& design = model.GetMechanism().GetDesign();
  const ChainFrame frame = ChainFrameOf(model);
  FrictionCycle cycle;
  cycle.rows.resize(places.size());
  std::vector<std::optional<RollerContacts>> contacts(places.size());
  std::vector<double> cranks(places.size());
  // Each position's balance prepared once: the spins' integration asks it many times.
  std::vector<std::optional<FrictionalChain>> chains(places.size());
  forEachRow(places.size(), [&](std::size_t i) {
    LoadRow row = LoadsAt(model, moving, places[i], seatedRows);
    // A massless chain's seated row given briefly has no forces, and no geometry to put
    // friction on.
    const bool brief = seatedRows == SeatedRows::Brief && row.seated && !parameters.bodies.Any() &&
                       parameters.returnSpringN == 0;
    if (row.outcome == ExactOutcome::Placed && row.determinate && !brief) {
      contacts[i] = ContactsOf(row, design.freeRollerRadiusMm, design.secondRollerRadiusMm, frame.camCentre,
                               parameters.rpm);
      chains[i] = FrictionalChain::Of(row, *contacts[i], parameters, friction);
    }
    cranks[i] = places[i].crankDeg;
    cycle.rows[i] = {std::move(row), {}};
  });
  const double freeRadiusM = design.freeRollerRadiusMm * 1e-3;
  const double secondRadiusM = design.secondRollerRadiusMm * 1e-3;
  cycle.inertia = {0.5 * parameters.bodies.freeRollerG * kKgPerG * freeRadiusM * freeRadiusM,
                   0.5 * parameters.bodies.secondRollerG * kKgPerG * secondRadiusM * secondRadiusM};
  const auto solve = [&](std::size_t i, const Spins& spins, bool slopes = false) -> std::optional<FrictionalForces> {
    if (!chains[i]) return std::nullopt;
    return chains[i]->At(spins, slopes);
  };
  const double camRadPerS = parameters.rpm * std::numbers::pi / 60;
  const SpinTorquesAt torques = [&](std::size_t i, const Spins& spins, bool slopes) -> std::optional<SpinTorques> {
    const std::optional<FrictionalForces> f = solve(i, spins, slopes);
    if (!f) return std::nullopt;
    const RollerContacts& c = *contacts[i];
    const double camshaftNm =
        ShaftTorquesOf(frame, c.contact[kCamContact].pointMm, f->OnFreeRoller(c, kCamContact),
                       c.contact[kLeverContact].pointMm, f->OnFreeRoller(c, kLeverContact), {}, {})
            .camshaft;
    return SpinTorques{f->freeSpinTorqueNm, f->secondSpinTorqueNm, f->powerW, camshaftNm * camRadPerS, f->spinSlopes};
  };

  std::vector<Spins> spins(places.size());
  const bool dynamic = (cycle.inertia.freeKgM2 > 0 || cycle.inertia.secondKgM2 > 0) && parameters.rpm > 0;
  if (dynamic) {
    SpinCycle periodic =
        PeriodicSpins(cranks, contacts, cycle.inertia, friction.regularisationMPerS, parameters.rpm, torques, forEachRow);
    cycle.cycles = periodic.cycles;
    cycle.periodic = periodic.periodic;
    cycle.meanHeatW = periodic.meanHeatW;
    cycle.meanCamshaftW = periodic.meanCamshaftW;
    spins = std::move(periodic.spins);
  } else {
    forEachRow(places.size(), [&](std::size_t i) {
      if (contacts[i]) spins[i] = QuasiStaticSpins(*contacts[i], {}, friction.regularisationMPerS, torques, i, {});
    });
  }
  forEachRow(places.size(), [&](std::size_t i) {
    if (!contacts[i]) return;
    const std::optional<FrictionalForces> f = solve(i, spins[i]);
    if (!f) return;
    cycle.rows[i] = Frictional(cycle.rows[i].loads, *contacts[i], *f, parameters, friction, frame, spins[i]);
  });
  return cycle;
}

FrictionSummary SummariseFriction(const FrictionCycle& cycle) {
  FrictionSummary s;
  s.periodic = cycle.periodic;
  double sum = 0;
  int even = 0;
  std::array<double, kRollerContacts> energy{};
  for (const FrictionalLoadRow& r : cycle.rows) {
    if (!r.loads.determinate) continue;
    const FrictionRow& f = r.friction;
    const double c = r.loads.crankDeg;
    if (r.loads.side == 0) {
      sum += f.powerW;
      ++even;
    }
    if (!f.evaluated) continue;
    if (!s.peakPowerW || f.powerW > s.peakPowerW->value) s.peakPowerW = AtCrank{f.powerW, c};
    for (int i = 0; i < kRollerContacts; ++i) {
      const ContactFriction& contact = f.contact[i];
      if (r.loads.side == 0) energy[i] += contact.powerW;
      const double normal = i == kCamContact ? r.loads.camContactN
                            : i == kLeverContact ? r.loads.leverContactN
                                                 : r.loads.rollerContactN;
      if (!(normal > 0)) continue;
      const double slip = std::abs(contact.slipMPerS);
      if (!s.peakSlipMPerS || slip > s.peakSlipMPerS->value) {
        s.peakSlipMPerS = AtCrank{slip, c};
        s.peakSlipContact = i;
      }
      if (contact.film && (!s.minFilmRatio || contact.film->filmRatio < s.minFilmRatio->value)) {
        s.minFilmRatio = AtCrank{contact.film->filmRatio, c};
        s.minFilmContact = i;
      }
    }
  }
  if (even > 0) s.meanPowerW = cycle.meanHeatW ? *cycle.meanHeatW : sum / even;
  double most = 0;
  for (int i = 0; i < kRollerContacts; ++i) {
    if (energy[i] > most) {
      most = energy[i];
      s.slidingContact = i;
    }
  }
  return s;
}

std::string RollerContactName(int which) {
  switch (which) {
    case kCamContact: return "cam";
    case kLeverContact: return "lever";
    case kRollerContact: return "roller";
    default: return {};
  }
}
