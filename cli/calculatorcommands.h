// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// The engine calculators: each takes its window's input texts as positionals
// and prints its outputs as "Label = value" lines.
CommandResult RunPortWidth(const std::vector<std::string> &args);
CommandResult RunSegmentArea(const std::vector<std::string> &args);
CommandResult RunPortArea(const std::vector<std::string> &args);
CommandResult RunAreaToDiameter(const std::vector<std::string> &args);
CommandResult RunPortTiming(const std::vector<std::string> &args);
CommandResult RunBmep(const std::vector<std::string> &args);
CommandResult RunConvert(const std::vector<std::string> &args);
CommandResult RunCone(const std::vector<std::string> &args);

} // namespace quorvane::cli
