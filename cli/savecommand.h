// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// Writes a pipe values file as the main window's Save Pipe does.
CommandResult RunSave(const std::vector<std::string> &args);

} // namespace quorvane::cli
