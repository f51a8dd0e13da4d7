// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "arguments.h"
#include "commandresult.h"

#include "chamber.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane::cli {

CommandResult RunChamber(const std::vector<std::string> &args);

// Calculates the chamber the positionals (FILE, KEY=TEXT) and --straight-header
// describe into result, and the texts it was read from into `texts` when
// given; otherwise says why not, with usage for a malformed line.
std::optional<CommandResult> ChamberFromArguments(const Arguments &args, const char *usage,
                                                  PipeResult &result, PipeTexts *texts = nullptr);

} // namespace quorvane::cli
