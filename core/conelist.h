// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

namespace quorvane {

// One cone of the last calculated chamber, as the flat cone plot's batch reads it.
struct ConeRecord {
    std::string name;
    double baseDiameter = 0;
    double tipDiameter = 0;
    double centreLength = 0;
};

// The three diffuser cones and the baffle cone; before any calculation the
// names are empty and the numbers 0.
using ConeList = std::array<ConeRecord, 4>;

} // namespace quorvane
