// An engine's control-shaft torques, the sum of shifted copies of one valve's: its mean
// is N times the valve's and it repeats every 720/N crank degrees.
#include "analysis/EngineShaftTorque.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/LoadSeries.h"
#include "analysis/SvajSeries.h"

namespace {

std::vector<EngineTorqueRow> EngineRows(const ExactKinematics& model, const LoadParameters& parameters,
                                        const EngineLayout& layout, double stepDeg) {
  std::vector<EngineTorqueRow> rows;
  for (const CrankPlace& place : CrankPlaces(model, CrankAngles(stepDeg))) {
    rows.push_back({place, EngineShaftTorquesAt(model, parameters, layout, place)});
  }
  return rows;
}

TEST(EngineShaftTorque, MeanIsNTimesTheValvesAndTheSumRepeatsEvery720OverN) {
  LoadParameters parameters;
  parameters.bodies = {17.8, 20, 8, 0};  // the seated phase carries torque too
  const ExactKinematics model(60, 200);
  const double step = 0.5;  // divides 720/N for every N below
  const LoadSummary valve = SummariseLoads(LoadSeries(model, parameters, CrankAngles(step)));
  ASSERT_TRUE(valve.green.meanNm && valve.orange.meanNm);
  for (const int n : {1, 3, 4, 6}) {
    SCOPED_TRACE(n);
    const EngineLayout layout{n, DefaultFiringOrder(n), 2};
    const std::vector<EngineTorqueRow> rows = EngineRows(model, parameters, layout, step);
    for (const auto& [shaft, mean] : {std::pair{&EngineShaftTorques::greenNm, *valve.green.meanNm},
                                      {&EngineShaftTorques::orangeNm, *valve.orange.meanNm}}) {
      const EngineTorqueSummary engine = SummariseEngineTorque(rows, shaft);
      ASSERT_TRUE(engine.meanNm && engine.peakNm && engine.rippleNm);
      EXPECT_NEAR(*engine.meanNm, 2 * n * mean, 1e-9 * (1 + std::abs(2 * n * mean)));
      EXPECT_GE(*engine.rippleNm, std::abs(engine.peakNm->value) - std::abs(*engine.meanNm) - 1e-12);
    }
    // Evenly spaced rows one firing interval apart carry the same torques.
    std::vector<const EngineTorqueRow*> even;
    for (const EngineTorqueRow& row : rows) {
      if (row.place.side == 0) even.push_back(&row);
    }
    const std::size_t shift = even.size() / static_cast<std::size_t>(n);
    ASSERT_EQ(even.size() % static_cast<std::size_t>(n), 0U);
    for (std::size_t i = 0; i + shift < even.size(); i += 7) {
      ASSERT_TRUE(even[i]->torques && even[i + shift]->torques);
      EXPECT_NEAR(even[i]->torques->greenNm, even[i + shift]->torques->greenNm, 1e-9 * (1 + std::abs(even[i]->torques->greenNm)));
      EXPECT_NEAR(even[i]->torques->orangeNm, even[i + shift]->torques->orangeNm,
                  1e-9 * (1 + std::abs(even[i]->torques->orangeNm)));
    }
  }
}

TEST(EngineShaftTorque, OneCylinderIsTheValve) {
  const LoadParameters parameters;
  const ExactKinematics model(0, 700);
  for (const CrankPlace& place : CrankPlaces(model, CrankAngles(37))) {
    const LoadRow valve = LoadsAt(model, parameters, place);
    const std::optional<EngineShaftTorques> one = EngineShaftTorquesAt(model, parameters, {1, {1}, 1}, place);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->greenNm, valve.greenTorqueNm);
    EXPECT_EQ(one->orangeNm, valve.orangeTorqueNm);
  }
}

TEST(EngineShaftTorque, FiringOrdersAreChecked) {
  EXPECT_EQ(FiringOrderProblem({1, 3, 4, 2}, 4), "");
  EXPECT_EQ(FiringOrderProblem(DefaultFiringOrder(5), 5), "");
  EXPECT_NE(FiringOrderProblem({1, 3, 4}, 4), "");
  EXPECT_NE(FiringOrderProblem({1, 3, 3, 2}, 4), "");
  EXPECT_NE(FiringOrderProblem({1, 3, 5, 2}, 4), "");
}

}  // namespace
