#pragma once

#include <string>
#include <vector>

#include "geometry/Design.h"
#include "geometry/Mechanism.h"

// What the kinematics finds wrong with a buildable design: one line per problem, none
// for a design that works. Checked over the corners and the middle of both bars'
// ranges and the whole cycle: the free roller must reach the lever curve within the
// cam directions that face it, the linkage must close, and the cam must not be
// undercut (its pitch curve nowhere tighter than the free roller).
std::vector<std::string> MechanismProblems(const MechanismPtr& mechanism);

// A design built and checked: its mechanism, or (mechanism empty) what is wrong with
// it, each line after the name of where the design came from, as the tools print it.
struct CheckedMechanism {
  MechanismPtr mechanism;
  std::vector<std::string> problems;
};
CheckedMechanism CheckMechanism(Design design, const std::string& source);
// The same from a design file's text: its reading's problems first (ParseDesignJson).
CheckedMechanism CheckMechanismJson(const std::string& text, const std::string& source);
