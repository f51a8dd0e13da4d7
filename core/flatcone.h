// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace quorvane {

// The flat pattern of a frustum: an annular sector about the cone's apex. The
// report and the picture beside it letter the four figures A, B, C and D.
struct FlatCone {
    double outerChord = 0;  // A: across the ends of the outer (base) arc
    double innerChord = 0;  // B: across the ends of the inner (tip) arc
    double innerRadius = 0; // C: from the apex to the inner arc
    double outerRadius = 0; // D: from the apex to the outer arc
    double outerAngle = 0;  // the sector angles of the arcs, in degrees
    double innerAngle = 0;
};

// Base and tip are inside diameters; the thickness lengthens both arcs to the
// outside circumference of the rolled sheet. Equal diameters have no apex and
// throw ArithmeticFailure: use FlattenCylinder.
FlatCone FlattenCone(double base, double tip, double height, double thickness);

// A cylinder rolls from a rectangle: width around the outside circumference, length along the axis.
struct FlatRectangle {
    double width = 0;
    double length = 0;
};
FlatRectangle FlattenCylinder(double diameter, double height, double thickness);

} // namespace quorvane
