#include "api/ModelNotes.h"

namespace {

std::string LoadModel() {
  return "Planar and rigid; joints and contacts without friction (--friction adds it at the free roller's contacts); "
         "gravity neglected. Quasi-static, except one "
         "equivalent reciprocating mass at the valve (valve, retainer, keepers, rod, a third of the spring) whose "
         "inertia force is m a, a being the exact valve acceleration at --rpm; the cam turns at half the engine "
         "speed. The spring is linear: preload + rate x lift; the chain pushes the valve with that plus m a. The "
         "rod and the link are two-force members (the valve guide takes the rod's side component); the second "
         "roller's centre joins link, rod and the roller-to-roller contact; the free roller is held by three "
         "forces through its centre along the contact normals (the cam's pitch-curve normal, the lever curve's "
         "normal, the line of the roller centres). While the free roller runs on the lever's pivot arc the valve "
         "sits on its seat, which holds the spring: the chain carries nothing. A contact that would have to pull "
         "is reported as lost; a negative valve force as separated. Torques are what each shaft must exert, "
         "about the cam axis (camshaft) and the lever pivot (green: the lever; orange: the eccentric), positive "
         "the way the cam turns or the way the shaft's bar value grows. Hertz line contact (largest pressure) "
         "at cam-roller, roller-lever and roller-roller, all parts of one steel, from the radii of the working "
         "surfaces 9.5 mm off the pitch and lever curves: the cam's from the pitch curve's curvature (convex or "
         "concave; undercut where the pitch curve bends tighter than the roller), the lever's faces concave "
         "(28.5, 11 and 39.5 mm), the rollers convex (9.5 mm). The pressure angle lies between the cam's contact "
         "normal and the free roller centre's velocity. The separation speed is where spring force + m a first "
         "falls to zero somewhere in the cycle; a scales with the speed squared, so one cycle gives it. Where "
         "the roller passes from one lever arc to the next, and where the cam's lobe meets its base circle, a "
         "curvature jumps: those crank angles are found exactly and given two rows, the values just before and "
         "just after (jumpSide -1 and 1), and peaks include both.";
}

std::string Bodies() {
  return "--free-roller-mass, --second-roller-mass, --link-mass, --rod-mass give the chain's bodies mass "
         "(default 0: today's massless chain, whose numbers and columns stay exactly as they are). The rollers' "
         "centres of mass are their centres, the link and the rod are uniform bars; every body's d'Alembert force "
         "comes from its exact acceleration (automatic differentiation) and the contact forces from each body's "
         "balance; without --friction the rollers' spin takes no torque. Then each row adds contactLoss_rpm and "
         "contactLost (the engine speed at which a contact here, the valve's included, would first have to "
         "pull: the inertial part of each force grows with the speed squared) and, while the valve rests, "
         "returnSpringNeeded_N: the force of a spring pressing the free roller into cam and lever at once "
         "(along the sum of their normals) so that neither has to pull it; the summary (and the map's columns) "
         "add firstContactLoss_rpm with its crank angle and contact, over rows lifted 0.05 mm or more (below, "
         "the lift-off belongs to the seated phase), and returnSpring_N, the largest over the cycle. "
         "--return-spring N applies such a spring. A solid steel roller of 9.5 mm radius and 8 mm width weighs "
         "17.8 g.";
}

std::string Friction() {
  return "--friction MU (with --rpm) puts Coulomb friction at the free roller's three contacts: cam, lever and second "
         "roller. Its coefficient at slip speed s is MU tanh(s / 0.01 m/s), regularised at small slip as multibody "
         "codes do; 0.05, the recommended value, is lubricated hardened steel in the mixed and elastohydrodynamic "
         "regimes of a roller follower (oiled steel in boundary lubrication gives 0.1 and more, a full film's "
         "traction a few hundredths). The cam turns clockwise at half the engine speed, the lever stands still "
         "during a cycle, the second roller's centre moves with the joint of link and rod; pins and joints have no "
         "friction. Each contact pushes the roller along its normal and, mu N, against the slip; those forces enter "
         "every body's balance (with the bodies' masses, their d'Alembert forces too), so the rows' forces and "
         "torques become the frictional ones. A contact that would have to pull is open and takes no friction. "
         "Each roller spins about its centre: with --free-roller-mass or --second-roller-mass it is a solid roller, "
         "I = 1/2 m r^2 (the second roller's pin counted in), and I dw/dt = friction's torque is integrated over "
         "the cycle by a stiff Rosenbrock-W method (ROS34PW2, order three, L-stable) under error control (1e-3 "
         "rad/s and 1e-7 of the spin a step; the torques between two rows in proportion), Newton's method on its "
         "start until the cycle ends where it began (1e-6 of the spin); rows finer than a quarter degree are "
         "solved first on every degree or so, then in two halves of the cycle at once; without "
         "mass it spins so that friction's net torque on it is zero: the free roller rolls on the contact that "
         "holds it hardest and slides on the others, the second roller rolls on the free one. Slip is the free "
         "roller's surface speed less the other body's at the contact; entrainment the mean of both surfaces' "
         "speeds relative to the moving contact point. The oil film of each line contact: Dowson and Higginson's "
         "minimum film and Dowson and Toyoda's central film (isothermal, fully flooded, Newtonian), the oil "
         "--oil-viscosity (default 0.01 Pa s) and --pressure-viscosity (default 15 /GPa), a warm 5W-30; the film "
         "ratio lambda = minimum film / --roughness (composite, default 0.3 um). Where the entrainment speed "
         "nears zero the film vanishes: lambda below 1 means the asperities carry the load. The separation and "
         "contact-loss speeds and the return spring stay the frictionless model's. Columns camSlip_mPerS, "
         "leverSlip_mPerS, rollerSlip_mPerS, camEntrainment_mPerS (and lever, roller), camFriction_N (and lever, "
         "roller), speeds and forces in size; freeRollerSpin_radPerS, secondRollerSpin_radPerS "
         "(counter-clockwise as drawn); frictionPower_W; camshaftFrictionTorque_Nm, greenShaftFrictionTorque_Nm, "
         "orangeShaftFrictionTorque_Nm: what friction adds to each shaft's torque; camFilm_um (central), "
         "camMinFilm_um, camFilmRatio, and the same for lever and roller, where the contact carries load. Summary "
         "lines (and with --loads on the map, columns): meanFrictionPower_W, peakFrictionPower_W, peakSlip_mPerS "
         "with peakSlipContact (loaded contacts), minFilmRatio with minFilmContact, slidingContact (the one that "
         "turns most energy into heat), spinPeriodic. --friction 0 keeps the frictionless forces exactly and adds "
         "the contacts' motion and films.";
}

std::string Dynamics() {
  return "One mode's valve driven through an elastic chain by the rigid lift (sampled every 0.25 crank degree, "
         "joined by quintic Hermite pieces): the chain (--chain-stiffness, default 15000 N/mm, typical of roller "
         "valve trains) and the seat (50000 N/mm) are springs with dampers that only push, so the valve may "
         "leave the chain (loft) or the seat (bounce); the valve spring is --spring-masses equal coil masses "
         "(default 4) of --spring-mass in all (default 30 g) between equal springs, so spring surge appears; "
         "the valve keeps --moving-mass less a third of the spring's mass. --damping-ratio (default 0.1) serves "
         "every spring element. Integrated with Boost.Odeint's Dormand-Prince pair under error control, each "
         "change of contact placed on the step's dense output and the integration restarted there; cycles from "
         "rest until one ends where it began (the periodic steady state). Columns dynamicLift_mm (above its rest "
         "on the seat), dynamicVelocity_mPerS, dynamicAcceleration_mPerS2, chainForce_N, seatForce_N; summary "
         "lines: the valve's own opening and closing, seatingVelocity_mPerS (the largest impact), seatImpacts, "
         "bounces and highestBounce_mm, chainUnloaded_deg (while the rigid lift exceeds 0.05 mm), and "
         "loftSpeed_rpm and bounceSpeed_rpm: the lowest engine speeds at which the chain unloads or the valve "
         "bounces above 0.05 mm, found by stepping 1000 rpm at a time up to 16000 and halving the bracket to "
         "10 rpm. A '# warning' line says when the rigid rows do not describe the motion at --rpm.";
}

}  // namespace

const ModelNote& PerValveNote() {
  static const ModelNote note = {
      "Every load is per valve",
      "Forces and torques are those of one valve with the given spring and moving mass; where one chain of "
      "rollers serves a pair of valves, the chain's forces and every shaft torque are twice these."};
  return note;
}

const std::vector<ModelNote>& LoadModelNotes() {
  static const std::vector<ModelNote> notes = {
      {"The load model", LoadModel()},
      PerValveNote(),
      {"Bodies with mass and the return spring", Bodies()},
      {"Friction, the rollers' spins and the oil film (--friction)", Friction()},
      {"The elastic valve train (--dynamics)", Dynamics()},
      {"Load defaults",
       "An intake valve of a 1.6-litre, 16-valve passenger-car engine: spring 35 N/mm with 210 N preload, 75 g "
       "moving mass, steel rollers 8 mm wide, E 210 GPa, Poisson 0.3."},
  };
  return notes;
}
