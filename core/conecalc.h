// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "calcoutcome.h"

#include <string_view>

namespace quorvane {

// A frustum from its base and tip diameters: centre length h, side length s
// and half angle alpha (degrees, between the axis and the side).
struct ConeLengths {
    double centreLength = 0;
    double sideLength = 0;
    double halfAngle = 0;
};

ConeLengths ConeFromHalfAngle(double base, double tip, double halfAngle);       // gives h and s
ConeLengths ConeFromSideLength(double base, double tip, double sideLength);     // gives h and alpha
ConeLengths ConeFromCentreLength(double base, double tip, double centreLength); // gives alpha and s

// The cone calculator's three buttons. Inputs: base, tip, the calculation's own.
enum class ConeInput { Base, Tip, Own };
CalcOutcome CalcFromHalfAngle(std::string_view base, std::string_view tip, std::string_view halfAngle);
// outputs: centre length, side length
CalcOutcome CalcFromSideLength(std::string_view base, std::string_view tip, std::string_view sideLength);
// outputs: centre length, half angle
CalcOutcome CalcFromCentreLength(std::string_view base, std::string_view tip, std::string_view centreLength);
// outputs: half angle, side length

} // namespace quorvane
