// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "conelist.h"
#include "pipeinputs.h"

#include <array>
#include <string>

namespace quorvane {

// The sections as fractions of the tuned length, the usual proportions of the
// trade: they add up to 1. The tail pipe (L7) is as long as the baffle cone and
// lies outside the tuned length.
inline constexpr double kHeaderFraction = 0.1; // port and header together: the header allowance
inline constexpr double kFirstConeFraction = 0.275;
inline constexpr double kSecondConeFraction = 0.183;
inline constexpr double kThirdConeFraction = 0.092;
inline constexpr double kBellyFraction = 0.11;
inline constexpr double kBaffleConeFraction = 0.24;
// The header allowance and the first diffuser cone: a port longer than this leaves that cone no length.
inline constexpr double kPortLimitFraction = 0.375;

// Sections from the engine outwards: 0 the port, 1 the header, 2-4 the
// diffuser cones, 5 the belly, 6 the baffle cone, 7 the tail pipe.
struct PipeResult {
    std::array<double, 8> D{};         // inside diameters at the section ends; D[0] the port window
    std::array<double, 8> L{};         // centre-line lengths; L[0] the port
    std::array<double, 4> coneAngle{}; // included angles of cones L2, L3, L4, L6
    double tunedLength = 0;
    double totalLength = 0;  // L1 + ... + L7
    double speedOfSound = 0; // m/s, as the tuned length was calculated with it
    double rpm = 0;          // the RPM as calculated: a whole number
    std::string warningText;
    bool portLengthFlagged = false;
};

// Speed of sound in the exhaust gas in m/s, the temperature in °C: the one
// formula the chamber and the wave timing both use, so their answers agree.
double SpeedOfSound(double heats, double gasConstant, double tempCelsius);

// Included angle in degrees of a frustum with end diameters a and b and centre-line length c.
double ConeAngle(double a, double b, double c);

// The whole chamber from its inputs; throws ArithmeticFailure when the
// numbers cannot be calculated.
PipeResult ComputeChamber(const PipeInputs &in);

// The four cones the flat cone plot develops in batch, at full precision.
ConeList ConeListOf(const PipeResult &result);

} // namespace quorvane
