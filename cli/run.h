// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// The whole command line after the program's name: what to print and the
// exit status. Nothing is printed here, so a fuzzer can call it too.
CommandResult Run(const std::vector<std::string> &args);

} // namespace quorvane::cli
