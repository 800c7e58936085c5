#pragma once

// Hertz's line contact of two parallel elastic cylinders of the same material: the
// largest pressure in the middle of the contact strip. The surfaces are given by their
// curvatures (1 / radius, 1/mm), positive for a convex surface, negative for a concave
// one, 0 for a flat one; force in N, width in mm, modulus in GPa; the result in MPa. A
// force that is not positive presses nothing: 0. Surfaces that do not meet along a line
// (a concave one bent tighter than the convex one) give 0 too; callers check that case.
double HertzLinePressureMPa(double forceN, double widthMm, double curvature1, double curvature2,
                            double youngsModulusGPa, double poisson);
