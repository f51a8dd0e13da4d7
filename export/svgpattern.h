// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"

#include <string>
#include <vector>

namespace quorvane {

// One SVG drawing of every piece at 1:1, placed as PlaceSideBySide places
// them, in millimetres (width, height and viewBox). Each piece has a group
// with its cut outline, one closed path whose arcs are true SVG arcs, so CAM
// software cuts them as arcs, and a group of its marks.
std::string PatternSvg(const std::vector<SectionPattern> &patterns);

} // namespace quorvane
