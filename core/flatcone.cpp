// SPDX-License-Identifier: GPL-3.0-or-later
#include "flatcone.h"

#include "numeric.h"

#include <cmath>
#include <numbers>

namespace quorvane {

using std::numbers::pi;

FlatCone FlattenCone(double a, double b, double h, double t) {
    if (a == b)
        throw ArithmeticFailure(Failure::CylinderHasNoApex);
    const double x = Checked((b / 2) * h / (a / 2 - b / 2)); // the missing apex part above the tip
    const double H = Checked(h + x);
    FlatCone f;
    f.outerRadius = Checked(std::sqrt(Square(H) + Square(a / 2)));
    f.innerRadius = Checked(std::sqrt(Square(x) + Square(b / 2)));
    const double thetaA = Checked((pi * (a + 2 * t)) / (2 * pi * f.outerRadius) * 360);
    const double phiA = thetaA * pi / 180;
    f.outerChord = Checked(2 * f.outerRadius * std::sin(phiA / 2));
    f.outerAngle = thetaA;
    const double thetaB = Checked((pi * (b + 2 * t)) / (2 * pi * f.innerRadius) * 360);
    const double phiB = thetaB * pi / 180;
    f.innerChord = Checked(2 * f.innerRadius * std::sin(phiB / 2));
    f.innerAngle = thetaB;
    return f;
}

FlatRectangle FlattenCylinder(double diameter, double height, double thickness) {
    return {Checked(pi * (diameter + 2 * thickness)), height};
}

} // namespace quorvane
