#include "analysis/ElasticModes.h"

#include <Eigen/Eigenvalues>
#include <cmath>
#include <numbers>

std::vector<double> NaturalFrequenciesHz(const LumpedValveTrain& model) {
  const std::vector<double> masses = model.Masses();
  const std::vector<double> stiffness = model.Stiffness();
  const auto n = static_cast<Eigen::Index>(masses.size());
  Eigen::MatrixXd k(n, n);
  for (Eigen::Index r = 0; r < n; ++r) {
    for (Eigen::Index c = 0; c < n; ++c) k(r, c) = stiffness[static_cast<std::size_t>(r * n + c)];
  }
  const Eigen::VectorXd m = Eigen::Map<const Eigen::VectorXd>(masses.data(), n);
  const Eigen::GeneralizedSelfAdjointEigenSolver<Eigen::MatrixXd> solver(k, m.asDiagonal().toDenseMatrix());
  std::vector<double> frequencies;
  for (const double omegaSquared : solver.eigenvalues()) {
    frequencies.push_back(std::sqrt(std::max(0.0, omegaSquared)) / (2 * std::numbers::pi));
  }
  return frequencies;
}
