// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "commandresult.h"

#include <string>
#include <vector>

namespace quorvane::cli {

// Cutting templates of the chamber's sections, or of typed cones, as a PDF
// build sheet, an SVG or a DXF drawing.
CommandResult RunTemplates(const std::vector<std::string> &args);

} // namespace quorvane::cli
