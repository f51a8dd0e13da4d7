#pragma once

#include "pipeinputs.h"

#include <array>
#include <string>

namespace quorvane {

// Sections from the engine outwards: 0 the port, 1 the header, 2-4 the
// diffuser cones, 5 the belly, 6 the baffle cone, 7 the tail pipe.
struct PipeResult {
    std::array<double, 8> D{};
    std::array<double, 8> L{};
    std::array<double, 4> coneAngle{}; // included angles of cones L2, L3, L4, L6
    double tunedLength = 0;
    double totalLength = 0; // L1 + ... + L7
    std::string warningText;
    bool portLengthFlagged = false;
};

struct ConeRecord {
    std::string name;
    double baseDiameter = 0;
    double tipDiameter = 0;
    double centreLength = 0;
};
using ConeList = std::array<ConeRecord, 4>;

// Included angle in degrees of a frustum with end diameters a and b and centre-line length c.
double ConeAngle(double a, double b, double c);

// The whole chamber from its inputs; throws ArithmeticFailure with a reason
// the user can act on when the numbers cannot be calculated.
PipeResult ComputeChamber(const PipeInputs &in);

// The four cones the flat cone plot develops in batch.
ConeList ConeListOf(const PipeResult &result);

// The texts of the four output boxes.
struct ChamberTexts {
    std::string diameters;
    std::string lengths;
    std::string angles;
    std::string tunedLength;
};
ChamberTexts FormatChamber(const PipeResult &result);

} // namespace quorvane
