// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// One cone from its dimensions, or with --batch the four cones of a chamber.
CommandResult RunFlatCone(const std::vector<std::string> &args);

} // namespace quorvane::cli
