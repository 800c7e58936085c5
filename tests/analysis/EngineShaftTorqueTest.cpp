// An engine's control-shaft torques, the sum of shifted copies of one valve's: its mean
// is N times the valve's and it repeats every 720/N crank degrees; under friction the
// copies are the valve's frictional rows.
#include "analysis/EngineShaftTorque.h"

#include <gtest/gtest.h>

#include <cmath>

#include "analysis/BodyMasses.h"
#include "analysis/FrictionCycle.h"
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

double EvenMean(const std::vector<LoadRow>& rows, double LoadRow::*torque) {
  double sum = 0;
  int even = 0;
  for (const LoadRow& row : rows) {
    if (row.side != 0) continue;
    sum += row.*torque;
    ++even;
  }
  return sum / even;
}

TEST(EngineShaftTorque, FromTheValvesRowsTheSumIsTheirsAndUnderFrictionTheFrictionalOnes) {
  LoadParameters parameters;
  parameters.rpm = 6000;
  parameters.bodies = SteelBodyMasses(9.5, parameters.rollerWidthMm);
  const ExactKinematics model(60, 200);
  const std::vector<CrankPlace> places = CrankPlaces(model, CrankAngles(0.5));  // 0.5 divides 720/N below
  std::vector<LoadRow> rigid;
  for (const CrankPlace& place : places) rigid.push_back(LoadsAt(model, parameters, place));
  std::vector<LoadRow> frictional;
  for (const FrictionalLoadRow& r : FrictionCycleAt(model, parameters, FrictionParameters{}, places).rows) {
    frictional.push_back(r.loads);
  }
  const double green = EvenMean(frictional, &LoadRow::greenTorqueNm);
  const double orange = EvenMean(frictional, &LoadRow::orangeTorqueNm);
  // Friction moves the means a thousand times the tolerance below, so a sum of the
  // frictionless rows fails.
  ASSERT_GT(std::abs(green - EvenMean(rigid, &LoadRow::greenTorqueNm)), 1e-6 * (1 + std::abs(green)));
  ASSERT_GT(std::abs(orange - EvenMean(rigid, &LoadRow::orangeTorqueNm)), 1e-6 * (1 + std::abs(orange)));
  for (std::size_t i = 0; i < frictional.size(); ++i) {
    const std::optional<EngineShaftTorques> one = EngineShaftTorquesOfRows(frictional, {1, {1}, 1}, i);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->greenNm, frictional[i].greenTorqueNm);
    EXPECT_EQ(one->orangeNm, frictional[i].orangeTorqueNm);
  }
  for (const int n : {3, 4, 6}) {
    SCOPED_TRACE(n);
    const EngineLayout layout{n, DefaultFiringOrder(n), 2};
    std::vector<EngineTorqueRow> rows;
    for (std::size_t i = 0; i < places.size(); ++i) {
      rows.push_back({places[i], EngineShaftTorquesOfRows(frictional, layout, i)});
      // From the frictionless rows, the sum of new rows wherever the shifted angles
      // meet rows; at a jump, where they fall between rows, close to it.
      const std::optional<EngineShaftTorques> fromRows = EngineShaftTorquesOfRows(rigid, layout, i);
      const std::optional<EngineShaftTorques> exact = EngineShaftTorquesAt(model, parameters, layout, places[i]);
      ASSERT_TRUE(fromRows && exact);
      const double tolerance = places[i].side == 0 ? 1e-9 * (1 + std::abs(exact->greenNm)) : 0.05;
      EXPECT_NEAR(fromRows->greenNm, exact->greenNm, tolerance) << places[i].crankDeg;
    }
    for (const auto& [shaft, mean] :
         {std::pair{&EngineShaftTorques::greenNm, green}, {&EngineShaftTorques::orangeNm, orange}}) {
      const EngineTorqueSummary engine = SummariseEngineTorque(rows, shaft);
      ASSERT_TRUE(engine.meanNm);
      EXPECT_NEAR(*engine.meanNm, 2 * n * mean, 1e-9 * (1 + std::abs(2 * n * mean)));
    }
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
