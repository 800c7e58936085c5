// Designs as values: the window's design reproduces the window's mechanism, design
// files are checked rule by rule and survive hostile text, and the exact model on any
// design obeys similarity, translation and curvature continuity.

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <functional>
#include <random>
#include <sstream>

#include "analysis/CurvatureJumps.h"
#include "analysis/DesignCheck.h"
#include "analysis/ExactKinematics.h"
#include "geometry/DesignFile.h"

namespace {

std::string ShippedDesign(const std::string& name) {
  std::ifstream in(std::string(TORLIN_SOURCE_DIR) + "/designs/" + name);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

MechanismPtr Built(const Design& design) { return std::make_shared<const Mechanism>(design); }

// The first problem that names the given text, or "" if none does.
std::string ProblemNaming(const std::vector<std::string>& problems, const std::string& text) {
  for (const std::string& p : problems) {
    if (p.find(text) != std::string::npos) return p;
  }
  return "";
}

TEST(WindowDesign, TheShippedFileIsTheWindowsDesignAndReadsBackToTheSameMechanism) {
  const std::string text = DesignToJson(WindowDesign());
  EXPECT_EQ(ShippedDesign("window.json"), text);
  const Mechanism read(DesignFromJson(text));
  const MechanismConstants& a = read.Constants();
  const MechanismConstants& b = WindowMechanism()->Constants();
  // Every constant to the last bit: the window's numbers come from the design.
  EXPECT_EQ(a.cornerCentreX, 16.63694);
  EXPECT_EQ(a.cornerCentreY, 31.14835393825);
  EXPECT_EQ(a.flankCentreX, b.flankCentreX);
  EXPECT_EQ(a.flankCentreY, 36.328369373);
  EXPECT_EQ(a.camBaseRadius, 24);
  EXPECT_EQ(read.LeverAngleFor(60), -60 / 300.0);
  EXPECT_EQ(read.EccentricDegFor(333), 333 / 10.0);
  EXPECT_TRUE(MechanismProblems(WindowMechanism()).empty());
  EXPECT_TRUE(MechanismProblems(Built(DesignFromJson(ShippedDesign("smooth-lever.json")))).empty());
}

TEST(DesignFile, EveryRuleNamesWhatIsWrong) {
  const auto problemsOf = [](const std::function<void(Design&)>& spoil) {
    Design d = WindowDesign();
    spoil(d);
    return DesignProblems(d);
  };
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.rodLengthMm = 0; }), "rod.length_mm"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.freeRollerRadiusMm = -9.5; }), "freeRoller.radius_mm"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.lever.pieces[1].toDeg = 40; }), "pieces in order"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.lever.pieces[2].blendDeg = 80; }), "reaches beyond"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.lever.pieces[1].blendDeg = 4; }), "centre_mm"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.cam.lobe.spanCamDeg = 400; }), "span_camDeg"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.leverShaft.radPerBar = 0; }), "gearing"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.eccentricShaft.barMax = -100; }), "barMin"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.leverShaft = {0.2, 0.8, 0.01}; }), "whole bar value"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.eccentricShaft.barMax = 1e300; }), "whole bar value"), "");
  EXPECT_NE(ProblemNaming(problemsOf([](Design& d) { d.cam.lobe.liftMm = NAN; }), "lift_mm"), "");

  // What only the kinematics can find: a link too short to reach, a roller too large.
  Design shortLink = WindowDesign();
  shortLink.linkLengthMm = 5;
  EXPECT_NE(ProblemNaming(MechanismProblems(Built(shortLink)), "linkage cannot close"), "");
  Design fatRoller = WindowDesign();
  fatRoller.freeRollerRadiusMm = 30;  // beyond the 24 mm base circle's pitch radius
  EXPECT_NE(ProblemNaming(MechanismProblems(Built(fatRoller)), "undercut"), "");

  // The file's own rules: unknown keys, wrong types, a bad format, broken JSON.
  std::string text = DesignToJson(WindowDesign());
  const auto with = [&](const std::string& from, const std::string& to) {
    std::string t = text;
    t.replace(t.find(from), from.size(), to);
    return ParseDesignJson(t).problems;
  };
  EXPECT_NE(ProblemNaming(with("\"notes\"", "\"colour\": 1, \"notes\""), "unknown key \"colour\""), "");
  EXPECT_NE(ProblemNaming(with("\"format\": 1", "\"format\": 2"), "design.format"), "");
  EXPECT_NE(ProblemNaming(with("\"radius_mm\": 20.0", "\"radius_mm\": \"20\""), "must be a number"), "");
  EXPECT_NE(ProblemNaming(with("\"cosine-power\"", "\"cubic\""), "is not a law"), "");
  EXPECT_NE(ProblemNaming(ParseDesignJson("{\"format\": 1,").problems, "not valid JSON: parse error at line"), "");
}

