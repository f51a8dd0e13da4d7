// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorvane {

// Port longer than the header allowance.
extern const char *const kPortLengthWarning;
// Flange wider than the header outlet.
extern const char *const kFlangeWarning;
// Tapered header steeper than the first diffuser cone.
std::string HeaderTaperWarning(double headerAngle, double firstConeAngle);

// Adds one "WARNING !" block to the warning text.
void AppendWarning(std::string &warningText, std::string_view message);

} // namespace quorvane
