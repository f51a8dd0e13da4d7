#pragma once

#include "chamber.h"

#include <string>

namespace quorvane {

// The flat pattern of a frustum: A and B the chords across the outer and
// inner arcs, C and D the inner and outer radii about the apex.
struct FlatCone {
    double A = 0;
    double B = 0;
    double C = 0;
    double D = 0;
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

// What the plot window's output box shows after Plot Cone. A cone with a zero
// base, tip or height is left out.
std::string SingleConeReport(double base, double tip, double height, double thickness);
std::string BatchConeReport(const ConeList &cones, double thickness);

} // namespace quorvane
