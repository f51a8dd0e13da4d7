// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// When the chamber's reflections return to the port across a range of RPM.
CommandResult RunTiming(const std::vector<std::string> &args);
// The RPM a pipe of a given tuned length is tuned for, or the exhaust temperature a real peak implies.
CommandResult RunReverse(const std::vector<std::string> &args);

} // namespace quorvane::cli