// Random damage to a design file: never a crash, and whatever is accepted gives
// finite numbers or no position, never a NaN.
TEST(DesignFile, MutatedFilesNeverCrashOrGiveNotANumber) {
  const std::string good = DesignToJson(WindowDesign());
  std::mt19937 random(7);
  const std::string alphabet = "0123456789.-e,:{}[]\" ";
  int accepted = 0;
  for (int trial = 0; trial < 300; ++trial) {
    std::string text = good;
    const int edits = 1 + static_cast<int>(random() % 4);
    for (int e = 0; e < edits; ++e) {
      const std::size_t at = random() % text.size();
      switch (random() % 3) {
        case 0: text[at] = alphabet[random() % alphabet.size()]; break;
        case 1: text.erase(at, 1 + random() % 3); break;
        default: text.insert(at, 1, alphabet[random() % alphabet.size()]);
      }
    }
    const ParsedDesign parsed = ParseDesignJson(text);
    ASSERT_EQ(parsed.design.has_value(), parsed.problems.empty());
    if (!parsed.design) continue;
    const MechanismPtr mechanism = Built(*parsed.design);
    if (!MechanismProblems(mechanism).empty()) continue;
    ++accepted;
    const ExactKinematics model(mechanism, 60, 200);
    for (double crank = 0; crank < 720; crank += 15) {
      const ExactSvaj s = model.SvajAt(crank);
      if (s.outcome != ExactOutcome::Placed) continue;
      ASSERT_TRUE(std::isfinite(s.lift) && std::isfinite(s.velocity) && std::isfinite(s.acceleration) &&
                  std::isfinite(s.jerk))
          << text;
    }
  }
  EXPECT_GT(accepted, 0);
}

TEST(DesignSimilarity, ScaledLengthsScaleTheLiftAndKeepTheCrankAngles) {
  const MechanismPtr twice = Built(ScaledDesign(WindowDesign(), 2));
  const MechanismPtr moved = Built(TranslatedDesign(WindowDesign(), 13.25, -7.5));
  for (const auto& [lever, eccentric] : {std::pair{71.0, 700.0}, {60.0, 200.0}, {0.0, 350.0}}) {
    const ExactKinematics base(lever, eccentric);
    const ExactKinematics big(twice, lever, eccentric);
    const ExactKinematics shifted(moved, lever, eccentric);
    int placed = 0;
    for (double crank = 1; crank < 720; crank += 7) {
      const ExactSvaj a = base.SvajAt(crank);
      const ExactSvaj b = big.SvajAt(crank);
      const ExactSvaj c = shifted.SvajAt(crank);
      ASSERT_EQ(a.outcome, b.outcome) << crank;
      ASSERT_EQ(a.outcome, c.outcome) << crank;
      if (a.outcome != ExactOutcome::Placed) continue;
      ++placed;
      EXPECT_NEAR(b.lift, 2 * a.lift, 1e-9) << crank;
      EXPECT_NEAR(b.acceleration, 2 * a.acceleration, 1e-9) << crank;
      EXPECT_NEAR(c.lift, a.lift, 1e-9) << crank;
      EXPECT_NEAR(c.velocity, a.velocity, 1e-9) << crank;
    }
    EXPECT_GT(placed, 90);
    // The events stay where they were.
    const auto jumps = CurvatureJumps(base);
    const auto bigJumps = CurvatureJumps(big);
    ASSERT_EQ(jumps.size(), bigJumps.size());
    for (std::size_t i = 0; i < jumps.size(); ++i) EXPECT_NEAR(jumps[i].crankDeg, bigJumps[i].crankDeg, 1e-6);
  }
}

// Blended joins and a polynomial lobe: no curvature jump is listed, and the valve's
// acceleration runs on without a step where the window's jumps.
TEST(SmoothDesign, BlendsLeaveNoCurvatureJump) {
  const MechanismPtr smooth = Built(DesignFromJson(ShippedDesign("smooth-lever.json")));
  const ExactKinematics window(71, 700);
  const ExactKinematics model(smooth, 71, 700);
  ASSERT_FALSE(CurvatureJumps(window).empty());
  EXPECT_TRUE(CurvatureJumps(model).empty());

  // One-sided limits of the window's acceleration at a hand-over differ...
  const CurvatureJump jump = CurvatureJumps(window).front();
  const double h = 1e-6;
  const double windowStep = std::abs(window.SvajAt(jump.crankDeg + h).acceleration -
                                     window.SvajAt(jump.crankDeg - h).acceleration);
  EXPECT_GT(windowStep, 1e-4);
  // ...while the smooth design's change little over the smallest crank steps anywhere,
  // the blends' ends included.
  double largestStep = 0;
  for (double crank = 0; crank < 720; crank += 0.05) {
    const ExactSvaj a = model.SvajAt(crank - h);
    const ExactSvaj b = model.SvajAt(crank + h);
    if (a.outcome == ExactOutcome::Placed && b.outcome == ExactOutcome::Placed) {
      largestStep = std::max(largestStep, std::abs(b.acceleration - a.acceleration));
    }
  }
  EXPECT_LT(largestStep, windowStep / 100);
}

}  // namespace
