// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// The chamber bent as planned, written as an STL solid; prints where it ends up.
CommandResult RunModel(const std::vector<std::string> &args);

} // namespace quorvane::cli
