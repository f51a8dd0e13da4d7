// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "pattern.h"

#include <string>
#include <vector>

namespace quorvane {

// One DXF drawing (AutoCAD 2000, units millimetres) of every piece at 1:1,
// laid left to right as in the SVG: cut lines on layer CUT, folds, roll
// lines, centre lines and arrows on MARK, the labels as TEXT entities on
// TEXT. Arcs are ARC entities and every coordinate keeps all its digits, so
// CAM software cuts the radii the flat cone plot reports.
std::string PatternDxf(const std::vector<SectionPattern> &patterns);

} // namespace quorvane
