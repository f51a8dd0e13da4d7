// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include "pipeinputs.h"

#include <optional>
#include <string>
#include <vector>

namespace quorvane::cli {

// The twelve input texts as the main window would hold them: its initial
// texts, then a saved pipe values file, then KEY=TEXT assignments. Each
// returns why it could not, or nothing when it did.

// Applies a saved file as the window's Open does: a missing or empty value
// leaves the text as it was. The path is taken as bytes, whatever they are.
std::optional<CommandResult> ApplyFile(const std::string &path, PipeTexts &texts);
std::optional<CommandResult> ApplyAssignments(const std::vector<std::string> &assignments, PipeTexts &texts);

} // namespace quorvane::cli
