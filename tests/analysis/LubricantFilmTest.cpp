// The film formulas against their dimensional forms, as handbooks print them (each
// power of the dimensionless groups multiplied out by hand), on a cam roller's contact.
#include "analysis/LubricantFilm.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

TEST(LubricantFilm, MatchesTheDimensionalFormsOfBothFormulas) {
  // A 9.5 mm roller on a cam flank of 20 mm radius, 1 kN over 8 mm, 2 m/s entrainment,
  // the default oil. SI throughout.
  const OilParameters oil;
  const double radius = 1 / (1 / 9.5e-3 + 1 / 20e-3);
  const double reducedModulus = 210e9 / (1 - 0.3 * 0.3);
  const double loadPerLength = 1000 / 8e-3;
  const double alpha = 15e-9;
  const double etaU = 0.010 * 2.0;
  // h_min = 2.65 alpha^0.54 (eta0 u)^0.70 R^0.43 E'^-0.03 w^-0.13
  const double minimum = 2.65 * std::pow(alpha, 0.54) * std::pow(etaU, 0.70) * std::pow(radius, 0.43) *
                         std::pow(reducedModulus, -0.03) * std::pow(loadPerLength, -0.13);
  // h_c = 3.06 alpha^0.56 (eta0 u)^0.69 R^0.41 E'^-0.03 w^-0.10
  const double central = 3.06 * std::pow(alpha, 0.56) * std::pow(etaU, 0.69) * std::pow(radius, 0.41) *
                         std::pow(reducedModulus, -0.03) * std::pow(loadPerLength, -0.10);

  const auto film = LineContactFilm(1000, 8, 1 / 9.5, 1 / 20.0, 2.0, 210, 0.3, oil);
  ASSERT_TRUE(film);
  EXPECT_NEAR(film->minimumUm, minimum * 1e6, 1e-12);
  EXPECT_NEAR(film->centralUm, central * 1e6, 1e-12);
  // A tenth of a micrometre and a central film about a third thicker: what such
  // contacts run on.
  EXPECT_NEAR(film->minimumUm, 0.1157, 5e-4);
  EXPECT_NEAR(film->centralUm / film->minimumUm, 1.32, 0.01);
  EXPECT_DOUBLE_EQ(film->filmRatio, film->minimumUm / 0.3);

  // The entrainment's direction does not matter, only its speed; a lever's concave
  // face (negative curvature) conforms and thickens the film.
  const auto reversed = LineContactFilm(1000, 8, 1 / 9.5, 1 / 20.0, -2.0, 210, 0.3, oil);
  ASSERT_TRUE(reversed);
  EXPECT_EQ(reversed->minimumUm, film->minimumUm);
  const auto concave = LineContactFilm(1000, 8, 1 / 9.5, -1 / 40.0, 2.0, 210, 0.3, oil);
  ASSERT_TRUE(concave);
  EXPECT_GT(concave->minimumUm, film->minimumUm);
}

TEST(LubricantFilm, NoFilmWithoutMotionNoValueWithoutContact) {
  const OilParameters oil;
  const auto standing = LineContactFilm(1000, 8, 1 / 9.5, 0, 0, 210, 0.3, oil);
  ASSERT_TRUE(standing);
  EXPECT_EQ(standing->minimumUm, 0);
  EXPECT_EQ(standing->filmRatio, 0);
  EXPECT_FALSE(LineContactFilm(0, 8, 1 / 9.5, 0, 2, 210, 0.3, oil));
  EXPECT_FALSE(LineContactFilm(-5, 8, 1 / 9.5, 0, 2, 210, 0.3, oil));
  EXPECT_FALSE(LineContactFilm(1000, 8, 1 / 9.5, -1 / 5.0, 2, 210, 0.3, oil));  // does not meet along a line
}

}  // namespace
